// r8tool against devices that are no instrument or cannot be opened, each a
// real pseudo-terminal played by r8sim: the tool ends in bounded time with a
// message that says what is wrong, on stderr with a non-zero exit, and keeps
// the link's diagnostics to itself unless asked with --verbose.
#include "simprocess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

namespace {

constexpr int kNobody = 65534;

struct Run {
    bool bFinished = false;
    int exitCode = -1;
    qint64 iElapsedMs = 0;
    QString out;
    QString err;
};

// Runs r8tool, as the unprivileged user nobody when asked (root opens any
// device node whatever its permissions).
Run Tool(const QStringList& args, const QString& ports, bool bAsNobody, int iWaitMs)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("R8_EXTRA_PORTS"), ports);
    p.setProcessEnvironment(env);
    QStringList command = QStringList{TestEnv::ToolPath("R8TOOL")} + args;
    if (bAsNobody && ::geteuid() == 0)
        command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(kNobody),
                              QStringLiteral("--regid=%1").arg(kNobody), QStringLiteral("--clear-groups")}
                  + command;
    QElapsedTimer clock;
    clock.start();
    p.start(command.takeFirst(), command);
    Run r;
    r.bFinished = p.waitForFinished(iWaitMs);
    r.iElapsedMs = clock.elapsed();
    if (!r.bFinished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestPortProblems : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_image; // an image for the TEY SD

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_image = m_dir.filePath(QStringLiteral("tey.zvf"));
        const Run made = Tool({QStringLiteral("firmware-make"), QStringLiteral("--model"), QStringLiteral("Tey"),
                               QStringLiteral("--blocks"), QStringLiteral("2"), QStringLiteral("-o"), m_image},
                              QString(), false, 30000);
        QCOMPARE(made.exitCode, 0);
        // nobody must reach the tool, the layout and the image.
        QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ExeOther | QFile::ReadOther);
        QFile::setPermissions(m_image, QFile::permissions(m_image) | QFile::ReadOther);
        if (::geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("running as root without setpriv: a denied permission cannot be shown");
    }

    void refusedPort_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("asNobody");
        QTest::addColumn<QString>("message");
        const QString inUse = QStringLiteral(": in use by another program.");
        const QString denied = QStringLiteral(": permission denied — see README: dialout group.");
        const QStringList busy{QStringLiteral("--refuse-open"), QStringLiteral("busy")};
        const QStringList locked{QStringLiteral("--refuse-open"), QStringLiteral("permission")};
        const QStringList busyOld = busy + QStringList{QStringLiteral("--old"), QStringLiteral("Alvo")};
        QTest::newRow("send, port held by another program") << busy << "send" << false << inUse;
        QTest::newRow("send, converter held by another program") << busyOld << "send" << false << inUse;
        QTest::newRow("send, no permission") << locked << "send" << true << denied;
        QTest::newRow("firmware, port held by another program") << busy << "firmware-send" << false << inUse;
        QTest::newRow("firmware, no permission") << locked << "firmware-send" << true << denied;
    }
    void refusedPort()
    {
        QFETCH(QStringList, simOptions);
        QFETCH(QString, command);
        QFETCH(bool, asNobody);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY(sim.Start(simOptions + QStringList{QStringLiteral("--product"), QStringLiteral("d904")}));
        const QString file =
            command == QLatin1String("send") ? TestEnv::TestData(QStringLiteral("link/two_pages.zvl")) : m_image;
        const Run r = Tool({command, file}, sim.ports, asNobody, 30000);
        QVERIFY(r.bFinished);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(sim.device + message), qPrintable(r.err));
    }

    void streamingDeviceGivenUp_data()
    {
        QTest::addColumn<QString>("hz");
        QTest::newRow("a 10 Hz logger") << "10";
        QTest::newRow("a 1 Hz logger") << "1";
        QTest::newRow("a fast stream") << "500";
    }
    void streamingDeviceGivenUp()
    {
        // One identification window of 1 s, whatever the device sends: the
        // whole run (start-up included) is over within 3 s.
        QFETCH(QString, hz);
        SimProcess sim;
        QVERIFY(sim.Start({QStringLiteral("--old"), QStringLiteral("Alvo"), QStringLiteral("--stream"), hz}));
        const Run r = Tool({QStringLiteral("send"), TestEnv::TestData(QStringLiteral("link/two_pages.zvl"))},
                           sim.ports, false, 3000);
        QVERIFY2(r.bFinished, qPrintable(QStringLiteral("still searching after %1 ms").arg(r.iElapsedMs)));
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.contains(QStringLiteral("Looking for the instrument…")));
        QVERIFY2(r.err.contains(QStringLiteral("r8tool: Could not connect to device.")), qPrintable(r.err));
        QVERIFY(sim.Log().isEmpty()); // the device was never sent a layout sentence
    }

    void diagnosticsOnlyWhenVerbose()
    {
        SimProcess sim;
        QVERIFY(sim.Start(
            {QStringLiteral("--old"), QStringLiteral("Alvo"), QStringLiteral("--stream"), QStringLiteral("10")}));
        const QStringList send{QStringLiteral("send"), TestEnv::TestData(QStringLiteral("link/two_pages.zvl"))};
        const Run quiet = Tool(send, sim.ports, false, 30000);
        const Run verbose = Tool(QStringList{QStringLiteral("--verbose")} + send, sim.ports, false, 30000);
        QCOMPARE(quiet.exitCode, 1);
        QCOMPARE(verbose.exitCode, 1);
        QVERIFY2(!quiet.err.contains(QStringLiteral("r8.link:")), qPrintable(quiet.err));
        QVERIFY2(verbose.err.contains(QStringLiteral("r8.link: Old model PortName: ") + sim.device),
                 qPrintable(verbose.err));
        // The error itself is no diagnostic: both say it.
        QVERIFY(quiet.err.contains(QStringLiteral("r8tool: Could not connect to device.")));
        QVERIFY(verbose.err.contains(QStringLiteral("r8tool: Could not connect to device.")));
    }

    void simDiagnosticsOnlyWhenVerbose_data()
    {
        QTest::addColumn<bool>("verbose");
        QTest::newRow("quiet") << false;
        QTest::newRow("--verbose") << true;
    }
    void simDiagnosticsOnlyWhenVerbose()
    {
        // A badly framed sentence is the simulator's diagnostic, not an error.
        QFETCH(bool, verbose);
        QProcess sim;
        sim.start(TestEnv::ToolPath("R8SIM"), verbose ? QStringList{QStringLiteral("--verbose")} : QStringList());
        QVERIFY(sim.waitForStarted());
        QByteArray out;
        while (out.count('\n') < 2 && sim.waitForReadyRead(5000))
            out += sim.readAllStandardOutput();
        QFile device(QString::fromLocal8Bit(out.split('\n').value(0)));
        QVERIFY(device.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QVERIFY(device.write("$PZVFLO,START,*00\n") > 0);
        // Time for the simulator to read it, then end it.
        QTest::qWait(500);
        device.close();
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        const QString err = QString::fromUtf8(sim.readAllStandardError());
        QCOMPARE(err.contains(QStringLiteral("r8sim: bad sentence")), verbose);
    }
};

QTEST_MAIN(TestPortProblems)
#include "test_portproblems.moc"
