// r8tool catalogue: listings of the built catalogue and clear refusals.
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The field lines of a listing: base id -> name.
QMap<int, QString> Fields(const QString& out)
{
    QMap<int, QString> fields;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList cols = line.split(QLatin1Char('\t'));
        if (!line.startsWith(QLatin1Char('#')) && cols.size() == 6)
            fields.insert(cols.at(0).toInt(), cols.at(5));
    }
    return fields;
}

} // namespace

class TestR8Tool : public QObject
{
    Q_OBJECT
private slots:
    void listings_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("name"); // empty: the field is not listed
        QTest::newRow("Tey") << QStringList{"--model", "3"} << 65 << 105 << "Vario";
        QTest::newRow("compass came with the Tey+") << QStringList{"--model", "3"} << 65 << 322 << QString();
        QTest::newRow("German") << QStringList{"--model", "1", "--lang", "5"} << 89 << 110 << "Üb.Startpl.";
        QTest::newRow("no German row") << QStringList{"--lang", "5"} << 89 << 178 << "UDF 1";
        QTest::newRow("own file") << QStringList{"--db", TestEnv::BundleDir() + "/R8strings.sqlite", "--model", "4"}
                                  << 31 << 33 << "Altitude";
    }
    void listings()
    {
        QFETCH(QStringList, args);
        QFETCH(int, count);
        QFETCH(int, field);
        QFETCH(QString, name);
        const TestEnv::ToolRun run = TestEnv::RunTool(QStringList{"catalogue"} + args);
        QCOMPARE(run.code, 0);
        const QMap<int, QString> fields = Fields(run.out);
        QCOMPARE(fields.size(), count);
        QCOMPARE(fields.value(field), name);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("model without value") << QStringList{"--model"} << 2 << "--model needs a whole number";
        QTest::newRow("model not a number")
            << QStringList{"--model", "three"} << 2 << "--model needs a whole number";
        QTest::newRow("unknown argument") << QStringList{"--colour", "red"} << 2 << "unknown argument '--colour'";
        QTest::newRow("language out of range") << QStringList{"--lang", "12"} << 2 << "--lang must be 1 to 9";
        QTest::newRow("model zero") << QStringList{"--model", "0"} << 2 << "--model must be 1 or more";
        QTest::newRow("db without name") << QStringList{"--db"} << 2 << "--db needs a file name";
        QTest::newRow("missing file") << QStringList{"--db", "/nonexistent/R8strings.sqlite"} << 1
                                      << "catalogue file /nonexistent/R8strings.sqlite not found";
        QTest::newRow("unknown model") << QStringList{"--model", "9"} << 1 << "no fields in the catalogue";
        QTest::newRow("not a database") << QStringList{"--db", TestEnv::TestData("layout/sample.zvl")} << 1
                                        << "no fields in the catalogue " + TestEnv::TestData("layout/sample.zvl");
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const TestEnv::ToolRun run = TestEnv::RunTool(QStringList{"catalogue"} + args);
        QCOMPARE(run.code, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(Fields(run.out).isEmpty());
    }
};

QTEST_MAIN(TestR8Tool)
#include "test_r8tool.moc"
