#pragma once
#include "elementsnapshot.h"

#include <QPointer>
#include <QUndoCommand>

class MainWindow;
class R8element;

// One step of the history for one element: its addition (kind 0) or one
// change of its properties (kind 1), recorded just before the change.
//
// A change record holds the element's other state: the state before the
// change until it is undone, the state after it until it is redone, so undo
// and redo are the same swap.
//
// Ownership: an added element lives in the window's element list while its
// addition is done; once the addition is undone the record owns it (redo puts
// it back) and deletes it when the record itself goes.
class R8undo : public QUndoCommand
{
public:
    enum Kind { Added = 0, Changed = 1 };

    // Made after the fact: pushing it does not act again.
    R8undo(int iKind, MainWindow* pWindow, R8element* pElement, int iIndex);
    ~R8undo() override;

    void undo() override;
    void redo() override;

    // The next undo also drops the record from the history (a cancelled
    // drop is not something to redo).
    void DiscardOnUndo() { m_bDiscard = true; }

    int iIndex = -1;
    // Guarded: a record must never act on an element that is gone.
    QPointer<R8element> pElement;
    ElementSnapshot State;
    int iKind;

private:
    void Swap();

    MainWindow* m_pWindow;
    bool m_bFirstRedo = true;
    bool m_bOwned = false; // the element is out of the list and ours
    bool m_bDiscard = false;
};
