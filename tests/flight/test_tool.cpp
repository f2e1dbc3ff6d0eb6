// r8tool flight and render --igc on the real logs: the summary and events,
// the field values at a moment against the raw B record, the page the
// replay paints, airspace entry from an OpenAir file, and refusals.
#include "flightdata.h"
#include "testsupport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int code;
    QString out;
    QString err;
};

Run Tool(const QStringList& args)
{
    QProcess proc;
    proc.start(TestEnv::ToolPath("R8TOOL"), args);
    if (!proc.waitForFinished(60000))
        return {-1, QString(), QStringLiteral("timed out")};
    return {proc.exitCode(), QString::fromUtf8(proc.readAllStandardOutput()),
            QString::fromUtf8(proc.readAllStandardError())};
}

// "Name    value" lines of flight --at.
QString ValueOf(const QString& out, const QString& name)
{
    for (const QString& line : out.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1Char(' ')))
            return line.mid(name.size()).trimmed();
    return QString();
}

// The raw B record of a time, read here from the file text.
QByteArray RawRecord(const QString& file, const char* hhmmss)
{
    QFile f(IgcPath(file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(QByteArray("B") + hhmmss))
            return line;
    return {};
}

} // namespace

class TestFlightTool : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    const QString sample = TestEnv::TestData(QStringLiteral("layout/sample.zvl"));

