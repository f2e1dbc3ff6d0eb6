#pragma once
#include <QStringList>

class QTreeWidgetItem;

// Command line of the airspace subcommands: OpenAir files and --help.
struct AirspaceArgs {
    QStringList files;
    int exitCode = -1;  // set when the command is over (help shown or bad arguments)
};

AirspaceArgs ParseAirspaceArgs(const char* name, const char* description, const QStringList& args);

// Reads one file into pFile and prints its warnings on stderr as
// "FILE:LINE: message"; false (after a message) when the file is refused.
bool ReadAirspaceFile(QTreeWidgetItem* pFile, const QString& strPath);
