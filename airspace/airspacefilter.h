#pragma once
#include "airspacestore.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Which airspaces a pilot wants: around a place, some classes, floors up to
// a height, a name. Every part is optional.
struct AirspaceFilter {
    bool bNear = false;
    _GEO_COORDS place = {0.0, 0.0}; // degrees
    double radiusKm = 100.0;
    QStringList classes; // class tokens as written after AC; empty: all
    bool bFloorBelow = false;
    float floorBelowMetres = 0.0f; // floor at or below this
    QString nameSearch;            // part of the name, any case

    bool IsEmpty() const { return !bNear && classes.isEmpty() && !bFloorBelow && nameSearch.isEmpty(); }
};

// Kilometres from the place to the airspace's boundary, 0 when the place
// lies inside it; a local flat projection around the place, good to a few
// tenths of a percent over the radii pilots use.
double DistanceToAirspace(const AirspaceStore& store, int iAirspace, const _GEO_COORDS& place);

// The airspaces that pass the filter, in store order.
QVector<int> MatchingAirspaces(const AirspaceStore& store, const AirspaceFilter& filter);

// Fill to fit: only the matching airspaces are checked, nearest the place
// first (file order without a place), until the next would take the
// estimate over iCapacity. Returns how many were checked.
int FillToFit(AirspaceStore& store, const AirspaceFilter& filter, int iCapacity = R8_AIRSPACE_CAPACITY);

// A place as pilots type it: "45.5, 6.25", "45.5 N 6.25 E", "45:30:00 N
// 006:15:00 E", "-33.9 151.2". False when it is none.
bool ParsePlace(const QString& strText, _GEO_COORDS* pPlace);
// The place as "45.50000 N 6.25000 E".
QString PlaceText(const _GEO_COORDS& place);
