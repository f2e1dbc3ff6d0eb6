// The preferences dialog: the stored choices, out-of-range stores, and the
// model and language it hands the catalogue.
#include "appglobals.h"
#include "preferencesdialog.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
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
    int Stored(const char* key) const
    {
        m_pSettings->sync();
        return QSettings(IniPath(), QSettings::IniFormat).value(QLatin1String(key), -1).toInt();
    }

private slots:
    void init()
    {
        QFile::remove(IniPath());
        m_pSettings.reset(new QSettings(IniPath(), QSettings::IniFormat));
        theSettings = m_pSettings.get();
        g_iLangID = 1;
        g_iTargetModel = 1;
    }
    void cleanup()
    {
        theSettings = nullptr;
        m_pSettings.reset();
    }

    void saveAndLoad()
    {
        {
            PreferencesDialog dlg;
            // Nothing stored yet: English and Alvo.
            QCOMPARE(dlg.LanguageCombo()->currentIndex(), 0);
            QCOMPARE(dlg.TargetDeviceCombo()->currentIndex(), 0);
            dlg.TargetDeviceCombo()->setCurrentIndex(3); // Dulan
            dlg.LanguageCombo()->setCurrentIndex(5);     // Russian: no catalogue texts
            dlg.SaveValues();
        }
        QCOMPARE(Stored("TargetDevice"), 3);
        QCOMPARE(Stored("SelectedLanguage"), 5);
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
        // LoadValues picks up a store changed behind the dialog's back.
        theSettings->setValue(QStringLiteral("SelectedLanguage"), 2);
        again.LoadValues();
        QCOMPARE(again.LanguageCombo()->currentIndex(), 2);
    }

    void storedIndexOutsideTheLists_data()
    {
        QTest::addColumn<QVariant>("device");
        QTest::addColumn<QVariant>("language");
        QTest::newRow("beyond") << QVariant(7) << QVariant(99);
        QTest::newRow("negative") << QVariant(-1) << QVariant(-3);
        QTest::newRow("not a number") << QVariant(QStringLiteral("Tey")) << QVariant(QStringLiteral("de"));
    }
    void storedIndexOutsideTheLists()
    {
        QFETCH(QVariant, device);
        QFETCH(QVariant, language);
        theSettings->setValue(QStringLiteral("TargetDevice"), device);
        theSettings->setValue(QStringLiteral("SelectedLanguage"), language);
        // The first item, never an empty choice that would save -1 and model 0.
        PreferencesDialog dlg;
        QCOMPARE(dlg.TargetDeviceCombo()->currentIndex(), 0);
        QCOMPARE(dlg.LanguageCombo()->currentIndex(), 0);
        dlg.SaveValues();
        QCOMPARE(Stored("TargetDevice"), 0);
        QCOMPARE(Stored("SelectedLanguage"), 0);
        QCOMPARE(g_iTargetModel, 1);
    }

    void cancelStoresNothing()
    {
        PreferencesDialog dlg;
        dlg.show();
        dlg.TargetDeviceCombo()->setCurrentIndex(2);
        dlg.ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(Stored("TargetDevice"), -1);
        QCOMPARE(g_iTargetModel, 1);
        dlg.show();
        dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
