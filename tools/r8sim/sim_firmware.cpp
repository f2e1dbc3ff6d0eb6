#include "sim_firmware.h"
#include "simpty.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QThread>
#include <QVector>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBlockSize = 1028;
constexpr int kPacketSize = kBlockSize + 2;
constexpr int kStartSize = 8;
constexpr int kReplySize = 6;
constexpr quint32 kMaxBlocks = 512000 / kBlockSize + 1;
// How long a block may take to arrive after its request before it is asked
// for again, and how long a request beyond the image is watched for a reply.
constexpr int kBlockWaitMs = 3000;
constexpr int kBeyondWatchMs = 600;
constexpr int kReadSliceMs = 100;

void Report(const char* format, quint32 a = 0, quint32 b = 0)
{
    std::printf(format, a, b);
    std::printf("\n");
    std::fflush(stdout);
}

quint32 LE32(const char* p)
{
    const uchar* u = reinterpret_cast<const uchar*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

// The check the instrument makes: the XOR of the block's 514 little-endian
// words, folded with 0x0001 (the XOR of their indices 0..513).
bool ChecksumGood(const char* packet)
{
    const uchar* u = reinterpret_cast<const uchar*>(packet);
    quint16 x = 0x0001;
    for (int i = 0; i < kBlockSize; i += 2)
        x ^= quint16(u[i] | u[i + 1] << 8);
    return x == quint16(u[kBlockSize] | u[kBlockSize + 1] << 8);
}

QByteArray Request(quint32 index)
{
    const char rq[kReplySize] = {'R', 'Q', char(index), char(index >> 8), char(index >> 16), char(index >> 24)};
    return QByteArray(rq, kReplySize);
}

struct Options {
    bool bShuffle = false;
    quint32 iSeed = 1;
    int iRepeatEvery = 0;     // ask for every Nth block twice
    bool bSilent = false;     // never answer
    int iWrongReady = 0;      // answer the first N start packets with the next model's digit
    int iBeyondAfter = -1;    // after N served requests, ask for a block that does not exist
    qint64 iBeyondIndex = -1; // which one (default: the block count)
    int iSplit = 0;           // write replies in pieces of this many bytes
    int iSplitMs = 40;        // pause between the pieces
    int iHangupAfter = -1;    // hang up after N served blocks
    int iDelayMs = 0;         // before every reply
    int iIdleSeconds = 60;    // give up when nothing arrives for this long
};

bool ParseOptions(const QStringList& list, Options* o)
{
    for (const QString& item : list) {
        const int eq = item.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? item : item.left(eq);
        const QString value = eq < 0 ? QStringLiteral("1") : item.mid(eq + 1);
        bool ok = false;
        const qint64 n = value.toLongLong(&ok, 0);
        if (key == QLatin1String("order")) {
            ok = value == QLatin1String("shuffle") || value == QLatin1String("in");
            o->bShuffle = value == QLatin1String("shuffle");
        } else if (key == QLatin1String("seed")) {
            o->iSeed = quint32(n);
        } else if (key == QLatin1String("repeat")) {
            o->iRepeatEvery = int(n);
        } else if (key == QLatin1String("silent")) {
            o->bSilent = n != 0;
        } else if (key == QLatin1String("wrong-ready")) {
            o->iWrongReady = int(n);
        } else if (key == QLatin1String("beyond")) {
            o->iBeyondAfter = int(n);
        } else if (key == QLatin1String("beyond-index")) {
            o->iBeyondIndex = n;
        } else if (key == QLatin1String("split")) {
            o->iSplit = int(n);
        } else if (key == QLatin1String("split-ms")) {
            o->iSplitMs = int(n);
        } else if (key == QLatin1String("hangup")) {
            o->iHangupAfter = int(n);
        } else if (key == QLatin1String("delay")) {
            o->iDelayMs = int(n);
        } else if (key == QLatin1String("idle")) {
            o->iIdleSeconds = int(n);
        } else {
            ok = false;
        }
        if (!ok || n < 0) {
            std::fprintf(stderr, "r8sim: bad firmware option '%s'\n", qPrintable(item));
            return false;
        }
    }
    return true;
}

enum class Got { Data, Quiet, HungUp, Idle };

// The instrument's half of one firmware update.
class FirmwareInstrument
{
public:
    FirmwareInstrument(int fdMaster, const FirmwareSimConfig& config, const Options& options)
        : config(config)
        , o(options)
    {
        pty.fdMaster = fdMaster;
        cModel = config.iProduct >= 0xD901 && config.iProduct <= 0xD909 ? char('0' + (config.iProduct & 0xFF)) : '?';
        idle.start();
    }

    int Run();

private:
    // Reads what is there into `input`, waiting up to ms for the first byte.
    Got Fill(int ms);
    bool Send(const QByteArray& reply);
    // Drops input up to the next start packet; true once one is complete.
    bool TakeStartPacket();
    bool AnswerStart();
    QVector<quint32> RequestOrder() const;
    int Finish();

    SimPty pty;
    const FirmwareSimConfig& config;
    const Options& o;
    char cModel;
    QByteArray input;
    QElapsedTimer idle;
    quint32 iBlocks = 0;
    int iStarts = 0;
    QVector<QByteArray> blocks;
};

Got FirmwareInstrument::Fill(int ms)
{
    char buf[4096];
    const int n = ReadSimPty(pty, buf, int(sizeof(buf)), ms);
    if (n < 0)
        return Got::HungUp;
    if (n == 0)
        return idle.elapsed() > qint64(o.iIdleSeconds) * 1000 ? Got::Idle : Got::Quiet;
    input.append(buf, n);
    idle.restart();
    return Got::Data;
}

bool FirmwareInstrument::Send(const QByteArray& reply)
{
    if (o.iDelayMs > 0)
        QThread::msleep(ulong(o.iDelayMs));
    if (o.iSplit <= 0)
        return WriteSimPty(pty, reply);
    for (int at = 0; at < reply.size(); at += o.iSplit) {
        if (at > 0)
            QThread::msleep(ulong(o.iSplitMs));
        if (!WriteSimPty(pty, reply.mid(at, o.iSplit)))
            return false;
    }
    return true;
}

bool FirmwareInstrument::TakeStartPacket()
{
    const int at = input.indexOf("!FA!");
    if (at < 0) {
        input = input.right(3); // a start packet may be cut anywhere
        return false;
    }
    input.remove(0, at);
    if (input.size() < kStartSize)
        return false;
    iBlocks = LE32(input.constData() + 4);
    input.remove(0, kStartSize);
    return true;
}

bool FirmwareInstrument::AnswerStart()
{
    ++iStarts;
    Report("start %u blocks (start packet %u)", iBlocks, quint32(iStarts));
    if (iBlocks > kMaxBlocks) {
        Report("start packet claims %u blocks, more than an instrument holds", iBlocks);
        return false;
    }
    if (blocks.size() != int(iBlocks))
        blocks = QVector<QByteArray>(int(iBlocks));
    char digit = cModel;
    if (iStarts <= o.iWrongReady)
        digit = char(digit + 1);
    return Send(QByteArray("READY") + digit);
}

QVector<quint32> FirmwareInstrument::RequestOrder() const
{
    QVector<quint32> order;
    for (quint32 i = 0; i < iBlocks; ++i)
        order.append(i);
    if (o.bShuffle) {
        QRandomGenerator random(o.iSeed);
        std::shuffle(order.begin(), order.end(), random);
    }
    if (o.iRepeatEvery > 0) {
        QVector<quint32> repeated;
        for (int i = 0; i < order.size(); ++i) {
            repeated.append(order.at(i));
            if ((i + 1) % o.iRepeatEvery == 0)
                repeated.append(order.at(i));
        }
        order = repeated;
    }
    return order;
}

int FirmwareInstrument::Run()
{
    // Wait for the start packet; a silent instrument only listens.
    for (;;) {
        const Got got = Fill(kReadSliceMs);
        if (got == Got::HungUp || got == Got::Idle) {
            Report(got == Got::Idle ? "idle, giving up" : "program hung up");
            return 1;
        }
        if (o.bSilent) {
            input.clear();
            continue;
        }
        if (!TakeStartPacket())
            continue;
        if (!AnswerStart())
            return 1;
        if (iStarts > o.iWrongReady)
            break;
    }

    const QVector<quint32> order = RequestOrder();
    int next = 0;
    int served = 0;
    bool bBeyondDone = o.iBeyondAfter < 0;
    while (next < order.size()) {
        if (o.iHangupAfter >= 0 && served >= o.iHangupAfter) {
            Report("hanging up after %u blocks", quint32(served));
            return 3;
        }
        if (!bBeyondDone && served >= o.iBeyondAfter) {
            bBeyondDone = true;
            const quint32 index = o.iBeyondIndex >= 0 ? quint32(o.iBeyondIndex) : iBlocks;
            input.clear();
            if (!Send(Request(index)))
                return 1;
            QElapsedTimer watch;
            watch.start();
            while (watch.elapsed() < kBeyondWatchMs)
                if (Fill(kReadSliceMs) == Got::HungUp)
                    return 1;
            Report(input.isEmpty() ? "beyond %u: nothing sent" : "beyond %u: answered with %u bytes", index,
                   quint32(input.size()));
            input.clear();
        }
        const quint32 index = order.at(next);
        input.clear();
        if (!Send(Request(index)))
            return 1;
        QElapsedTimer wait;
        wait.start();
        bool bRestarted = false;
        while (input.size() < kPacketSize && wait.elapsed() < kBlockWaitMs) {
            const Got got = Fill(kReadSliceMs);
            if (got == Got::HungUp) {
                Report("program hung up");
                return 1;
            }
            // The program gave up on us and starts over.
            if (input.startsWith("!FA!") && input.size() >= kStartSize) {
                bRestarted = TakeStartPacket();
                break;
            }
        }
        if (bRestarted) {
            if (!AnswerStart())
                return 1;
            continue; // ask for the same block again
        }
        if (input.size() < kPacketSize) {
            Report("block %u: no answer, asking again", index);
            continue;
        }
        if (input.size() > kPacketSize)
            Report("block %u: %u extra bytes", index, quint32(input.size() - kPacketSize));
        if (!ChecksumGood(input.constData())) {
            Report("block %u: bad checksum, asking again", index);
            continue;
        }
        const QByteArray block = input.left(kBlockSize);
        QByteArray& slot = blocks[int(index)];
        if (!slot.isEmpty() && slot != block)
            Report("block %u: repeat differs from the first copy", index);
        slot = block;
        Report("block %u ok, address %08x", index, LE32(block.constData()));
        ++served;
        ++next;
    }
    return Finish();
}

int FirmwareInstrument::Finish()
{
    QByteArray body;
    for (int i = 0; i < blocks.size(); ++i) {
        if (blocks.at(i).size() != kBlockSize) {
            Report("block %u never arrived", quint32(i));
            return 1;
        }
        body += blocks.at(i);
    }
    QSaveFile file(config.strOutFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit()) {
        std::fprintf(stderr, "r8sim: cannot write %s\n", qPrintable(config.strOutFile));
        return 1;
    }
    if (!Send(QByteArray("END\0\0\0", kReplySize)))
        return 1;
    Report("end: %u blocks, %u bytes written", iBlocks, quint32(body.size()));
    // Let the program read the end before the pty goes away.
    for (int i = 0; i < 5 && Fill(kReadSliceMs) != Got::HungUp; ++i) {
    }
    return 0;
}

} // namespace

int RunFirmwareSim(int fdMaster, const FirmwareSimConfig& config)
{
    Options options;
    if (!ParseOptions(config.options, &options))
        return 2;
    if (config.strOutFile.isEmpty()) {
        std::fprintf(stderr, "r8sim: the firmware mode needs an output file\n");
        return 2;
    }
    FirmwareInstrument instrument(fdMaster, config, options);
    return instrument.Run();
}
