// Events of the real flights: take-off and landing against the times the
// logs show (the ground run starting, the aircraft at rest), thermals
// inside the flights, and airspace entry against outlines built here.
#include "flightairspace.h"
#include "flightdata.h"
#include "flighttrack.h"
#include "testsupport.h"

#include <QtTest>

namespace {

constexpr qint64 kTolerance = 30; // s

qint64 T(const char* hhmmss)
{
    return IgcFile::ParseTime(QLatin1String(hhmmss));
}

// A straight track north at 36 km/h, 1 s fixes, climbing 1 m/s from 500 m.
IgcLog StraightNorth(int seconds)
{
    IgcLog log;
    log.bHasPressure = true;
    for (int t = 0; t <= seconds; ++t) {
        IgcFix f;
        f.iTime = 10 * 3600 + t;
        f.dLat = 46.0 + t * 0.01 / (6371.0 * M_PI / 180.0);
        f.dLon = 7.0;
        f.iPressureAlt = 500 + t;
        f.iGnssAlt = f.iPressureAlt;
        log.fixes.append(f);
    }
    return log;
}

} // namespace

class TestFlightEvents : public QObject
{
    Q_OBJECT
private slots:
    void takeoffAndLanding_data();
    void takeoffAndLanding();
    void thermalsInsideFlights();
    void airspaceEntry_data();
    void airspaceEntry();
    void pointInAirspace_data();
    void pointInAirspace();
};

void TestFlightEvents::takeoffAndLanding_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVector<qint64>>("takeoffs");
    QTest::addColumn<QVector<qint64>>("landings"); // -1: the log ends in the air
    // Times read from the logs' ground speed and altitude.
    QTest::newRow("landing in the middle")
        << "flight_with_middle_landing.igc" << QVector<qint64>{T("11:23:30"), T("14:27:50")}
        << QVector<qint64>{T("14:23:10"), T("15:35:20")};
    QTest::newRow("log starts in the air")
        << "napret.igc" << QVector<qint64>{T("12:00:00")} << QVector<qint64>{T("13:28:28")};
    QTest::newRow("lands after midnight")
        << "new_zealand.igc" << QVector<qint64>{T("23:48:21")} << QVector<qint64>{86400 + T("04:08:04")};
    QTest::newRow("8 s fixes in flight")
        << "olsztyn.igc" << QVector<qint64>{T("10:16:57")} << QVector<qint64>{T("15:12:18")};
    QTest::newRow("skydrop") << "skydrop-2019-04-15.igc" << QVector<qint64>{T("08:32:11")}
                             << QVector<qint64>{T("08:39:55")};
    QTest::newRow("xctrack 2020") << "xctrack-2020-09-04.igc" << QVector<qint64>{T("16:28:12")}
                                  << QVector<qint64>{T("16:37:20")};
    QTest::newRow("xctrack, GNSS only") << "xctrack-2022-04-07.igc" << QVector<qint64>{T("11:35:11")}
                                        << QVector<qint64>{T("11:39:22")};
    QTest::newRow("repeated times, ends climbing")
        << "no_time_increment.igc" << QVector<qint64>{T("10:16:57")} << QVector<qint64>{-1};
    QTest::newRow("nine fixes hours apart") << "bad-line.igc" << QVector<qint64>{} << QVector<qint64>{};
}

void TestFlightEvents::takeoffAndLanding()
{
    QFETCH(QString, file);
    QFETCH(QVector<qint64>, takeoffs);
    QFETCH(QVector<qint64>, landings);
    const FlightTrack track(ReadRealLog(file));
    QCOMPARE(track.Legs().size(), takeoffs.size());
    QVector<qint64> seenTakeoffs, seenLandings;
    for (const FlightEvent& e : track.Events()) {
        if (e.kind == FlightEvent::Takeoff)
            seenTakeoffs.append(e.iTime);
        else if (e.kind == FlightEvent::Landing)
            seenLandings.append(e.iTime);
    }
    QCOMPARE(seenTakeoffs.size(), takeoffs.size());
    for (int i = 0; i < takeoffs.size(); ++i) {
        QVERIFY2(
            std::abs(seenTakeoffs.at(i) - takeoffs.at(i)) <= kTolerance,
            qPrintable(QStringLiteral("take-off %1 at %2").arg(i + 1).arg(IgcFile::TimeText(seenTakeoffs.at(i)))));
        const FlightLeg& leg = track.Legs().at(i);
        QCOMPARE(leg.iLandingFix < 0, landings.at(i) < 0);
        if (landings.at(i) < 0)
            continue;
        const qint64 landed = track.Fix(leg.iLandingFix).iTime;
        QVERIFY2(std::abs(landed - landings.at(i)) <= kTolerance,
                 qPrintable(QStringLiteral("landing %1 at %2").arg(i + 1).arg(IgcFile::TimeText(landed))));
        QVERIFY(seenLandings.contains(landed));
        // Between landing and the next take-off the pilot is on the ground.
        QVERIFY(!track.IsAirborne(leg.iLandingFix + 1));
    }
    QCOMPARE(seenLandings.size(),
             int(std::count_if(landings.begin(), landings.end(), [](qint64 t) { return t >= 0; })));
}

