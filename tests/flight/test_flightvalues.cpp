// Flight values at chosen moments of real flights, checked against values
// worked out here from the fixes, and a synthetic thermal in a known wind.
#include "flightdata.h"
#include "flightfields.h"

namespace {

constexpr double kKmPerDeg = 6371.0 * M_PI / 180.0;

double AngleDiff(double a, double b)
{
    return std::abs(std::remainder(a - b, 360.0));
}

} // namespace

class TestFlightValues : public QObject
{
    Q_OBJECT
private slots:
    void atChosenTimes_data()
    {
        QTest::addColumn<QString>("at"); // a log and a time of day
        QTest::newRow("paraglider, 1 s fixes") << "napret.igc 12:40:00";
        QTest::newRow("glide after the landing in the middle") << "flight_with_middle_landing.igc 14:50:00";
        QTest::newRow("glider, 3 s fixes, after midnight") << "new_zealand.igc 01:09:58";
        QTest::newRow("glider, 8 s fixes") << "olsztyn.igc 12:00:02";
        QTest::newRow("GNSS altitude only") << "xctrack-2022-04-07.igc 11:37:00";
    }
    void atChosenTimes()
    {
        QFETCH(QString, at);
        const QString file = at.section(QLatin1Char(' '), 0, 0), time = at.section(QLatin1Char(' '), 1);
        const FlightTrack track(ReadRealLog(file));
        const int i = track.FixAt(track.FromTimeOfDay(IgcFile::ParseTime(time)));
        QCOMPARE(IgcFile::TimeText(track.Fix(i).iTime), time);
        const auto alt = [&track](int j) {
            return double(track.Log().bHasPressure ? track.Fix(j).iPressureAlt : track.Fix(j).iGnssAlt);
        };
        QCOMPARE(track.Value(i, FlightQuantity::Altitude), alt(i));
        QCOMPARE(track.Value(i, FlightQuantity::GpsAltitude), double(track.Fix(i).iGnssAlt));

        // Vario, speed and track over the latest fix a second (or more) before.
        const int j = track.FixAt(track.Fix(i).iTime - 1);
        const double dt = track.Fix(i).iTime - track.Fix(j).iTime;
        const double north = (track.Fix(i).dLat - track.Fix(j).dLat) * kKmPerDeg;
        const double east =
            (track.Fix(i).dLon - track.Fix(j).dLon) * kKmPerDeg * std::cos(track.Fix(i).dLat * M_PI / 180.0);
        const double speed = std::hypot(north, east) / dt * 3600.0;
        QVERIFY(Near(track.Value(i, FlightQuantity::Vario), (alt(i) - alt(j)) / dt, 0.01, "vario"));
        QVERIFY(Near(track.Value(i, FlightQuantity::Speed), speed, 0.3 + 0.005 * speed, "speed"));
        const double bearing = std::atan2(east, north) * 180.0 / M_PI;
        QVERIFY(speed < 5.0 || Near(AngleDiff(track.Value(i, FlightQuantity::Track), bearing), 0.0, 1.0, "track"));
        // Average vario over the latest fix at least 25 s before.
        const int k = track.FixAt(track.Fix(i).iTime - 25);
        const double dtk = track.Fix(i).iTime - track.Fix(k).iTime;
        QVERIFY(dtk >= 25);
        QVERIFY(Near(track.Value(i, FlightQuantity::AvgVario), (alt(i) - alt(k)) / dtk, 0.01, "average vario"));
    }

    void maxAltitudeOfTheFlight()
    {
        // The top of the second flight, from its take-off on, held after it
        // landed: the first flight of the log went higher.
        const FlightTrack track(ReadRealLog(QStringLiteral("flight_with_middle_landing.igc")));
        const FlightLeg leg = track.Legs().last();
        double top = -1e9;
        for (int i = leg.iTakeoffFix; i <= leg.iLandingFix; ++i)
            top = std::max(top, track.Value(i, FlightQuantity::Altitude));
        QCOMPARE(track.Value(track.FixCount() - 1, FlightQuantity::MaxAltitude), top);
    }

    void repeatedTimesStayFinite()
    {
        // The last 51 fixes of this log share one time: nothing may divide by
        // it, and each holds the values of the fix before it.
        const FlightTrack track(ReadRealLog(QStringLiteral("no_time_increment.igc")));
        const int last = track.FixCount() - 1;
        QCOMPARE(track.Fix(last).iTime, track.Fix(last - 50).iTime);
        for (int i = 0; i <= last; ++i)
            for (FlightQuantity q : {FlightQuantity::Vario, FlightQuantity::AvgVario, FlightQuantity::Speed,
                                     FlightQuantity::AvgSpeed, FlightQuantity::TurnRate, FlightQuantity::MaxClimb})
                QVERIFY2(std::isfinite(track.Value(i, q)), qPrintable(QStringLiteral("fix %1").arg(i)));
        QCOMPARE(track.Value(last, FlightQuantity::Speed), track.Value(last - 1, FlightQuantity::Speed));
    }

