#pragma once
#include "fieldtext.h"
#include "pageprops.h"
#include "pagereplay.h"

#include <QList>
#include <QVector>

class FlightTrack;
class QPainter;
class R8element;

// Field id of "Page Num.": the replay knows which page it shows.
constexpr int R8_FIELD_PAGE_NUMBER = 159;

// The values of a replayed flight at one fix, for the value boxes of a page,
// drawn in the shape of each field's data type.
class FlightFieldText : public FieldTextSource
{
public:
    FlightFieldText(const FlightTrack& track, int iFix, int iPage);
    QString FieldText(int iField, int iDataType) const override;
    bool FieldNumber(int iField, double* pValue) const override;

private:
    const FlightTrack& m_Track;
    int m_iFix;
    int m_iPage;
};

QVector<ReplayPage> ReplayPagesOf(const QVector<PageProps>& pages);
// A trigger bit's text as the page properties dialog shows it (translated).
QString TriggerText(quint32 uTrigger);
// Why the replay shows its page: "Power up", or the trigger and the time of
// the event that fired it.
QString ReplayReason(const PageChoice& choice, const QVector<FlightEvent>& events);

// Paints page iPage of the elements at fZoom, with live values, as the
// instrument would show it: white screen, no selection marks.
void PaintFlightPage(QPainter& painter, const QList<R8element*>& elements, int iPage, float fZoom,
                     const FieldTextSource& values);
