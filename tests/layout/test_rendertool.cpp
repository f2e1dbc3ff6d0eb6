// r8tool render and sample-sheet: pictures painted by the page canvas,
// and clear refusals for what cannot be rendered.
#include "testsupport.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using TestEnv::RunTool;

namespace {

// Pixels that differ from the page's background.
int Marked(const QImage& image)
{
    const QRgb background = image.pixel(image.width() / 2, image.height() - 8);
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            count += image.pixel(x, y) != background;
    return count;
}

} // namespace

class TestRenderTool : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    const QString sample = TestEnv::TestData(QStringLiteral("layout/sample.zvl"));
    QString Out(const char* name) const { return dir.filePath(QLatin1String(name)); }

private slots:
    void pages()
    {
        const TestEnv::ToolRun run = RunTool({"render", sample, "--page", "0", "-o", Out("p0.png")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QImage page0(Out("p0.png"));
        QCOMPARE(page0.size(), QSize(482, 642)); // 240 x 320 at zoom 2, plus the frame
        // Page 0 carries seven elements, page 8 none: only its number and frame.
        QCOMPARE(RunTool({"render", sample, "--page", "8", "--zoom", "1", "-o", Out("p8.png")}).code, 0);
        const QImage bare(Out("p8.png"));
        QCOMPARE(bare.size(), QSize(242, 322));
        QVERIFY(Marked(page0) > 2 * Marked(bare));

        QCOMPARE(RunTool({"render", sample, "--all", "-o", Out("all")}).code, 0);
        QCOMPARE(QDir(Out("all")).entryList({QStringLiteral("page*.png")}).size(), 16);
        QVERIFY(!QImage(QDir(Out("all")).filePath(QStringLiteral("contact-sheet.png"))).isNull());
    }

    void sampleSheet()
    {
        QCOMPARE(RunTool({"sample-sheet", "-o", Out("big.png")}).code, 0);
        QCOMPARE(RunTool({"sample-sheet", "-o", Out("small.png"), "--zoom", "1"}).code, 0);
        const QImage big(Out("big.png")), small(Out("small.png"));
        // Three columns of the widest element (the graph, 120 wide) beside the labels.
        QVERIFY(big.width() > 3 * 240 && small.width() > 3 * 120 && big.width() < small.width() * 2);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QVERIFY(TestEnv::WriteFile(Out("broken.zvl"), "<ZarvinLayout><Object ID=\"1\"</ZarvinLayout>"));
        const auto row = [](const char* name, const QStringList& args, int code, const char* message) {
            QTest::newRow(name) << args << code << message;
        };
        row("missing layout", {"render", Out("missing.zvl"), "--page", "0"}, 1, "missing.zvl");
        row("broken layout", {"render", Out("broken.zvl"), "--page", "0"}, 1, "line 1");
        row("page 16", {"render", sample, "--page", "16"}, 2, "0 to 15");
        row("no page", {"render", sample}, 2, "--page");
        row("zoom not a number", {"sample-sheet", "--zoom", "huge"}, 2, "--zoom");
        row("zoom 0", {"sample-sheet", "--zoom", "0"}, 2, "--zoom");
        row("unwritable", {"sample-sheet", "-o", "/nonexistent/x.png"}, 1, "could not write");
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        if (!args.contains(QStringLiteral("-o")))
            args << "-o" << Out("x.png");
        const TestEnv::ToolRun run = RunTool(args);
        QTEST(run.code, "code");
        QFETCH(QString, message);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(Out("x.png")));
    }
};

QTEST_GUILESS_MAIN(TestRenderTool)
#include "test_rendertool.moc"
