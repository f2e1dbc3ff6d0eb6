#include "pagereplay.h"

#include <QCoreApplication>

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
    case FlightEvent::ThermalEntry: return kTriggerThermal;
    case FlightEvent::ThermalExit: return kTriggerTransition;
    case FlightEvent::AirspaceEntry: return kTriggerAirspace;
    case FlightEvent::Takeoff:
    case FlightEvent::Landing: break;
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

QString TriggerText(quint32 uTrigger)
{
    // The page properties dialog's own texts, so one translation serves both.
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("ScreenLayoutProps", "Airspace warning"),
        QT_TRANSLATE_NOOP("ScreenLayoutProps", "Entering thermal"),
        QT_TRANSLATE_NOOP("ScreenLayoutProps", "Transition (leaving thermal)"),
        QT_TRANSLATE_NOOP("ScreenLayoutProps", "Arriving at turnpoint"),
        QT_TRANSLATE_NOOP("ScreenLayoutProps", "Start opened"),
        QT_TRANSLATE_NOOP("ScreenLayoutProps", "Power up"),
    };
    for (int k = 0; k < 6; ++k)
        if (uTrigger == (1u << k))
            return QCoreApplication::translate("ScreenLayoutProps", texts[k]);
    return QString();
}

QString Reason(const PageChoice& choice, const QVector<FlightEvent>& events)
{
    if (choice.iEvent >= 0 && choice.iEvent < events.size()) {
        const FlightEvent& e = events.at(choice.iEvent);
        QString text = QCoreApplication::translate("PageReplay", "%1 at %2")
                           .arg(TriggerText(choice.uTrigger), IgcFile::TimeText(e.iTime));
        if (!e.strDetail.isEmpty())
            text += QStringLiteral(" (%1)").arg(e.strDetail);
        return text;
    }
    if (choice.uTrigger == kTriggerPowerUp)
        return TriggerText(kTriggerPowerUp);
    return QCoreApplication::translate("PageReplay", "first enabled page");
}

} // namespace PageReplay