void TestFlightEvents::thermalsInsideFlights()
{
    const FlightTrack track(ReadRealLog(QStringLiteral("flight_with_middle_landing.igc")));
    int entries = 0;
    bool bIn = false;
    qint64 last = 0;
    for (const FlightEvent& e : track.Events()) {
        QVERIFY(e.iTime >= last); // in time order
        last = e.iTime;
        if (e.kind == FlightEvent::ThermalEntry) {
            QVERIFY(!bIn);
            QVERIFY(track.IsAirborne(e.iFix));
            bIn = true;
            ++entries;
        } else if (e.kind == FlightEvent::ThermalExit) {
            QVERIFY(bIn);
            bIn = false;
        } else if (e.kind == FlightEvent::Landing) {
            QVERIFY(!bIn);
        }
    }
    // A cross-country paraglider flight: many climbs, each a sustained turn.
    QVERIFY2(entries >= 20, qPrintable(QString::number(entries)));
    // Each thermal holds at least one full circle of the ground track.
    int entry = -1;
    for (const FlightEvent& e : track.Events()) {
        if (e.kind == FlightEvent::ThermalEntry)
            entry = e.iFix;
        if (e.kind != FlightEvent::ThermalExit)
            continue;
        double turned = 0;
        for (int i = entry + 1; i <= e.iFix; ++i) {
            double d =
                std::fmod(track.Value(i, FlightQuantity::Track) - track.Value(i - 1, FlightQuantity::Track) + 540.0,
                          360.0)
                - 180.0;
            turned += std::abs(d);
        }
        QVERIFY2(turned >= 360.0, qPrintable(IgcFile::TimeText(track.Fix(entry).iTime)));
    }
}

void TestFlightEvents::airspaceEntry_data()
{
    QTest::addColumn<double>("floor");
    QTest::addColumn<double>("ceiling");
    QTest::addColumn<int>("entries");
    QTest::addColumn<qint64>("at"); // seconds after the start
    // The track crosses latitude 46.5 km-wise at 1.0 km north, after 100 s,
    // at 600 m; it leaves the square 2 km later.
    QTest::newRow("inside the band") << 0.0 << 1000.0 << 1 << qint64(100);
    QTest::newRow("below the floor") << 700.0 << 2000.0 << 1 << qint64(200); // climbs through the floor at 700 m
    QTest::newRow("above the ceiling") << 0.0 << 550.0 << 0 << qint64(0);
}

void TestFlightEvents::airspaceEntry()
{
    QFETCH(double, floor);
    QFETCH(double, ceiling);
    QFETCH(int, entries);
    QFETCH(qint64, at);
    const double kmLat = 1.0 / (6371.0 * M_PI / 180.0);
    FlightAirspaces airspaces;
    // A square from 1 km to 3 km north of the start, 1 km either side.
    airspaces.AddPolygon(QStringLiteral("TEST CTR"),
                         {QPointF(46.0 + kmLat, 6.98), QPointF(46.0 + kmLat, 7.02), QPointF(46.0 + 3 * kmLat, 7.02),
                          QPointF(46.0 + 3 * kmLat, 6.98)},
                         floor, ceiling);
    const FlightTrack track(StraightNorth(400), &airspaces);
    QVector<FlightEvent> found;
    for (const FlightEvent& e : track.Events())
        if (e.kind == FlightEvent::AirspaceEntry)
            found.append(e);
    QCOMPARE(found.size(), entries);
    if (entries) {
        QCOMPARE(found.first().strDetail, QStringLiteral("TEST CTR"));
        QVERIFY2(std::abs(found.first().iTime - (10 * 3600 + at)) <= 1,
                 qPrintable(IgcFile::TimeText(found.first().iTime)));
    }
}

void TestFlightEvents::pointInAirspace_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("alt");
    QTest::addColumn<QVector<int>>("inside");
    // 0: an L-shaped polygon (concave), 1000-2000 m; 1: a 5 km circle at
    // (45.5, 6.5), 0-3000 m.
    QTest::newRow("in the L's foot") << 45.05 << 6.15 << 1500.0 << QVector<int>{0};
    QTest::newRow("in the L's notch") << 45.15 << 6.15 << 1500.0 << QVector<int>{};
    QTest::newRow("in the L, below its floor") << 45.05 << 6.05 << 900.0 << QVector<int>{};
    QTest::newRow("circle centre") << 45.5 << 6.5 << 100.0 << QVector<int>{1};
    QTest::newRow("4.5 km north of the centre") << 45.5 + 4.5 / 111.19 << 6.5 << 100.0 << QVector<int>{1};
    QTest::newRow("5.5 km east of the centre")
        << 45.5 << 6.5 + 5.5 / (111.19 * std::cos(45.5 * M_PI / 180)) << 100.0 << QVector<int>{};
}

void TestFlightEvents::pointInAirspace()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, alt);
    FlightAirspaces airspaces;
    airspaces.AddPolygon(QStringLiteral("L"),
                         {QPointF(45.0, 6.0), QPointF(45.0, 6.2), QPointF(45.1, 6.2), QPointF(45.1, 6.1),
                          QPointF(45.2, 6.1), QPointF(45.2, 6.0)},
                         1000, 2000);
    airspaces.AddCircle(QStringLiteral("O"), 45.5, 6.5, 5.0, 0, 3000);
    airspaces.AddPolygon(QStringLiteral("two points make no area"), {QPointF(45, 6), QPointF(46, 7)}, 0, 9000);
    QCOMPARE(airspaces.All().size(), 2);
    QTEST(airspaces.Containing(lat, lon, alt), "inside");
}

QTEST_MAIN(TestFlightEvents)
#include "test_flightevents.moc"
