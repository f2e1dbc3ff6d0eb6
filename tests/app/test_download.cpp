// The window's catalogue download at start: a catalogue served over HTTP on
// 127.0.0.1 replaces a damaged local file and the fields are reloaded at once.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QSettings>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

class TestDownload : public QObject
{
    Q_OBJECT
private slots:
    void newCatalogueIsInstalledAndLoaded()
    {
        QTemporaryDir served;
        QTemporaryDir local;
        const QByteArray catalogue = TestEnv::ReadFile(TestEnv::BundleDir() + QStringLiteral("/R8strings.sqlite"));
        QVERIFY(TestEnv::WriteFile(served.filePath(QStringLiteral("R8strings.sqlite")), catalogue));
        const QString dbPath = local.filePath(QStringLiteral("R8strings.sqlite"));
        QVERIFY(TestEnv::WriteFile(dbPath, "not a catalogue"));
        TestEnv::HttpServer server;
        QVERIFY2(server.Start(served.path()), "the HTTP server did not come up");

        QSettings settings(local.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("CatalogueUrl"), server.Url(QStringLiteral("R8strings.sqlite")));
        theSettings = &settings;
        strDbName = dbPath;
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("download"));
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

QTEST_MAIN(TestDownload)
#include "test_download.moc"
