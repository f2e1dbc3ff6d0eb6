#include "geo.h"
#include "testsupport.h"

#include <QtTest>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

double Dms(int deg, int min, double sec)
{
    const double v = std::abs(deg) + min / 60.0 + sec / 3600.0;
    return deg < 0 ? -v : v;
}

// Smallest difference of two angles in radians.
double AngleDiff(double a, double b)
{
    double d = std::fmod(std::abs(a - b), 2 * kPi);
    return d > kPi ? 2 * kPi - d : d;
}

} // namespace

class TestGeo : public QObject
{
    Q_OBJECT
private slots:
    void angleFunctions();
    void settersAndGetters();
    void coincidentAndAntipodalPointsAreRefused();
    void vincentyReferenceLines_data();
    void vincentyReferenceLines();
    void wgs84Inverse_data();
    void wgs84Inverse();
    void wgs84Direct_data();
    void wgs84Direct();
    void roundTrips();
    void courseFromIsReverseOfCourseTo();
    void directProblemEdgeCases();
};

void TestGeo::angleFunctions()
{
    QCOMPARE(CGeo::myatan2(1, 1), kPi / 4);
    QCOMPARE(CGeo::myatan2(-1, 1), 2 * kPi - kPi / 4);
    QCOMPARE(CGeo::myatan2(1, -1), 3 * kPi / 4);
    QCOMPARE(CGeo::myatan2(-1, -1), 5 * kPi / 4);
    QCOMPARE(CGeo::myatan2(0, 1), 0.0);
    QCOMPARE(CGeo::myatan2(0, -1), kPi);
    QCOMPARE(CGeo::myatan2(1, 0), kPi / 2);
    QCOMPARE(CGeo::myatan2(-1, 0), 4.71238898038469);
    QTest::ignoreMessage(QtDebugMsg, "atan2(0,0) undefined");
    QCOMPARE(CGeo::myatan2(0, 0), 0.0);
    QCOMPARE(CGeo::myatan2(std::nan(""), 1), 0.0);
    QCOMPARE(CGeo::myatan2(1, std::nan("")), 0.0);

    QCOMPARE(CGeo::modcrs(-0.5), -0.5);
    QCOMPARE(CGeo::modcrs(7.0), 7.0 - 2 * kPi);
    QCOMPARE(modcrs(-0.5f), 6.2831854820251465f - 0.5f);
    QCOMPARE(modcrs(0.5f), 0.5f);
    QCOMPARE(modcrs(7.0f), std::fmod(7.0f, 6.2831854820251465f));
    QVERIFY(modcrs(-7.0f) >= 0.0f && modcrs(-7.0f) < 6.2831855f);
}

void TestGeo::settersAndGetters()
{
    CGeo geo;
    QCOMPARE(geo.GetDistance(), 0.0);
    geo.SetCoordinate(45.0, -90.0);
    QCOMPARE(geo.GetRadsCoordinate().lon, -90.0 / 57.29577951308232);
    const _GEO_COORDS rad = {0.3, -0.4};
    geo.SetCoordinateRadians(&rad);
    QCOMPARE(geo.GetRadsCoordinate().lat, 0.3);
    geo.SetCoordinateDegrees(nullptr);  // ignored
    QCOMPARE(geo.GetRadsCoordinate().lat, 0.3);

    // Hemisphere forms keep east positive.
    geo.SetCoordinate('S', 33, 30.0, 'W', 70, 15.0);
    QVERIFY(std::abs(geo.GetRadsCoordinate().lat - (-33.5 * kRad)) < 1e-15);
    QVERIFY(std::abs(geo.GetRadsCoordinate().lon - (-70.25 * kRad)) < 1e-15);
    geo.SetDestinationCoordinate('N', 1, 0, 36.0, 'W', 2, 30, 0.0);
    QVERIFY(std::abs(geo.GetDestinationRadsCoordinate().lat - 1.01 * kRad) < 1e-15);
    QVERIFY(std::abs(geo.GetDestinationRadsCoordinate().lon + 2.5 * kRad) < 1e-15);

    // Degrees in, degrees out.
    const _GEO_COORDS dDeg = {-12.5, 130.0};
    geo.SetDestinationCoordinateDegrees(&dDeg);
    _GEO_COORDS out = {0, 0};
    geo.GetDestinationCoordinate(&out);
    QVERIFY(std::abs(out.lat + 12.5) < 1e-12 && std::abs(out.lon - 130.0) < 1e-12);

    // Vectors and degree getters follow the stored course.
    geo.SetCoordinate(46.0, 7.0);
    geo.SetDestinationCoordinate(46.1, 7.1);
    QCOMPARE(geo.Calculate(), 1);
    QVERIFY(std::abs(geo.GetCourseTo() - geo.GetCourseToRads() * 57.29577951308232) < 1e-12);
    QVERIFY(std::abs(geo.GetNorthVector() - geo.GetDistance() * std::cos(geo.GetCourseToRads())) < 1e-12);
    QVERIFY(std::abs(geo.GetWestVector() - geo.GetDistance() * std::sin(geo.GetCourseToRads())) < 1e-12);
}

