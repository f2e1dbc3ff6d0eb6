// Editing: the element list, the undo list, dragging from the tool box, the
// properties editor's ends, the page strip and the commands on the current
// page.
#include "mainwindow.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "elementscommand.h"
#include "pagepropscommand.h"
#include "r8undo.h"
#include "screenlayout.h"
#include "screenthumb.h"

#include <QAction>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUndoStack>
#include <QtMath>

int MainWindow::AddElement(int iType)
{
    R8element* el = new R8element(this, iType, 1);
    el->SetZoom(m_fScale);
    m_Elements.append(el);
    const int index = m_Elements.size() - 1;
    el->SetScreenElementIndex(index);
    connect(el, &R8element::ElementGeometryWillChange, this, &MainWindow::ElementGeometryChanging);
    connect(el, &R8element::ElementFieldWillChange, this, &MainWindow::ElementFieldChanging);
    el->CommitMove();
    return index;
}

R8undo* MainWindow::addUndo(int iKind, int iIndex, R8element* pElement)
{
    auto* record = new R8undo(iKind, this, pElement, iIndex);
    PushCommand(record);
    return record;
}

void MainWindow::PushCommand(QUndoCommand* pCommand)
{
    m_pUndoStack->push(pCommand);
}

QList<R8undo*> MainWindow::Undos() const
{
    QList<R8undo*> records;
    for (int i = 0; i < m_pUndoStack->index(); ++i)
        if (auto* record = dynamic_cast<R8undo*>(const_cast<QUndoCommand*>(m_pUndoStack->command(i))))
            records.append(record);
    return records;
}

bool MainWindow::IsModified() const
{
    return !m_pUndoStack->isClean();
}

void MainWindow::ElementGeometryChanging(int iIndex)
{
    if (iIndex >= 0 && iIndex < m_Elements.size())
        addUndo(R8undo::Changed, iIndex, m_Elements.at(iIndex));
}

void MainWindow::ElementFieldChanging(int iIndex)
{
    if (iIndex >= 0 && iIndex < m_Elements.size())
        addUndo(R8undo::Changed, iIndex, m_Elements.at(iIndex));
}

void MainWindow::UnDo()
{
    m_pUndoStack->undo();
}

void MainWindow::ReDo()
{
    m_pUndoStack->redo();
}

void MainWindow::InsertElement(int iIndex, R8element* pElement)
{
    iIndex = qBound(0, iIndex, m_Elements.size());
    m_Elements.insert(iIndex, pElement);
    // Every element's index stays its place in the list.
    for (int i = iIndex; i < m_Elements.size(); ++i)
        m_Elements.at(i)->SetScreenElementIndex(i);
}

int MainWindow::TakeElement(R8element* pElement)
{
    const int index = m_Elements.indexOf(pElement);
    if (index < 0)
        return -1;
    m_Elements.removeAt(index);
    for (int i = index; i < m_Elements.size(); ++i)
        m_Elements.at(i)->SetScreenElementIndex(i);
    pElement->SetScreenElementIndex(-1);
    pElement->ElementSelect(0);
    // Its properties dialog is gone: if it comes back it is no drop to cancel.
    pElement->UnMarkNew();
    RemoveFromSelection(pElement);
    if (m_pElementProp && m_pElementProp->GetEditElement() == pElement)
        m_pElementProp->hide();
    return index;
}

void MainWindow::ClearUndoList()
{
    m_pUndoStack->clear();
}

void MainWindow::RemoveFromSelection(R8element* pElement)
{
    if (!R8selectedElements.removeAll(pElement))
        return;
    if (ScreenLayout* layout = CurrentLayout())
        layout->SyncSelections();
    MultiSelect(R8selectedElements.size());
}

void MainWindow::UnselectAllElements()
{
    // Pages whose elements lose their selection are repainted, so no
    // thumbnail keeps showing a selection that is gone.
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(m_Elements))
        if (el)
            uPages |= el->ElementSelect(0);
    if (uPages)
        UpdateLayouts(uPages);
}

void MainWindow::CleanAllElements()
{
    // No record may outlive the elements it points at.
    ClearUndoList();
    R8selectedElements.clear();
    if (m_pElementProp)
        m_pElementProp->hide();
    while (!m_Elements.isEmpty())
        delete m_Elements.takeLast();
    for (ScreenLayout* layout : m_Layouts)
        layout->ClearSelections();
    MultiSelect(0);
}

