#pragma once
#include "flightairspace.h"

#include <QString>

class AirspaceStore;

// The checked airspaces of a store (what an upload would send) as outlines
// for the flight replay.
void AddStoreAirspaces(const AirspaceStore& store, FlightAirspaces* pAirspaces);
// Reads an OpenAir file into a store of its own; false with a message when
// it gives no airspace.
bool LoadFlightAirspaces(const QString& strPath, FlightAirspaces* pAirspaces, QString* pError);