void TestGeo::coincidentAndAntipodalPointsAreRefused()
{
    CGeo geo;
    geo.SetRadsCoordinate(0.8, 0.1);
    geo.SetDestinationRadsCoordinate(0.8, 0.1);
    QCOMPARE(geo.Calculate(), 0);
    QCOMPARE(geo.GetDistance(), 0.0);

    // A refusal leaves the earlier result in place.
    geo.SetDestinationRadsCoordinate(0.81, 0.1);
    QCOMPARE(geo.Calculate(), 1);
    const double dist = geo.GetDistance();
    const double course = geo.GetCourseToRads();
    QVERIFY(dist > 60 && dist < 70);
    geo.SetDestinationRadsCoordinate(0.8, 0.1 + 2 * kPi);
    QCOMPARE(geo.Calculate(), 0);
    QCOMPARE(geo.GetDistance(), dist);
    QCOMPARE(geo.GetCourseToRads(), course);

    geo.SetRadsCoordinate(0.3, 0.2);
    geo.SetDestinationRadsCoordinate(-0.3, 0.2 + kPi);
    QCOMPARE(geo.Calculate(), 0);
    QCOMPARE(geo.GetDistance(), dist);

    // Two points on the equator are computed.
    geo.SetRadsCoordinate(0.0, 0.0);
    geo.SetDestinationRadsCoordinate(0.0, 1.0 * kRad);
    QCOMPARE(geo.Calculate(), 1);
    QVERIFY(std::abs(geo.GetDistance() - 111.31949079327357) < 1e-7);  // a * 1 degree
    QVERIFY(std::abs(geo.GetCourseTo() - 90.0) < 1e-9);
}

// Vincenty (1975), Survey Review XXIII/176, test lines (a) to (e):
// (a) on Bessel's ellipsoid, (b) to (e) on the International ellipsoid.
// Distances are published to 1 mm and angles to 1e-5"; the truncated series
// of these formulas keeps about 1 mm and 1e-8 rad on the longest lines.
void TestGeo::vincentyReferenceLines_data()
{
    QTest::addColumn<double>("aKm");
    QTest::addColumn<double>("invF");
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("dLon");
    QTest::addColumn<double>("az1");
    QTest::addColumn<double>("az2");
    QTest::addColumn<double>("sKm");
    QTest::addColumn<double>("distTolKm");
    QTest::addColumn<double>("angleTol");

    QTest::newRow("a") << 6377.397155 << 299.1528128 << Dms(55, 45, 0) << -Dms(33, 26, 0) << Dms(108, 13, 0)
                       << Dms(96, 36, 8.79960) << Dms(137, 52, 22.01454) << 14110.526170 << 6e-7 << 1e-9;
    QTest::newRow("b") << 6378.388 << 297.0 << Dms(37, 19, 54.95367) << Dms(26, 7, 42.83946)
                       << Dms(41, 28, 35.50729) << Dms(95, 27, 59.63089) << Dms(118, 5, 58.96161) << 4085.966703
                       << 6e-7 << 1e-9;
    QTest::newRow("c") << 6378.388 << 297.0 << Dms(35, 16, 11.24862) << Dms(67, 22, 14.77638)
                       << Dms(137, 47, 28.31435) << Dms(15, 44, 23.74850) << Dms(144, 55, 39.92147)
                       << 8084.823839 << 1e-6 << 1e-9;
    QTest::newRow("d") << 6378.388 << 297.0 << Dms(1, 0, 0) << -Dms(0, 59, 53.83076) << Dms(179, 17, 48.02997)
                       << Dms(89, 0, 0) << Dms(91, 0, 6.11733) << 19960.0 << 1e-6 << 1e-8;
    QTest::newRow("e") << 6378.388 << 297.0 << Dms(1, 0, 0) << Dms(1, 1, 15.18952) << Dms(179, 46, 17.84244)
                       << Dms(4, 59, 59.99995) << Dms(174, 59, 59.88481) << 19780.006558 << 1e-6 << 1e-8;
}

