// Copies of elements and pages: Cut, Copy, Paste and Duplicate through the
// clipboard's layout fragment, and the page strip's "Copy page to...",
// "Clear page" and "Swap with...". Each is one step of the history.
#include "copypagedialog.h"
#include "elementscommand.h"
#include "layoutfile.h"
#include "mainwindow.h"
#include "pagepropscommand.h"
#include "r8element.h"
#include "r8undo.h"
#include "screenlayout.h"
#include "screenthumb.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

namespace {

// A paste that would land exactly on its originals moves by this much
// (instrument pixels), again for each copy already lying there.
constexpr int kPasteOffset = 8;
constexpr int kMaxPasteOffsets = 40;

bool SameSpot(const R8element* a, const R8element* b)
{
    return a->GetType() == b->GetType() && a->GetPosition() == b->GetPosition() && a->GetSize() == b->GetSize();
}

} // namespace

void MainWindow::CreateClipboardActions()
{
    struct Entry {
        QAction** act;
        const char* text;
        const char* name;
        QKeySequence keys;
        void (MainWindow::*slot)();
    };
    const Entry entries[] = {
        {&cutAct, QT_TR_NOOP("C&ut"), "actionCut", QKeySequence::Cut, &MainWindow::CutElements},
        {&copyAct, QT_TR_NOOP("&Copy"), "actionCopy", QKeySequence::Copy, &MainWindow::CopyElements},
        {&pasteAct, QT_TR_NOOP("Pas&te"), "actionPaste", QKeySequence::Paste, &MainWindow::PasteElements},
        {&duplicateAct, QT_TR_NOOP("Dupl&icate"), "actionDuplicate", QKeySequence(QStringLiteral("Ctrl+D")),
         &MainWindow::DuplicateElements},
    };
    QAction* before = deleteAct;
    for (const Entry& e : entries) {
        *e.act = new QAction(tr(e.text), this);
        (*e.act)->setObjectName(QLatin1String(e.name));
        (*e.act)->setShortcut(e.keys);
        connect(*e.act, &QAction::triggered, this, e.slot);
        editMenu->insertAction(before, *e.act);
    }
    editMenu->insertSeparator(before);

    for (ScreenThumb* thumb : m_Thumbs) {
        thumb->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(thumb, &QWidget::customContextMenuRequested, this,
                [this, thumb](const QPoint& pos) { PageContextMenu(thumb->PageIndex(), thumb->mapToGlobal(pos)); });
    }
}

QList<R8element*> MainWindow::SelectionOnPage()
{
    ScreenLayout* layout = CurrentLayout();
    if (!layout)
        return {};
    layout->SyncSelections();
    return R8selectedElements;
}

// ---- the clipboard ------------------------------------------------------------------

void MainWindow::CopyElements()
{
    const QList<R8element*> selection = SelectionOnPage();
    if (selection.isEmpty())
        return;
    const QByteArray fragment = LayoutFile::WriteFragment(selection);
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(LayoutFile::kFragmentMimeType), fragment);
    mime->setText(QString::fromUtf8(fragment));
    QApplication::clipboard()->setMimeData(mime);
}

void MainWindow::CutElements()
{
    const QList<R8element*> selection = SelectionOnPage();
    if (selection.isEmpty())
        return;
    CopyElements();
    PushCommand(new ElementsCommand(this, ElementsCommand::Remove, selection, tr("Cut")));
    MultiSelect(R8selectedElements.size());
    update();
}

void MainWindow::PasteElements()
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return;
    const QString type = QLatin1String(LayoutFile::kFragmentMimeType);
    // Our own format first; plain text too, so a fragment kept in a text
    // editor comes back. Anything else is no fragment and changes nothing.
    const QByteArray data = mime->hasFormat(type) ? mime->data(type) : mime->text().toUtf8();
    QVector<LayoutFile::ObjectRecord> records;
    if (LayoutFile::ParseFragment(data, &records))
        PlaceCopies(records, tr("Paste"));
}

void MainWindow::DuplicateElements()
{
    const QList<R8element*> selection = SelectionOnPage();
    QVector<LayoutFile::ObjectRecord> records;
    if (!selection.isEmpty() && LayoutFile::ParseFragment(LayoutFile::WriteFragment(selection), &records))
        PlaceCopies(records, tr("Duplicate"));
}

QList<R8element*> MainWindow::MakeCopies(const QVector<LayoutFile::ObjectRecord>& records, int iPage)
{
    QList<R8element*> copies;
    for (const LayoutFile::ObjectRecord& rec : records) {
        R8element* el = m_Elements.at(AddElement(rec.Type));
        // Built silently: the whole insertion is the one step recorded.
        el->blockSignals(true);
        LayoutFile::ApplyObject(rec, el);
        el->RestorePages(1u << iPage);
        el->blockSignals(false);
        copies.append(el);
    }
    return copies;
}

void MainWindow::PlaceCopies(const QVector<LayoutFile::ObjectRecord>& records, const QString& text)
{
    ScreenLayout* layout = CurrentLayout();
    if (!layout || records.isEmpty())
        return;
    const QList<R8element*> existing = m_Elements;
    const QList<R8element*> copies = MakeCopies(records, m_iCurrentPage);
    auto landsOnALike = [&]() {
        for (const R8element* copy : copies)
            for (const R8element* el : existing)
                if (el->IsOnPage(unsigned(m_iCurrentPage)) && SameSpot(copy, el))
                    return true;
        return false;
    };
    for (int k = 0; k < kMaxPasteOffsets && landsOnALike(); ++k)
        for (R8element* copy : copies)
            copy->RestorePosition(copy->GetPosition() + QPoint(kPasteOffset, kPasteOffset));
    PushCommand(new ElementsCommand(this, ElementsCommand::Insert, copies, text));
    UpdateLayouts(1u << m_iCurrentPage);
    layout->SelectOnly(copies);
}

