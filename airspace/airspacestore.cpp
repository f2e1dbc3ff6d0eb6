#include "airspacestore.h"
#include "airspace.h"
#include "openairreader.h"
#include "zvcomport.h"

#include <QDebug>
#include <QPointF>
#include <cmath>

namespace {

constexpr float kSamePointRad = 1e-7f;
constexpr double kOutlineStepRad = 5.0 / R8_DEG_PER_RAD;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kEarthRadiusKm = 6371.0;
constexpr double kFlatCircleKm = 60.0; // circles smaller than this are drawn on the local plane
constexpr int kCircleSteps = 72;

} // namespace

QString Latin1Name(const QString& strName)
{
    QString name;
    name.reserve(strName.size());
    for (int i = 0; i < strName.size(); ++i) {
        const QChar c = strName.at(i);
        if (c.unicode() <= 0xFF) {
            name.append(c);
            continue;
        }
        // Letters with accents lose them; a few shapes have a plain
        // counterpart; the rest is left out rather than sent as '?'.
        switch (c.unicode()) {
        case 0x0110:
            name.append(QLatin1Char('D'));
            continue;
        case 0x0111:
            name.append(QLatin1Char('d'));
            continue;
        case 0x0141:
            name.append(QLatin1Char('L'));
            continue;
        case 0x0142:
            name.append(QLatin1Char('l'));
            continue;
        case 0x0152:
            name.append(QLatin1String("OE"));
            continue;
        case 0x0153:
            name.append(QLatin1String("oe"));
            continue;
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201B:
            name.append(QLatin1Char('\''));
            continue;
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x201F:
            name.append(QLatin1Char('"'));
            continue;
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
        case 0x2014:
            name.append(QLatin1Char('-'));
            continue;
        default:
            break;
        }
        const bool bPair = c.isHighSurrogate() && i + 1 < strName.size();
        const QString one = bPair ? strName.mid(i++, 2) : QString(c);
        const QString decomposed = one.normalized(QString::NormalizationForm_KD);
        for (const QChar d : decomposed)
            if (d.unicode() <= 0xFF && d.category() != QChar::Mark_NonSpacing)
                name.append(d);
    }
    return name;
}

QString SentenceName(const QString& strName, int iRoom)
{
    QString name;
    name.reserve(strName.size());
    const QString latin1 = Latin1Name(strName);
    for (const QChar c : latin1) {
        // Commas split fields, '*' starts the checksum, '$' a sentence.
        if (c == QLatin1Char(',') || c == QLatin1Char('*') || c == QLatin1Char('$') || c.unicode() < 0x20
            || c.unicode() == 0x7F)
            continue;
        name.append(c);
    }
    // One byte per character from here on: a cut splits nothing.
    name.truncate(std::max(0, iRoom));
    return name;
}

QString AirspaceHeadSentence(float fFloor, float fCeiling, float fMinLon, float fMaxLon, const QString& strName)
{
    const QString head =
        QStringLiteral("PZVCTD,%1,%2,%3,%4,%5,")
            .arg(QString::number(fFloor, 'f', 0), QString::number(fCeiling, 'f', 0), QString::number(0),
                 QString::number(fMinLon, 'g', 6), QString::number(fMaxLon, 'g', 6));
    // The sender sends one byte per character; a body must fit the framing.
    return head + SentenceName(strName, R8_MAX_BODY_BYTES - head.size());
}

void AppendShapeSentence(QStringList& batch, const ShapeValues& s, float* pPrevLat, float* pPrevLon)
{
    switch (s.kind) {
    case AirNodePoint: {
        const float dLat = *pPrevLat - s.lat;
        const float dLon = *pPrevLon - s.lon;
        if (!(std::fabs(dLat) <= kSamePointRad && std::fabs(dLon) <= kSamePointRad))
            batch << QStringLiteral("PZVCTP,%1,%2")
                         .arg(QString::number(s.lat, 'f', 8), QString::number(s.lon, 'f', 8));
        *pPrevLat = s.lat;
        *pPrevLon = s.lon;
        break;
    }
    case AirNodeCircle:
        batch << QString::asprintf("PZVCTC,%.9f,%.9f,%f,", double(s.lat), double(s.lon), double(s.radius));
        break;
    case AirNodeArc:
        batch << QString::asprintf("PZVCTC,%.9f,%.9f,%f,%f,%f,", double(s.lat), double(s.lon), double(s.radius),
                                   double(s.angle1), double(s.angle2));
        break;
    default:
        break;
    }
}

