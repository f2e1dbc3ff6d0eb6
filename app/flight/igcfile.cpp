// IGC flight logs: the header date, the fix extensions announced by the I
// record and the B records, read line by line from bytes in memory.
#include "igcfile.h"

#include <QDebug>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

constexpr int kMinFixLength = 35; // "B" + time, position, validity, two altitudes
constexpr qint64 kDay = 86400;
constexpr qint64 kRollOverJump = kDay / 2; // a time this far back is the next day
constexpr int kMaxWarnings = 200;          // a file of garbage must not fill memory with them
constexpr int kMaxExtensionDigits = 9;     // fits an int

QString Tr(const char* text)
{
    return QCoreApplication::translate("IgcFile", text);
}

// Unsigned decimal digits text[from, from + count); -1 when any is not a digit.
int Digits(const char* text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// An altitude field: digits, or '-' then digits. false when malformed.
bool SignedDigits(const char* text, int from, int count, int* value)
{
    if (text[from] == '-') {
        const int v = Digits(text, from + 1, count - 1);
        *value = -v;
        return v >= 0;
    }
    *value = Digits(text, from, count);
    return *value >= 0;
}

// One extension of the I record: 0-based first byte and length in a B record.
struct Extension {
    int iFrom = -1;
    int iLength = 0;
    bool Present(int iLineLength) const { return iFrom >= 0 && iFrom + iLength <= iLineLength; }
};

struct Extensions {
    Extension lad, lod, tas; // extra latitude and longitude minute decimals, true airspeed
    int iRecordLength = 0;   // length of a B record with every extension, 0 without an I record
};

Extensions ReadExtensions(const char* line, int iLength)
{
    Extensions ext;
    const int count = iLength >= 3 ? Digits(line, 1, 2) : -1;
    for (int k = 0; k < count && 3 + 7 * k + 7 <= iLength; ++k) {
        const char* entry = line + 3 + 7 * std::ptrdiff_t(k);
        const int first = Digits(entry, 0, 2);
        const int last = Digits(entry, 2, 2);
        if (first < 1 || last < first)
            continue;
        ext.iRecordLength = std::max(ext.iRecordLength, last);
        // A field longer than nine digits is no number this reader uses.
        if (last - first + 1 > kMaxExtensionDigits)
            continue;
        const Extension e{first - 1, last - first + 1};
        if (std::strncmp(entry + 4, "LAD", 3) == 0)
            ext.lad = e;
        else if (std::strncmp(entry + 4, "LOD", 3) == 0)
            ext.lod = e;
        else if (std::strncmp(entry + 4, "TAS", 3) == 0)
            ext.tas = e;
    }
    return ext;
}

// Degrees from DD(D)MMmmm plus optional further minute decimals.
double Angle(int degrees, int thousandthsOfMinute, int extra, int extraDigits)
{
    double minutes = thousandthsOfMinute / 1000.0;
    if (extra > 0) {
        double scale = 1000.0;
        for (int i = 0; i < extraDigits; ++i)
            scale *= 10.0;
        minutes += extra / scale;
    }
    return degrees + minutes / 60.0;
}

// Fills fix from a B record; false when the record is malformed.
bool ReadFix(const char* line, int iLength, const Extensions& ext, IgcFix* fix)
{
    if (iLength < kMinFixLength)
        return false;
    const int hh = Digits(line, 1, 2);
    const int mm = Digits(line, 3, 2);
    const int ss = Digits(line, 5, 2);
    const int latDeg = Digits(line, 7, 2);
    const int latMin = Digits(line, 9, 5);
    const int lonDeg = Digits(line, 15, 3);
    const int lonMin = Digits(line, 18, 5);
    const char ns = line[14];
    const char ew = line[23];
    const char validity = line[24];
    if (hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59 || latDeg < 0 || latDeg > 90 || latMin < 0
        || latMin >= 60000 || lonDeg < 0 || lonDeg > 180 || lonMin < 0 || lonMin >= 60000)
        return false;
    if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W') || (validity != 'A' && validity != 'V'))
        return false;
    if (!SignedDigits(line, 25, 5, &fix->iPressureAlt) || !SignedDigits(line, 30, 5, &fix->iGnssAlt))
        return false;
    int lad = 0, lod = 0;
    if (ext.lad.Present(iLength))
        lad = std::max(0, Digits(line, ext.lad.iFrom, ext.lad.iLength));
    if (ext.lod.Present(iLength))
        lod = std::max(0, Digits(line, ext.lod.iFrom, ext.lod.iLength));
    fix->iTime = hh * 3600 + mm * 60 + ss;
    fix->dLat = Angle(latDeg, latMin, lad, ext.lad.iLength) * (ns == 'S' ? -1 : 1);
    fix->dLon = Angle(lonDeg, lonMin, lod, ext.lod.iLength) * (ew == 'W' ? -1 : 1);
    if (std::abs(fix->dLat) > 90.0 || std::abs(fix->dLon) > 180.0)
        return false;
    fix->bValid = validity == 'A';
    fix->fTas = -1.0f;
    if (ext.tas.Present(iLength)) {
        // Three digits are km/h; loggers that write more give the extra
        // digits as decimals.
        const int tas = Digits(line, ext.tas.iFrom, ext.tas.iLength);
        if (tas >= 0) {
            float scale = 1.0f;
            for (int i = 3; i < ext.tas.iLength; ++i)
                scale *= 10.0f;
            fix->fTas = float(tas) / scale;
        }
    }
    return true;
}

// The header date in either form: "HFDTEDDMMYY" or "HFDTEDATE:DDMMYY,NN".
QDate ReadDate(const char* line, int iLength)
{
    int from = 5;
    if (iLength >= 10 && std::strncmp(line + 5, "DATE:", 5) == 0)
        from = 10;
    if (iLength < from + 6)
        return QDate();
    const int dd = Digits(line, from, 2);
    const int mo = Digits(line, from + 2, 2);
    const int yy = Digits(line, from + 4, 2);
    if (dd < 0 || mo < 0 || yy < 0)
        return QDate();
    // Two-digit years: the format dates from 1990.
    return QDate(yy < 80 ? 2000 + yy : 1900 + yy, mo, dd);
}

// "HFTZNTIMEZONE:2.0", "HFTZN...:+1.0", "HFTZNTIMEZONE:-3.5": hours, in
// steps of a quarter; false when the text is no such offset.
bool ReadUtcOffset(const char* line, int iLength, int* pSeconds)
{
    const char* colon = static_cast<const char*>(std::memchr(line, ':', size_t(iLength)));
    if (!colon)
        return false;
    bool ok = false;
    const double hours = QByteArray(colon + 1, int(line + iLength - colon - 1)).trimmed().toDouble(&ok);
    if (!ok || std::abs(hours) > 14.0)
        return false;
    *pSeconds = int(std::lround(hours * 4)) * 900;
    return true;
}

bool LooksLikeText(const QByteArray& data)
{
    const int n = int(std::min<qint64>(data.size(), 4096));
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c == 0 || (c < 32 && c != '\r' && c != '\n' && c != '\t'))
            return false;
    }
    return true;
}

} // namespace

