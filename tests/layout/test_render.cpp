// Element pictures painted into images and read back pixel by pixel.
#include "layouthost.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

namespace {

QImage Paint(R8element& el, unsigned int uMask = 1, QSize size = QSize(300, 360))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    el.PaintMe(painter, uMask);
    return image;
}

int Grey(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y));
}

// Darkest grey in the 3 x 3 pixels around (x, y).
int DarkestAround(const QImage& image, double x, double y)
{
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            darkest = std::min(darkest, Grey(image, int(x) + dx, int(y) + dy));
    return darkest;
}

// Bounding rows of the dark pixels in a region.
QPair<int, int> DarkRows(const QImage& image, const QRect& region, int iLimit = 100)
{
    int top = -1, bottom = -1;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (Grey(image, x, y) < iLimit) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
    return qMakePair(top, bottom);
}

R8element* Placed(int iType, float fZoom = 2.0f)
{
    auto* el = new R8element(nullptr, iType, 1);
    el->SetZoom(fZoom);
    el->RestorePages(1);
    el->RestorePosition(QPoint(0, 0));
    return el;
}

} // namespace

class TestRender : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue() > 0); }
    void foreignPageDrawsNothing();
    void valueBoxFrameAndTitle();
    void selectionBrushes();
    void dialTicksPerDirection_data();
    void dialTicksPerDirection();
};

void TestRender::foreignPageDrawsNothing()
{
    QScopedPointer<R8element> el(Placed(R8_TYPE_DATAFIELD));
    el->RestorePages(0b10);
    el->ElementSelect(2);
    QImage blank(300, 360, QImage::Format_ARGB32);
    blank.fill(Qt::white);
    QCOMPARE(Paint(*el, 0b101), blank);
    QVERIFY(Paint(*el, 0b10) != blank);

    // No outline, nothing drawn, selected or not.
    R8element unknown(nullptr, 0x4242, 1);
    unknown.RestorePages(1);
    unknown.ElementSelect(1);
    QCOMPARE(Paint(unknown), blank);
}

void TestRender::valueBoxFrameAndTitle()
{
    QScopedPointer<R8element> el(Placed(R8_TYPE_DATAFIELD));
    el->RestoreField(33);
    el->RestorePosition(QPoint(10, 10)); // graphic (20, 20), 160 x 58

    el->RestoreAttribs(R8_ATTR_RIGHT); // no border, no title
    QImage image = Paint(*el);
    for (int y = 20; y < 78; ++y) {
        QCOMPARE(Grey(image, 20, y), 255);
        QCOMPARE(Grey(image, 180, y), 255);
    }
    for (int x = 20; x < 181; ++x)
        QCOMPARE(Grey(image, x, 20), 255);

    el->RestoreAttribs(R8_ATTR_RIGHT | R8_ATTR_BORDER);
    image = Paint(*el);
    QVERIFY(Grey(image, 20, 50) < 160);  // left edge line
    QVERIFY(Grey(image, 100, 20) < 160); // top edge line
    QCOMPARE(Grey(image, 22, 50), 255);  // nothing inside the line

    el->RestoreAttribs(44);
    image = Paint(*el);
    QCOMPARE(QColor(image.pixel(23, 23)), QColor(150, 150, 150)); // title bar, left of the name
    QCOMPARE(QColor(image.pixel(23, 38)), QColor(150, 150, 150)); // 9z high
    QCOMPARE(QColor(image.pixel(23, 40)), QColor(Qt::white));
    // The field name stands in the bar.
    QVERIFY(DarkRows(image, QRect(60, 22, 80, 16)).first >= 0);
}

void TestRender::selectionBrushes()
{
    QScopedPointer<R8element> el(Placed(R8_TYPE_GRAPH, 1.0f));
    // An area of the graph that the curve never reaches.
    const QRect corner(2, 2, 20, 10);
    auto countDark = [&](const QImage& image) {
        int n = 0;
        for (int y = corner.top(); y <= corner.bottom(); ++y)
            for (int x = corner.left(); x <= corner.right(); ++x)
                n += Grey(image, x, y) < 128;
        return n;
    };
    QCOMPARE(countDark(Paint(*el)), 0);
    el->ElementSelect(1);
    const int dotted = countDark(Paint(*el));
    QVERIFY2(dotted > corner.width() * corner.height() / 3 && dotted < corner.width() * corner.height() * 2 / 3,
             qPrintable(QString::number(dotted)));
    el->ElementSelect(2);
    QCOMPARE(QColor(Paint(*el).pixel(10, 6)), QColor(100, 100, 200));

    // The map's pictogram stays visible over the fill of a reference.
    QScopedPointer<R8element> map(Placed(R8_TYPE_MAP)); // 240 x 240, s = 240 / 14
    map->ElementSelect(2);
    const QImage image = Paint(*map);
    QVERIFY(DarkestAround(image, 137, 240 / 14.0) < 100); // edge (6, 1) - (10, 1)
    QCOMPARE(QColor(image.pixel(137, 60)), QColor(100, 100, 200));
}

void TestRender::dialTicksPerDirection_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("firstDegrees");
    QTest::newRow("right") << 0 << -45.0;
    QTest::newRow("down") << 1 << 45.0;
    QTest::newRow("left") << 2 << 135.0;
    QTest::newRow("up") << 3 << 225.0;
}

void TestRender::dialTicksPerDirection()
{
    QFETCH(int, direction);
    QFETCH(double, firstDegrees);
    QScopedPointer<R8element> el(Placed(R8_TYPE_DIAL)); // 120 x 120, r = 60
    el->RestoreAttribs((44u & ~3u) | unsigned(direction));
    const QImage image = Paint(*el);
    const double r = 60;
    auto at = [&](double degrees, double radius) {
        const double a = degrees / 57.29577951308232;
        return DarkestAround(image, r + std::sin(a) * radius, r - std::cos(a) * radius);
    };
    // Long ticks every 45 degrees over 270 degrees, clockwise from the start.
    for (int k = 0; k <= 6; ++k)
        QVERIFY2(at(firstDegrees + 45 * k, r - 2) < 200, qPrintable(QStringLiteral("long tick %1").arg(k)));
    // Short ticks do not reach the rim.
    QCOMPARE(at(firstDegrees + 15, r - 1.5), 255);
    QVERIFY(at(firstDegrees + 15, r - 5) < 200);
    // The 90 degree gap is empty.
    QCOMPARE(at(firstDegrees - 45, r - 3), 255);
}

QTEST_MAIN(TestRender)
#include "test_render.moc"
