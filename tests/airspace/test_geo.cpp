// Geodesy on the ellipsoid against published reference lines.
#include "airspacetest.h"
#include "geo.h"

#include <QtTest>
#include <cmath>
#include <memory>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

constexpr double Dms(int deg, int min, double sec)
{
    return deg + min / 60.0 + sec / 3600.0;
}

// Smallest difference of two angles in radians.
double AngleDiff(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 2 * kPi);
    return d > kPi ? 2 * kPi - d : d;
}

// Vincenty (1975), Survey Review XXIII/176, test lines (a) on Bessel's
// ellipsoid and (d) on the International one, published to 1 mm and 1e-5";
// then WGS-84 (the default) figures from GeographicLib (GeodSolve -i -p 12,
// Karney's method), accurate to a few nanometres.
const struct {
    const char* text;
    double aKm, invF; // 0: the default ellipsoid
    double lat1, lat2, dLon, az1, az2, sKm, distTolKm, angleTol;
} kLines[] = {
    {"a", 6377.397155, 299.1528128, Dms(55, 45, 0), -Dms(33, 26, 0), Dms(108, 13, 0), Dms(96, 36, 8.79960),
     Dms(137, 52, 22.01454), 14110.526170, 6e-7, 1e-9},
    {"d", 6378.388, 297.0, Dms(1, 0, 0), -Dms(0, 59, 53.83076), Dms(179, 17, 48.02997), Dms(89, 0, 0),
     Dms(91, 0, 6.11733), 19960.0, 1e-6, 1e-8},
    {"46N7E to 46N8E", 0, 0, 46.0, 46.0, 1.0, 89.640325679719794, 90.359674320280206, 77.4627903416908, 1e-7, 1e-9},
    {"across the equator", 0, 0, -10.0, 40.0, 120.0, 49.541080495717154, 102.338465471380388, 13266.3385613692105,
     1e-7, 1e-9},
    {"one kilometre", 0, 0, 45.5, 45.509, 0.0012, 5.355763246871519, 5.356619213469668, 1.0046614541462, 1e-7, 1e-9},
};

} // namespace

class TestGeo : public QObject
{
    Q_OBJECT
private slots:
    void referenceLines_data() { AddRows(kLines); }
    void referenceLines()
    {
        QFETCH(int, row);
        const auto& l = kLines[row];
        std::unique_ptr<CGeo> geo(l.aKm > 0 ? new CGeo(l.aKm, 1.0 / l.invF) : new CGeo);
        geo->SetCoordinate(l.lat1, 0.0);
        geo->SetDestinationCoordinate(l.lat2, l.dLon);
        QCOMPARE(geo->Calculate(), 1);
        QVERIFY2(std::abs(geo->GetDistance() - l.sKm) < l.distTolKm,
                 qPrintable(QString::number(geo->GetDistance() - l.sKm, 'g', 10)));
        QVERIFY(AngleDiff(geo->GetCourseToRads(), l.az1 * kRad) < l.angleTol);
        // The backward azimuth is the forward azimuth at the far end turned round.
        QVERIFY(AngleDiff(geo->GetCourseFromRads(), l.az2 * kRad + kPi) < l.angleTol);
        QVERIFY(std::abs(geo->GetCourseTo() - l.az1) < 1e-6);
        // And the direct problem from the same start.
        QCOMPARE(geo->Calculate(l.az1 * kRad, l.sKm), 1);
        const _Radian_Type p = geo->GetDestinationRadsCoordinate();
        QVERIFY(std::abs(p.lat - l.lat2 * kRad) < l.angleTol);
        QVERIFY(AngleDiff(p.lon, l.dLon * kRad) < l.angleTol);
    }

    void coincidentAndAntipodalPointsAreRefused()
    {
        CGeo geo;
        geo.SetRadsCoordinate(0.8, 0.1);
        geo.SetDestinationRadsCoordinate(0.8, 0.1);
        QCOMPARE(geo.Calculate(), 0);
        // A refusal leaves the earlier result in place.
        geo.SetDestinationRadsCoordinate(0.81, 0.1);
        QCOMPARE(geo.Calculate(), 1);
        const double dist = geo.GetDistance();
        geo.SetDestinationRadsCoordinate(0.8, 0.1 + 2 * kPi);
        QCOMPARE(geo.Calculate(), 0);
        geo.SetRadsCoordinate(0.3, 0.2);
        geo.SetDestinationRadsCoordinate(-0.3, 0.2 + kPi);
        QCOMPARE(geo.Calculate(), 0);
        QCOMPARE(geo.GetDistance(), dist);
    }

    void directProblemEdgeCases()
    {
        CGeo geo;
        geo.SetCoordinate(90.0, 0.0);
        QTest::ignoreMessage(QtDebugMsg, "Only N-S courses are meaningful, starting at a pole!");
        QCOMPARE(geo.Calculate(1.0, 100.0), 1);
        QVERIFY(std::isfinite(geo.GetDestinationRadsCoordinate().lat));
        // Distances far beyond the earth's size or NaN must not hang the series.
        geo.SetCoordinate(12.0, 34.0);
        QCOMPARE(geo.Calculate(0.3, 1e12), 1);
        QCOMPARE(geo.Calculate(0.3, std::nan("")), 1);
        QCOMPARE(geo.Calculate(std::nan(""), 10.0), 1);
        // Zero distance stays put.
        geo.Calculate(1.0, 0.0);
        QVERIFY(std::abs(geo.GetDestinationRadsCoordinate().lat - 12.0 * kRad) < 1e-15);
        QVERIFY(std::abs(geo.GetDestinationRadsCoordinate().lon - 34.0 * kRad) < 1e-15);
    }
};

QTEST_MAIN(TestGeo)
#include "test_geo.moc"
