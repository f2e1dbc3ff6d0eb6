// The field catalogue: the file beside the program (or a copy in the user's
// data folder), the fields read from it per model and language, and r8tool
// catalogue's listings and refusals.
#include "appglobals.h"
#include "cataloguefile.h"
#include "datafields.h"
#include "testsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using TestEnv::ReadFile;

namespace {

// Every field as "base id/sequence/name", in the list's order.
QStringList Rows(const DataFields& fields)
{
    QStringList rows;
    for (const _DataField* f : fields.Fields())
        rows << QStringLiteral("%1/%2/%3").arg(f->BaseId).arg(f->Sequence).arg(f->Name);
    return rows;
}

// Closes and returns the texts of the visible message boxes.
QStringList TakeMessageBoxes()
{
    QStringList texts;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w) && w->isVisible() && w->close())
            texts << w->property("text").toString();
    return texts;
}

} // namespace

class TestDataFields : public QObject
{
    Q_OBJECT

    // Loads fields through g_pDB from the built catalogue, or from another file.
    static void Load(DataFields& fields, int lang, int model, const QString& file = QString())
    {
        TestEnv::LoadCatalogue(lang, model);
        if (!file.isEmpty())
            g_pDB->setDatabaseName(file);
        fields.LoadFromDB(g_pDB);
    }

private slots:
    void loading()
    {
        DataFields english;
        Load(english, 1, 1);
        QSet<int> sequences;
        for (const _DataField* f : english.Fields()) {
            QVERIFY2(!f->Description.isEmpty() && !sequences.contains(f->Sequence), qPrintable(f->Name));
            sequences.insert(f->Sequence);
        }
        // Menu strings share the model's table but are not data fields.
        QVERIFY(!english.GetDataField(1));
        DataFields german;
        Load(german, MapLangID(1), 1);
        QCOMPARE(german.GetDataField(33)->Name, QStringLiteral("Höhe"));
        QVERIFY(german.GetDataField(33)->Description != english.GetDataField(33)->Description);
        // A field without a German row keeps the base name and description.
        QCOMPARE(german.GetDataField(178)->Name, QStringLiteral("UDF 1"));
        QCOMPARE(german.GetDataField(178)->Description, english.GetDataField(178)->Description);
        QCOMPARE(german.count(), english.count());
        // Russian has no catalogue texts: English, same list.
        DataFields other;
        Load(other, MapLangID(5), 1);
        QCOMPARE(Rows(other), Rows(english));
        Load(other, MapLangID(3), 1);
        QCOMPARE(other.GetDataField(33)->Name, QStringLiteral("Quota"));
        // Each model numbers its fields its own way.
        Load(other, 1, 2);
        QVERIFY(english.GetBaseId(10) > 0 && english.GetBaseId(10) != other.GetBaseId(10));
        for (const _DataField* f : other.Fields())
            QCOMPARE(other.GetBaseId(f->Sequence), f->BaseId);
        QCOMPARE(english.GetBaseId(15), -1);
        QCOMPARE(english.GetBaseId(5000), -1); // a menu string's number

        // A file that does not open: the list stays and a message says so; it
        // is opened read-only, so no file is made.
        const QStringList before = Rows(english);
        const _DataField* altitude = english.GetDataField(33);
        QTemporaryDir dir;
        Load(english, 5, 4, dir.filePath(QStringLiteral("missing.sqlite")));
        QCOMPARE(TakeMessageBoxes(), QStringList{QStringLiteral("could not access DB!")});
        QCOMPARE(Rows(english), before);
        QCOMPARE(english.GetDataField(33), altitude);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing.sqlite"))));
        english.LoadFromDB(nullptr);
        QCOMPARE(Rows(english), before);
        // A database without the catalogue's tables: an empty list, quietly.
        QVERIFY(TestEnv::WriteFile(dir.filePath(QStringLiteral("empty.sqlite")), QByteArray()));
        Load(english, 1, 1, dir.filePath(QStringLiteral("empty.sqlite")));
        QCOMPARE(english.count(), 0);
        QCOMPARE(english.GetBaseId(10), -1);
        QVERIFY(TakeMessageBoxes().isEmpty());
        QVERIFY(!g_pDB->isOpen());
    }

