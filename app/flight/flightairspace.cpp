#include "flightairspace.h"
#include "flightgeo.h"

#include <cmath>

bool FlightAirspace::Contains(double dLat, double dLon, double dAltitude) const
{
    if (dAltitude < dFloor || dAltitude > dCeiling)
        return false;
    if (dLon < bounds.left() || dLon > bounds.right() || dLat < bounds.top() || dLat > bounds.bottom())
        return false;
    // Crossings of a ray towards east; an odd count is inside.
    bool bInside = false;
    const int n = outline.size();
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const QPointF& a = outline.at(i);
        const QPointF& b = outline.at(j);
        if ((a.y() > dLat) != (b.y() > dLat)) {
            const double x = a.x() + (dLat - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (dLon < x)
                bInside = !bInside;
        }
    }
    return bInside;
}

void FlightAirspaces::AddPolygon(const QString& strName, const QVector<QPointF>& latLon, double dFloor,
                                 double dCeiling)
{
    if (latLon.size() < 3)
        return;
    FlightAirspace a;
    a.strName = strName;
    a.dFloor = dFloor;
    a.dCeiling = dCeiling;
    a.outline.reserve(latLon.size());
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const QPointF& p : latLon) {
        a.outline.append(QPointF(p.y(), p.x()));
        minX = std::fmin(minX, p.y());
        maxX = std::fmax(maxX, p.y());
        minY = std::fmin(minY, p.x());
        maxY = std::fmax(maxY, p.x());
    }
    a.bounds = QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
    m_Airspaces.append(a);
}

void FlightAirspaces::AddCircle(const QString& strName, double dLat, double dLon, double dRadiusKm, double dFloor,
                                double dCeiling)
{
    // Small circles on a sphere: degrees of latitude are even, degrees of
    // longitude shrink with the cosine of the latitude.
    const double dLatStep = dRadiusKm / (FlightGeo::kEarthRadiusKm * FlightGeo::kRadPerDeg);
    const double dCos = std::fmax(1e-6, std::cos(dLat * FlightGeo::kRadPerDeg));
    QVector<QPointF> points;
    points.reserve(kCirclePoints);
    for (int k = 0; k < kCirclePoints; ++k) {
        const double a = 2 * FlightGeo::kPi * k / kCirclePoints;
        points.append(QPointF(dLat + dLatStep * std::cos(a), dLon + dLatStep * std::sin(a) / dCos));
    }
    AddPolygon(strName, points, dFloor, dCeiling);
}

QVector<int> FlightAirspaces::Containing(double dLat, double dLon, double dAltitude) const
{
    QVector<int> inside;
    for (int i = 0; i < m_Airspaces.size(); ++i)
        if (m_Airspaces.at(i).Contains(dLat, dLon, dAltitude))
            inside.append(i);
    return inside;
}
