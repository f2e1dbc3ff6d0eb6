// Events of the real flights: take-off and landing against the times the
// logs show (the ground run starting, the aircraft at rest), thermals
// inside the flights, and airspace entry against outlines built here.
#include "flightairspace.h"
#include "flightdata.h"

class TestFlightEvents : public QObject
{
    Q_OBJECT
private slots:
    void takeoffAndLanding_data()
    {
        // The log, then each flight's take-off and landing as the ground speed
        // and altitude show them (no landing: the log ends in the air).
        QTest::addColumn<QString>("flights");
        QTest::newRow("landing in the middle")
            << "flight_with_middle_landing.igc 11:23:30-14:23:10 14:27:50-15:35:20";
        QTest::newRow("log starts in the air") << "napret.igc 12:00:00-13:28:28";
        QTest::newRow("lands after midnight") << "new_zealand.igc 23:48:21-04:08:04";
        QTest::newRow("8 s fixes in flight") << "olsztyn.igc 10:16:57-15:12:18";
        QTest::newRow("skydrop") << "skydrop-2019-04-15.igc 08:32:11-08:39:55";
        QTest::newRow("xctrack, GNSS only") << "xctrack-2022-04-07.igc 11:35:11-11:39:22";
        QTest::newRow("repeated times, ends climbing") << "no_time_increment.igc 10:16:57-";
        QTest::newRow("nine fixes hours apart") << "bad-line.igc";
    }
    void takeoffAndLanding()
    {
        QFETCH(QString, flights);
        QStringList legs = flights.split(QLatin1Char(' '));
        const FlightTrack track(ReadRealLog(legs.takeFirst()));
        const auto at = [&track](const QString& t) { return track.FromTimeOfDay(IgcFile::ParseTime(t)); };
        const QVector<qint64> takeoffs = EventTimes(track, FlightEvent::Takeoff);
        const QVector<qint64> landings = EventTimes(track, FlightEvent::Landing);
        QCOMPARE(track.Legs().size(), legs.size());
        QCOMPARE(takeoffs.size(), legs.size());
        for (int i = 0; i < legs.size(); ++i) {
            QVERIFY(Near(takeoffs.at(i), at(legs.at(i).section(QLatin1Char('-'), 0, 0)), 30, "take-off"));
            const QString landing = legs.at(i).section(QLatin1Char('-'), 1);
            const int iLanding = track.Legs().at(i).iLandingFix;
            QCOMPARE(iLanding < 0, landing.isEmpty());
            if (iLanding < 0)
                continue;
            QVERIFY(Near(track.Fix(iLanding).iTime, at(landing), 30, "landing"));
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

    void airspaceEntry()
    {
        // Three airspaces on a square from 1 km to 3 km north of the start, 1 km
        // either side. The track goes north at 36 km/h from 1500 m, climbing
        // 1 m/s: it reaches the square after 100 s, at 1600 m, climbs through
        // 1700 m 100 s later, and leaves the square 200 s after it came in.
        const double kmLat = 1.0 / (6371.0 * M_PI / 180.0);
        const QVector<QPointF> square{QPointF(46.0 + kmLat, 7.98), QPointF(46.0 + kmLat, 8.02),
                                      QPointF(46.0 + 3 * kmLat, 8.02), QPointF(46.0 + 3 * kmLat, 7.98)};
        FlightAirspaces airspaces;
        airspaces.AddPolygon(QStringLiteral("BAND"), square, 0, 3000);
        airspaces.AddPolygon(QStringLiteral("ABOVE"), square, 1700, 3000);
        airspaces.AddPolygon(QStringLiteral("BELOW"), square, 0, 1550);
        const FlightTrack track(SyntheticLog(400,
                                             [](int, double* north, double*, double* alt) {
                                                 *north += 0.01;
                                                 *alt += 1.0;
                                             }),
                                &airspaces);
        QStringList entries; // name and seconds after the start
        for (const FlightEvent& e : track.Events())
            if (e.kind == FlightEvent::AirspaceEntry)
                entries << QStringLiteral("%1 %2").arg(e.strDetail).arg(e.iTime - 12 * 3600);
        QCOMPARE(entries, QStringList({"BAND 100", "ABOVE 200"}));
    }

    void pointInAirspace()
    {
        // An L-shaped (concave) polygon, 1000-2000 m; two points make no area.
        FlightAirspaces airspaces;
        airspaces.AddPolygon(QStringLiteral("L"),
                             {QPointF(45.0, 6.0), QPointF(45.0, 6.2), QPointF(45.1, 6.2), QPointF(45.1, 6.1),
                              QPointF(45.2, 6.1), QPointF(45.2, 6.0)},
                             1000, 2000);
        airspaces.AddPolygon(QStringLiteral("line"), {QPointF(45, 6), QPointF(46, 7)}, 0, 9000);
        QCOMPARE(airspaces.All().size(), 1);
        QCOMPARE(airspaces.Containing(45.05, 6.15, 1500), QVector<int>{0}); // in the L's foot
        QVERIFY(airspaces.Containing(45.15, 6.15, 1500).isEmpty());         // in the L's notch
    }
};

QTEST_MAIN(TestFlightEvents)
#include "test_flightevents.moc"
