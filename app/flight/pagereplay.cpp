#include "pagereplay.h"

namespace {

// The first enabled page carrying the trigger, -1 when none does.
int PageWith(const QVector<ReplayPage>& pages, quint32 uTrigger)
{
    for (int i = 0; i < pages.size(); ++i)
        if (!pages.at(i).bDisabled && (pages.at(i).uTrigger & uTrigger))
            return i;
    return -1;
}

} // namespace

namespace PageReplay {

quint32 TriggerOf(FlightEvent::Kind kind)
{
    switch (kind) {
    case FlightEvent::ThermalEntry:
        return kTriggerThermal;
    case FlightEvent::ThermalExit:
        return kTriggerTransition;
    case FlightEvent::AirspaceEntry:
        return kTriggerAirspace;
    case FlightEvent::Takeoff:
    case FlightEvent::Landing:
        break;
    }
    return 0;
}

PageChoice At(const QVector<ReplayPage>& pages, const QVector<FlightEvent>& events, qint64 iTime)
{
    PageChoice choice;
    const int iPowerUp = PageWith(pages, kTriggerPowerUp);
    if (iPowerUp >= 0) {
        choice.iPage = iPowerUp;
        choice.uTrigger = kTriggerPowerUp;
    } else {
        for (int i = 0; i < pages.size(); ++i)
            if (!pages.at(i).bDisabled) {
                choice.iPage = i;
                break;
            }
    }
    for (int e = 0; e < events.size() && events.at(e).iTime <= iTime; ++e) {
        const quint32 uTrigger = TriggerOf(events.at(e).kind);
        const int iPage = uTrigger ? PageWith(pages, uTrigger) : -1;
        if (iPage >= 0)
            choice = PageChoice{iPage, uTrigger, e};
    }
    return choice;
}

} // namespace PageReplay
