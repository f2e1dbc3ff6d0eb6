// Events of the real flights: take-off and landing against the times the
// logs show (the ground run starting, the aircraft at rest), thermals
// inside the flights, and airspace entry against outlines built here.
#include "flightairspace.h"
#include "flightdata.h"

namespace {

// "11:23:30-14:23:10 14:27:50-": take-off and landing of each flight (-1
// for the last one here: the log ends in the air); hours go on past 24.
QVector<QPair<qint64, qint64>> Flights(const QString& text)
{
    const auto seconds = [](const QString& t) {
        return t.isEmpty() ? -1 : t.left(2).toInt() * 3600 + t.mid(3, 2).toInt() * 60 + t.mid(6, 2).toInt();
    };
    QVector<QPair<qint64, qint64>> flights;
    for (const QString& leg : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        flights.append(
            qMakePair(seconds(leg.section(QLatin1Char('-'), 0, 0)), seconds(leg.section(QLatin1Char('-'), 1))));
    return flights;
}

} // namespace

class TestFlightEvents : public QObject
{
    Q_OBJECT
private slots:
    void takeoffAndLanding_data()
    {
        // The log, then each flight's take-off and landing as the ground speed
        // and altitude show them.
        QTest::addColumn<QString>("flights");
        QTest::newRow("landing in the middle")
            << "flight_with_middle_landing.igc 11:23:30-14:23:10 14:27:50-15:35:20";
        QTest::newRow("log starts in the air") << "napret.igc 12:00:00-13:28:28";
        QTest::newRow("lands after midnight") << "new_zealand.igc 23:48:21-28:08:04";
        QTest::newRow("8 s fixes in flight") << "olsztyn.igc 10:16:57-15:12:18";
        QTest::newRow("skydrop") << "skydrop-2019-04-15.igc 08:32:11-08:39:55";
        QTest::newRow("xctrack 2020") << "xctrack-2020-09-04.igc 16:28:12-16:37:20";
        QTest::newRow("xctrack, GNSS only") << "xctrack-2022-04-07.igc 11:35:11-11:39:22";
        QTest::newRow("repeated times, ends climbing") << "no_time_increment.igc 10:16:57-";
        QTest::newRow("nine fixes hours apart") << "bad-line.igc";
    }
    void takeoffAndLanding()
    {
        QFETCH(QString, flights);
        const QVector<QPair<qint64, qint64>> expected = Flights(flights.section(QLatin1Char(' '), 1));
        const FlightTrack track(ReadRealLog(flights.section(QLatin1Char(' '), 0, 0)));
        const QVector<qint64> takeoffs = EventTimes(track, FlightEvent::Takeoff);
        const QVector<qint64> landings = EventTimes(track, FlightEvent::Landing);
        QCOMPARE(track.Legs().size(), expected.size());
        QCOMPARE(takeoffs.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QVERIFY(Near(takeoffs.at(i), expected.at(i).first, 30, "take-off"));
            const int iLanding = track.Legs().at(i).iLandingFix;
            QCOMPARE(iLanding < 0, expected.at(i).second < 0);
            if (iLanding < 0)
                continue;
            QVERIFY(Near(track.Fix(iLanding).iTime, expected.at(i).second, 30, "landing"));
            QVERIFY(landings.contains(track.Fix(iLanding).iTime));
            // Between landing and the next take-off the pilot is on the ground.
            QVERIFY(!track.IsAirborne(iLanding + 1));
        }
    }

