#pragma once
// Shared by the firmware tests: r8sim in firmware mode on a real pty, and a
// firmwareToDevice run whose signals are gathered on the main thread.
#include "firmwaretodevice.h"
#include "testsupport.h"

#include <QEventLoop>
#include <QPair>
#include <QProcess>
#include <QSaveFile>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <QtTest>
#include <functional>

namespace FirmwareTest {

// Writes bytes to a file in dir; returns its path.
inline QString WriteFile(const QString& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir + QLatin1Char('/') + name;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        qWarning() << "cannot write" << path;
    return path;
}

// One r8sim run; R8_EXTRA_PORTS points the link at it while it lives.
class Sim
{
public:
    // product: "d904" ...; options: each becomes --fw-option.
    bool Start(const QString& product, const QString& outFile, const QStringList& options = {})
    {
        QStringList args{QStringLiteral("--product"), product, QStringLiteral("--firmware"), outFile};
        for (const QString& o : options)
            args << QStringLiteral("--fw-option") << o;
        process.start(TestEnv::ToolPath("R8SIM"), args);
        if (!process.waitForStarted(kStartMs))
            return false;
        // First line: the device; second: the setting that finds it.
        while (header.count('\n') < 2 && process.waitForReadyRead(kStartMs))
            header += process.readAllStandardOutput();
        const QList<QByteArray> lines = header.split('\n');
        if (lines.size() < 3 || !lines.at(1).startsWith("R8_EXTRA_PORTS="))
            return false;
        qputenv("R8_EXTRA_PORTS", lines.at(1).mid(int(qstrlen("R8_EXTRA_PORTS="))));
        return true;
    }

    // Everything the simulator reported, after it has ended (killed if need be).
    QString Report()
    {
        if (!process.waitForFinished(kEndMs)) {
            process.kill();
            process.waitForFinished(kEndMs);
        }
        return QString::fromLatin1(header + process.readAllStandardOutput());
    }

    // The report so far, ending the simulator now.
    QString Stop()
    {
        process.terminate();
        return Report();
    }

    int ExitCode() const { return process.exitCode(); }

    ~Sim()
    {
        qunsetenv("R8_EXTRA_PORTS");
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(kEndMs);
        }
    }

private:
    static constexpr int kStartMs = 5000;
    static constexpr int kEndMs = 5000;
    QProcess process;
    QByteArray header;
};

struct Outcome {
    QStringList messages;
    QVector<QPair<int, int>> progress;
    bool bSucceeded = false;
    bool bTimedOut = false;
    qint64 iElapsedMs = 0;
};

// Runs one transfer to its end. `onMessage` sees every message as it
// arrives and may act on the worker (for instance request interruption).
inline Outcome RunWorker(const QString& file, int timeoutMs = 30000,
                         const std::function<void(firmwareToDevice*, const QString&)>& onMessage = {})
{
    Outcome outcome;
    auto* worker = new firmwareToDevice(nullptr);
    worker->strFileName = file;
    QEventLoop loop;
    QObject::connect(worker, &firmwareToDevice::resultReady, &loop, [&](const QString& text) {
        outcome.messages << text;
        if (onMessage)
            onMessage(worker, text);
    });
    QObject::connect(worker, &firmwareToDevice::progressPercentage, &loop,
                     [&](int value, int maximum) { outcome.progress.append(qMakePair(value, maximum)); });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, [&] {
        outcome.bTimedOut = true;
        worker->requestInterruption();
    });
    QElapsedTimer clock;
    clock.start();
    worker->start();
    loop.exec();
    worker->wait();
    outcome.iElapsedMs = clock.elapsed();
    QCoreApplication::sendPostedEvents(&loop); // queued messages before the end
    outcome.bSucceeded = worker->Succeeded();
    delete worker;
    return outcome;
}

} // namespace FirmwareTest
