// The OpenAir reader proper: records into the plain arrays of an
// AirspaceStore, with a warning for everything it cannot use as written.
#include "openairreader.h"
#include "airspace.h"
#include "airspacestore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kNoLon = 99999.0;
constexpr double kArcStepDeg = 15.0;        // grid of the points made from a DB arc
constexpr double kArcRadiusMismatch = 0.05; // share of the radius two DB ends may differ by
constexpr qint64 kProgressEvery = 1 << 20;  // bytes between two progress calls
constexpr double kKmPerDegree = 111.32;

inline bool ValidPosition(const _GEO_COORDS& c)
{
    return std::isfinite(c.lat) && std::isfinite(c.lon) && std::fabs(c.lat) <= 90.0 && std::fabs(c.lon) <= 180.0;
}

} // namespace

QVector<double> ArcGridBearings(double dStartDeg, double dEndDeg, bool bClockwise)
{
    constexpr double kTouch = 1e-6; // a grid bearing this close to an end adds nothing
    QVector<double> bearings;
    if (!std::isfinite(dStartDeg) || !std::isfinite(dEndDeg))
        return bearings;
    double sweep = std::fmod(bClockwise ? dEndDeg - dStartDeg : dStartDeg - dEndDeg, 360.0);
    if (sweep < 0.0)
        sweep += 360.0;
    const double dir = bClockwise ? 1.0 : -1.0;
    double b = bClockwise ? (std::floor(dStartDeg / kArcStepDeg) + 1.0) * kArcStepDeg
                          : (std::ceil(dStartDeg / kArcStepDeg) - 1.0) * kArcStepDeg;
    for (;; b += dir * kArcStepDeg) {
        const double done = (b - dStartDeg) * dir;
        if (done >= sweep - kTouch || done > 360.0)
            break;
        if (done > kTouch)
            bearings.append(b);
    }
    return bearings;
}

AirspaceReader::AirspaceReader(AirspaceStore& s, int iFile)
    : store(s)
    , file(iFile)
{
}

void AirspaceReader::Warn(int line, const QString& message)
{
    store.files[file].warnings.append({line, message});
}

namespace {

// Moves past the end of the current line (CR LF, LF or a lone CR): 2, or 3
// at the end of the data, as the tokenizer reports them.
int SkipLine(OpenAirText& text)
{
    const char* p = text.pos;
    while (p < text.end && *p != '\n' && *p != '\r')
        ++p;
    if (p == text.end) {
        text.pos = p;
        return 3;
    }
    if (*p == '\r' && p + 1 < text.end && p[1] == '\n')
        ++p;
    text.pos = p + 1;
    return 2;
}

} // namespace

bool AirspaceReader::Run(OpenAirText& text, const AirspaceStore::Progress& progress)
{
    char token[R8_TOKEN_MAX + 1];
    char arg[R8_TOKEN_MAX + 1];
    int tokensOnLine = 0;
    int line = 1; // of the next byte
    const char* begin = text.pos;
    const qint64 size = text.end - text.pos;
    qint64 nextReport = kProgressEvery;
    for (;;) {
        if (progress && text.pos - begin >= nextReport) {
            nextReport += kProgressEvery;
            if (!progress(text.pos - begin, size))
                return false;
        }
        iLine = line;
        int r = GetToken(&text, token, R8_TOKEN_MAX, 0);
        if (r == 3 || r == 0)
            break;
        if (r == 2)
            ++line;
        const int id = GetID(token, AIRRECORDS); // trims the token too
        if (!token[0] || tokensOnLine > 0) {
            if (r == 2)
                tokensOnLine = 0;
            continue;
        }
        if (id > 0) {
            // A keyword alone on its line gets an empty argument; the next
            // line stays a record of its own.
            if (r == 2) {
                arg[0] = 0;
            } else {
                r = GetToken(&text, arg, R8_TOKEN_MAX, 1);
                if (r == 2)
                    ++line;
            }
            Record(id, arg);
        } else if (r == 1) {
            // Not a record (a comment, AY, AF ...): the rest of its line is
            // not looked at, so it is passed over whole.
            r = SkipLine(text);
            if (r == 2)
                ++line;
        }
        ++tokensOnLine;
        if (r == 2)
            tokensOnLine = 0;
        if (r == 3)
            break;
    }
    FinishAirspace();
    if (progress)
        progress(size, size);
    return true;
}