void TestGeo::vincentyReferenceLines()
{
    QFETCH(double, aKm);
    QFETCH(double, invF);
    QFETCH(double, lat1);
    QFETCH(double, lat2);
    QFETCH(double, dLon);
    QFETCH(double, az1);
    QFETCH(double, az2);
    QFETCH(double, sKm);
    QFETCH(double, distTolKm);
    QFETCH(double, angleTol);

    CGeo geo(aKm, 1.0 / invF);
    geo.SetCoordinate(lat1, 0.0);
    geo.SetDestinationCoordinate(lat2, dLon);
    QCOMPARE(geo.Calculate(), 1);
    QVERIFY2(std::abs(geo.GetDistance() - sKm) < distTolKm,
             qPrintable(QString::number(geo.GetDistance() - sKm, 'g', 10)));
    QVERIFY2(AngleDiff(geo.GetCourseToRads(), az1 * kRad) < angleTol,
             qPrintable(QString::number(AngleDiff(geo.GetCourseToRads(), az1 * kRad), 'g', 6)));
    // The backward azimuth is the forward azimuth at the far end turned round.
    QVERIFY(AngleDiff(geo.GetCourseFromRads(), az2 * kRad + kPi) < angleTol);

    // And the direct problem from the same start.
    CGeo direct(aKm, 1.0 / invF);
    direct.SetCoordinate(lat1, 0.0);
    QCOMPARE(direct.Calculate(az1 * kRad, sKm), 1);
    const _Radian_Type p = direct.GetDestinationRadsCoordinate();
    QVERIFY2(std::abs(p.lat - lat2 * kRad) < angleTol, qPrintable(QString::number(p.lat - lat2 * kRad, 'g', 6)));
    QVERIFY2(AngleDiff(p.lon, dLon * kRad) < angleTol, qPrintable(QString::number(p.lon - dLon * kRad, 'g', 6)));
}

// WGS-84 figures from GeographicLib (GeodSolve -i -p 12), Karney's method,
// accurate to a few nanometres.
void TestGeo::wgs84Inverse_data()
{
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("lon2");
    QTest::addColumn<double>("azi1");
    QTest::addColumn<double>("azi2");
    QTest::addColumn<double>("sMetres");
    QTest::newRow("46N7E to 46N8E") << 46.0 << 7.0 << 46.0 << 8.0 << 89.640325679719794 << 90.359674320280206
                                    << 77462.7903416908;
    QTest::newRow("New York to London") << 40.64 << -73.78 << 51.47 << -0.46 << 51.381751569861784
                                        << 107.979149013479486 << 5554747.7396556744;
    QTest::newRow("across the equator") << -10.0 << -20.0 << 40.0 << 100.0 << 49.541080495717154
                                        << 102.338465471380388 << 13266338.5613692105;
    QTest::newRow("southern ocean") << -33.9 << 18.4 << -34.1 << 151.2 << 142.100352980187978
                                    << 38.004376908447014 << 11016542.6737779863;
    QTest::newRow("one kilometre") << 45.5 << 6.25 << 45.509 << 6.2512 << 5.355763246871519 << 5.356619213469668
                                   << 1004.6614541462;
}

