#include "airspace.h"
#include "airspaceargs.h"
#include "command.h"
#include "geo.h"

#include <QTextStream>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cmath>

namespace {

struct Box {
    double minLat = 1e9, minLon = 1e9, maxLat = -1e9, maxLon = -1e9;
    bool empty() const { return minLat > maxLat; }
    void add(double lat, double lon)
    {
        minLat = std::min(minLat, lat);
        maxLat = std::max(maxLat, lat);
        minLon = std::min(minLon, lon);
        maxLon = std::max(maxLon, lon);
    }
};

// A circle's extent: its centre moved by the radius north, east, south, west.
void AddCircle(Box& box, double latRad, double lonRad, double radiusKm)
{
    CGeo geo;
    geo.SetRadsCoordinate(latRad, lonRad);
    for (int quarter = 0; quarter < 4; ++quarter) {
        geo.Calculate(quarter * 3.14159265358979323846 / 2, radiusKm);
        double lat = 0, lon = 0;
        geo.GetDestinationCoordinate(&lat, &lon);
        box.add(lat, lon);
    }
}

// A DA arc's extent: its circle sampled every degree from the first angle to
// the second in the arc's direction, both ends included.
void AddArc(Box& box, double latRad, double lonRad, double radiusKm, double a1Rad, double a2Rad, bool bClockwise)
{
    constexpr double kStep = 1.0 / R8_DEG_PER_RAD;
    constexpr double kTwoPi = 2 * 3.14159265358979323846;
    double sweep = std::fmod(bClockwise ? a2Rad - a1Rad : a1Rad - a2Rad, kTwoPi);
    if (sweep < 0)
        sweep += kTwoPi;
    CGeo geo;
    geo.SetRadsCoordinate(latRad, lonRad);
    const int steps = static_cast<int>(std::ceil(sweep / kStep));
    for (int k = 0; k <= steps; ++k) {
        const double done = std::min(k * kStep, sweep);
        geo.Calculate(bClockwise ? a1Rad + done : a1Rad - done, radiusKm);
        double lat = 0, lon = 0;
        geo.GetDestinationCoordinate(&lat, &lon);
        box.add(lat, lon);
    }
}

QString Deg(double v)
{
    return QString::number(v, 'f', 6);
}

const char kDescription[] = "One line per airspace of OpenAir files: name, class, floor and ceiling (m), points, "
                            "circles, arcs, bytes and bounding box (degrees); then totals. Warnings go to stderr as "
                            "FILE:LINE: message.";

int RunAirspaceSummary(const QStringList& args)
{
    const AirspaceArgs parsed = ParseAirspaceArgs("airspace-summary", kDescription, args);
    if (parsed.exitCode >= 0)
        return parsed.exitCode;
    QTextStream out(stdout);
    SetUtf8(out);
    out << "# name\tclass\tfloor_m\tceiling_m\tpoints\tcircles\tarcs\tbytes\tmin_lat\tmin_lon\tmax_lat\tmax_lon\n";
    int airspaces = 0, points = 0, circles = 0, arcs = 0, bytes = 0;
    Box all;
    for (const QString& path : parsed.files) {
        QTreeWidgetItem file;
        if (!ReadAirspaceFile(&file, path))
            return 1;
        for (int i = 0; i < file.childCount(); ++i) {
            const QTreeWidgetItem* air = file.child(i);
            if (air->data(0, AirKindRole).toInt() != AirNodeAirspace)
                continue;
            int p = 0, c = 0, a = 0;
            Box box;
            for (int k = 0; k < air->childCount(); ++k) {
                const QTreeWidgetItem* s = air->child(k);
                const double lat = s->data(0, AirLatRole).toDouble();
                const double lon = s->data(0, AirLonRole).toDouble();
                switch (s->data(0, AirKindRole).toInt()) {
                case AirNodePoint:
                    ++p;
                    box.add(lat * R8_DEG_PER_RAD, lon * R8_DEG_PER_RAD);
                    break;
                case AirNodeCircle:
                    ++c;
                    AddCircle(box, lat, lon, s->data(0, AirRadiusRole).toFloat());
                    break;
                case AirNodeArc:
                    ++a;
                    AddArc(box, lat, lon, s->data(0, AirRadiusRole).toFloat(), s->data(0, AirAngle1Role).toDouble(),
                           s->data(0, AirAngle2Role).toDouble(), s->data(0, AirClockwiseRole).toBool());
                    break;
                default:
                    break;
                }
            }
            const int b = air->text(2).toInt();
            out << air->text(0) << '\t' << air->data(0, AirClassRole).toString() << '\t'
                << QString::number(air->data(0, AirFloorRole).toFloat(), 'f', 1) << '\t'
                << QString::number(air->data(0, AirCeilingRole).toFloat(), 'f', 1) << '\t' << p << '\t' << c
                << '\t' << a << '\t' << b;
            if (box.empty()) {
                out << "\t-\t-\t-\t-\n";
            } else {
                out << '\t' << Deg(box.minLat) << '\t' << Deg(box.minLon) << '\t' << Deg(box.maxLat) << '\t'
                    << Deg(box.maxLon) << '\n';
                all.add(box.minLat, box.minLon);
                all.add(box.maxLat, box.maxLon);
            }
            ++airspaces;
            points += p;
            circles += c;
            arcs += a;
            bytes += b;
        }
    }
    out << "# total\t" << airspaces << " airspaces\t\t\t" << points << '\t' << circles << '\t' << arcs << '\t'
        << bytes;
    if (all.empty())
        out << "\t-\t-\t-\t-\n";
    else
        out << '\t' << Deg(all.minLat) << '\t' << Deg(all.minLon) << '\t' << Deg(all.maxLat) << '\t'
            << Deg(all.maxLon) << '\n';
    return 0;
}

const ToolCommand command("airspace-summary",
                          "airspace-summary FILE...             per airspace: class, floor and ceiling (m), points, "
                          "circles, arcs, bytes, bounding box (degrees); then totals",
                          RunAirspaceSummary);

} // namespace