bool AirspaceReader::Positions(const char* record, char* arg, _GEO_COORDS* pCoords, int iCount)
{
    bool bLower = false;
    if (GetCoordinates(arg, pCoords, iCount, &bLower) != iCount) {
        Warn(iLine, AirSpace::tr("%1: cannot read the position \"%2\"; record skipped")
                        .arg(QLatin1String(record), QString::fromLatin1(arg)));
        return false;
    }
    for (int i = 0; i < iCount; ++i)
        if (!ValidPosition(pCoords[i])) {
            Warn(iLine, AirSpace::tr("%1: the position \"%2\" is off the globe; record skipped")
                            .arg(QLatin1String(record), QString::fromLatin1(arg)));
            return false;
        }
    if (bLower)
        Warn(iLine, AirSpace::tr("%1: lower-case hemisphere letter in \"%2\", read as upper case")
                        .arg(QLatin1String(record), QString::fromLatin1(arg)));
    return true;
}

bool AirspaceReader::HasCentre(const char* record)
{
    if (!bCentre)
        Warn(iLine,
             AirSpace::tr("%1 needs a centre (V X=) and none is set; record skipped").arg(QLatin1String(record)));
    return bCentre;
}

void AirspaceReader::Altitude(char* arg, float* pMetres)
{
    char text[R8_TOKEN_MAX + 1]; // as written: the reading upper-cases it
    qstrncpy(text, arg, sizeof text);
    if (!ReadAltitude(arg, pMetres))
        Warn(iLine,
             AirSpace::tr("cannot read the altitude \"%1\"; 0 m used").arg(QString::fromLatin1(text).trimmed()));
}

AirRecord& AirspaceReader::Current()
{
    return store.airspaces.last();
}

