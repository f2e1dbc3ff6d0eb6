#include "snapping.h"
#include "r8element.h"
#include "screenlayout.h"

#include <cmath>

namespace Snapping {

namespace {

// Lines an edge may snap to on one axis: the screen's edges and middle, and
// every other element's edges and middle.
QVector<double> Lines(const QVector<QRectF>& others, bool bHorizontal)
{
    const double extent = bHorizontal ? R8_SCREEN_WIDTH : R8_SCREEN_HEIGHT;
    QVector<double> lines = {0.0, extent / 2.0, extent};
    for (const QRectF& r : others) {
        const double lo = bHorizontal ? r.left() : r.top();
        const double size = bHorizontal ? r.width() : r.height();
        lines << lo << lo + size / 2.0 << lo + size;
    }
    return lines;
}

// The smallest shift that brings one of the edges onto a line within the
// distance; the line it lands on goes to guide.
std::optional<double> NearestShift(const QVector<double>& edges, const QVector<double>& lines, double distance,
                                   std::optional<double>* guide)
{
    std::optional<double> best;
    for (double edge : edges) {
        for (double line : lines) {
            const double shift = line - edge;
            if (std::abs(shift) <= distance && (!best || std::abs(shift) < std::abs(*best))) {
                best = shift;
                *guide = line;
            }
        }
    }
    return best;
}

double ToGrid(double v, int grid)
{
    return std::round(v / grid) * grid;
}

// The shift of one axis of a moving rectangle.
double MoveAxis(double lo, double size, const QVector<QRectF>& others, bool bHorizontal, const Options& options,
                std::optional<double>* guide)
{
    if (options.objects) {
        const QVector<double> edges = {lo, lo + size / 2.0, lo + size};
        if (const std::optional<double> shift =
                NearestShift(edges, Lines(others, bHorizontal), options.distance, guide))
            return *shift;
    }
    return options.grid > 0 ? ToGrid(lo, options.grid) - lo : 0.0;
}

// Where one dragged edge comes to rest.
double EdgeAt(double edge, const QVector<QRectF>& others, bool bHorizontal, const Options& options,
              std::optional<double>* guide)
{
    if (options.objects) {
        if (const std::optional<double> shift =
                NearestShift({edge}, Lines(others, bHorizontal), options.distance, guide))
            return edge + *shift;
    }
    return options.grid > 0 ? ToGrid(edge, options.grid) : edge;
}

} // namespace

QPointF SnapMove(const QRectF& moving, const QVector<QRectF>& others, const Options& options, Guides* guides)
{
    Guides found;
    const QPointF shift(MoveAxis(moving.left(), moving.width(), others, true, options, &found.x),
                        MoveAxis(moving.top(), moving.height(), others, false, options, &found.y));
    if (guides)
        *guides = found;
    return shift;
}

QRectF SnapResize(const QRectF& rect, int zone, const QVector<QRectF>& others, const Options& options,
                  Guides* guides)
{
    Guides found;
    QRectF r = rect;
    if (zone & R8_ZONE_LEFT)
        r.setLeft(EdgeAt(r.left(), others, true, options, &found.x));
    else if (zone & R8_ZONE_RIGHT)
        r.setRight(EdgeAt(r.left() + r.width(), others, true, options, &found.x));
    if (zone & R8_ZONE_TOP)
        r.setTop(EdgeAt(r.top(), others, false, options, &found.y));
    else if (zone & R8_ZONE_BOTTOM)
        r.setBottom(EdgeAt(r.top() + r.height(), others, false, options, &found.y));
    if (guides)
        *guides = found;
    return r;
}

} // namespace Snapping
