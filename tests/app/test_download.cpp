// The window's catalogue download at start: a catalogue served over HTTP on
// 127.0.0.1 replaces the local file and the fields are reloaded at once.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kServerStartAttempts = 50;
constexpr int kConnectWaitMs = 100;
constexpr int kDownloadMs = 15000;

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}
} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private slots:
    void newCatalogueIsInstalledAndLoaded();
};

void TestDownload::newCatalogueIsInstalledAndLoaded()
{
    QTemporaryDir served;
    QTemporaryDir local;
    const QByteArray catalogue = ReadAll(TestEnv::BundleDir() + QStringLiteral("/R8strings.sqlite"));
    QVERIFY(catalogue.size() > 4096);
    QVERIFY(WriteAll(served.filePath(QStringLiteral("R8strings.sqlite")), catalogue));
    // A damaged local copy: nothing loads from it.
    const QString dbPath = local.filePath(QStringLiteral("R8strings.sqlite"));
    QVERIFY(WriteAll(dbPath, QByteArray("not a catalogue")));

    int port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    QProcess server;
    server.setProgram(QStringLiteral("python3"));
    server.setArguments({QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(port),
                         QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"),
                         served.path()});
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start();
    QVERIFY(server.waitForStarted());
    bool up = false;
    for (int i = 0; i < kServerStartAttempts && !up; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port));
        up = socket.waitForConnected(kConnectWaitMs);
        if (!up)
            QTest::qWait(kConnectWaitMs);
    }
    QVERIFY2(up, "the HTTP server did not come up");

    QSettings settings(local.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("CatalogueUrl"),
                      QStringLiteral("http://127.0.0.1:%1/R8strings.sqlite").arg(port));
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
        QTRY_VERIFY_WITH_TIMEOUT(ReadAll(dbPath) == catalogue, kDownloadMs);
        QTRY_VERIFY(g_DataFields.count() > 0);
        QVERIFY(g_DataFields.GetDataField(33));
    }

    theSettings = nullptr;
    g_pDB = nullptr;
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("download"));
    server.terminate();
    if (!server.waitForFinished(3000))
        server.kill();
}

QTEST_MAIN(TestDownload)
#include "test_download.moc"
