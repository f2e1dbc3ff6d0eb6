#include "appglobals.h"
#include "startup.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

QString QtFolder()
{
    return QtTranslationsDirectory();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    void ResetTranslators()
    {
        for (QTranslator* t : {theTranslator, g_pBaseTranslations}) {
            if (t) {
                QCoreApplication::removeTranslator(t);
                delete t;
            }
        }
        theTranslator = new QTranslator();
        g_pBaseTranslations = new QTranslator();
    }

private slots:
    void init() { ResetTranslators(); }
    void cleanupTestCase()
    {
        ResetTranslators();
        delete theTranslator;
        delete g_pBaseTranslations;
        theTranslator = g_pBaseTranslations = nullptr;
    }

    void programFileDirectory_data()
    {
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("inside the bundle") << "/Applications/R8designer.app/Contents/MacOS"
                                           << "/Applications/R8designer.app/Contents/MacOS/";
        QTest::newRow("build folder") << "/home/pilot/build"
                                      << "/home/pilot/build/R8designer.app/Contents/MacOS/";
        QTest::newRow("lower case") << "/opt/r8/contents/macos"
                                    << "/opt/r8/contents/macos/R8designer.app/Contents/MacOS/";
        QTest::newRow("below the bundle") << "/x/Contents/MacOS/bin"
                                          << "/x/Contents/MacOS/bin/R8designer.app/Contents/MacOS/";
    }
    void programFileDirectory()
    {
        QFETCH(QString, exeDir);
        QFETCH(QString, expected);
        QCOMPARE(ProgramFileDirectory(exeDir), expected);
    }

    void catalogueChoiceFromSettings()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        g_iLangID = g_iTargetModel = 7;
        ReadCatalogueChoice(settings);
        QCOMPARE(g_iTargetModel, 1);
        QCOMPARE(g_iLangID, 1);

        settings.setValue(QStringLiteral("TargetDevice"), 2);
        settings.setValue(QStringLiteral("SelectedLanguage"), 1);
        ReadCatalogueChoice(settings);
        QCOMPARE(g_iTargetModel, 3);
        QCOMPARE(g_iLangID, 5);

        settings.setValue(QStringLiteral("SelectedLanguage"), 5); // Russian
        ReadCatalogueChoice(settings);
        QCOMPARE(g_iLangID, 1);
    }

    void englishLoadsNothing()
    {
        const TranslationLoad loaded = InstallTranslations(TestEnv::BundleDir() + QLatin1Char('/'), 1, QtFolder());
        QVERIFY(!loaded.base);
        QVERIFY(!loaded.app);
        QVERIFY(g_pBaseTranslations->isEmpty());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    void germanBaseFromQtFolder()
    {
        // The bundle has the program's translations but not Qt's own.
        const QString bundle = TestEnv::BundleDir() + QLatin1Char('/');
        QVERIFY(QFileInfo::exists(bundle + QLatin1String("r8designer_de_DE.qm")));
        QVERIFY(!QFileInfo::exists(bundle + QLatin1String("qt_de.qm")));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failded to load translation file :.+/")
                                                            + QRegularExpression::escape(bundle + "qt_de.qm")
                                                            + QLatin1Char('$')));
        const TranslationLoad loaded = InstallTranslations(bundle, 5, QtFolder());
        QVERIFY(loaded.base);
        QVERIFY(loaded.app);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    }

    void baseFailureKeepsAppTranslation()
    {
        QTemporaryDir dir;
        QTemporaryDir emptyQtFolder;
        const QString fileDir = dir.path() + QLatin1Char('/');
        QVERIFY(QFile::copy(TestEnv::BundleDir() + QLatin1String("/r8designer_fr_FR.qm"),
                            fileDir + QLatin1String("r8designer_fr_FR.qm")));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failded to load translation file :")));
        TranslationLoad loaded = InstallTranslations(fileDir, 4, emptyQtFolder.path());
        QVERIFY(!loaded.base);
        QVERIFY(loaded.app);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

        // Qt's folder stands in for the missing base file.
        ResetTranslators();
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failded to load translation file :")));
        loaded = InstallTranslations(fileDir, 4, QtFolder());
        QVERIFY(loaded.base);
        QVERIFY(loaded.app);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));

        // A base file beside the program is used first, without the line.
        ResetTranslators();
        QVERIFY(QFile::copy(QtFolder() + QLatin1String("/qtbase_it.qm"), fileDir + QLatin1String("qt_it.qm")));
        loaded = InstallTranslations(fileDir, 6, emptyQtFolder.path());
        QVERIFY(loaded.base);
        QVERIFY(!loaded.app);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
