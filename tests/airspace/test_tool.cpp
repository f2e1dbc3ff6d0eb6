// r8tool airspace-batch and airspace-summary as a user runs them.
#include "airspace.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QtTest>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run Tool(const QStringList& args)
{
    QProcess p;
    p.start(TestEnv::ToolPath("R8TOOL"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(text);
    return f.fileName();
}

} // namespace

class TestTool : public QObject
{
    Q_OBJECT
private slots:
    void batchMatchesTheDialogsBatch();
    void summaryFigures();
    void badArguments();
};

void TestTool::batchMatchesTheDialogsBatch()
{
    QTemporaryDir dir;
    const QString a = Write(dir, QStringLiteral("a.txt"), "AC R\nAN Caf\xC3\xA9\nAL SFC\nAH 1000ft\nDP 46 N 6 E\n");
    const QString b = TestEnv::OpenAirDir() + QStringLiteral("/uk_2020.txt");
    const Run r = Tool({QStringLiteral("airspace-batch"), a, b});
    QCOMPARE(r.code, 0);

    QTreeWidgetItem fa, fb;
    AirSpace reader;
    reader.LoadFromFile(&fa, a);
    reader.LoadFromFile(&fb, b);
    const QStringList expected = ASpaceList::BuildBatch({&fa, &fb});
    QCOMPARE(r.out, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QVERIFY(r.out.startsWith(QStringLiteral("PZVCTR,\nPZVCTD,0,305,0,0.10472,0.10472,Caf\u00e9\nPZVCTP,")));
    QVERIFY(r.out.endsWith(QLatin1String("PZVCTT,\n")));
}

void TestTool::summaryFigures()
{
    QTemporaryDir dir;
    const QString a = Write(dir, QStringLiteral("s.txt"),
                            "AC CTR\nAN Box\nAL 300M\nAH FL 65\nDP 1 N 2 E\nDP 3 S 4 W\n"
                            "AC Q\nAN Ring\nV X=0 N 10 E\nDC 60\nDA 1,2,3\nAC E\n");
    const Run r = Tool({QStringLiteral("airspace-summary"), a});
    QCOMPARE(r.code, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 3 + 1);
    QCOMPARE(lines.at(1),
             QStringLiteral("Box\tCTR\t300.0\t1981.2\t2\t0\t0\t52\t-3.000000\t-4.000000\t1.000000\t2.000000"));
    // 60 NM around 0 N 10 E: one degree of latitude is 59.7 NM at the equator.
    const QStringList ring = lines.at(2).split(QLatin1Char('\t'));
    QCOMPARE(ring.mid(0, 8), QStringList({"Ring", "Q", "0.0", "0.0", "0", "1", "1", "46"}));
    QVERIFY(std::abs(ring.at(8).toDouble() + 1.0049) < 1e-3);
    QVERIFY(std::abs(ring.at(9).toDouble() - (10 - 0.9982)) < 1e-3);
    QVERIFY(std::abs(ring.at(10).toDouble() - 1.0049) < 1e-3);
    QCOMPARE(lines.at(3), QStringLiteral("\tE\t0.0\t0.0\t0\t0\t0\t32\t-\t-\t-\t-"));
    QVERIFY(lines.at(4).startsWith(QStringLiteral("# total\t3 airspaces\t\t\t2\t1\t1\t130\t-3.000000\t-4.000000")));
}

void TestTool::badArguments()
{
    Run r = Tool({QStringLiteral("airspace-batch")});
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(QStringLiteral("name at least one OpenAir file")));
    r = Tool({QStringLiteral("airspace-summary"), QStringLiteral("/nonexistent/x.txt")});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("cannot read /nonexistent/x.txt")));
    QVERIFY(r.out.isEmpty() || !r.out.contains(QStringLiteral("# total")));
}

QTEST_MAIN(TestTool)
#include "test_tool.moc"