void TestGeo::wgs84Inverse()
{
    QFETCH(double, lat1);
    QFETCH(double, lon1);
    QFETCH(double, lat2);
    QFETCH(double, lon2);
    QFETCH(double, azi1);
    QFETCH(double, azi2);
    QFETCH(double, sMetres);

    CGeo geo;
    geo.SetCoordinate(lat1, lon1);
    geo.SetDestinationCoordinate(lat2, lon2);
    QCOMPARE(geo.Calculate(), 1);
    QVERIFY2(std::abs(geo.GetDistance() * 1000.0 - sMetres) < 1e-4,
             qPrintable(QString::number(geo.GetDistance() * 1000.0 - sMetres, 'g', 6)));
    QVERIFY(AngleDiff(geo.GetCourseToRads(), azi1 * kRad) < 1e-9);
    QVERIFY(AngleDiff(geo.GetCourseFromRads(), azi2 * kRad + kPi) < 1e-9);
    QVERIFY(geo.GetCourseToRads() >= 0 && geo.GetCourseToRads() < 2 * kPi);
    QVERIFY(geo.GetCourseFromRads() >= 0 && geo.GetCourseFromRads() < 2 * kPi);
}

void TestGeo::wgs84Direct_data()
{
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("azi1");
    QTest::addColumn<double>("sMetres");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("lon2");
    QTest::newRow("10 km north") << 46.0 << 7.0 << 0.0 << 10000.0 << 46.089966732508955 << 7.0;
    QTest::newRow("50 km east") << 46.0 << 7.0 << 90.0 << 50000.0 << 45.998177357139703 << 7.645452828969272;
    QTest::newRow("2000 km south-west") << -33.5 << 150.0 << 225.0 << 2000000.0 << -45.015500975197284
                                        << 132.059486396951144;
    QTest::newRow("15000 km") << 10.0 << -5.0 << 135.5 << 15000000.0 << -38.311695302301381
                              << 135.633878374594957;
}

void TestGeo::wgs84Direct()
{
    QFETCH(double, lat1);
    QFETCH(double, lon1);
    QFETCH(double, azi1);
    QFETCH(double, sMetres);
    QFETCH(double, lat2);
    QFETCH(double, lon2);

    CGeo geo;
    geo.SetCoordinate(lat1, lon1);
    QCOMPARE(geo.Calculate(azi1 * kRad, sMetres / 1000.0), 1);
    const _Radian_Type p = geo.GetDestinationRadsCoordinate();
    QVERIFY2(std::abs(p.lat - lat2 * kRad) < 1e-9, qPrintable(QString::number(p.lat - lat2 * kRad, 'g', 6)));
    QVERIFY2(AngleDiff(p.lon, lon2 * kRad) < 1e-9, qPrintable(QString::number(p.lon - lon2 * kRad, 'g', 6)));
    QVERIFY(p.lon >= -kPi && p.lon <= kPi);
}

