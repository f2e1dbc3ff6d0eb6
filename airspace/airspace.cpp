#include "airspace.h"
#include "airspacestore.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <array>
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
constexpr int kFieldMax = 254;    // characters of one number or position field
constexpr int kCoordPartMax = 15; // characters of one part of an angle
constexpr int kCoordParts = 3;    // degrees, minutes, seconds
constexpr double kFeetToMetres = 0.3048;
constexpr double kFlightLevelToMetres = 30.48;
constexpr float kUnlimitedMetres = 65535.0f;

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

// Works on its own copy of the position (stored back by the caller): the
// compiler then keeps it in a register instead of reloading it after every
// byte written to the token.
struct MemorySource {
    const char* pos;
    const char* end;
    int get() { return pos < end ? static_cast<unsigned char>(*pos++) : EOF; }
    int peek() { return pos < end ? static_cast<unsigned char>(*pos) : EOF; }
};

template <class Source>
int ReadToken(Source& src, char* szToken, int iMaxLen, int iRestOfLine)
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
    FileSource src{pFile};
    return ReadToken(src, szToken, iMaxLen, iRestOfLine);
}

int GetToken(OpenAirText* pText, char* szToken, int iMaxLen, int iRestOfLine)
{
    if (!pText || !szToken || !pText->pos)
        return 0;
    MemorySource src{pText->pos, pText->end};
    const int r = ReadToken(src, szToken, iMaxLen, iRestOfLine);
    pText->pos = src.pos;
    return r;
}

void Trim(char* sz)
{
    if (!sz)
        return;
    const char* start = sz;
    while (*start == ' ')
        ++start;
    // One pass to the end: the texts are a few bytes, too short for a
    // strlen call to pay.
    const char* last = start; // one past the last non-space
    for (const char* p = start; *p; ++p)
        if (*p != ' ')
            last = p + 1;
    const size_t len = size_t(last - start);
    if (start != sz)
        memmove(sz, start, len);
    sz[len] = 0;
}

int GetID(char* sz, const _DATA_TABS* pTable)
{
    if (!sz || !pTable)
        return -1;
    Trim(sz);
    // Keys are a few letters: compared in line, without a strcmp call.
    for (int i = 0; i < kTableSearchLimit && pTable[i].key[0]; ++i) {
        const char* a = sz;
        const char* b = pTable[i].key;
        while (*a && *a == *b) {
            ++a;
            ++b;
        }
        if (*a == *b)
            return pTable[i].id;
    }
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
    // Whole numbers, most of what a file holds, need no floating-point
    // parsing: below 10^15 they convert exactly.
    long long whole = 0;
    const char* end = p;
    while (*end >= '0' && *end <= '9' && end - p < 15)
        whole = whole * 10 + (*end++ - '0');
    if (end > p && !((*end >= '0' && *end <= '9') || *end == '.' || *end == 'e' || *end == 'E')) {
        *pValue = bNegative ? -double(whole) : double(whole);
        return end;
    }
    // The number's own characters bound the conversion: no strlen of the rest.
    end = p;
    while ((*end >= '0' && *end <= '9') || *end == '.' || *end == 'e' || *end == 'E'
           || ((*end == '+' || *end == '-') && (end[-1] == 'e' || end[-1] == 'E')))
        ++end;
    double value = 0.0;
    const std::from_chars_result r = std::from_chars(p, end, value);
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
    // Read in place: leading spaces are skipped as Trim would, trailing ones
    // end no number. A part longer than kCoordPartMax is cut to it first.
    const char* s = sz;
    while (*s == ' ')
        ++s;
    double parts[kCoordParts] = {0.0, 0.0, 0.0};
    for (double& value : parts) {
        const char* end = s;
        while (*end && *end != ':')
            ++end;
        if (end - s <= kCoordPartMax) {
            ScanNumber(s, &value);
        } else {
            char part[kCoordPartMax + 1];
            memcpy(part, s, kCoordPartMax);
            part[kCoordPartMax] = 0;
            value = ReadNumber(part);
        }
        if (!*end)
            break;
        s = end + 1;
    }
    return static_cast<float>(parts[0] + parts[1] / 60.0 + parts[2] / 3600.0);
}

namespace {

// The bytes GetCoordinates acts on: hemisphere letters, the comma between
// two positions and the end of the text.
const std::array<bool, 256> kPositionStops = [] {
    std::array<bool, 256> stops{};
    for (const unsigned char c : {'\0', ',', 'N', 'S', 'E', 'W', 'n', 's', 'e', 'w'})
        stops[c] = true;
    return stops;
}();

} // namespace

