#include "pagepropscommand.h"
#include "mainwindow.h"

#include <QCoreApplication>

PagePropsCommand::PagePropsCommand(MainWindow* pWindow, const QVector<PageProps>& before,
                                   const QVector<PageProps>& after)
    : QUndoCommand(QCoreApplication::translate("PagePropsCommand", "Page properties"))
    , m_pWindow(pWindow)
    , m_Before(before)
    , m_After(after)
{
}

void PagePropsCommand::undo()
{
    m_pWindow->SetPagesProps(m_Before);
}

void PagePropsCommand::redo()
{
    if (m_bFirstRedo) {
        m_bFirstRedo = false;
        return;
    }
    m_pWindow->SetPagesProps(m_After);
}