// ---- dragging a sample from the tool box -----------------------------------

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        for (int i = m_ToolBox.size() - 1; i >= 0; --i) {
            R8element* sample = m_ToolBox.at(i);
            if (sample->MyPath().contains(QPointF(event->pos() - sample->GraphicPosition()))) {
                m_pDragged = sample;
                m_DragPos = event->pos();
                update();
                break;
            }
        }
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_pDragged) {
        m_pDragged->SetGraphicPosition(m_pDragged->GraphicPosition() + (event->pos() - m_DragPos));
        m_DragPos = event->pos();
        update();
    }
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pDragged) {
        const int iType = m_pDragged->GetType();
        const QPoint p = m_pDragged->GraphicPosition();
        m_pDragged->Restore();
        m_pDragged = nullptr;
        DropSample(iType, p);
        update();
    }
    QMainWindow::mouseReleaseEvent(event);
}

void MainWindow::DropSample(int iType, QPoint graphicPos)
{
    ScreenLayout* layout = CurrentLayout();
    if (!layout)
        return;
    const int i = AddElement(iType);
    R8element* el = m_Elements.at(i);
    const QPoint rel = graphicPos - layout->pos();
    el->RestorePosition(QPoint(qRound(rel.x() / m_fScale), qRound(rel.y() / m_fScale)));
    addUndo(R8undo::Added, i, el);
    el->RestorePages(1u << m_iCurrentPage);
    el->MarkAsNew();
    layout->SelectElement(el);
    EditElement(el);
    UpdateLayouts(el->OnPages());
}

// ---- properties editor ------------------------------------------------------

void MainWindow::EditElement(R8element* pElement)
{
    if (pElement)
        m_pElementProp->EditElement(pElement);
}

void MainWindow::ApplyProperties()
{
    R8element* el = m_pElementProp->GetEditElement();
    // The editor may still name an element that Undo has since taken away.
    if (!el || !m_Elements.contains(el))
        return;
    unsigned int uPages = 0;
    if (el->IsNew()) {
        el->UnMarkNew();
    } else {
        addUndo(R8undo::Changed, -1, el);
        uPages = el->OnPages();
    }
    el->SetField(m_pElementProp->GetField());
    el->SetPosition(m_pElementProp->GetPosition());
    el->SetSize(m_pElementProp->GetSize());
    el->SetAttribs(m_pElementProp->GetAttribs());
    el->SetPages(m_pElementProp->GetPagesChecks());
    el->SetRangeMin(m_pElementProp->GetMinRange());
    el->SetRangeMax(m_pElementProp->GetMaxRange());
    if (el->GetHasProps() & R8elementProp::PropMapType)
        el->SetMapType(m_pElementProp->GetMapType());
    uPages |= el->OnPages();
    UpdateLayouts(uPages);
    // A just-dropped element's range or pages are part of its drop step: no
    // new step, but the recovery copy must take them too.
    ScheduleRecovery();
}

void MainWindow::CancelProperties()
{
    R8element* el = m_pElementProp->GetEditElement();
    if (!el || !m_Elements.contains(el) || !el->IsNew())
        return;
    el->UnMarkNew();
    // Take back the drop and whatever was done to the element since, when
    // those are the latest steps; they are not something to redo.
    QList<R8undo*> own;
    for (int i = m_pUndoStack->index() - 1; i >= 0; --i) {
        auto* record = dynamic_cast<R8undo*>(const_cast<QUndoCommand*>(m_pUndoStack->command(i)));
        if (!record || record->pElement != el)
            break;
        own.append(record);
        if (record->iKind == R8undo::Added) {
            for (R8undo* step : qAsConst(own)) {
                step->DiscardOnUndo();
                m_pUndoStack->undo();
            }
            return;
        }
    }
    // Other changes came after the drop: remove only this element, as a
    // step of its own, and leave theirs alone.
    PushCommand(new ElementsCommand(this, ElementsCommand::Remove, {el}, tr("Delete")));
}

void MainWindow::PropertiesAction()
{
    if (ScreenLayout* layout = CurrentLayout())
        UpdateLayouts(layout->PropertiesElement());
}

void MainWindow::DeleteElement()
{
    qDebug() << "DELETE!!!";
    ScreenLayout* layout = CurrentLayout();
    if (!layout)
        return;
    // Only what is selected on the page on screen.
    layout->SyncSelections();
    if (R8selectedElements.isEmpty())
        return;
    PushCommand(new ElementsCommand(this, ElementsCommand::Remove, R8selectedElements, tr("Delete")));
    MultiSelect(R8selectedElements.size());
    update();
}

// ---- selection-driven actions -------------------------------------------------

