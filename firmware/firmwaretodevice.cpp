#include "firmwaretodevice.h"
#include "zvcomport.h"

#include <QElapsedTimer>
#include <QFile>

Q_LOGGING_CATEGORY(lcFirmware, "r8.firmware")

namespace {

using namespace FirmwareImage;

// Serial waits in units of 100 ms.
constexpr int kPollWait = 1;
constexpr int kStartWriteWait = 5;
constexpr int kBlockWriteWait = 10;
// Consecutive empty polls before the exchange starts over.
constexpr int kReadyPolls = 31;
constexpr int kRequestPolls = 21;
// How long the rest of a reply may lag behind its first bytes.
constexpr int kReplyGatherMs = 300;

enum State { StateStart = 0, StateWaitReady = 1, StateServe = 3, StateEnd = 4 };

} // namespace

firmwareToDevice::firmwareToDevice(QObject*)
    : QThread(nullptr)
{
}

QString firmwareToDevice::CheckHeader(const QByteArray& header, Header* out)
{
    switch (ParseHeader(header, out)) {
    case HeaderStatus::Ok:
        return QString();
    case HeaderStatus::TooShort:
        return tr("Invalid file!");
    case HeaderStatus::BadMagic:
        return tr("Corrupt firmware file!");
    case HeaderStatus::UnknownModel:
        break;
    }
    return tr("unknown model!");
}

QString firmwareToDevice::CheckInstrument(const Header& header, bool bConnected, int iModel, const QString& strModel)
{
    if (!bConnected)
        return tr("No instrument is connected!");
    if (header.iFamily != kFamilySD)
        return tr("Please use Podrum application for the non SD instruments.");
    if (header.Code() != iModel)
        return tr("This firmware is not for the %1").arg(strModel);
    return QString();
}

QString firmwareToDevice::CheckBodySize(qint64 bodySize)
{
    return bodySize < kMaxBodySize ? QString() : tr("Firmware file is too large!");
}

QString firmwareToDevice::SilenceHint()
{
    return tr("No answer: is the instrument on, in firmware mode, cable in?");
}

void firmwareToDevice::run()
{
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        emit resultReady(tr("File does not exist!"));
        return;
    }
    Header header;
    QString message = CheckHeader(file.read(kHeaderSize), &header);
    if (!message.isEmpty()) {
        emit resultReady(message);
        return;
    }
    qCDebug(lcFirmware) << "image code" << QString::number(header.Code(), 16);

    ZVcomPort link; // closes the port when run() returns
    const bool bConnected = link.ConnectToInstrument() != 0;
    // A port that exists but does not open says why.
    message = bConnected || link.OpenProblem().isEmpty()
                  ? CheckInstrument(header, bConnected, link.iModel, link.strModel)
                  : link.OpenProblem();
    if (message.isEmpty())
        message = CheckBodySize(file.size() - kHeaderSize);
    if (!message.isEmpty()) {
        emit resultReady(message);
        return;
    }
    const qint64 bodySize = file.size() - kHeaderSize;
    const QByteArray body = file.read(bodySize);
    if (body.size() != bodySize) { // the file changed or could not be read
        emit resultReady(tr("Invalid file!"));
        return;
    }
    file.close();
    Transfer(link, body, header.iModelNumber);
}

firmwareToDevice::Reply firmwareToDevice::ReadReply(ZVcomPort& link, int wait, QByteArray* reply)
{
    reply->clear();
    if (!link.HasData(wait))
        return link.PortLost() ? Reply::PortError : Reply::Silence;
    uchar buffer[kReplySize];
    int got = link.read(buffer, kReplySize);
    if (got < 0)
        return Reply::PortError;
    // A reply may come in pieces; give the rest a moment to follow.
    QElapsedTimer lag;
    lag.start();
    while (got < kReplySize && lag.elapsed() < kReplyGatherMs) {
        if (!link.HasData(kPollWait)) {
            if (link.PortLost())
                return Reply::PortError;
            continue;
        }
        const int more = link.read(buffer + got, kReplySize - got);
        if (more < 0)
            return Reply::PortError;
        got += more;
    }
    reply->append(reinterpret_cast<const char*>(buffer), got);
    qCDebug(lcFirmware) << "reply" << reply->toHex(' ');
    return Reply::Data;
}

