// r8tool's firmware commands: make an image, check it, send it to r8sim.
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
    void makeAndCheck()
    {
        const QString image = dir.filePath(QStringLiteral("teyp.zvf"));
        QCOMPARE(RunTool({"firmware-make", "--model", "TeyP", "--blocks", "12", "--extra", "100", "--address",
                          "0x08004000", "--seed", "9", "-o", image})
                     .code,
                 0);
        const QByteArray bytes = TestEnv::ReadFile(image);
        QCOMPARE(bytes, Build(kMagicSD, "TeyP", SampleBody(12, 0x08004000u, 9)) + bytes.right(100));
        const TestEnv::ToolRun checked = RunTool({"firmware-check", image});
        QCOMPARE(checked.code, 0);
        for (const char* line : {"model: TeyP (number 3)", "instrument: TEY SD+", "trailing bytes never sent: 100"})
            QVERIFY2(checked.out.contains(QLatin1String(line)), line);
        const uchar* block7 = reinterpret_cast<const uchar*>(bytes.constData()) + 64 + 7 * 1028;
        QVERIFY(checked.out.contains(
            QStringLiteral("\n7\t0x08005c00\t0x%1\n").arg(BlockChecksum(block7), 4, 16, QLatin1Char('0'))));
    }

    void send()
    {
        const QString image = dir.filePath(QStringLiteral("alvo.zvf"));
        QCOMPARE(RunTool({"firmware-make", "--model", "Alvo", "--blocks", "30", "-o", image}).code, 0);
        TestEnv::ToolRun run = RunTool({"firmware-send", image});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QLatin1String("No instrument is connected!")));
        const QString out = dir.filePath(QStringLiteral("alvo.bin"));
        {
            SimProcess sim;
            QVERIFY(sim.Start(SimArgs("d901", out)));
            run = RunTool({"firmware-send", image}, sim.ports);
            QCOMPARE(run.code, 0);
            QVERIFY(run.err.contains(QLatin1String("progress 30/30")) && run.err.contains(QLatin1String("Done")));
        }
        QCOMPARE(TestEnv::ReadFile(out), SampleBody(30, 0x08000000u, 1));
        // A silent instrument: the send gives up when told and fails.
        SimProcess silent;
        QVERIFY(silent.Start(SimArgs("d901", out, {"silent=1"})));
        run = RunTool({"firmware-send", image, "--give-up", "1"}, silent.ports);
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QLatin1String("Waiting...")) && !run.err.contains(QLatin1String("Done")));
    }
};

QTEST_MAIN(TestFirmwareTool)
#include "test_tool.moc"
