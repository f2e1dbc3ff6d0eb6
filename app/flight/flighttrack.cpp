// Flight values and events from the fixes of a log, as an instrument works
// them out: vario and speed over a second, averages over half a minute,
// take-off and landing from ground speed with hysteresis, thermals from a
// sustained turn, wind from the drift over a full circle.
#include "flighttrack.h"
#include "flightairspace.h"
#include "flightgeo.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinTrackKm = 0.002;    // below 2 m the bearing is noise: the last track is kept
constexpr double kMinSinkForGlide = 0.1; // m/s; slower sink gives no glide ratio
constexpr double kFeetPerMetre = 3.28084;

double Glide(double dKm, double dLoss)
{
    if (!(dLoss > 0.0))
        return kNaN;
    return std::min(FlightTrack::kMaxGlideRatio, dKm * 1000.0 / dLoss);
}

} // namespace

QString FlightEvent::KindText(Kind kind)
{
    switch (kind) {
    case Takeoff:
        return QCoreApplication::translate("FlightEvent", "Take-off");
    case ThermalEntry:
        return QCoreApplication::translate("FlightEvent", "Entering thermal");
    case ThermalExit:
        return QCoreApplication::translate("FlightEvent", "Leaving thermal");
    case Landing:
        return QCoreApplication::translate("FlightEvent", "Landing");
    case AirspaceEntry:
        return QCoreApplication::translate("FlightEvent", "Airspace entry");
    }
    return QString();
}

FlightTrack::FlightTrack(const IgcLog& log, const FlightAirspaces* pAirspaces)
    : m_Log(log)
{
    if (m_Log.fixes.isEmpty())
        m_Log.fixes.append(IgcFix()); // a track always has a fix to show
    m_Values.fill(float(kNaN), m_Log.fixes.size() * int(FlightQuantity::Count));
    ComputeBasics();
    DetectLegsAndThermals();
    if (pAirspaces && !pAirspaces->IsEmpty())
        DetectAirspaces(*pAirspaces);
    std::stable_sort(m_Events.begin(), m_Events.end(),
                     [](const FlightEvent& a, const FlightEvent& b) { return a.iTime < b.iTime; });
    ComputeFlightValues();
    ComputeWind();
}

int FlightTrack::FixAt(qint64 iTime) const
{
    const auto& fixes = m_Log.fixes;
    auto it =
        std::upper_bound(fixes.begin(), fixes.end(), iTime, [](qint64 t, const IgcFix& f) { return t < f.iTime; });
    return std::max(0, int(it - fixes.begin()) - 1);
}

qint64 FlightTrack::FromTimeOfDay(qint64 iTimeOfDay) const
{
    const qint64 start = StartTime();
    qint64 t = start - start % 86400 + iTimeOfDay;
    if (t < start && t + 86400 <= EndTime())
        t += 86400;
    return t;
}

QDate FlightTrack::DateAt(int iFix) const
{
    if (!m_Log.date.isValid())
        return QDate();
    return m_Log.date.addDays(Fix(iFix).iTime / 86400);
}

QDate FlightTrack::LocalDateAt(int iFix) const
{
    if (!m_Log.date.isValid())
        return QDate();
    const qint64 t = LocalTime(iFix);
    return m_Log.date.addDays(t >= 0 ? t / 86400 : -1);
}

bool FlightTrack::IsAirborne(int iFix) const
{
    for (const FlightLeg& leg : m_Legs)
        if (iFix >= leg.iTakeoffFix && (leg.iLandingFix < 0 || iFix <= leg.iLandingFix))
            return true;
    return false;
}

bool FlightTrack::IsInThermal(int iFix) const
{
    for (const Span& th : m_Thermals)
        if (iFix >= th.iFirst && iFix <= th.iLast)
            return true;
    return false;
}

