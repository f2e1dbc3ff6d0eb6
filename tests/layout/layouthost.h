#pragma once
// Stands in for the main window in the layout tests: owns an element list,
// records which pages were asked to repaint and counts change announcements.
#include "appglobals.h"
#include "elementhost.h"
#include "r8element.h"
#include "screenlayout.h"
#include "testsupport.h"

#include <QHash>
#include <QVariantList>

class TestHost : public ElementHost
{
public:
    TestHost() { g_pElementHost = this; }
    ~TestHost() override
    {
        g_pElementHost = nullptr;
        R8selectedElements.clear();
        qDeleteAll(m_Elements);
    }
    const QList<R8element*>& Elements() const override { return m_Elements; }
    void UnselectAllElements() override
    {
        for (R8element* el : qAsConst(m_Elements))
            el->ElementSelect(0);
    }
    void UpdateLayouts(unsigned int) override {}

    // A placed element on the given pages, like the window's AddElement.
    R8element* Add(int iType, QPoint pos, unsigned int uPages = 1, float fZoom = 1.0f, QSize size = QSize())
    {
        auto* el = new R8element(nullptr, iType, 1);
        el->SetZoom(fZoom);
        if (size.isValid())
            el->SetSize(size);
        el->SetScreenElementIndex(m_Elements.size());
        el->RestorePages(uPages);
        el->RestorePosition(pos);
        QObject::connect(el, &R8element::ElementGeometryWillChange, [this, el](int i) {
            ++m_Announced[i];
            before << QRect(el->GetPosition(), el->GetSize());
        });
        QObject::connect(el, &R8element::ElementFieldWillChange, [this, el](int i) {
            ++m_Announced[i];
            before << el->GetField();
        });
        m_Elements.append(el);
        return el;
    }
    // Gives the elements the states and rebuilds the shared selection list.
    void Select(const QList<R8element*>& elements, R8element* pReference = nullptr)
    {
        UnselectAllElements();
        R8selectedElements.clear();
        for (R8element* el : qAsConst(m_Elements)) {
            if (elements.contains(el)) {
                el->ElementSelect(el == pReference ? 2 : 1);
                R8selectedElements.append(el);
            }
        }
        m_Announced.clear();
    }
    // What each announced element still held: its rectangle, or its field.
    QVariantList before;
    int Announced(const R8element* el) const { return m_Announced.value(el->GetScreenElementIndex()); }

private:
    QList<R8element*> m_Elements;
    QHash<int, int> m_Announced;
};

// The page canvas over the host's elements.
struct CanvasHost : TestHost {
    ScreenLayout canvas{nullptr, 0};
};
