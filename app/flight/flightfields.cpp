#include "flightfields.h"
#include "flighttrack.h"

#include <algorithm>
#include <cmath>

namespace {

// Catalogue base ids of the fields drawn from the flight.
enum FieldId {
    kFieldAltitude = 33,
    kFieldTime = 36,
    kFieldDuration = 37,
    kFieldDate = 46,
    kFieldLatitude = 82,
    kFieldLongitude = 83,
    kFieldTas = 245,
    kFieldPressure = 148,
};

struct FieldQuantity {
    int iField;
    FlightQuantity quantity;
};

const FieldQuantity s_Quantities[] = {
    {kFieldAltitude, FlightQuantity::Altitude},
    {kFieldDuration, FlightQuantity::FlightTime},
    {90, FlightQuantity::GlideRatio},    // Cur.G.R.
    {92, FlightQuantity::ThermalGain},   // Alt.Gain
    {95, FlightQuantity::MaxAltitude},   // Max.Alti
    {96, FlightQuantity::GpsAltitude},   // GPS Alti
    {101, FlightQuantity::DistTakeoff},  // Dist.Toff
    {102, FlightQuantity::DistThermal},  // Dist.Thermal
    {105, FlightQuantity::Vario},        // Vario
    {107, FlightQuantity::Track},        // Heading
    {108, FlightQuantity::AvgSpeed},     // Ave.Speed
    {109, FlightQuantity::WindSpeed},    // Wind Speed
    {110, FlightQuantity::AboveTakeoff}, // Above Toff
    {111, FlightQuantity::GlideTakeoff}, // G.R.Toff
    {123, FlightQuantity::MaxClimb},     // Max.Climb
    {124, FlightQuantity::MaxSink},      // Max.Sink
    {125, FlightQuantity::MaxSpeed},     // Max.Speed
    {147, FlightQuantity::Speed},        // Speed
    {kFieldPressure, FlightQuantity::Pressure},
    {149, FlightQuantity::AvgVario},    // Ave.Vario
    {158, FlightQuantity::FlightLevel}, // Flight Level
    {172, FlightQuantity::TurnRate},    // AveROT
    {177, FlightQuantity::TransGlide},  // Trans.G.R.
    {184, FlightQuantity::WindDir},     // Wind Dir.
    {231, FlightQuantity::GainLoss},    // Alt.Gain/Loss
    {236, FlightQuantity::ThermalTop},  // Thermal top
    {kFieldTas, FlightQuantity::Tas},
    {271, FlightQuantity::ThermalTime},  // Therm.Dur.
    {272, FlightQuantity::ThermalClimb}, // Thrml.Perfo.
};

const FieldQuantity* Find(int iField)
{
    for (const FieldQuantity& q : s_Quantities)
        if (q.iField == iField)
            return &q;
    return nullptr;
}

QString Angle(double dValue, int iDegreeDigits, char positive, char negative)
{
    const double a = std::abs(dValue);
    int deg = int(a);
    int thousandths = int(std::lround((a - deg) * 60000.0));
    if (thousandths == 60000) {
        ++deg;
        thousandths = 0;
    }
    return QStringLiteral("%1\u00b0%2.%3'%4")
        .arg(deg, iDegreeDigits, 10, QLatin1Char('0'))
        .arg(thousandths / 1000, 2, 10, QLatin1Char('0'))
        .arg(thousandths % 1000, 3, 10, QLatin1Char('0'))
        .arg(QLatin1Char(dValue < 0 ? negative : positive));
}

FlightFieldValue Number(double d)
{
    FlightFieldValue v;
    v.bHas = !std::isnan(d);
    v.dNumber = d;
    return v;
}

} // namespace

namespace FlightFields {

const QVector<int>& AllMapped()
{
    static const QVector<int> ids = [] {
        QVector<int> all{kFieldTime, kFieldDate, kFieldLatitude, kFieldLongitude};
        for (const FieldQuantity& q : s_Quantities)
            all.append(q.iField);
        std::sort(all.begin(), all.end());
        return all;
    }();
    return ids;
}

bool IsMapped(const FlightTrack& track, int iField)
{
    if (iField == kFieldTas)
        return track.Log().bHasTas;
    if (iField == kFieldPressure)
        return track.Log().bHasPressure;
    return AllMapped().contains(iField);
}

FlightFieldValue Value(const FlightTrack& track, int iFix, int iField)
{
    if (!IsMapped(track, iField))
        return FlightFieldValue();
    const IgcFix& fix = track.Fix(iFix);
    FlightFieldValue v;
    v.bHas = true;
    switch (iField) {
    case kFieldTime:
        v.dNumber = double((track.LocalTime(iFix) % 86400 + 86400) % 86400);
        return v;
    case kFieldDate: {
        const QDate date = track.LocalDateAt(iFix);
        v.bHas = date.isValid();
        v.dNumber = double(date.toJulianDay());
        return v;
    }
    case kFieldLatitude:
        v.strText = LatitudeText(fix.dLat);
        return v;
    case kFieldLongitude:
        v.strText = LongitudeText(fix.dLon);
        return v;
    default:
        break;
    }
    const FieldQuantity* q = Find(iField);
    return q ? Number(track.Value(iFix, q->quantity)) : FlightFieldValue();
}

QString LatitudeText(double dLat)
{
    return Angle(dLat, 2, 'N', 'S');
}

QString LongitudeText(double dLon)
{
    return Angle(dLon, 3, 'E', 'W');
}

} // namespace FlightFields
