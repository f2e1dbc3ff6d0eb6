#pragma once
// An r8sim instrument on a pseudo-terminal for one test, and the port list
// that makes the link find it.
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

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
        logPath = dir.filePath(QStringLiteral("sim%1.log").arg(++serial));
        proc.setProgram(TestEnv::ToolPath("R8SIM"));
        proc.setArguments(options + QStringList{QStringLiteral("--log"), logPath});
        proc.setProcessChannelMode(QProcess::SeparateChannels);
        proc.start();
        if (!proc.waitForStarted(kStartMs))
            return false;
        QByteArray out;
        for (int i = 0; i < 50 && out.count('\n') < 2; ++i) {
            proc.waitForReadyRead(100);
            out += proc.readAllStandardOutput();
        }
        const QList<QByteArray> lines = out.split('\n');
        if (lines.size() < 2 || !lines.at(1).startsWith("R8_EXTRA_PORTS="))
            return false;
        device = QString::fromLocal8Bit(lines.at(0));
        ports = QString::fromLocal8Bit(lines.at(1).mid(int(qstrlen("R8_EXTRA_PORTS="))));
        return true;
    }

    void Stop()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.terminate();
            if (!proc.waitForFinished(kStopMs)) {
                proc.kill();
                proc.waitForFinished(kStopMs);
            }
        }
    }

    bool Finished(int iMsecs) { return proc.state() == QProcess::NotRunning || proc.waitForFinished(iMsecs); }

    // Bodies the instrument received so far.
    QStringList Log() const
    {
        QFile f(logPath);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    QString device;
    QString ports; // "<device>=vvvv:pppp"

private:
    static constexpr int kStartMs = 5000;
    static constexpr int kStopMs = 3000;
    QTemporaryDir dir;
    QString logPath;
    QProcess proc;
    int serial = 0;
};

// Makes the link see exactly these extra ports for the scope.
class ExtraPorts
{
public:
    explicit ExtraPorts(const QString& value) { qputenv("R8_EXTRA_PORTS", value.toLocal8Bit()); }
    ~ExtraPorts() { qunsetenv("R8_EXTRA_PORTS"); }
};
