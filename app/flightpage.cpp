#include "flightpage.h"
#include "flightfields.h"
#include "flighttrack.h"
#include "r8element.h"
#include "screenlayoutprops.h"

#include <QCoreApplication>

#include <QPainter>

FlightFieldText::FlightFieldText(const FlightTrack& track, int iFix, int iPage)
    : m_Track(track)
    , m_iFix(iFix)
    , m_iPage(iPage)
{
}

QString FlightFieldText::FieldText(int iField, int iDataType) const
{
    if (iField == R8_FIELD_PAGE_NUMBER)
        return FieldValueText(iDataType, m_iPage);
    if (!FlightFields::IsMapped(m_Track, iField))
        return QString();
    const FlightFieldValue v = FlightFields::Value(m_Track, m_iFix, iField);
    if (!v.bHas)
        return FieldNoValueText(iDataType);
    if (!v.strText.isEmpty())
        return v.strText;
    return FieldValueText(iDataType, v.dNumber);
}

bool FlightFieldText::FieldNumber(int iField, double* pValue) const
{
    if (iField == R8_FIELD_PAGE_NUMBER) {
        *pValue = m_iPage;
        return true;
    }
    const FlightFieldValue v = FlightFields::Value(m_Track, m_iFix, iField);
    if (!v.bHas || !v.strText.isEmpty())
        return false;
    *pValue = v.dNumber;
    return true;
}

QVector<ReplayPage> ReplayPagesOf(const QVector<PageProps>& pages)
{
    QVector<ReplayPage> replay;
    replay.reserve(pages.size());
    for (const PageProps& p : pages)
        replay.append(ReplayPage{p.Trigger, p.Disabled != 0});
    return replay;
}

QString TriggerText(quint32 uTrigger)
{
    for (int k = 0; k < 6; ++k)
        if (uTrigger == (1u << k))
            return ScreenLayoutProps::tr(ScreenLayoutProps::TriggerTexts[k]);
    return QString();
}

QString ReplayReason(const PageChoice& choice, const QVector<FlightEvent>& events)
{
    if (choice.iEvent >= 0 && choice.iEvent < events.size()) {
        const FlightEvent& e = events.at(choice.iEvent);
        QString text = QCoreApplication::translate("FlightPreview", "%1 at %2")
                           .arg(TriggerText(choice.uTrigger), IgcFile::TimeText(e.iTime));
        if (!e.strDetail.isEmpty())
            text += QStringLiteral(" (%1)").arg(e.strDetail);
        return text;
    }
    if (choice.uTrigger == kTriggerPowerUp)
        return TriggerText(kTriggerPowerUp);
    return QCoreApplication::translate("FlightPreview", "first enabled page");
}

void PaintFlightPage(QPainter& painter, const QList<R8element*>& elements, int iPage, float fZoom,
                     const FieldTextSource& values)
{
    painter.fillRect(QRectF(0, 0, R8_SCREEN_WIDTH * fZoom, R8_SCREEN_HEIGHT * fZoom), Qt::white);
    const unsigned int uBit = 1u << iPage;
    // The first element of the list ends up on top, as on the canvas.
    for (int i = elements.size() - 1; i >= 0; --i) {
        R8element* el = elements.at(i);
        if (!(el->OnPages() & uBit) || el->GetZoom() <= 0.0f)
            continue;
        painter.save();
        painter.scale(fZoom / el->GetZoom(), fZoom / el->GetZoom());
        el->PaintMe(painter, uBit, &values);
        painter.restore();
    }
}
