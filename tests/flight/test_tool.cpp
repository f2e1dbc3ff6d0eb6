// r8tool flight and render --igc on the real logs: the summary and events,
// the field values at a moment against the raw B record, the page the
// replay paints, airspace entry from an OpenAir file, and refusals.
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

    // The first line of a replay of napret.igc rendered at a time.
    QString Render(const QString& time, const QString& png)
    {
        const ToolRun run = RunTool({"render", sample, "--igc", napret, "--at", time, "-o", dir.filePath(png)});
        return run.code == 0 ? run.out.section(QLatin1Char('\n'), 0, 0) : run.err;
    }

private slots:
    void summaryAndEvents()
    {
        const ToolRun run = RunTool({"flight", IgcPath(QStringLiteral("flight_with_middle_landing.igc"))});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QLatin1String("flights     2")));
        QCOMPARE(run.out.count(QLatin1String("  Take-off")), 2);
        QCOMPARE(run.out.count(QLatin1String("  Landing")), 2);
        QVERIFY(run.out.count(QLatin1String("  Entering thermal")) >= 20);
        QVERIFY(run.out.contains(QRegularExpression(QStringLiteral("\\n  14:2[2-3]:\\d\\d  Landing\\n"))));
    }

    void valuesAtATime()
    {
        const ToolRun run = RunTool({"flight", napret, "--at", "12:40:00"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        // The fix's own B record: B1240004612669N01249467EA0051500562
        const QStringList expected{"Time               12:40:00", "Date               2016-04-03",
                                   "Latitude           46\u00b012.669'N", "Altitude           515",
                                   "GPS Alti           562"};
        for (const QString& line : expected)
            QVERIFY2(run.out.contains(QLatin1Char('\n') + line + QLatin1Char('\n')), qPrintable(line));
        // Fields the flight cannot give are not listed.
        QVERIFY(!run.out.contains(QLatin1String("\nTTG ")) && !run.out.contains(QLatin1String("Battery")));
    }

    void renderThePageOfTheReplay()
    {
        // The sample layout: page 0 "Thermal" has "Entering thermal", page 1
        // "Glide" the transition, page 7 "Power up".
        const QString thermal = Render("12:06:40", "live.png");
        QVERIFY2(thermal.startsWith(QLatin1String("12:06:40 page 0: Entering thermal at")), qPrintable(thermal));
        QCOMPARE(RunTool({"render", sample, "--page", "0", "-o", dir.filePath(QStringLiteral("still.png"))}).code,
                 0);
        const QImage live(dir.filePath(QStringLiteral("live.png"))),
            still(dir.filePath(QStringLiteral("still.png")));
        QCOMPARE(live.size(), still.size());
        QVERIFY(live != still); // the flight's values are painted in
        QVERIFY(Render("12:08:30", "glide.png").contains(QLatin1String(" page 1: Transition (leaving thermal) at")));
        // Before the flight's first fix: the power-up page.
        QVERIFY(Render("08:00:00", "early.png").contains(QLatin1String(" page 7: Power up")));
    }

    void airspaceEntryFromOpenAir()
    {
        // A 0.1 NM circle around the fix of 12:40:00 (46°12.669'N 12°49.467'E).
        const QString air = dir.filePath(QStringLiteral("air.txt"));
        QVERIFY(TestEnv::WriteFile(air, "AC R\r\nAN SPOT\r\nAL GND\r\nAH FL100\r\n"
                                        "V X=46:12:40.14 N 012:49:28.02 E\r\nDC 0.1\r\n"));
        const ToolRun run = RunTool({"flight", napret, "--airspace", air});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(
            run.out.contains(QRegularExpression(QStringLiteral("  12:(39:\\d\\d|40:00)  Airspace entry  SPOT\\n"))),
            qPrintable(run.out));
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
        QTest::newRow("no file") << QStringList{"flight"} << 2 << "an IGC file is needed";
        QTest::newRow("render --igc without --at")
            << QStringList{"render", sample, "--igc", napret, "-o", "/tmp/x.png"} << 2 << "--at";
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
