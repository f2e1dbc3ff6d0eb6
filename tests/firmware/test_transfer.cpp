// Whole transfers by firmwareToDevice to r8sim on a real pseudo-terminal.
#include "firmwareimage.h"
#include "firmwaresim.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareImage;
using namespace FirmwareTest;

class TestFirmwareTransfer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void preChecksWithoutInstrument_data();
    void preChecksWithoutInstrument();
    void preChecksAgainstInstrument_data();
    void preChecksAgainstInstrument();
    void fullTransfer();
    void emptyImage();
    void outOfOrderAndRepeatedRequests();
    void requestBeyondTheImage();
    void splitReplies();
    void wrongReadyRestarts();
    void interruptionWhileWaiting();
    void hangUp();

private:
    QString Image(const QByteArray& magic, const QByteArray& name, const QByteArray& body);
    QString OutFile() const { return dir.filePath(QStringLiteral("received.bin")); }
    QByteArray Received() const
    {
        QFile f(OutFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    int serial = 0;
};

namespace {

// Blocks of the test images: 100 blocks, the size the start packet test names.
constexpr int kBlocks = 100;

bool Contains(const QVector<QPair<int, int>>& progress, int value)
{
    for (const auto& p : progress)
        if (p.first == value)
            return true;
    return false;
}

} // namespace

void TestFirmwareTransfer::init()
{
    QVERIFY(dir.isValid());
    QFile::remove(OutFile());
    qunsetenv("R8_EXTRA_PORTS");
}

QString TestFirmwareTransfer::Image(const QByteArray& magic, const QByteArray& name, const QByteArray& body)
{
    return WriteFile(dir.path(), QStringLiteral("image%1.zvf").arg(++serial), Build(magic, name, body));
}

void TestFirmwareTransfer::preChecksWithoutInstrument_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QByteArray teyBody = SampleBody(3, 0, 1);
    QTest::newRow("63-byte file") << Build(kMagicSD, "Tey", QByteArray()).left(63) << "Invalid file!";
    QTest::newRow("bad magic") << Build("ZVF_X9", "Tey", teyBody) << "Corrupt firmware file!";
    QTest::newRow("tey") << Build(kMagicSD, "tey", teyBody) << "unknown model!";
    // The connection is tried before the family is looked at.
    QTest::newRow("R8 image, no instrument") << Build(kMagicOld, "Tey", teyBody) << "No instrument is connected!";
    QTest::newRow("no instrument") << Build(kMagicSD, "Tey", teyBody) << "No instrument is connected!";
}

void TestFirmwareTransfer::preChecksWithoutInstrument()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const Outcome missing = RunWorker(dir.filePath(QStringLiteral("no such file.zvf")));
    QCOMPARE(missing.messages, QStringList{QStringLiteral("File does not exist!")});
    // The dialog's first suggestion is a folder.
    QCOMPARE(RunWorker(dir.path()).messages, QStringList{QStringLiteral("File does not exist!")});

    const Outcome outcome = RunWorker(WriteFile(dir.path(), QStringLiteral("check.zvf"), file));
    QCOMPARE(outcome.messages, QStringList{message});
    QVERIFY(outcome.progress.isEmpty());
    QVERIFY(!outcome.bSucceeded);
}

void TestFirmwareTransfer::preChecksAgainstInstrument_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QByteArray>("magic");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<QString>("message");
    QTest::newRow("R8 image") << "d904" << QByteArray(kMagicOld) << QByteArray("Tey") << 3
                              << "Please use Podrum application for the non SD instruments.";
    QTest::newRow("Tey image to a TEY SD+") << "d903" << QByteArray(kMagicSD) << QByteArray("Tey") << 3
                                            << "This firmware is not for the TEY SD+";
    QTest::newRow("TeyP image to a TEY SD") << "d904" << QByteArray(kMagicSD) << QByteArray("TeyP") << 3
                                            << "This firmware is not for the TEY SD";
    QTest::newRow("body too large") << "d904" << QByteArray(kMagicSD) << QByteArray("Tey")
                                    << int(kMaxBodySize / kBlockSize) + 1 << "Firmware file is too large!";
}

