#include "mainwindow.h"
#include "airspacestore.h"
#include "appglobals.h"
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
#include <QSettings>
#include <QThread>
#include <QToolBar>

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
    setWindowTitle(tr("Zarvin Designer"));
    setWindowIcon(QIcon(QStringLiteral(":/images/main_design_iconSQ.png")));
    qDebug() << QString::fromLatin1("Pixel ratio %1").arg(devicePixelRatioF());

    StartCommandSender();
    StartCatalogueDownload();

    m_pWorkArea = new WorkArea(this);
    setCentralWidget(m_pWorkArea);
    m_iLastWorkX = -1;
    m_iLastWorkY = -1;
    m_pDragged = nullptr;
    m_iModified = 0;
    setMouseTracking(true);

    const QSize canvasSize(int(240.0f * m_fScale + 2.0f), int(320.0f * m_fScale + 2.0f));
    for (int i = 0; i < R8_PAGE_COUNT; ++i) {
        ScreenLayout* layout = new ScreenLayout(this, i);
        layout->hide();
        layout->SetZoom(m_fScale);
        layout->setGeometry(QRect(QPoint(0, 0), canvasSize));
        m_Layouts[i] = layout;
        ScreenThumb* thumb = new ScreenThumb(this, layout, i);
        thumb->show();
        m_Thumbs[i] = thumb;
        connect(layout, &ScreenLayout::RefreshThumb, thumb, &ScreenThumb::RefreshThumb);
        connect(thumb, &ScreenThumb::SelectPage, this, &MainWindow::SelectPage);
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
    AdjustGeometry();
    adjustSize();
    setMaximumSize(sizing.width, sizing.height);
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
    qDeleteAll(m_UndoList);
    m_UndoList.clear();
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
        {R8_TYPE_TALLSCALE, 0.3f, 60, 35},  {R8_TYPE_COMPASS, 0.5f, 0, 125}, {R8_TYPE_MAP, 0.5f, 0, 195},
        {R8_TYPE_BATTERY, 1.0f, 35, 275},   {R8_TYPE_SPEAKER, 1.0f, 0, 275}, {R8_TYPE_CELLINFO, 1.0f, 0, 307},
        {R8_TYPE_SATS, 1.0f, 25, 339},      {R8_TYPE_POINTER, 1.0f, 0, 374}, {R8_TYPE_WINDROSE, 0.5f, 45, 369},
        {R8_TYPE_GRAPH, 0.5f, 0, 429},      {R8_TYPE_DIAL, 0.5f, 0, 509},
    };
    const float s = m_fScale / 2.0f;
    const int x0 = ToolBoxX(m_fScale);
    for (const Sample& sample : samples) {
        R8element* el = new R8element(this, sample.iType, 0);
        el->SetZoom(sample.fZoom * s);
        el->SetBasePosition(QPoint(x0 + sample.iDx, ToolBoxY(m_fScale, sample.iRow)));
        el->Restore();
        el->SetPages(R8_ALL_PAGES);
        m_ToolBox.append(el);
    }
}

void MainWindow::AdjustGeometry()
{
    const QPoint at = m_pWorkArea->pos();
    if (at.x() == m_iLastWorkX && at.y() == m_iLastWorkY)
        return;
    m_iLastWorkX = at.x();
    m_iLastWorkY = at.y();
    const int bx = at.x() + 10;
    const int by = at.y() + 15;
    const QSize canvasSize(int(240.0f * m_fScale + 2.0f), int(320.0f * m_fScale + 2.0f));
    for (ScreenLayout* layout : m_Layouts)
        layout->setGeometry(QRect(QPoint(bx + 130, by), canvasSize));
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        m_Thumbs[i]->setGeometry(bx + (i % 2) * 48, by + (i / 2) * 64, 48, 64);
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

void MainWindow::CleanUnusedElements() {}

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

    sendAct = new QAction(QIcon(QStringLiteral(":/images/Update.png")), tr("S&end to device"), this);
    sendAct->setShortcuts(QKeySequence::Refresh);
    connect(sendAct, &QAction::triggered, this, &MainWindow::SendToDevice);

    receiveAct = new QAction(tr("&Receive from device"), this);
    connect(receiveAct, &QAction::triggered, this, &MainWindow::ReceiveLayout);

    undoAct = new QAction(QIcon(QStringLiteral(":/images/Arrow-Rotate-Anticlockwise.png")), tr("&Undo"), this);
    undoAct->setShortcuts(QKeySequence::Undo);
    connect(undoAct, &QAction::triggered, this, &MainWindow::UnDo);

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
        {&alignLeftAct, "Shape-Align-Left-32.png", QT_TR_NOOP("Align left"), "actionAlignLeft", &MainWindow::AlignLeft},
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

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAct);
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
