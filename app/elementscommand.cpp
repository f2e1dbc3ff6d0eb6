#include "elementscommand.h"
#include "mainwindow.h"
#include "r8element.h"

#include <algorithm>

ElementsCommand::ElementsCommand(MainWindow* pWindow, Action action, const QList<R8element*>& elements,
                                 const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent)
    , m_pWindow(pWindow)
    , m_Action(action)
{
    for (R8element* el : elements) {
        const int index = pWindow->Elements().indexOf(el);
        if (index >= 0)
            m_Entries.append({el, index});
    }
    std::sort(m_Entries.begin(), m_Entries.end(), [](const Entry& a, const Entry& b) { return a.index < b.index; });
}

ElementsCommand::~ElementsCommand()
{
    if (m_bOut)
        for (const Entry& e : qAsConst(m_Entries))
            delete e.element.data();
}

void ElementsCommand::TakeOut()
{
    if (m_bOut)
        return;
    unsigned int uPages = 0;
    // From the back, so each index recorded is the element's place with all
    // the others still in the list.
    for (auto it = m_Entries.rbegin(); it != m_Entries.rend(); ++it) {
        if (!it->element)
            continue;
        uPages |= it->element->OnPages();
        it->index = m_pWindow->TakeElement(it->element);
    }
    m_bOut = true;
    m_pWindow->UpdateLayouts(uPages);
}

void ElementsCommand::PutIn()
{
    if (!m_bOut)
        return;
    unsigned int uPages = 0;
    for (const Entry& e : qAsConst(m_Entries)) {
        if (!e.element)
            continue;
        m_pWindow->InsertElement(e.index, e.element);
        uPages |= e.element->OnPages();
    }
    m_bOut = false;
    m_pWindow->UpdateLayouts(uPages);
}

void ElementsCommand::undo()
{
    if (m_Action == Remove)
        PutIn();
    else
        TakeOut();
}

void ElementsCommand::redo()
{
    if (m_Action == Remove)
        TakeOut();
    else
        PutIn();
}
