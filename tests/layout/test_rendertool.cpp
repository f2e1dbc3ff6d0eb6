// r8tool render: pages of a real layout file painted by the page canvas,
// and clear refusals for what cannot be rendered.
#include "testsupport.h"

#include <QImage>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int code;
    QString err;
};

Run Tool(const QStringList& args)
{
    QProcess proc;
    proc.start(TestEnv::ToolPath("R8TOOL"), args);
    if (!proc.waitForFinished(60000))
        return {-1, QStringLiteral("timed out")};
    return {proc.exitCode(), QString::fromUtf8(proc.readAllStandardError())};
}

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

private slots:
    void onePage()
    {
        const QString out = dir.filePath(QStringLiteral("p0.png"));
        const Run run = Tool({QStringLiteral("render"), sample, QStringLiteral("--page"), QStringLiteral("0"),
                              QStringLiteral("-o"), out});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QImage page0(out);
        QCOMPARE(page0.size(), QSize(482, 642)); // 240 x 320 at zoom 2, plus the frame

        const QString empty = dir.filePath(QStringLiteral("p9.png"));
        QCOMPARE(Tool({QStringLiteral("render"), sample, QStringLiteral("--page"), QStringLiteral("9"),
                       QStringLiteral("--zoom"), QStringLiteral("1"), QStringLiteral("-o"), empty})
                     .code,
                 0);
        QCOMPARE(QImage(empty).size(), QSize(242, 322));

        // Page 0 carries seven elements, page 8 (same digit width) none: only
        // its number and frame.
        const QString bare = dir.filePath(QStringLiteral("p8.png"));
        QCOMPARE(Tool({QStringLiteral("render"), sample, QStringLiteral("--page"), QStringLiteral("8"),
                       QStringLiteral("-o"), bare})
                     .code,
                 0);
        QVERIFY(Marked(page0) > 2 * Marked(QImage(bare)));
    }

    void allPagesAndContactSheet()
    {
        const QString out = dir.filePath(QStringLiteral("all"));
        const Run run = Tool({QStringLiteral("render"), sample, QStringLiteral("--all"), QStringLiteral("-o"), out});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(QDir(out).entryList({QStringLiteral("page*.png")}).size(), 16);
        QVERIFY(!QImage(QDir(out).filePath(QStringLiteral("contact-sheet.png"))).isNull());
    }

    void refusals()
    {
        const QString out = dir.filePath(QStringLiteral("x.png"));
        Run run = Tool({QStringLiteral("render"), dir.filePath(QStringLiteral("missing.zvl")),
                        QStringLiteral("--page"), QStringLiteral("0"), QStringLiteral("-o"), out});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QStringLiteral("missing.zvl")));

        const QString broken = dir.filePath(QStringLiteral("broken.zvl"));
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<ZarvinLayout><Object ID=\"1\"</ZarvinLayout>");
        f.close();
        run = Tool({QStringLiteral("render"), broken, QStringLiteral("--page"), QStringLiteral("0"),
                    QStringLiteral("-o"), out});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QStringLiteral("line 1")));

        QCOMPARE(Tool({QStringLiteral("render"), sample, QStringLiteral("--page"), QStringLiteral("16"),
                       QStringLiteral("-o"), out})
                     .code,
                 2);
        QCOMPARE(Tool({QStringLiteral("render"), sample, QStringLiteral("-o"), out}).code, 2);
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_GUILESS_MAIN(TestRenderTool)
#include "test_rendertool.moc"
