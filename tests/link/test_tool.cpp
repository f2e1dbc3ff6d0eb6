// r8tool layout-batch and send, run as programs against r8sim.
#include "simprocess.h"
#include "zvcomport.h"

#include <QtTest>

namespace {

QString Layout(const char* name)
{
    return TestEnv::TestData(QStringLiteral("link/") + QLatin1String(name));
}

} // namespace

class TestTool : public QObject
{
    Q_OBJECT
private slots:
    void layoutBatch()
    {
        const TestEnv::ToolRun run = TestEnv::RunTool({"layout-batch", Layout("two_pages.zvl")});
        QCOMPARE(run.code, 0);
        const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
        const QStringList expected = {
            "PZVFLO,START",
            "PZVFLO,1,33,0,0,80,29,44,1,0.00,0.00",
            "PZVFLO,53248,2,20,60,120,120,1,3,-5.00,5.00",
            lines.value(3), // the battery icon, below
            "PZVFLO,NAME,0,Main)",
            "PZVFLO,NAME,1,Thermal climb)",
            "PZVFLO,TRIGGER,1,1,",
            "PZVFLO,TRIGGER,3,1,",
            "PZVFLO,DISABLED,4",
            "PZVFLO,END",
        };
        QCOMPARE(lines, expected);
        // An icon sends no attributes.
        QVERIFY(lines.at(3).startsWith(QLatin1String("PZVFLO,57393,0,200,0,")));
        QVERIFY(lines.at(3).endsWith(QLatin1String(",0,1,0.00,0.00")));

        const TestEnv::ToolRun framed = TestEnv::RunTool({"layout-batch", "--framed", Layout("two_pages.zvl")});
        QByteArray frames;
        for (const QString& body : lines)
            frames += FrameSentence(body.toLatin1());
        QCOMPARE(framed.out.toLatin1(), frames);
    }
};

QTEST_MAIN(TestTool)
#include "test_tool.moc"
