#include "airspace.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
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
constexpr double kArcRadiusMismatch = 0.05;  // share of the radius two DB ends may differ by

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

const char* ScanNumber(const char* sz, double* pValue)
{
    *pValue = 0.0;
    if (!sz)
        return nullptr;
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
        return nullptr;
    double value = 0.0;
    const std::from_chars_result r = std::from_chars(p, p + strlen(p), value);
    if (r.ec != std::errc())
        return nullptr;
    *pValue = bNegative ? -value : value;
    return r.ptr;
}

double ReadNumber(const char* sz)
{
    double value = 0.0;
    ScanNumber(sz, &value);
    return value;
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

int GetCoordinates(char* sz, _GEO_COORDS* pCoords, int iMaxCount, bool* pLowerCase)
{
    if (pLowerCase)
        *pLowerCase = false;
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
        char c = *s;
        if (!bLon && (c == 'n' || c == 's' || c == 'e' || c == 'w')) {
            c = AsciiUpper(c);
            if (pLowerCase)
                *pLowerCase = true;
        }
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
    float metres = 0.0f;
    ReadAltitude(sz, &metres);
    return metres;
}

bool ReadAltitude(char* sz, float* pMetres)
{
    *pMetres = 0.0f;
    if (!sz)
        return false;
    Trim(sz);
    for (char* p = sz; *p; ++p)
        *p = AsciiUpper(*p);
    const char* p = sz;
    while (IsBlank(*p))
        ++p;
    if (strncmp(p, "SFC", 3) == 0 || strncmp(p, "GND", 3) == 0)
        return true;
    if (strstr(p, "UNL")) {
        *pMetres = kUnlimitedMetres;
        return true;
    }
    double factor = kFeetToMetres;
    if (strncmp(p, "FL", 2) == 0) {
        p += 2;
        while (IsBlank(*p))
            ++p;
        factor = kFlightLevelToMetres;
    }
    double value = 0.0;
    const char* after = ScanNumber(p, &value);
    if (!after)
        return false;
    if (factor != kFlightLevelToMetres) {
        // The unit is the word right after the number: "M" metres, "F" or
        // "FT" feet; anything else ("MSL", "AGL", "ALT") leaves feet.
        while (IsBlank(*after))
            ++after;
        const char* word = after;
        while (*after >= 'A' && *after <= 'Z')
            ++after;
        if (after - word == 1 && *word == 'M')
            factor = 1.0;
    }
    const float metres = static_cast<float>(value * factor);
    if (!std::isfinite(metres))
        return false;
    *pMetres = metres;
    return true;
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

QByteArray OpenAirBytes(const QByteArray& raw, QString* pError)
{
    const bool bLittle = raw.startsWith("\xFF\xFE");
    if (bLittle || raw.startsWith("\xFE\xFF")) {
        const int units = (raw.size() - 2) / 2;
        QString text(units, Qt::Uninitialized);
        const auto* b = reinterpret_cast<const unsigned char*>(raw.constData()) + 2;
        for (int i = 0; i < units; ++i, b += 2)
            text[i] = QChar(static_cast<ushort>(bLittle ? b[0] | b[1] << 8 : b[0] << 8 | b[1]));
        QByteArray utf8 = text.toUtf8();
        if (!memchr(utf8.constData(), 0, size_t(utf8.size())))
            return utf8;
    } else if (!memchr(raw.constData(), 0, size_t(raw.size()))) {
        return raw;
    }
    if (pError)
        *pError = AirSpace::tr("this is not a text file");
    return QByteArray();
}

QByteArray AirSpace::ReadOpenAirFile(const QString& strPath, QString* pError)
{
    auto fail = [pError](const QString& why) {
        if (pError)
            *pError = why;
        return QByteArray();
    };
    // QFile hands the path to the system in its own spelling.
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QFileInfo info(strPath);
    if (!info.isFile())
        return fail(tr("this is not a regular file"));
    if (info.size() > R8_OPENAIR_MAX_BYTES)
        return fail(tr("the file has %1 MB; airspace files over %2 MB are not read")
                        .arg(info.size() / (1024 * 1024))
                        .arg(R8_OPENAIR_MAX_BYTES / (1024 * 1024)));
    const QByteArray raw = file.read(R8_OPENAIR_MAX_BYTES + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (raw.size() > R8_OPENAIR_MAX_BYTES)
        return fail(tr("airspace files over %1 MB are not read").arg(R8_OPENAIR_MAX_BYTES / (1024 * 1024)));
    QString why;
    const QByteArray text = OpenAirBytes(raw, &why);
    if (!why.isEmpty())
        return fail(why);
    return text;
}

int AirSpace::LoadFromFile(QTreeWidgetItem* pFileItem, const QString& strPath)
{
    strError.clear();
    warnings.clear();
    const QByteArray data = ReadOpenAirFile(strPath, &strError);
    if (!strError.isEmpty()) {
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
    int line = 0;  // of its AC record
    double minLon = kNoLon;
    double maxLon = -kNoLon;
    QString name;
    QString token;
    float floor = 0.0f;
    float ceiling = 0.0f;
};

inline bool ValidPosition(const _GEO_COORDS& c)
{
    return std::isfinite(c.lat) && std::isfinite(c.lon) && std::fabs(c.lat) <= 90.0 && std::fabs(c.lon) <= 180.0;
}

class Reader
{
public:
    Reader(QTreeWidgetItem* parent, const QStringList& classes, QVector<AirWarning>& list)
        : pParent(parent), classNames(classes), warnings(list), strPoint(QStringLiteral("point")),
          strPointZ1(QStringLiteral("pointZ1")), strPointX(QStringLiteral("pointX")),
          strPointZ2(QStringLiteral("pointZ2")), strCircle(QStringLiteral("circle")), strArc(QStringLiteral("arc"))
    {
    }

    int Run(OpenAirText& text);

private:
    void Record(int id, char* arg);
    void StartAirspace(QString token);  // a copy: callers pass cur.token
    void FinishAirspace();
    AirShapeItem* AddShape(const QString& text, int kind, double latRad, double lonRad);
    void AddPoint(const QString& text, double latRad, double lonRad);
    void ArcToPoints(const _GEO_COORDS* ends);
    void Warn(const QString& message) { warnings.append({iLine, message}); }
    // The positions of a record, or false after a warning.
    bool Positions(const char* record, char* arg, _GEO_COORDS* pCoords, int iCount);
    bool HasCentre(const char* record);
    void Altitude(char* arg, float* pMetres);

    QTreeWidgetItem* pParent;
    const QStringList& classNames;
    QVector<AirWarning>& warnings;
    const QString strPoint, strPointZ1, strPointX, strPointZ2, strCircle, strArc;
    OpenAirspace cur;
    _GEO_COORDS centre = {0.0, 0.0};
    bool bCentre = false;
    bool bClockwise = true;
    int total = 0;
    int iLine = 1;
};

int Reader::Run(OpenAirText& text)
{
    char token[R8_TOKEN_MAX + 1];
    char arg[R8_TOKEN_MAX + 1];
    int tokensOnLine = 0;
    int line = 1;  // of the next byte
    for (;;) {
        iLine = line;
        int r = GetToken(&text, token, R8_TOKEN_MAX, 0);
        if (r == 3 || r == 0)
            break;
        if (r == 2)
            ++line;
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
            if (r == 2) {
                arg[0] = 0;
            } else {
                r = GetToken(&text, arg, R8_TOKEN_MAX, 1);
                if (r == 2)
                    ++line;
            }
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

bool Reader::Positions(const char* record, char* arg, _GEO_COORDS* pCoords, int iCount)
{
    const QString text = QString::fromLatin1(arg).trimmed();
    bool bLower = false;
    if (GetCoordinates(arg, pCoords, iCount, &bLower) != iCount) {
        Warn(AirSpace::tr("%1: cannot read the position \"%2\"; record skipped").arg(QLatin1String(record), text));
        return false;
    }
    for (int i = 0; i < iCount; ++i)
        if (!ValidPosition(pCoords[i])) {
            Warn(AirSpace::tr("%1: the position \"%2\" is off the globe; record skipped")
                     .arg(QLatin1String(record), text));
            return false;
        }
    if (bLower)
        Warn(AirSpace::tr("%1: lower-case hemisphere letter in \"%2\", read as upper case")
                 .arg(QLatin1String(record), text));
    return true;
}

bool Reader::HasCentre(const char* record)
{
    if (!bCentre)
        Warn(AirSpace::tr("%1 needs a centre (V X=) and none is set; record skipped").arg(QLatin1String(record)));
    return bCentre;
}

void Reader::Altitude(char* arg, float* pMetres)
{
    const QString text = QString::fromLatin1(arg).trimmed();
    if (!ReadAltitude(arg, pMetres))
        Warn(AirSpace::tr("cannot read the altitude \"%1\"; 0 m used").arg(text));
}

void Reader::Record(int id, char* arg)
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
    if (!cur.item) {
        Warn(AirSpace::tr("%1 before any AC; record skipped").arg(QLatin1String(AIRRECORDS[id - 1].key)));
        return;
    }
    switch (id) {
    case AIR_AN:
        Trim(arg);
        if (cur.item->childCount() > 0) {
            // A block without its own AC: keep both airspaces apart.
            const QString previous = cur.name;
            const float floor = cur.floor;
            const float ceiling = cur.ceiling;
            const _GEO_COORDS keptCentre = centre;
            const bool bKeptCentre = bCentre;
            const bool bKeptClockwise = bClockwise;
            StartAirspace(cur.token);
            centre = keptCentre;
            bCentre = bKeptCentre;
            bClockwise = bKeptClockwise;
            cur.floor = floor;
            cur.ceiling = ceiling;
            cur.item->setData(0, AirFloorRole, floor);
            cur.item->setData(0, AirCeilingRole, ceiling);
            Warn(AirSpace::tr("a second AN after the shapes of \"%1\" starts a new airspace of class %2")
                     .arg(previous, cur.token));
        }
        cur.name = DecodeName(arg, static_cast<int>(strlen(arg)));
        cur.item->setText(0, cur.name);
        break;
    case AIR_AL:
        Altitude(arg, &cur.floor);
        cur.item->setData(0, AirFloorRole, cur.floor);
        break;
    case AIR_AH:
        Altitude(arg, &cur.ceiling);
        cur.item->setData(0, AirCeilingRole, cur.ceiling);
        break;
    case AIR_DP: {
        _GEO_COORDS p = {0.0, 0.0};
        if (Positions("DP", arg, &p, 1))
            AddPoint(strPoint, p.lat / R8_DEG_PER_RAD, p.lon / R8_DEG_PER_RAD);
        break;
    }
    case AIR_DC: {
        if (!HasCentre("DC"))
            break;
        const float radius = static_cast<float>(ReadNumber(arg) * R8_KM_PER_NM);
        if (!std::isfinite(radius) || radius < 0.0f) {
            Warn(AirSpace::tr("DC: the radius \"%1\" is not a length; record skipped")
                     .arg(QString::fromLatin1(arg).trimmed()));
            break;
        }
        AirShapeItem* it = AddShape(strCircle, AirNodeCircle, centre.lat / R8_DEG_PER_RAD, centre.lon / R8_DEG_PER_RAD);
        it->SetRadius(radius);
        cur.bytes += R8_CIRCLE_BYTES;
        total += R8_CIRCLE_BYTES;
        break;
    }
    case AIR_DA: {
        if (!HasCentre("DA"))
            break;
        const QString text = QString::fromLatin1(arg).trimmed();
        float v[3] = {0.0f, 0.0f, 0.0f};
        GetFloats(arg, v, 3);
        const float radius = static_cast<float>(v[0] * R8_KM_PER_NM);
        const float a1 = static_cast<float>(v[1] / R8_DEG_PER_RAD);
        const float a2 = static_cast<float>(v[2] / R8_DEG_PER_RAD);
        if (!std::isfinite(radius) || radius < 0.0f || !std::isfinite(a1) || !std::isfinite(a2)) {
            Warn(AirSpace::tr("DA: \"%1\" is not a radius and two angles; record skipped").arg(text));
            break;
        }
        AirShapeItem* it = AddShape(strArc, AirNodeArc, centre.lat / R8_DEG_PER_RAD, centre.lon / R8_DEG_PER_RAD);
        it->SetRadius(radius);
        it->SetAngles(v[1] / R8_DEG_PER_RAD, v[2] / R8_DEG_PER_RAD);
        it->setData(0, AirClockwiseRole, bClockwise);
        cur.bytes += R8_ARC_BYTES;
        total += R8_ARC_BYTES;
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

void Reader::StartAirspace(QString token)
{
    FinishAirspace();
    cur = OpenAirspace();
    cur.token = std::move(token);
    cur.line = iLine;
    cur.item = new QTreeWidgetItem(pParent);
    cur.item->setFlags(cur.item->flags() | Qt::ItemIsUserCheckable);
    char key[R8_TOKEN_MAX + 1];
    qstrncpy(key, cur.token.toLatin1().constData(), sizeof key);
    const int cls = GetID(key, AIRCLASSES);
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
    if (it->childCount() == 0)
        warnings.append({cur.line, cur.name.isEmpty()
                                       ? AirSpace::tr("AC %1 with no name and no shapes (a style block?); not sent")
                                             .arg(cur.token)
                                       : AirSpace::tr("\"%1\" has no shapes; not sent").arg(cur.name)});
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

} // namespace

// Every multiple of kArcStepDeg strictly inside an arc's sweep, in the order
// flown; bearings in degrees. Consecutive points of the arc are never more
// than kArcStepDeg apart.
QVector<double> ArcGridBearings(double dStartDeg, double dEndDeg, bool bClockwise)
{
    constexpr double kTouch = 1e-6;  // a grid bearing this close to an end adds nothing
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

namespace {

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
    // The points between follow the start's radius: say so when the end
    // lies well off it.
    if (std::fabs(geo.GetDistance() - radius) > kArcRadiusMismatch * radius)
        Warn(AirSpace::tr("DB: the ends lie %1 km and %2 km from the centre; the arc follows the first")
                 .arg(radius, 0, 'f', 1)
                 .arg(geo.GetDistance(), 0, 'f', 1));

    AddPoint(strPointZ1, ends[0].lat / R8_DEG_PER_RAD, ends[0].lon / R8_DEG_PER_RAD);
    for (const double bearing : ArcGridBearings(start, end, bClockwise)) {
        geo.Calculate(bearing / R8_DEG_PER_RAD, radius);
        const _Radian_Type p = geo.GetDestinationRadsCoordinate();
        if (std::isfinite(p.lat) && std::isfinite(p.lon))
            AddPoint(strPointX, p.lat, p.lon);
    }
    AddPoint(strPointZ2, ends[1].lat / R8_DEG_PER_RAD, ends[1].lon / R8_DEG_PER_RAD);
}

} // namespace

int AirSpace::LoadFromData(QTreeWidgetItem* pFileItem, const QByteArray& bytes)
{
    strError.clear();
    warnings.clear();
    if (!pFileItem)
        return 0;
    if (bytes.size() > R8_OPENAIR_MAX_BYTES) {
        strError = tr("airspace files over %1 MB are not read").arg(R8_OPENAIR_MAX_BYTES / (1024 * 1024));
        return 0;
    }
    const QByteArray data = OpenAirBytes(bytes, &strError);
    if (!strError.isEmpty())
        return 0;
    OpenAirText text = {data.constData(), data.constData() + data.size()};
    if (data.startsWith("\xEF\xBB\xBF"))
        text.pos += 3;
    Reader reader(pFileItem, classNames, warnings);
    return reader.Run(text);
}
