#include "geo.h"

#include <QDebug>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kWgs84Flattening = 0.0033528106647474805; // 1/298.257223563
constexpr double kWgs84SemiMajorKm = 6378.137;
constexpr double kEps = 5e-11;
constexpr int kInverseIterationCap = 100;
// The direct series converges in a handful of steps; the cap only guards
// against inputs (NaN, huge distances) that would never settle.
constexpr int kDirectIterationCap = 100;

double HemisphereSign(char c)
{
    return (c == 'S' || c == 's' || c == 'W' || c == 'w') ? -1.0 : 1.0;
}

double DegMin(char cHemi, int iDeg, double dMin)
{
    return HemisphereSign(cHemi) * (std::abs(iDeg) + std::abs(dMin) / 60.0);
}

double DegMinSec(char cHemi, int iDeg, int iMin, double dSec)
{
    return HemisphereSign(cHemi) * (std::abs(iDeg) + std::abs(iMin) / 60.0 + std::abs(dSec) / 3600.0);
}

} // namespace

CGeo::CGeo()
    : CGeo(kWgs84SemiMajorKm, kWgs84Flattening)
{
}

CGeo::CGeo(double dSemiMajorKm, double dFlattening)
    : dA(dSemiMajorKm / R8_KM_PER_NM)
    , dF(dFlattening)
    , dR(1.0 - dFlattening)
{
}

CGeo::~CGeo() = default;

void CGeo::SetCoordinate(double dLat, double dLon)
{
    SetRadsCoordinate(dLat / R8_DEG_PER_RAD, dLon / R8_DEG_PER_RAD);
}

void CGeo::SetRadsCoordinate(double dLat, double dLon)
{
    dOriginLat = dLat;
    dOriginLon = dLon;
}

void CGeo::SetRadsCoordinate(_Radian_Type rad)
{
    SetRadsCoordinate(rad.lat, rad.lon);
}

void CGeo::SetCoordinateDegrees(const _GEO_COORDS* pCoords)
{
    if (pCoords)
        SetCoordinate(pCoords->lat, pCoords->lon);
}

void CGeo::SetCoordinateRadians(const _GEO_COORDS* pCoords)
{
    if (pCoords)
        SetRadsCoordinate(pCoords->lat, pCoords->lon);
}

void CGeo::SetCoordinate(char cLatHemi, int iLatDeg, double dLatMin, char cLonHemi, int iLonDeg, double dLonMin)
{
    SetCoordinate(DegMin(cLatHemi, iLatDeg, dLatMin), DegMin(cLonHemi, iLonDeg, dLonMin));
}

void CGeo::SetCoordinate(char cLatHemi, int iLatDeg, int iLatMin, double dLatSec, char cLonHemi, int iLonDeg,
                         int iLonMin, double dLonSec)
{
    SetCoordinate(DegMinSec(cLatHemi, iLatDeg, iLatMin, dLatSec), DegMinSec(cLonHemi, iLonDeg, iLonMin, dLonSec));
}

void CGeo::SetDestinationCoordinate(double dLat, double dLon)
{
    SetDestinationRadsCoordinate(dLat / R8_DEG_PER_RAD, dLon / R8_DEG_PER_RAD);
}

void CGeo::SetDestinationRadsCoordinate(double dLat, double dLon)
{
    dDestLat = dLat;
    dDestLon = dLon;
}

void CGeo::SetDestinationRadsCoordinate(_Radian_Type rad)
{
    SetDestinationRadsCoordinate(rad.lat, rad.lon);
}

void CGeo::SetDestinationCoordinateDegrees(const _GEO_COORDS* pCoords)
{
    if (pCoords)
        SetDestinationCoordinate(pCoords->lat, pCoords->lon);
}

void CGeo::SetDestinationCoordinateRadians(const _GEO_COORDS* pCoords)
{
    if (pCoords)
        SetDestinationRadsCoordinate(pCoords->lat, pCoords->lon);
}

void CGeo::SetDestinationCoordinate(char cLatHemi, int iLatDeg, double dLatMin, char cLonHemi, int iLonDeg,
                                    double dLonMin)
{
    SetDestinationCoordinate(DegMin(cLatHemi, iLatDeg, dLatMin), DegMin(cLonHemi, iLonDeg, dLonMin));
}

