#pragma once
// Shared by the firmware tests: r8sim in firmware mode, and a
// firmwareToDevice run whose signals are gathered on the main thread.
#include "firmwareimage.h"
#include "firmwaretodevice.h"
#include "simprocess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPair>
#include <QTimer>
#include <QVector>
#include <functional>

namespace FirmwareTest {

// r8sim options for an instrument that takes firmware and writes what it
// received to outFile; each option becomes a --fw-option.
inline QStringList SimArgs(const QString& product, const QString& outFile, const QStringList& options = {})
{
    QStringList args{QStringLiteral("--product"), product, QStringLiteral("--firmware"), outFile};
    for (const QString& o : options)
        args << QStringLiteral("--fw-option") << o;
    return args;
}

inline QString WriteImage(const QString& path, const QByteArray& magic, const QByteArray& name,
                          const QByteArray& body)
{
    TestEnv::WriteFile(path, FirmwareImage::Build(magic, name, body));
    return path;
}

struct Outcome {
    QStringList messages;
    QVector<QPair<int, int>> progress;
    bool bSucceeded = false;
    bool bTimedOut = false;
};

// Runs one transfer to its end. `onMessage` sees every message as it
// arrives and may act on the worker (for instance request interruption).
inline Outcome RunWorker(const QString& file, int timeoutMs = 30000,
                         const std::function<void(firmwareToDevice*, const QString&)>& onMessage = {})
{
    Outcome outcome;
    firmwareToDevice worker(nullptr);
    worker.strFileName = file;
    QEventLoop loop;
    QObject::connect(&worker, &firmwareToDevice::resultReady, &loop, [&](const QString& text) {
        outcome.messages << text;
        if (onMessage)
            onMessage(&worker, text);
    });
    QObject::connect(&worker, &firmwareToDevice::progressPercentage, &loop,
                     [&](int value, int maximum) { outcome.progress.append(qMakePair(value, maximum)); });
    QObject::connect(&worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, [&] {
        outcome.bTimedOut = true;
        worker.requestInterruption();
    });
    worker.start();
    loop.exec();
    worker.wait();
    QCoreApplication::sendPostedEvents(&loop); // queued messages before the end
    outcome.bSucceeded = worker.Succeeded();
    return outcome;
}

} // namespace FirmwareTest
