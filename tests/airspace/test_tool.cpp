// r8tool airspace-batch and airspace-summary as a user runs them.
#include "airspace.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QtTest>

using TestEnv::RunTool;

class TestTool : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString Write(const char* name, const QByteArray& text)
    {
        const QString path = dir.filePath(QLatin1String(name));
        return TestEnv::WriteFile(path, text) ? path : QString();
    }

private slots:
    void batchMatchesTheDialogsBatch()
    {
        const QString a = Write("a.txt", "AC R\nAN Caf\xC3\xA9\nAL SFC\nAH 1000ft\nDP 46 N 6 E\n");
        const QString b = TestEnv::OpenAirDir() + QStringLiteral("/uk_2020.txt");
        const TestEnv::ToolRun run = RunTool({"airspace-batch", a, b});
        QCOMPARE(run.code, 0);
        QTreeWidgetItem fa, fb;
        AirSpace reader;
        reader.LoadFromFile(&fa, a);
        reader.LoadFromFile(&fb, b);
        QCOMPARE(run.out, ASpaceList::BuildBatch({&fa, &fb}).join(QLatin1Char('\n')) + QLatin1Char('\n'));
        QVERIFY(run.out.startsWith(QStringLiteral("PZVCTR,\nPZVCTD,0,305,0,0.10472,0.10472,Caf\u00e9\nPZVCTP,")));
    }

    void summaryFigures()
    {
        const QString a = Write("s.txt", "AC CTR\nAN Box\nAL 300M\nAH FL 65\nDP 1 N 2 E\nDP 3 S 4 W\n"
                                         "AC Q\nAN Ring\nV X=0 N 10 E\nDC 60\nDA 1,2,3\nAC E\n");
        const TestEnv::ToolRun run = RunTool({"airspace-summary", a});
        QCOMPARE(run.code, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 3 + 1);
        QCOMPARE(lines.at(1),
                 QStringLiteral("Box\tCTR\t300.0\t1981.2\t2\t0\t0\t52\t-3.000000\t-4.000000\t1.000000\t2.000000"));
        // 60 NM around 0 N 10 E: one degree of latitude is 59.7 NM at the equator.
        const QStringList ring = lines.at(2).split(QLatin1Char('\t'));
        QCOMPARE(ring.mid(0, 8), QStringList({"Ring", "Q", "0.0", "0.0", "0", "1", "1", "46"}));
        QVERIFY(std::abs(ring.at(8).toDouble() + 1.0049) < 1e-3);
        QVERIFY(std::abs(ring.at(9).toDouble() - (10 - 0.9982)) < 1e-3);
        QCOMPARE(lines.at(3), QStringLiteral("\tE\t0.0\t0.0\t0\t0\t0\t32\t-\t-\t-\t-"));
        QVERIFY(
            lines.at(4).startsWith(QStringLiteral("# total\t3 airspaces\t\t\t2\t1\t1\t130\t-3.000000\t-4.000000")));
    }

    void refusals()
    {
        TestEnv::ToolRun run = RunTool({"airspace-batch"});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(QLatin1String("name at least one OpenAir file")));
        run = RunTool({"airspace-summary", "/nonexistent/x.txt"});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QLatin1String("cannot read /nonexistent/x.txt")));
        QVERIFY(!run.out.contains(QLatin1String("# total")));
    }
};

QTEST_MAIN(TestTool)
#include "test_tool.moc"
