#include "r8undo.h"
#include "mainwindow.h"
#include "r8element.h"

#include <QCoreApplication>

R8undo::R8undo(int iKind, MainWindow* pWindow, R8element* pElement, int iIndex)
    : iIndex(iIndex)
    , pElement(pElement)
    , iKind(iKind)
    , m_pWindow(pWindow)
{
    if (pElement) {
        if (iIndex < 0)
            this->iIndex = pElement->GetScreenElementIndex();
        State = ElementSnapshot::Of(pElement);
    }
    setText(iKind == Added ? QCoreApplication::translate("R8undo", "Add element")
                           : QCoreApplication::translate("R8undo", "Change element"));
}

R8undo::~R8undo()
{
    if (m_bOwned)
        delete pElement.data();
}

void R8undo::Swap()
{
    if (!pElement)
        return;
    const ElementSnapshot now = ElementSnapshot::Of(pElement);
    m_pWindow->UpdateLayouts(State.ApplyTo(pElement));
    State = now;
}

void R8undo::undo()
{
    if (iKind == Changed) {
        Swap();
    } else if (iKind == Added && pElement && !m_bOwned) {
        const unsigned int uPages = pElement->OnPages();
        const int index = m_pWindow->TakeElement(pElement);
        if (index >= 0) {
            iIndex = index;
            m_bOwned = true;
        }
        m_pWindow->UpdateLayouts(uPages);
    }
    m_pWindow->update();
    if (m_bDiscard)
        setObsolete(true);
}

void R8undo::redo()
{
    if (m_bFirstRedo) {
        m_bFirstRedo = false;
        return;
    }
    if (iKind == Changed) {
        Swap();
    } else if (iKind == Added && pElement && m_bOwned) {
        m_pWindow->InsertElement(iIndex, pElement);
        m_bOwned = false;
        m_pWindow->UpdateLayouts(pElement->OnPages());
    }
    m_pWindow->update();
}