void CGeo::SetDestinationCoordinate(char cLatHemi, int iLatDeg, int iLatMin, double dLatSec, char cLonHemi,
                                    int iLonDeg, int iLonMin, double dLonSec)
{
    SetDestinationCoordinate(DegMinSec(cLatHemi, iLatDeg, iLatMin, dLatSec),
                             DegMinSec(cLonHemi, iLonDeg, iLonMin, dLonSec));
}

double CGeo::myatan2(double y, double x)
{
    if (std::isnan(x) || std::isnan(y))
        return 0.0;
    if (x < 0)
        return std::atan(y / x) + kPi;
    if (x > 0)
        return y >= 0 ? std::atan(y / x) : std::atan(y / x) + kTwoPi;
    if (y > 0)
        return kPi / 2;
    if (y < 0)
        return 3 * kPi / 2;
    qDebug() << "atan2(0,0) undefined";
    return 0.0;
}

double CGeo::modcrs(double x)
{
    return std::fmod(x, kTwoPi);
}

int CGeo::Calculate()
{
    const double lat1 = dOriginLat, lon1 = dOriginLon;
    const double lat2 = dDestLat, lon2 = dDestLon;
    if (lat1 == lat2 && (lon1 == lon2 || std::abs(std::abs(lon1 - lon2) - kTwoPi) < kEps))
        return 0;
    // Antipodal: every great circle through both points is a geodesic.
    if (lat1 + lat2 == 0 && std::abs(std::abs(std::fmod(lon1 - lon2, kTwoPi)) - kPi) < kEps)
        return 0;

    const double tu1 = dR * std::tan(lat1);
    const double tu2 = dR * std::tan(lat2);
    const double cu1 = 1.0 / std::sqrt(1.0 + tu1 * tu1);
    const double su1 = cu1 * tu1;
    const double cu2 = 1.0 / std::sqrt(1.0 + tu2 * tu2);
    const double s = cu1 * cu2;
    const double b1 = s * tu2;
    const double f1 = b1 * tu1;

    double x = lon2 - lon1;
    double d = x + 1;
    double sx = 0, cx = 0, sy = 0, cy = 0, y = 0, c2a = 0, cz = 0, e = 0, c = 0, t1 = 0, t2 = 0;
    for (int iter = 1; std::abs(d - x) > kEps && iter < kInverseIterationCap; ++iter) {
        sx = std::sin(x);
        cx = std::cos(x);
        t1 = cu2 * sx;
        t2 = b1 - su1 * cu2 * cx;
        sy = std::sqrt(t1 * t1 + t2 * t2);
        cy = s * cx + f1;
        y = myatan2(sy, cy);
        const double sa = s * sx / sy;
        c2a = 1 - sa * sa;
        cz = 2 * f1;
        if (c2a > 0)
            cz = cy - cz / c2a;
        e = 2 * cz * cz - 1;
        c = ((-3 * c2a + 4) * dF + 4) * c2a * dF / 16;
        d = x;
        x = (1 - c) * ((e * cy * c + cz) * sy * c + y) * sa * dF + lon2 - lon1;
    }
    const double courseTo = modcrs(myatan2(t1, t2));
    const double courseFrom = modcrs(myatan2(cu1 * sx, b1 * cx - su1 * cu2) + kPi);

    x = std::sqrt((1 / (dR * dR) - 1) * c2a + 1) + 1;
    x = (x - 2) / x;
    c = (x * x / 4 + 1) / (1 - x);
    d = (0.375 * x * x - 1) * x;
    const double distNm =
        ((((sy * sy * 4 - 3) * (1 - 2 * e) * cz * d / 6 - e * cy) * d / 4 + cz) * sy * d + y) * c * dA * dR;
    const double dist = distNm * R8_KM_PER_NM;
    if (!std::isfinite(dist) || !std::isfinite(courseTo) || !std::isfinite(courseFrom))
        return 0;
    dDistance = dist;
    dCourseTo = courseTo;
    dCourseFrom = courseFrom;
    return 1;
}