void AirspaceReader::Record(int id, char* arg)
{
    switch (id) {
    case AIR_AC:
        Trim(arg);
        StartAirspace(QString::fromLatin1(arg));
        return;
    case AIR_V: {
        Trim(arg);
        if (arg[0] == 'X' && arg[1] == '=') {
            _GEO_COORDS c = {0.0, 0.0};
            // A bad centre must not leave the previous one in force.
            bCentre = Positions("V X=", arg + 2, &c, 1);
            if (bCentre)
                centre = c;
        } else if (arg[0] == 'D' && arg[1] == '=') {
            char* rest = arg + 2;
            Trim(rest);
            if (rest[0] == '-')
                bClockwise = false;
            else if (rest[0] == '+')
                bClockwise = true;
        }
        return;
    }
    default:
        break;
    }
    if (!bOpen) {
        Warn(iLine, AirSpace::tr("%1 before any AC; record skipped").arg(QLatin1String(AIRRECORDS[id - 1].key)));
        return;
    }
    switch (id) {
    case AIR_AN:
        Trim(arg);
        if (Current().shapeCount > 0) {
            // A block without its own AC: keep both airspaces apart, with
            // the class, limits, centre and direction in force.
            const AirRecord previous = Current();
            const _GEO_COORDS keptCentre = centre;
            const bool bKeptCentre = bCentre;
            const bool bKeptClockwise = bClockwise;
            StartAirspace(store.tokens.at(previous.token));
            centre = keptCentre;
            bCentre = bKeptCentre;
            bClockwise = bKeptClockwise;
            Current().floor = previous.floor;
            Current().ceiling = previous.ceiling;
            Warn(iLine, AirSpace::tr("a second AN after the shapes of \"%1\" starts a new airspace of class %2")
                            .arg(previous.name, store.tokens.at(previous.token)));
        }
        Current().name = DecodeName(arg, static_cast<int>(strlen(arg)));
        break;
    case AIR_AL:
        Altitude(arg, &Current().floor);
        break;
    case AIR_AH:
        Altitude(arg, &Current().ceiling);
        break;
    case AIR_DP: {
        _GEO_COORDS p = {0.0, 0.0};
        if (Positions("DP", arg, &p, 1))
            AddShape(AirShape::Point, p.lat / R8_DEG_PER_RAD, p.lon / R8_DEG_PER_RAD);
        break;
    }
    case AIR_DC: {
        if (!HasCentre("DC"))
            break;
        const float radius = static_cast<float>(ReadNumber(arg) * R8_KM_PER_NM);
        if (!std::isfinite(radius) || radius < 0.0f) {
            Warn(iLine, AirSpace::tr("DC: the radius \"%1\" is not a length; record skipped")
                            .arg(QString::fromLatin1(arg).trimmed()));
            break;
        }
        AddRound(AirShape::Circle, {radius, 0.0, 0.0, bClockwise});
        break;
    }
    case AIR_DA: {
        if (!HasCentre("DA"))
            break;
        const QString text = QString::fromLatin1(arg).trimmed();
        float v[3] = {0.0f, 0.0f, 0.0f};
        GetFloats(arg, v, 3);
        const float radius = static_cast<float>(v[0] * R8_KM_PER_NM);
        const double a1 = v[1] / R8_DEG_PER_RAD;
        const double a2 = v[2] / R8_DEG_PER_RAD;
        if (!std::isfinite(radius) || radius < 0.0f || !std::isfinite(float(a1)) || !std::isfinite(float(a2))) {
            Warn(iLine, AirSpace::tr("DA: \"%1\" is not a radius and two angles; record skipped").arg(text));
            break;
        }
        AddRound(AirShape::Arc, {radius, a1, a2, bClockwise});
        break;
    }
    case AIR_DB: {
        if (!HasCentre("DB"))
            break;
        _GEO_COORDS ends[2] = {{0.0, 0.0}, {0.0, 0.0}};
        if (Positions("DB", arg, ends, 2))
            ArcToPoints(ends);
        break;
    }
    default:
        break;
    }
}

void AirspaceReader::StartAirspace(const QString& token)
{
    FinishAirspace();
    int tokenIndex = store.tokens.indexOf(token);
    if (tokenIndex < 0) {
        tokenIndex = store.tokens.size();
        store.tokens.append(token);
    }
    char key[R8_TOKEN_MAX + 1];
    qstrncpy(key, token.toLatin1().constData(), sizeof key);
    int cls = GetID(key, AIRCLASSES);
    if (cls >= store.classNames.size())
        cls = -1;
    AirRecord a{QString(),
                tokenIndex,
                cls,
                0.0f,
                0.0f,
                float(kNoLon),
                float(-kNoLon),
                90.0f,
                -90.0f,
                180.0f,
                -180.0f,
                store.shapes.size(),
                0,
                R8_AIRSPACE_BYTES,
                iLine,
                file,
                true};
    store.airspaces.append(a);
    bOpen = true;
    minLon = kNoLon;
    maxLon = -kNoLon;
    bCentre = false;
    bClockwise = true;
}

void AirspaceReader::FinishAirspace()
{
    if (!bOpen)
        return;
    AirRecord& a = Current();
    if (a.shapeCount == 0)
        Warn(a.line, a.name.isEmpty() ? AirSpace::tr("AC %1 with no name and no shapes (a style block?); not sent")
                                            .arg(store.tokens.at(a.token))
                                      : AirSpace::tr("\"%1\" has no shapes; not sent").arg(a.name));
    a.minLon = static_cast<float>(minLon);
    a.maxLon = static_cast<float>(maxLon);
    bOpen = false;
}