    void thermalInKnownWind()
    {
        // Standing 60 s, gliding north 120 s, circling 240 s (30 s a turn,
        // climbing 2 m/s), gliding 120 s, all at 36 km/h through the air, in a
        // wind of 18 km/h from the west (it drifts the glider east).
        const double air = 36.0 / 3600.0, wind = 18.0 / 3600.0; // km/s
        double heading = 0;
        const FlightTrack track(SyntheticLog(540, [&](int t, double* north, double* east, double* alt) {
            if (t < 60)
                return;
            const bool circling = t >= 180 && t < 420;
            heading += circling ? 12.0 : 0.0;
            *north += air * std::cos(heading * M_PI / 180.0);
            *east += air * std::sin(heading * M_PI / 180.0) + wind;
            *alt += circling ? 2.0 : -1.0;
        }));
        const QVector<qint64> entries = EventTimes(track, FlightEvent::ThermalEntry),
                              exits = EventTimes(track, FlightEvent::ThermalExit);
        QVERIFY(entries.size() == 1 && exits.size() == 1);
        QVERIFY(Near(entries.first(), 12 * 3600 + 180, FlightTrack::kTurnWindow, "thermal entry"));
        QVERIFY(Near(exits.first(), 12 * 3600 + 420, FlightTrack::kTurnWindow, "thermal exit"));

        const auto at = [&track](int i, FlightQuantity q) { return track.Value(i, q); };
        const int end = track.FixCount() - 1;
        QVERIFY(Near(at(end, FlightQuantity::WindSpeed), 18.0, 1.5, "wind speed"));
        QVERIFY(Near(AngleDiff(at(end, FlightQuantity::WindDir), 270.0), 0.0, 5.0, "wind direction"));
        QVERIFY(Near(at(end, FlightQuantity::ThermalClimb), 2.0, 0.2, "thermal climb"));
        QVERIFY(Near(at(end, FlightQuantity::ThermalTime), 240.0, 2 * FlightTrack::kTurnWindow, "thermal time"));
        // Gliding at 1 m/s sink and 36 km/h through the air, with the wind
        // across: a ground glide ratio of 11.18, before the thermal and after it.
        const double ground = std::hypot(air, wind); // km/s
        QVERIFY(Near(at(end, FlightQuantity::GlideRatio), ground * 1000, 0.3, "glide ratio"));
        QVERIFY(Near(at(170, FlightQuantity::GlideRatio), ground * 1000, 0.3, "glide ratio before"));
        QVERIFY(std::isnan(at(300, FlightQuantity::GlideRatio))); // climbing: no glide ratio
        // Thermal top: the altitude where the climb ended, held during the glide.
        QVERIFY(Near(at(end, FlightQuantity::ThermalTop), at(420, FlightQuantity::Altitude), 20, "thermal top"));
        QVERIFY(at(end, FlightQuantity::GainLoss) < -100);
        QVERIFY(Near(at(end, FlightQuantity::DistThermal), 120 * ground, 0.15, "distance from the thermal"));
        QVERIFY(Near(at(end, FlightQuantity::FlightTime), 480.0, 2.0, "flight time"));
    }

    void fieldsOfTheFlight()
    {
        // Time and date in the log's time zone: UTC+2 here, so the evening's
        // last fixes fall on the next local day.
        IgcLog late = ReadRealLog(QStringLiteral("olsztyn.igc"));
        late.fixes.resize(1);
        late.fixes.first().iTime = 22 * 3600 + 30 * 60;
        QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 36).dNumber, double(30 * 60));
        QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 46).dNumber, double(QDate(2011, 9, 3).toJulianDay()));
        late.iUtcOffset = -3 * 3600;
        late.fixes.first().iTime = 3600;
        QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 36).dNumber, double(22 * 3600));
        QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 46).dNumber, double(QDate(2011, 9, 1).toJulianDay()));
        QCOMPARE(FlightFields::LatitudeText(-(38 + 39.773 / 60)), QStringLiteral("38\u00b039.773'S"));
        QCOMPARE(FlightFields::LongitudeText(-(8 + 24.4376 / 60)), QStringLiteral("008\u00b024.438'W"));
        QCOMPARE(FlightFields::LatitudeText(45.99999999), QStringLiteral("46\u00b000.000'N"));
        // True airspeed only from a logger that records it; time to go never (it needs a task).
        const FlightTrack track(ReadRealLog(QStringLiteral("napret.igc")));
        QVERIFY(!FlightFields::IsMapped(track, 245));
        QVERIFY(FlightFields::IsMapped(FlightTrack(ReadRealLog(QStringLiteral("new_zealand.igc"))), 245));
        QVERIFY(!FlightFields::Value(track, 0, 30).bHas);
    }
};

QTEST_MAIN(TestFlightValues)
#include "test_flightvalues.moc"