int CGeo::Calculate(double dCourse, double dDist)
{
    const double lat1 = dOriginLat, lon1 = dOriginLon;
    if (std::abs(std::cos(lat1)) < kEps && std::abs(std::sin(dCourse)) >= kEps)
        qDebug() << "Only N-S courses are meaningful, starting at a pole!";

    double tu = dR * std::tan(lat1);
    const double sf = std::sin(dCourse);
    const double cf = std::cos(dCourse);
    double b = cf == 0 ? 0.0 : 2.0 * myatan2(tu, cf);
    const double cu = 1.0 / std::sqrt(tu * tu + 1);
    const double su = tu * cu;
    const double sa = cu * sf;
    const double c2a = 1 - sa * sa;
    double x = std::sqrt(c2a * (1 / (dR * dR) - 1) + 1) + 1;
    x = (x - 2) / x;
    double c = (x * x / 4 + 1) / (1 - x);
    const double d = (0.375 * x * x - 1) * x;
    tu = (dDist / R8_KM_PER_NM) / (dR * dA * c);
    double y = tu;
    double previous = y + 1;
    double sy = 0, cy = 0, cz = 0, e = 0;
    for (int iter = 0; std::abs(y - previous) > kEps && iter < kDirectIterationCap; ++iter) {
        sy = std::sin(y);
        cy = std::cos(y);
        cz = std::cos(b + y);
        e = 2 * cz * cz - 1;
        previous = y;
        y = (((sy * sy * 4 - 3) * (2 * e - 1) * cz * d / 6 + e * cy) * d / 4 - cz) * sy * d + tu;
    }
    b = cu * cy * cf - su * sy;
    const double lat2 =
        std::fmod(myatan2(su * cy + cu * sy * cf, dR * std::sqrt(sa * sa + b * b)) + kPi / 2, kTwoPi) - kPi / 2;
    x = myatan2(sy * sf, cu * cy - su * sy * cf);
    c = ((-3 * c2a + 4) * dF + 4) * c2a * dF / 16;
    const double lon2 =
        std::fmod(lon1 + x - (1 - c) * ((e * cy * c + cz) * sy * c + y) * sa * dF + kPi, kTwoPi) - kPi;
    dDestLat = lat2;
    dDestLon = lon2;
    return 1;
}

double CGeo::GetDistance() const
{
    return dDistance;
}

double CGeo::GetCourseTo() const
{
    return dCourseTo * R8_DEG_PER_RAD;
}

double CGeo::GetCourseToRads() const
{
    return dCourseTo;
}

double CGeo::GetCourseFrom() const
{
    return std::fmod(GetCourseTo() + 180.0, 360.0);
}

double CGeo::GetCourseFromRads() const
{
    return dCourseFrom;
}

double CGeo::GetNorthVector() const
{
    return dDistance * std::cos(dCourseTo);
}

double CGeo::GetWestVector() const
{
    return dDistance * std::sin(dCourseTo);
}

_Radian_Type CGeo::GetRadsCoordinate() const
{
    return {dOriginLat, dOriginLon};
}

_Radian_Type CGeo::GetDestinationRadsCoordinate() const
{
    return {dDestLat, dDestLon};
}

void CGeo::GetDestinationRadsCoordinate(double* pLat, double* pLon) const
{
    if (pLat)
        *pLat = dDestLat;
    if (pLon)
        *pLon = dDestLon;
}

void CGeo::GetDestinationCoordinate(double* pLat, double* pLon) const
{
    if (pLat)
        *pLat = dDestLat * R8_DEG_PER_RAD;
    if (pLon)
        *pLon = dDestLon * R8_DEG_PER_RAD;
}

void CGeo::GetDestinationCoordinate(_GEO_COORDS* pCoords) const
{
    if (pCoords)
        GetDestinationCoordinate(&pCoords->lat, &pCoords->lon);
}

float modcrs(float x)
{
    const float twoPi = 6.2831854820251465f;
    const float r = std::fmod(x, twoPi);
    return x >= 0 ? r : twoPi + r;
}
