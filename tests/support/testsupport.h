#pragma once
#include <QByteArray>
#include <QString>

// Paths handed to every test by CTest (see tests/CMakeLists.txt).
namespace TestEnv {
QString TestData(const QString& relative = QString()); // tests/data
QString OpenAirDir();                                  // shared OpenAir files
QString BundleDir();                                   // build/R8designer.app/Contents/MacOS
QString SourceDir();
QString ToolPath(const char* envName);                 // "R8TOOL", "R8SIM"
// Points g_pDB at the built catalogue (read-only) and loads it for a language
// and model; returns the number of fields loaded.
int LoadCatalogue(int iLangID = 1, int iModel = 1);
}
