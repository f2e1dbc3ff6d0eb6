#include "appglobals.h"
#include "preferencesdialog.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestPreferences : public QObject
{
    Q_OBJECT
    QTemporaryDir m_Dir;
    std::unique_ptr<QSettings> m_pSettings;

    QString IniPath() const { return m_Dir.filePath(QStringLiteral("prefs.ini")); }
    // What another run would read from the store.
    QVariant Stored(const char* key) const
    {
        QSettings reader(IniPath(), QSettings::IniFormat);
        return reader.value(QLatin1String(key));
    }

private slots:
    void init();
    void cleanup();

    void listsAndDefaults();
    void saveAndLoadRoundTrip();
    void storedIndexOutsideTheLists_data();
    void storedIndexOutsideTheLists();
    void buttonsAcceptAndReject();
    void startupStoreWhenNoneIsSet();
};

void TestPreferences::init()
{
    QVERIFY(m_Dir.isValid());
    QFile::remove(IniPath());
    m_pSettings.reset(new QSettings(IniPath(), QSettings::IniFormat));
    theSettings = m_pSettings.get();
    g_iLangID = 1;
    g_iTargetModel = 1;
}

void TestPreferences::cleanup()
{
    theSettings = nullptr;
    m_pSettings.reset();
}

void TestPreferences::listsAndDefaults()
{
    PreferencesDialog dlg;
    QCOMPARE(dlg.objectName(), QStringLiteral("PreferencesDialog"));
    QCOMPARE(dlg.windowModality(), Qt::ApplicationModal);
    QCOMPARE(dlg.TargetDeviceCombo()->count(), 4);
    const QStringList devices = {"Alvo", "Osk", "Tey", "Dulan"};
    for (int i = 0; i < devices.size(); ++i)
        QCOMPARE(dlg.TargetDeviceCombo()->itemText(i), devices.at(i));

    const QStringList languages = {"English", "German", "French", "Italian", "Spanish", "Russian", "Portuguese"};
    const QStringList flags = {"United-Kingdom", "Germany", "France", "Italy", "Spain", "Russia", "Portugal"};
    QCOMPARE(dlg.LanguageCombo()->count(), languages.size());
    for (int i = 0; i < languages.size(); ++i) {
        QCOMPARE(dlg.LanguageCombo()->itemText(i), languages.at(i));
        const QString flag = QStringLiteral(":/images/%1.png").arg(flags.at(i));
        QVERIFY2(QFile::exists(flag), qPrintable(flag));
        QVERIFY(!dlg.LanguageCombo()->itemIcon(i).isNull());
    }

    // nothing stored yet: English and Alvo
    QCOMPARE(dlg.LanguageCombo()->currentIndex(), 0);
    QCOMPARE(dlg.TargetDeviceCombo()->currentIndex(), 0);
}

void TestPreferences::saveAndLoadRoundTrip()
{
    {
        PreferencesDialog dlg;
        dlg.TargetDeviceCombo()->setCurrentIndex(3); // Dulan
        dlg.LanguageCombo()->setCurrentIndex(5);     // Russian: no catalogue texts
        dlg.SaveValues();
    }
    m_pSettings->sync();
    QCOMPARE(Stored("TargetDevice").toInt(), 3);
    QCOMPARE(Stored("SelectedLanguage").toInt(), 5);
    QCOMPARE(g_iTargetModel, 4);
    QCOMPARE(g_iLangID, 1);

    PreferencesDialog again;
    QCOMPARE(again.TargetDeviceCombo()->currentIndex(), 3);
    QCOMPARE(again.LanguageCombo()->currentIndex(), 5);

    again.LanguageCombo()->setCurrentIndex(1); // German
    again.TargetDeviceCombo()->setCurrentIndex(1);
    again.SaveValues();
    QCOMPARE(g_iLangID, 5);
    QCOMPARE(g_iTargetModel, 2);
    again.LanguageCombo()->setCurrentIndex(6); // Portuguese
    again.SaveValues();
    QCOMPARE(g_iLangID, 2);

    // LoadValues picks up a store changed behind the dialog's back
    theSettings->setValue(QStringLiteral("SelectedLanguage"), 2);
    theSettings->setValue(QStringLiteral("TargetDevice"), 2);
    again.LoadValues();
    QCOMPARE(again.LanguageCombo()->currentIndex(), 2);
    QCOMPARE(again.TargetDeviceCombo()->currentIndex(), 2);
}

void TestPreferences::storedIndexOutsideTheLists_data()
{
    QTest::addColumn<QVariant>("device");
    QTest::addColumn<QVariant>("language");
    QTest::newRow("beyond") << QVariant(7) << QVariant(99);
    QTest::newRow("negative") << QVariant(-1) << QVariant(-3);
    QTest::newRow("not a number") << QVariant(QStringLiteral("Tey")) << QVariant(QStringLiteral("de"));
}

void TestPreferences::storedIndexOutsideTheLists()
{
    QFETCH(QVariant, device);
    QFETCH(QVariant, language);
    theSettings->setValue(QStringLiteral("TargetDevice"), device);
    theSettings->setValue(QStringLiteral("SelectedLanguage"), language);

    // the first item, never an empty choice that would save -1 and model 0
    PreferencesDialog dlg;
    QCOMPARE(dlg.TargetDeviceCombo()->currentIndex(), 0);
    QCOMPARE(dlg.LanguageCombo()->currentIndex(), 0);
    dlg.SaveValues();
    m_pSettings->sync();
    QCOMPARE(Stored("TargetDevice").toInt(), 0);
    QCOMPARE(Stored("SelectedLanguage").toInt(), 0);
    QCOMPARE(g_iTargetModel, 1);
    QCOMPARE(g_iLangID, 1);
}

void TestPreferences::buttonsAcceptAndReject()
{
    PreferencesDialog dlg;
    QSignalSpy accepted(&dlg, &QDialog::accepted);
    QSignalSpy rejected(&dlg, &QDialog::rejected);
    dlg.show();
    dlg.TargetDeviceCombo()->setCurrentIndex(2);
    dlg.ButtonBox()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    // cancelling stores nothing
    QVERIFY(!theSettings->contains(QStringLiteral("TargetDevice")));
    QCOMPARE(g_iTargetModel, 1);

    dlg.show();
    dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestPreferences::startupStoreWhenNoneIsSet()
{
    // Without start-up's store the dialog uses the program's own settings
    // (the test run keeps them in QStandardPaths' test folders).
    theSettings = nullptr;
    QSettings own(QStringLiteral("Zarvin"), QStringLiteral("R8designer"));
    own.setValue(QStringLiteral("TargetDevice"), 1);
    own.setValue(QStringLiteral("SelectedLanguage"), 4);
    own.sync();

    PreferencesDialog dlg;
    QCOMPARE(dlg.TargetDeviceCombo()->currentIndex(), 1);
    QCOMPARE(dlg.LanguageCombo()->currentIndex(), 4);
    dlg.TargetDeviceCombo()->setCurrentIndex(3);
    dlg.SaveValues();
    QCOMPARE(g_iTargetModel, 4);
    QCOMPARE(g_iLangID, 3);
    own.sync();
    QCOMPARE(own.value(QStringLiteral("TargetDevice")).toInt(), 3);
    own.remove(QStringLiteral("TargetDevice"));
    own.remove(QStringLiteral("SelectedLanguage"));
}

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
