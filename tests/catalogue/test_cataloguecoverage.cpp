// A downloaded catalogue must serve every model and language the designer
// offers, and must not be a write-ahead-log database: anything less is
// refused and the catalogue file stays byte for byte as it was.
#include "catalogueupdate.h"
#include "testsupport.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The shipped catalogue changed by SQL statements, as a server might send it.
QByteArray Variant(const QByteArray& catalogue, const QStringList& statements)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("variant.sqlite"));
    if (!TestEnv::WriteFile(path, catalogue))
        return QByteArray();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("variant"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& s : statements)
            ok = ok && q.exec(s);
        q.clear();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("variant"));
    return ok ? TestEnv::ReadFile(path) : QByteArray();
}

} // namespace

class TestCatalogueCoverage : public QObject
{
    Q_OBJECT

private slots:
    void variants_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<int>("status");
        QTest::newRow("model 1 only") << QStringList{QStringLiteral("DELETE FROM ModelStrings WHERE ModelId<>1")}
                                      << int(CatalogueUpdate::NoFields);
        QTest::newRow("Dulan one field short")
            << QStringList{QStringLiteral("DELETE FROM ModelStrings WHERE ModelId=4 AND BaseId="
                                          "(SELECT MIN(BaseId) FROM ModelStrings WHERE ModelId=4)")}
            << int(CatalogueUpdate::NoFields);
        QTest::newRow("Tey+ missing") << QStringList{QStringLiteral("DELETE FROM ModelStrings WHERE ModelId=5")}
                                      << int(CatalogueUpdate::NoFields);
        QTest::newRow("no German texts")
            << QStringList{QStringLiteral("DELETE FROM LanguageStrings WHERE LanguageId=5")}
            << int(CatalogueUpdate::NoTranslations);
        QTest::newRow("write-ahead log")
            << QStringList{QStringLiteral("PRAGMA journal_mode=WAL")} << int(CatalogueUpdate::WalMode);
        QTest::newRow("a new field for the Tey")
            << QStringList{QStringLiteral("INSERT INTO BaseStrings (Id, String, DataField, DataType) "
                                          "VALUES (900, 'New field', 'true', 1)"),
                           QStringLiteral(
                               "INSERT INTO ModelStrings (BaseId, Sequence, ModelId) VALUES (900, 9990, 3)")}
            << int(CatalogueUpdate::Accepted);
    }
    void variants()
    {
        QFETCH(QStringList, sql);
        QFETCH(int, status);
        const QByteArray shipped = TestEnv::ReadFile(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite"));
        QVERIFY(shipped.size() > 4096);
        const QByteArray body = Variant(shipped, sql);
        QVERIFY(!body.isEmpty());
        QVERIFY(body != shipped);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QVERIFY(TestEnv::WriteFile(path, shipped));
        const CatalogueUpdate::Outcome outcome = CatalogueUpdate::Install(200, body, path);
        QCOMPARE(int(outcome.status), status);
        QCOMPARE(TestEnv::ReadFile(path), status == CatalogueUpdate::Accepted ? body : shipped);
        // Neither the check nor the install leaves a journal beside the catalogue.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("R8strings.sqlite")});
    }
};

QTEST_MAIN(TestCatalogueCoverage)
#include "test_cataloguecoverage.moc"