void TestGeo::roundTrips()
{
    // Inverse then direct must land on the destination again, and direct
    // then inverse must give back course and distance.
    const double lats[] = {-70.0, -35.5, -1.0, 0.5, 23.0, 46.0, 64.9, 80.0};
    const double courses[] = {0.0, 17.0, 90.0, 163.0, 180.0, 241.0, 270.0, 333.0};
    const double dists[] = {0.05, 3.7, 55.0, 900.0, 7000.0};
    int checked = 0;
    for (double lat : lats) {
        for (double course : courses) {
            for (double dist : dists) {
                CGeo geo;
                geo.SetCoordinate(lat, 7.5);
                geo.Calculate(course * kRad, dist);
                const _Radian_Type dest = geo.GetDestinationRadsCoordinate();
                geo.SetDestinationRadsCoordinate(dest);
                QCOMPARE(geo.Calculate(), 1);
                // The longitude iteration stops at 5e-11 rad (0.3 mm on the ground).
                QVERIFY2(std::abs(geo.GetDistance() - dist) < 5e-7,
                         qPrintable(QStringLiteral("%1 %2 %3: %4").arg(lat).arg(course).arg(dist).arg(
                             geo.GetDistance() - dist)));
                // On short lines the course is judged by the sideways miss: 0.5 mm
                // (the iteration stops at 5e-11 rad of longitude, 0.3 mm).
                QVERIFY2(AngleDiff(geo.GetCourseToRads(), course * kRad) < 1e-9 + 5e-7 / dist,
                         qPrintable(QStringLiteral("%1 %2 %3: %4").arg(lat).arg(course).arg(dist).arg(
                             AngleDiff(geo.GetCourseToRads(), course * kRad))));

                CGeo back;
                back.SetRadsCoordinate(geo.GetRadsCoordinate());
                back.Calculate(geo.GetCourseToRads(), geo.GetDistance());
                // Within 0.5 mm of the first destination (as above).
                const double northMiss = (back.GetDestinationRadsCoordinate().lat - dest.lat) * 6378.137;
                const double eastMiss =
                    AngleDiff(back.GetDestinationRadsCoordinate().lon, dest.lon) * std::cos(dest.lat) * 6378.137;
                QVERIFY2(std::abs(northMiss) < 5e-7 && std::abs(eastMiss) < 5e-7,
                         qPrintable(QStringLiteral("%1 %2").arg(northMiss).arg(eastMiss)));
                ++checked;
            }
        }
    }
    QCOMPARE(checked, 8 * 8 * 5);
}

void TestGeo::courseFromIsReverseOfCourseTo()
{
    CGeo geo;
    geo.SetCoordinate(46.0, 7.0);
    geo.SetDestinationCoordinate(46.0, 8.0);
    QCOMPARE(geo.Calculate(), 1);
    QVERIFY(std::abs(geo.GetCourseTo() - 89.640325679719794) < 1e-7);
    QVERIFY(std::abs(geo.GetCourseFrom() - 269.640325679719794) < 1e-7);
    QVERIFY(std::abs(geo.GetCourseFromRads() * 57.29577951308232 - 270.359674320280206) < 1e-7);

    // On a long line the two differ by tens of degrees.
    geo.SetCoordinate(40.64, -73.78);
    geo.SetDestinationCoordinate(51.47, -0.46);
    QCOMPARE(geo.Calculate(), 1);
    QVERIFY(std::abs(geo.GetCourseFrom() - std::fmod(geo.GetCourseTo() + 180.0, 360.0)) < 1e-12);
    QVERIFY(std::abs(geo.GetCourseFrom() - geo.GetCourseFromRads() * 57.29577951308232) > 50.0);
}

void TestGeo::directProblemEdgeCases()
{
    CGeo geo;
    geo.SetCoordinate(90.0, 0.0);
    QTest::ignoreMessage(QtDebugMsg, "Only N-S courses are meaningful, starting at a pole!");
    QCOMPARE(geo.Calculate(1.0, 100.0), 1);
    QVERIFY(std::isfinite(geo.GetDestinationRadsCoordinate().lat));

    // Due south from the pole: no warning.
    geo.Calculate(kPi, 111.0);
    QVERIFY(geo.GetDestinationRadsCoordinate().lat < 90.0 * kRad);

    // Distances far beyond the earth's size or NaN must not hang the series.
    geo.SetCoordinate(12.0, 34.0);
    QCOMPARE(geo.Calculate(0.3, 1e12), 1);
    QCOMPARE(geo.Calculate(0.3, std::nan("")), 1);
    QCOMPARE(geo.Calculate(std::nan(""), 10.0), 1);

    // Zero distance stays put.
    geo.SetCoordinate(-20.0, 150.0);
    geo.Calculate(1.0, 0.0);
    QVERIFY(std::abs(geo.GetDestinationRadsCoordinate().lat + 20.0 * kRad) < 1e-15);
    QVERIFY(std::abs(geo.GetDestinationRadsCoordinate().lon - 150.0 * kRad) < 1e-15);
}

QTEST_MAIN(TestGeo)
#include "test_geo.moc"
