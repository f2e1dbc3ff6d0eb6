#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QDebug>
#include <QThread>

namespace {

constexpr int kReplyWaitTicks = 20; // 2 s for the instrument's reply
constexpr int kEndPauseMs = 2000;   // the last message stays readable
constexpr int kPauseSliceMs = 50;
constexpr unsigned long kThreadStopWaitMs = 10000;

struct ModelBit {
    const char* szName;
    unsigned int uBit;
};
const ModelBit kModelBits[] = {
    {"Alvo", 0x1},    {"Osk", 0x2},      {"Tey", 0x4},     {"Dulan", 0x8},      {"ALVO SD", 0x10},
    {"OSK SD", 0x20}, {"TEY SD+", 0x40}, {"TEY SD", 0x80}, {"DULAN SD", 0x100}, {"R7OSK", 0x200},
};

} // namespace

unsigned int ModelMaskBit(const QString& strModel)
{
    for (const ModelBit& m : kModelBits)
        if (strModel == QLatin1String(m.szName))
            return m.uBit;
    return 0;
}

ZvCommandSender::ZvCommandSender(QObject* parent)
    : QObject(parent)
    , iEndPauseMs(kEndPauseMs)
{
}

void ZvCommandSender::AddCommand(const QString& strCommand)
{
    commands.append(strCommand);
}

void ZvCommandSender::AddCommands(const QStringList& list)
{
    commands.append(list);
}

void ZvCommandSender::SupportedDevices(unsigned int uMask)
{
    uSupported = uMask;
}

void ZvCommandSender::Pause(int iMsecs)
{
    for (int waited = 0; waited < iMsecs && !bStop; waited += kPauseSliceMs)
        QThread::msleep(static_cast<unsigned long>(qMin(kPauseSliceMs, iMsecs - waited)));
}

// Sends the queue in order; false (with its message emitted) at the first
// body that is not acknowledged.
bool ZvCommandSender::SendQueue(ZVcomPort& link, int iTotal)
{
    while (!commands.isEmpty()) {
        if (bStop)
            return false;
        const QByteArray body = commands.takeFirst().toLatin1();
        if (body.size() > R8_MAX_BODY_BYTES) {
            emit message(tr("Command too long for the device, not sent."));
            return false;
        }
        if (!link.SendCommand(body) && link.PortLost()) {
            emit message(tr("Connection to device lost."));
            return false;
        }
        const int iResult = link.WaitResponse(kReplyWaitTicks);
        if (bStop)
            return false;
        if (iResult == R8_REPLY_PORT_LOST) {
            emit message(tr("Connection to device lost."));
            return false;
        }
        if (iResult == R8_REPLY_NONE) {
            emit message(tr("Time out while sending to device."));
            return false;
        }
        if (iResult != R8_REPLY_ACK) {
            emit message(tr("Device did not confirm final message!"));
            return false;
        }
        emit progress(iTotal - commands.size());
    }
    return true;
}

void ZvCommandSender::doWork()
{
    const int n = commands.size();
    emit started(n);
    bool bFailed = bStop.load();
    if (n > 0 && !bFailed) {
        ZVcomPort link;
        link.SetInterruptFlag(&bStop);
        emit message(tr("Looking for the instrument…"));
        if (!link.ConnectToInstrument()) {
            if (!bStop)
                emit message(link.OpenProblem().isEmpty() ? tr("Could not connect to device.") : link.OpenProblem());
            bFailed = true;
        } else if (!(ModelMaskBit(link.strModel) & uSupported)) {
            emit message(tr("%1 not supported.").arg(link.strModel));
            bFailed = true;
        } else {
            emit message(tr("Connected to %1.").arg(link.strModel));
            qCDebug(lcLink).noquote() << QStringLiteral("Connected to %1 sn:%2.").arg(link.strModel, link.strSerial);
            bFailed = !SendQueue(link, n);
        }
    }
    commands.clear();
    if (!bFailed)
        emit message(tr("All data sent."));
    Pause(iEndPauseMs);
    emit ended();
}

bool FinishSenderThread(QThread* pThread, ZvCommandSender* pSender)
{
    if (pSender)
        pSender->Stop();
    if (pThread) {
        pThread->quit();
        if (!pThread->wait(kThreadStopWaitMs)) {
            // Never expected: every wait of the sender is cut short by Stop().
            qCDebug(lcLink) << "command sender thread did not stop; leaving it";
            return false;
        }
    }
    delete pSender;
    return true;
}
