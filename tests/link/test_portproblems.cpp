// r8tool against devices that are no instrument or cannot be opened, each a
// real pseudo-terminal played by r8sim: the tool ends in bounded time with a
// message that says what is wrong, on stderr with a non-zero exit, and keeps
// the link's diagnostics to itself unless asked with --verbose.
#include "simprocess.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

namespace {

QString Layout()
{
    return TestEnv::TestData(QStringLiteral("link/two_pages.zvl"));
}

} // namespace

class TestPortProblems : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void refusedPort_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        const QString inUse = QStringLiteral(": in use by another program.");
        const QStringList busy{QStringLiteral("--refuse-open"), QStringLiteral("busy")};
        QTest::newRow("send, port held by another program") << busy << "send" << inUse;
        QTest::newRow("send, converter held by another program")
            << busy + QStringList{"--old", "Alvo"} << "send" << inUse;
        QTest::newRow("firmware, port held by another program") << busy << "firmware-send" << inUse;
        QTest::newRow("send, no permission") << QStringList{"--refuse-open", "permission"} << "send"
                                             << ": permission denied — see README: dialout group.";
    }
    void refusedPort()
    {
        QFETCH(QStringList, simOptions);
        QFETCH(QString, command);
        QFETCH(QString, message);
        QString file = Layout();
        if (command == QLatin1String("firmware-send")) { // an image for the TEY SD
            file = m_dir.filePath(QStringLiteral("tey.zvf"));
            const QStringList make{"firmware-make", "--model", "Tey", "--blocks", "2", "-o", file};
            QCOMPARE(TestEnv::RunTool(make).code, 0);
        }
        // Root opens any device node whatever its permissions: run as nobody.
        const bool bAsNobody = simOptions.contains(QStringLiteral("permission")) && ::geteuid() == 0;
        if (bAsNobody && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("running as root without setpriv: a denied permission cannot be shown");
        SimProcess sim;
        QVERIFY(sim.Start(simOptions + QStringList{QStringLiteral("--product"), QStringLiteral("d904")}));
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("R8_EXTRA_PORTS"), sim.ports);
        tool.setProcessEnvironment(env);
        const QStringList args{TestEnv::ToolPath("R8TOOL"), command, file};
        if (bAsNobody)
            tool.start(QStringLiteral("setpriv"),
                       QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} + args);
        else
            tool.start(args.first(), args.mid(1));
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 1);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(err.contains(sim.device + message), qPrintable(err));
    }

    void streamingDeviceGivenUp_data()
    {
        QTest::addColumn<QString>("hz");
        QTest::addColumn<bool>("verbose");
        QTest::newRow("a fast stream") << "500" << false;
        QTest::newRow("a 10 Hz logger, --verbose") << "10" << true;
    }
    void streamingDeviceGivenUp()
    {
        // One identification window of 1 s, whatever the device sends: the
        // whole run (start-up included) is over within 3 s.
        QFETCH(QString, hz);
        QFETCH(bool, verbose);
        SimProcess sim;
        QVERIFY(sim.Start({QStringLiteral("--old"), QStringLiteral("Alvo"), QStringLiteral("--stream"), hz}));
        QStringList send{QStringLiteral("send"), Layout()};
        if (verbose)
            send.prepend(QStringLiteral("--verbose"));
        const TestEnv::ToolRun r = TestEnv::RunTool(send, sim.ports, 3000);
        QCOMPARE(r.code, 1); // -1: still searching
        QVERIFY(r.out.contains(QStringLiteral("Looking for the instrument…")));
        // The error is no diagnostic: said either way.
        QVERIFY2(r.err.contains(QStringLiteral("r8tool: Could not connect to device.")), qPrintable(r.err));
        QCOMPARE(r.err.contains(QStringLiteral("r8.link:")), verbose);
        QCOMPARE(r.err.contains(QStringLiteral("r8.link: Old model PortName: ") + sim.device), verbose);
        QVERIFY(sim.Log().isEmpty()); // the device was never sent a layout sentence
    }
};

QTEST_MAIN(TestPortProblems)
#include "test_portproblems.moc"
