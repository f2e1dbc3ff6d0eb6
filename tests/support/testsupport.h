#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

class QProcess;
class QWidget;

// Paths handed to every test by CTest (see tests/CMakeLists.txt); without
// them, the build folder beside the test and the source tree it came from.
namespace TestEnv {
QString TestData(const QString& relative = QString()); // tests/data
QString OpenAirDir();                                  // shared OpenAir files
QString IgcDir();                                      // shared IGC flight logs
QString BundleDir();                                   // build/R8designer.app/Contents/MacOS
QString SourceDir();
QString ToolPath(const char* envName); // "R8TOOL", "R8SIM"
// Points g_pDB at the built catalogue (read-only) and loads it for a language
// and model; returns the number of fields loaded.
int LoadCatalogue(int iLangID = 1, int iModel = 1);
// Runs check on the next modal window that opens (within five seconds), so a
// test can answer a message box or dialog that exec() is about to block on.
void OnNextModal(const std::function<void(QWidget*)>& check);
// Starts a local server (python3 with the arguments made for a free port)
// and waits until 127.0.0.1 accepts connections on that port; the port, or
// 0 when it did not come up.
int StartLocalServer(QProcess& server, const std::function<QStringList(int iPort)>& arguments);
// Answers the layout check's question before a send (a layout with empty
// enabled pages has problems) with "Send anyway".
void SendAnywayOnNextPrompt();
// Whole-file reading and writing; empty / false on failure.
QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);

// One run of r8tool to its end; extraPorts, when given, is its R8_EXTRA_PORTS.
struct ToolRun {
    int code = -1; // -1: did not finish
    QString out;
    QString err;
};
ToolRun RunTool(const QStringList& args, const QString& extraPorts = QString(), int iTimeoutMs = 60000);
// The same with a longer time limit, for big inputs.
inline ToolRun RunR8Tool(const QStringList& args, int iTimeoutMs = 120000)
{
    return RunTool(args, QString(), iTimeoutMs);
}

// python3's HTTP server on a free port of 127.0.0.1, serving a folder.
class HttpServer
{
public:
    bool Start(const QString& folder);
    QString Url(const QString& name) const;
    ~HttpServer();

private:
    QProcess m_Process;
    int m_iPort = 0;
};
} // namespace TestEnv
