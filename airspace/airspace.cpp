#include "airspace.h"

#include <QDebug>
#include <QFile>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <charconv>
#include <cmath>
#include <cstring>

const _DATA_TABS AIRRECORDS[] = {
    {"AC", AIR_AC}, {"AN", AIR_AN}, {"AL", AIR_AL}, {"AH", AIR_AH}, {"DP", AIR_DP},
    {"DC", AIR_DC}, {"DA", AIR_DA}, {"DB", AIR_DB}, {"V", AIR_V},   {"", -1},
};

const _DATA_TABS AIRCLASSES[] = {
    {"R", 0}, {"Q", 1}, {"P", 2}, {"A", 3}, {"B", 4}, {"C", 5}, {"D", 6}, {"GP", 7}, {"CTR", 8}, {"W", 9}, {"", -1},
};

namespace {

constexpr int kTableSearchLimit = 255;
constexpr int kFieldMax = 254;        // characters of one number or position field
constexpr int kCoordPartMax = 15;     // characters of one part of an angle
constexpr int kCoordParts = 3;        // degrees, minutes, seconds
constexpr double kFeetToMetres = 0.3048;
constexpr double kFlightLevelToMetres = 30.48;
constexpr float kUnlimitedMetres = 65535.0f;
constexpr double kArcStepDeg = 15.0;  // grid of the points made from a DB arc
constexpr double kNoLon = 99999.0;

struct FileSource {
    FILE* f;
    int get() { return getc(f); }
    int peek()
    {
        const int c = getc(f);
        if (c != EOF)
            ungetc(c, f);
        return c;
    }
};

struct MemorySource {
    OpenAirText* t;
    int get() { return t->pos < t->end ? static_cast<unsigned char>(*t->pos++) : EOF; }
    int peek() { return t->pos < t->end ? static_cast<unsigned char>(*t->pos) : EOF; }
};

template <class Source>
int ReadToken(Source src, char* szToken, int iMaxLen, int iRestOfLine)
{
    int n = 0;
    char cQuote = 0;
    if (iMaxLen < 0)
        iMaxLen = 0;
    // Every pass consumes one byte, so the loop ends with the data.
    for (;;) {
        const int c = src.get();
        if (c == EOF) {
            szToken[n] = 0;
            return 3;
        }
        if (c == '\r') {
            // CR LF is one line end; a CR on its own (old Mac files) is one too.
            if (src.peek() == '\n')
                continue;
            szToken[n] = 0;
            return 2;
        }
        if (c == '\n') {
            szToken[n] = 0;
            return 2;
        }
        if (!iRestOfLine) {
            if (!cQuote && (c == ' ' || c == ',')) {
                szToken[n] = 0;
                return 1;
            }
            if (c == '\'' || c == '"') {
                if (!cQuote) {
                    cQuote = static_cast<char>(c);
                    continue;
                }
                if (cQuote == c) {
                    cQuote = 0;
                    continue;
                }
            }
        }
        if (n < iMaxLen)
            szToken[n++] = static_cast<char>(c);
    }
}

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsValidUtf8(const unsigned char* s, int n)
{
    int i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (int k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        const unsigned int minimum = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

} // namespace

int GetToken(FILE* pFile, char* szToken, int iMaxLen, int iRestOfLine)
{
    if (!pFile || !szToken)
        return 0;
    return ReadToken(FileSource{pFile}, szToken, iMaxLen, iRestOfLine);
}

int GetToken(OpenAirText* pText, char* szToken, int iMaxLen, int iRestOfLine)
{
    if (!pText || !szToken || !pText->pos)
        return 0;
    return ReadToken(MemorySource{pText}, szToken, iMaxLen, iRestOfLine);
}

void Trim(char* sz)
{
    if (!sz)
        return;
    const char* start = sz;
    while (*start == ' ')
        ++start;
    size_t len = strlen(start);
    while (len > 0 && start[len - 1] == ' ')
        --len;
    if (start != sz)
        memmove(sz, start, len);
    sz[len] = 0;
}

int GetID(char* sz, const _DATA_TABS* pTable)
{
    if (!sz || !pTable)
        return -1;
    Trim(sz);
    for (int i = 0; i < kTableSearchLimit && pTable[i].key[0]; ++i)
        if (strcmp(sz, pTable[i].key) == 0)
            return pTable[i].id;
    return -1;
}

double ReadNumber(const char* sz)
{
    if (!sz)
        return 0.0;
    const char* p = sz;
    while (IsBlank(*p))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-') {
        bNegative = *p == '-';
        ++p;
    }
    // Digits only: no "inf" or "nan" from stray text.
    if (!((*p >= '0' && *p <= '9') || (*p == '.' && p[1] >= '0' && p[1] <= '9')))
        return 0.0;
    double value = 0.0;
    const std::from_chars_result r = std::from_chars(p, p + strlen(p), value);
    if (r.ec != std::errc())
        return 0.0;
    return bNegative ? -value : value;
}

int GetFloats(char* sz, float* pValues, int iMaxCount)
{
    if (!sz || !pValues || iMaxCount <= 0)
        return 0;
    Trim(sz);
    const int len = static_cast<int>(strlen(sz));
    char field[kFieldMax + 1];
    int n = 0;
    int count = 0;
    for (int i = 0; i < len; ++i) {
        const char c = sz[i];
        if (c != ',' && n < kFieldMax)
            field[n++] = c;
        if (c == ',' || i == len - 1) {
            field[n] = 0;
            pValues[count++] = static_cast<float>(ReadNumber(field));
            n = 0;
            if (count >= iMaxCount)
                break;
        }
    }
    return count;
}

float GetCoordinate(char* sz)
{
    if (!sz)
        return 0.0f;
    Trim(sz);
    double parts[kCoordParts] = {0.0, 0.0, 0.0};
    char part[kCoordPartMax + 1];
    int n = 0;
    int p = 0;
    for (const char* s = sz; *s && p < kCoordParts; ++s) {
        if (*s == ':') {
            part[n] = 0;
            parts[p++] = ReadNumber(part);
            n = 0;
        } else if (n < kCoordPartMax) {
            part[n++] = *s;
        }
    }
    if (p < kCoordParts) {
        part[n] = 0;
        parts[p] = ReadNumber(part);
    }
    return static_cast<float>(parts[0] + parts[1] / 60.0 + parts[2] / 3600.0);
}

int GetCoordinates(char* sz, _GEO_COORDS* pCoords, int iMaxCount)
{
    if (!sz || !pCoords || iMaxCount <= 0)
        return 0;
    Trim(sz);
    char buf[kFieldMax + 1];
    int n = 0;
    int index = 0;
    bool bLat = false;
    bool bLon = false;
    int complete = 0;  // positions from the first on with both halves
    for (const char* s = sz; *s; ++s) {
        const char c = *s;
        if (c == ',') {
            if (bLat && bLon && complete == index)
                ++complete;
            ++index;
            n = 0;
            bLat = bLon = false;
            if (index >= iMaxCount)
                break;
            continue;
        }
        if ((c == 'N' || c == 'S') && !bLat) {
            buf[n] = 0;
            const double v = GetCoordinate(buf);
            pCoords[index].lat = c == 'S' ? -v : v;
            bLat = true;
            n = 0;
            continue;
        }
        if ((c == 'E' || c == 'W') && bLat && !bLon) {
            buf[n] = 0;
            const double v = GetCoordinate(buf);
            pCoords[index].lon = c == 'W' ? -v : v;
            bLon = true;
            n = 0;
            continue;
        }
        // A position takes one longitude: text after it (a comment such as
        // "* DME OTA") must not move the point.
        if (bLon)
            continue;
        if (n < kFieldMax)
            buf[n++] = c;
    }
    if (index < iMaxCount && bLat && bLon && complete == index)
        ++complete;
    return complete;
}

float GetAltitude(char* sz)
{
    if (!sz)
        return 0.0f;
    Trim(sz);
    for (char* p = sz; *p; ++p)
        *p = AsciiUpper(*p);
    const char* start = sz;
    while (IsBlank(*start))
        ++start;
    size_t len = strlen(start);
    while (len > 0 && IsBlank(start[len - 1]))
        --len;
    const QByteArray copy(start, static_cast<int>(len));
    const bool bMetres = copy.endsWith('M');
    if (copy == "SFC")
        return 0.0f;
    if (copy.contains("UNL"))
        return kUnlimitedMetres;
    if (copy.startsWith("FL"))
        return static_cast<float>(ReadNumber(copy.constData() + 2) * kFlightLevelToMetres);
    return static_cast<float>(ReadNumber(sz) * (bMetres ? 1.0 : kFeetToMetres));
}

QString DecodeName(const char* sz, int iLen)
{
    if (!sz || iLen <= 0)
        return QString();
    if (IsValidUtf8(reinterpret_cast<const unsigned char*>(sz), iLen))
        return QString::fromUtf8(sz, iLen);
    return QString::fromLatin1(sz, iLen);
}

// ---------------------------------------------------------------------------

AirShapeItem::AirShapeItem(QTreeWidgetItem* parent, const QString& text, int kind, double lat, double lon)
    : QTreeWidgetItem(parent, ShapeTypeBase + kind), strText(text), dLat(lat), dLon(lon), iKind(static_cast<qint8>(kind))
{
}

QVariant AirShapeItem::data(int column, int role) const
{
    if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (bOwnText)
                return strText;
            break;
        case AirKindRole:
            return int(iKind);
        case Qt::CheckStateRole:
            return iCheck < 0 ? QVariant() : QVariant(int(iCheck));
        case AirLatRole:
            return dLat;
        case AirLonRole:
            return dLon;
        case AirRadiusRole:
            if (iKind == AirNodeCircle || iKind == AirNodeArc)
                return fRadius;
            break;
        case AirAngle1Role:
            if (iKind == AirNodeArc)
                return dAngle1;
            break;
        case AirAngle2Role:
            if (iKind == AirNodeArc)
                return dAngle2;
            break;
        default:
            break;
        }
    }
    return QTreeWidgetItem::data(column, role);
}

