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

int IndexOf(const DataFields& fields, const QString& name)
{
    for (int i = 0; i < fields.count(); ++i)
        if (fields.at(i)->Name == name)
            return i;
    return -1;
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
        QSet<int> ids, sequences;
        for (const _DataField* f : fields.Fields()) {
            ids.insert(f->BaseId);
            sequences.insert(f->Sequence);
            QVERIFY2(f->Sequence > 0 && f->Sequence % 10 == 0, qPrintable(f->Name));
            QVERIFY2(!f->Description.isEmpty(), qPrintable(f->Name));
        }
        QCOMPARE(ids.size(), count);
        QCOMPARE(sequences.size(), count);
        // Menu strings share the model's table but are not data fields.
        QVERIFY(!fields.GetDataField(1));
    }

    void flagsAndRanges()
    {
        // Every field of the catalogue appears under model 1 or 5 (the compass).
        QMap<int, _DataField> all;
        for (int model : {1, 5}) {
            DataFields fields;
            Load(fields, 1, model);
            for (const _DataField* f : fields.Fields())
                all.insert(f->BaseId, *f);
        }
        QCOMPARE(all.size(), 90);

        const QMap<int, QPair<float, float>> dials = {
            {60, {0, 100}},   {90, {0, 20}},    {105, {-5, 5}},   {108, {0, 80}},   {147, {0, 80}},
            {149, {-5, 5}},   {163, {0, 150}},  {164, {0, 12}},   {165, {0, 30}},   {176, {0, 4.4f}},
            {232, {-10, 60}}, {247, {0, 4}},    {249, {0, 250}},  {272, {-5, 5}},   {274, {-10, 60}},
            {315, {0, 10}},   {316, {0, 0}}};
        const QSet<int> noLargeFont = {162, 186, 288};
        for (const _DataField& f : all) {
            QCOMPARE(f.CanBeDial, dials.contains(f.BaseId) ? 1 : 0);
            QCOMPARE(f.NoLargeFont, noLargeFont.contains(f.BaseId) ? 1 : 0);
            const QPair<float, float> range = dials.value(f.BaseId, {0, 0});
            QCOMPARE(f.MinRange, range.first);
            QCOMPARE(f.MaxRange, range.second);
            if (noLargeFont.contains(f.BaseId))
                QCOMPARE(f.DataType, 10);
        }
        QCOMPARE(all.value(33).Name, QStringLiteral("Altitude"));
        QCOMPARE(all.value(33).DataType, 1);
        QCOMPARE(all.value(105).Name, QStringLiteral("Vario"));
        QCOMPARE(all.value(105).DataType, 3);
        // NULL data type (latitude, user fields) reads as 0.
        QCOMPARE(all.value(82).DataType, 0);
        QCOMPARE(all.value(178).DataType, 0);
    }

    void byteOrder()
    {
        DataFields fields;
        Load(fields, 1, 1);
        const int overGoal = IndexOf(fields, QStringLiteral("A.OverGoal"));
        const int agl = IndexOf(fields, QStringLiteral("AGL"));
        const int aboveToff = IndexOf(fields, QStringLiteral("Above Toff"));
        QVERIFY(overGoal >= 0 && agl >= 0 && aboveToff >= 0);
        QVERIFY(overGoal < agl);
        QVERIFY(agl < aboveToff);
        // German names with umlauts follow every plain ASCII name.
        Load(fields, 5, 1);
        for (int i = 1; i < fields.count(); ++i)
            QVERIFY2(fields.at(i - 1)->Name.toUtf8() <= fields.at(i)->Name.toUtf8(),
                     qPrintable(fields.at(i)->Name));
        QVERIFY(IndexOf(fields, QStringLiteral("Üb.Startpl.")) == fields.count() - 1);
    }

    void languageFallback()
    {
        DataFields english;
        Load(english, 1, 1);
        DataFields german;
        Load(german, MapLangID(1), 1);
        // A field with a German row.
        QCOMPARE(german.GetDataField(33)->Name, QStringLiteral("Höhe"));
        QCOMPARE(german.GetDataField(33)->Description,
                 QStringLiteral("Barometrische Höhe über dem Meeresspiegel (QNH)"));
        QCOMPARE(english.GetDataField(33)->Description, QStringLiteral("Barometric altitude above sea level (QNH)"));
        // A field without one keeps the base name and description.
        QVERIFY(german.GetDataField(178));
        QCOMPARE(german.GetDataField(178)->Name, QStringLiteral("UDF 1"));
        QCOMPARE(german.GetDataField(178)->Description, english.GetDataField(178)->Description);
        QCOMPARE(german.count(), english.count());

        // Russian has no catalogue texts: English, same list.
        DataFields russian;
        Load(russian, MapLangID(5), 1);
        QCOMPARE(Rows(russian), Rows(english));

        // French, Italian, Spanish and Portuguese rows are there too.
        const QMap<int, QString> altitude = {{4, QStringLiteral("Altitude")}, {6, QStringLiteral("Quota")},
                                             {3, QStringLiteral("Altitud")}, {2, QStringLiteral("Altitude")}};
        const QMap<int, QString> speed = {{4, QStringLiteral("Vitesse")}, {6, QStringLiteral("Velocità")},
                                          {3, QStringLiteral("Velocidad")}, {2, QStringLiteral("Velocidade")}};
        for (int lang : altitude.keys()) {
            DataFields other;
            Load(other, lang, 1);
            QCOMPARE(other.GetDataField(33)->Name, altitude.value(lang));
            QCOMPARE(other.GetDataField(147)->Name, speed.value(lang));
            QVERIFY(other.GetDataField(147)->Description != english.GetDataField(147)->Description);
        }
    }

    void mapLangId()
    {
        const QList<int> expected = {1, 5, 4, 6, 3, 1, 2};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(MapLangID(i), expected.at(i));
        QCOMPARE(MapLangID(-1), 1);
        QCOMPARE(MapLangID(7), 1);
    }

    void baseIdAcrossModels()
    {
        DataFields alvo, osk;
        Load(alvo, 1, 1);
        Load(osk, 1, 2);
        const int alvoId = alvo.GetBaseId(10);
        const int oskId = osk.GetBaseId(10);
        QVERIFY(alvoId > 0 && oskId > 0);
        QVERIFY(alvoId != oskId);
        QCOMPARE(alvo.GetDataField(alvoId)->Sequence, 10);
        QVERIFY(osk.GetDataField(alvoId)->Sequence != 10);
        // Each sequence number leads back to its own field.
        for (const _DataField* f : osk.Fields())
            QCOMPARE(osk.GetBaseId(f->Sequence), f->BaseId);
        QCOMPARE(alvo.GetBaseId(15), -1);
        QCOMPARE(alvo.GetBaseId(0), -1);
        QCOMPARE(alvo.GetBaseId(5000), -1); // a menu string's number
        // The compass is on the Tey+ only among the first models.
        QVERIFY(!alvo.GetDataField(322));
        DataFields teyPlus;
        Load(teyPlus, 1, 5);
        QVERIFY(teyPlus.GetDataField(322));
    }

    void secondLoadSameList()
    {
        DataFields fields;
        Load(fields, 6, 3);
        const QList<FieldRow> first = Rows(fields);
        QCOMPARE(first.size(), 65);
        Load(fields, 6, 3);
        QCOMPARE(Rows(fields), first);
        QVERIFY(!m_db.isOpen());
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