void TestFirmwareTransfer::preChecksAgainstInstrument()
{
    QFETCH(QString, product);
    QFETCH(QByteArray, magic);
    QFETCH(QByteArray, name);
    QFETCH(int, blocks);
    QFETCH(QString, message);
    Sim sim;
    QVERIFY(sim.Start(product, OutFile()));
    const Outcome outcome = RunWorker(Image(magic, name, SampleBody(blocks, 0, 2)));
    QCOMPARE(outcome.messages, QStringList{message});
    QVERIFY(outcome.progress.isEmpty());
    // The instrument never saw a start packet.
    QVERIFY2(!sim.Stop().contains(QLatin1String("start ")), "start packet sent after a failed check");
}

void TestFirmwareTransfer::fullTransfer()
{
    const QByteArray body = SampleBody(kBlocks, 0x08000000u, 11) + QByteArray(500, 'z'); // tail never sent
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d904"), OutFile()));
    const Outcome outcome = RunWorker(Image(kMagicSD, "Tey", body));
    const QString report = sim.Report();
    QVERIFY2(outcome.bSucceeded, qPrintable(outcome.messages.join(QLatin1Char('|'))));
    QCOMPARE(outcome.messages.first(), QStringLiteral("Starting..."));
    QCOMPARE(outcome.messages.at(1), QStringLiteral("Programing..."));
    QCOMPARE(outcome.messages.last(), QStringLiteral("Done"));
    QVERIFY(report.contains(QLatin1String("start 100 blocks")));
    QCOMPARE(Received(), body.left(kBlocks * kBlockSize));
    QCOMPARE(outcome.progress.size(), kBlocks + 1);
    for (int i = 0; i < kBlocks; ++i)
        QCOMPARE(outcome.progress.at(i), qMakePair(i, kBlocks));
    QCOMPARE(outcome.progress.last(), qMakePair(kBlocks, kBlocks));
    QCOMPARE(sim.ExitCode(), 0);
}

void TestFirmwareTransfer::emptyImage()
{
    // A bare 64-byte header: the start packet announces no block at all.
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d902"), OutFile()));
    const Outcome outcome = RunWorker(Image(kMagicSD, "Osk", QByteArray()));
    QVERIFY(outcome.bSucceeded);
    QVERIFY(sim.Report().contains(QLatin1String("start 0 blocks")));
    QCOMPARE(outcome.progress, (QVector<QPair<int, int>>{{0, 0}}));
    QVERIFY(QFile::exists(OutFile()));
    QCOMPARE(Received(), QByteArray());
}

void TestFirmwareTransfer::outOfOrderAndRepeatedRequests()
{
    const QByteArray body = SampleBody(kBlocks, 0x00010000u, 12);
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d901"), OutFile(),
                      {QStringLiteral("order=shuffle"), QStringLiteral("seed=5"), QStringLiteral("repeat=4")}));
    const Outcome outcome = RunWorker(Image(kMagicSD, "Alvo", body));
    const QString report = sim.Report();
    QVERIFY(outcome.bSucceeded);
    QCOMPARE(Received(), body);
    QVERIFY2(!report.contains(QLatin1String("differs")), qPrintable(report));
    QVERIFY2(!report.contains(QLatin1String("bad checksum")), qPrintable(report));
    // Every request answered: 100 blocks, a quarter of them twice, then the end.
    QCOMPARE(outcome.progress.size(), kBlocks + kBlocks / 4 + 1);
    bool inOrder = true;
    for (int i = 0; i < kBlocks; ++i) {
        QVERIFY2(Contains(outcome.progress, i), qPrintable(QString::number(i)));
        inOrder = inOrder && outcome.progress.at(i).first == i;
    }
    QVERIFY(!inOrder);
}

