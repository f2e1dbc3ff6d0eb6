#include "mainwindow.h"
#include "airspacestore.h"
#include "appglobals.h"
#include "flightpreview.h"
#include "startup.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "r8undo.h"
#include "screenlayout.h"
#include "screenthumb.h"
#include "windowsizing.h"
#include "workarea.h"

#include <QAction>
#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

namespace {

QList<int> AvailableScreenHeights()
{
    QList<int> heights;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        const int h = screen->availableGeometry().height();
        qDebug() << QString::fromLatin1("height %1").arg(h);
        heights.append(h);
    }
    return heights;
}

// A page thumbnail in the strip.
constexpr int kThumbWidth = 48;
constexpr int kThumbHeight = 64;

// A change reaches the recovery copy within this time.
constexpr int kRecoveryDelayMs = 2000;

bool FileToolBarWanted()
{
    if (!theSettings)
        return true;
    return theSettings->value(QStringLiteral("FileToolBarVisible"), true).toBool();
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    const WindowSizing sizing = ComputeWindowSizing(AvailableScreenHeights());
    m_fScale = sizing.scale;

    theMainWindow = this;
    g_pElementHost = this;
    setMinimumSize(sizing.width, sizing.height);
    m_pUndoStack = new QUndoStack(this);
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    m_pRecoveryTimer = new QTimer(this);
    m_pRecoveryTimer->setSingleShot(true);
    m_pRecoveryTimer->setInterval(kRecoveryDelayMs);
    connect(m_pRecoveryTimer, &QTimer::timeout, this, &MainWindow::WriteRecovery);
    connect(m_pUndoStack, &QUndoStack::indexChanged, this, &MainWindow::ScheduleRecovery);
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this, &MainWindow::ScheduleRecovery);
    UpdateTitle();
    setWindowIcon(QIcon(QStringLiteral(":/images/main_design_iconSQ.png")));
    qDebug() << QString::fromLatin1("Pixel ratio %1").arg(devicePixelRatioF());

    StartCommandSender();
    StartCatalogueDownload();

    m_pWorkArea = new WorkArea(this);
    setCentralWidget(m_pWorkArea);
    m_pDragged = nullptr;
    setMouseTracking(true);

    // The page strip scrolls when the window is too low for all sixteen.
    m_pStrip = new QScrollArea(this);
    m_pStrip->setObjectName(QStringLiteral("PageStrip"));
    m_pStrip->setFrameShape(QFrame::NoFrame);
    m_pStrip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The arrow keys move elements: the strip must not take them to scroll.
    m_pStrip->setFocusPolicy(Qt::NoFocus);
    auto* stripContent = new QWidget(m_pStrip);
    stripContent->setFixedSize(2 * kThumbWidth, (R8_PAGE_COUNT / 2) * kThumbHeight);
    m_pStrip->setWidget(stripContent);

    const QSize canvasSize(int(240.0f * m_fScale + 2.0f), int(320.0f * m_fScale + 2.0f));
    for (int i = 0; i < R8_PAGE_COUNT; ++i) {
        ScreenLayout* layout = new ScreenLayout(this, i);
        layout->hide();
        layout->SetZoom(m_fScale);
        layout->setGeometry(QRect(QPoint(0, 0), canvasSize));
        m_Layouts[i] = layout;
        ScreenThumb* thumb = new ScreenThumb(stripContent, layout, i);
        thumb->setGeometry((i % 2) * kThumbWidth, (i / 2) * kThumbHeight, kThumbWidth, kThumbHeight);
        thumb->show();
        m_Thumbs[i] = thumb;
        connect(layout, &ScreenLayout::RefreshThumb, thumb, &ScreenThumb::RefreshThumb);
        connect(thumb, &ScreenThumb::SelectPage, this, &MainWindow::SelectPage);
        connect(thumb, &ScreenThumb::PropsWillChange, this, &MainWindow::PagePropsChanging);
        connect(thumb, &ScreenThumb::NewTrigger, this, &MainWindow::VerifyTriggers);
        connect(layout, &ScreenLayout::RightClickElement, this, &MainWindow::EditElement);
        connect(layout, &ScreenLayout::MultiSelect, this, &MainWindow::MultiSelect);
    }

    UpdateLayouts(R8_ALL_PAGES);
    CreateToolBox();
    m_iCurrentPage = 0;
    m_Layouts[0]->show();
    MarkCurrentThumb();

    m_pElementProp = new R8elementProp(this);
    m_pElementProp->hide();
    connect(m_pElementProp, &R8elementProp::ApplyProperties, this, &MainWindow::ApplyProperties);
    connect(m_pElementProp, &R8elementProp::CancelProperties, this, &MainWindow::CancelProperties);
    connect(m_pWorkArea, &WorkArea::WorkAreaMoved, this, &MainWindow::AdjustGeometry);

    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateDesignActions();
    CreateClipboardActions();
    AdjustGeometry();
    adjustSize();
    setMaximumSize(sizing.width, sizing.height);
    m_iBaseWidth = sizing.width;
    m_LastWork = QRect(); // once more, now with the final size
    AdjustGeometry();
    // The thumbnails have their final size only now.
    UpdateLayouts(R8_ALL_PAGES);
}