int GetCoordinates(char* sz, _GEO_COORDS* pCoords, int iMaxCount, bool* pLowerCase)
{
    if (pLowerCase)
        *pLowerCase = false;
    if (!sz || !pCoords || iMaxCount <= 0)
        return 0;
    Trim(sz);
    // One half of a position: the text since the last delimiter, read in
    // place (its end briefly cut with a NUL); at most kFieldMax characters.
    auto half = [](char* from, char* at) {
        if (at - from > kFieldMax) {
            char buf[kFieldMax + 1];
            memcpy(buf, from, kFieldMax);
            buf[kFieldMax] = 0;
            return double(GetCoordinate(buf));
        }
        const char keep = *at;
        *at = 0;
        const double v = GetCoordinate(from);
        *at = keep;
        return v;
    };
    char* from = sz;
    int index = 0;
    bool bLat = false;
    bool bLon = false;
    int complete = 0; // positions from the first on with both halves
    for (char* s = sz;; ++s) {
        // Digits, colons and spaces, most of the text, change nothing here.
        while (!kPositionStops[static_cast<unsigned char>(*s)])
            ++s;
        if (!*s)
            break;
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
            from = s + 1;
            bLat = bLon = false;
            if (index >= iMaxCount)
                break;
            continue;
        }
        if ((c == 'N' || c == 'S') && !bLat) {
            const double v = half(from, s);
            pCoords[index].lat = c == 'S' ? -v : v;
            bLat = true;
            from = s + 1;
            continue;
        }
        if ((c == 'E' || c == 'W') && bLat && !bLon) {
            const double v = half(from, s);
            pCoords[index].lon = c == 'W' ? -v : v;
            bLon = true;
            from = s + 1;
            continue;
        }
        // A position takes one longitude: text after it (a comment such as
        // "* DME OTA") must not move the point.
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
    : QTreeWidgetItem(parent, ShapeTypeBase + kind)
    , strText(text)
    , dLat(lat)
    , dLon(lon)
    , iKind(static_cast<qint8>(kind))
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
    : classNames(AirClassNames())
{
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
                        .arg(info.size() / (1024LL * 1024))
                        .arg(R8_OPENAIR_MAX_BYTES / (1024LL * 1024)));
    const QByteArray raw = file.read(R8_OPENAIR_MAX_BYTES + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (raw.size() > R8_OPENAIR_MAX_BYTES)
        return fail(tr("airspace files over %1 MB are not read").arg(R8_OPENAIR_MAX_BYTES / (1024LL * 1024)));
    QString why;
    QByteArray text = OpenAirBytes(raw, &why);
    if (!why.isEmpty())
        return fail(why);
    return text;
}

QStringList AirClassNames()
{
    return {AirSpace::tr("R restricted"), AirSpace::tr("Q danger"),
            AirSpace::tr("P prohibited"), AirSpace::tr("A Class A"),
            AirSpace::tr("B Class B"),    AirSpace::tr("C Class C"),
            AirSpace::tr("D Class D"),    AirSpace::tr("GP glider prohibited"),
            AirSpace::tr("CTR CTR"),      AirSpace::tr("W Wave Window")};
}

int AirSpace::LoadFromFile(QTreeWidgetItem* pFileItem, const QString& strPath)
{
    AirspaceStore store;
    store.LoadFile(strPath);
    return ToTree(store, pFileItem);
}

int AirSpace::LoadFromData(QTreeWidgetItem* pFileItem, const QByteArray& bytes)
{
    AirspaceStore store;
    store.LoadData(QString(), bytes);
    return ToTree(store, pFileItem);
}

int AirSpace::ToTree(const AirspaceStore& store, QTreeWidgetItem* pFileItem)
{
    const AirFile& file = store.File(store.FileCount() - 1);
    strError = file.error;
    warnings = file.warnings;
    if (!strError.isEmpty())
        qDebug() << "cannot read airspace file" << file.path << strError;
    if (!pFileItem)
        return 0;
    static const QString labels[] = {QStringLiteral("point"),   QStringLiteral("pointZ1"), QStringLiteral("pointX"),
                                     QStringLiteral("pointZ2"), QStringLiteral("circle"),  QStringLiteral("arc")};
    int total = 0;
    for (int i = file.firstAirspace; i < file.firstAirspace + file.airspaceCount; ++i) {
        const AirRecord& a = store.Airspace(i);
        const QString& token = store.Token(a.token);
        auto* item = new QTreeWidgetItem(pFileItem);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setText(0, a.name);
        item->setText(1, store.ClassName(a.classId));
        item->setText(2, QString::number(a.bytes));
        item->setData(0, AirKindRole, AirNodeAirspace);
        item->setData(0, AirClassRole, token);
        item->setData(0, AirFloorRole, a.floor);
        item->setData(0, AirCeilingRole, a.ceiling);
        item->setCheckState(0, Qt::Checked);
        for (int k = a.firstShape; k < a.firstShape + a.shapeCount; ++k) {
            const AirShape& s = store.Shape(k);
            auto* shape = new AirShapeItem(item, labels[s.label], s.kind, s.lat, s.lon);
            if (s.arc >= 0) {
                const AirArc& arc = store.ArcOf(s);
                shape->SetRadius(arc.radius);
                if (s.kind == AirNodeArc) {
                    shape->SetAngles(arc.angle1, arc.angle2);
                    shape->setData(0, AirClockwiseRole, arc.clockwise);
                }
            }
        }
        item->setData(0, AirShapeBytesRole, a.bytes - R8_AIRSPACE_BYTES);
        item->setData(0, AirShapeCountRole, a.shapeCount);
        item->setData(0, AirMinLonRole, a.minLon);
        item->setData(0, AirMaxLonRole, a.maxLon);
        item->setToolTip(0, tr("Name:<b>%1</b><br>Class:<b>%2</b><br>Floor:%3<br>Ceiling:%4<br>")
                                .arg(a.name.toHtmlEscaped(), token.toHtmlEscaped(), QString::number(a.floor, 'g', 6),
                                     QString::number(a.ceiling, 'g', 6)));
        total += a.bytes;
    }
    return total;
}
