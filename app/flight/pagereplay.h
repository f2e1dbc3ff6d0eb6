#pragma once
#include "flighttrack.h"

#include <QString>
#include <QVector>

// Page triggers as a page's trigger mask holds them.
enum PageTrigger : quint32 {
    kTriggerAirspace = 1,   // "Airspace warning"
    kTriggerThermal = 2,    // "Entering thermal"
    kTriggerTransition = 4, // "Transition (leaving thermal)"
    kTriggerPowerUp = 32,   // "Power up"
};

// What the replay needs of a page.
struct ReplayPage {
    quint32 uTrigger = 0;
    bool bDisabled = false;
};

// The page the instrument shows at a moment of the flight, and why.
struct PageChoice {
    int iPage = 0;
    quint32 uTrigger = 0; // the trigger that chose it; 0 for the first enabled page at power up
    int iEvent = -1;      // index of the event that switched to it, -1 at power up
};

namespace PageReplay {

// Replays the events up to iTime: "Power up" (else the first enabled page)
// at the start, then each event whose trigger an enabled page carries
// switches to the first such page. Disabled pages are never shown; when
// every page is disabled, page 0 stays.
PageChoice At(const QVector<ReplayPage>& pages, const QVector<FlightEvent>& events, qint64 iTime);

// The trigger that an event fires, 0 for none (take-off and landing).
quint32 TriggerOf(FlightEvent::Kind kind);
} // namespace PageReplay