MainWindow::~MainWindow()
{
    // A running batch ends first; the worker must not report into a window
    // that is going away.
    StopCommandSender();
    if (g_pElementHost == this)
        g_pElementHost = nullptr;
    R8selectedElements.clear();
    // A normal end: no recovery copy is needed any more.
    m_pRecoveryTimer->stop();
    m_Recovery.Remove();
    // The history goes first: it deletes the elements it owns.
    m_pUndoStack->clear();
    const QList<R8element*> elements = m_Elements;
    m_Elements.clear();
    qDeleteAll(elements);
    delete m_pAirspaces;
    if (theMainWindow == this)
        theMainWindow = nullptr;
}

ScreenLayout* MainWindow::Page(int i) const
{
    return (i >= 0 && i < R8_PAGE_COUNT) ? m_Layouts[i] : nullptr;
}

ScreenThumb* MainWindow::Thumb(int i) const
{
    return (i >= 0 && i < R8_PAGE_COUNT) ? m_Thumbs[i] : nullptr;
}

ScreenLayout* MainWindow::CurrentLayout() const
{
    return Page(m_iCurrentPage);
}

QVector<PageProps> MainWindow::PagesProps() const
{
    QVector<PageProps> pages;
    pages.reserve(R8_PAGE_COUNT);
    for (const ScreenThumb* thumb : m_Thumbs)
        pages.append(thumb->Props());
    return pages;
}

void MainWindow::SetPagesProps(const QVector<PageProps>& pages)
{
    for (int i = 0; i < R8_PAGE_COUNT && i < pages.size(); ++i)
        m_Thumbs[i]->SetProps(pages.at(i));
}

void MainWindow::CreateToolBox()
{
    struct Sample {
        int iType;
        float fZoom; // times scale / 2
        int iDx;     // from the column's x
        int iRow;    // row offset of the column, see ToolBoxY
    };
    static const Sample samples[] = {
        {R8_TYPE_DATAFIELD, 0.5f, 0, 0},   {R8_TYPE_BARSCALE, 0.3f, 0, 35}, {R8_TYPE_DOUBLESCALE, 0.3f, 25, 35},
        {R8_TYPE_TALLSCALE, 0.3f, 60, 35}, {R8_TYPE_COMPASS, 0.5f, 0, 125}, {R8_TYPE_MAP, 0.5f, 0, 195},
        {R8_TYPE_BATTERY, 1.0f, 35, 275},  {R8_TYPE_SPEAKER, 1.0f, 0, 275}, {R8_TYPE_CELLINFO, 1.0f, 0, 307},
        {R8_TYPE_SATS, 1.0f, 25, 339},     {R8_TYPE_POINTER, 1.0f, 0, 374}, {R8_TYPE_WINDROSE, 0.5f, 45, 369},
        {R8_TYPE_GRAPH, 0.5f, 0, 429},     {R8_TYPE_DIAL, 0.5f, 0, 509},
    };
    const float s = m_fScale / 2.0f;
    const int x0 = ToolBoxX(m_fScale);
    for (const Sample& sample : samples) {
        R8element* el = new R8element(this, sample.iType, 0);
        el->SetZoom(sample.fZoom * s);
        m_ToolBoxHome.append(QPoint(x0 + sample.iDx, ToolBoxY(m_fScale, sample.iRow)));
        el->SetBasePosition(m_ToolBoxHome.last());
        el->Restore();
        el->SetPages(R8_ALL_PAGES);
        m_ToolBox.append(el);
    }
}

