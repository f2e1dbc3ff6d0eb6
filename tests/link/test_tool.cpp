// r8tool layout-batch and send, run as programs against r8sim.
#include "simprocess.h"
#include "zvcomport.h"

#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run Tool(const QStringList& args, const QString& ports = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("R8_EXTRA_PORTS"), ports);
    p.setProcessEnvironment(env);
    p.start(TestEnv::ToolPath("R8TOOL"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString Layout(const char* name)
{
    return TestEnv::TestData(QStringLiteral("link/") + QLatin1String(name));
}

} // namespace

class TestTool : public QObject
{
    Q_OBJECT
private slots:
    void layoutBatch();
    void layoutBatchFramed();
    void layoutBatchRefusesEmptyLayout();
    void sendAcknowledged();
    void sendNak();
    void sendWithoutInstrument();
};

void TestTool::layoutBatch()
{
    const Run r = Tool({QStringLiteral("layout-batch"), Layout("two_pages.zvl")});
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    const QList<QByteArray> expected = {
        "PZVFLO,START",
        "PZVFLO,1,33,0,0,80,29,44,1,0.00,0.00",
        "PZVFLO,53248,2,20,60,120,120,1,3,-5.00,5.00",
        // the battery icon: no attributes
        lines.value(3),
        "PZVFLO,NAME,0,Main)",
        "PZVFLO,NAME,1,Thermal climb)",
        "PZVFLO,TRIGGER,1,1,",
        "PZVFLO,TRIGGER,3,1,",
        "PZVFLO,DISABLED,4",
        "PZVFLO,END",
    };
    QCOMPARE(lines, expected);
    QVERIFY(lines.at(3).startsWith("PZVFLO,57393,0,200,0,"));
    QVERIFY(lines.at(3).endsWith(",0,1,0.00,0.00"));
}

void TestTool::layoutBatchFramed()
{
    const Run plain = Tool({QStringLiteral("layout-batch"), Layout("two_pages.zvl")});
    const Run framed = Tool({QStringLiteral("layout-batch"), QStringLiteral("--framed"), Layout("two_pages.zvl")});
    QCOMPARE(framed.exitCode, 0);
    QByteArray expected;
    for (const QByteArray& body : plain.out.trimmed().split('\n'))
        expected += FrameSentence(body);
    QCOMPARE(framed.out, expected);
}

void TestTool::layoutBatchRefusesEmptyLayout()
{
    const Run r = Tool({QStringLiteral("layout-batch"), Layout("no_elements.zvl")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains("Layout has no elements!"));
    const Run missing = Tool({QStringLiteral("layout-batch"), Layout("not_there.zvl")});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains("not_there.zvl"));
}

void TestTool::sendAcknowledged()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--product"), QStringLiteral("d904")}));
    const Run r = Tool({QStringLiteral("send"), Layout("two_pages.zvl")}, sim.ports);
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("Connected to TEY SD."));
    QVERIFY(r.out.contains("10/10"));
    QVERIFY(r.out.contains("All data sent."));
    const Run batch = Tool({QStringLiteral("layout-batch"), Layout("two_pages.zvl")});
    QCOMPARE(sim.Log().join(QLatin1Char('\n')).toLatin1(), batch.out.trimmed());
}

void TestTool::sendNak()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--nak-at"), QStringLiteral("3")}));
    const Run r = Tool({QStringLiteral("send"), Layout("two_pages.zvl")}, sim.ports);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.contains("Device did not confirm final message!"));
    QVERIFY(!r.out.contains("All data sent."));
    QCOMPARE(sim.Log().size(), 3);
}

void TestTool::sendWithoutInstrument()
{
    const Run r = Tool({QStringLiteral("send"), Layout("two_pages.zvl")}, QStringLiteral("/dev/null=1234:5678"));
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.contains("Could not connect to device."));
    const Run empty = Tool({QStringLiteral("send"), Layout("no_elements.zvl")});
    QCOMPARE(empty.exitCode, 1);
    QVERIFY(empty.err.contains("Layout has no elements!"));
}

QTEST_MAIN(TestTool)
#include "test_tool.moc"
