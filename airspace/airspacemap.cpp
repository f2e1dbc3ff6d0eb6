#include "airspacemap.h"
#include "airspace.h"
#include "airspacestore.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr double kKmPerDegree = 111.32;
constexpr double kMinScale = 2.0;      // pixels per degree: a continent
constexpr double kMaxScale = 200000.0; // a few metres per pixel
constexpr double kZoomStep = 1.25;     // per wheel notch
constexpr int kDragStartPixels = 4;
constexpr double kGridMinPixels = 60.0;
constexpr double kScaleBarPixels = 120.0;
constexpr int kFillAlpha = 70;
const QColor kGridLine(215, 215, 205);
const QColor kGridText(110, 110, 100);

QColor ClassColour(const QString& token)
{
    static const QHash<QString, QColor> colours = {
        {QStringLiteral("R"), QColor(220, 40, 40)},   {QStringLiteral("P"), QColor(150, 0, 0)},
        {QStringLiteral("Q"), QColor(240, 140, 0)},   {QStringLiteral("A"), QColor(30, 60, 200)},
        {QStringLiteral("B"), QColor(40, 90, 220)},   {QStringLiteral("C"), QColor(40, 130, 230)},
        {QStringLiteral("D"), QColor(60, 160, 230)},  {QStringLiteral("CTR"), QColor(200, 0, 160)},
        {QStringLiteral("GP"), QColor(120, 40, 170)}, {QStringLiteral("W"), QColor(20, 150, 60)},
    };
    return colours.value(token, QColor(90, 110, 140));
}

// A step of 1, 2 or 5 times a power of ten, at least minimum.
double NiceStep(double minimum)
{
    const double p = std::pow(10.0, std::floor(std::log10(minimum)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * p >= minimum)
            return m * p;
    return 10 * p;
}

} // namespace

AirspaceMapPainter::AirspaceMapPainter(const AirspaceStore* pStore)
    : store(pStore)
{
}

void AirspaceMapPainter::Invalidate()
{
    bOutlinesValid = false;
}

void AirspaceMapPainter::MakeOutlines()
{
    if (bOutlinesValid && outlines.size() == store->AirspaceCount())
        return;
    outlines.resize(store->AirspaceCount());
    for (int i = 0; i < store->AirspaceCount(); ++i) {
        const AirspaceStore::Outline o = store->AirspaceOutline(i);
        Outline& out = outlines[i];
        out.polygon.resize(o.points.size());
        for (int k = 0; k < o.points.size(); ++k)
            out.polygon[k] = QPointF(o.points.at(k).lon, o.points.at(k).lat);
        out.box = out.polygon.boundingRect();
        double area = 0;
        for (int k = 0, j = out.polygon.size() - 1; k < out.polygon.size(); j = k++)
            area += out.polygon.at(j).x() * out.polygon.at(k).y() - out.polygon.at(k).x() * out.polygon.at(j).y();
        out.area = std::abs(area) / 2;
    }
    bOutlinesValid = true;
}

QRectF AirspaceMapPainter::DataBox() const
{
    QRectF box;
    for (int i = 0; i < store->AirspaceCount(); ++i) {
        const AirRecord& a = store->Airspace(i);
        if (a.south <= a.north)
            box = box.united(QRectF(QPointF(a.west, a.south), QPointF(a.east, a.north)));
    }
    return box;
}

void AirspaceMapPainter::SetView(double dLat, double dLon, double dPixelsPerDegree)
{
    lat0 = std::clamp(dLat, -85.0, 85.0);
    lon0 = std::remainder(dLon, 360.0);
    scale = std::clamp(dPixelsPerDegree, kMinScale, kMaxScale);
}

void AirspaceMapPainter::FitView(const QRectF& box, const QSizeF& size)
{
    if (box.isNull() || size.isEmpty()) {
        SetView(lat0, lon0, scale);
        return;
    }
    const double latC = box.center().y();
    const double cosLat = std::max(0.05, std::cos(latC / R8_DEG_PER_RAD));
    const double sx = size.width() / std::max(1e-6, box.width() * cosLat);
    const double sy = size.height() / std::max(1e-6, box.height());
    SetView(latC, box.center().x(), 0.9 * std::min(sx, sy));
}

void AirspaceMapPainter::SetPlace(bool bShow, const _GEO_COORDS& p, double km)
{
    bPlace = bShow;
    place = p;
    radiusKm = km;
}

QTransform AirspaceMapPainter::Transform(const QSizeF& size) const
{
    const double cosLat = std::cos(lat0 / R8_DEG_PER_RAD);
    QTransform t;
    t.translate(size.width() / 2, size.height() / 2);
    t.scale(scale * cosLat, -scale);
    t.translate(-lon0, -lat0);
    return t;
}

