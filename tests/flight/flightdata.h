#pragma once
// Shared by the flight tests: the real flight logs (never copied into the
// project) and small checks on a track's values and events.
#include "flighttrack.h"
#include "igcfile.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>
#include <cmath>

inline QString IgcPath(const QString& name)
{
    return QDir(TestEnv::IgcDir()).filePath(name);
}

inline IgcLog ReadRealLog(const QString& name)
{
    IgcLog log;
    QString error;
    if (!IgcFile::ReadFile(IgcPath(name), &log, &error))
        qWarning("%s", qPrintable(error));
    return log;
}

// Whether actual is within tolerance of expected; says what it got when not.
inline bool Near(double actual, double expected, double tolerance, const char* what = "value")
{
    if (std::abs(actual - expected) <= tolerance)
        return true;
    qWarning("%s: %g, expected %g", what, actual, expected);
    return false;
}

// The times of a track's events of one kind.
inline QVector<qint64> EventTimes(const FlightTrack& track, FlightEvent::Kind kind)
{
    QVector<qint64> times;
    for (const FlightEvent& e : track.Events())
        if (e.kind == kind)
            times.append(e.iTime);
    return times;
}

// A log of 1 s fixes from 12:00 UTC, starting at 46°N 8°E and 1500 m;
// move(t, &north, &east, &alt) moves the glider on by one second (km, m).
inline IgcLog SyntheticLog(int seconds, const std::function<void(int, double*, double*, double*)>& move)
{
    const double kmPerDegLat = 6371.0 * M_PI / 180.0;
    IgcLog log;
    log.bHasPressure = true;
    double north = 0, east = 0, alt = 1500;
    for (int t = 0; t <= seconds; ++t) {
        IgcFix f;
        f.iTime = 12 * 3600 + t;
        f.dLat = 46.0 + north / kmPerDegLat;
        f.dLon = 8.0 + east / (kmPerDegLat * std::cos(46.0 * M_PI / 180.0));
        f.iPressureAlt = int(std::lround(alt));
        f.iGnssAlt = f.iPressureAlt + 50;
        log.fixes.append(f);
        move(t, &north, &east, &alt);
    }
    return log;
}