void firmwareToDevice::ServeBlock(ZVcomPort& link, const QByteArray& body, quint32 index)
{
    QByteArray packet = BlockPacket(body, index);
    if (packet.isEmpty()) {
        // No such block: nothing from outside the image goes out, and the
        // instrument may ask again.
        qCDebug(lcFirmware) << "request beyond the image" << index << "of" << BlockCount(body.size());
        return;
    }
    const uchar* block = reinterpret_cast<const uchar*>(packet.constData());
    const int written = link.write(reinterpret_cast<uchar*>(packet.data()), packet.size());
    link.WaitForWrite(kBlockWriteWait); // the next request tells whether it arrived
    qCDebug(lcFirmware) << "block" << index << "address"
                        << QString::number(BlockAddress(block) & ~kSecondaryBlockBit, 16) << "checksum"
                        << QString::number(BlockChecksum(block), 16) << "written" << written;
    emit progressPercentage(int(index), int(BlockCount(body.size())));
}

void firmwareToDevice::Transfer(ZVcomPort& link, const QByteArray& body, int iModelNumber)
{
    const quint32 blockCount = BlockCount(body.size());
    QByteArray startPacket = StartPacket(blockCount);
    const QByteArray ready = ReadyReply(iModelNumber);

    int state = StateStart;
    int counter = 0;
    QByteArray reply;
    QElapsedTimer silence; // since the instrument last said anything
    silence.start();
    const auto report = [this, &silence](const QString& text) {
        emit resultReady(silence.hasExpired(SilenceHintMs) ? SilenceHint() : text);
    };
    while (state != StateEnd) {
        if (state == StateStart) {
            if (isInterruptionRequested())
                break;
            report(tr("Starting..."));
            link.flush();
            link.write(reinterpret_cast<uchar*>(startPacket.data()), startPacket.size());
            if (!link.WaitForWrite(kStartWriteWait)) {
                emit resultReady(tr("Instrument not responding."));
                break;
            }
            counter = 0;
            state = StateWaitReady;
            continue;
        }

        const Reply got = ReadReply(link, kPollWait, &reply);
        if (got == Reply::PortError) { // the cable is out: starting over cannot help
            emit resultReady(tr("Instrument not responding."));
            break;
        }
        if (got == Reply::Data)
            silence.restart();
        if (state == StateWaitReady) {
            if (got == Reply::Silence) {
                // Nothing but the start packet has gone out: a stop is safe.
                if (isInterruptionRequested())
                    break;
                ++counter;
                report(tr("Waiting...%1").arg(counter));
                if (counter >= kReadyPolls)
                    state = StateStart;
            } else {
                counter = 0;
                emit resultReady(tr("Programing..."));
                state = reply == ready ? StateServe : StateStart;
            }
        } else if (got == Reply::Silence) {
            if (++counter >= kRequestPolls) {
                qCDebug(lcFirmware) << "Data timeout..." << counter;
                state = StateStart;
            }
        } else if (reply.size() == kReplySize && reply.startsWith("RQ")) {
            counter = 0;
            ServeBlock(link, body, ReadLE32(reinterpret_cast<const uchar*>(reply.constData()) + 2));
        } else if (reply.startsWith("END")) {
            emit progressPercentage(int(blockCount), int(blockCount));
            bSucceeded = true;
            emit resultReady(tr("Done"));
            state = StateEnd;
        } else {
            qCDebug(lcFirmware) << "unexpected reply" << reply.toHex(' ');
            state = StateStart;
        }
    }
}
