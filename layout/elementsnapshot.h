#pragma once
#include <QPoint>
#include <QSize>

class R8element;

// What the history keeps of an element: everything the layout file stores
// about it except its type.
struct ElementSnapshot {
    QSize Size;
    QPoint Position;
    unsigned int Attribs = 0;
    unsigned int Pages = 0;
    int Field = 0;
    float RangeMin = 0.0f;
    float RangeMax = 0.0f;

    static ElementSnapshot Of(const R8element* element);
    // Stores the snapshot in the element without announcing anything (a
    // replayed step records no new step) and rebuilds its outline at its
    // present zoom. Returns the pages it was on and is on now.
    unsigned int ApplyTo(R8element* element) const;
};
