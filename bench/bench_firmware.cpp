// Firmware blocks per second over a pseudo-terminal, r8sim answering every
// request at once, for the largest image accepted (498 blocks). Target: the worker adds less than
// 1 ms per block to the bare round trip of a request and its block, which
// `roundTrip` measures with the same link, the same simulator and
// ready-made packets.
#include "firmwareimage.h"
#include "firmwaretodevice.h"
#include "zvcomport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareImage;

namespace {

// The largest image the size limit lets through (500 blocks would be 514,000 bytes).
constexpr int kBlocks = int(kMaxBodySize / kBlockSize) - (kMaxBodySize % kBlockSize ? 0 : 1);
constexpr int kSimStartMs = 5000;
constexpr int kSimEndMs = 10000;
constexpr int kReplyWait = 20; // x 100 ms

class SimRun
{
public:
    bool Start(const QString& outFile)
    {
        QString path = qEnvironmentVariable("R8SIM");
        if (path.isEmpty())
            path = QCoreApplication::applicationDirPath() + QStringLiteral("/r8sim");
        sim.start(path,
                  {QStringLiteral("--product"), QStringLiteral("d904"), QStringLiteral("--firmware"), outFile});
        if (!sim.waitForStarted(kSimStartMs))
            return false;
        QByteArray out;
        while (out.count('\n') < 2 && sim.waitForReadyRead(kSimStartMs))
            out += sim.readAllStandardOutput();
        const QList<QByteArray> lines = out.split('\n');
        if (lines.size() < 3 || !lines.at(1).startsWith("R8_EXTRA_PORTS="))
            return false;
        qputenv("R8_EXTRA_PORTS", lines.at(1).mid(int(qstrlen("R8_EXTRA_PORTS="))));
        return true;
    }
    bool Ended()
    {
        const bool ended = sim.waitForFinished(kSimEndMs) && sim.exitCode() == 0;
        if (sim.state() != QProcess::NotRunning) {
            sim.kill();
            sim.waitForFinished(kSimEndMs);
        }
        return ended;
    }
    ~SimRun() { Ended(); }

private:
    QProcess sim;
};

} // namespace

class BenchFirmware : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTrip();
    void transfer();
    void cleanupTestCase();

private:
    QTemporaryDir dir;
    QString strImage;
    QByteArray body;
    double dRoundTripMs = 0;
    double dTransferMs = 0;
    double dPerBlockMs = 0;
};

void BenchFirmware::initTestCase()
{
    // The link and the worker log every exchange; that is not what is measured.
    if (qEnvironmentVariableIsEmpty("BENCH_DEBUG"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QVERIFY(dir.isValid());
    body = SampleBody(kBlocks, 0x08000000u, 3);
    strImage = dir.filePath(QStringLiteral("bench.zvf"));
    QSaveFile file(strImage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Build(kMagicSD, "Tey", body));
    QVERIFY(file.commit());
}

// The same exchange without the worker: start packet, ready reply, then each
// request answered with a packet built beforehand.
void BenchFirmware::roundTrip()
{
    QVector<QByteArray> packets;
    for (int i = 0; i < kBlocks; ++i)
        packets.append(BlockPacket(body, quint32(i)));
    SimRun sim;
    QVERIFY(sim.Start(dir.filePath(QStringLiteral("plain.bin"))));
    ZVcomPort link;
    QVERIFY(link.ConnectToInstrument());
    QByteArray start = StartPacket(kBlocks);
    link.flush();
    link.write(reinterpret_cast<uchar*>(start.data()), start.size());
    QVERIFY(link.WaitForWrite(kReplyWait));
    uchar reply[kReplySize];
    QVERIFY(link.HasData(kReplyWait));
    QCOMPARE(link.read(reply, kReplySize), kReplySize);

    int served = 0;
    QElapsedTimer clock;
    QBENCHMARK_ONCE {
        clock.start();
        for (int guard = 0; guard < 2 * kBlocks; ++guard) {
            int got = 0;
            while (got < kReplySize && link.HasData(kReplyWait)) {
                const int n = link.read(reply + got, kReplySize - got);
                if (n <= 0)
                    break;
                got += n;
            }
            if (got < kReplySize || reply[0] != 'R')
                break;
            QByteArray& packet = packets[int(ReadLE32(reply + 2))];
            link.write(reinterpret_cast<uchar*>(packet.data()), packet.size());
            link.WaitForWrite(kReplyWait);
            ++served;
        }
        dRoundTripMs = double(clock.nsecsElapsed()) / 1e6 / kBlocks;
    }
    QCOMPARE(served, kBlocks);
    QVERIFY(sim.Ended());
    qInfo("bare round trip: %.3f ms per block", dRoundTripMs);
}

void BenchFirmware::transfer()
{
    SimRun sim;
    QVERIFY(sim.Start(dir.filePath(QStringLiteral("worker.bin"))));
    firmwareToDevice worker;
    worker.strFileName = strImage;
    QEventLoop loop;
    QObject::connect(&worker, &QThread::finished, &loop, &QEventLoop::quit);
    QString lastMessage;
    QObject::connect(&worker, &firmwareToDevice::resultReady, &loop,
                     [&lastMessage](const QString& text) { lastMessage = text; });
    // From the first block to the last, leaving out connecting and the
    // start; stamped on the worker's thread (read only after wait()).
    QElapsedTimer clock;
    qint64 firstBlockNs = -1;
    qint64 lastBlockNs = -1;
    QObject::connect(
        &worker, &firmwareToDevice::progressPercentage, &loop,
        [&](int value, int) {
            if (value == 0)
                firstBlockNs = clock.nsecsElapsed();
            else if (value == kBlocks - 1)
                lastBlockNs = clock.nsecsElapsed();
        },
        Qt::DirectConnection);
    QBENCHMARK_ONCE {
        clock.start();
        worker.start();
        loop.exec();
        worker.wait();
        dTransferMs = double(clock.nsecsElapsed()) / 1e6;
    }
    QVERIFY(firstBlockNs >= 0 && lastBlockNs > firstBlockNs);
    dPerBlockMs = double(lastBlockNs - firstBlockNs) / 1e6 / (kBlocks - 1);
    QVERIFY2(worker.Succeeded(), qPrintable(lastMessage));
    QVERIFY(sim.Ended());
    QFile received(dir.filePath(QStringLiteral("worker.bin")));
    QVERIFY(received.open(QIODevice::ReadOnly));
    QVERIFY(received.readAll() == body);
    qInfo("worker: %d blocks in %.1f ms with connecting and the start exchange; %.3f ms per block, %.0f blocks/s",
          kBlocks, dTransferMs, dPerBlockMs, 1000.0 / dPerBlockMs);
}

void BenchFirmware::cleanupTestCase()
{
    if (dRoundTripMs <= 0 || dPerBlockMs <= 0)
        return;
    qInfo("per block: worker %.3f ms, bare round trip %.3f ms, added by the worker %.3f ms (target < 1 ms)",
          dPerBlockMs, dRoundTripMs, dPerBlockMs - dRoundTripMs);
}

QTEST_MAIN(BenchFirmware)
#include "bench_firmware.moc"