namespace IgcFile {

bool Read(const QByteArray& data, IgcLog* log, QString* error)
{
    *log = IgcLog();
    auto warn = [log](int iLine, const QString& text) {
        if (log->warnings.size() < kMaxWarnings)
            log->warnings.append(Tr("line %1: %2").arg(iLine).arg(text));
        qDebug() << "IGC line" << iLine << text;
    };
    if (!LooksLikeText(data)) {
        *error = Tr("This is not an IGC flight log: it is not text.");
        return false;
    }
    Extensions ext;
    qint64 dayOffset = 0;
    int iLine = 0;
    int iRecords = 0;
    const char* pos = data.constData();
    const char* end = pos + data.size();
    while (pos < end) {
        const char* eol = static_cast<const char*>(std::memchr(pos, '\n', size_t(end - pos)));
        const char* lineEnd = eol ? eol : end;
        const char* next = eol ? eol + 1 : end;
        ++iLine;
        int iLength = int(lineEnd - pos);
        while (iLength > 0 && (pos[iLength - 1] == '\r' || pos[iLength - 1] == ' '))
            --iLength;
        const char* line = pos;
        pos = next;
        if (iLength == 0)
            continue;
        const char record = line[0];
        if (record < 'A' || record > 'Z') {
            if (iRecords == 0) {
                *error = Tr("This is not an IGC flight log: line %1 is not an IGC record.").arg(iLine);
                return false;
            }
            warn(iLine, Tr("not an IGC record, skipped"));
            continue;
        }
        ++iRecords;
        if (record == 'H' && iLength >= 5 && std::strncmp(line, "HFDTE", 5) == 0) {
            log->date = ReadDate(line, iLength);
            if (!log->date.isValid())
                warn(iLine, Tr("unreadable date"));
        } else if (record == 'H' && iLength >= 5 && std::strncmp(line + 2, "TZN", 3) == 0) {
            if (!ReadUtcOffset(line, iLength, &log->iUtcOffset))
                warn(iLine, Tr("unreadable time zone"));
        } else if (record == 'I') {
            ext = ReadExtensions(line, iLength);
        } else if (record == 'B') {
            IgcFix fix;
            if (!ReadFix(line, iLength, ext, &fix)) {
                warn(iLine, iLength < kMinFixLength ? Tr("truncated fix, skipped") : Tr("malformed fix, skipped"));
                continue;
            }
            if (ext.iRecordLength > 0 && iLength != ext.iRecordLength)
                warn(iLine, Tr("fix of %1 bytes where the I record announces %2; its position is kept")
                                .arg(iLength)
                                .arg(ext.iRecordLength));
            fix.iTime += dayOffset;
            if (!log->fixes.isEmpty()) {
                const qint64 previous = log->fixes.last().iTime;
                if (fix.iTime < previous - kRollOverJump) {
                    dayOffset += kDay; // past midnight UTC
                    fix.iTime += kDay;
                } else if (fix.iTime < previous) {
                    warn(iLine, Tr("time goes back, fix skipped"));
                    continue;
                }
            }
            log->bHasPressure = log->bHasPressure || fix.iPressureAlt != 0;
            log->bHasTas = log->bHasTas || fix.fTas >= 0.0f;
            log->fixes.append(fix);
        }
    }
    if (log->fixes.isEmpty()) {
        *error = Tr("This is not an IGC flight log: it holds no fixes (B records).");
        return false;
    }
    return true;
}

bool ReadFile(const QString& path, IgcLog* log, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = Tr("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (!Read(file.readAll(), log, error)) {
        *error = Tr("%1: %2").arg(path, *error);
        return false;
    }
    return true;
}

QString TimeText(qint64 iSeconds)
{
    const qint64 s = ((iSeconds % kDay) + kDay) % kDay;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

qint64 ParseTime(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    qint64 total = 0;
    for (int i = 0; i < 3; ++i) {
        bool ok = true;
        const int v = i < parts.size() ? parts.at(i).toInt(&ok) : 0;
        if (!ok || v < 0 || (i == 0 && v > 23) || (i > 0 && v > 59))
            return -1;
        total = total * 60 + v;
    }
    return total;
}

} // namespace IgcFile