void MainWindow::MultiSelect(int iNumberOfSelections)
{
    if (m_pElementProp)
        m_pElementProp->hide();
    if (!alignTopAct)
        return; // still being built
    const QList<QAction*> edges = {alignTopAct,   alignBottomAct, alignLeftAct,
                                   alignRightAct, alignCenterAct, alignMiddleAct};
    const QList<QAction*> texts = {textAlignLeftAct, textAlignCenterAct, textAlignRightAct};
    const QList<QAction*> sizes = {alignHeightAct, alignWidthAct};
    const QList<QAction*> joins = {alignJoinHAct, alignJoinVAct};
    auto setAll = [](const QList<QAction*>& acts, bool on) {
        for (QAction* act : acts)
            act->setEnabled(on);
    };
    if (iNumberOfSelections <= 0) {
        setAll(edges + texts + sizes + joins, false);
        propertiesAct->setEnabled(false);
    } else if (iNumberOfSelections == 1) {
        setAll(edges + texts, true);
        propertiesAct->setEnabled(true);
    } else {
        setAll(edges + texts + sizes, true);
        setAll(joins, iNumberOfSelections == 2);
        propertiesAct->setEnabled(false);
    }
}

// ---- page strip -----------------------------------------------------------------

void MainWindow::SelectPage(ScreenLayout* pLayout)
{
    if (!pLayout)
        return;
    for (int i = 0; i < R8_PAGE_COUNT; ++i) {
        if (m_Layouts[i] == pLayout) {
            m_iCurrentPage = i;
            pLayout->show();
        } else {
            m_Layouts[i]->hide();
        }
    }
    ClearSelection();
    MarkCurrentThumb();
}

void MainWindow::ClearSelection()
{
    // The selection belongs to the page on screen: no key, alignment or
    // Delete may act on elements the pilot cannot see.
    UnselectAllElements();
    R8selectedElements.clear();
    MultiSelect(0);
}

void MainWindow::MarkCurrentThumb()
{
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        m_Thumbs[i]->SetCurrent(i == m_iCurrentPage);
}

void MainWindow::PagePropsChanging(int)
{
    m_PagesBefore = PagesProps();
}

void MainWindow::VerifyTriggers(int iPage, int iTrigger)
{
    // The page's own dialog announced its change; a direct call has not.
    const QVector<PageProps> before = m_PagesBefore.isEmpty() ? PagesProps() : m_PagesBefore;
    m_PagesBefore.clear();
    for (int j = 0; j < R8_PAGE_COUNT; ++j)
        if (j != iPage)
            m_Thumbs[j]->SetTrigger(m_Thumbs[j]->GetTrigger() & ~iTrigger);
    // Page names and triggers are part of the layout file: a step of the
    // history like any other change.
    const QVector<PageProps> after = PagesProps();
    if (after != before)
        PushCommand(new PagePropsCommand(this, before, after));
}

// ---- commands on the current page ------------------------------------------------

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (ScreenLayout* layout = CurrentLayout()) {
        layout->SyncSelections();
        unsigned int uPages = 0;
        const int iStep = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
        switch (event->key()) {
        case Qt::Key_Left:
            uPages = layout->MoveElementsLeft(iStep);
            break;
        case Qt::Key_Up:
            uPages = layout->MoveElementsUp(iStep);
            break;
        case Qt::Key_Right:
            uPages = layout->MoveElementsRight(iStep);
            break;
        case Qt::Key_Down:
            uPages = layout->MoveElementsDown(iStep);
            break;
        default:
            break;
        }
        UpdateLayouts(uPages);
    }
    QMainWindow::keyPressEvent(event);
}

#define R8_PAGE_COMMAND(Name)                                                                                       \
    void MainWindow::Name()                                                                                         \
    {                                                                                                               \
        if (ScreenLayout* layout = CurrentLayout()) {                                                               \
            layout->SyncSelections();                                                                               \
            UpdateLayouts(layout->Name());                                                                          \
        }                                                                                                           \
    }

R8_PAGE_COMMAND(AlignTop)
R8_PAGE_COMMAND(AlignBottom)
R8_PAGE_COMMAND(AlignLeft)
R8_PAGE_COMMAND(AlignRight)
R8_PAGE_COMMAND(AlignCenter)
R8_PAGE_COMMAND(AlignMiddle)
R8_PAGE_COMMAND(AlignHeight)
R8_PAGE_COMMAND(AlignWidth)
R8_PAGE_COMMAND(AlignJoinHorizontal)
R8_PAGE_COMMAND(AlignJoinVertical)
R8_PAGE_COMMAND(TextAlignRight)
R8_PAGE_COMMAND(TextAlignCenter)
R8_PAGE_COMMAND(TextAlignLeft)

#undef R8_PAGE_COMMAND

// Font and size commands are not settled yet; they change nothing.
void MainWindow::LargeFont()
{
}
void MainWindow::NormalFont()
{
}
void MainWindow::TinyFont()
{
}
void MainWindow::AutoSize()
{
}
