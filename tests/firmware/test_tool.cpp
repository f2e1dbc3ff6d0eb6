// r8tool's firmware commands: make an image, check it, send it to r8sim
// and to a silent one.
#include "firmwaresim.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareImage;
using namespace FirmwareTest;
using TestEnv::RunTool;

class TestFirmwareTool : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void makeCheckAndSend()
    {
        const QString image = dir.filePath(QStringLiteral("teyp.zvf"));
        QCOMPARE(RunTool({"firmware-make", "--model", "TeyP", "--blocks", "12", "--extra", "100", "--address",
                          "0x08004000", "--seed", "9", "-o", image})
                     .code,
                 0);
        const QByteArray body = SampleBody(12, 0x08004000u, 9), bytes = TestEnv::ReadFile(image);
        QCOMPARE(bytes, Build(kMagicSD, "TeyP", body) + bytes.right(100));
        TestEnv::ToolRun run = RunTool({"firmware-check", image});
        QCOMPARE(run.code, 0);
        for (const char* line : {"model: TeyP (number 3)", "instrument: TEY SD+", "trailing bytes never sent: 100"})
            QVERIFY2(run.out.contains(QLatin1String(line)), line);
        const uchar* block7 = reinterpret_cast<const uchar*>(bytes.constData()) + 64 + 7 * 1028;
        QVERIFY(run.out.contains(
            QStringLiteral("\n7\t0x08005c00\t0x%1\n").arg(BlockChecksum(block7), 4, 16, QLatin1Char('0'))));

        run = RunTool({"firmware-send", image});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QLatin1String("No instrument is connected!")));
        const QString out = dir.filePath(QStringLiteral("teyp.bin"));
        {
            SimProcess sim;
            QVERIFY(sim.Start(SimArgs("d903", out)));
            run = RunTool({"firmware-send", image}, sim.ports);
            QCOMPARE(run.code, 0);
            QVERIFY(run.err.contains(QLatin1String("progress 12/12")) && run.err.contains(QLatin1String("Done")));
        }
        QCOMPARE(TestEnv::ReadFile(out), body);
        // A silent instrument: the send gives up when told and fails.
        SimProcess silent;
        QVERIFY(silent.Start(SimArgs("d903", out, {"silent=1"})));
        run = RunTool({"firmware-send", image, "--give-up", "1"}, silent.ports);
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QLatin1String("Waiting...")) && !run.err.contains(QLatin1String("Done")));
    }
};

QTEST_MAIN(TestFirmwareTool)
#include "test_tool.moc"
