#pragma once
#include "airspacefilter.h"
#include "airspacestore.h"

#include <QStringList>

// Command line of the airspace subcommands: OpenAir files, --help and the
// choices of the airspace dialog (--near, --radius, --class, --floor-below,
// --fit), plus -o for the map.
struct AirspaceArgs {
    QStringList files;
    AirspaceFilter filter;
    bool bChoose = false; // some choice given: only what it picks is checked
    bool bFit = false;
    QString output;
    int exitCode = -1; // set when the command is over (help shown or bad arguments)
};

AirspaceArgs ParseAirspaceArgs(const char* name, const char* description, const QStringList& args,
                               bool bWithOutput = false);

class QTextStream;
// Reads the files into the store, printing their warnings on stderr as
// "FILE:LINE: message", then checks what the choices pick. False (after a
// message) when a file is refused.
bool LoadAirspaces(const AirspaceArgs& args, AirspaceStore* pStore);