void AirShapeItem::setData(int column, int role, const QVariant& value)
{
    if (column == 0) {
        bool bMine = true;
        switch (role) {
        case AirKindRole:
            return;
        case Qt::CheckStateRole: {
            const qint8 check = value.isValid() ? static_cast<qint8>(value.toInt()) : qint8(-1);
            if (check == iCheck)
                return;
            iCheck = check;
            // Check propagation sets thousands of shapes with the model's
            // signals blocked; finding each item's row would be wasted.
            QTreeWidget* tree = treeWidget();
            if (tree && !tree->model()->signalsBlocked())
                emitDataChanged();
            return;
        }
        case AirLatRole:
            dLat = value.toDouble();
            break;
        case AirLonRole:
            dLon = value.toDouble();
            break;
        case AirRadiusRole:
            fRadius = value.toFloat();
            break;
        case AirAngle1Role:
            dAngle1 = value.toDouble();
            break;
        case AirAngle2Role:
            dAngle2 = value.toDouble();
            break;
        case Qt::DisplayRole:
        case Qt::EditRole:
            bOwnText = false;
            bMine = false;
            break;
        default:
            bMine = false;
            break;
        }
        if (bMine) {
            emitDataChanged();
            return;
        }
    }
    QTreeWidgetItem::setData(column, role, value);
}

