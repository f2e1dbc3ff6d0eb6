#include "flightairspacetree.h"
#include "airspace.h"
#include "flightgeo.h"

#include <QCoreApplication>
#include <QTreeWidgetItem>
#include <cmath>

namespace {

constexpr double kArcStepDeg = 5.0;

// The point at a bearing and distance from a centre, on the sphere; degrees.
QPointF Destination(double dLat, double dLon, double dBearingRad, double dKm)
{
    const double d = dKm / FlightGeo::kEarthRadiusKm;
    const double p1 = dLat * FlightGeo::kRadPerDeg;
    const double l1 = dLon * FlightGeo::kRadPerDeg;
    const double p2 = std::asin(std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(dBearingRad));
    const double l2 =
        l1 + std::atan2(std::sin(dBearingRad) * std::sin(d) * std::cos(p1), std::cos(d) - std::sin(p1) * std::sin(p2));
    return QPointF(p2 / FlightGeo::kRadPerDeg, l2 / FlightGeo::kRadPerDeg);
}

} // namespace

void AddTreeAirspaces(const QTreeWidgetItem* pFileItem, FlightAirspaces* pAirspaces)
{
    for (int a = 0; a < pFileItem->childCount(); ++a) {
        const QTreeWidgetItem* space = pFileItem->child(a);
        const QString name = space->text(0);
        const double floor = space->data(0, AirFloorRole).toDouble();
        const double ceiling = space->data(0, AirCeilingRole).toDouble();
        QVector<QPointF> outline;
        for (int s = 0; s < space->childCount(); ++s) {
            const QTreeWidgetItem* shape = space->child(s);
            const double lat = shape->data(0, AirLatRole).toDouble() / FlightGeo::kRadPerDeg;
            const double lon = shape->data(0, AirLonRole).toDouble() / FlightGeo::kRadPerDeg;
            const double km = shape->data(0, AirRadiusRole).toDouble();
            switch (AirNodeKindOf(shape)) {
            case AirNodePoint: outline.append(QPointF(lat, lon)); break;
            case AirNodeCircle: pAirspaces->AddCircle(name, lat, lon, km, floor, ceiling); break;
            case AirNodeArc: {
                // The file's direction is not kept with the arc: clockwise,
                // the OpenAir default.
                const double a1 = shape->data(0, AirAngle1Role).toDouble();
                double a2 = shape->data(0, AirAngle2Role).toDouble();
                while (a2 < a1)
                    a2 += 2 * FlightGeo::kPi;
                const double step = kArcStepDeg * FlightGeo::kRadPerDeg;
                for (double b = a1; b < a2; b += step)
                    outline.append(Destination(lat, lon, b, km));
                outline.append(Destination(lat, lon, a2, km));
                break;
            }
            default: break;
            }
        }
        pAirspaces->AddPolygon(name, outline, floor, ceiling);
    }
}

bool LoadFlightAirspaces(const QString& strPath, FlightAirspaces* pAirspaces, QString* pError)
{
    QTreeWidgetItem fileItem;
    AirSpace reader;
    reader.LoadFromFile(&fileItem, strPath);
    AddTreeAirspaces(&fileItem, pAirspaces);
    if (fileItem.childCount() == 0) {
        *pError = reader.ErrorString().isEmpty()
                      ? QCoreApplication::translate("FlightAirspaces", "%1 holds no airspace.").arg(strPath)
                      : reader.ErrorString();
        return false;
    }
    return true;
}