void MainWindow::AdjustGeometry()
{
    // A tool bar docked at the right only narrows the work area, so its
    // width counts as well as its place.
    if (m_pWorkArea->geometry() == m_LastWork)
        return;
    m_LastWork = m_pWorkArea->geometry();
    const QPoint at = m_LastWork.topLeft();
    const int iBottom = m_LastWork.bottom();
    const int bx = at.x() + 10;
    const int by = at.y() + 15;
    const QSize canvasSize(int(240.0f * m_fScale + 2.0f), int(320.0f * m_fScale + 2.0f));
    for (ScreenLayout* layout : m_Layouts)
        layout->setGeometry(QRect(QPoint(bx + 130, by), canvasSize));
    // As tall as the window allows; the scroll bar fits in the gap before
    // the page.
    const int iStripHeight = qBound(kThumbHeight, iBottom - by, (R8_PAGE_COUNT / 2) * kThumbHeight);
    const bool bScrolls = iStripHeight < (R8_PAGE_COUNT / 2) * kThumbHeight;
    const int iBar = bScrolls ? m_pStrip->verticalScrollBar()->sizeHint().width() : 0;
    m_pStrip->setGeometry(bx, by, 2 * kThumbWidth + iBar, iStripHeight);

    // Tool bars docked at a side take width from the work area: the window
    // grows by as much, and the tool box moves with the page. Asked while
    // the window is still being shown, too (isVisible() is false then).
    int iSideBars = 0;
    const QList<QToolBar*> bars = findChildren<QToolBar*>();
    for (QToolBar* bar : bars) {
        const Qt::ToolBarArea area = toolBarArea(bar);
        if (bar->isVisibleTo(this) && !bar->isFloating()
            && (area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea))
            iSideBars += bar->width();
    }
    if (m_iBaseWidth > 0 && minimumWidth() != m_iBaseWidth + iSideBars) {
        setMinimumWidth(m_iBaseWidth + iSideBars);
        setMaximumWidth(m_iBaseWidth + iSideBars);
    }
    // Below the tool bars, whatever their rows.
    const QPoint shift(at.x(), qMax(0, at.y() + 2 - ToolBoxY(m_fScale, 0)));
    for (int i = 0; i < m_ToolBox.size() && i < m_ToolBoxHome.size(); ++i) {
        m_ToolBox.at(i)->SetBasePosition(m_ToolBoxHome.at(i) + shift);
        if (m_ToolBox.at(i) != m_pDragged)
            m_ToolBox.at(i)->Restore();
    }
    update();
}

void MainWindow::UpdateLayouts(unsigned int uiPages)
{
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        if (uiPages & (1u << i))
            emit UpdateLayout(i);
}

void MainWindow::RefreshPage(int iPage)
{
    CleanUnusedElements();
    emit UpdateLayout(iPage);
}

void MainWindow::CleanUnusedElements()
{
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    QPainter painter(this);
    for (R8element* sample : qAsConst(m_ToolBox))
        sample->PaintMe(painter, R8_ALL_PAGES);
}