AirSpace::AirSpace()
{
    classNames << tr("R restricted") << tr("Q danger") << tr("P prohibited") << tr("A Class A")
               << tr("B Class B") << tr("C Class C") << tr("D Class D") << tr("GP glider prohibited")
               << tr("CTR CTR") << tr("W Wave Window");
}

int AirSpace::LoadFromFile(QTreeWidgetItem* pFileItem, const QString& strPath)
{
    strError.clear();
    // QFile hands the path to the system in its own spelling.
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        strError = file.errorString();
        qDebug() << "cannot open airspace file" << strPath << strError;
        return 0;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        strError = file.errorString();
        qDebug() << "cannot read airspace file" << strPath << strError;
        return 0;
    }
    return LoadFromData(pFileItem, data);
}

namespace {

// One airspace while its records are read; its column 2, longitude range
// and tool tip are written when the next AC or the end of the file comes.
struct OpenAirspace {
    QTreeWidgetItem* item = nullptr;
    int bytes = 0;
    double minLon = kNoLon;
    double maxLon = -kNoLon;
    QString name;
    QString token;
    float floor = 0.0f;
    float ceiling = 0.0f;
};

class Reader
{
public:
    Reader(QTreeWidgetItem* parent, const QStringList& classes)
        : pParent(parent), classNames(classes), strPoint(QStringLiteral("point")),
          strPointZ1(QStringLiteral("pointZ1")), strPointX(QStringLiteral("pointX")),
          strPointZ2(QStringLiteral("pointZ2")), strCircle(QStringLiteral("circle")), strArc(QStringLiteral("arc"))
    {
    }

