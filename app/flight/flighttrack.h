#pragma once
#include "igcfile.h"

#include <QString>
#include <QVector>
#include <cmath>

class FlightAirspaces;

// What an instrument computes from its fixes, one value per fix.
enum class FlightQuantity {
    Altitude,     // m, pressure altitude, else GNSS
    GpsAltitude,  // m
    Vario,        // m/s over about a second
    AvgVario,     // m/s over kAverageWindow
    Speed,        // km/h over the ground, about a second
    AvgSpeed,     // km/h over kAverageWindow
    Track,        // degrees over the ground
    GlideRatio,   // current, over kAverageWindow; none while not sinking
    TurnRate,     // degrees per second, absolute
    MaxAltitude,  // since take-off (since power up before the first)
    MaxClimb,     // m/s
    MaxSink,      // m/s, negative
    MaxSpeed,     // km/h
    FlightTime,   // s since take-off; held after landing
    DistTakeoff,  // km
    AboveTakeoff, // m
    GlideTakeoff, // glide ratio needed back to the take-off
    ThermalTime,  // s in the current (else last) thermal
    ThermalGain,  // m gained in the current (else last) thermal
    ThermalClimb, // m/s average of the current (else last) thermal
    ThermalTop,   // m, highest altitude of the current (else last) thermal
    GainLoss,     // m since leaving the last thermal (in a thermal: its gain)
    DistThermal,  // km back to where the last thermal was left
    TransGlide,   // glide ratio of the last glide between two thermals
    WindSpeed,    // km/h, from the drift over the last full circle
    WindDir,      // degrees the wind blows from
    FlightLevel,  // standard pressure altitude in hundreds of feet
    Pressure,     // hPa, standard atmosphere from the pressure altitude
    Tas,          // km/h from the logger's TAS extension
    Count
};

struct FlightEvent {
    enum Kind { Takeoff, ThermalEntry, ThermalExit, Landing, AirspaceEntry };
    Kind kind = Takeoff;
    qint64 iTime = 0; // log time (IgcFix::iTime)
    int iFix = 0;
    QString strDetail; // the airspace's name for an airspace entry

    static QString KindText(Kind kind);
};

// One take-off to landing; a log that ends in the air has no landing (-1).
struct FlightLeg {
    int iTakeoffFix = 0;
    int iLandingFix = -1;
};

// A recorded flight with every value at every fix, and the events read from
// the track. Everything is computed once, when the track is made; asking for
// a value is a lookup.
class FlightTrack
{
public:
    // Windows and thresholds, named so tests and readers see them.
    static constexpr double kVarioWindow = 1.0;    // s
    static constexpr double kAverageWindow = 25.0; // s
    static constexpr double kTurnWindow = 10.0;    // s
    static constexpr double kFlyingSpeed = 15.0;   // km/h over the ground
    static constexpr double kFlyingVario = 0.5;    // m/s over kTurnWindow; a hovering glider still climbs or sinks
    static constexpr double kMinMovingRun = 5.0;   // s; shorter bursts are GPS noise
    static constexpr double kLandingGap = 120.0;   // s still before a landing is believed
    static constexpr double kMinFlight = 60.0;     // s
    static constexpr double kCirclingRate = 6.0;   // degrees per second
    static constexpr double kThermalGap = 20.0;    // s of straight flight that still belong to a thermal
    static constexpr double kMinThermal = 30.0;    // s of circling
    static constexpr double kMaxGlideRatio = 99.0;

    explicit FlightTrack(const IgcLog& log, const FlightAirspaces* pAirspaces = nullptr);

    const IgcLog& Log() const { return m_Log; }
    int FixCount() const { return m_Log.fixes.size(); }
    const IgcFix& Fix(int i) const { return m_Log.fixes.at(i); }
    qint64 StartTime() const { return m_Log.fixes.first().iTime; }
    qint64 EndTime() const { return m_Log.fixes.last().iTime; }
    // The last fix at or before the time (the first fix before the start).
    int FixAt(qint64 iTime) const;
    // A time of day (0..86399) as a log time: after midnight when the log
    // started the day before.
    qint64 FromTimeOfDay(qint64 iTimeOfDay) const;
    // The date at a fix (the header date, later after midnight), UTC.
    QDate DateAt(int iFix) const;
    // Time and date at a fix as the pilot's instrument shows them: in the
    // log's time zone when its header gives one, else UTC.
    qint64 LocalTime(int iFix) const { return Fix(iFix).iTime + m_Log.iUtcOffset; }
    QDate LocalDateAt(int iFix) const;

    // NaN when the flight gives none at that fix.
    double Value(int iFix, FlightQuantity q) const { return m_Values[iFix * int(FlightQuantity::Count) + int(q)]; }
    bool IsAirborne(int iFix) const;
    bool IsInThermal(int iFix) const;

    const QVector<FlightEvent>& Events() const { return m_Events; }
    const QVector<FlightLeg>& Legs() const { return m_Legs; }

private:
    struct Span {
        int iFirst;
        int iLast;
    };
    void ComputeBasics();
    QVector<Span> MergedRuns(const QVector<char>& flags, double dMinRun, double dMaxGap, double dMinSpan, int iFrom,
                             int iTo) const;
    void DetectLegsAndThermals();
    void DetectAirspaces(const FlightAirspaces& airspaces);
    void ComputeFlightValues();
    void ComputeWind();
    void Set(int i, FlightQuantity q, double v) { m_Values[i * int(FlightQuantity::Count) + int(q)] = float(v); }
    double Get(int i, FlightQuantity q) const { return Value(i, q); }
    double Time(int i) const { return double(m_Log.fixes.at(i).iTime); }

    IgcLog m_Log;
    QVector<float> m_Values;
    QVector<double> m_PathKm;     // distance flown from the first fix
    QVector<double> m_TurnDeg;    // track change summed from the first fix
    QVector<float> m_SteadyVario; // m/s over kTurnWindow: steady enough to tell flying from standing
    QVector<Span> m_Thermals;
    QVector<FlightLeg> m_Legs;
    QVector<FlightEvent> m_Events;
};
