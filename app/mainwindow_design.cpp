// Designing pages quickly: the layout check, the image export and the grid.
#include "appglobals.h"
#include "layoutcheck.h"
#include "layoutcheckdock.h"
#include "layoutfile.h"
#include "loadedlayout.h"
#include "mainwindow.h"
#include "pageimage.h"
#include "preferencesdialog.h"
#include "r8element.h"
#include "screenlayout.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QUndoStack>

namespace {

const char* const kShowGridKey = "ShowGrid";
const char* const kSnapGridKey = "SnapToGrid";

bool StoredFlag(const char* key)
{
    return theSettings && theSettings->value(QLatin1String(key), false).toBool();
}

void StoreFlag(const char* key, bool on)
{
    if (theSettings)
        theSettings->setValue(QLatin1String(key), on);
}

} // namespace

void MainWindow::CreateDesignActions()
{
    exportPageAct = new QAction(tr("Export page as image..."), this);
    exportPageAct->setObjectName(QStringLiteral("actionExportPage"));
    connect(exportPageAct, &QAction::triggered, this, &MainWindow::ExportPageAction);
    exportAllAct = new QAction(tr("Export all pages..."), this);
    exportAllAct->setObjectName(QStringLiteral("actionExportAll"));
    connect(exportAllAct, &QAction::triggered, this, &MainWindow::ExportAllAction);
    // After "Send to device", before the separator of "Quit".
    const QList<QAction*> fileActs = fileMenu->actions();
    const int iQuit = fileActs.indexOf(quitAct);
    QAction* before = iQuit > 0 ? fileActs.at(iQuit - 1) : nullptr;
    fileMenu->insertActions(before, {exportPageAct, exportAllAct});
    fileMenu->insertSeparator(exportPageAct);

    showGridAct = new QAction(tr("Show grid"), this);
    showGridAct->setObjectName(QStringLiteral("actionShowGrid"));
    showGridAct->setCheckable(true);
    showGridAct->setChecked(StoredFlag(kShowGridKey));
    snapGridAct = new QAction(tr("Snap to grid"), this);
    snapGridAct->setObjectName(QStringLiteral("actionSnapToGrid"));
    snapGridAct->setCheckable(true);
    snapGridAct->setChecked(StoredFlag(kSnapGridKey));
    connect(showGridAct, &QAction::toggled, this, [this](bool on) {
        StoreFlag(kShowGridKey, on);
        ApplyGrid();
    });
    connect(snapGridAct, &QAction::toggled, this, [this](bool on) {
        StoreFlag(kSnapGridKey, on);
        ApplyGrid();
    });
    viewMenu->addSeparator();
    viewMenu->addActions({showGridAct, snapGridAct});
    ApplyGrid();

    checkAct = new QAction(tr("Check layout"), this);
    checkAct->setObjectName(QStringLiteral("actionCheckLayout"));
    connect(checkAct, &QAction::triggered, this, &MainWindow::CheckLayout);
    toolsMenu->addSeparator();
    toolsMenu->addAction(checkAct);

    m_pCheckDock = new LayoutCheckDock(this);
    // Floating only: the window keeps its fixed size and the page its place.
    m_pCheckDock->setAllowedAreas(Qt::NoDockWidgetArea);
    m_pCheckDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_pCheckDock->setFloating(true);
    m_pCheckDock->resize(520, 260);
    m_pCheckDock->hide();
    connect(m_pCheckDock, &LayoutCheckDock::ProblemActivated, this, &MainWindow::ShowProblem);
    // An open list follows every change of the layout (all are steps of the
    // history, and a load or New clears it).
    connect(undoStack(), &QUndoStack::indexChanged, this, &MainWindow::RefreshCheckLater);
}

// ---- grid ------------------------------------------------------------------------

void MainWindow::ApplyGrid()
{
    ScreenLayout::Grid grid;
    grid.size = PreferencesDialog::StoredGridSize();
    grid.show = showGridAct && showGridAct->isChecked();
    grid.snap = snapGridAct && snapGridAct->isChecked();
    for (ScreenLayout* layout : m_Layouts)
        layout->SetGrid(grid);
}

// ---- layout check ------------------------------------------------------------------

