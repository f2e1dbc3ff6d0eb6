// Element pictures painted into images and read back pixel by pixel, and
// live values drawn in the shape of each data type's sample digits.
#include "fieldtext.h"
#include "layouthost.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

// The same live value for every field; text only, no number, when not bNumber.
struct Fixed : FieldTextSource {
    double d;
    bool bNumber = true;
    explicit Fixed(double v) { d = v; }
    QString FieldText(int, int iDataType) const override { return FieldValueText(iDataType, d); }
    bool FieldNumber(int, double* p) const override { return *p = d, bNumber; }
};

QImage Paint(R8element& el, unsigned int uMask = 1, const FieldTextSource* values = nullptr)
{
    QImage image(300, 360, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    el.PaintMe(painter, uMask, values);
    return image;
}

// How many pixels of a region are darker than the limit.
int Dark(const QImage& image, const QRect& region, int iLimit = 100)
{
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += qGray(image.pixel(x, y)) < iLimit;
    return n;
}

// The box around the pixels that differ from white, or from another picture.
QRect Ink(const QImage& image, const QImage& other = QImage())
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != (other.isNull() ? qRgb(255, 255, 255) : other.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class TestRender : public QObject
{
    Q_OBJECT
    QScopedPointer<TestHost> m_pHost;
    R8element* Placed(int iType, float fZoom = 2.0f) { return m_pHost->Add(iType, QPoint(0, 0), 1, fZoom); }

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue() > 0); }
    void init() { m_pHost.reset(new TestHost); }
    void cleanup() { m_pHost.reset(); }

    void valueBox()
    {
        R8element* el = Placed(R8_TYPE_DATAFIELD);
        el->RestoreField(33);
        el->RestorePosition(QPoint(10, 10)); // graphic (20, 20), 160 x 58
        el->RestorePages(0b10);
        el->ElementSelect(2);
        QVERIFY(Ink(Paint(*el, 0b101)).isNull()); // not on these pages
        el->ElementSelect(0);
        el->RestoreAttribs(R8_ATTR_RIGHT); // no border, no title
        QVERIFY(QRect(21, 21, 159, 57).contains(Ink(Paint(*el, 0b10))));

        el->RestoreAttribs(44);
        const QImage image = Paint(*el, 0b10);
        QVERIFY(Dark(image, QRect(20, 40, 1, 30), 160) == 30 && Dark(image, QRect(22, 40, 1, 30), 255) == 0);
        QCOMPARE(QColor(image.pixel(23, 23)), QColor(150, 150, 150)); // title bar, left of the name
        QCOMPARE(QColor(image.pixel(23, 38)), QColor(150, 150, 150)); // 9z high
        QCOMPARE(QColor(image.pixel(23, 40)), QColor(Qt::white));
        QVERIFY(Dark(image, QRect(60, 22, 80, 16)) > 0); // the field name stands in the bar

        // A large font in a small box: nothing is drawn right of or below it.
        el->RestoreSize(QSize(12, 12));
        el->RestoreAttribs(R8_ATTR_BORDER | 1);
        el->SetZoom(-1.0f);
        QVERIFY(QRect(19, 19, 28, 28).contains(Ink(Paint(*el, 0b10)))); // antialiased border
    }

    void selectionBrushes()
    {
        // An area of the graph that the curve never reaches: dotted when
        // selected, filled when the reference.
        R8element* el = Placed(R8_TYPE_GRAPH, 1.0f);
        const QRect corner(2, 2, 20, 10);
        el->ElementSelect(1);
        const int dark = Dark(Paint(*el), corner, 128);
        QVERIFY2(dark > 200 / 3 && dark < 200 * 2 / 3, qPrintable(QString::number(dark)));
        el->ElementSelect(2);
        QCOMPARE(QColor(Paint(*el).pixel(10, 6)), QColor(100, 100, 200));
    }

    void valueText_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("altitude rounds") << 1 << 1234.6 << "1235";
        QTest::newRow("vario one decimal") << 3 << -1.26 << "-1.3";
        QTest::newRow("tiny sink has no sign") << 3 << -0.04 << "0.0";
        QTest::newRow("long duration") << 7 << 4 * 3600.0 + 19 * 60 + 36 << "04:19:36";
        QTest::newRow("date") << 8 << double(QDate(2019, 3, 9).toJulianDay()) << "2019-03-09";
        QTest::newRow("no value: dashes in the sample's shape") << 3 << nan << "---.-";
        QTest::newRow("infinite") << 1 << std::numeric_limits<double>::infinity() << "-----";
    }
    void valueText()
    {
        QFETCH(int, type);
        QFETCH(double, value);
        QTEST(FieldValueText(type, value), "text");
        // Zero is the sample without its leading zeros.
        QVERIFY(FieldSampleText(type).endsWith(FieldValueText(type, 0.0)) || type == 8);
    }

    void liveValues()
    {
        R8element* box = Placed(R8_TYPE_DATAFIELD, 1.0f);
        box->RestoreAttribs(R8_ATTR_BORDER);
        box->ElementSelect(1);
        const Fixed seven(7);
        const QImage live = Paint(*box, 1, &seven); // "7" instead of "000000"
        QVERIFY(live != Paint(*box));
        // Drawn as on the instrument: the selection pattern is left out.
        box->ElementSelect(0);
        QCOMPARE(Paint(*box, 1, &seven), live);

        // A dial pointing right (direction 0) from -5 to 5: its scale runs
        // clockwise from upper left through the right to lower left.
        R8element* dial = Placed(R8_TYPE_DIAL, 1.0f);
        dial->RestoreSize(QSize(120, 120));
        dial->RestoreAttribs(0);
        dial->SetRangeMin(-5);
        dial->SetRangeMax(5);
        const QImage plain = Paint(*dial);
        Fixed textOnly(3);
        textOnly.bNumber = false;
        QCOMPARE(Paint(*dial, 1, &textOnly), plain); // no number, no needle
        // The needle, held at the ends of the range.
        const auto needle = [&](double value) {
            const Fixed live(value);
            return Ink(Paint(*dial, 1, &live), plain).center();
        };
        QVERIFY(QRect(0, 0, 55, 55).contains(needle(-7)));
        QVERIFY(QRect(66, 57, 60, 7).contains(needle(0)));
        QVERIFY(QRect(0, 66, 55, 60).contains(needle(7)));
        // An empty range draws no needle.
        dial->SetRangeMax(-5);
        QCOMPARE(Paint(*dial, 1, &seven), plain);
    }
};

QTEST_MAIN(TestRender)
#include "test_render.moc"
