#pragma once
#include "layoutcheck.h"
#include "r8element.h"

#include <QDockWidget>
#include <QList>

class QTreeWidget;

// The result of Tools > Check layout: one row per problem, with its page.
// Activating a row (double click, Enter) asks the window to show that page
// with the problem's elements selected.
class LayoutCheckDock : public QDockWidget
{
    Q_OBJECT
public:
    explicit LayoutCheckDock(QWidget* parent);

    // Rows for problems found on elements (indexes into elements).
    void SetProblems(const QVector<LayoutCheck::Problem>& problems, const QList<R8element*>& elements);
    QTreeWidget* List() const { return m_pList; }

signals:
    void ProblemActivated(int iPage, const QList<R8element*>& elements);

private:
    QTreeWidget* m_pList;
};
