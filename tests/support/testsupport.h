#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

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
// Runs check on the next modal window that opens (within five seconds), so a
// test can answer a message box or dialog that exec() is about to block on.
void OnNextModal(const std::function<void(QWidget*)>& check);
// Answers the layout check's question before a send (a layout with empty
// enabled pages has problems) with "Send anyway".
void SendAnywayOnNextPrompt();
}
