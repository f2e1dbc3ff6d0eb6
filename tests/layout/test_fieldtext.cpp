// Live values drawn in the shape of each data type's sample digits.
#include "fieldtext.h"
#include "testsupport.h"

#include <QDate>
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
};

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
    const int decimals = sample.contains(QLatin1Char('.')) ? sample.size() - sample.indexOf(QLatin1Char('.')) - 1 : 0;
    const QString some = FieldValueText(type, 42.123456);
    if (type != 7)
        QCOMPARE(some.contains(QLatin1Char('.')) ? some.size() - some.indexOf(QLatin1Char('.')) - 1 : 0, decimals);
    QCOMPARE(FieldNoValueText(type).size(), sample.size());
}

QTEST_MAIN(TestFieldText)
#include "test_fieldtext.moc"
