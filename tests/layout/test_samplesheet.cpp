// r8tool sample-sheet run as a user runs it.
#include "testsupport.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int s_iToolTimeoutMs = 60000;

int RunTool(const QStringList& args, QByteArray* pErr = nullptr)
{
    QProcess tool;
    tool.start(TestEnv::ToolPath("R8TOOL"), QStringList{QStringLiteral("sample-sheet")} + args);
    if (!tool.waitForFinished(s_iToolTimeoutMs))
        return -1;
    if (pErr)
        *pErr = tool.readAllStandardError();
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

} // namespace

class TestSampleSheet : public QObject
{
    Q_OBJECT
private slots:
    void writesOneLabelledSheet();
    void badArgumentsWriteNothing();
};

void TestSampleSheet::writesOneLabelledSheet()
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.png"));
    const QString small = dir.filePath(QStringLiteral("small.png"));
    QCOMPARE(RunTool({QStringLiteral("-o"), big}), 0);
    QCOMPARE(RunTool({QStringLiteral("-o"), small, QStringLiteral("--zoom"), QStringLiteral("1")}), 0);
    const QImage a(big), b(small);
    QVERIFY(!a.isNull() && !b.isNull());
    // Three columns of the widest element (the graph, 120 wide) beside the labels.
    QVERIFY(a.width() > 3 * 240 && b.width() > 3 * 120);
    QVERIFY(a.width() < b.width() * 2);
    // Fourteen types and the data types of the catalogue, each one row.
    QVERIFY(a.height() > b.height());
    QVERIFY(b.height() > 14 * 40);
    // Reference cells are filled with the reference colour somewhere.
    bool bBlue = false;
    for (int y = 0; y < a.height() && !bBlue; y += 3)
        for (int x = a.width() * 2 / 3; x < a.width() && !bBlue; x += 3)
            bBlue = QColor(a.pixel(x, y)) == QColor(100, 100, 200);
    QVERIFY(bBlue);
}

void TestSampleSheet::badArgumentsWriteNothing()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.png"));
    QByteArray err;
    QCOMPARE(RunTool({QStringLiteral("-o"), out, QStringLiteral("--zoom"), QStringLiteral("huge")}, &err), 2);
    QVERIFY(err.contains("--zoom"));
    QCOMPARE(RunTool({QStringLiteral("-o"), out, QStringLiteral("--zoom"), QStringLiteral("0")}), 2);
    QCOMPARE(RunTool({}, &err), 2);
    QVERIFY(err.contains("-o FILE.png"));
    QCOMPARE(RunTool({QStringLiteral("--bogus")}), 2);
    QVERIFY(!QFile::exists(out));
    QCOMPARE(RunTool({QStringLiteral("-o"), dir.filePath(QStringLiteral("missing/x.png"))}, &err), 1);
    QVERIFY(err.contains("could not write"));
}

QTEST_MAIN(TestSampleSheet)
#include "test_samplesheet.moc"
