#include "layouttransfer.h"
#include "r8element.h"
#include "zvcomport.h"

#include <QDebug>

namespace {

constexpr int kTriggerBits = 11; // bits 0..10: trigger values below 2048

bool SendsAttribs(int iType)
{
    return iType == R8_TYPE_DATAFIELD || iType == R8_TYPE_DIAL || iType == R8_TYPE_MAP;
}

QString Fixed2(float f)
{
    return QString::number(static_cast<double>(f), 'f', 2);
}

QString NameBody(int iPage, const QString& strName)
{
    return QStringLiteral("PZVFLO,NAME,%1,%2)").arg(iPage).arg(strName);
}

} // namespace

QString ElementSentence(const R8element& e)
{
    const unsigned int uAttribs = SendsAttribs(e.GetType()) ? e.GetAttribs() : 0;
    return QStringLiteral("PZVFLO,%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(e.GetType())
        .arg(e.GetField())
        .arg(e.GetPosition().x())
        .arg(e.GetPosition().y())
        .arg(e.GetSize().width())
        .arg(e.GetSize().height())
        .arg(uAttribs)
        .arg(e.OnPages())
        .arg(Fixed2(e.GetRangeMin()), Fixed2(e.GetRangeMax()));
}

int ElementsOnPages(const QList<R8element*>& elements)
{
    int n = 0;
    for (const R8element* e : elements)
        if (e && e->OnPages() != 0)
            ++n;
    return n;
}

quint32 DisabledPageMask(const QVector<PageProps>& pages)
{
    quint32 mask = 0;
    for (int i = 0; i < qMin(pages.size(), R8_PAGE_COUNT); ++i)
        if (pages.at(i).Disabled != 0)
            mask |= 1u << i;
    return mask;
}

QString PageNameForDevice(const QString& strName, int iPage)
{
    QString clean;
    clean.reserve(strName.size());
    for (QChar c : strName) {
        if (c == QLatin1Char(',') || c == QLatin1Char('*') || c == QLatin1Char('$') || c.unicode() < 0x20
            || c.unicode() == 0x7F)
            continue;
        clean += c;
    }
    // The body goes out as Latin-1, one byte per character.
    const int iRoom = R8_MAX_BODY_BYTES - NameBody(iPage, QString()).size();
    if (clean.size() > iRoom)
        clean.truncate(qMax(iRoom, 0));
    return clean;
}

QStringList BuildLayoutBatch(const QList<R8element*>& elements, const QVector<PageProps>& pages)
{
    QStringList batch;
    if (ElementsOnPages(elements) == 0)
        return batch;
    const int iPages = qMin(pages.size(), R8_PAGE_COUNT);

    batch << QStringLiteral("PZVFLO,START");
    for (const R8element* e : elements)
        if (e && e->OnPages() != 0)
            batch << ElementSentence(*e);
    for (int i = 0; i < iPages; ++i) {
        if (pages.at(i).Name.isEmpty())
            continue;
        const QString strName = PageNameForDevice(pages.at(i).Name, i);
        if (!strName.isEmpty())
            batch << NameBody(i, strName);
    }
    for (int i = 0; i < iPages; ++i) {
        const PageProps& page = pages.at(i);
        if (page.Disabled != 0 || page.Trigger == 0)
            continue;
        for (int b = 0; b < kTriggerBits; ++b)
            if (page.Trigger & (1u << b))
                batch << QStringLiteral("PZVFLO,TRIGGER,%1,%2,").arg(b + 1).arg(i);
    }
    batch << QStringLiteral("PZVFLO,DISABLED,%1").arg(DisabledPageMask(pages));
    batch << QStringLiteral("PZVFLO,END");
    return batch;
}

bool GetLayoutFromDevice()
{
    ZVcomPort link;
    if (!link.ConnectToInstrument())
        return false;
    qCDebug(lcLink) << "Connected!";
    link.flush();
    return true;
}
