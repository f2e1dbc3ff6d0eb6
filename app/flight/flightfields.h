#pragma once
#include <QString>
#include <QVector>

class FlightTrack;

// A catalogue field's value at one fix of a flight: a number in the unit
// the field's data type is drawn in (seconds for times of day and
// durations, the Julian day for a date), or a text (positions).
struct FlightFieldValue {
    bool bHas = false; // false: the field is mapped but has no value now
    double dNumber = 0.0;
    QString strText;
};

// Which catalogue fields (base ids) a recorded flight gives, and their
// values. Fields not mapped keep their sample digits.
namespace FlightFields {

// Every field id a flight can give, in catalogue id order.
const QVector<int>& AllMapped();
// Those this flight gives (true airspeed and pressure need a logger that
// records them).
bool IsMapped(const FlightTrack& track, int iField);
FlightFieldValue Value(const FlightTrack& track, int iFix, int iField);

// "46°12.584'N", "012°49.706'E".
QString LatitudeText(double dLat);
QString LongitudeText(double dLon);

} // namespace FlightFields
