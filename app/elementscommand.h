#pragma once
#include <QList>
#include <QPointer>
#include <QUndoCommand>
#include <QVector>

class MainWindow;
class R8element;

// Takes elements out of the window's element list (Remove: Delete) or puts
// them in (Insert: elements the caller has just appended with AddElement,
// for instance pasted ones), as one step of the history. Undo puts every
// element back at its own place in the list, with its pages and properties.
//
// Ownership: while the elements are out of the list this command owns them
// and deletes them when it is destroyed (the history dropping a done Delete,
// or an undone Insert).
class ElementsCommand : public QUndoCommand
{
public:
    enum Action { Insert, Remove };

    ElementsCommand(MainWindow* pWindow, Action action, const QList<R8element*>& elements, const QString& text,
                    QUndoCommand* parent = nullptr);
    ~ElementsCommand() override;

    void undo() override;
    void redo() override;

    int Count() const { return m_Entries.size(); }

private:
    void PutIn();
    void TakeOut();

    struct Entry {
        QPointer<R8element> element;
        int index = -1;
    };
    MainWindow* m_pWindow;
    Action m_Action;
    QVector<Entry> m_Entries; // ascending list order
    bool m_bOut = false;
};