void FlightTrack::ComputeBasics()
{
    const int n = m_Log.fixes.size();
    m_PathKm.resize(n);
    m_TurnDeg.resize(n);
    m_SteadyVario.fill(0.0f, n);
    // Each window ends at fix i and starts at the latest fix at least the
    // window's length before it; the starts only move forward.
    int j1 = 0, jA = 0, jT = 0;
    double dTrack = kNaN;
    double dVario = 0.0, dSpeed = 0.0, dAvgVario = 0.0, dAvgSpeed = 0.0, dTurnRate = 0.0, dSteadyVario = 0.0;
    double dGlide = kNaN;
    auto advance = [this](int& j, int i, double w) {
        while (j + 1 < i && Time(i) - Time(j + 1) >= w)
            ++j;
    };
    for (int i = 0; i < n; ++i) {
        const IgcFix& f = m_Log.fixes.at(i);
        const double alt = m_Log.Altitude(f);
        Set(i, FlightQuantity::Altitude, alt);
        Set(i, FlightQuantity::GpsAltitude, f.iGnssAlt);
        const double dStd = m_Log.bHasPressure ? f.iPressureAlt : f.iGnssAlt;
        Set(i, FlightQuantity::FlightLevel, std::round(dStd * kFeetPerMetre / 100.0));
        if (m_Log.bHasPressure)
            Set(i, FlightQuantity::Pressure, 1013.25 * std::pow(1.0 - 2.25577e-5 * f.iPressureAlt, 5.25588));
        if (m_Log.bHasTas && f.fTas >= 0.0f)
            Set(i, FlightQuantity::Tas, f.fTas);

        double dTurn = 0.0;
        if (i > 0) {
            const IgcFix& p = m_Log.fixes.at(i - 1);
            m_PathKm[i] = m_PathKm[i - 1] + FlightGeo::DistanceKm(p.dLat, p.dLon, f.dLat, f.dLon);
        } else {
            m_PathKm[i] = 0.0;
        }
        advance(j1, i, kVarioWindow);
        advance(jA, i, kAverageWindow);
        advance(jT, i, kTurnWindow);
        // A fix that repeats the time of the one before (some loggers write
        // them) keeps the last values: it has no time of its own to divide by.
        const bool bFresh = i == 0 || Time(i) > Time(i - 1);
        const double dt1 = bFresh ? Time(i) - Time(j1) : 0.0;
        if (dt1 > 0.0) {
            const IgcFix& s = m_Log.fixes.at(j1);
            const double dKm = FlightGeo::DistanceKm(s.dLat, s.dLon, f.dLat, f.dLon);
            dVario = (alt - m_Log.Altitude(s)) / dt1;
            dSpeed = dKm / dt1 * 3600.0;
            if (dKm >= kMinTrackKm) {
                const double dNew = FlightGeo::BearingDeg(s.dLat, s.dLon, f.dLat, f.dLon);
                if (!std::isnan(dTrack))
                    dTurn = FlightGeo::TurnDeg(dTrack, dNew);
                dTrack = dNew;
            }
        }
        m_TurnDeg[i] = (i > 0 ? m_TurnDeg[i - 1] : 0.0) + dTurn;
        const double dtA = bFresh ? Time(i) - Time(jA) : 0.0;
        if (dtA > 0.0) {
            dAvgVario = (alt - m_Log.Altitude(m_Log.fixes.at(jA))) / dtA;
            dAvgSpeed = (m_PathKm[i] - m_PathKm[jA]) / dtA * 3600.0;
            dGlide = dAvgVario <= -kMinSinkForGlide ? Glide(m_PathKm[i] - m_PathKm[jA], -dAvgVario * dtA) : kNaN;
        }
        const double dtT = bFresh ? Time(i) - Time(jT) : 0.0;
        if (dtT > 0.0) {
            dTurnRate = std::abs(m_TurnDeg[i] - m_TurnDeg[jT]) / dtT;
            dSteadyVario = (alt - m_Log.Altitude(m_Log.fixes.at(jT))) / dtT;
        }
        m_SteadyVario[i] = float(dSteadyVario);
        Set(i, FlightQuantity::GlideRatio, dGlide);
        Set(i, FlightQuantity::Vario, dVario);
        Set(i, FlightQuantity::Speed, dSpeed);
        Set(i, FlightQuantity::Track, dTrack);
        Set(i, FlightQuantity::AvgVario, dAvgVario);
        Set(i, FlightQuantity::AvgSpeed, dAvgSpeed);
        Set(i, FlightQuantity::TurnRate, dTurnRate);
    }
}

QVector<FlightTrack::Span> FlightTrack::MergedRuns(const QVector<char>& flags, double dMinRun, double dMaxGap,
                                                   double dMinSpan, int iFrom, int iTo) const
{
    QVector<Span> runs;
    for (int i = iFrom; i <= iTo; ++i) {
        if (!flags.at(i))
            continue;
        int j = i;
        while (j + 1 <= iTo && flags.at(j + 1))
            ++j;
        if (Time(j) - Time(i) >= dMinRun) {
            if (!runs.isEmpty() && Time(i) - Time(runs.last().iLast) <= dMaxGap)
                runs.last().iLast = j;
            else
                runs.append(Span{i, j});
        }
        i = j;
    }
    runs.erase(std::remove_if(runs.begin(), runs.end(),
                              [this, dMinSpan](const Span& s) { return Time(s.iLast) - Time(s.iFirst) < dMinSpan; }),
               runs.end());
    return runs;
}