private slots:
    void summaryAndEvents()
    {
        const Run run = Tool({QStringLiteral("flight"), IgcPath(QStringLiteral("flight_with_middle_landing.igc"))});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QLatin1String("flights     2")));
        QCOMPARE(run.out.count(QLatin1String("  Take-off")), 2);
        QCOMPARE(run.out.count(QLatin1String("  Landing")), 2);
        QVERIFY(run.out.count(QLatin1String("  Entering thermal")) >= 20);
        QVERIFY(run.out.contains(QRegularExpression(QStringLiteral("\\n  14:2[2-3]:\\d\\d  Landing\\n"))));
    }

    void valuesAtATime()
    {
        const Run run = Tool({QStringLiteral("flight"), IgcPath(QStringLiteral("napret.igc")),
                              QStringLiteral("--at"), QStringLiteral("12:40:00")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        // B1240004612669N01249467EA...: pressure altitude in bytes 26-30.
        const QByteArray raw = RawRecord(QStringLiteral("napret.igc"), "124000");
        QVERIFY(!raw.isEmpty());
        QCOMPARE(ValueOf(run.out, QStringLiteral("Altitude")), QString::number(raw.mid(25, 5).toInt()));
        QCOMPARE(ValueOf(run.out, QStringLiteral("GPS Alti")), QString::number(raw.mid(30, 5).toInt()));
        QCOMPARE(ValueOf(run.out, QStringLiteral("Time")), QStringLiteral("12:40:00"));
        QCOMPARE(ValueOf(run.out, QStringLiteral("Date")), QStringLiteral("2016-04-03"));
        QCOMPARE(ValueOf(run.out, QStringLiteral("Latitude")),
                 QStringLiteral("46\u00b0%1.%2'N")
                     .arg(QString::fromLatin1(raw.mid(9, 2)), QString::fromLatin1(raw.mid(11, 3))));
        QVERIFY(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d$"))
                    .match(ValueOf(run.out, QStringLiteral("Vario")))
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(ValueOf(run.out, QStringLiteral("Dur.")))
                    .hasMatch());
        // Fields the flight cannot give are not listed.
        QVERIFY(ValueOf(run.out, QStringLiteral("TTG")).isEmpty());
        QVERIFY(!run.out.contains(QLatin1String("Battery")));
    }

    void renderThePageOfTheReplay()
    {
        // The sample layout: page 0 "Thermal" has "Entering thermal", page 1
        // "Glide" the transition, page 7 "Power up".
        const QString live = dir.filePath(QStringLiteral("live.png"));
        Run run =
            Tool({QStringLiteral("render"), sample, QStringLiteral("--igc"), IgcPath(QStringLiteral("napret.igc")),
                  QStringLiteral("--at"), QStringLiteral("12:06:40"), QStringLiteral("-o"), live});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(run.out.startsWith(QLatin1String("12:06:40 page 0: Entering thermal at")), qPrintable(run.out));
        const QString still = dir.filePath(QStringLiteral("sample.png"));
        QCOMPARE(Tool({QStringLiteral("render"), sample, QStringLiteral("--page"), QStringLiteral("0"),
                       QStringLiteral("-o"), still})
                     .code,
                 0);
        const QImage a(live), b(still);
        QCOMPARE(a.size(), b.size());
        QVERIFY(a != b);

        run = Tool({QStringLiteral("render"), sample, QStringLiteral("--igc"), IgcPath(QStringLiteral("napret.igc")),
                    QStringLiteral("--at"), QStringLiteral("12:08:30"), QStringLiteral("-o"), live});
        QVERIFY2(run.out.contains(QLatin1String(" page 1: Transition (leaving thermal) at")), qPrintable(run.out));
        // Before the flight's first fix: the power-up page.
        run = Tool({QStringLiteral("render"), sample, QStringLiteral("--igc"), IgcPath(QStringLiteral("napret.igc")),
                    QStringLiteral("--at"), QStringLiteral("08:00:00"), QStringLiteral("-o"), live});
        QVERIFY2(run.out.contains(QLatin1String(" page 7: Power up")), qPrintable(run.out));
    }

    void airspaceEntryFromOpenAir()
    {
        // A 0.1 NM circle around the fix of 12:40:00 (46°12.669'N 12°49.467'E).
        const QString air = dir.filePath(QStringLiteral("air.txt"));
        QFile f(air);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("AC R\r\nAN SPOT\r\nAL GND\r\nAH FL100\r\nV X=46:12:40.14 N 012:49:28.02 E\r\nDC 0.1\r\n");
        f.close();
        const Run run = Tool(
            {QStringLiteral("flight"), IgcPath(QStringLiteral("napret.igc")), QStringLiteral("--airspace"), air});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QRegularExpression entry(QStringLiteral("  (\\d\\d:\\d\\d:\\d\\d)  Airspace entry  SPOT"));
        bool bNear = false;
        auto it = entry.globalMatch(run.out);
        while (it.hasNext()) {
            const qint64 t = IgcFile::ParseTime(it.next().captured(1));
            bNear = bNear || (t >= 12 * 3600 + 39 * 60 && t <= 12 * 3600 + 40 * 60);
        }
        QVERIFY2(bNear, qPrintable(run.out));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString igc = IgcPath(QStringLiteral("napret.igc"));
        const QString openair = TestEnv::OpenAirDir() + QStringLiteral("/gdal_test.txt");
        QTest::newRow("not IGC") << QStringList{"flight", openair} << 1 << "not an IGC flight log";
        QTest::newRow("missing file") << QStringList{"flight", "/nonexistent/x.igc"} << 1 << "/nonexistent/x.igc";
        QTest::newRow("bad time") << QStringList{"flight", igc, "--at", "25:00"} << 2 << "HH:MM:SS";
        QTest::newRow("no file") << QStringList{"flight"} << 2 << "an IGC file is needed";
        QTest::newRow("render --igc without --at")
            << QStringList{"render", sample, "--igc", igc, "-o", "/tmp/x.png"} << 2 << "--at";
        QTest::newRow("render --igc with --page")
            << QStringList{"render", sample, "--igc", igc, "--at", "12:00:00", "--page", "1", "-o", "/tmp/x.png"}
            << 2 << "chooses the page itself";
        QTest::newRow("airspace file without airspaces")
            << QStringList{"flight", igc, "--airspace", igc} << 1 << "holds no airspace";
    }

    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run run = Tool(args);
        QTEST(run.code, "code");
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

QTEST_MAIN(TestFlightTool)
#include "test_tool.moc"
