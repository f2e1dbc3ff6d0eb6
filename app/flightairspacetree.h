#pragma once
#include "flightairspace.h"

#include <QString>

class QTreeWidgetItem;

// Airspaces of a branch of the airspace tree (file item, airspace items,
// their points, circles and arcs) as outlines for the flight replay.
void AddTreeAirspaces(const QTreeWidgetItem* pFileItem, FlightAirspaces* pAirspaces);
// Reads an OpenAir file with the airspace reader; false with a message
// when it gives no airspace.
bool LoadFlightAirspaces(const QString& strPath, FlightAirspaces* pAirspaces, QString* pError);