void FlightTrack::DetectLegsAndThermals()
{
    const int n = m_Log.fixes.size();
    QVector<char> moving(n);
    for (int i = 0; i < n; ++i)
        moving[i] = Get(i, FlightQuantity::Speed) > kFlyingSpeed || std::abs(m_SteadyVario.at(i)) > kFlyingVario;
    const QVector<Span> legs = MergedRuns(moving, kMinMovingRun, kLandingGap, kMinFlight, 0, n - 1);
    for (const Span& leg : legs) {
        // A log that stops while moving ends in the air.
        const bool bLanded = leg.iLast < n - 1;
        m_Legs.append(FlightLeg{leg.iFirst, bLanded ? leg.iLast : -1});
        m_Events.append(FlightEvent{FlightEvent::Takeoff, m_Log.fixes.at(leg.iFirst).iTime, leg.iFirst, QString()});

        QVector<char> circling(n);
        for (int i = leg.iFirst; i <= leg.iLast; ++i)
            circling[i] = Get(i, FlightQuantity::TurnRate) >= kCirclingRate;
        const QVector<Span> thermals = MergedRuns(circling, 0.0, kThermalGap, kMinThermal, leg.iFirst, leg.iLast);
        for (const Span& th : thermals) {
            m_Thermals.append(th);
            m_Events.append(FlightEvent{FlightEvent::ThermalEntry, m_Log.fixes.at(th.iFirst).iTime, th.iFirst, {}});
            m_Events.append(FlightEvent{FlightEvent::ThermalExit, m_Log.fixes.at(th.iLast).iTime, th.iLast, {}});
        }
        if (bLanded)
            m_Events.append(FlightEvent{FlightEvent::Landing, m_Log.fixes.at(leg.iLast).iTime, leg.iLast, {}});
    }
}

void FlightTrack::DetectAirspaces(const FlightAirspaces& airspaces)
{
    const QVector<FlightAirspace>& all = airspaces.All();
    QVector<char> inside(all.size());
    for (int i = 0; i < m_Log.fixes.size(); ++i) {
        const IgcFix& f = m_Log.fixes.at(i);
        const double alt = m_Log.Altitude(f);
        for (int a = 0; a < all.size(); ++a) {
            const bool bIn = all.at(a).Contains(f.dLat, f.dLon, alt);
            if (bIn && !inside.at(a))
                m_Events.append(FlightEvent{FlightEvent::AirspaceEntry, f.iTime, i, all.at(a).strName});
            inside[a] = bIn;
        }
    }
}

void FlightTrack::ComputeFlightValues()
{
    const int n = m_Log.fixes.size();
    int iLeg = -1;     // the last leg that took off at or before i
    int iThermal = -1; // the last thermal that began at or before i
    int iHeld = -1;    // the thermal whose values are shown; -1 before the first of a leg
    double dTop = kNaN;
    double dTrans = kNaN;
    double maxAlt = -1e9, maxClimb = -1e9, maxSink = 1e9, maxSpeed = -1e9;
    for (int i = 0; i < n; ++i) {
        const IgcFix& f = m_Log.fixes.at(i);
        const double alt = Get(i, FlightQuantity::Altitude);
        if (iLeg + 1 < m_Legs.size() && m_Legs.at(iLeg + 1).iTakeoffFix == i) {
            ++iLeg;
            maxAlt = maxClimb = maxSpeed = -1e9;
            maxSink = 1e9;
            iHeld = -1;
            dTrans = kNaN;
        }
        const FlightLeg* leg = iLeg >= 0 ? &m_Legs.at(iLeg) : nullptr;
        const bool bLanded = leg && leg->iLandingFix >= 0 && i > leg->iLandingFix;

        // Maxima from power up, then from each take-off; held after landing.
        if (!bLanded) {
            maxAlt = std::max(maxAlt, alt);
            maxClimb = std::max(maxClimb, Get(i, FlightQuantity::Vario));
            maxSink = std::min(maxSink, Get(i, FlightQuantity::Vario));
            maxSpeed = std::max(maxSpeed, Get(i, FlightQuantity::Speed));
        }
        Set(i, FlightQuantity::MaxAltitude, maxAlt);
        Set(i, FlightQuantity::MaxClimb, maxClimb);
        Set(i, FlightQuantity::MaxSink, std::min(0.0, maxSink));
        Set(i, FlightQuantity::MaxSpeed, maxSpeed);

        // Before the first take-off the pilot stands on it.
        const int iRef = leg ? leg->iTakeoffFix : i;
        const IgcFix& r = m_Log.fixes.at(iRef);
        const double dKm = FlightGeo::DistanceKm(r.dLat, r.dLon, f.dLat, f.dLon);
        const double dAbove = alt - Get(iRef, FlightQuantity::Altitude);
        Set(i, FlightQuantity::DistTakeoff, dKm);
        Set(i, FlightQuantity::AboveTakeoff, dAbove);
        Set(i, FlightQuantity::GlideTakeoff, Glide(dKm, dAbove));
        const int iEnd = bLanded ? leg->iLandingFix : i;
        Set(i, FlightQuantity::FlightTime, leg ? Time(iEnd) - Time(leg->iTakeoffFix) : 0.0);

        if (iThermal + 1 < m_Thermals.size() && m_Thermals.at(iThermal + 1).iFirst == i) {
            ++iThermal;
            const Span& th = m_Thermals.at(iThermal);
            if (iHeld >= 0) {
                const Span& prev = m_Thermals.at(iHeld);
                const IgcFix& a = m_Log.fixes.at(prev.iLast);
                dTrans = Glide(FlightGeo::DistanceKm(a.dLat, a.dLon, f.dLat, f.dLon),
                               Get(prev.iLast, FlightQuantity::Altitude) - alt);
            }
            iHeld = iThermal;
            dTop = Get(th.iFirst, FlightQuantity::Altitude);
        }
        Set(i, FlightQuantity::TransGlide, dTrans);
        if (iHeld < 0)
            continue;
        const Span& th = m_Thermals.at(iHeld);
        const bool bIn = i <= th.iLast;
        const int iLast = bIn ? i : th.iLast;
        if (bIn)
            dTop = std::max(dTop, alt);
        const double dTime = Time(iLast) - Time(th.iFirst);
        const double dGain = Get(iLast, FlightQuantity::Altitude) - Get(th.iFirst, FlightQuantity::Altitude);
        Set(i, FlightQuantity::ThermalTime, dTime);
        Set(i, FlightQuantity::ThermalGain, dGain);
        Set(i, FlightQuantity::ThermalClimb, dTime > 0.0 ? dGain / dTime : kNaN);
        Set(i, FlightQuantity::ThermalTop, dTop);
        const IgcFix& x = m_Log.fixes.at(th.iLast);
        Set(i, FlightQuantity::GainLoss, bIn ? dGain : alt - Get(th.iLast, FlightQuantity::Altitude));
        Set(i, FlightQuantity::DistThermal, bIn ? 0.0 : FlightGeo::DistanceKm(x.dLat, x.dLon, f.dLat, f.dLon));
    }
}