_GEO_COORDS AirspaceMapPainter::ToLatLon(const QPointF& pixel, const QSizeF& size) const
{
    const QPointF p = Transform(size).inverted().map(pixel);
    return {p.y(), p.x()};
}

QPointF AirspaceMapPainter::ToPixel(double dLat, double dLon, const QSizeF& size) const
{
    return Transform(size).map(QPointF(dLon, dLat));
}

void AirspaceMapPainter::Paint(QPainter& painter, const QSizeF& size)
{
    const QSize pixelSize = size.toSize();
    if (layer.size() != pixelSize || layerGeneration != store->Generation() || !bOutlinesValid || layerLat != lat0
        || layerLon != lon0 || layerScale != scale) {
        layer = QImage(pixelSize, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&layer);
        PaintLayer(p, size);
        layerGeneration = store->Generation();
        layerLat = lat0;
        layerLon = lon0;
        layerScale = scale;
    }
    painter.drawImage(0, 0, layer);
    const QTransform t = Transform(size);
    painter.save();
    if (selected >= 0 && selected < outlines.size() && !outlines.at(selected).polygon.isEmpty()) {
        painter.setPen(QPen(Qt::black, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(t.map(outlines.at(selected).polygon));
    }
    if (bPlace) {
        const QPointF c = t.map(QPointF(place.lon, place.lat));
        const double rx = radiusKm / kKmPerDegree * scale;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(QColor(0, 90, 200), 1.5, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, rx, rx);
        painter.setPen(QPen(QColor(0, 90, 200), 2));
        painter.drawLine(c + QPointF(-8, 0), c + QPointF(8, 0));
        painter.drawLine(c + QPointF(0, -8), c + QPointF(0, 8));
    }
    painter.restore();
}

void AirspaceMapPainter::PaintLayer(QPainter& painter, const QSizeF& size)
{
    MakeOutlines();
    painter.fillRect(QRectF(QPointF(0, 0), size), QColor(250, 250, 246));
    const QTransform t = Transform(size);
    const QRectF visible = t.inverted().mapRect(QRectF(QPointF(0, 0), size));
    PaintGrid(painter, size, visible);

    // Unchecked first, so checked airspaces lie on top.
    const double pixelDeg = 1.0 / scale;
    const QRectF near = visible.adjusted(-pixelDeg, -pixelDeg, pixelDeg, pixelDeg);
    QPen grey(QColor(150, 150, 150), 0);
    for (const bool bChecked : {false, true}) {
        for (int i = 0; i < outlines.size(); ++i) {
            const Outline& o = outlines.at(i);
            const AirRecord& a = store->Airspace(i);
            if (a.checked != bChecked || o.polygon.isEmpty() || !o.box.intersects(near))
                continue;
            const QColor colour = bChecked ? ClassColour(store->Token(a.token)) : grey.color();
            if (o.box.width() < pixelDeg && o.box.height() < pixelDeg) {
                // Under a pixel: a dot says it is there.
                painter.setPen(colour);
                painter.drawPoint(t.map(o.box.center()));
                continue;
            }
            // Points closer than a pixel to the one before add nothing.
            pixels.clear();
            for (const QPointF& p : o.polygon) {
                const QPointF q = t.map(p);
                if (pixels.isEmpty()
                    || std::abs(q.x() - pixels.last().x()) + std::abs(q.y() - pixels.last().y()) >= 1.0)
                    pixels.append(q);
            }
            if (bChecked) {
                QColor fill = colour;
                fill.setAlpha(kFillAlpha);
                painter.setPen(QPen(colour, 1));
                painter.setBrush(fill);
            } else {
                painter.setPen(grey);
                painter.setBrush(Qt::NoBrush);
            }
            painter.drawPolygon(pixels.constData(), pixels.size());
        }
    }
    PaintScaleBar(painter, size);
}

void AirspaceMapPainter::PaintGrid(QPainter& painter, const QSizeF& size, const QRectF& visible) const
{
    const double cosLat = std::cos(lat0 / R8_DEG_PER_RAD);
    const double step = NiceStep(kGridMinPixels / (scale * std::max(0.2, cosLat)));
    const QTransform t = Transform(size);
    painter.setFont(QFont(painter.font().family(), 7));
    const int decimals = std::max(0, int(std::ceil(-std::log10(step))));
    for (double lon = std::floor(visible.left() / step) * step; lon <= visible.right(); lon += step) {
        const double x = t.map(QPointF(lon, lat0)).x();
        painter.setPen(kGridLine);
        painter.drawLine(QPointF(x, 0), QPointF(x, size.height()));
        painter.setPen(kGridText);
        painter.drawText(QPointF(x + 2, size.height() - 3), QString::number(lon, 'f', decimals) + QChar(0xB0));
    }
    for (double lat = std::floor(visible.top() / step) * step; lat <= visible.bottom(); lat += step) {
        const double y = t.map(QPointF(lon0, lat)).y();
        painter.setPen(kGridLine);
        painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
        painter.setPen(kGridText);
        painter.drawText(QPointF(2, y - 2), QString::number(lat, 'f', decimals) + QChar(0xB0));
    }
}

void AirspaceMapPainter::PaintScaleBar(QPainter& painter, const QSizeF& size) const
{
    const double kmPerPixel = kKmPerDegree / scale;
    const double km = NiceStep(kScaleBarPixels * kmPerPixel / 2);
    const double pixels = km / kmPerPixel;
    const QPointF left(size.width() - pixels - 12, size.height() - 14);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(left, left + QPointF(pixels, 0));
    painter.drawLine(left, left + QPointF(0, -5));
    painter.drawLine(left + QPointF(pixels, 0), left + QPointF(pixels, -5));
    painter.drawText(left + QPointF(0, -7),
                     km >= 1 ? QStringLiteral("%1 km").arg(km) : QStringLiteral("%1 m").arg(km * 1000));
}

int AirspaceMapPainter::HitTest(const QPointF& pixel, const QSizeF& size)
{
    MakeOutlines();
    const _GEO_COORDS g = ToLatLon(pixel, size);
    const QPointF p(g.lon, g.lat);
    int best = -1;
    for (int i = 0; i < outlines.size(); ++i) {
        const Outline& o = outlines.at(i);
        if (!o.box.contains(p) || !o.polygon.containsPoint(p, Qt::OddEvenFill))
            continue;
        if (best < 0 || o.area < outlines.at(best).area)
            best = i;
    }
    return best;
}

AirspaceMapView::AirspaceMapView(const AirspaceStore* pStore, QWidget* parent)
    : QWidget(parent)
    , store(pStore)
    , painter(pStore)
{
    setMouseTracking(false);
    setMinimumSize(240, 200);
}

void AirspaceMapView::FitAll()
{
    painter.Invalidate();
    painter.FitView(painter.DataBox(), size());
    update();
}

void AirspaceMapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    painter.Paint(p, size());
}

void AirspaceMapView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    const QPointF at = event->position();
    const _GEO_COORDS before = painter.ToLatLon(at, size());
    painter.SetView(painter.CentreLat(), painter.CentreLon(), painter.Scale() * std::pow(kZoomStep, notches));
    // Keep the point under the pointer where it was.
    const _GEO_COORDS after = painter.ToLatLon(at, size());
    painter.SetView(painter.CentreLat() + before.lat - after.lat, painter.CentreLon() + before.lon - after.lon,
                    painter.Scale());
    update();
}

