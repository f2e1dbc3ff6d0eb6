// What start-up works out before and as the window opens: the program's
// folder, the layout named on the command line, the catalogue choice kept
// in the settings and a broken catalogue reported, which translations load
// (and that the shipped ones keep the menus usable from the keyboard), and
// a newer catalogue served over HTTP on 127.0.0.1 replacing a damaged one.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "startup.h"
#include "testsupport.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

    void ResetTranslators()
    {
        for (QTranslator* t : {theTranslator, g_pBaseTranslations}) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        theTranslator = new QTranslator();
        g_pBaseTranslations = new QTranslator();
    }

private slots:
    void init() { ResetTranslators(); }

    void programFolderAndCommandLine()
    {
        QCOMPARE(ProgramFileDirectory(QStringLiteral("/Applications/R8designer.app/Contents/MacOS")),
                 QStringLiteral("/Applications/R8designer.app/Contents/MacOS/"));
        QCOMPARE(ProgramFileDirectory(QStringLiteral("/home/pilot/build")),
                 QStringLiteral("/home/pilot/build/R8designer.app/Contents/MacOS/"));
        QCOMPARE(LayoutArgument({"r8designer"}), QString());
        QCOMPARE(LayoutArgument({"r8designer", "rel.zvl"}), QDir::current().absoluteFilePath("rel.zvl"));
        QProcess designer;
        designer.start(QFileInfo(TestEnv::ToolPath("R8TOOL")).dir().filePath("r8designer"), {"--help"});
        QVERIFY(designer.waitForFinished(20000));
        QCOMPARE(designer.exitCode(), 0);
        QVERIFY(designer.readAllStandardOutput().contains("file.zvl"));
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
        settings.setValue(QStringLiteral("SelectedLanguage"), 5); // Russian: no catalogue texts
        ReadCatalogueChoice(settings);
        QCOMPARE(g_iLangID, 1);
        // An empty catalogue (a damaged file reads as one) is reported with its file.
        QVERIFY(CatalogueProblem(0, "/x/R8strings.sqlite").contains("R8strings.sqlite"));
        QVERIFY(CatalogueProblem(900, "/x/R8strings.sqlite").isEmpty());
    }

    // Qt's own texts come from a file beside the program, else from Qt's
    // folder; the program's texts load even when Qt's do not.
    void translations_data()
    {
        QTest::addColumn<int>("langId");
        QTest::addColumn<QString>("programQm");
        QTest::addColumn<QString>("baseQm");
        QTest::addColumn<bool>("qtFolder");
        QTest::addColumn<bool>("base");
        QTest::addColumn<bool>("app");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("English: none") << 1 << QString() << QString() << true << false << false << "Cancel";
        QTest::newRow("French, no Qt texts anywhere")
            << 4 << "fr_FR" << QString() << false << false << true << "Cancel";
        QTest::newRow("French, Qt's from its folder")
            << 4 << "fr_FR" << QString() << true << true << true << "Annuler";
        QTest::newRow("Italian, Qt's beside the program")
            << 6 << QString() << "it" << false << true << false << "Annulla";
    }
    void translations()
    {
        QFETCH(int, langId);
        QFETCH(QString, programQm);
        QFETCH(QString, baseQm);
        QFETCH(bool, qtFolder);
        QTemporaryDir program;
        QTemporaryDir emptyQtFolder;
        const QString fileDir = program.path() + QLatin1Char('/');
        if (!programQm.isEmpty())
            QVERIFY(QFile::copy(TestEnv::BundleDir() + QLatin1String("/r8designer_") + programQm + ".qm",
                                fileDir + QLatin1String("r8designer_") + programQm + ".qm"));
        if (!baseQm.isEmpty())
            QVERIFY(QFile::copy(QtTranslationsDirectory() + QLatin1String("/qtbase_") + baseQm + ".qm",
                                fileDir + QLatin1String("qt_") + baseQm + ".qm"));
        const TranslationLoad loaded =
            InstallTranslations(fileDir, langId, qtFolder ? QtTranslationsDirectory() : emptyQtFolder.path());
        QTEST(loaded.base, "base");
        QTEST(loaded.app, "app");
        QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "cancel");
    }

    // Under each shipped translation every visible entry of the menu bar and
    // of each menu keeps an accelerator, and no two entries of one menu
    // share it.
    void menusKeepDistinctAccelerators_data()
    {
        QTest::addColumn<QString>("lang");
        for (const char* lang : {"de_DE", "fr_FR", "it_IT", "es_ES"})
            QTest::newRow(lang) << QString::fromLatin1(lang);
    }
    void menusKeepDistinctAccelerators()
    {
        QFETCH(QString, lang);
        QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
        QVERIFY(theTranslator->load(QLatin1String("r8designer_") + lang, TestEnv::BundleDir()));
        QCoreApplication::installTranslator(theTranslator);
        MainWindow window;
        QCOMPARE(window.menuBar()->actions().first()->text(), theTranslator->translate("MainWindow", "&File"));
        QList<QList<QAction*>> menus = {window.menuBar()->actions()};
        for (const QAction* a : window.menuBar()->actions())
            menus.append(a->menu()->actions());
        for (const QList<QAction*>& menu : menus) {
            QHash<QKeySequence, QString> seen;
            for (const QAction* a : menu) {
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                if (a->isSeparator() || !a->isVisible() || key.isEmpty())
                    continue;
                QVERIFY2(!seen.contains(key), qPrintable(seen.value(key) + QLatin1String(" and ") + a->text()));
                seen.insert(key, a->text());
            }
        }
        for (const QAction* a : window.menuBar()->actions())
            QVERIFY2(!QKeySequence::mnemonic(a->text()).isEmpty(), qPrintable(a->text()));
        g_pDB = nullptr;
    }

    void newCatalogueIsInstalledAndLoaded()
    {
        QTemporaryDir served;
        QTemporaryDir local;
        const QByteArray catalogue = TestEnv::ReadFile(TestEnv::BundleDir() + "/R8strings.sqlite");
        QVERIFY(TestEnv::WriteFile(served.filePath("R8strings.sqlite"), catalogue));
        const QString dbPath = local.filePath("R8strings.sqlite");
        QVERIFY(TestEnv::WriteFile(dbPath, "not a catalogue"));
        TestEnv::HttpServer server;
        QVERIFY2(server.Start(served.path()), "the HTTP server did not come up");

        QSettings settings(local.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue("CatalogueUrl", server.Url("R8strings.sqlite"));
        theSettings = &settings;
        strDbName = dbPath;
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "download");
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(dbPath);
        g_pDB = &db;
        g_DataFields.LoadFromDB(g_pDB);
        QCOMPARE(g_DataFields.count(), 0);
        {
            MainWindow w;
            QTRY_VERIFY_WITH_TIMEOUT(TestEnv::ReadFile(dbPath) == catalogue, 15000);
            QTRY_VERIFY(g_DataFields.GetDataField(33));
        }
        theSettings = nullptr;
        g_pDB = nullptr;
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("download"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