void FlightTrack::ComputeWind()
{
    // Over one full circle the air speed adds up to nothing, so what the
    // glider moved over the ground in that time is the wind's drift.
    const int n = m_Log.fixes.size();
    QVector<float> speed(n, float(kNaN)), from(n, float(kNaN));
    for (const Span& th : qAsConst(m_Thermals)) {
        int c = th.iFirst;
        for (int i = th.iFirst + 1; i <= th.iLast; ++i) {
            // Only while turning: a straight stretch would add its own
            // air speed to the drift.
            const double dStep = std::abs(m_TurnDeg[i] - m_TurnDeg[i - 1]);
            if (dStep < kCirclingRate * (Time(i) - Time(i - 1)) / 2)
                continue;
            while (c + 1 < i && std::abs(m_TurnDeg[i] - m_TurnDeg[c + 1]) >= 360.0)
                ++c;
            const double dCovered = std::abs(m_TurnDeg[i] - m_TurnDeg[c]);
            if (dCovered < 360.0)
                continue;
            // The circle began between fix c and the next: where exactly
            // 360 degrees were left to turn.
            const double dSegment = std::abs(m_TurnDeg[c + 1] - m_TurnDeg[c]);
            const double f = dSegment > 0.0 ? (dCovered - 360.0) / dSegment : 0.0;
            const IgcFix& a = m_Log.fixes.at(c);
            const IgcFix& a2 = m_Log.fixes.at(c + 1);
            const IgcFix& b = m_Log.fixes.at(i);
            const double dLat = a.dLat + f * (a2.dLat - a.dLat);
            const double dLon = a.dLon + f * (a2.dLon - a.dLon);
            const double dt = Time(i) - (Time(c) + f * (Time(c + 1) - Time(c)));
            if (dt <= 0.0)
                continue;
            const double north = (b.dLat - dLat) * FlightGeo::kRadPerDeg * FlightGeo::kEarthRadiusKm;
            const double east = (b.dLon - dLon) * FlightGeo::kRadPerDeg * FlightGeo::kEarthRadiusKm
                                * std::cos((dLat + b.dLat) / 2 * FlightGeo::kRadPerDeg);
            speed[i] = float(std::hypot(north, east) / dt * 3600.0);
            from[i] = float(std::fmod(std::atan2(east, north) / FlightGeo::kRadPerDeg + 540.0, 360.0));
        }
    }
    double dSpeed = kNaN, dFrom = kNaN;
    for (int i = 0; i < n; ++i) {
        if (!std::isnan(speed.at(i))) {
            dSpeed = speed.at(i);
            dFrom = from.at(i);
        }
        Set(i, FlightQuantity::WindSpeed, dSpeed);
        Set(i, FlightQuantity::WindDir, dFrom);
    }
}