void MainWindow::CheckLayout()
{
    m_bCheckPending = false;
    m_pCheckDock->SetProblems(LayoutCheck::CheckWithCatalogue(m_Elements, PagesProps()), m_Elements);
    if (!m_pCheckDock->isVisible()) {
        // Right of the window rather than over the page, as far as the
        // screen allows.
        const QRect frame = frameGeometry();
        QPoint at(frame.right() + 1, frame.top());
        if (const QScreen* screen = this->screen()) {
            const QRect avail = screen->availableGeometry();
            at.setX(qMax(avail.left(), qMin(at.x(), avail.right() + 1 - m_pCheckDock->width())));
        }
        m_pCheckDock->move(at);
        m_pCheckDock->show();
    }
    m_pCheckDock->raise();
}

void MainWindow::RefreshCheckLater()
{
    // An open list follows the edits; many changes in one pass check once.
    if (!m_pCheckDock || !m_pCheckDock->isVisible() || m_bCheckPending)
        return;
    m_bCheckPending = true;
    QTimer::singleShot(0, this, [this]() {
        if (m_bCheckPending && m_pCheckDock->isVisible())
            CheckLayout();
        m_bCheckPending = false;
    });
}

void MainWindow::ShowProblem(int iPage, const QList<R8element*>& elements)
{
    ScreenLayout* layout = Page(iPage);
    if (!layout)
        return;
    SelectPage(layout);
    layout->SelectOnly(elements);
}

bool MainWindow::ConfirmSendWithProblems()
{
    const QVector<LayoutCheck::Problem> problems = LayoutCheck::CheckWithCatalogue(m_Elements, PagesProps());
    if (problems.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Send to device"),
                    problems.size() == 1 ? tr("The layout check found a problem.")
                                         : tr("The layout check found %1 problems.").arg(problems.size()),
                    QMessageBox::NoButton, this);
    box.setInformativeText(tr("Send the layout to the instrument anyway?"));
    box.setDetailedText(LayoutCheck::Report(problems).join(QLatin1Char('\n')));
    QPushButton* sendAnyway = box.addButton(tr("Send &anyway"), QMessageBox::AcceptRole);
    QPushButton* show = box.addButton(tr("Show problems"), QMessageBox::ActionRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(show);
    box.exec();
    if (box.clickedButton() == show)
        CheckLayout();
    return box.clickedButton() == sendAnyway;
}

// ---- image export -------------------------------------------------------------------

bool MainWindow::ExportPageImage(const QString& path, float fZoom, QString* message) const
{
    // Painted from the layout as it would be saved, so the picture is the
    // one r8tool render makes of the saved file.
    LoadedLayout layout(fZoom);
    if (!layout.LoadData(LayoutFile::Write(m_Elements, PagesProps()), message))
        return false;
    return PageImage::SavePng(PageImage::Page(layout.Elements(), qMax(m_iCurrentPage, 0), fZoom), path, message);
}

bool MainWindow::ExportAllPages(const QString& folder, float fZoom, QString* message) const
{
    LoadedLayout layout(fZoom);
    if (!layout.LoadData(LayoutFile::Write(m_Elements, PagesProps()), message))
        return false;
    return PageImage::SaveAll(layout.Elements(), layout.Pages(), fZoom, folder, message);
}

bool MainWindow::AskExportZoom(const QString& title, float* pZoom)
{
    bool ok = false;
    const double zoom =
        QInputDialog::getDouble(this, title, tr("Zoom (screen pixels per instrument pixel):"), double(m_fScale),
                                double(PageImage::kMinZoom), double(PageImage::kMaxZoom), 2, &ok);
    *pZoom = float(zoom);
    return ok;
}

void MainWindow::ExportPageAction()
{
    RunExport(tr("Export page as image"), true);
}

void MainWindow::ExportAllAction()
{
    RunExport(tr("Export all pages"), false);
}

void MainWindow::RunExport(const QString& title, bool bOnePage)
{
    float zoom = m_fScale;
    if (!AskExportZoom(title, &zoom))
        return;
    // Beside the layout's file when it has one.
    const QString folder =
        m_strCurrentLayoutPath.isEmpty() ? QDir::homePath() : QFileInfo(m_strCurrentLayoutPath).absolutePath();
    QString target =
        bOnePage ? QFileDialog::getSaveFileName(
            this, title, QDir(folder).filePath(PageImage::PageFileName(m_iCurrentPage)), tr("PNG images (*.png)"))
                 : QFileDialog::getExistingDirectory(this, title, folder);
    if (target.isEmpty())
        return;
    if (bOnePage && !target.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        target += QLatin1String(".png");
    QString message;
    const bool ok = bOnePage ? ExportPageImage(target, zoom, &message) : ExportAllPages(target, zoom, &message);
    if (!ok)
        QMessageBox::warning(this, title, message);
}