    void thermalsInsideFlights()
    {
        // A cross-country paraglider flight: many climbs, each in the air and
        // holding at least one full circle of the ground track.
        const FlightTrack track(ReadRealLog(QStringLiteral("flight_with_middle_landing.igc")));
        int entry = -1, entries = 0;
        for (const FlightEvent& e : track.Events()) {
            if (e.kind == FlightEvent::ThermalEntry) {
                QVERIFY(entry < 0 && track.IsAirborne(e.iFix));
                entry = e.iFix;
                ++entries;
            } else if (e.kind == FlightEvent::Landing) {
                QVERIFY(entry < 0);
            } else if (e.kind == FlightEvent::ThermalExit) {
                QVERIFY(entry >= 0);
                double turned = 0;
                for (int i = entry + 1; i <= e.iFix; ++i)
                    turned += std::abs(std::remainder(
                        track.Value(i, FlightQuantity::Track) - track.Value(i - 1, FlightQuantity::Track), 360.0));
                QVERIFY2(turned >= 360.0, qPrintable(IgcFile::TimeText(track.Fix(entry).iTime)));
                entry = -1;
            }
        }
        QVERIFY2(entries >= 20, qPrintable(QString::number(entries)));
    }

    void airspaceEntry_data()
    {
        QTest::addColumn<double>("floor");
        QTest::addColumn<double>("ceiling");
        QTest::addColumn<int>("entries");
        QTest::addColumn<qint64>("at"); // seconds after the start
        // The track goes north at 36 km/h from 1500 m, climbing 1 m/s: it
        // reaches the square after 100 s, at 1600 m, and leaves it 200 s later.
        QTest::newRow("inside the band") << 0.0 << 3000.0 << 1 << qint64(100);
        QTest::newRow("below the floor") << 1700.0 << 3000.0 << 1 << qint64(200); // climbs through it
        QTest::newRow("above the ceiling") << 0.0 << 1550.0 << 0 << qint64(0);
    }
    void airspaceEntry()
    {
        QFETCH(double, floor);
        QFETCH(double, ceiling);
        QFETCH(int, entries);
        QFETCH(qint64, at);
        const double kmLat = 1.0 / (6371.0 * M_PI / 180.0);
        FlightAirspaces airspaces;
        // A square from 1 km to 3 km north of the start, 1 km either side.
        airspaces.AddPolygon(QStringLiteral("TEST CTR"),
                             {QPointF(46.0 + kmLat, 7.98), QPointF(46.0 + kmLat, 8.02),
                              QPointF(46.0 + 3 * kmLat, 8.02), QPointF(46.0 + 3 * kmLat, 7.98)},
                             floor, ceiling);
        const FlightTrack track(SyntheticLog(400,
                                             [](int, double* north, double*, double* alt) {
                                                 *north += 0.01;
                                                 *alt += 1.0;
                                             }),
                                &airspaces);
        QCOMPARE(EventTimes(track, FlightEvent::AirspaceEntry).size(), entries);
        for (const FlightEvent& e : track.Events())
            if (e.kind == FlightEvent::AirspaceEntry) {
                QCOMPARE(e.strDetail, QStringLiteral("TEST CTR"));
                QVERIFY(Near(e.iTime, 12 * 3600 + at, 1, "entry"));
            }
    }

    void pointInAirspace_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("alt");
        QTest::addColumn<QVector<int>>("inside");
        // An L-shaped polygon (concave), 1000-2000 m.
        QTest::newRow("in the L's foot") << 45.05 << 6.15 << 1500.0 << QVector<int>{0};
        QTest::newRow("in the L's notch") << 45.15 << 6.15 << 1500.0 << QVector<int>{};
        QTest::newRow("in the L, below its floor") << 45.05 << 6.05 << 900.0 << QVector<int>{};
    }
    void pointInAirspace()
    {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(double, alt);
        FlightAirspaces airspaces;
        airspaces.AddPolygon(QStringLiteral("L"),
                             {QPointF(45.0, 6.0), QPointF(45.0, 6.2), QPointF(45.1, 6.2), QPointF(45.1, 6.1),
                              QPointF(45.2, 6.1), QPointF(45.2, 6.0)},
                             1000, 2000);
        airspaces.AddPolygon(QStringLiteral("two points make no area"), {QPointF(45, 6), QPointF(46, 7)}, 0, 9000);
        QCOMPARE(airspaces.All().size(), 1);
        QTEST(airspaces.Containing(lat, lon, alt), "inside");
    }
};

QTEST_MAIN(TestFlightEvents)
#include "test_flightevents.moc"
