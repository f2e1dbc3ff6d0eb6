// r8tool's firmware commands: make an image, check it, send it to r8sim.
#include "firmwareimage.h"
#include "firmwaresim.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareImage;
using namespace FirmwareTest;

class TestFirmwareTool : public QObject
{
    Q_OBJECT
private slots:
    void init() { qunsetenv("R8_EXTRA_PORTS"); }
    void makeAndCheck();
    void checkRefusesBadImages();
    void sendExitCodes();

private:
    struct Run {
        int iExit = -1;
        QString strOut;
        QString strErr;
    };
    static Run Tool(const QStringList& args);
    QTemporaryDir dir;
};

namespace {
constexpr int kToolMs = 30000;
}

TestFirmwareTool::Run TestFirmwareTool::Tool(const QStringList& args)
{
    QProcess tool;
    tool.start(TestEnv::ToolPath("R8TOOL"), args);
    Run run;
    if (!tool.waitForFinished(kToolMs)) {
        tool.kill();
        tool.waitForFinished(kToolMs);
        return run;
    }
    run.iExit = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.strOut = QString::fromUtf8(tool.readAllStandardOutput());
    run.strErr = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

void TestFirmwareTool::makeAndCheck()
{
    const QString image = dir.filePath(QStringLiteral("teyp.zvf"));
    const Run made = Tool({"firmware-make", "--model", "TeyP", "--blocks", "12", "--extra", "100", "--address",
                           "0x08004000", "--seed", "9", "-o", image});
    QCOMPARE(made.iExit, 0);
    QFile file(image);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 64 + 12 * 1028 + 100);
    QCOMPARE(bytes.left(6), QByteArray(kMagicSD));
    QCOMPARE(bytes.mid(6, 5), QByteArray("TeyP\0", 5));
    // The tool's body is the library's sample body for the same numbers.
    QCOMPARE(bytes.mid(64, 12 * 1028), SampleBody(12, 0x08004000u, 9));

    const Run checked = Tool({"firmware-check", image});
    QCOMPARE(checked.iExit, 0);
    QVERIFY(checked.strOut.contains(QLatin1String("family: ZVF_R9")));
    QVERIFY(checked.strOut.contains(QLatin1String("model: TeyP (number 3)")));
    QVERIFY(checked.strOut.contains(QLatin1String("image code: 0xd903")));
    QVERIFY(checked.strOut.contains(QLatin1String("instrument: TEY SD+")));
    QVERIFY(checked.strOut.contains(QLatin1String("body size: 12436 bytes")));
    QVERIFY(checked.strOut.contains(QLatin1String("block count: 12")));
    QVERIFY(checked.strOut.contains(QLatin1String("trailing bytes never sent: 100")));
    const QStringList lines = checked.strOut.split(QLatin1Char('\n'));
    const int header = lines.indexOf(QStringLiteral("# block\taddress\tchecksum"));
    QVERIFY(header >= 0);
    QCOMPARE(lines.size() - header - 2, 12); // one row a block, then the final newline
    const uchar* block7 = reinterpret_cast<const uchar*>(bytes.constData()) + 64 + 7 * 1028;
    QCOMPARE(lines.at(header + 1 + 7), QStringLiteral("7\t0x08005c00\t0x%1").arg(BlockChecksum(block7), 4, 16,
                                                                                 QLatin1Char('0')));
}

void TestFirmwareTool::checkRefusesBadImages()
{
    const QString tooShort = WriteFile(dir.path(), QStringLiteral("short.zvf"), QByteArray(63, 'Z'));
    Run run = Tool({"firmware-check", tooShort});
    QCOMPARE(run.iExit, 1);
    QVERIFY(run.strErr.contains(QLatin1String("Invalid file!")));

    const QString lower = dir.filePath(QStringLiteral("lower.zvf"));
    QCOMPARE(Tool({"firmware-make", "--model", "tey", "--blocks", "1", "-o", lower}).iExit, 0);
    run = Tool({"firmware-check", lower});
    QCOMPARE(run.iExit, 1);
    QVERIFY(run.strErr.contains(QLatin1String("unknown model!")));

    const QString large = dir.filePath(QStringLiteral("large.zvf"));
    QCOMPARE(Tool({"firmware-make", "--model", "Osk", "--blocks", "499", "-o", large}).iExit, 0);
    run = Tool({"firmware-check", large});
    QCOMPARE(run.iExit, 1);
    QVERIFY(run.strErr.contains(QLatin1String("Firmware file is too large!")));

    const QString old = dir.filePath(QStringLiteral("old.zvf"));
    QCOMPARE(Tool({"firmware-make", "--model", "Osk", "--magic", "ZVF_R8", "--blocks", "2", "-o", old}).iExit, 0);
    run = Tool({"firmware-check", old});
    QCOMPARE(run.iExit, 0);
    QVERIFY(run.strOut.contains(QLatin1String("image code: 0xd802")));
    QVERIFY(run.strOut.contains(QLatin1String("instrument: an older Osk")));

    QCOMPARE(Tool({"firmware-make", "--model", "Osk", "-o", old}).iExit, 2); // no block count
}

void TestFirmwareTool::sendExitCodes()
{
    const QString image = dir.filePath(QStringLiteral("alvo.zvf"));
    QCOMPARE(Tool({"firmware-make", "--model", "Alvo", "--blocks", "30", "-o", image}).iExit, 0);

    Run run = Tool({"firmware-send", image});
    QCOMPARE(run.iExit, 1);
    QVERIFY(run.strErr.contains(QLatin1String("No instrument is connected!")));

    const QString out = dir.filePath(QStringLiteral("alvo.bin"));
    {
        Sim sim;
        QVERIFY(sim.Start(QStringLiteral("d901"), out));
        run = Tool({"firmware-send", image});
        QCOMPARE(run.iExit, 0);
        QVERIFY(run.strErr.contains(QLatin1String("progress 30/30")));
        QVERIFY(run.strErr.contains(QLatin1String("Done")));
    }
    QFile received(out);
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(received.readAll(), SampleBody(30, 0x08000000u, 1));

    // A silent instrument: the send gives up when told and fails.
    Sim silent;
    QVERIFY(silent.Start(QStringLiteral("d901"), out, {QStringLiteral("silent=1")}));
    run = Tool({"firmware-send", image, "--give-up", "1"});
    QCOMPARE(run.iExit, 1);
    QVERIFY(run.strErr.contains(QLatin1String("Waiting...")));
    QVERIFY(!run.strErr.contains(QLatin1String("Done")));
}

QTEST_MAIN(TestFirmwareTool)
#include "test_tool.moc"
