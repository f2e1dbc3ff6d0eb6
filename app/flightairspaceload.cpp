#include "flightairspaceload.h"
#include "airspacestore.h"

#include <QCoreApplication>

void AddStoreAirspaces(const AirspaceStore& store, FlightAirspaces* pAirspaces)
{
    for (int i = 0; i < store.AirspaceCount(); ++i) {
        const AirRecord& record = store.Airspace(i);
        if (!record.checked || record.shapeCount == 0)
            continue;
        const AirspaceStore::Outline outline = store.AirspaceOutline(i);
        QVector<QPointF> latLon;
        latLon.reserve(outline.points.size());
        for (const _GEO_COORDS& c : outline.points)
            latLon.append(QPointF(c.lat, c.lon));
        pAirspaces->AddPolygon(record.name, latLon, outline.floor, outline.ceiling);
    }
}

bool LoadFlightAirspaces(const QString& strPath, FlightAirspaces* pAirspaces, QString* pError)
{
    AirspaceStore store;
    const AirFile& file = store.File(store.LoadFile(strPath));
    const int before = pAirspaces->All().size();
    AddStoreAirspaces(store, pAirspaces);
    if (pAirspaces->All().size() > before)
        return true;
    *pError = file.error.isEmpty()
                  ? QCoreApplication::translate("FlightAirspaces", "%1 holds no airspace.").arg(strPath)
                  : file.error;
    return false;
}