void MainWindow::CreateActions()
{
    newAct = new QAction(QIcon(QStringLiteral(":/images/Page-White.png")), tr("&New"), this);
    newAct->setShortcuts(QKeySequence::New);
    connect(newAct, &QAction::triggered, this, &MainWindow::NewLayout);

    openAct = new QAction(QIcon(QStringLiteral(":/images/Folder-Page-White.png")), tr("&Open..."), this);
    openAct->setShortcuts(QKeySequence::Open);
    openAct->setStatusTip(tr("Open an existing layout"));
    connect(openAct, &QAction::triggered, this, &MainWindow::OpenLayout);

    saveAct = new QAction(QIcon(QStringLiteral(":/images/Disk.png")), tr("&Save..."), this);
    saveAct->setShortcuts(QKeySequence::Save);
    connect(saveAct, &QAction::triggered, this, &MainWindow::SaveLayouts);

    saveAsAct = new QAction(QIcon(QStringLiteral(":/images/Save-As.png")), tr("Save &as..."), this);
    saveAsAct->setShortcuts(QKeySequence::SaveAs);
    connect(saveAsAct, &QAction::triggered, this, &MainWindow::SaveAs);

    for (QAction*& act : recentFileActs) {
        act = new QAction(this);
        act->setVisible(false);
        connect(act, &QAction::triggered, this, &MainWindow::openRecentFile);
    }

    quitAct = new QAction(tr("&Quit"), this);
    quitAct->setObjectName(QStringLiteral("actionQuit"));
    quitAct->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    quitAct->setShortcutContext(Qt::ApplicationShortcut);
    // Closing asks about unsaved changes (closeEvent).
    connect(quitAct, &QAction::triggered, this, &QWidget::close);

    sendAct = new QAction(QIcon(QStringLiteral(":/images/Update.png")), tr("S&end to device"), this);
    sendAct->setShortcuts(QKeySequence::Refresh);
    connect(sendAct, &QAction::triggered, this, &MainWindow::SendToDevice);

    receiveAct = new QAction(tr("&Receive from device"), this);
    connect(receiveAct, &QAction::triggered, this, &MainWindow::ReceiveLayout);

    undoAct = new QAction(QIcon(QStringLiteral(":/images/Arrow-Rotate-Anticlockwise.png")), tr("&Undo"), this);
    undoAct->setShortcuts(QKeySequence::Undo);
    undoAct->setEnabled(false);
    connect(undoAct, &QAction::triggered, this, &MainWindow::UnDo);
    connect(m_pUndoStack, &QUndoStack::canUndoChanged, undoAct, &QAction::setEnabled);

    redoAct = new QAction(tr("Red&o"), this);
    // Both usual keys, whatever the desktop's standard one is.
    redoAct->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    redoAct->setEnabled(false);
    connect(redoAct, &QAction::triggered, this, &MainWindow::ReDo);
    connect(m_pUndoStack, &QUndoStack::canRedoChanged, redoAct, &QAction::setEnabled);

    deleteAct = new QAction(QIcon(QStringLiteral(":/images/Cross.png")), tr("&Delete"), this);
    connect(deleteAct, &QAction::triggered, this, &MainWindow::DeleteElement);

    propertiesAct = new QAction(QIcon(QStringLiteral(":/images/Properties Icon.png")), tr("&Properties"), this);
    propertiesAct->setEnabled(false);
    connect(propertiesAct, &QAction::triggered, this, &MainWindow::PropertiesAction);

    preferencesAct = new QAction(tr("Preferences..."), this);
    connect(preferencesAct, &QAction::triggered, this, &MainWindow::PreferencesAction);

    aboutAct = new QAction(tr("About"), this);
    connect(aboutAct, &QAction::triggered, this, &MainWindow::AboutAction);

    formatToolBarAct = new QAction(tr("Format toolbar"), this);
    formatToolBarAct->setCheckable(true);
    formatToolBarAct->setChecked(true);
    connect(formatToolBarAct, &QAction::toggled, this, &MainWindow::FormatToolBarShow);

    fileToolBarAct = new QAction(tr("File toolbar"), this);
    fileToolBarAct->setCheckable(true);
    fileToolBarAct->setChecked(FileToolBarWanted());
    connect(fileToolBarAct, &QAction::toggled, this, &MainWindow::FileToolBarShow);

    struct Off {
        QAction** act;
        const char* icon;
        const char* text;
        const char* name;
        void (MainWindow::*slot)();
    };
    const Off offActions[] = {
        {&alignTopAct, "Shape-Align-Top-32.png", QT_TR_NOOP("Align top"), "actionAlignTop", &MainWindow::AlignTop},
        {&alignBottomAct, "Shape-Align-Bottom-32.png", QT_TR_NOOP("Align bottom"), "actionAlignBottom",
         &MainWindow::AlignBottom},
        {&alignLeftAct, "Shape-Align-Left-32.png", QT_TR_NOOP("Align left"), "actionAlignLeft",
         &MainWindow::AlignLeft},
        {&alignRightAct, "Shape-Align-Right-32.png", QT_TR_NOOP("Align right"), "actionAlignRight",
         &MainWindow::AlignRight},
        {&alignCenterAct, "Shape-Align-Center-32.png", QT_TR_NOOP("Align center"), "actionAlignCenter",
         &MainWindow::AlignCenter},
        {&alignMiddleAct, "Shape-Align-Middle-32.png", QT_TR_NOOP("Align middle"), "actionAlignMiddle",
         &MainWindow::AlignMiddle},
        {&alignHeightAct, "Shape-Align-Height-32.png", QT_TR_NOOP("Align height"), "actionAlignHeight",
         &MainWindow::AlignHeight},
        {&alignWidthAct, "Shape-Align-Width-32.png", QT_TR_NOOP("Align width"), "actionAlignWidth",
         &MainWindow::AlignWidth},
        {&alignJoinVAct, "Shape-Align-JoinV-32.png", QT_TR_NOOP("Vertical join"), "actionJoinVertical",
         &MainWindow::AlignJoinVertical},
        {&alignJoinHAct, "Shape-Align-Join-32.png", QT_TR_NOOP("Horizontal join"), "actionJoinHorizontal",
         &MainWindow::AlignJoinHorizontal},
        {&textAlignRightAct, "Text-Align-Right.png", QT_TR_NOOP("Text align right"), "actionTextAlignRight",
         &MainWindow::TextAlignRight},
        {&textAlignCenterAct, "Text-Align-Center.png", QT_TR_NOOP("Text align center"), "actionTextAlignCenter",
         &MainWindow::TextAlignCenter},
        {&textAlignLeftAct, "Text-Align-Left.png", QT_TR_NOOP("Text align left"), "actionTextAlignLeft",
         &MainWindow::TextAlignLeft},
        // Font and size commands have no menu place yet; they do nothing.
        {&largeFontAct, "Shape-Align-Width-32.png", QT_TR_NOOP("Large font"), "actionLargeFont",
         &MainWindow::LargeFont},
        {&normalFontAct, "Shape-Align-Width-32.png", QT_TR_NOOP("Normal font"), "actionNormalFont",
         &MainWindow::NormalFont},
        {&tinyFontAct, "Shape-Align-Width-32.png", QT_TR_NOOP("Tiny font"), "actionTinyFont", &MainWindow::TinyFont},
        {&autoSizeAct, "Shape-Align-Width-32.png", QT_TR_NOOP("Autosize"), "actionAutoSize", &MainWindow::AutoSize},
    };
    for (const Off& a : offActions) {
        *a.act = new QAction(QIcon(QStringLiteral(":/images/") + QLatin1String(a.icon)), tr(a.text), this);
        (*a.act)->setObjectName(QLatin1String(a.name));
        (*a.act)->setEnabled(false);
        connect(*a.act, &QAction::triggered, this, a.slot);
    }
    propertiesAct->setObjectName(QStringLiteral("actionProperties"));
    sendAct->setObjectName(QStringLiteral("actionSend"));
    undoAct->setObjectName(QStringLiteral("actionUndo"));
    redoAct->setObjectName(QStringLiteral("actionRedo"));
    deleteAct->setObjectName(QStringLiteral("actionDelete"));

    airSpaceAct = new QAction(QIcon(QStringLiteral(":/images/airspace.png")), tr("Airspaces"), this);
    connect(airSpaceAct, &QAction::triggered, this, &MainWindow::OpenAirSpace);

    firmwareAct = new QAction(QIcon(QStringLiteral(":/images/firmwareinstall.png")), tr("Firmware"), this);
    connect(firmwareAct, &QAction::triggered, this, &MainWindow::OpenFirmware);
}

