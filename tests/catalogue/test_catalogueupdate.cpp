// The catalogue download: real GETs from python3's HTTP server on 127.0.0.1
// and from a misbehaving one, the checks on a body, and what a refused body
// must leave alone: the catalogue file byte for byte, the loaded fields, and
// no stray file beside it.
#include "appglobals.h"
#include "catalogueupdate.h"
#include "datafields.h"
#include "testsupport.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using TestEnv::ReadFile;
using TestEnv::WriteFile;
using U = CatalogueUpdate;

namespace {

constexpr int kStallLimitMs = 1500;    // the time limit given to the download here
constexpr int kReplyTimeoutMs = 30000; // bound for a reply to end at all

QByteArray Shipped()
{
    return ReadFile(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite"));
}

// A catalogue changed by SQL statements (separated by ';'), as a server might send it.
QByteArray Variant(const QString& sql, const QByteArray& catalogue = Shipped())
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("variant.sqlite"));
    bool ok = WriteFile(path, catalogue);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("variant"));
        db.setDatabaseName(path);
        ok = ok && db.open();
        for (const QString& statement : sql.split(QLatin1Char(';')))
            ok = ok && QSqlQuery(db).exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("variant"));
    return ok ? ReadFile(path) : QByteArray();
}

} // namespace

class TestCatalogueUpdate : public QObject
{
    Q_OBJECT
    QTemporaryDir m_served; // what the good server hands out
    TestEnv::HttpServer m_server;
    QProcess m_hostile;
    int m_iHostilePort = 0;
    QByteArray m_shipped;
    QByteArray m_newer; // field 30 renamed

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QNetworkReply*>();
        m_shipped = Shipped();
        m_newer = Variant("UPDATE BaseStrings SET String='TTG new' WHERE Id=30");
        QVERIFY(m_shipped.size() > 4096 && m_newer.size() == m_shipped.size());
        QVERIFY(WriteFile(m_served.filePath("newer"), m_newer));
        QVERIFY(WriteFile(m_served.filePath("cut"), m_newer.left(m_newer.size() / 2 + 100)));
        QVERIFY2(m_server.Start(m_served.path()), "the HTTP server did not come up");
        m_iHostilePort = TestEnv::StartLocalServer(m_hostile, [](int port) {
            return QStringList{TestEnv::TestData(QStringLiteral("catalogue/hostile_server.py")),
                               QString::number(port)};
        });
        QVERIFY2(m_iHostilePort, "the misbehaving server did not come up");
    }
    void cleanupTestCase() { m_hostile.close(); }

    // The download as the designer runs it (Start, or a plain GET), then Apply.
    void download_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("start");
        QTest::addColumn<QString>("refusal"); // empty: the body replaces the catalogue
        const QString hostile = QStringLiteral("http://127.0.0.1:%1/").arg(m_iHostilePort);
        const QString refused = QStringLiteral("^catalogue download refused: ");
        QTest::newRow("newer catalogue") << m_server.Url("newer") << true << QString();
        QTest::newRow("plain GET, cut") << m_server.Url("cut") << false << refused + "\\d+ of \\d+ bytes";
        QTest::newRow("plain GET, 404") << m_server.Url("missing") << false << "^neterror:.+";
        QTest::newRow("growing past the limit") << hostile + "growing" << true << refused + "more than";
        QTest::newRow("Content-Length of 10 GB") << hostile + "liar" << true << refused + "more than";
        QTest::newRow("stalled") << hostile + "stalled" << true << refused + "not complete within";
    }
    void download()
    {
        QFETCH(QString, url);
        QFETCH(bool, start);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QVERIFY(WriteFile(path, m_shipped));
        QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
        g_pDB->setDatabaseName(path); // the fields are reloaded from here
        g_DataFields.LoadFromDB(g_pDB);
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("CatalogueUrl"), url);
        QNetworkAccessManager manager;
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QPointer<QNetworkReply> reply =
            start ? U::Start(manager, settings, kStallLimitMs) : manager.get(U::Request(QUrl(url)));
        QVERIFY(reply);
        QVERIFY(finished.wait(kReplyTimeoutMs));
        if (!refusal.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(refusal));
        QCOMPARE(U::Apply(reply, path), refusal.isEmpty());
        QCOMPARE(ReadFile(path), refusal.isEmpty() ? m_newer : m_shipped);
        QCOMPARE(g_DataFields.GetDataField(30)->Name, QString(refusal.isEmpty() ? "TTG new" : "TTG"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!reply);
    }

    void switchedOffAndHttpStatus()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        QCOMPARE(U::Address(settings), QUrl(QString::fromLatin1(U::DefaultUrl())));
        settings.setValue(QStringLiteral("CatalogueUrl"), QString()); // an empty address: no download
        QNetworkAccessManager manager;
        QVERIFY(!U::Start(manager, settings));
        QCOMPARE(U::Check(500, m_newer).status, U::HttpStatus);
        QCOMPARE(U::Install(200, m_newer, QStringLiteral("/proc/R8strings.sqlite")).status, U::Unwritable);
    }

    void install_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QByteArray damaged = m_newer; // right length, damaged inside
        for (int i = 4096 + 16; i < damaged.size(); i += 7)
            damaged[i] = char(0xA5);
        QTest::newRow("newer") << m_newer << int(U::Accepted);
        QTest::newRow("a new field for the Tey")
            << Variant("INSERT INTO BaseStrings (Id, String, DataField, DataType) "
                       "VALUES (900, 'New', 'true', 1);"
                       "INSERT INTO ModelStrings (BaseId, Sequence, ModelId) VALUES (900, 9990, 3)")
            << int(U::Accepted);
        QTest::newRow("html page") << QByteArray("<!DOCTYPE html><html>Moved</html>\n") << int(U::NotSqlite);
        QTest::newRow("header only") << m_newer.left(100) << int(U::Truncated);
        QTest::newRow("one byte short") << m_newer.left(m_newer.size() - 1) << int(U::Truncated);
        QTest::newRow("damaged inside") << damaged << int(U::Unreadable);
        QTest::newRow("too large") << QByteArray(int(U::MaxBodyBytes) + 1, 'x') << int(U::TooLarge);
        QTest::newRow("foreign") << Variant("CREATE TABLE Other (Id INTEGER)", {}) << int(U::MissingTables);
        const QString model = QStringLiteral("DELETE FROM ModelStrings WHERE ModelId=");
        QTest::newRow("Dulan one field short")
            << Variant(model + "4 AND BaseId=(SELECT MIN(BaseId) FROM ModelStrings WHERE ModelId=4)")
            << int(U::NoFields);
        QTest::newRow("Tey+ missing") << Variant(model + "5") << int(U::NoFields);
        QTest::newRow("no German") << Variant("DELETE FROM LanguageStrings WHERE LanguageId=5")
                                   << int(U::NoTranslations);
        QTest::newRow("write-ahead log") << Variant("PRAGMA journal_mode=WAL") << int(U::WalMode);
    }
    void install()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QVERIFY(!body.isEmpty() && body != m_shipped);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QVERIFY(WriteFile(path, m_shipped));
        QCOMPARE(int(U::Install(200, body, path).status), status);
        QCOMPARE(ReadFile(path), status == U::Accepted ? body : m_shipped);
        // Neither the check nor the install leaves a journal or a copy beside the catalogue.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("R8strings.sqlite")});
    }
};

QTEST_MAIN(TestCatalogueUpdate)
#include "test_catalogueupdate.moc"
