// What the layout reader makes of hostile numbers: every element ends up
// inside the screen with a size it can have, every range is a finite
// number, and a type this program does not know keeps its size.
#include "layoutfile.h"
#include "r8element.h"
#include "testsupport.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <memory>

using namespace LayoutFile;

namespace {

std::unique_ptr<R8element> ReadOne(const QByteArray& attributes)
{
    Content content;
    ParseError error;
    const QByteArray xml = "<ZarvinLayout>\n<Object " + attributes + "/>\n</ZarvinLayout>\n";
    if (!Parse(xml, &content, &error) || content.objects.size() != 1)
        return nullptr;
    auto el = std::make_unique<R8element>(nullptr, content.objects.first().Type, 1);
    el->SetZoom(2.0f);
    ApplyObject(content.objects.first(), el.get());
    return el;
}

} // namespace

class TestReaderLimits : public QObject
{
    Q_OBJECT
private slots:
    void elementStaysOnTheScreen_data()
    {
        QTest::addColumn<QByteArray>("attributes");
        QTest::newRow("too wide value box") << QByteArray("ID=\"1\" X=\"10\" Y=\"10\" W=\"500\" H=\"400\"");
        QTest::newRow("largest int width")
            << QByteArray("ID=\"1\" X=\"100\" Y=\"5\" W=\"2147483647\" H=\"2147483647\"");
        QTest::newRow("negative width") << QByteArray("ID=\"1\" X=\"100\" Y=\"5\" W=\"-2147483648\" H=\"-5\"");
        QTest::newRow("missing size near the edge") << QByteArray("ID=\"57360\" X=\"230\" Y=\"300\"");
        QTest::newRow("too small dial") << QByteArray("ID=\"53248\" X=\"239\" Y=\"319\" W=\"1\" H=\"1\"");
        QTest::newRow("position beyond int") << QByteArray("ID=\"1\" X=\"4.5e32\" Y=\"-4.5e32\" W=\"80\" H=\"29\"");
        QTest::newRow("position beyond float") << QByteArray("ID=\"1\" X=\"1e39\" Y=\"nan\" W=\"80\" H=\"29\"");
        QTest::newRow("infinite position") << QByteArray("ID=\"57352\" X=\"inf\" Y=\"-inf\" W=\"120\" H=\"120\"");
    }
    void elementStaysOnTheScreen()
    {
        QFETCH(QByteArray, attributes);
        const std::unique_ptr<R8element> el = ReadOne(attributes);
        QVERIFY(el);
        const QPoint p = el->GetPosition();
        const QSize s = el->GetSize();
        QVERIFY2(p.x() >= 0 && p.y() >= 0, qPrintable(QStringLiteral("at %1,%2").arg(p.x()).arg(p.y())));
        QVERIFY2(
            p.x() + s.width() <= R8_SCREEN_WIDTH && p.y() + s.height() <= R8_SCREEN_HEIGHT,
            qPrintable(QStringLiteral("%1,%2 size %3x%4").arg(p.x()).arg(p.y()).arg(s.width()).arg(s.height())));
        QVERIFY(s.width() >= el->MinimumWidth() && s.height() >= el->MinimumHeight());
    }

    void rangeIsFinite_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<float>("expected");
        QTest::newRow("nan") << QByteArray("nan") << 0.0f;
        QTest::newRow("inf") << QByteArray("inf") << 0.0f;
        QTest::newRow("-infinity") << QByteArray("-infinity") << 0.0f;
        QTest::newRow("beyond float") << QByteArray("1e39") << 0.0f;
        QTest::newRow("ordinary") << QByteArray("-12.5") << -12.5f;
    }
    void rangeIsFinite()
    {
        QFETCH(QByteArray, text);
        QFETCH(float, expected);
        const std::unique_ptr<R8element> el = ReadOne("ID=\"53248\" X=\"0\" Y=\"0\" W=\"60\" H=\"60\" RangeMin=\""
                                                      + text + "\" RangeMax=\"" + text + "\"");
        QVERIFY(el);
        QCOMPARE(el->GetRangeMin(), expected);
        QCOMPARE(el->GetRangeMax(), expected);
    }

    void unknownTypeKeepsItsSize()
    {
        const std::unique_ptr<R8element> el =
            ReadOne("ID=\"4660\" X=\"20\" Y=\"30\" W=\"33\" H=\"44\" Screens=\"1\"");
        QVERIFY(el);
        const QByteArray written = Write({el.get()}, QVector<PageProps>(R8_PAGE_COUNT));
        QVERIFY2(written.contains("W=\"33\"") && written.contains("H=\"44\""), written.constData());
        QCOMPARE(el->GetPosition(), QPoint(20, 30));
    }

    void valueBoxClipsItsText()
    {
        // A large font in a small box: nothing is drawn right of or below it.
        R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
        box.SetZoom(2.0f);
        box.RestoreSize(QSize(12, 12));
        box.RestoreAttribs(R8_ATTR_BORDER | 1); // large font
        box.RestorePages(1);
        box.SetZoom(-1.0f);
        QImage image(200, 200, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            box.PaintMe(painter, 1);
        }
        const QRect drawn = QRect(box.GraphicPosition(), box.MyScreenSize().toSize()).adjusted(0, 0, 2, 2);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!drawn.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255))
                    QFAIL(qPrintable(QStringLiteral("ink at %1,%2 outside %3x%4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(drawn.width())
                                         .arg(drawn.height())));
    }
};

QTEST_MAIN(TestReaderLimits)
#include "test_readerlimits.moc"
