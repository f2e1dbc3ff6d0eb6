// The start-up catalogue download against a hostile server on 127.0.0.1:
// endless and oversized bodies are cut off at the size limit and a stalled
// one at the time limit, the process's memory stays small, and the
// catalogue file is left exactly as it was.
#include "appglobals.h"
#include "catalogueupdate.h"
#include "datafields.h"
#include "testsupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kStallLimitMs = 1500;  // the time limit given to the download here
constexpr int kFinishWaitMs = 30000; // bound for the reply to end at all
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's shadow memory and quarantine alone take about 100 MB.
constexpr qint64 kMemoryCeilingKiB = 250 * 1024;
#else
constexpr qint64 kMemoryCeilingKiB = 100 * 1024;
#endif
const char kConnection[] = "test-limits";

// Peak resident memory of this process so far.
qint64 PeakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace

class TestDownloadLimits : public QObject
{
    Q_OBJECT

    QProcess m_server;
    int m_iPort = 0;
    QByteArray m_catalogue;
    QSqlDatabase m_db;

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QNetworkReply*>();
        m_catalogue = TestEnv::ReadFile(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite"));
        QVERIFY(m_catalogue.size() > 4096);
        m_iPort = TestEnv::StartLocalServer(m_server, [](int port) {
            return QStringList{TestEnv::TestData(QStringLiteral("catalogue/hostile_server.py")),
                               QString::number(port)};
        });
        QVERIFY2(m_iPort, "the HTTP server did not come up");
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kConnection));
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }

    void cleanupTestCase()
    {
        g_pDB = nullptr;
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(kConnection));
        m_server.kill();
        m_server.waitForFinished();
    }

    void hostileBodyLeavesCatalogue_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("endless body") << "endless"
                                      << "more than";
        QTest::newRow("growing past the limit") << "growing"
                                                << "more than";
        QTest::newRow("Content-Length of 10 GB") << "liar"
                                                 << "more than";
        QTest::newRow("stalled body") << "stalled"
                                      << "not complete within the time limit";
    }
    void hostileBodyLeavesCatalogue()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString dbPath = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QVERIFY(TestEnv::WriteFile(dbPath, m_catalogue));
        m_db.setDatabaseName(dbPath);
        g_pDB = &m_db;
        g_DataFields.LoadFromDB(g_pDB);
        const int fieldsBefore = g_DataFields.count();

        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("CatalogueUrl"),
                          QStringLiteral("http://127.0.0.1:%1/%2").arg(m_iPort).arg(path));
        QNetworkAccessManager manager;
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QPointer<QNetworkReply> reply = CatalogueUpdate::Start(manager, settings, kStallLimitMs);
        QVERIFY(reply);
        QVERIFY(finished.wait(kFinishWaitMs));

        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression(QStringLiteral("^catalogue download refused: ") + reason));
        QVERIFY(!CatalogueUpdate::Apply(reply, dbPath));
        QCOMPARE(TestEnv::ReadFile(dbPath), m_catalogue);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("R8strings*")}, QDir::Files),
                 QStringList{QStringLiteral("R8strings.sqlite")});
        QCOMPARE(g_DataFields.count(), fieldsBefore);
        const qint64 peak = PeakMemoryKiB();
        QVERIFY2(peak > 0 && peak < kMemoryCeilingKiB, qPrintable(QStringLiteral("peak memory %1 KiB").arg(peak)));
    }
};

QTEST_MAIN(TestDownloadLimits)
#include "test_downloadlimits.moc"
