// Live values drawn in the shape of each data type's sample digits.
#include "fieldtext.h"
#include "r8element.h"
#include "testsupport.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <limits>

class TestFieldText : public QObject
{
    Q_OBJECT
private slots:
    void value_data();
    void value();
    void sameShapeAsTheSample_data();
    void sameShapeAsTheSample();
    void liveValueBox();
    void dialNeedle();
};

namespace {

// A fixed live value for every field.
class Fixed : public FieldTextSource
{
public:
    explicit Fixed(double d, bool bNumber = true)
        : m_d(d)
        , m_bNumber(bNumber)
    {
    }
    QString FieldText(int, int iDataType) const override { return FieldValueText(iDataType, m_d); }
    bool FieldNumber(int, double* p) const override
    {
        *p = m_d;
        return m_bNumber;
    }

private:
    double m_d;
    bool m_bNumber;
};

QImage Paint(R8element& el, const FieldTextSource* values)
{
    QImage image(130, 130, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    el.PaintMe(painter, 1, values);
    return image;
}

// The centre of the pixels that differ: where the needle lies.
QPoint InkCentre(const QImage& a, const QImage& b)
{
    double x = 0, y = 0;
    int n = 0;
    for (int j = 0; j < a.height(); ++j)
        for (int i = 0; i < a.width(); ++i)
            if (a.pixel(i, j) != b.pixel(i, j)) {
                x += i;
                y += j;
                ++n;
            }
    return n ? QPoint(int(x / n), int(y / n)) : QPoint(-1, -1);
}

} // namespace

void TestFieldText::value_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("altitude rounds") << 1 << 1234.6 << "1235";
    QTest::newRow("negative height") << 1 << -472.4 << "-472";
    QTest::newRow("speed") << 2 << 35.49 << "35";
    QTest::newRow("vario one decimal") << 3 << -1.26 << "-1.3";
    QTest::newRow("tiny sink has no sign") << 3 << -0.04 << "0.0";
    QTest::newRow("distance three decimals") << 4 << 12.3456 << "12.346";
    QTest::newRow("duration") << 7 << 3725.0 << "01:02:05";
    QTest::newRow("long duration") << 7 << 4 * 3600.0 + 19 * 60 + 36 << "04:19:36";
    QTest::newRow("date") << 8 << double(QDate(2019, 3, 9).toJulianDay()) << "2019-03-09";
    QTest::newRow("heading") << 5 << 359.6 << "360";
    QTest::newRow("glide ratio") << 6 << 8.6 << "9";
    QTest::newRow("flight level") << 17 << 51.0 << "51";
    QTest::newRow("no value: dashes in the sample's shape") << 3 << nan << "---.-";
    QTest::newRow("no time") << 7 << nan << "--:--:--";
    QTest::newRow("infinite") << 1 << std::numeric_limits<double>::infinity() << "-----";
}

void TestFieldText::value()
{
    QFETCH(int, type);
    QFETCH(double, value);
    QTEST(FieldValueText(type, value), "text");
}

void TestFieldText::sameShapeAsTheSample_data()
{
    QTest::addColumn<int>("type");
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 16, 17, 18, 19, 20, 99})
        QTest::newRow(qPrintable(QString::number(type))) << type;
}

void TestFieldText::sameShapeAsTheSample()
{
    // A value has as many decimals as the sample, and zero is the sample
    // without its leading zeros.
    QFETCH(int, type);
    const QString sample = FieldSampleText(type);
    QVERIFY(!sample.isEmpty());
    const QString zero = FieldValueText(type, 0.0);
    QVERIFY2(sample.endsWith(zero), qPrintable(sample + QLatin1String(" / ") + zero));
    const int decimals =
        sample.contains(QLatin1Char('.')) ? sample.size() - sample.indexOf(QLatin1Char('.')) - 1 : 0;
    const QString some = FieldValueText(type, 42.123456);
    if (type != 7)
        QCOMPARE(some.contains(QLatin1Char('.')) ? some.size() - some.indexOf(QLatin1Char('.')) - 1 : 0, decimals);
    QCOMPARE(FieldNoValueText(type).size(), sample.size());
}

void TestFieldText::liveValueBox()
{
    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    box.RestorePages(1);
    box.RestoreAttribs(R8_ATTR_BORDER);
    box.ElementSelect(1);
    const QImage sample = Paint(box, nullptr);
    const Fixed seven(7);
    const QImage live = Paint(box, &seven); // "7" instead of "000000"
    QVERIFY(sample != live);
    // Drawn as on the instrument: the selection pattern is left out.
    box.ElementSelect(0);
    QCOMPARE(Paint(box, &seven), live);
}

void TestFieldText::dialNeedle()
{
    // Direction "Right" (0): the scale runs clockwise from upper left
    // (-45 degrees) through the right to lower left; its middle points right.
    R8element dial(nullptr, R8_TYPE_DIAL, 1);
    dial.RestorePages(1);
    dial.RestoreSize(QSize(120, 120));
    dial.SetZoom(1.0f);
    dial.RestoreAttribs(0);
    dial.SetRangeMin(-5);
    dial.SetRangeMax(5);
    const QImage plain = Paint(dial, nullptr);
    const Fixed textOnly(3, false), bottom(-5), zero(0), beyond(99);
    QCOMPARE(Paint(dial, &textOnly), plain); // no number, no needle
    const QPoint low = InkCentre(Paint(dial, &bottom), plain);
    const QPoint mid = InkCentre(Paint(dial, &zero), plain);
    const QPoint high = InkCentre(Paint(dial, &beyond), plain); // held at the end
    QVERIFY2(low.x() < 55 && low.y() < 55, qPrintable(QStringLiteral("%1,%2").arg(low.x()).arg(low.y())));
    QVERIFY2(mid.x() > 65 && std::abs(mid.y() - 60) <= 3,
             qPrintable(QStringLiteral("%1,%2").arg(mid.x()).arg(mid.y())));
    QVERIFY2(high.x() < 55 && high.y() > 65, qPrintable(QStringLiteral("%1,%2").arg(high.x()).arg(high.y())));
    // An empty range draws no needle.
    dial.SetRangeMax(-5);
    QCOMPARE(Paint(dial, &zero), Paint(dial, nullptr));
}

QTEST_MAIN(TestFieldText)
#include "test_fieldtext.moc"