// The align and join actions in menu and tool bar order.
QList<QAction*> MainWindow::FormatActions() const
{
    return {alignTopAct,   alignBottomAct, alignLeftAct,   alignRightAct,  alignJoinHAct,
            alignJoinVAct, alignCenterAct, alignMiddleAct, alignHeightAct, alignWidthAct};
}

void MainWindow::CreateMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(newAct);
    fileMenu->addAction(openAct);
    fileMenu->addAction(saveAct);
    fileMenu->addAction(saveAsAct);
    separatorAct = fileMenu->addSeparator();
    for (QAction* act : recentFileActs)
        fileMenu->addAction(act);
    fileMenu->addSeparator();
    fileMenu->addAction(sendAct);
    fileMenu->addSeparator();
    fileMenu->addAction(quitAct);

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addActions({undoAct, redoAct});
    editMenu->addSeparator();
    deleteAct->setShortcuts(QKeySequence::Delete);
    editMenu->addActions({deleteAct, propertiesAct, preferencesAct});

    viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addActions({formatToolBarAct, fileToolBarAct});

    formatMenu = menuBar()->addMenu(tr("F&ormat"));
    formatMenu->addActions(FormatActions());
    formatMenu->addSeparator();
    formatMenu->addActions({textAlignLeftAct, textAlignCenterAct, textAlignRightAct});

    toolsMenu = menuBar()->addMenu(tr("&Tools"));
    toolsMenu->addActions({airSpaceAct, firmwareAct});
    QAction* flightAct = toolsMenu->addAction(tr("Flight preview…"), this, [this] { OpenFlightPreview(this); });
    flightAct->setObjectName(QStringLiteral("actionFlightPreview"));

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(aboutAct);

    updateRecentFileActions();
}

