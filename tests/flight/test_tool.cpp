// r8tool flight and render --igc on a real log: the summary and events with
// airspace entry from an OpenAir file, the page the replay paints, and refusals.
#include "flightdata.h"

#include <QImage>
#include <QTemporaryDir>

using TestEnv::RunTool;
using TestEnv::ToolRun;

class TestFlightTool : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    const QString sample = TestEnv::TestData(QStringLiteral("layout/sample.zvl"));
    const QString napret = IgcPath(QStringLiteral("napret.igc"));

private slots:
    void eventsWithAirspace()
    {
        // A 0.1 NM circle around the fix of 12:40:00 (46°12.669'N 12°49.467'E).
        const QString air = dir.filePath(QStringLiteral("air.txt"));
        QVERIFY(TestEnv::WriteFile(air, "AC R\r\nAN SPOT\r\nAL GND\r\nAH FL100\r\n"
                                        "V X=46:12:40.14 N 012:49:28.02 E\r\nDC 0.1\r\n"));
        const ToolRun run = RunTool({"flight", napret, "--airspace", air});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QLatin1String("flights     1")));
        QVERIFY(run.out.count(QLatin1String("  Entering thermal")) >= 10);
        for (const char* line : {"  12:00:0\\d  Take-off\\n", "  13:2[89]:\\d\\d  Landing\\n",
                                 "  12:(39:\\d\\d|40:00)  Airspace entry  SPOT\\n"})
            QVERIFY2(run.out.contains(QRegularExpression(QLatin1String(line))), line);
    }

    void renderThePageOfTheReplay()
    {
        // The sample layout's page 0 "Thermal" has the "Entering thermal" trigger.
        const QString live = dir.filePath(QStringLiteral("live.png")),
                      still = dir.filePath(QStringLiteral("still.png"));
        const ToolRun run = RunTool({"render", sample, "--igc", napret, "--at", "12:06:40", "-o", live});
        QVERIFY2(run.out.startsWith(QLatin1String("12:06:40 page 0: Entering thermal at")), qPrintable(run.err));
        QCOMPARE(RunTool({"render", sample, "--page", "0", "-o", still}).code, 0);
        QCOMPARE(QImage(live).size(), QImage(still).size());
        QVERIFY(QImage(live) != QImage(still)); // the flight's values are painted in
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString openair = TestEnv::OpenAirDir() + QStringLiteral("/gdal_test.txt");
        QTest::newRow("not IGC") << QStringList{"flight", openair} << 1 << "not an IGC flight log";
        QTest::newRow("missing file") << QStringList{"flight", "/nonexistent/x.igc"} << 1 << "/nonexistent/x.igc";
        QTest::newRow("bad time") << QStringList{"flight", napret, "--at", "25:00"} << 2 << "HH:MM:SS";
        QTest::newRow("render --igc with --page")
            << QStringList{"render", sample, "--igc", napret, "--at", "12:00:00", "--page", "1", "-o", "/tmp/x.png"}
            << 2 << "chooses the page itself";
        QTest::newRow("airspace file without airspaces")
            << QStringList{"flight", napret, "--airspace", napret} << 1 << "holds no airspace";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const ToolRun run = RunTool(args);
        QTEST(run.code, "code");
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

QTEST_MAIN(TestFlightTool)
#include "test_tool.moc"
