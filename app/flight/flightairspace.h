#pragma once
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

// An airspace as the flight replay needs it: a closed outline of points
// (x = longitude, y = latitude, degrees), a floor and a ceiling in metres.
struct FlightAirspace {
    QString strName;
    QVector<QPointF> outline;
    double dFloor = 0.0;
    double dCeiling = 0.0;
    QRectF bounds; // of the outline, kept for a quick rejection

    // Inside the outline (even-odd rule) and floor <= altitude <= ceiling.
    bool Contains(double dLat, double dLon, double dAltitude) const;
};

// The airspaces that a replay checks, built by whoever holds airspaces
// (the airspace store of the designer, r8tool from an OpenAir file).
class FlightAirspaces
{
public:
    // Outline points as (latitude, longitude) in degrees; fewer than three
    // points make no area and are ignored.
    void AddPolygon(const QString& strName, const QVector<QPointF>& latLon, double dFloor, double dCeiling);
    // A circle, as a polygon of kCirclePoints points.
    void AddCircle(const QString& strName, double dLat, double dLon, double dRadiusKm, double dFloor,
                   double dCeiling);

    const QVector<FlightAirspace>& All() const { return m_Airspaces; }
    bool IsEmpty() const { return m_Airspaces.isEmpty(); }
    // Indexes of the airspaces that contain the point.
    QVector<int> Containing(double dLat, double dLon, double dAltitude) const;

    static constexpr int kCirclePoints = 72;

private:
    QVector<FlightAirspace> m_Airspaces;
};
