#pragma once
#include <QList>

class R8element;

// What the page canvases need from the window that owns the element list.
// The main window implements it and sets g_pElementHost when it is built.
class ElementHost
{
public:
    virtual ~ElementHost() = default;
    // Every element of the layout, in creation order.
    virtual const QList<R8element*>& Elements() const = 0;
    // Sets every element of the list to unselected.
    virtual void UnselectAllElements() = 0;
    // Repaints the pages whose bits are set.
    virtual void UpdateLayouts(unsigned int uPageMask) = 0;
};

extern ElementHost* g_pElementHost;
