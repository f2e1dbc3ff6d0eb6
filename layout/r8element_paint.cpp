// Preview pictures of the element types: sample digits, ticks and pictograms
// in screen pixels, at the element's zoom.
#include "r8element.h"
#include "fieldtext.h"

#include <QFont>
#include <QHash>
#include <QVector>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QStaticText>
#include <algorithm>
#include <cmath>

namespace {

const QColor s_TitleColour(150, 150, 150);
const QColor s_ReferenceColour(100, 100, 200);
const QColor s_HubColour(235, 235, 235);
constexpr double s_dDegreesPerRadian = 57.29577951308232;
constexpr float s_fQuarter = 0.7853982f;  // 45 degrees
constexpr float s_fTickStep = 0.2617994f; // 15 degrees
constexpr float s_fRight = 1.5707964f;    // 90 degrees
constexpr float s_fSpread = 2.5307274f;   // 145 degrees

// Screen-pixel float to int, toward zero.
inline int T(double v)
{
    return int(v);
}

// Bold "Arial" at a size scaled by the zoom, never below 1. The size is
// taken in pixels: the instrument's font sizes are pixel heights, and so the
// preview keeps their proportions whatever the resolution of the device.
QFont ElementFont(double dSize)
{
    // Resolving a font is costly and a page asks for a handful of sizes.
    static QHash<int, QFont> cache;
    const int iSize = std::max(1, T(dSize));
    auto it = cache.constFind(iSize);
    if (it != cache.constEnd())
        return *it;
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(iSize);
    return *cache.insert(iSize, font);
}

// drawText(rect, flags, text) lays the text out anew on every call; a page
// repaints the same few texts over and over, so keep them laid out. Bounded:
// names, digits and labels of one catalogue at a few sizes.
constexpr int s_iMaxStaticTexts = 1024;

void DrawBoxText(QPainter& painter, const QRectF& box, int iFlags, const QString& text)
{
    static QHash<QString, QStaticText> cache;
    const QFont& font = painter.font();
    const QString key = QString::number(font.pixelSize()) + QLatin1Char('|') + text;
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.size() >= s_iMaxStaticTexts)
            cache.clear();
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
        laidOut.prepare(QTransform(), font);
        it = cache.insert(key, laidOut);
    }
    const QSizeF size = it->size();
    // Placed the way drawText places one line in its box.
    qreal x = box.left();
    qreal y = box.top();
    if (iFlags & Qt::AlignRight)
        x += box.width() - size.width();
    else if (iFlags & Qt::AlignHCenter)
        x += (box.width() - size.width()) / 2;
    if (iFlags & Qt::AlignBottom)
        y += box.height() - size.height();
    else if (iFlags & Qt::AlignVCenter)
        y += (box.height() - size.height()) / 2;
    painter.drawStaticText(QPointF(x, y), *it);
}

// The graph's sample curve: screen-pixel steps, not scaled by the zoom.
const signed char s_GraphSteps[128] = {
    0,  2,  1,  3,  3,  2,  1,  3,  1,  1,  2,  1,  3,  3,  2,  2,  3,  3,  2,  0,  -1, -2, 3,  3,  2,  5,
    3,  6,  4,  3,  1,  -1, -2, -3, -4, -4, -4, -4, -2, -2, -3, -3, -2, -2, -2, -2, -1, -1, -1, 0,  0,  0,
    -1, -4, -6, -6, -6, -6, -6, -7, -5, -3, -2, -1, 1,  0,  1,  1,  2,  3,  1,  1,  2,  0,  0,  -1, -2, -3,
    -2, 1,  2,  3,  4,  6,  7,  7,  7,  7,  6,  7,  7,  6,  7,  7,  6,  5,  4,  5,  4,  3,  2,  3,  4,  1,
    1,  0,  0,  -1, -2, -3, -3, -4, -5, -5, -8, -8, -8, -8, -8, -3, 1,  2,  3,  2,  2,  3,  4,  -2};

bool IsIconType(int iType)
{
    return iType == R8_TYPE_SPEAKER || iType == R8_TYPE_CELLINFO || iType == R8_TYPE_BATTERY
           || iType == R8_TYPE_SATS;
}

} // namespace

void R8element::GetXY(float fAngle, float fRadius, QPointF* pResult, QPointF* pCentre)
{
    pResult->setX(pCentre->x() + std::sin(fAngle) * fRadius);
    pResult->setY(pCentre->y() - std::cos(fAngle) * fRadius);
}

