#include "elementsnapshot.h"
#include "r8element.h"

#include <QSignalBlocker>

ElementSnapshot ElementSnapshot::Of(const R8element* element)
{
    ElementSnapshot s;
    s.Size = element->GetSize();
    s.Position = element->GetPosition();
    s.Attribs = element->GetAttribs();
    s.Pages = element->OnPages();
    s.Field = element->GetField();
    s.RangeMin = element->GetRangeMin();
    s.RangeMax = element->GetRangeMax();
    return s;
}

unsigned int ElementSnapshot::ApplyTo(R8element* element) const
{
    const QSignalBlocker quiet(element);
    unsigned int uPages = element->OnPages();
    element->RestoreAttribs(Attribs);
    element->RestorePages(Pages);
    element->RestoreSize(Size);
    element->RestorePosition(Position);
    element->RestoreField(Field);
    element->SetRangeMin(RangeMin);
    element->SetRangeMax(RangeMax);
    element->SetZoom(-1.0f);
    uPages |= element->OnPages();
    return uPages;
}