void MainWindow::CreateToolBars()
{
    FileToolBar = addToolBar(tr("File"));
    FileToolBar->setObjectName(QStringLiteral("FileToolBar"));
    FileToolBar->addActions({newAct, openAct, saveAct});
    FileToolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
    FileToolBar->setVisible(fileToolBarAct->isChecked());

    FormatingToolBar = addToolBar(tr("Formating"));
    FormatingToolBar->setObjectName(QStringLiteral("FormatingToolBar"));
    FormatingToolBar->addActions(FormatActions());
    FormatingToolBar->setAllowedAreas(Qt::AllToolBarAreas);

    EditingToolBar = addToolBar(tr("Editing"));
    EditingToolBar->setObjectName(QStringLiteral("EditingToolBar"));
    EditingToolBar->addActions({textAlignLeftAct, textAlignCenterAct, textAlignRightAct});
    EditingToolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
}

void MainWindow::FormatToolBarShow(bool show)
{
    FormatingToolBar->setVisible(show);
}

void MainWindow::FileToolBarShow(bool show)
{
    FileToolBar->setVisible(show);
}

void MainWindow::AboutAction()
{
    QMessageBox::about(this, tr("About"),
                       tr("Zarvin Designer\n\nDesigns the screen pages of Zarvin flight instruments "
                          "and sends them to the instrument."));
}
