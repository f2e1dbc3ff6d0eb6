// The field catalogue read from the built SQLite file per model and language.
#include "appglobals.h"
#include "datafields.h"
#include "testsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char kConnection[] = "test-catalogue";

struct FieldRow {
    QString name;
    int baseId;
    int sequence;
    bool operator==(const FieldRow& o) const
    {
        return name == o.name && baseId == o.baseId && sequence == o.sequence;
    }
};

QList<FieldRow> Rows(const DataFields& fields)
{
    QList<FieldRow> rows;
    for (const _DataField* f : fields.Fields())
        rows.append({f->Name, f->BaseId, f->Sequence});
    return rows;
}

// Closes and returns the texts of the "could not access DB!" boxes.
QStringList TakeMessageBoxes()
{
    QStringList texts;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (box->isVisible()) {
                texts << box->text();
                box->close();
            }
        }
    }
    return texts;
}

} // namespace

class TestDataFields : public QObject
{
    Q_OBJECT

    QSqlDatabase m_db;
    QString m_catalogue;

    void Load(DataFields& fields, int lang, int model)
    {
        g_iLangID = lang;
        g_iTargetModel = model;
        fields.LoadFromDB(&m_db);
    }

private slots:
    void initTestCase()
    {
        m_catalogue = TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite");
        QVERIFY2(QFileInfo::exists(m_catalogue), qPrintable(m_catalogue));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kConnection));
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    void init() { m_db.setDatabaseName(m_catalogue); }
    void cleanupTestCase()
    {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(kConnection));
    }

    void modelCounts_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("count");
        QTest::newRow("Alvo") << 1 << 89;
        QTest::newRow("Osk") << 2 << 88;
        QTest::newRow("Tey") << 3 << 65;
        QTest::newRow("Dulan") << 4 << 31;
        QTest::newRow("Tey+") << 5 << 66;
        QTest::newRow("unknown model") << 6 << 0;
    }
    void modelCounts()
    {
        QFETCH(int, model);
        QFETCH(int, count);
        DataFields fields;
        Load(fields, 1, model);
        QCOMPARE(fields.count(), count);
        QSet<int> sequences;
        for (const _DataField* f : fields.Fields()) {
            sequences.insert(f->Sequence);
            QVERIFY2(!f->Description.isEmpty(), qPrintable(f->Name));
        }
        QCOMPARE(sequences.size(), count);
        // Menu strings share the model's table but are not data fields.
        QVERIFY(!fields.GetDataField(1));
    }

    void languageFallback()
    {
        DataFields english;
        Load(english, 1, 1);
        DataFields german;
        Load(german, MapLangID(1), 1);
        // A field with a German row.
        QCOMPARE(german.GetDataField(33)->Name, QStringLiteral("Höhe"));
        QVERIFY(german.GetDataField(33)->Description != english.GetDataField(33)->Description);
        // A field without one keeps the base name and description.
        QVERIFY(german.GetDataField(178));
        QCOMPARE(german.GetDataField(178)->Name, QStringLiteral("UDF 1"));
        QCOMPARE(german.GetDataField(178)->Description, english.GetDataField(178)->Description);
        QCOMPARE(german.count(), english.count());

        // Russian has no catalogue texts: English, same list.
        DataFields russian;
        Load(russian, MapLangID(5), 1);
        QCOMPARE(Rows(russian), Rows(english));

        // The preferences' language list maps onto the catalogue's ids.
        DataFields italian;
        Load(italian, MapLangID(3), 1);
        QCOMPARE(italian.GetDataField(33)->Name, QStringLiteral("Quota"));
    }

    void baseIdAcrossModels()
    {
        DataFields alvo, osk;
        Load(alvo, 1, 1);
        Load(osk, 1, 2);
        QVERIFY(alvo.GetBaseId(10) > 0 && alvo.GetBaseId(10) != osk.GetBaseId(10));
        // Each sequence number leads back to its own field.
        for (const _DataField* f : osk.Fields())
            QCOMPARE(osk.GetBaseId(f->Sequence), f->BaseId);
        QCOMPARE(alvo.GetBaseId(15), -1);
        QCOMPARE(alvo.GetBaseId(5000), -1); // a menu string's number
    }

    void failedOpenKeepsList()
    {
        DataFields fields;
        Load(fields, 1, 1);
        const QList<FieldRow> before = Rows(fields);
        const _DataField* altitude = fields.GetDataField(33);
        QTemporaryDir dir;
        m_db.setDatabaseName(dir.filePath(QStringLiteral("missing.sqlite")));
        Load(fields, 5, 4);
        QCOMPARE(TakeMessageBoxes(), QStringList{QStringLiteral("could not access DB!")});
        QCOMPARE(Rows(fields), before);
        QCOMPARE(fields.GetDataField(33), altitude);
        // Read-only: the failed open made no file.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing.sqlite"))));

        fields.LoadFromDB(nullptr);
        QCOMPARE(Rows(fields), before);
    }

    void foreignDatabaseGivesEmptyCatalogue()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("foreign.sqlite"));
        {
            QSqlDatabase writer = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            writer.setDatabaseName(path);
            QVERIFY(writer.open());
            QSqlQuery q(writer);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE Other (Id INTEGER, Name VARCHAR)")));
            writer.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));

        DataFields fields;
        Load(fields, 1, 1);
        QVERIFY(fields.count() > 0);
        m_db.setDatabaseName(path);
        Load(fields, 1, 1);
        QCOMPARE(fields.count(), 0);
        QVERIFY(!fields.GetDataField(33));
        QCOMPARE(fields.GetBaseId(10), -1);
        QVERIFY(TakeMessageBoxes().isEmpty());
        QVERIFY(!m_db.isOpen());
    }
};

QTEST_MAIN(TestDataFields)
#include "test_datafields.moc"