    int Run(OpenAirText& text);

private:
    void Record(int id, char* arg);
    void StartAirspace(char* arg);
    void FinishAirspace();
    AirShapeItem* AddShape(const QString& text, int kind, double latRad, double lonRad);
    void AddPoint(const QString& text, double latRad, double lonRad);
    void ArcToPoints(const _GEO_COORDS* ends);

    QTreeWidgetItem* pParent;
    const QStringList& classNames;
    const QString strPoint, strPointZ1, strPointX, strPointZ2, strCircle, strArc;
    OpenAirspace cur;
    _GEO_COORDS centre = {0.0, 0.0};
    bool bCentre = false;
    bool bClockwise = true;
    int total = 0;
};

int Reader::Run(OpenAirText& text)
{
    char token[R8_TOKEN_MAX + 1];
    char arg[R8_TOKEN_MAX + 1];
    int tokensOnLine = 0;
    for (;;) {
        int r = GetToken(&text, token, R8_TOKEN_MAX, 0);
        if (r == 3 || r == 0)
            break;
        Trim(token);
        if (!token[0] || tokensOnLine > 0) {
            if (r == 2)
                tokensOnLine = 0;
            continue;
        }
        const int id = GetID(token, AIRRECORDS);
        if (id > 0) {
            // A keyword alone on its line gets an empty argument; the next
            // line stays a record of its own.
            if (r == 2)
                arg[0] = 0;
            else
                r = GetToken(&text, arg, R8_TOKEN_MAX, 1);
            Record(id, arg);
        }
        ++tokensOnLine;
        if (r == 2)
            tokensOnLine = 0;
        if (r == 3)
            break;
    }
    FinishAirspace();
    return total;
}

void Reader::Record(int id, char* arg)
{
    switch (id) {
    case AIR_AC:
        StartAirspace(arg);
        return;
    case AIR_V: {
        Trim(arg);
        if (arg[0] == 'X' && arg[1] == '=') {
            _GEO_COORDS c = {0.0, 0.0};
            if (GetCoordinates(arg + 2, &c, 1) == 1) {
                centre = c;
                bCentre = true;
            }
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
    if (!cur.item)
        return;
    switch (id) {
    case AIR_AN:
        Trim(arg);
        cur.name = DecodeName(arg, static_cast<int>(strlen(arg)));
        cur.item->setText(0, cur.name);
        break;
    case AIR_AL:
        cur.floor = GetAltitude(arg);
        cur.item->setData(0, AirFloorRole, cur.floor);
        break;
    case AIR_AH:
        cur.ceiling = GetAltitude(arg);
        cur.item->setData(0, AirCeilingRole, cur.ceiling);
        break;
    case AIR_DP: {
        _GEO_COORDS p = {0.0, 0.0};
        if (GetCoordinates(arg, &p, 1) == 1)
            AddPoint(strPoint, p.lat / R8_DEG_PER_RAD, p.lon / R8_DEG_PER_RAD);
        break;
    }
    case AIR_DC:
        if (bCentre) {
            AirShapeItem* it =
                AddShape(strCircle, AirNodeCircle, centre.lat / R8_DEG_PER_RAD, centre.lon / R8_DEG_PER_RAD);
            it->SetRadius(static_cast<float>(ReadNumber(arg) * R8_KM_PER_NM));
            cur.bytes += R8_CIRCLE_BYTES;
            total += R8_CIRCLE_BYTES;
        }
        break;
    case AIR_DA:
        if (bCentre) {
            float v[3] = {0.0f, 0.0f, 0.0f};
            GetFloats(arg, v, 3);
            AirShapeItem* it =
                AddShape(strArc, AirNodeArc, centre.lat / R8_DEG_PER_RAD, centre.lon / R8_DEG_PER_RAD);
            it->SetRadius(static_cast<float>(v[0] * R8_KM_PER_NM));
            it->SetAngles(v[1] / R8_DEG_PER_RAD, v[2] / R8_DEG_PER_RAD);
            cur.bytes += R8_ARC_BYTES;
            total += R8_ARC_BYTES;
        }
        break;
    case AIR_DB:
        if (bCentre) {
            _GEO_COORDS ends[2] = {{0.0, 0.0}, {0.0, 0.0}};
            if (GetCoordinates(arg, ends, 2) == 2)
                ArcToPoints(ends);
        }
        break;
    default:
        break;
    }
}

void Reader::StartAirspace(char* arg)
{
    FinishAirspace();
    Trim(arg);
    cur = OpenAirspace();
    cur.token = QString::fromLatin1(arg);
    cur.item = new QTreeWidgetItem(pParent);
    cur.item->setFlags(cur.item->flags() | Qt::ItemIsUserCheckable);
    const int cls = GetID(arg, AIRCLASSES);
    if (cls >= 0 && cls < classNames.size())
        cur.item->setText(1, classNames.at(cls));
    cur.item->setData(0, AirKindRole, AirNodeAirspace);
    cur.item->setData(0, AirClassRole, cur.token);
    cur.item->setCheckState(0, Qt::Checked);
    cur.bytes = R8_AIRSPACE_BYTES;
    total += R8_AIRSPACE_BYTES;
    bCentre = false;
    bClockwise = true;
}

void Reader::FinishAirspace()
{
    if (!cur.item)
        return;
    QTreeWidgetItem* it = cur.item;
    it->setText(2, QString::number(cur.bytes));
    it->setData(0, AirShapeBytesRole, cur.bytes - R8_AIRSPACE_BYTES);
    it->setData(0, AirShapeCountRole, it->childCount());
    it->setData(0, AirMinLonRole, static_cast<float>(cur.minLon));
    it->setData(0, AirMaxLonRole, static_cast<float>(cur.maxLon));
    it->setToolTip(0, AirSpace::tr("Name:<b>%1</b><br>Class:<b>%2</b><br>Floor:%3<br>Ceiling:%4<br>")
                          .arg(cur.name.toHtmlEscaped(), cur.token.toHtmlEscaped(),
                               QString::number(cur.floor, 'g', 6), QString::number(cur.ceiling, 'g', 6)));
    cur = OpenAirspace();
}

AirShapeItem* Reader::AddShape(const QString& text, int kind, double latRad, double lonRad)
{
    AirShapeItem* it = new AirShapeItem(cur.item, text, kind, latRad, lonRad);
    if (lonRad < cur.minLon)
        cur.minLon = lonRad;
    if (lonRad > cur.maxLon)
        cur.maxLon = lonRad;
    return it;
}

void Reader::AddPoint(const QString& text, double latRad, double lonRad)
{
    AddShape(text, AirNodePoint, latRad, lonRad);
    cur.bytes += R8_POINT_BYTES;
    total += R8_POINT_BYTES;
}

void Reader::ArcToPoints(const _GEO_COORDS* ends)
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

    const double sweepDeg = bClockwise ? end - start : start - end;
    const float sweep = modcrs(static_cast<float>(sweepDeg / R8_DEG_PER_RAD));
    int grid = static_cast<int>(start);
    grid -= grid % static_cast<int>(kArcStepDeg);
    if (start > grid)
        grid += static_cast<int>(kArcStepDeg);
    const double gridRad = grid / R8_DEG_PER_RAD;
    const double step = kArcStepDeg / R8_DEG_PER_RAD;
    const int n = static_cast<int>(sweep / step);

    AddPoint(strPointZ1, ends[0].lat / R8_DEG_PER_RAD, ends[0].lon / R8_DEG_PER_RAD);
    for (int k = 1; k < n; ++k) {
        const double bearing = bClockwise ? gridRad + k * step : gridRad - k * step;
        geo.Calculate(bearing, radius);
        const _Radian_Type p = geo.GetDestinationRadsCoordinate();
        AddPoint(strPointX, p.lat, p.lon);
    }
    AddPoint(strPointZ2, ends[1].lat / R8_DEG_PER_RAD, ends[1].lon / R8_DEG_PER_RAD);
}

} // namespace

int AirSpace::LoadFromData(QTreeWidgetItem* pFileItem, const QByteArray& data)
{
    strError.clear();
    if (!pFileItem)
        return 0;
    OpenAirText text = {data.constData(), data.constData() + data.size()};
    if (data.startsWith("\xEF\xBB\xBF"))
        text.pos += 3;
    Reader reader(pFileItem, classNames);
    return reader.Run(text);
}
