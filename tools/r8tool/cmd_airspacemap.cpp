// r8tool airspace-map: the airspace dialog's map of OpenAir files as an image.
#include "airspaceargs.h"
#include "airspacemap.h"
#include "command.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 800;
constexpr double kKmPerDegree = 111.32;

const char kDescription[] = "Paints the airspace dialog's map of OpenAir files to a PNG image: checked airspaces "
                            "(every one, or those the choices pick) filled by class, the others as grey outlines, "
                            "the place and its radius.";

int RunAirspaceMap(const QStringList& args)
{
    const AirspaceArgs parsed = ParseAirspaceArgs("airspace-map", kDescription, args, true);
    if (parsed.exitCode >= 0)
        return parsed.exitCode;
    AirspaceStore store;
    if (!LoadAirspaces(parsed, &store))
        return 1;
    AirspaceMapPainter painter(&store);
    const QSizeF size(kWidth, kHeight);
    const AirspaceFilter& f = parsed.filter;
    painter.SetPlace(f.bNear, f.place, f.radiusKm);
    if (f.bNear) {
        // The radius ring fills the picture.
        const double dLat = f.radiusKm / kKmPerDegree;
        const double dLon = dLat / std::max(0.05, std::cos(f.place.lat / R8_DEG_PER_RAD));
        painter.FitView(
            QRectF(QPointF(f.place.lon - dLon, f.place.lat - dLat), QPointF(f.place.lon + dLon, f.place.lat + dLat)),
            size);
    } else {
        painter.FitView(painter.DataBox(), size);
    }
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&image);
        painter.Paint(p, size);
    }
    if (!image.save(parsed.output, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(parsed.output));
    return 0;
}

const ToolCommand command("airspace-map",
                          "airspace-map FILE... -o MAP.png [CHOICES]  the airspace map as the dialog draws it "
                          "(CHOICES: --help)",
                          RunAirspaceMap);

} // namespace