void R8element::PaintMe(QPainter& painter, unsigned int uPageMask, const FieldTextSource* pValues)
{
    if ((m_uPages & uPageMask) == 0 || m_Path.isEmpty())
        return;
    // Each element starts from the same pen and leaves nothing behind for
    // the next one.
    painter.save();
    painter.translate(m_GraphicPos);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::SolidLine);

    // Live values show the page as the instrument will: no selection marks.
    const int iSelected = pValues ? 0 : m_iSelected;
    QBrush selBrush(Qt::NoBrush);
    if (iSelected == 2)
        selBrush = QBrush(s_ReferenceColour, Qt::SolidPattern);
    else if (iSelected != 0)
        selBrush = QBrush(Qt::Dense4Pattern);
    painter.setBrush(selBrush);

    if (iSelected != 0 && IsIconType(m_iType)) {
        painter.setPen(Qt::NoPen);
        painter.drawPath(m_Path);
    }

    const float z = m_fZoom;
    const float w = float(m_GraphicSize.width());
    const float h = float(m_GraphicSize.height());
    switch (m_iType) {
    case R8_TYPE_DATAFIELD:
        PaintDataField(painter, w, h, z, pValues);
        break;
    case R8_TYPE_DIAL:
        PaintDial(painter, w, z, pValues);
        break;
    case R8_TYPE_BARSCALE:
        PaintBarScale(painter, z);
        break;
    case R8_TYPE_DOUBLESCALE:
        PaintDoubleScale(painter, z);
        break;
    case R8_TYPE_TALLSCALE:
        PaintTallScale(painter, w, h, z);
        break;
    case R8_TYPE_GRAPH:
        PaintGraph(painter, w, h);
        break;
    case R8_TYPE_COMPASS:
        PaintCompass(painter, z);
        break;
    case R8_TYPE_SPEAKER:
    case R8_TYPE_CELLINFO:
    case R8_TYPE_BATTERY:
    case R8_TYPE_SATS:
        PaintIcon(painter, z);
        break;
    case R8_TYPE_MAP:
        PaintMap(painter, w, h);
        break;
    case R8_TYPE_POINTER:
        PaintPointer(painter, w, h, selBrush);
        break;
    case R8_TYPE_WINDROSE:
        PaintWindRose(painter, w, h, z);
        break;
    default:
        break;
    }
    painter.restore();
}

void R8element::PaintDataField(QPainter& painter, float w, float h, float z, const FieldTextSource* pValues)
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    if (!m_iPlaced) {
        painter.setPen(Qt::SolidLine);
        painter.fillRect(QRect(1, 1, T(w - 1), T(9 * z)), s_TitleColour);
        painter.drawRect(0, 0, T(w), T(h));
        painter.setFont(QFont(QStringLiteral("Arial"), 8, QFont::Bold));
        painter.setPen(QColor(0, 0, 0));
        painter.drawText(QRect(1, 1, T(w), T(h)), centred, QStringLiteral("1234.56"));
        return;
    }
    int iOffset = 0;
    if (m_uAttribs & R8_ATTR_BORDER) {
        painter.setPen(Qt::SolidLine);
        iOffset = 1;
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawRect(0, 0, T(w), T(h));
    // A large font in a small box must not spill over its neighbours.
    painter.setClipRect(QRect(0, 0, T(w) + 1, T(h) + 1), Qt::IntersectClip);
    painter.setPen(Qt::SolidLine);
    if (m_uAttribs & R8_ATTR_TITLE) {
        const QRect title(1, 1, T(w - 1), T(9 * z));
        painter.fillRect(title, s_TitleColour);
        painter.setPen(QColor(0, 0, 0));
        painter.setFont(ElementFont(8 * z));
        DrawBoxText(painter, title, centred, m_strFieldName);
        iOffset += 8;
    }
    if (m_uAttribs & 2)
        painter.setFont(ElementFont(8 * z));
    else if (m_uAttribs & 1)
        painter.setFont(ElementFont(32 * z));
    else
        painter.setFont(ElementFont(16 * z));
    Qt::Alignment align = Qt::AlignVCenter | Qt::AlignLeft;
    if (m_uAttribs & R8_ATTR_CENTER)
        align = Qt::AlignVCenter | Qt::AlignHCenter;
    if (m_uAttribs & R8_ATTR_RIGHT)
        align = Qt::AlignVCenter | Qt::AlignRight;
    QString text = pValues ? pValues->FieldText(m_iField, m_iDataType) : QString();
    if (text.isEmpty())
        text = FieldSampleText(m_iDataType);
    DrawBoxText(painter, QRect(1, T(iOffset * z), T(w - 1), T(h - iOffset * z)), int(align), text);
}

