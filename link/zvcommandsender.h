#pragma once
#include <QObject>
#include <QStringList>
#include <atomic>

class QThread;

// Supported-model bits, by the model name the link reports.
constexpr unsigned int R8_MODELS_DEFAULT = 0x1FF; // every model but "R7OSK"
constexpr unsigned int R8_MODELS_AIRSPACE = 0xF7; // the airspace upload: no Dulan models
// Mask bit of a model name; 0 for a name not in the table.
unsigned int ModelMaskBit(const QString& strModel);

// Sends a batch of sentence bodies, one at a time, each acknowledged before
// the next, on a worker thread. The owner fills the queue only while no batch
// runs and starts the batch with a queued signal connected to doWork().
class ZvCommandSender : public QObject
{
    Q_OBJECT
public:
    explicit ZvCommandSender(QObject* parent = nullptr);

    void AddCommand(const QString& strCommand);
    void AddCommands(const QStringList& commands);
    void SupportedDevices(unsigned int uMask);
    unsigned int Supported() const { return uSupported; }
    int QueuedCount() const { return commands.size(); }

    // Thread-safe: a running batch ends at its next wait, later triggers send
    // nothing. For an owner that goes away; there is no undo.
    void Stop() { bStop = true; }
    bool Stopping() const { return bStop; }

    // Pause between the last report and ended(), so a message stays readable.
    void SetEndPause(int iMsecs) { iEndPauseMs = iMsecs; }

public slots:
    void doWork();

signals:
    void progress(int iCurrent);
    void message(const QString& strMessage);
    void started(int iProgressMax);
    void ended();

private:
    bool SendQueue(class ZVcomPort& link, int iTotal);
    void Pause(int iMsecs);

    QStringList commands;
    unsigned int uSupported = R8_MODELS_DEFAULT;
    std::atomic<bool> bStop{false};
    int iEndPauseMs;
};

// For the owner's destructor: stops a running batch, ends the thread's event
// loop and waits for it (bounded), then deletes the sender. Safe to call with
// a thread that never started. False when the thread did not stop in time:
// then the sender is left alive and the thread must not be deleted.
bool FinishSenderThread(QThread* pThread, ZvCommandSender* pSender);
