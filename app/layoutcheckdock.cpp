#include "layoutcheckdock.h"
#include "r8element.h"

#include <QHeaderView>
#include <QPointer>
#include <QTreeWidget>

namespace {

// Rows keep guarded pointers: an element may be gone by the time a row is
// activated.
using ElementRefs = QList<QPointer<R8element>>;
constexpr int kElementsRole = Qt::UserRole;
constexpr int kPageRole = Qt::UserRole + 1;

} // namespace

Q_DECLARE_METATYPE(ElementRefs)

LayoutCheckDock::LayoutCheckDock(QWidget* parent)
    : QDockWidget(tr("Layout check"), parent)
    , m_pList(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("LayoutCheckDock"));
    m_pList->setObjectName(QStringLiteral("LayoutCheckList"));
    m_pList->setColumnCount(2);
    m_pList->setHeaderLabels({tr("Page"), tr("Problem")});
    m_pList->setRootIsDecorated(false);
    m_pList->setWordWrap(true);
    m_pList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setWidget(m_pList);
    connect(m_pList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (!item->data(0, kPageRole).isValid())
            return; // the "no problems" line
        QList<R8element*> elements;
        const ElementRefs refs = item->data(0, kElementsRole).value<ElementRefs>();
        for (const QPointer<R8element>& el : refs)
            if (el)
                elements.append(el);
        emit ProblemActivated(item->data(0, kPageRole).toInt(), elements);
    });
}

void LayoutCheckDock::SetProblems(const QVector<LayoutCheck::Problem>& problems, const QList<R8element*>& elements)
{
    m_pList->clear();
    for (const LayoutCheck::Problem& p : problems) {
        auto* item = new QTreeWidgetItem(m_pList, {QString::number(p.page), p.text});
        ElementRefs refs;
        for (int index : p.elements)
            if (index >= 0 && index < elements.size())
                refs.append(elements.at(index));
        item->setData(0, kElementsRole, QVariant::fromValue(refs));
        item->setData(0, kPageRole, p.page);
        item->setToolTip(1, p.text);
    }
    if (problems.isEmpty())
        new QTreeWidgetItem(m_pList, {QString(), tr("No problems found.")});
}