void R8element::PaintDial(QPainter& painter, float w, float z, const FieldTextSource* pValues)
{
    painter.setPen(Qt::DotLine);
    painter.drawRect(0, 0, T(w), T(m_GraphicSize.height()));
    painter.setPen(Qt::SolidLine);
    const float r = w / 2;
    QPointF centre(r, r);
    const int iDirection = int(m_uAttribs & R8_ATTR_LOWMASK);
    float a = float(iDirection * 90 / s_dDegreesPerRadian) - s_fQuarter;
    QVector<QLineF> ticks;
    ticks.reserve(19);
    for (int i = 0; i < 19; ++i) {
        QPointF inner, outer;
        GetXY(a, r - 6, &inner, &centre);
        GetXY(a, i % 3 == 0 ? r : r - 4, &outer, &centre);
        ticks.append(QLineF(inner, outer));
        a += s_fTickStep;
    }
    painter.drawLines(ticks);
    double dValue = 0.0;
    if (pValues && m_fRangeMax > m_fRangeMin && pValues->FieldNumber(m_iField, &dValue) && !std::isnan(dValue))
        PaintDialNeedle(painter, centre, r, z, float(dValue));
}

void R8element::PaintDialNeedle(QPainter& painter, QPointF centre, float r, float z, float fValue)
{
    // Over the 270 degrees of the ticks, held at the ends of the range.
    const float f = std::min(1.0f, std::max(0.0f, (fValue - m_fRangeMin) / (m_fRangeMax - m_fRangeMin)));
    const int iDirection = int(m_uAttribs & R8_ATTR_LOWMASK);
    const float a = float(iDirection * 90 / s_dDegreesPerRadian) - s_fQuarter + f * 18 * s_fTickStep;
    QPointF tip;
    GetXY(a, r - 8 * z, &tip, &centre);
    painter.setPen(QPen(Qt::black, std::max(1.0f, 2 * z), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, tip);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, 2 * z, 2 * z);
}

void R8element::PaintBarScale(QPainter& painter, float z)
{
    painter.drawPath(m_Path);
    QVector<QLine> ticks;
    ticks.reserve(11);
    for (int i = 0; i <= 10; ++i) {
        const int y = T((10 * i + 15) * z);
        ticks.append(QLine(T(10 * z), y, T(20 * z), y));
    }
    painter.drawLines(ticks);
}

void R8element::PaintDoubleScale(QPainter& painter, float z)
{
    painter.setPen(Qt::DotLine);
    painter.drawPath(m_Path);
    painter.setPen(Qt::SolidLine);
    QVector<QLine> ticks;
    ticks.reserve(104);
    for (int i = 0; i <= 50; i += 2) {
        const int L = i % 10 == 0 ? 8 : 4;
        const float rows[2] = {(100 + 2 * i) * z, (100 - 2 * i) * z};
        for (float y : rows) {
            ticks.append(QLine(T((60 - i - L) * z), T(y), T((60 - i) * z), T(y + 1)));
            ticks.append(QLine(T(68 * z), T(y), T(70 * z), T(y + 1)));
        }
    }
    painter.drawLines(ticks);
}

void R8element::PaintTallScale(QPainter& painter, float w, float h, float z)
{
    painter.setPen(Qt::DotLine);
    painter.drawRect(0, 0, T(w), T(h));
    painter.drawLine(T(w / 2), T(4 * z), T(w / 2), T(164 * z));
    painter.setPen(Qt::SolidLine);
    painter.setFont(ElementFont(6 * z));
    const int W = T(w / z);
    const int k = (W - 35) / 2;
    const int X = 2 * k + 17;
    int n = 11;
    QVector<QLine> ticks;
    ticks.reserve(82);
    for (int j = 0; j <= 40; ++j) {
        const int y = 4 * j + 4;
        int L = 2;
        if (j % 4 == 0) {
            L = 6;
            --n;
        } else if (j % 4 == 2) {
            L = 4;
        }
        ticks.append(QLine(T((18 - L) * z), T(y * z), T(18 * z), T(y * z)));
        ticks.append(QLine(T(X * z), T(y * z), T((X + L) * z), T(y * z)));
        if (j % 8 == 0) {
            DrawBoxText(painter, QRect(0, T((y - 4) * z), T(12 * z), T(8 * z)), Qt::AlignRight | Qt::AlignHCenter,
                        QStringLiteral("%1").arg(n, 0, 10));
            DrawBoxText(painter, QRect(T((X + 6) * z), T((y - 4) * z), T(12 * z), T(8 * z)),
                        Qt::AlignLeft | Qt::AlignHCenter, QStringLiteral("%1").arg(10 - n, 0, 10));
        }
    }
    painter.drawLines(ticks);
}

void R8element::PaintGraph(QPainter& painter, float w, float h)
{
    painter.setPen(Qt::SolidLine);
    painter.drawRect(0, 0, T(w), T(h));
    const float s = w / 128;
    float v = h / 2;
    QPolygonF line;
    line << QPointF(w, h / 2);
    for (int i = 127; i >= 0; --i) {
        v += s_GraphSteps[i];
        if (v > h)
            v = h;
        if (v < 0)
            v = 0;
        line << QPointF(s * i, v);
    }
    painter.drawPolyline(line);
}

