// The catalogue download: real GETs from python3's HTTP server on 127.0.0.1,
// the checks on a body, and what a refused body must leave alone.
#include "appglobals.h"
#include "catalogueupdate.h"
#include "datafields.h"
#include "testsupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using TestEnv::ReadFile;
using TestEnv::WriteFile;

namespace {

constexpr int kReplyTimeoutMs = 10000;

// Runs SQL on a writable connection of its own.
bool Exec(const QString& path, const QString& statement)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        db.setDatabaseName(path);
        ok = db.open() && QSqlQuery(db).exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    return ok;
}

} // namespace

class TestCatalogueUpdate : public QObject
{
    Q_OBJECT
    QTemporaryDir m_served; // what the server hands out
    TestEnv::HttpServer m_server;
    QByteArray m_old; // the shipped catalogue
    QByteArray m_new; // a newer one: field 30 renamed
    QSqlDatabase m_db;

    // One real GET through a real network access manager.
    QNetworkReply* Fetch(QNetworkAccessManager& manager, const QString& name)
    {
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QNetworkReply* reply = manager.get(CatalogueUpdate::Request(QUrl(m_server.Url(name))));
        return finished.wait(kReplyTimeoutMs) ? reply : nullptr;
    }

    // A catalogue folder holding the shipped catalogue, g_pDB pointing at it
    // and g_DataFields loaded from it.
    QString PrepareTarget(const QTemporaryDir& dir)
    {
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        WriteFile(path, m_old);
        m_db.setDatabaseName(path);
        g_pDB = &m_db;
        g_iLangID = 1;
        g_iTargetModel = 1;
        g_DataFields.LoadFromDB(g_pDB);
        return path;
    }
    QString Served(const char* name) const { return m_served.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QNetworkReply*>();
        m_old = ReadFile(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite"));
        QVERIFY(m_old.size() > 4096);
        QVERIFY(WriteFile(Served("good.sqlite"), m_old));
        QVERIFY(Exec(Served("good.sqlite"), QStringLiteral("UPDATE BaseStrings SET String='TTG new' WHERE Id=30")));
        m_new = ReadFile(Served("good.sqlite"));
        // Cut at a page boundary and in the middle of a page.
        QVERIFY(WriteFile(Served("cut.sqlite"), m_new.left(8192)));
        QVERIFY(WriteFile(Served("half.sqlite"), m_new.left(m_new.size() / 2 + 100)));
        QVERIFY(WriteFile(Served("page.html"), "<!DOCTYPE html><html><body>Moved</body></html>\n"));
        QVERIFY(Exec(Served("foreign.sqlite"), QStringLiteral("CREATE TABLE Other (Id INTEGER)")));
        // The right tables, but no field for model 1.
        QVERIFY(WriteFile(Served("nofields.sqlite"), m_old));
        QVERIFY(Exec(Served("nofields.sqlite"), QStringLiteral("DELETE FROM ModelStrings WHERE ModelId=1")));
        QVERIFY2(m_server.Start(m_served.path()), "the HTTP server did not come up");
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-update"));
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    void cleanupTestCase()
    {
        g_pDB = nullptr;
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("test-update"));
    }

    void goodBodyReplacesAndReloads()
    {
        QTemporaryDir dir;
        const QString path = PrepareTarget(dir);
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG"));
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        QCOMPARE(CatalogueUpdate::Address(settings), QUrl(QString::fromLatin1(CatalogueUpdate::DefaultUrl())));
        settings.setValue(QStringLiteral("CatalogueUrl"), m_server.Url(QStringLiteral("good.sqlite")));
        QNetworkAccessManager manager;
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QPointer<QNetworkReply> reply = CatalogueUpdate::Start(manager, settings);
        QVERIFY(reply);
        QVERIFY(finished.wait(kReplyTimeoutMs));
        QVERIFY(CatalogueUpdate::Apply(reply, path));
        QCOMPARE(ReadFile(path), m_new);
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG new"));
        QVERIFY(!m_db.isOpen());
        // No temporary copy is left beside the catalogue.
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("R8*")}, QDir::Files), QStringList{"R8strings.sqlite"});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!reply);

        // An empty address switches the download off.
        settings.setValue(QStringLiteral("CatalogueUrl"), QString());
        QVERIFY(!CatalogueUpdate::Start(manager, settings));
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
        QNetworkReply* reply = Fetch(manager, name);
        QVERIFY(reply);
        const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        QCOMPARE(CatalogueUpdate::Check(httpStatus, reply->peek(reply->bytesAvailable())).status,
                 CatalogueUpdate::Status(status));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(status == CatalogueUpdate::HttpStatus
                                                                ? QStringLiteral("^neterror:.+")
                                                                : QStringLiteral("^catalogue download refused: ")));
        QVERIFY(!CatalogueUpdate::Apply(reply, path));
        QCOMPARE(ReadFile(path), m_old);
        QCOMPARE(g_DataFields.count(), countBefore);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"R8strings.sqlite"});
    }

    void checks()
    {
        using U = CatalogueUpdate;
        QVERIFY(U::Check(200, m_new).accepted());
        QCOMPARE(U::Check(500, m_new).status, U::HttpStatus);
        QCOMPARE(U::Check(200, QByteArray()).status, U::NotSqlite);
        QCOMPARE(U::Check(200, m_new.left(50)).status, U::NotSqlite);
        QCOMPARE(U::Check(200, m_new.left(100)).status, U::Truncated);
        QCOMPARE(U::Check(200, m_new.left(m_new.size() - 1)).status, U::Truncated);
        // Right length, damaged inside: the integrity check catches it.
        QByteArray damaged = m_new;
        for (int i = 4096 + 16; i < damaged.size(); i += 7)
            damaged[i] = char(0xA5);
        QCOMPARE(U::Check(200, damaged).status, U::Unreadable);
        QCOMPARE(U::Check(200, QByteArray(int(U::MaxBodyBytes) + 1, 'x')).status, U::TooLarge);
    }

    void unwritableFolderChangesNothing()
    {
        // A plain file where the folder should be stops even root; so does /proc.
        QTemporaryDir dir;
        PrepareTarget(dir);
        const QString notAFolder = dir.filePath(QStringLiteral("bundle"));
        QVERIFY(WriteFile(notAFolder, "not a folder"));
        QNetworkAccessManager manager;
        QNetworkReply* reply = Fetch(manager, QStringLiteral("good.sqlite"));
        QVERIFY(reply);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^catalogue download refused: ")));
        QVERIFY(!CatalogueUpdate::Apply(reply, notAFolder + QLatin1String("/R8strings.sqlite")));
        QCOMPARE(ReadFile(notAFolder), QByteArray("not a folder"));
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QStringLiteral("TTG"));
        QCOMPARE(CatalogueUpdate::Install(200, m_new, QStringLiteral("/proc/R8strings.sqlite")).status,
                 CatalogueUpdate::Unwritable);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/R8strings.sqlite")));
        if (::geteuid() == 0)
            return;
        // A folder without write permission, for a user that permissions stop.
        QTemporaryDir locked;
        const QString path = PrepareTarget(locked);
        QVERIFY(QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner));
        QCOMPARE(CatalogueUpdate::Install(200, m_new, path).status, CatalogueUpdate::Unwritable);
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadFile(path), m_old);
    }
};

QTEST_MAIN(TestCatalogueUpdate)
#include "test_catalogueupdate.moc"
