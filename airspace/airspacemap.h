#pragma once
#include "geo.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QVector>
#include <QWidget>

class AirspaceStore;
class QPainter;

// Draws the airspaces of a store from the very points that would be sent
// (circles and DA arcs as the instrument draws them): checked ones filled by
// class colour, unchecked ones as grey outlines; the place with its radius
// ring, a latitude/longitude grid and a scale bar. Plain painting on any
// QPainter, so the dialog and r8tool show the same map.
class AirspaceMapPainter
{
public:
    explicit AirspaceMapPainter(const AirspaceStore* pStore);

    // The store changed (a file added): outlines are made again on the next paint.
    void Invalidate();

    // The view: centre (degrees) and scale (pixels per degree of latitude).
    void SetView(double dLat, double dLon, double dPixelsPerDegree);
    // A view that shows the whole of the given box in a size.
    void FitView(const QRectF& lonLatBox, const QSizeF& size);
    // The box of every loaded airspace (x longitude, y latitude).
    QRectF DataBox() const;
    double CentreLat() const { return lat0; }
    double CentreLon() const { return lon0; }
    double Scale() const { return scale; }

    void SetPlace(bool bShow, const _GEO_COORDS& place, double radiusKm);
    void SetSelected(int iAirspace) { selected = iAirspace; }

    // Airspaces, grid and scale bar are drawn once into a layer that is kept
    // until the view, the size or the store changes; the selection and the
    // place go on top at every paint.
    void Paint(QPainter& painter, const QSizeF& size);
    // The smallest airspace under a pixel, or -1.
    int HitTest(const QPointF& pixel, const QSizeF& size);
    // Degrees at a pixel, and the other way round.
    _GEO_COORDS ToLatLon(const QPointF& pixel, const QSizeF& size) const;
    QPointF ToPixel(double dLat, double dLon, const QSizeF& size) const;

private:
    struct Outline {
        QPolygonF polygon; // x longitude, y latitude (degrees)
        QRectF box;
        double area; // square degrees, to pick the smallest under a point
    };
    void MakeOutlines();
    void PaintLayer(QPainter& painter, const QSizeF& size);
    QTransform Transform(const QSizeF& size) const;
    void PaintGrid(QPainter& painter, const QSizeF& size, const QRectF& visible) const;
    void PaintScaleBar(QPainter& painter, const QSizeF& size) const;

    const AirspaceStore* store;
    QVector<Outline> outlines;
    bool bOutlinesValid = false;
    double lat0 = 46.0;
    double lon0 = 7.0;
    double scale = 100.0;
    bool bPlace = false;
    _GEO_COORDS place = {0.0, 0.0};
    double radiusKm = 0.0;
    int selected = -1;
    QImage layer;
    quint64 layerGeneration = ~0ULL;
    double layerLat = 0, layerLon = 0, layerScale = 0;
    QVector<QPointF> pixels; // one polygon at a time, thinned to the pixels it covers
};

// The map in the airspace dialog: wheel zoom, drag pan, a click selects the
// airspace under the pointer, a double click toggles its check, a tool tip
// names it; Ctrl+click picks the place for the filter.
class AirspaceMapView : public QWidget
{
    Q_OBJECT
public:
    explicit AirspaceMapView(const AirspaceStore* pStore, QWidget* parent = nullptr);
    AirspaceMapPainter& Painter() { return painter; }
    // Shows every loaded airspace.
    void FitAll();

signals:
    void airspaceClicked(int iAirspace);
    void airspaceDoubleClicked(int iAirspace);
    void placePicked(double dLat, double dLon);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    const AirspaceStore* store;
    AirspaceMapPainter painter;
    QPoint pressPos;
    QPoint lastPos;
    bool bDragging = false;
};
