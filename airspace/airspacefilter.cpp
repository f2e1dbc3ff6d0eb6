#include "airspacefilter.h"
#include "airspace.h"

#include <QPointF>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kKmPerDegree = 111.32;
constexpr double kArcStepRad = 5.0 / R8_DEG_PER_RAD; // arcs walked this finely for distances
constexpr double kTwoPi = 6.283185307179586;

// Positions in km east and north of the place.
struct Flat {
    double lat0, lon0, cosLat0;
    explicit Flat(const _GEO_COORDS& p)
        : lat0(p.lat)
        , lon0(p.lon)
        , cosLat0(std::cos(p.lat / R8_DEG_PER_RAD))
    {
    }
    QPointF operator()(double latDeg, double lonDeg) const
    {
        double dLon = std::remainder(lonDeg - lon0, 360.0);
        return {dLon * cosLat0 * kKmPerDegree, (latDeg - lat0) * kKmPerDegree};
    }
};

double SegmentDistance(const QPointF& a, const QPointF& b) // from the origin
{
    const QPointF d = b - a;
    const double len2 = d.x() * d.x() + d.y() * d.y();
    double t = len2 > 0 ? -(a.x() * d.x() + a.y() * d.y()) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF p = a + t * d;
    return std::hypot(p.x(), p.y());
}

// Distance from the place to the box, 0 inside.
double BoxDistance(const AirRecord& a, const Flat& flat)
{
    if (a.south > a.north)
        return 1e12;
    const double lat = std::clamp(flat.lat0, double(a.south), double(a.north));
    const double lon = std::clamp(flat.lon0, double(a.west), double(a.east));
    const QPointF p = flat(lat, lon);
    return std::hypot(p.x(), p.y());
}

} // namespace

double DistanceToAirspace(const AirspaceStore& store, int iAirspace, const _GEO_COORDS& place)
{
    const AirRecord& a = store.Airspace(iAirspace);
    const Flat flat(place);
    double best = 1e12;
    QVector<QPointF> ring;
    ring.reserve(a.shapeCount);
    CGeo geo;
    for (int k = a.firstShape; k < a.firstShape + a.shapeCount; ++k) {
        const AirShape& s = store.Shape(k);
        if (s.kind == AirNodePoint) {
            ring.append(flat(s.lat * R8_DEG_PER_RAD, s.lon * R8_DEG_PER_RAD));
            continue;
        }
        const AirArc& arc = store.ArcOf(s);
        if (s.kind == AirNodeCircle) {
            const QPointF c = flat(s.lat * R8_DEG_PER_RAD, s.lon * R8_DEG_PER_RAD);
            best = std::min(best, std::max(0.0, std::hypot(c.x(), c.y()) - arc.radius));
            continue;
        }
        // A DA arc is part of the outline: walk it.
        double sweep = std::fmod(arc.clockwise ? arc.angle2 - arc.angle1 : arc.angle1 - arc.angle2, kTwoPi);
        if (sweep < 0)
            sweep += kTwoPi;
        geo.SetRadsCoordinate(s.lat, s.lon);
        const int steps = std::max(1, int(std::ceil(sweep / kArcStepRad)));
        for (int i = 0; i <= steps; ++i) {
            geo.Calculate(arc.angle1 + (arc.clockwise ? 1 : -1) * sweep * i / steps, arc.radius);
            double lat = 0, lon = 0;
            geo.GetDestinationCoordinate(&lat, &lon);
            ring.append(flat(lat, lon));
        }
    }
    if (ring.size() == 1)
        best = std::min(best, std::hypot(ring.at(0).x(), ring.at(0).y()));
    bool inside = false;
    for (int i = 0, j = ring.size() - 1; ring.size() > 1 && i < ring.size(); j = i++) {
        const QPointF& p = ring.at(i);
        const QPointF& q = ring.at(j);
        best = std::min(best, SegmentDistance(q, p));
        if ((p.y() > 0) != (q.y() > 0) && 0 < q.x() + (p.x() - q.x()) * (0 - q.y()) / (p.y() - q.y()))
            inside = !inside;
    }
    return inside ? 0.0 : best;
}

QVector<int> MatchingAirspaces(const AirspaceStore& store, const AirspaceFilter& filter)
{
    QVector<bool> tokenAllowed(store.Tokens().size(), filter.classes.isEmpty());
    for (int t = 0; t < store.Tokens().size(); ++t)
        if (filter.classes.contains(store.Token(t)))
            tokenAllowed[t] = true;
    const Flat flat(filter.place);
    QVector<int> result;
    for (int i = 0; i < store.AirspaceCount(); ++i) {
        const AirRecord& a = store.Airspace(i);
        if (!tokenAllowed.at(a.token))
            continue;
        if (filter.bFloorBelow && a.floor > filter.floorBelowMetres)
            continue;
        if (!filter.nameSearch.isEmpty() && !a.name.contains(filter.nameSearch, Qt::CaseInsensitive))
            continue;
        if (filter.bNear
            && (a.shapeCount == 0 || BoxDistance(a, flat) > filter.radiusKm
                || DistanceToAirspace(store, i, filter.place) > filter.radiusKm))
            continue;
        result.append(i);
    }
    return result;
}

int FillToFit(AirspaceStore& store, const AirspaceFilter& filter, int iCapacity)
{
    const QVector<int> matching = MatchingAirspaces(store, filter);
    QVector<double> distance(matching.size(), 0.0);
    if (filter.bNear)
        for (int i = 0; i < matching.size(); ++i)
            distance[i] = DistanceToAirspace(store, matching.at(i), filter.place);
    QVector<int> order(matching.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&distance](int x, int y) { return distance.at(x) < distance.at(y); });
    store.SetAllChecked(false);
    int total = 0;
    int checked = 0;
    for (const int i : order) {
        const int a = matching.at(i);
        if (store.Cost(a) == 0)
            continue;
        if (total + store.Cost(a) > iCapacity)
            break;
        total += store.Cost(a);
        store.SetAirspaceChecked(a, true);
        ++checked;
    }
    return checked;
}

bool ParsePlace(const QString& strText, _GEO_COORDS* pPlace)
{
    const QString text = strText.trimmed();
    // Hemisphere letters: the reader's own coordinate parser.
    if (text.contains(QRegularExpression(QStringLiteral("[NSns]")))
        && text.contains(QRegularExpression(QStringLiteral("[EWew]")))) {
        QByteArray bytes = text.toLatin1();
        _GEO_COORDS c = {0.0, 0.0};
        if (GetCoordinates(bytes.data(), &c, 1) != 1 || std::abs(c.lat) > 90 || std::abs(c.lon) > 180)
            return false;
        *pPlace = c;
        return true;
    }
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return false;
    bool okLat = false, okLon = false;
    const double lat = parts.at(0).toDouble(&okLat);
    const double lon = parts.at(1).toDouble(&okLon);
    if (!okLat || !okLon || std::abs(lat) > 90 || std::abs(lon) > 180)
        return false;
    *pPlace = {lat, lon};
    return true;
}

QString PlaceText(const _GEO_COORDS& place)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(std::abs(place.lat), 0, 'f', 5)
        .arg(place.lat < 0 ? QLatin1Char('S') : QLatin1Char('N'))
        .arg(std::abs(place.lon), 0, 'f', 5)
        .arg(place.lon < 0 ? QLatin1Char('W') : QLatin1Char('E'));
}
