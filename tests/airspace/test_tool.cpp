// r8tool's airspace commands as a user runs them, and files the reader
// refuses with a message naming them.
#include "airspace.h"
#include "airspacetest.h"
#include "airspacestore.h"
#include "testsupport.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using TestEnv::RunTool;
using TestEnv::ToolRun;

namespace {

QByteArray Utf16(const QString& text, bool bLittle)
{
    QByteArray out(bLittle ? "\xFF\xFE" : "\xFE\xFF", 2);
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bLittle ? lo : hi).append(bLittle ? hi : lo);
    }
    return out;
}

} // namespace

class TestTool : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString Write(const QString& name, const QByteArray& text)
    {
        const QString path = dir.filePath(name);
        return TestEnv::WriteFile(path, text) ? path : QString();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void refused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << dir.filePath(QStringLiteral("none.txt")) << "";
        QTest::newRow("device") << QStringLiteral("/dev/zero") << "not a regular file";
        QTest::newRow("directory") << dir.path() << "";
        QFile sparse(dir.filePath(QStringLiteral("sparse.txt")));
        if (sparse.open(QIODevice::WriteOnly))
            sparse.resize(300LL * 1024 * 1024);
        QTest::newRow("300 MB") << sparse.fileName() << "over 256 MB";
        QTest::newRow("binary") << Write(QStringLiteral("bin.txt"), QByteArray("AC R\nAN X\0\1\2", 12))
                                << "not a text file";
    }
    void refused()
    {
        QFETCH(QString, path);
        QFETCH(QString, why);
        const ToolRun run = RunTool({"airspace-summary", path});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("cannot read %1: ").arg(path)) && run.err.contains(why),
                 qPrintable(run.err));
        QVERIFY(!run.out.contains(QLatin1String("# total")));
    }

    // The batch printed is the dialog's, and a UTF-16 copy under a name
    // Latin-1 cannot spell gives the same.
    void utf16ReadsAsTheOriginal_data()
    {
        QTest::addColumn<bool>("littleEndian");
        QTest::newRow("UTF-16LE") << true;
        QTest::newRow("UTF-16BE") << false;
    }
    void utf16ReadsAsTheOriginal()
    {
        QFETCH(bool, littleEndian);
        const QString original = TestEnv::OpenAirDir() + QStringLiteral("/fr_ffvp_2026.txt");
        const QString copy = Write(QStringLiteral("\u03a9mega \u0141\u00f3d\u017a.txt"),
                                   Utf16(QString::fromUtf8(TestEnv::ReadFile(original)), littleEndian));
        const ToolRun run = RunTool({"airspace-batch", copy});
        AirspaceStore store;
        store.LoadFile(original);
        QCOMPARE(run.code, 0);
        QVERIFY(run.out == store.BuildBatch().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    void summaryFigures()
    {
        const QString a =
            Write(QStringLiteral("s.txt"), "AC CTR\nAN Box\nAL 300M\nAH FL 65\nDP 1 N 2 E\nDP 3 S 4 W\n"
                                           "AC Q\nAN Ring\nV X=0 N 10 E\nDC 60\nDA 1,2,3\nAC E\n");
        const ToolRun run = RunTool({"airspace-summary", a});
        QCOMPARE(run.code, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
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

    void choicesAndMap()
    {
        const QString path = Write(QStringLiteral("t.txt"), HereAndFar());
        ToolRun r = RunTool({"airspace-summary", path, "--near", "46,7", "--radius", "50", "--class", "R"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("\nHere\tR\t"));
        QVERIFY(!r.out.contains("Far") && !r.out.contains("Here Q"));
        const QString png = dir.filePath(QStringLiteral("map.png"));
        r = RunTool({"airspace-map", path, "-o", png, "--near", "46,7", "--radius", "30"});
        QCOMPARE(r.code, 0);
        const QImage image(png);
        // The checked airspace around the place is filled in its class colour.
        const QColor centre = image.pixelColor(530, 430);
        QVERIFY2(centre.red() > centre.blue(), qPrintable(centre.name()));
    }

    void refusalsAndWarnings()
    {
        ToolRun r = RunTool({"airspace-batch"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QLatin1String("name at least one OpenAir file")));
        const QString path = Write(QStringLiteral("w.txt"), "AN Early\nAC R\nAN Late\nAH NOTAM\nDP 1 N 2 E\n");
        r = RunTool({"airspace-batch", path, "--near", "north"});
        QCOMPARE(r.code, 2);
        // Warnings go to stderr as FILE:LINE: message, and nothing else but
        // the platform's own notes.
        r = RunTool({"airspace-batch", path});
        QCOMPARE(r.code, 0);
        QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines = lines.filter(QRegularExpression(QStringLiteral("^(?!QStandardPaths)")));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith(path + QStringLiteral(":1: AN ")));
        QVERIFY(lines.at(1).startsWith(path + QStringLiteral(":4: ")));
        QVERIFY(r.out.startsWith("PZVCTR,\nPZVCTD,0,0,0,"));
    }
};

QTEST_MAIN(TestTool)
#include "test_tool.moc"
