// Flight values at chosen moments of real flights, checked against values
// worked out here from the raw B records of the file (not through the
// reader), and a synthetic thermal in a known wind.
#include "flightdata.h"
#include "flightfields.h"
#include "flighttrack.h"
#include "testsupport.h"

#include <QFile>
#include <QtTest>
#include <cmath>

namespace {

// A B record as this test reads it: its own parsing of the file text.
struct RawFix {
    int t = -1;
    double lat = 0, lon = 0;
    int pressure = 0, gnss = 0;
};

QVector<RawFix> RawFixes(const QString& file)
{
    QFile f(IgcPath(file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QVector<RawFix> fixes;
    int dayOffset = 0;
    const QByteArray text = f.readAll();
    // XCTrack writes a further decimal of the minutes in bytes 36 and 37.
    const bool bExtraDecimals = text.contains("\nI023636LAD3737LOD");
    for (const QByteArray& line : text.split('\n')) {
        if (!line.startsWith('B') || line.trimmed().size() < 35)
            continue;
        RawFix r;
        r.t = line.mid(1, 2).toInt() * 3600 + line.mid(3, 2).toInt() * 60 + line.mid(5, 2).toInt() + dayOffset;
        if (!fixes.isEmpty() && r.t < fixes.last().t - 43200) {
            dayOffset += 86400;
            r.t += 86400;
        }
        const double latExtra = bExtraDecimals ? (line.at(35) - '0') / 600000.0 : 0.0;
        const double lonExtra = bExtraDecimals ? (line.at(36) - '0') / 600000.0 : 0.0;
        r.lat =
            (line.mid(7, 2).toInt() + line.mid(9, 5).toInt() / 60000.0 + latExtra) * (line.at(14) == 'S' ? -1 : 1);
        r.lon =
            (line.mid(15, 3).toInt() + line.mid(18, 5).toInt() / 60000.0 + lonExtra) * (line.at(23) == 'W' ? -1 : 1);
        r.pressure = line.mid(25, 5).toInt();
        r.gnss = line.mid(30, 5).toInt();
        fixes.append(r);
    }
    return fixes;
}

// Flat-earth displacement in km (north, east): independent of the
// track's great-circle formulas, and as good over a few hundred metres.
void Displacement(const RawFix& a, const RawFix& b, double* north, double* east)
{
    const double k = 6371.0 * M_PI / 180.0;
    *north = (b.lat - a.lat) * k;
    *east = (b.lon - a.lon) * k * std::cos((a.lat + b.lat) / 2 * M_PI / 180.0);
}

// The latest fix at least w seconds before fix i.
int Before(const QVector<RawFix>& fixes, int i, int w)
{
    int j = i;
    while (j > 0 && fixes.at(i).t - fixes.at(j).t < w)
        --j;
    return j;
}

double AngleDiff(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

} // namespace

class TestFlightValues : public QObject
{
    Q_OBJECT
private slots:
    void atChosenTimes_data();
    void atChosenTimes();
    void maxAltitudeOfTheFlight_data();
    void maxAltitudeOfTheFlight();
    void repeatedTimesStayFinite();
    void thermalInKnownWind();
    void fieldsOfTheFlight();
};

void TestFlightValues::atChosenTimes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("time");
    QTest::newRow("paraglider, 1 s fixes") << "napret.igc"
                                           << "12:40:00";
    QTest::newRow("glide after the landing in the middle") << "flight_with_middle_landing.igc"
                                                           << "14:50:00";
    QTest::newRow("glider, 3 s fixes, after midnight") << "new_zealand.igc"
                                                       << "01:09:58";
    QTest::newRow("glider, 8 s fixes") << "olsztyn.igc"
                                       << "12:00:02";
    QTest::newRow("GNSS altitude only") << "xctrack-2022-04-07.igc"
                                        << "11:37:00";
    QTest::newRow("short flight") << "skydrop-2019-04-15.igc"
                                  << "08:35:00";
}

void TestFlightValues::atChosenTimes()
{
    QFETCH(QString, file);
    QFETCH(QString, time);
    const QVector<RawFix> raw = RawFixes(file);
    const IgcLog log = ReadRealLog(file);
    QCOMPARE(log.fixes.size(), raw.size());
    const FlightTrack track(log);
    const int iFix = track.FixAt(track.FromTimeOfDay(IgcFile::ParseTime(time)));
    const RawFix& now = raw.at(iFix);
    QCOMPARE(int(track.Fix(iFix).iTime % 86400), IgcFile::ParseTime(time) % 86400);

    // Altitudes exact: pressure when the logger has it, else GNSS.
    const bool bPressure = std::any_of(raw.begin(), raw.end(), [](const RawFix& r) { return r.pressure != 0; });
    QCOMPARE(track.Value(iFix, FlightQuantity::Altitude), double(bPressure ? now.pressure : now.gnss));
    QCOMPARE(track.Value(iFix, FlightQuantity::GpsAltitude), double(now.gnss));

    // Vario, speed and track over the fix a second (or one interval) before.
    const RawFix& prev = raw.at(Before(raw, iFix, 1));
    const double dt = now.t - prev.t;
    double north, east;
    Displacement(prev, now, &north, &east);
    const double vario = ((bPressure ? now.pressure : now.gnss) - (bPressure ? prev.pressure : prev.gnss)) / dt;
    const double speed = std::hypot(north, east) / dt * 3600.0;
    const double trackDeg = std::fmod(std::atan2(east, north) * 180.0 / M_PI + 360.0, 360.0);
    QVERIFY2(std::abs(track.Value(iFix, FlightQuantity::Vario) - vario) < 0.01,
             qPrintable(
                 QStringLiteral("vario %1, expected %2").arg(track.Value(iFix, FlightQuantity::Vario)).arg(vario)));
    QVERIFY2(std::abs(track.Value(iFix, FlightQuantity::Speed) - speed) < 0.3 + 0.005 * speed,
             qPrintable(
                 QStringLiteral("speed %1, expected %2").arg(track.Value(iFix, FlightQuantity::Speed)).arg(speed)));
    if (speed > 5.0)
        QVERIFY2(AngleDiff(track.Value(iFix, FlightQuantity::Track), trackDeg) < 1.0,
                 qPrintable(QStringLiteral("track %1, expected %2")
                                .arg(track.Value(iFix, FlightQuantity::Track))
                                .arg(trackDeg)));

    // Average vario over the fix at least 25 s before.
    const RawFix& early = raw.at(Before(raw, iFix, 25));
    const double avg =
        ((bPressure ? now.pressure - early.pressure : now.gnss - early.gnss)) / double(now.t - early.t);
    QVERIFY(now.t - early.t >= 25);
    QVERIFY2(std::abs(track.Value(iFix, FlightQuantity::AvgVario) - avg) < 0.01,
             qPrintable(QStringLiteral("average vario %1, expected %2")
                            .arg(track.Value(iFix, FlightQuantity::AvgVario))
                            .arg(avg)));
}

void TestFlightValues::maxAltitudeOfTheFlight_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("napret") << "napret.igc";
    QTest::newRow("olsztyn") << "olsztyn.igc";
    QTest::newRow("new zealand") << "new_zealand.igc";
}

void TestFlightValues::maxAltitudeOfTheFlight()
{
    // One flight each, whose top is well above the take-off: the maximum
    // after landing is the highest pressure altitude of the whole file.
    QFETCH(QString, file);
    const QVector<RawFix> raw = RawFixes(file);
    int top = raw.first().pressure;
    for (const RawFix& r : raw)
        top = std::max(top, r.pressure);
    const FlightTrack track(ReadRealLog(file));
    QCOMPARE(track.Legs().size(), 1);
    QCOMPARE(track.Value(track.FixCount() - 1, FlightQuantity::MaxAltitude), double(top));
}

void TestFlightValues::repeatedTimesStayFinite()
{
    // The last 51 fixes of this log share one time: nothing may divide by it.
    const FlightTrack track(ReadRealLog(QStringLiteral("no_time_increment.igc")));
    QCOMPARE(track.FixCount(), 200);
    const FlightQuantity rates[] = {FlightQuantity::Vario,    FlightQuantity::AvgVario, FlightQuantity::Speed,
                                    FlightQuantity::AvgSpeed, FlightQuantity::TurnRate, FlightQuantity::MaxClimb,
                                    FlightQuantity::MaxSpeed};
    for (int i = 0; i < track.FixCount(); ++i)
        for (FlightQuantity q : rates)
            QVERIFY2(std::isfinite(track.Value(i, q)),
                     qPrintable(QStringLiteral("fix %1 quantity %2").arg(i).arg(int(q))));
    // A repeated time holds the values of the fix before it.
    const int last = track.FixCount() - 1;
    QCOMPARE(track.Fix(last).iTime, track.Fix(last - 1).iTime);
    QCOMPARE(track.Value(last, FlightQuantity::Speed), track.Value(last - 1, FlightQuantity::Speed));
}

void TestFlightValues::thermalInKnownWind()
{
    // Standing 60 s, gliding 120 s, circling 240 s (30 s a turn, climbing
    // 2 m/s), gliding 120 s, all at 36 km/h through the air, in a wind of
    // 18 km/h from the west (it drifts the glider east).
    const double lat0 = 46.0, lon0 = 8.0;
    const double kmPerDegLat = 6371.0 * M_PI / 180.0;
    const double kmPerDegLon = kmPerDegLat * std::cos(lat0 * M_PI / 180.0);
    const double air = 36.0 / 3600.0, wind = 18.0 / 3600.0; // km/s
    IgcLog log;
    log.bHasPressure = true;
    log.date = QDate(2024, 6, 1);
    double north = 0, east = 0, alt = 1500, heading = 0;
    for (int t = 0; t <= 540; ++t) {
        IgcFix f;
        f.iTime = 12 * 3600 + t;
        f.dLat = lat0 + north / kmPerDegLat;
        f.dLon = lon0 + east / kmPerDegLon;
        f.iPressureAlt = int(std::lround(alt));
        f.iGnssAlt = f.iPressureAlt + 50;
        log.fixes.append(f);
        if (t < 60)
            continue;
        const bool circling = t >= 180 && t < 420;
        if (circling)
            heading += 12.0; // 30 s a turn
        north += air * std::cos(heading * M_PI / 180.0);
        east += air * std::sin(heading * M_PI / 180.0) + wind;
        alt += circling ? 2.0 : -1.0;
    }
    const FlightTrack track(log);
    QCOMPARE(track.Legs().size(), 1);
    QVERIFY(std::abs(track.Fix(track.Legs().first().iTakeoffFix).iTime - (12 * 3600 + 60)) <= 2);
    QCOMPARE(track.Legs().first().iLandingFix, -1); // the log ends in the air

    QVector<FlightEvent> thermal;
    for (const FlightEvent& e : track.Events())
        if (e.kind == FlightEvent::ThermalEntry || e.kind == FlightEvent::ThermalExit)
            thermal.append(e);
    QCOMPARE(thermal.size(), 2);
    QCOMPARE(thermal.at(0).kind, FlightEvent::ThermalEntry);
    QVERIFY2(std::abs(thermal.at(0).iTime - (12 * 3600 + 180)) <= FlightTrack::kTurnWindow,
             qPrintable(IgcFile::TimeText(thermal.at(0).iTime)));
    QVERIFY2(std::abs(thermal.at(1).iTime - (12 * 3600 + 420)) <= FlightTrack::kTurnWindow,
             qPrintable(IgcFile::TimeText(thermal.at(1).iTime)));

    const int end = track.FixCount() - 1;
    QVERIFY2(std::abs(track.Value(end, FlightQuantity::WindSpeed) - 18.0) < 1.5,
             qPrintable(QString::number(track.Value(end, FlightQuantity::WindSpeed))));
    QVERIFY2(AngleDiff(track.Value(end, FlightQuantity::WindDir), 270.0) < 5.0,
             qPrintable(QString::number(track.Value(end, FlightQuantity::WindDir))));
    QVERIFY(std::abs(track.Value(end, FlightQuantity::ThermalClimb) - 2.0) < 0.2);
    QVERIFY(std::abs(track.Value(end, FlightQuantity::ThermalTime) - 240.0) <= 2 * FlightTrack::kTurnWindow);
    // Gliding north at 1 m/s sink and 36 km/h through the air, with the
    // wind across: sqrt(36² + 18²) = 40.25 km/h over the ground, a ground
    // glide ratio of 11.18, before the thermal and after it.
    const double ground = std::hypot(air, wind); // km/s
    QVERIFY(std::abs(track.Value(end, FlightQuantity::GlideRatio) - ground * 1000) < 0.3);
    QVERIFY(std::abs(track.Value(170, FlightQuantity::GlideRatio) - ground * 1000) < 0.3);
    QVERIFY(std::isnan(track.Value(300, FlightQuantity::GlideRatio))); // climbing: no glide ratio
    // Thermal top: the altitude where the climb ended, held during the glide.
    QVERIFY(std::abs(track.Value(end, FlightQuantity::ThermalTop) - track.Value(420, FlightQuantity::Altitude))
            <= 20);
    QVERIFY(track.Value(end, FlightQuantity::GainLoss) < -100);
    QVERIFY(std::abs(track.Value(end, FlightQuantity::DistThermal) - 120 * ground) < 0.15);
    QVERIFY(std::abs(track.Value(end, FlightQuantity::FlightTime) - 480.0) <= 2.0);
}

void TestFlightValues::fieldsOfTheFlight()
{
    const FlightTrack track(ReadRealLog(QStringLiteral("napret.igc")));
    const int iFix = track.FixAt(12 * 3600 + 40 * 60);
    // Time of day, date and position come from the fix itself.
    QCOMPARE(FlightFields::Value(track, iFix, 36).dNumber, double(12 * 3600 + 40 * 60));
    QCOMPARE(FlightFields::Value(track, iFix, 46).dNumber, double(QDate(2016, 4, 3).toJulianDay()));
    QCOMPARE(FlightFields::LatitudeText(-(38 + 39.773 / 60)), QStringLiteral("38\u00b039.773'S"));
    QCOMPARE(FlightFields::LongitudeText(8 + 24.4376 / 60), QStringLiteral("008\u00b024.438'E"));
    QCOMPARE(FlightFields::LatitudeText(45.99999999), QStringLiteral("46\u00b000.000'N"));
    // Time and date in the log's time zone: UTC+2 here, so the evening's
    // last fixes fall on the next local day.
    const FlightTrack olsztyn(ReadRealLog(QStringLiteral("olsztyn.igc")));
    QCOMPARE(FlightFields::Value(olsztyn, 0, 36).dNumber, double(12 * 3600 + 16 * 60 + 43));
    IgcLog late = ReadRealLog(QStringLiteral("olsztyn.igc"));
    late.fixes.first().iTime = 22 * 3600 + 30 * 60;
    late.fixes.resize(1);
    QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 36).dNumber, double(30 * 60));
    QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 46).dNumber, double(QDate(2011, 9, 3).toJulianDay()));
    late.iUtcOffset = -3 * 3600;
    late.fixes.first().iTime = 3600;
    QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 36).dNumber, double(22 * 3600));
    QCOMPARE(FlightFields::Value(FlightTrack(late), 0, 46).dNumber, double(QDate(2011, 9, 1).toJulianDay()));
    // True airspeed only from a logger that records it; unknown fields never.
    QVERIFY(!FlightFields::IsMapped(track, 245));
    QVERIFY(FlightFields::IsMapped(FlightTrack(ReadRealLog(QStringLiteral("new_zealand.igc"))), 245));
    QVERIFY(!FlightFields::IsMapped(track, 30)); // time to go: needs a task
    QVERIFY(!FlightFields::Value(track, iFix, 30).bHas);
    QCOMPARE(FlightFields::Value(track, iFix, 147).dNumber, track.Value(iFix, FlightQuantity::Speed));
}

QTEST_MAIN(TestFlightValues)
#include "test_flightvalues.moc"