// ---- the page strip's menu ---------------------------------------------------------------

void MainWindow::PageContextMenu(int iPage, const QPoint& globalPos)
{
    QMenu menu(this);
    QAction* copyTo = menu.addAction(tr("Copy page to..."));
    QAction* clear = menu.addAction(tr("Clear page"));
    QAction* swap = menu.addAction(tr("Swap with..."));
    const QAction* chosen = menu.exec(globalPos);
    if (chosen == copyTo) {
        CopyPageDialog dialog(iPage, this);
        if (dialog.exec() == QDialog::Accepted)
            CopyPage(iPage, dialog.Pages(), dialog.Duplicate());
    } else if (chosen == clear) {
        ClearPage(iPage);
    } else if (chosen == swap) {
        QStringList names;
        for (int i = 0; i < R8_PAGE_COUNT; ++i)
            if (i != iPage)
                names << (m_Thumbs[i]->GetName().isEmpty() ? tr("Page %1").arg(i)
                                                           : tr("Page %1: %2").arg(i).arg(m_Thumbs[i]->GetName()));
        bool ok = false;
        const QString other = QInputDialog::getItem(this, tr("Swap page %1 with").arg(iPage), tr("Page:"), names,
                                                    iPage == 0 ? 0 : iPage - 1, false, &ok);
        const int index = names.indexOf(other);
        if (ok && index >= 0)
            SwapPages(iPage, index < iPage ? index : index + 1);
    }
}

void MainWindow::CopyPage(int iFrom, quint32 uTargets, bool bDuplicate)
{
    const unsigned int uFrom = 1u << iFrom;
    uTargets &= R8_ALL_PAGES & ~uFrom;
    QList<R8element*> onPage;
    for (R8element* el : qAsConst(m_Elements))
        if (el->OnPages() & uFrom)
            onPage.append(el);
    if (onPage.isEmpty() || !uTargets)
        return;
    undoStack()->beginMacro(tr("Copy page"));
    if (bDuplicate) {
        QVector<LayoutFile::ObjectRecord> records;
        LayoutFile::ParseFragment(LayoutFile::WriteFragment(onPage), &records);
        QList<R8element*> copies;
        for (int i = 0; i < R8_PAGE_COUNT; ++i)
            if (uTargets & (1u << i))
                copies += MakeCopies(records, i);
        PushCommand(new ElementsCommand(this, ElementsCommand::Insert, copies, tr("Copy page")));
    } else {
        for (R8element* el : qAsConst(onPage)) {
            if ((el->OnPages() | uTargets) == el->OnPages())
                continue;
            addUndo(R8undo::Changed, -1, el);
            el->RestorePages(el->OnPages() | uTargets);
        }
    }
    undoStack()->endMacro();
    UpdateLayouts(uTargets);
}

void MainWindow::ClearPage(int iPage)
{
    const unsigned int uBit = 1u << iPage;
    QList<R8element*> onlyHere;
    QList<R8element*> shared;
    for (R8element* el : qAsConst(m_Elements))
        if (el->OnPages() == uBit)
            onlyHere.append(el);
        else if (el->OnPages() & uBit)
            shared.append(el);
    if (onlyHere.isEmpty() && shared.isEmpty())
        return;
    undoStack()->beginMacro(tr("Clear page"));
    // Elements shown elsewhere too only leave this page.
    for (R8element* el : qAsConst(shared)) {
        addUndo(R8undo::Changed, -1, el);
        el->RestorePages(el->OnPages() & ~uBit);
        el->ElementSelect(0);
        R8selectedElements.removeAll(el);
    }
    if (!onlyHere.isEmpty())
        PushCommand(new ElementsCommand(this, ElementsCommand::Remove, onlyHere, tr("Clear page")));
    undoStack()->endMacro();
    MultiSelect(R8selectedElements.size());
    UpdateLayouts(uBit);
}

void MainWindow::SwapPages(int iPage, int iOther)
{
    if (iPage == iOther || iPage < 0 || iOther < 0 || iPage >= R8_PAGE_COUNT || iOther >= R8_PAGE_COUNT)
        return;
    const unsigned int a = 1u << iPage;
    const unsigned int b = 1u << iOther;
    // Elements on both pages or on neither stay as they are.
    QList<R8element*> moving;
    for (R8element* el : qAsConst(m_Elements))
        if (bool(el->OnPages() & a) != bool(el->OnPages() & b))
            moving.append(el);
    const QVector<PageProps> before = PagesProps();
    QVector<PageProps> after = before;
    std::swap(after[iPage], after[iOther]);
    if (moving.isEmpty() && after == before)
        return;
    undoStack()->beginMacro(tr("Swap pages"));
    for (R8element* el : qAsConst(moving)) {
        addUndo(R8undo::Changed, -1, el);
        el->RestorePages(el->OnPages() ^ (a | b));
    }
    if (after != before) {
        SetPagesProps(after);
        PushCommand(new PagePropsCommand(this, before, after));
    }
    undoStack()->endMacro();
    ClearSelection();
    UpdateLayouts(a | b);
}