AirspaceStore::AirspaceStore()
    : classNames(AirClassNames())
{
}

AirspaceStore::~AirspaceStore() = default;

QString AirspaceStore::ClassName(int iClassId) const
{
    return iClassId >= 0 && iClassId < classNames.size() ? classNames.at(iClassId) : QString();
}

int AirspaceStore::LoadFile(const QString& strPath, const Progress& progress)
{
    QString error;
    const QByteArray text = AirSpace::ReadOpenAirFile(strPath, &error);
    if (!error.isEmpty()) {
        qDebug() << "cannot read airspace file" << strPath << error;
        AirFile f;
        f.path = strPath;
        f.firstAirspace = airspaces.size();
        f.error = error;
        files.append(f);
        return files.size() - 1;
    }
    return LoadData(strPath, text, progress);
}

int AirspaceStore::LoadData(const QString& strName, const QByteArray& bytes, const Progress& progress)
{
    ++generation;
    AirFile f;
    f.path = strName;
    f.firstAirspace = airspaces.size();
    QByteArray data;
    if (bytes.size() > R8_OPENAIR_MAX_BYTES)
        f.error = AirSpace::tr("airspace files over %1 MB are not read").arg(R8_OPENAIR_MAX_BYTES / (1024LL * 1024));
    else
        data = OpenAirBytes(bytes, &f.error);
    files.append(f);
    if (!f.error.isEmpty())
        return files.size() - 1;
    // Real files hold about one shape per 24 bytes and one airspace per
    // 700: room made at once spares copying the arrays as they grow.
    shapes.reserve(shapes.size() + data.size() / 24);
    airspaces.reserve(airspaces.size() + data.size() / 700);
    const int shapesBefore = shapes.size();
    const int arcsBefore = int(arcs.size());
    const int tokensBefore = tokens.size();
    OpenAirText text = {data.constData(), data.constData() + data.size()};
    if (data.startsWith("\xEF\xBB\xBF"))
        text.pos += 3;
    AirspaceReader reader(*this, files.size() - 1);
    if (!reader.Run(text, progress)) {
        airspaces.resize(f.firstAirspace);
        shapes.resize(shapesBefore);
        arcs.resize(size_t(arcsBefore));
        tokens.erase(tokens.begin() + tokensBefore, tokens.end());
        files.removeLast();
        return -1;
    }
    files.last().airspaceCount = airspaces.size() - f.firstAirspace;
    return files.size() - 1;
}

void AirspaceStore::Clear()
{
    ++generation;
    files.clear();
    airspaces.clear();
    shapes.clear();
    arcs.clear();
    tokens.clear();
}

void AirspaceStore::SetFileChecked(int iFile, bool bChecked)
{
    ++generation;
    AirFile& f = files[iFile];
    f.checked = bChecked;
    for (int i = f.firstAirspace; i < f.firstAirspace + f.airspaceCount; ++i)
        airspaces[i].checked = bChecked;
}

void AirspaceStore::SetAirspaceChecked(int iAirspace, bool bChecked)
{
    ++generation;
    AirRecord& a = airspaces[iAirspace];
    a.checked = bChecked;
    if (bChecked)
        files[a.file].checked = true;
}

void AirspaceStore::SetAllChecked(bool bChecked)
{
    for (int i = 0; i < files.size(); ++i)
        SetFileChecked(i, bChecked);
}

int AirspaceStore::Cost(int iAirspace) const
{
    const AirRecord& a = airspaces.at(iAirspace);
    return a.shapeCount > 0 ? a.bytes : 0;
}

int AirspaceStore::ComputeSize() const
{
    int total = 0;
    for (int i = 0; i < airspaces.size(); ++i)
        if (airspaces.at(i).checked)
            total += Cost(i);
    return total;
}

