#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kToolTimeoutMs = 30000;

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& args)
{
    QProcess tool;
    tool.start(TestEnv::ToolPath("R8TOOL"), QStringList{QStringLiteral("catalogue")} + args);
    ToolRun run;
    if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

// The field lines of a listing: base id -> name.
QMap<int, QString> Fields(const QString& out)
{
    QMap<int, QString> fields;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        if (cols.size() == 6)
            fields.insert(cols.at(0).toInt(), cols.at(5));
    }
    return fields;
}

} // namespace

class TestR8Tool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QFileInfo(TestEnv::ToolPath("R8TOOL")).isExecutable()); }

    void listsModel()
    {
        const ToolRun run = RunTool({QStringLiteral("--model"), QStringLiteral("3")});
        QCOMPARE(run.exitCode, 0);
        const QMap<int, QString> fields = Fields(run.out);
        QCOMPARE(fields.size(), 65);
        QCOMPARE(run.out.count(QLatin1Char('\n')), 66);
        QCOMPARE(fields.value(105), QStringLiteral("Vario"));
        QVERIFY(!fields.contains(322)); // the compass came with the Tey+
    }

    void germanNames()
    {
        const ToolRun run = RunTool({QStringLiteral("--model"), QStringLiteral("1"), QStringLiteral("--lang"),
                                     QStringLiteral("5")});
        QCOMPARE(run.exitCode, 0);
        const QMap<int, QString> fields = Fields(run.out);
        QCOMPARE(fields.size(), 89);
        QCOMPARE(fields.value(33), QStringLiteral("Höhe"));
        QCOMPARE(fields.value(110), QStringLiteral("Üb.Startpl."));
        QCOMPARE(fields.value(178), QStringLiteral("UDF 1"));
    }

    void ownFile()
    {
        const QString catalogue = TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite");
        const ToolRun run = RunTool({QStringLiteral("--db"), catalogue, QStringLiteral("--model"),
                                     QStringLiteral("4")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Fields(run.out).size(), 31);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("model without value") << QStringList{"--model"} << 2 << "--model needs a whole number";
        QTest::newRow("model not a number") << QStringList{"--model", "three"} << 2 << "--model needs a whole number";
        QTest::newRow("unknown argument") << QStringList{"--colour", "red"} << 2 << "unknown argument '--colour'";
        QTest::newRow("language out of range") << QStringList{"--lang", "12"} << 2 << "--lang must be 1 to 9";
        QTest::newRow("model zero") << QStringList{"--model", "0"} << 2 << "--model must be 1 or more";
        QTest::newRow("db without name") << QStringList{"--db"} << 2 << "--db needs a file name";
        QTest::newRow("missing file") << QStringList{"--db", "/nonexistent/R8strings.sqlite"} << 1
                                      << "catalogue file /nonexistent/R8strings.sqlite not found";
        QTest::newRow("unknown model") << QStringList{"--model", "9"} << 1 << "no fields in the catalogue";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const ToolRun run = RunTool(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(Fields(run.out).isEmpty());
    }

    void foreignFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("notes.sqlite"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("just some text, not a database\n");
        f.close();
        const ToolRun run = RunTool({QStringLiteral("--db"), path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("no fields in the catalogue ") + path));
    }
};

QTEST_MAIN(TestR8Tool)
#include "test_r8tool.moc"
