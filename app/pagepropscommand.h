#pragma once
#include "pageprops.h"

#include <QUndoCommand>
#include <QVector>

class MainWindow;

// A change of page names, triggers or disabled flags (one page's dialog can
// also take triggers from other pages), as one step of the history. Made
// after the fact: pushing it does not act again.
class PagePropsCommand : public QUndoCommand
{
public:
    PagePropsCommand(MainWindow* pWindow, const QVector<PageProps>& before, const QVector<PageProps>& after);

    void undo() override;
    void redo() override;

private:
    MainWindow* m_pWindow;
    QVector<PageProps> m_Before;
    QVector<PageProps> m_After;
    bool m_bFirstRedo = true;
};
