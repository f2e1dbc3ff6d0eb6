#pragma once
#include "pageprops.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QVector>

class R8element;

// Pictures of layout pages, painted as the page canvas paints them: one
// page, and the sixteen pages with a contact sheet of small pictures. The
// designer's image export and r8tool render both use these.
namespace PageImage {

constexpr float kMinZoom = 0.25f;
constexpr float kMaxZoom = 6.0f;

// One page at a zoom: 240 x 320 instrument pixels times zoom, plus the frame.
// The picture has a fixed resolution, so texts come out the same size on
// every computer.
QImage Page(const QList<R8element*>& elements, int iPage, float fZoom);

// The pages side by side, four a row, each with its name (or number) below;
// disabled pages washed out.
QImage ContactSheet(const QVector<QImage>& pages, const QVector<PageProps>& props);

// Writes a PNG in one go (a failed write leaves no half file behind).
bool SavePng(const QImage& image, const QString& path, QString* message);

// The file name of page i in an export of all pages ("page00.png" ...), and
// of the contact sheet.
QString PageFileName(int iPage);
QString ContactSheetFileName();

// page00.png .. page15.png and contact-sheet.png in folder (made if missing).
bool SaveAll(const QList<R8element*>& elements, const QVector<PageProps>& props, float fZoom, const QString& folder,
             QString* message);

} // namespace PageImage
