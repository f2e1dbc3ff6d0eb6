#include "airspace.h"
#include "airspaceargs.h"
#include "command.h"
#include "geo.h"

#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

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
        geo.Calculate(quarter * kPi / 2, radiusKm);
        double lat = 0, lon = 0;
        geo.GetDestinationCoordinate(&lat, &lon);
        box.add(lat, lon);
    }
}

// A DA arc's extent: its circle sampled every degree from the first angle to
// the second in the arc's direction, both ends included.
void AddArc(Box& box, double latRad, double lonRad, const AirArc& arc)
{
    constexpr double kStep = 1.0 / R8_DEG_PER_RAD;
    double sweep = std::fmod(arc.clockwise ? arc.angle2 - arc.angle1 : arc.angle1 - arc.angle2, 2 * kPi);
    if (sweep < 0)
        sweep += 2 * kPi;
    CGeo geo;
    geo.SetRadsCoordinate(latRad, lonRad);
    const int steps = static_cast<int>(std::ceil(sweep / kStep));
    for (int k = 0; k <= steps; ++k) {
        const double done = std::min(k * kStep, sweep);
        geo.Calculate(arc.clockwise ? arc.angle1 + done : arc.angle1 - done, arc.radius);
        double lat = 0, lon = 0;
        geo.GetDestinationCoordinate(&lat, &lon);
        box.add(lat, lon);
    }
}

QString Deg(double v)
{
    return QString::number(v, 'f', 6);
}

const char kDescription[] = "One line per airspace of OpenAir files (with choices: per airspace they pick): name, "
                            "class, floor and ceiling (m), points, circles, arcs, bytes and bounding box (degrees); "
                            "then totals. Warnings go to stderr as FILE:LINE: message.";

int RunAirspaceSummary(const QStringList& args)
{
    const AirspaceArgs parsed = ParseAirspaceArgs("airspace-summary", kDescription, args);
    if (parsed.exitCode >= 0)
        return parsed.exitCode;
    AirspaceStore store;
    if (!LoadAirspaces(parsed, &store))
        return 1;
    QTextStream out(stdout);
    SetUtf8(out);
    out << "# name\tclass\tfloor_m\tceiling_m\tpoints\tcircles\tarcs\tbytes\tmin_lat\tmin_lon\tmax_lat\tmax_lon\n";
    int airspaces = 0, points = 0, circles = 0, arcs = 0, bytes = 0;
    Box all;
    for (int i = 0; i < store.AirspaceCount(); ++i) {
        const AirRecord& air = store.Airspace(i);
        if (parsed.bChoose && !air.checked)
            continue;
        int p = 0, c = 0, a = 0;
        Box box;
        for (int k = air.firstShape; k < air.firstShape + air.shapeCount; ++k) {
            const AirShape& s = store.Shape(k);
            switch (s.kind) {
            case AirNodePoint:
                ++p;
                box.add(s.lat * R8_DEG_PER_RAD, s.lon * R8_DEG_PER_RAD);
                break;
            case AirNodeCircle:
                ++c;
                AddCircle(box, s.lat, s.lon, store.ArcOf(s).radius);
                break;
            case AirNodeArc:
                ++a;
                AddArc(box, s.lat, s.lon, store.ArcOf(s));
                break;
            default:
                break;
            }
        }
        out << air.name << '\t' << store.Token(air.token) << '\t' << QString::number(air.floor, 'f', 1) << '\t'
            << QString::number(air.ceiling, 'f', 1) << '\t' << p << '\t' << c << '\t' << a << '\t' << air.bytes;
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
        bytes += air.bytes;
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
                          "airspace-summary FILE... [CHOICES]   per airspace: class, floor and ceiling (m), points, "
                          "circles, arcs, bytes, bounding box (degrees); then totals (CHOICES: --help)",
                          RunAirspaceSummary);

} // namespace
