// Geodesy on the ellipsoid against published reference lines.
#include "geo.h"

#include <QtTest>
#include <cmath>
#include <memory>

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
    void coincidentAndAntipodalPointsAreRefused();
    void referenceLines_data();
    void referenceLines();
    void directProblemEdgeCases();
};

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
    QVERIFY(std::abs(geo.GetDistance() - 111.31949079327357) < 1e-7); // a * 1 degree
    QVERIFY(std::abs(geo.GetCourseTo() - 90.0) < 1e-9);
}

// Vincenty (1975), Survey Review XXIII/176, test lines (a) to (e): (a) on
// Bessel's ellipsoid, (b) to (e) on the International ellipsoid; published
// to 1 mm and 1e-5"; the truncated series keeps about 1 mm and 1e-8 rad on
// the longest lines. Then WGS-84 (the default) figures from GeographicLib
// (GeodSolve -i -p 12, Karney's method), accurate to a few nanometres.
void TestGeo::referenceLines_data()
{
    QTest::addColumn<double>("aKm"); // 0: the default ellipsoid
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
    QTest::newRow("b") << 6378.388 << 297.0 << Dms(37, 19, 54.95367) << Dms(26, 7, 42.83946) << Dms(41, 28, 35.50729)
                       << Dms(95, 27, 59.63089) << Dms(118, 5, 58.96161) << 4085.966703 << 6e-7 << 1e-9;
    QTest::newRow("c") << 6378.388 << 297.0 << Dms(35, 16, 11.24862) << Dms(67, 22, 14.77638)
                       << Dms(137, 47, 28.31435) << Dms(15, 44, 23.74850) << Dms(144, 55, 39.92147) << 8084.823839
                       << 1e-6 << 1e-9;
    QTest::newRow("d") << 6378.388 << 297.0 << Dms(1, 0, 0) << -Dms(0, 59, 53.83076) << Dms(179, 17, 48.02997)
                       << Dms(89, 0, 0) << Dms(91, 0, 6.11733) << 19960.0 << 1e-6 << 1e-8;
    QTest::newRow("e") << 6378.388 << 297.0 << Dms(1, 0, 0) << Dms(1, 1, 15.18952) << Dms(179, 46, 17.84244)
                       << Dms(4, 59, 59.99995) << Dms(174, 59, 59.88481) << 19780.006558 << 1e-6 << 1e-8;
    QTest::newRow("46N7E to 46N8E") << 0.0 << 0.0 << 46.0 << 46.0 << 1.0 << 89.640325679719794 << 90.359674320280206
                                    << 77.4627903416908 << 1e-7 << 1e-9;
    QTest::newRow("New York to London") << 0.0 << 0.0 << 40.64 << 51.47 << 73.32 << 51.381751569861784
                                        << 107.979149013479486 << 5554.7477396556744 << 1e-7 << 1e-9;
    QTest::newRow("across the equator") << 0.0 << 0.0 << -10.0 << 40.0 << 120.0 << 49.541080495717154
                                        << 102.338465471380388 << 13266.3385613692105 << 1e-7 << 1e-9;
    QTest::newRow("southern ocean") << 0.0 << 0.0 << -33.9 << -34.1 << 132.8 << 142.100352980187978
                                    << 38.004376908447014 << 11016.5426737779863 << 1e-7 << 1e-9;
    QTest::newRow("one kilometre") << 0.0 << 0.0 << 45.5 << 45.509 << 0.0012 << 5.355763246871519
                                   << 5.356619213469668 << 1.0046614541462 << 1e-7 << 1e-9;
}

void TestGeo::referenceLines()
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

    std::unique_ptr<CGeo> geo(aKm > 0 ? new CGeo(aKm, 1.0 / invF) : new CGeo);
    geo->SetCoordinate(lat1, 0.0);
    geo->SetDestinationCoordinate(lat2, dLon);
    QCOMPARE(geo->Calculate(), 1);
    QVERIFY2(std::abs(geo->GetDistance() - sKm) < distTolKm,
             qPrintable(QString::number(geo->GetDistance() - sKm, 'g', 10)));
    QVERIFY(AngleDiff(geo->GetCourseToRads(), az1 * kRad) < angleTol);
    // The backward azimuth is the forward azimuth at the far end turned round.
    QVERIFY(AngleDiff(geo->GetCourseFromRads(), az2 * kRad + kPi) < angleTol);
    QVERIFY(std::abs(geo->GetCourseTo() - geo->GetCourseToRads() / kRad) < 1e-9);

    // And the direct problem from the same start.
    QCOMPARE(geo->Calculate(az1 * kRad, sKm), 1);
    const _Radian_Type p = geo->GetDestinationRadsCoordinate();
    QVERIFY2(std::abs(p.lat - lat2 * kRad) < angleTol, qPrintable(QString::number(p.lat - lat2 * kRad, 'g', 6)));
    QVERIFY2(AngleDiff(p.lon, dLon * kRad) < angleTol, qPrintable(QString::number(p.lon - dLon * kRad, 'g', 6)));
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
