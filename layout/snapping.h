#pragma once
#include <QRectF>
#include <QVector>
#include <optional>

// Where a dragged element comes to rest: its edges and centre lines snap to
// those of the page's other elements and of the screen, else to the grid.
// Everything is in instrument pixels; rectangles are [left, right) and
// [top, bottom), so an edge snapped to a neighbour's far edge touches it.
namespace Snapping {

// How near, in screen pixels, an edge must come to a line to snap to it.
constexpr double kSnapScreenPixels = 6.0;

struct Options {
    bool objects = true; // to other elements and the screen
    int grid = 0;        // grid size; 0: no grid snapping
    double distance = 3.0;
};

// The lines a snap used, to be drawn as guides while dragging.
struct Guides {
    std::optional<double> x; // a vertical line
    std::optional<double> y; // a horizontal line
};

// The offset that makes a moving rectangle snap; per axis 0 when nothing is
// near and there is no grid.
QPointF SnapMove(const QRectF& moving, const QVector<QRectF>& others, const Options& options, Guides* guides);

// The rectangle after its dragged edges (R8Zone bits) snapped; the other
// edges stay.
QRectF SnapResize(const QRectF& rect, int zone, const QVector<QRectF>& others, const Options& options,
                  Guides* guides);

} // namespace Snapping