void R8element::PaintCompass(QPainter& painter, float z)
{
    painter.drawPath(m_Path);
    painter.drawEllipse(T(20 * z), T(20 * z), T(70 * z), T(70 * z));
    painter.setFont(ElementFont(8 * z));
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    DrawBoxText(painter, QRect(T(48 * z), 0, T(14 * z), T(20 * z)), int(centred), QStringLiteral("N"));
    DrawBoxText(painter, QRect(T(48 * z), T(90 * z), T(14 * z), T(20 * z)), int(centred), QStringLiteral("S"));
    DrawBoxText(painter, QRect(0, T(48 * z), T(20 * z), T(14 * z)), int(centred), QStringLiteral("E"));
    DrawBoxText(painter, QRect(T(90 * z), T(48 * z), T(20 * z), T(14 * z)), int(centred), QStringLiteral("W"));
}

void R8element::PaintIcon(QPainter& painter, float z)
{
    if (!m_pIcon || m_pIcon->isNull())
        return;
    const QSize outline = FixedOutline(m_iType);
    const int W = outline.width();
    const int H = outline.height();
    const QSize size(T(W * z), T(H * z));
    if (size.isEmpty())
        return;
    painter.drawPixmap(QPoint(0, 0), m_pIcon->scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void R8element::PaintMap(QPainter& painter, float w, float h)
{
    painter.setPen(Qt::SolidLine);
    const float s = (w < h ? w : h) / 14;
    static const int points[12][2] = {{1, 9}, {6, 4},  {6, 1},   {10, 1}, {10, 7}, {8, 8},
                                      {8, 9}, {12, 9}, {12, 10}, {6, 10}, {3, 12}, {1, 10}};
    QPolygonF poly;
    for (const auto& p : points)
        poly << QPointF(p[0] * s, p[1] * s);
    // The frame first: filled with the selection brush it would otherwise
    // cover the pictogram.
    painter.drawRect(0, 0, T(w), T(h));
    painter.drawPolygon(poly, Qt::OddEvenFill);
    painter.drawEllipse(T(5 * s), T(5 * s), T(6 * s), T(6 * s));
}

void R8element::PaintPointer(QPainter& painter, float w, float h, const QBrush& selBrush)
{
    painter.setPen(Qt::DotLine);
    painter.drawRect(0, 0, T(w), T(h));
    painter.setPen(Qt::SolidLine);
    const float r = w / 2;
    QPointF c(r, r);
    QPointF p1, p2, p3;
    GetXY(s_fRight + s_fSpread, r, &p1, &c);
    GetXY(s_fRight, r, &p2, &c);
    GetXY(s_fRight - s_fSpread, r, &p3, &c);
    QPolygonF poly;
    poly << c << p1 << p2 << p3;
    painter.drawPolygon(poly, Qt::OddEvenFill);
    painter.setBrush(selBrush);
    painter.drawEllipse(c, 0.4 * r, 0.4 * r);
    painter.setBrush(QBrush(s_HubColour, Qt::SolidPattern));
    painter.drawEllipse(c, 0.4 * r - 1, 0.4 * r - 1);
}

void R8element::PaintWindRose(QPainter& painter, float w, float h, float z)
{
    const float r = w / 2;
    QPointF c(r, r);
    painter.setFont(ElementFont(10 * z));
    painter.setPen(Qt::DotLine);
    painter.drawRect(0, 0, T(w), T(h));
    QPointF p1, p2, p3;
    GetXY(s_fSpread, 0.6f * r, &p1, &c);
    GetXY(0, 0.6f * r, &p2, &c);
    GetXY(-s_fSpread, 0.6f * r, &p3, &c);
    QPolygonF arrow;
    arrow << c << p1 << p2 << p3;
    painter.setPen(Qt::SolidLine);
    painter.drawEllipse(c, r, r);
    painter.drawEllipse(c, 0.6 * r, 0.6 * r);
    painter.setBrush(QBrush(QColor(0, 0, 0), Qt::SolidPattern));
    painter.drawPolygon(arrow, Qt::OddEvenFill);
    painter.setBrush(QBrush(s_HubColour, Qt::SolidPattern));
    painter.drawEllipse(c, 0.3 * r, 0.3 * r);
    static const char* const labels[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    for (int k = 0; k < 8; ++k) {
        QPointF p;
        GetXY(k * s_fQuarter, 0.8f * r, &p, &c);
        p += QPointF(-8 * z, -8 * z);
        DrawBoxText(painter, QRectF(p, QSizeF(16 * z, 16 * z)), Qt::AlignHCenter | Qt::AlignVCenter,
                    QLatin1String(labels[k]));
    }
}
