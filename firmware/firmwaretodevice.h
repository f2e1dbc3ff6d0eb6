#pragma once
#include "firmwareimage.h"

#include <QLoggingCategory>
#include <QString>
#include <QThread>
#include <atomic>

class ZVcomPort;

// The firmware transfer's diagnostics ("r8.firmware").
Q_DECLARE_LOGGING_CATEGORY(lcFirmware)

// Writes one ".zvf" image into an SD-family instrument on a thread of its
// own: checks the image against the instrument, sends the start packet, then
// answers the instrument's block requests until it reports the end.
// Has no parent; whoever starts it connects finished() to deleteLater().
class firmwareToDevice : public QThread
{
    Q_OBJECT
public:
    explicit firmwareToDevice(QObject* parent = nullptr);

    QString strFileName; // set before start()

    // True once the instrument has reported the end of a transfer.
    bool Succeeded() const { return bSucceeded; }

    // Checks on plain data, in the order run() makes them; each returns the
    // user's message, or an empty text when the image may go on.
    static QString CheckHeader(const QByteArray& header, FirmwareImage::Header* out);
    static QString CheckInstrument(const FirmwareImage::Header& header, bool bConnected, int iModel,
                                   const QString& strModel);
    static QString CheckBodySize(qint64 bodySize);

    // Shown instead of "Waiting..." once the instrument has been silent for
    // SilenceHintMs: what the pilot can do about it.
    static QString SilenceHint();
    static constexpr int SilenceHintMs = 10000;

signals:
    void resultReady(QString const& text);
    void progressPercentage(int value, int maximum);

protected:
    void run() override;

private:
    enum class Reply { Data, Silence, PortError };
    // Waits up to `wait` x 100 ms for a reply and gathers it to 6 bytes.
    Reply ReadReply(ZVcomPort& link, int wait, QByteArray* reply);
    void Transfer(ZVcomPort& link, const QByteArray& body, int iModelNumber);
    void ServeBlock(ZVcomPort& link, const QByteArray& body, quint32 index);

    std::atomic<bool> bSucceeded{false};
};