QStringList AirspaceStore::BuildBatch() const
{
    QStringList batch;
    batch << QStringLiteral("PZVCTR,");
    for (const AirRecord& a : airspaces) {
        if (!a.checked || a.shapeCount == 0)
            continue;
        batch << AirspaceHeadSentence(a.floor, a.ceiling, a.minLon, a.maxLon, a.name);
        // Each airspace is a shape of its own: its first point is sent
        // even when the airspace before ended on the same spot.
        float prevLat = R8_NO_PREVIOUS_POINT;
        float prevLon = R8_NO_PREVIOUS_POINT;
        for (int k = a.firstShape; k < a.firstShape + a.shapeCount; ++k) {
            const AirShape& s = shapes.at(k);
            ShapeValues v{s.kind, float(s.lat), float(s.lon), 0.0f, 0.0f, 0.0f};
            if (s.arc >= 0) {
                const AirArc& arc = arcs.at(s.arc);
                v.radius = arc.radius;
                v.angle1 = float(arc.angle1);
                v.angle2 = float(arc.angle2);
            }
            AppendShapeSentence(batch, v, &prevLat, &prevLon);
        }
    }
    batch << QStringLiteral("PZVCTT,");
    return batch;
}

AirspaceStore::Outline AirspaceStore::AirspaceOutline(int iAirspace) const
{
    const AirRecord& a = airspaces.at(iAirspace);
    Outline out{{}, a.floor, a.ceiling};
    out.points.reserve(a.shapeCount);
    for (int k = a.firstShape; k < a.firstShape + a.shapeCount; ++k) {
        const AirShape& s = shapes.at(k);
        if (s.arc < 0) {
            out.points.append({s.lat * R8_DEG_PER_RAD, s.lon * R8_DEG_PER_RAD});
            continue;
        }
        const AirArc& arc = arcs.at(s.arc);
        if (s.kind == AirNodeCircle && arc.radius < kFlatCircleKm) {
            // Small circles, the common case, on the local plane: within a
            // few metres of the sphere and no trigonometry per point.
            static const QVector<QPointF> ring = [] {
                QVector<QPointF> unit;
                for (int i = 0; i <= kCircleSteps; ++i)
                    unit.append({std::cos(kTwoPi * i / kCircleSteps), std::sin(kTwoPi * i / kCircleSteps)});
                return unit;
            }();
            const double dLat = arc.radius / kEarthRadiusKm * R8_DEG_PER_RAD;
            const double dLon = dLat / std::max(1e-6, std::cos(s.lat));
            const double lat0 = s.lat * R8_DEG_PER_RAD, lon0 = s.lon * R8_DEG_PER_RAD;
            for (const QPointF& u : ring)
                out.points.append({lat0 + dLat * u.x(), lon0 + dLon * u.y()});
            continue;
        }
        double from = 0.0, sweep = kTwoPi, dir = 1.0;
        if (s.kind == AirNodeArc) {
            from = arc.angle1;
            dir = arc.clockwise ? 1.0 : -1.0;
            sweep = std::fmod(dir * (arc.angle2 - arc.angle1), kTwoPi);
            if (sweep < 0)
                sweep += kTwoPi;
        }
        // On the sphere: within a few metres of the ellipsoid at these radii,
        // and many times cheaper than the iterative solution.
        const double delta = arc.radius / kEarthRadiusKm;
        const double sinLat = std::sin(s.lat), cosLat = std::cos(s.lat);
        const double sinD = std::sin(delta), cosD = std::cos(delta);
        const int steps = std::max(1, int(std::ceil(sweep / kOutlineStepRad)));
        for (int i = 0; i <= steps; ++i) {
            const double bearing = from + dir * sweep * i / steps;
            const double lat = std::asin(sinLat * cosD + cosLat * sinD * std::cos(bearing));
            const double lon = s.lon + std::atan2(std::sin(bearing) * sinD * cosLat, cosD - sinLat * std::sin(lat));
            out.points.append({lat * R8_DEG_PER_RAD, std::remainder(lon * R8_DEG_PER_RAD, 360.0)});
        }
    }
    return out;
}
