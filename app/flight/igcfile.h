#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// One fix (B record) of a recorded flight.
struct IgcFix {
    // Seconds since 00:00 UTC of the log's date; fixes after midnight keep
    // counting past 86400, so times never go back within a log.
    qint64 iTime = 0;
    double dLat = 0.0;    // degrees, north positive
    double dLon = 0.0;    // degrees, east positive
    bool bValid = true;   // 'A' (3D fix) rather than 'V'
    int iPressureAlt = 0; // metres, standard atmosphere
    int iGnssAlt = 0;     // metres above the ellipsoid
    float fTas = -1.0f;   // km/h from a TAS extension, -1 when the log has none
};

// A flight log as read from an IGC file.
struct IgcLog {
    QDate date;                // header date (HFDTE); invalid when the header has none
    QVector<IgcFix> fixes;     // in file order, times never decreasing
    QStringList warnings;      // "line N: ..." for every line that was skipped
    int iUtcOffset = 0;        // seconds local time is ahead of UTC (HFTZN), 0 when not given
    bool bHasPressure = false; // some fix has a non-zero pressure altitude
    bool bHasTas = false;

    // Altitude as the instrument's altimeter shows it: pressure when the
    // logger has a sensor, else GNSS.
    int Altitude(const IgcFix& fix) const { return bHasPressure ? fix.iPressureAlt : fix.iGnssAlt; }
};

namespace IgcFile {

// Reads IGC text. Malformed and truncated lines are skipped with a
// line-numbered warning; data that holds no fix at all, or that does not
// look like IGC text, is refused (false, with a message).
bool Read(const QByteArray& data, IgcLog* log, QString* error);
bool ReadFile(const QString& path, IgcLog* log, QString* error);

// "HH:MM:SS" (hours past 24 wrap) and its reverse; -1 when text is no time.
QString TimeText(qint64 iSeconds);
qint64 ParseTime(const QString& text);

} // namespace IgcFile
