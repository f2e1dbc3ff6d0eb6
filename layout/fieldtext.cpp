#include "fieldtext.h"

#include <QDate>
#include <cmath>

namespace {

enum class Shape { Number, Time, Date };

struct TypeShape {
    Shape shape;
    int iDecimals;
    const char* sample;
};

// One table serves the samples and the live values, so both keep the shape.
TypeShape ShapeOf(int iDataType)
{
    switch (iDataType) {
    case 1:
        return {Shape::Number, 0, "00000"}; // altitudes
    case 2:
        return {Shape::Number, 0, "000"}; // speeds
    case 3:
        return {Shape::Number, 1, "000.0"}; // vertical speeds
    case 4:
        return {Shape::Number, 3, "0.000"}; // distances
    case 7:
        return {Shape::Time, 0, "00:00:00"};
    case 8:
        return {Shape::Date, 0, "2000-01-01"};
    default:
        return {Shape::Number, 0, "000000"};
    }
}

} // namespace

QString FieldSampleText(int iDataType)
{
    return QLatin1String(ShapeOf(iDataType).sample);
}

QString FieldValueText(int iDataType, double dValue)
{
    const TypeShape s = ShapeOf(iDataType);
    if (std::isnan(dValue) || std::isinf(dValue))
        return FieldNoValueText(iDataType);
    switch (s.shape) {
    case Shape::Time: {
        const qint64 t = std::llround(dValue);
        const qint64 a = t < 0 ? -t : t;
        return QStringLiteral("%1%2:%3:%4")
            .arg(t < 0 ? QStringLiteral("-") : QString())
            .arg(a / 3600, 2, 10, QLatin1Char('0'))
            .arg(a / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(a % 60, 2, 10, QLatin1Char('0'));
    }
    case Shape::Date:
        return QDate::fromJulianDay(std::llround(dValue)).toString(QStringLiteral("yyyy-MM-dd"));
    case Shape::Number:
        break;
    }
    // A value that rounds to zero is drawn without a sign.
    const double scale = std::pow(10.0, s.iDecimals);
    double rounded = std::round(dValue * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0;
    return QString::number(rounded, 'f', s.iDecimals);
}

QString FieldNoValueText(int iDataType)
{
    QString text = FieldSampleText(iDataType);
    for (QChar& c : text)
        if (c.isDigit())
            c = QLatin1Char('-');
    return text;
}