void AirspaceMapView::mousePressEvent(QMouseEvent* event)
{
    pressPos = lastPos = event->pos();
    bDragging = false;
}

void AirspaceMapView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (!bDragging && (event->pos() - pressPos).manhattanLength() < kDragStartPixels)
        return;
    bDragging = true;
    const _GEO_COORDS a = painter.ToLatLon(lastPos, size());
    const _GEO_COORDS b = painter.ToLatLon(event->pos(), size());
    painter.SetView(painter.CentreLat() + a.lat - b.lat, painter.CentreLon() + a.lon - b.lon, painter.Scale());
    lastPos = event->pos();
    update();
}

void AirspaceMapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (bDragging || event->button() != Qt::LeftButton)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        const _GEO_COORDS g = painter.ToLatLon(event->pos(), size());
        emit placePicked(g.lat, g.lon);
        return;
    }
    emit airspaceClicked(painter.HitTest(event->pos(), size()));
}

void AirspaceMapView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int hit = painter.HitTest(event->pos(), size());
    if (hit >= 0)
        emit airspaceDoubleClicked(hit);
}

bool AirspaceMapView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int hit = painter.HitTest(help->pos(), size());
    if (hit < 0) {
        QToolTip::hideText();
        return true;
    }
    const AirRecord& a = store->Airspace(hit);
    QToolTip::showText(help->globalPos(),
                       tr("%1 (%2), %3 m to %4 m")
                           .arg(a.name, store->Token(a.token), QString::number(a.floor, 'f', 0),
                                QString::number(a.ceiling, 'f', 0)),
                       this);
    return true;
}
