#include "appglobals.h"
#include "catalogueupdate.h"
#include "datafields.h"
#include "testsupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

constexpr int kServerStartAttempts = 100;
constexpr int kConnectWaitMs = 100;
constexpr int kReplyTimeoutMs = 10000;
const char kConnection[] = "test-update";

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Runs SQL on a writable connection of its own.
bool Exec(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& s : statements)
            ok = ok && q.exec(s);
        q.clear();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    return ok;
}

} // namespace

class TestCatalogueUpdate : public QObject
{
    Q_OBJECT

    QTemporaryDir m_served;  // what the server hands out
    QProcess m_server;
    int m_iPort = 0;
    QByteArray m_oldCatalogue; // the shipped catalogue
    QByteArray m_newCatalogue; // a newer one: field 30 renamed
    QSqlDatabase m_db;

    QUrl Url(const QString& name) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_iPort).arg(name));
    }

    // One real GET through a real network access manager.
    QNetworkReply* Fetch(QNetworkAccessManager& manager, const QUrl& url)
    {
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QNetworkReply* reply = manager.get(CatalogueUpdate::Request(url));
        if (!finished.wait(kReplyTimeoutMs))
            return nullptr;
        return reply;
    }

    // A catalogue folder holding the shipped catalogue, g_pDB pointing at it
    // and g_DataFields loaded from it.
    QString PrepareTarget(QTemporaryDir& dir)
    {
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        WriteAll(path, m_oldCatalogue);
        m_db.setDatabaseName(path);
        g_pDB = &m_db;
        g_iLangID = 1;
        g_iTargetModel = 1;
        g_DataFields.LoadFromDB(g_pDB);
        return path;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QNetworkReply*>();
        QVERIFY(m_served.isValid());
        m_oldCatalogue = ReadAll(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite"));
        QVERIFY(m_oldCatalogue.size() > 4096);

        const QString good = m_served.filePath(QStringLiteral("good.sqlite"));
        QVERIFY(WriteAll(good, m_oldCatalogue));
        QVERIFY(Exec(good, {QStringLiteral("UPDATE BaseStrings SET String='TTG new' WHERE Id=30")}));
        m_newCatalogue = ReadAll(good);
        QVERIFY(m_newCatalogue != m_oldCatalogue);

        // Cut at a page boundary and in the middle of a page.
        QVERIFY(WriteAll(m_served.filePath(QStringLiteral("cut.sqlite")), m_newCatalogue.left(8192)));
        QVERIFY(WriteAll(m_served.filePath(QStringLiteral("half.sqlite")),
                         m_newCatalogue.left(m_newCatalogue.size() / 2 + 100)));
        QVERIFY(WriteAll(m_served.filePath(QStringLiteral("page.html")),
                         "<!DOCTYPE html><html><body>Moved</body></html>\n"));
        QVERIFY(Exec(m_served.filePath(QStringLiteral("foreign.sqlite")),
                     {QStringLiteral("CREATE TABLE Other (Id INTEGER)")}));
        // The right tables, but no field for model 1.
        const QString empty = m_served.filePath(QStringLiteral("nofields.sqlite"));
        QVERIFY(WriteAll(empty, m_oldCatalogue));
        QVERIFY(Exec(empty, {QStringLiteral("DELETE FROM ModelStrings WHERE ModelId=1")}));

        // A free port: bind to 0, read the number, let go.
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            m_iPort = probe.serverPort();
        }
        m_server.setProgram(QStringLiteral("python3"));
        m_server.setArguments({QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(m_iPort),
                               QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"),
                               m_served.path()});
        m_server.setStandardOutputFile(QProcess::nullDevice());
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start();
        QVERIFY(m_server.waitForStarted());
        bool up = false;
        for (int i = 0; i < kServerStartAttempts && !up; ++i) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, quint16(m_iPort));
            up = socket.waitForConnected(kConnectWaitMs);
            if (!up)
                QTest::qWait(kConnectWaitMs);
        }
        QVERIFY2(up, "the HTTP server did not come up");

        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kConnection));
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }

    void cleanupTestCase()
    {
        g_pDB = nullptr;
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(kConnection));
        m_server.terminate();
        if (!m_server.waitForFinished(kReplyTimeoutMs))
            m_server.kill();
    }

    void address()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        QCOMPARE(CatalogueUpdate::Address(settings), QUrl(QStringLiteral("http://www.zarvin.com/R8strings.sqlite")));
        settings.setValue(QStringLiteral("CatalogueUrl"), Url(QStringLiteral("good.sqlite")).toString());
        QCOMPARE(CatalogueUpdate::Address(settings), Url(QStringLiteral("good.sqlite")));

        // An empty address switches the download off.
        settings.setValue(QStringLiteral("CatalogueUrl"), QString());
        QVERIFY(CatalogueUpdate::Address(settings).isEmpty());
        QNetworkAccessManager manager;
        QVERIFY(!CatalogueUpdate::Start(manager, settings));
    }

    void goodBodyReplacesAndReloads()
    {
        QTemporaryDir dir;
        const QString path = PrepareTarget(dir);
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG"));

        QTemporaryDir settingsDir;
        QSettings settings(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("CatalogueUrl"), Url(QStringLiteral("good.sqlite")).toString());
        QNetworkAccessManager manager;
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QPointer<QNetworkReply> reply = CatalogueUpdate::Start(manager, settings);
        QVERIFY(reply);
        QVERIFY(finished.wait(kReplyTimeoutMs));

        QVERIFY(CatalogueUpdate::Apply(reply, path));
        QCOMPARE(ReadAll(path), m_newCatalogue);
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG new"));
        QCOMPARE(g_DataFields.count(), 89);
        QVERIFY(!m_db.isOpen());
        // No temporary copy is left beside the catalogue.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("R8strings.sqlite")});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!reply);
    }

    void badBodiesLeaveFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status");
        QTest::newRow("404") << "missing.sqlite" << int(CatalogueUpdate::HttpStatus);
        QTest::newRow("cut at a page") << "cut.sqlite" << int(CatalogueUpdate::Truncated);
        QTest::newRow("cut in a page") << "half.sqlite" << int(CatalogueUpdate::Truncated);
        QTest::newRow("html page") << "page.html" << int(CatalogueUpdate::NotSqlite);
        QTest::newRow("foreign database") << "foreign.sqlite" << int(CatalogueUpdate::MissingTables);
        QTest::newRow("no fields") << "nofields.sqlite" << int(CatalogueUpdate::NoFields);
    }
    void badBodiesLeaveFile()
    {
        QFETCH(QString, name);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString path = PrepareTarget(dir);
        const int countBefore = g_DataFields.count();

        QNetworkAccessManager manager;
        QNetworkReply* reply = Fetch(manager, Url(name));
        QVERIFY(reply);
        const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray body = reply->peek(reply->bytesAvailable());
        QCOMPARE(CatalogueUpdate::Check(httpStatus, body).status, CatalogueUpdate::Status(status));

        if (status == CatalogueUpdate::HttpStatus) {
            // Qt reports a 404 as a network error of the reply.
            QCOMPARE(httpStatus, 404);
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^neterror:.+")));
        } else {
            QCOMPARE(httpStatus, 200);
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^catalogue download refused: ")));
        }
        QVERIFY(!CatalogueUpdate::Apply(reply, path));
        QCOMPARE(ReadAll(path), m_oldCatalogue);
        QCOMPARE(g_DataFields.count(), countBefore);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("R8strings.sqlite")});
    }

    void checks()
    {
        using U = CatalogueUpdate;
        QVERIFY(U::Check(200, m_newCatalogue).accepted());
        QCOMPARE(U::Check(500, m_newCatalogue).status, U::HttpStatus);
        QCOMPARE(U::Check(0, m_newCatalogue).status, U::HttpStatus);
        QCOMPARE(U::Check(200, QByteArray()).status, U::NotSqlite);
        QCOMPARE(U::Check(200, m_newCatalogue.left(50)).status, U::NotSqlite);
        QCOMPARE(U::Check(200, m_newCatalogue.left(100)).status, U::Truncated);
        QCOMPARE(U::Check(200, m_newCatalogue.left(m_newCatalogue.size() - 1)).status, U::Truncated);

        // Right length, damaged inside: the integrity check catches it.
        QByteArray damaged = m_newCatalogue;
        for (int i = 4096 + 16; i < damaged.size(); i += 7)
            damaged[i] = char(0xA5);
        QCOMPARE(U::Check(200, damaged).status, U::Unreadable);

        QCOMPARE(U::Check(200, QByteArray(int(U::MaxBodyBytes) + 1, 'x')).status, U::TooLarge);
    }

    void unwritableFolderChangesNothing()
    {
        // A plain file where the folder should be stops even root.
        QTemporaryDir dir;
        PrepareTarget(dir);
        const QString notAFolder = dir.filePath(QStringLiteral("bundle"));
        QVERIFY(WriteAll(notAFolder, "not a folder"));
        QNetworkAccessManager manager;
        QNetworkReply* reply = Fetch(manager, Url(QStringLiteral("good.sqlite")));
        QVERIFY(reply);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^catalogue download refused: ")));
        QVERIFY(!CatalogueUpdate::Apply(reply, notAFolder + QLatin1String("/R8strings.sqlite")));
        QCOMPARE(ReadAll(notAFolder), QByteArray("not a folder"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({QStringLiteral("bundle"), QStringLiteral("R8strings.sqlite")}));
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG"));
        QCOMPARE(CatalogueUpdate::Install(200, m_newCatalogue, notAFolder + QLatin1String("/R8strings.sqlite")).status,
                 CatalogueUpdate::Unwritable);
        // A folder that takes no new files, not even from root.
        QCOMPARE(CatalogueUpdate::Install(200, m_newCatalogue, QStringLiteral("/proc/R8strings.sqlite")).status,
                 CatalogueUpdate::Unwritable);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/R8strings.sqlite")));

        // A folder without write permission, for a user that permissions stop.
        if (::geteuid() == 0)
            return;
        QTemporaryDir locked;
        const QString path = PrepareTarget(locked);
        QVERIFY(QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner));
        reply = Fetch(manager, Url(QStringLiteral("good.sqlite")));
        QVERIFY(reply);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^catalogue download refused: ")));
        QVERIFY(!CatalogueUpdate::Apply(reply, path));
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadAll(path), m_oldCatalogue);
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG"));
    }
};

QTEST_MAIN(TestCatalogueUpdate)
#include "test_catalogueupdate.moc"