void TestFirmwareTransfer::requestBeyondTheImage()
{
    const QByteArray body = SampleBody(kBlocks, 0, 13);
    for (const QString& index : {QStringLiteral("100"), QStringLiteral("0xFFFFFFFF")}) {
        QFile::remove(OutFile());
        Sim sim;
        QVERIFY(sim.Start(QStringLiteral("d905"), OutFile(), {QStringLiteral("beyond=5"), "beyond-index=" + index}));
        const Outcome outcome = RunWorker(Image(kMagicSD, "Dulan", body));
        const QString report = sim.Report();
        QVERIFY2(report.contains(QLatin1String(": nothing sent")), qPrintable(report));
        QVERIFY(outcome.bSucceeded);
        QCOMPARE(Received(), body);
        // The exchange went on without starting over.
        QCOMPARE(outcome.messages.count(QStringLiteral("Starting...")), 1);
        QCOMPARE(outcome.progress.size(), kBlocks + 1);
    }
}

void TestFirmwareTransfer::splitReplies()
{
    // "READY3" and every request come in pieces of 2 bytes, 40 ms apart.
    const QByteArray body = SampleBody(10, 0, 14);
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d903"), OutFile(), {QStringLiteral("split=2"), QStringLiteral("split-ms=40")}));
    const Outcome outcome = RunWorker(Image(kMagicSD, "TeyP", body));
    QVERIFY(outcome.bSucceeded);
    QCOMPARE(outcome.messages.count(QStringLiteral("Starting...")), 1);
    QCOMPARE(Received(), body);
}

void TestFirmwareTransfer::wrongReadyRestarts()
{
    // The instrument first answers READY4 to an image for model 3.
    const QByteArray body = SampleBody(5, 0, 15);
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d903"), OutFile(), {QStringLiteral("wrong-ready=1")}));
    const Outcome outcome = RunWorker(Image(kMagicSD, "TeyP", body));
    const QString report = sim.Report();
    QVERIFY(outcome.bSucceeded);
    const QStringList expectedStart{QStringLiteral("Starting..."), QStringLiteral("Programing..."),
                                    QStringLiteral("Starting..."), QStringLiteral("Programing...")};
    QCOMPARE(outcome.messages.mid(0, 4), expectedStart);
    QVERIFY(report.contains(QLatin1String("(start packet 2)")));
    QVERIFY(!report.contains(QLatin1String("(start packet 3)")));
    QCOMPARE(Received(), body);
}

void TestFirmwareTransfer::interruptionWhileWaiting()
{
    // A silent instrument keeps the worker waiting; an interruption ends it
    // at its next wait (nothing but the start packet has gone out).
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d904"), OutFile(), {QStringLiteral("silent=1")}));
    const Outcome outcome = RunWorker(Image(kMagicSD, "Tey", SampleBody(3, 0, 16)), 30000,
                                      [](firmwareToDevice* worker, const QString& text) {
                                          if (text == QLatin1String("Waiting...2"))
                                              worker->requestInterruption();
                                      });
    QVERIFY(!outcome.bTimedOut);
    QVERIFY(!outcome.bSucceeded);
    QCOMPARE(outcome.messages.count(QStringLiteral("Starting...")), 1);
    QCOMPARE(outcome.messages.last(), QStringLiteral("Waiting...2"));
    QVERIFY(outcome.progress.isEmpty());
}

void TestFirmwareTransfer::hangUp()
{
    const QByteArray body = SampleBody(kBlocks, 0, 17);
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d904"), OutFile(), {QStringLiteral("hangup=10")}));
    const Outcome outcome = RunWorker(Image(kMagicSD, "Tey", body), 20000);
    QVERIFY(sim.Report().contains(QLatin1String("hanging up after 10 blocks")));
    QVERIFY2(!outcome.bTimedOut, "the worker went on after the instrument hung up");
    QVERIFY(!outcome.bSucceeded);
    QCOMPARE(outcome.messages.last(), QStringLiteral("Instrument not responding."));
    QCOMPARE(outcome.messages.count(QStringLiteral("Starting...")), 1);
    QCOMPARE(outcome.progress.size(), 10);
    QVERIFY(!QFile::exists(OutFile()));
}

QTEST_MAIN(TestFirmwareTransfer)
#include "test_transfer.moc"
