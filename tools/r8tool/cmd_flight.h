#pragma once
#include "flighttrack.h"

#include <QString>
#include <QStringList>
#include <memory>

// The options that name a flight and a moment of it, shared by "flight" and
// "render --igc".
struct FlightOptions {
    QString strIgc;
    QString strAirspace;
    bool bAt = false;
    qint64 iTimeOfDay = -1;
    qint64 iTime = 0; // log time of --at, set by Load
    int iModel = 1;
    int iLang = 1;

    // Takes args[*i] (and its value) when it is one of --igc, --at,
    // --airspace, --model, --lang: true, with *pError set when its value is
    // bad. False for any other argument.
    bool TakeOption(const QStringList& args, int* i, QString* pError);
    // Reads the log (warnings to stderr) and the airspaces.
    bool Load(std::unique_ptr<FlightTrack>* pTrack, QString* pError);
};
