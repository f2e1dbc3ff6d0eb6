#pragma once
#include "airspace.h"
#include "airspacestore.h"

// Reads the records of one OpenAir text into the store's arrays, as file
// iFile (already added). Parsing state lives for one Run.
class AirspaceReader
{
public:
    AirspaceReader(AirspaceStore& store, int iFile);
    // False when progress asked to stop; the caller then drops what was read.
    bool Run(OpenAirText& text, const AirspaceStore::Progress& progress);

private:
    void Record(int id, char* arg);
    void StartAirspace(const QString& token);
    void FinishAirspace();
    AirRecord& Current();
    void AddShape(quint8 label, double latRad, double lonRad, qint32 arc = -1);
    void AddRound(quint8 label, const AirArc& arc);
    void ArcToPoints(const _GEO_COORDS* ends);
    void Extend(double latDeg, double lonDeg, double radiusKm);
    void Warn(int line, const QString& message);
    // The positions of a record, or false after a warning.
    bool Positions(const char* record, char* arg, _GEO_COORDS* pCoords, int iCount);
    bool HasCentre(const char* record);
    void Altitude(char* arg, float* pMetres);

    AirspaceStore& store;
    const int file;
    bool bOpen = false; // an airspace is being read
    double minLon = 0.0;
    double maxLon = 0.0;
    _GEO_COORDS centre = {0.0, 0.0};
    bool bCentre = false;
    bool bClockwise = true;
    int iLine = 1;
};
