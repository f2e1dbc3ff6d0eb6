// Whole transfers by firmwareToDevice to r8sim on a real pseudo-terminal.
#include "firmwaresim.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareImage;
using namespace FirmwareTest;

class TestFirmwareTransfer : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString Out() const { return dir.filePath(QStringLiteral("received.bin")); }
    QString Image(const QByteArray& name, const QByteArray& body) const
    {
        return WriteImage(dir.filePath(QStringLiteral("image.zvf")), kMagicSD, name, body);
    }

private slots:
    void init() { QFile::remove(Out()); }

    // Refused before a start packet goes out.
    void preChecks_data()
    {
        QTest::addColumn<QString>("product"); // empty: no instrument
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QByteArray tey = SampleBody(3, 0, 1);
        QTest::newRow("bad magic") << QString() << Build("ZVF_X9", "Tey", tey) << "Corrupt firmware file!";
        // The connection is looked at before the family.
        QTest::newRow("R8 image, no instrument")
            << QString() << Build(kMagicOld, "Tey", tey) << "No instrument is connected!";
        QTest::newRow("R8 image") << "d904" << Build(kMagicOld, "Tey", tey)
                                  << "Please use Podrum application for the non SD instruments.";
        QTest::newRow("Tey image to a TEY SD+")
            << "d903" << Build(kMagicSD, "Tey", tey) << "This firmware is not for the TEY SD+";
        QTest::newRow("body too large") << "d904"
                                        << Build(kMagicSD, "Tey",
                                                 SampleBody(int(kMaxBodySize / kBlockSize) + 1, 0, 2))
                                        << "Firmware file is too large!";
    }
    void preChecks()
    {
        QFETCH(QString, product);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY(product.isEmpty() || sim.Start(SimArgs(product, Out())));
        ExtraPorts use(sim.ports);
        const QString path = dir.filePath(QStringLiteral("check.zvf"));
        QVERIFY(TestEnv::WriteFile(path, file));
        const Outcome outcome = RunWorker(path);
        QCOMPARE(outcome.messages, QStringList{message});
        QVERIFY(outcome.progress.isEmpty() && !outcome.bSucceeded);
        QVERIFY2(product.isEmpty() || !sim.Output(true).contains(QLatin1String("start ")), "start packet sent");
        // A missing file, or the folder the dialog first suggests.
        QCOMPARE(RunWorker(dir.filePath(QStringLiteral("none.zvf"))).messages, QStringList{"File does not exist!"});
        QCOMPARE(RunWorker(dir.path()).messages, QStringList{"File does not exist!"});
    }

    void transfers_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("answers"); // requests answered beyond one per block
        QTest::addColumn<int>("starts");
        QTest::newRow("shuffled and repeated")
            << "d901" << QByteArray("Alvo") << 100 << QStringList{"order=shuffle", "seed=5", "repeat=4"} << 25 << 1;
        QTest::newRow("request past the end")
            << "d905" << QByteArray("Dulan") << 100 << QStringList{"beyond=5", "beyond-index=100"} << 0 << 1;
        QTest::newRow("replies in pieces")
            << "d903" << QByteArray("TeyP") << 10 << QStringList{"split=2", "split-ms=40"} << 0 << 1;
        QTest::newRow("wrong ready restarts")
            << "d903" << QByteArray("TeyP") << 5 << QStringList{"wrong-ready=1"} << 0 << 2;
    }
    void transfers()
    {
        QFETCH(QString, product);
        QFETCH(QByteArray, model);
        QFETCH(int, blocks);
        QFETCH(QStringList, options);
        QFETCH(int, answers);
        const QByteArray body = SampleBody(blocks, 0x08000000u, quint32(blocks));
        SimProcess sim;
        QVERIFY(sim.Start(SimArgs(product, Out(), options)));
        ExtraPorts use(sim.ports);
        // A tail shorter than a block is never sent.
        const Outcome outcome = RunWorker(Image(model, body + QByteArray(500, 'z')));
        const QString report = sim.Output();
        QVERIFY2(outcome.bSucceeded, qPrintable(outcome.messages.join(QLatin1Char('|')) + report));
        QCOMPARE(TestEnv::ReadFile(Out()), body);
        QVERIFY(report.contains(QStringLiteral("start %1 blocks").arg(blocks)));
        QVERIFY2(!report.contains(QLatin1String("differs")) && !report.contains(QLatin1String("bad checksum")),
                 qPrintable(report));
        QTEST(int(outcome.messages.count(QStringLiteral("Starting..."))), "starts");
        QCOMPARE(outcome.messages.last(), QStringLiteral("Done"));
        QCOMPARE(outcome.progress.size(), blocks + answers + 1);
        QCOMPARE(outcome.progress.last(), qMakePair(blocks, blocks));
        QCOMPARE(sim.ExitCode(), 0);
    }

    void silentInstrument()
    {
        // The usual count while the instrument says nothing, then after 10 s a
        // hint; a stop request ends the worker at its next wait.
        SimProcess sim;
        QVERIFY(sim.Start(SimArgs("d904", Out(), {"silent=1"})));
        ExtraPorts use(sim.ports);
        QElapsedTimer clock;
        clock.start();
        qint64 hintAtMs = -1;
        const Outcome outcome =
            RunWorker(Image("Tey", SampleBody(3, 0, 5)), 20000, [&](firmwareToDevice* worker, const QString& text) {
                if (text == firmwareToDevice::SilenceHint() && hintAtMs < 0) {
                    hintAtMs = clock.elapsed();
                    worker->requestInterruption();
                }
            });
        QVERIFY2(hintAtMs >= 10000, qPrintable(QStringLiteral("hint after %1 ms").arg(hintAtMs)));
        QVERIFY(!outcome.bTimedOut && !outcome.bSucceeded);
        QVERIFY(outcome.messages.contains(QStringLiteral("Waiting...31")));
        QCOMPARE(outcome.messages.last(), firmwareToDevice::SilenceHint());
        QVERIFY(outcome.progress.isEmpty());
    }

    void hangUp()
    {
        SimProcess sim;
        QVERIFY(sim.Start(SimArgs("d904", Out(), {"hangup=10"})));
        ExtraPorts use(sim.ports);
        const Outcome outcome = RunWorker(Image("Tey", SampleBody(100, 0, 17)), 20000);
        QVERIFY(sim.Output().contains(QLatin1String("hanging up after 10 blocks")));
        QVERIFY2(!outcome.bTimedOut, "the worker went on after the instrument hung up");
        QVERIFY(!outcome.bSucceeded);
        QCOMPARE(outcome.messages.last(), QStringLiteral("Instrument not responding."));
        QCOMPARE(outcome.messages.count(QStringLiteral("Starting...")), 1);
        QCOMPARE(outcome.progress.size(), 10);
        QVERIFY(!QFile::exists(Out()));
    }
};

QTEST_MAIN(TestFirmwareTransfer)
#include "test_transfer.moc"