    void catalogueFilePlaced_data()
    {
        QTest::addColumn<QString>("folder"); // beneath the test's folder
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable folder") << QString() << true;
        QTest::newRow("missing folder") << "R8designer.app/Contents/MacOS" << false;
        QTest::newRow("folder that takes no files") << QString() << false;
    }
    void catalogueFilePlaced()
    {
        QFETCH(QString, folder);
        QFETCH(bool, writable);
        const QByteArray builtIn = ReadFile(QStringLiteral(":/R8strings.sqlite"));
        const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString user = userDir + "/R8strings.sqlite";
        QFile::remove(user);
        QTemporaryDir dir;
        // Permissions do not stop root; /proc takes no new files from anyone.
        QString place = dir.filePath(folder);
        if (!writable && folder.isEmpty() && ::geteuid() == 0)
            place = QStringLiteral("/proc");
        else if (!writable && folder.isEmpty())
            QVERIFY(QFile::setPermissions(place, QFile::ReadOwner | QFile::ExeOwner));
        const QString path = place + QLatin1String("/R8strings.sqlite");
        const QString expected = writable ? path : user;
        QCOMPARE(EnsureCatalogueFile(path), expected);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadFile(expected), builtIn);
        // One copy only: no bundle folder is made beside an installed executable.
        QCOMPARE(QFileInfo::exists(path), writable);
        QCOMPARE(QFileInfo::exists(user), !writable);
        // A copy already there (perhaps downloaded since) is kept.
        QVERIFY(TestEnv::WriteFile(expected, "newer"));
        QCOMPARE(EnsureCatalogueFile(path), expected);
        QCOMPARE(ReadFile(expected), QByteArray("newer"));
    }

    void toolListing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("count");       // field lines listed
        QTest::addColumn<QString>("pattern"); // a field line listed, or the message on stderr
        const QString sample = TestEnv::TestData(QStringLiteral("layout/sample.zvl"));
        QTest::newRow("Tey") << QStringList{"--model", "3"} << 0 << 65 << "^105\\t.*\\tVario$";
        QTest::newRow("German") << QStringList{"--model", "1", "--lang", "5"} << 0 << 89
                                << "^110\\t.*\\tÜb\\.Startpl\\.$";
        const QString built = TestEnv::BundleDir() + "/R8strings.sqlite";
        QTest::newRow("own file") << QStringList{"--db", built} << 0 << 89 << "^33\\t.*\\tAltitude$";
        QTest::newRow("model not a number")
            << QStringList{"--model", "three"} << 2 << 0 << "--model needs a whole number";
        QTest::newRow("unknown argument")
            << QStringList{"--colour", "red"} << 2 << 0 << "unknown argument '--colour'";
        QTest::newRow("--lang 10") << QStringList{"--lang", "10"} << 2 << 0 << "--lang must be 1 to 9";
        QTest::newRow("model zero") << QStringList{"--model", "0"} << 2 << 0 << "--model must be 1 or more";
        QTest::newRow("missing file") << QStringList{"--db", "/nonexistent/R8strings.sqlite"} << 1 << 0
                                      << "catalogue file /nonexistent/R8strings.sqlite not found";
        QTest::newRow("--model 9") << QStringList{"--model", "9"} << 1 << 0 << "no fields in the catalogue";
        QTest::newRow("not a database") << QStringList{"--db", sample} << 1 << 0
                                        << "no fields in the catalogue " + sample;
    }
    void toolListing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(int, count);
        QFETCH(QString, pattern);
        const TestEnv::ToolRun run = TestEnv::RunTool(QStringList{"catalogue"} + args);
        QCOMPARE(run.code, exitCode);
        // Field lines: base id, sequence, type, flags, range, name.
        const auto lines = QRegularExpression::MultilineOption;
        QCOMPARE(run.out.count(QRegularExpression(QStringLiteral("^\\d+\\t"), lines)), count);
        const QString said = exitCode ? run.err : run.out;
        QVERIFY2(said.contains(QRegularExpression(pattern, lines)), qPrintable(run.err));
    }
};

QTEST_MAIN(TestDataFields)
#include "test_datafields.moc"
