#pragma once
// An r8sim instrument on a pseudo-terminal for one test, and the port list
// that makes the link find it.
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess
{
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { Stop(); }

    // Starts r8sim with the options plus a log file; false when it gave no port.
    bool Start(const QStringList& options)
    {
        logPath = dir.filePath(QStringLiteral("sim.log"));
        proc.setProgram(TestEnv::ToolPath("R8SIM"));
        proc.setArguments(options + QStringList{QStringLiteral("--log"), logPath});
        proc.start();
        if (!proc.waitForStarted(kWaitMs))
            return false;
        // First line: the device; second: the setting that finds it.
        while (header.count('\n') < 2 && proc.waitForReadyRead(kWaitMs))
            header += proc.readAllStandardOutput();
        const QList<QByteArray> lines = header.split('\n');
        if (lines.size() < 3 || !lines.at(1).startsWith("R8_EXTRA_PORTS="))
            return false;
        device = QString::fromLocal8Bit(lines.at(0));
        ports = QString::fromLocal8Bit(lines.at(1).mid(int(qstrlen("R8_EXTRA_PORTS="))));
        return true;
    }

    // Everything the simulator printed, once it has ended (ended now if stop).
    QString Output(bool bStop = false)
    {
        if (bStop)
            proc.terminate();
        if (!proc.waitForFinished(kWaitMs))
            Stop();
        return QString::fromLatin1(header + proc.readAllStandardOutput());
    }

    void Stop()
    {
        if (proc.state() == QProcess::NotRunning)
            return;
        proc.terminate();
        if (!proc.waitForFinished(kWaitMs)) {
            proc.kill();
            proc.waitForFinished(kWaitMs);
        }
    }

    bool Finished(int iMsecs) { return proc.state() == QProcess::NotRunning || proc.waitForFinished(iMsecs); }
    int ExitCode() const { return proc.exitCode(); }

    // Bodies the instrument received so far.
    QStringList Log() const
    {
        return QString::fromLatin1(TestEnv::ReadFile(logPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString device;
    QString ports; // "<device>=vvvv:pppp"

private:
    static constexpr int kWaitMs = 5000;
    QTemporaryDir dir;
    QString logPath;
    QProcess proc;
    QByteArray header;
};

// Makes the link see exactly these extra ports for the scope.
class ExtraPorts
{
public:
    explicit ExtraPorts(const QString& value) { qputenv("R8_EXTRA_PORTS", value.toLocal8Bit()); }
    ~ExtraPorts() { qunsetenv("R8_EXTRA_PORTS"); }
};