void AirspaceReader::Extend(double latDeg, double lonDeg, double radiusKm)
{
    AirRecord& a = Current();
    if (radiusKm <= 0.0) {
        a.south = std::min(a.south, float(latDeg));
        a.north = std::max(a.north, float(latDeg));
        a.west = std::min(a.west, float(lonDeg));
        a.east = std::max(a.east, float(lonDeg));
        return;
    }
    const double dLat = radiusKm / kKmPerDegree;
    const double dLon = dLat / std::max(0.01, std::cos(std::min(89.0, std::fabs(latDeg) + dLat) / R8_DEG_PER_RAD));
    a.south = std::min(a.south, float(std::max(-90.0, latDeg - dLat)));
    a.north = std::max(a.north, float(std::min(90.0, latDeg + dLat)));
    a.west = std::min(a.west, float(lonDeg - dLon));
    a.east = std::max(a.east, float(lonDeg + dLon));
}

void AirspaceReader::AddShape(quint8 label, double latRad, double lonRad, qint32 arc)
{
    static const quint8 kinds[] = {AirNodePoint, AirNodePoint,  AirNodePoint,
                                   AirNodePoint, AirNodeCircle, AirNodeArc};
    store.shapes.append({latRad, lonRad, arc, kinds[label], label});
    AirRecord& a = Current();
    ++a.shapeCount;
    if (kinds[label] == AirNodePoint) {
        a.bytes += R8_POINT_BYTES;
        Extend(latRad * R8_DEG_PER_RAD, lonRad * R8_DEG_PER_RAD, 0.0);
    }
    minLon = std::min(minLon, lonRad);
    maxLon = std::max(maxLon, lonRad);
}

void AirspaceReader::AddRound(quint8 label, const AirArc& arc)
{
    store.arcs.push_back(arc);
    AddShape(label, centre.lat / R8_DEG_PER_RAD, centre.lon / R8_DEG_PER_RAD, int(store.arcs.size()) - 1);
    if (label == AirShape::Circle)
        Current().bytes += R8_CIRCLE_BYTES;
    Extend(centre.lat, centre.lon, arc.radius);
}

void AirspaceReader::ArcToPoints(const _GEO_COORDS* ends)
{
    CGeo geo;
    geo.SetCoordinate(centre.lat, centre.lon);
    geo.SetDestinationCoordinate(ends[0].lat, ends[0].lon);
    geo.Calculate();
    const double start = geo.GetCourseTo();
    const double radius = geo.GetDistance();
    geo.SetDestinationCoordinate(ends[1].lat, ends[1].lon);
    geo.Calculate();
    const double end = geo.GetCourseTo();
    // The points between follow the start's radius: say so when the end
    // lies well off it.
    if (std::fabs(geo.GetDistance() - radius) > kArcRadiusMismatch * radius)
        Warn(iLine, AirSpace::tr("DB: the ends lie %1 km and %2 km from the centre; the arc follows the first")
                        .arg(radius, 0, 'f', 1)
                        .arg(geo.GetDistance(), 0, 'f', 1));

    AddShape(AirShape::PointZ1, ends[0].lat / R8_DEG_PER_RAD, ends[0].lon / R8_DEG_PER_RAD);
    const QVector<double> bearings = ArcGridBearings(start, end, bClockwise);
    for (const double bearing : bearings) {
        geo.Calculate(bearing / R8_DEG_PER_RAD, radius);
        const _Radian_Type p = geo.GetDestinationRadsCoordinate();
        if (std::isfinite(p.lat) && std::isfinite(p.lon))
            AddShape(AirShape::PointX, p.lat, p.lon);
    }
    AddShape(AirShape::PointZ2, ends[1].lat / R8_DEG_PER_RAD, ends[1].lon / R8_DEG_PER_RAD);
}
