#pragma once
#include <cmath>

// Distances and bearings on a sphere: enough for the few kilometres between
// the fixes of a flight and the take-off (an ellipsoid changes them by a
// fraction of a percent).
namespace FlightGeo {

constexpr double kEarthRadiusKm = 6371.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadPerDeg = kPi / 180.0;

// Great-circle distance in kilometres between two positions in degrees.
inline double DistanceKm(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = lat1 * kRadPerDeg;
    const double p2 = lat2 * kRadPerDeg;
    const double dp = p2 - p1;
    const double dl = (lon2 - lon1) * kRadPerDeg;
    const double a =
        std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * kEarthRadiusKm * std::asin(std::sqrt(std::fmin(1.0, a)));
}

// Initial bearing from the first position to the second, degrees [0, 360).
inline double BearingDeg(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = lat1 * kRadPerDeg;
    const double p2 = lat2 * kRadPerDeg;
    const double dl = (lon2 - lon1) * kRadPerDeg;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    const double b = std::atan2(y, x) / kRadPerDeg;
    return b < 0 ? b + 360.0 : b;
}

// Signed smallest turn from one bearing to another, degrees (-180, 180].
inline double TurnDeg(double from, double to)
{
    double d = std::fmod(to - from, 360.0);
    if (d > 180.0)
        d -= 360.0;
    else if (d <= -180.0)
        d += 360.0;
    return d;
}

} // namespace FlightGeo
