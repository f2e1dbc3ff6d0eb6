#include "flightpreview.h"
#include "flightairspaceload.h"
#include "flightpage.h"
#include "mainwindow.h"
#include "r8element.h"
#include "screenthumb.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kFrameMs = 40; // 25 frames a second
const float s_Zooms[] = {1.0f, 1.5f, 2.0f, 2.5f, 3.0f};

QColor EventColour(FlightEvent::Kind kind)
{
    switch (kind) {
    case FlightEvent::Takeoff:
        return QColor(0, 150, 0);
    case FlightEvent::Landing:
        return QColor(200, 0, 0);
    case FlightEvent::ThermalEntry:
        return QColor(230, 130, 0);
    case FlightEvent::ThermalExit:
        return QColor(60, 110, 220);
    case FlightEvent::AirspaceEntry:
        return QColor(160, 0, 160);
    }
    return Qt::black;
}

} // namespace

const int FlightPreview::kSpeeds[] = {1, 2, 5, 10, 20, 30, 60};

// --- time slider -----------------------------------------------------------

FlightEventSlider::FlightEventSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
    setMinimumHeight(30);
}

void FlightEventSlider::SetEvents(const QVector<FlightEvent>& events, qint64 iStart)
{
    m_Events = events;
    m_iStart = iStart;
    update();
}

void FlightEventSlider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    QPainter painter(this);
    for (const FlightEvent& e : qAsConst(m_Events)) {
        const int x = groove.left() + handle.width() / 2
                      + QStyle::sliderPositionFromValue(minimum(), maximum(), int(e.iTime - m_iStart), span);
        painter.setPen(QPen(EventColour(e.kind), 2));
        painter.drawLine(x, height() - 7, x, height() - 1);
    }
}

// --- page view -------------------------------------------------------------

FlightPageView::FlightPageView(FlightPreview* preview)
    : QWidget(preview)
    , m_pPreview(preview)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize FlightPageView::sizeHint() const
{
    const float z = m_pPreview->Zoom();
    return QSize(int(R8_SCREEN_WIDTH * z) + 2, int(R8_SCREEN_HEIGHT * z) + 2);
}

void FlightPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.translate(1, 1);
    m_pPreview->PaintPage(painter);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    const float z = m_pPreview->Zoom();
    painter.drawRect(QRectF(-1, -1, R8_SCREEN_WIDTH * z + 1, R8_SCREEN_HEIGHT * z + 1));
}

// --- track view ------------------------------------------------------------

FlightTrackView::FlightTrackView(FlightPreview* preview)
    : QWidget(preview)
    , m_pPreview(preview)
{
    setMinimumSize(160, 160);
}

QPointF FlightTrackView::Map(double dLat, double dLon) const
{
    const double s = std::min((width() - 10) / std::max(1e-9, m_Bounds.width()),
                              (height() - 10) / std::max(1e-9, m_Bounds.height()));
    // Centred in the view, north up.
    const double dx = (width() - m_Bounds.width() * s) / 2;
    const double dy = (height() - m_Bounds.height() * s) / 2;
    return QPointF(dx + (dLon * m_dCos - m_Bounds.left()) * s, height() - dy - (dLat - m_Bounds.top()) * s);
}

void FlightTrackView::paintEvent(QPaintEvent*)
{
    const FlightTrack& track = m_pPreview->Track();
    if (m_Cache.size() != size() * devicePixelRatioF()) {
        // The track is drawn once per size; each frame adds the glider.
        m_dCos = std::cos(track.Fix(0).dLat * M_PI / 180.0);
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (int i = 0; i < track.FixCount(); ++i) {
            const IgcFix& f = track.Fix(i);
            x0 = std::min(x0, f.dLon * m_dCos);
            x1 = std::max(x1, f.dLon * m_dCos);
            y0 = std::min(y0, f.dLat);
            y1 = std::max(y1, f.dLat);
        }
        m_Bounds = QRectF(x0, y0, x1 - x0, y1 - y0);
        m_Cache = QPixmap(size() * devicePixelRatioF());
        m_Cache.setDevicePixelRatio(devicePixelRatioF());
        m_Cache.fill(Qt::white);
        QPainter p(&m_Cache);
        p.setRenderHint(QPainter::Antialiasing);
        QPolygonF line;
        line.reserve(track.FixCount());
        for (int i = 0; i < track.FixCount(); ++i)
            line << Map(track.Fix(i).dLat, track.Fix(i).dLon);
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.drawPolyline(line);
        for (const FlightEvent& e : track.Events()) {
            p.setPen(Qt::NoPen);
            p.setBrush(EventColour(e.kind));
            p.drawEllipse(Map(track.Fix(e.iFix).dLat, track.Fix(e.iFix).dLon), 2.5, 2.5);
        }
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_Cache);
    painter.setRenderHint(QPainter::Antialiasing);
    const IgcFix& now = track.Fix(m_pPreview->CurrentFix());
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(Map(now.dLat, now.dLon), 5, 5);
}

// --- preview window --------------------------------------------------------

FlightPreview::FlightPreview(MainWindow* pMainWindow, const IgcLog& log, const QString& strFile)
    : QWidget(pMainWindow, Qt::Window)
    , m_pMainWindow(pMainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FlightPreview"));
    m_Log = log;
    m_strFile = strFile;
    m_pPageView = new FlightPageView(this);
    m_pTrackView = new FlightTrackView(this);
    m_pSlider = new FlightEventSlider(this);
    m_pPlay = new QPushButton(tr("Play"), this);
    m_pSpeed = new QComboBox(this);
    for (int s : kSpeeds)
        m_pSpeed->addItem(tr("%1×").arg(s), s);
    m_pZoom = new QComboBox(this);
    for (float z : s_Zooms)
        m_pZoom->addItem(tr("Zoom %1").arg(double(z)), double(z));
    auto* airspaces = new QPushButton(tr("Airspaces…"), this);
    airspaces->setToolTip(tr("Read an OpenAir file: entering its airspaces fires \"Airspace warning\""));
    m_pTime = new QLabel(this);
    m_pPage = new QLabel(this);
    m_pPage->setWordWrap(true);
    m_pInfo = new QLabel(this);
    m_pInfo->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_pPlay);
    controls->addWidget(m_pSpeed);
    controls->addWidget(m_pZoom);
    controls->addWidget(airspaces);
    controls->addWidget(m_pTime, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pTrackView, 1);
    side->addWidget(m_pPage);
    side->addWidget(m_pInfo);
    auto* top = new QHBoxLayout;
    top->addWidget(m_pPageView, 0, Qt::AlignTop);
    top->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_pSlider);
    layout->addLayout(controls);

    m_Timer.setInterval(kFrameMs);
    connect(&m_Timer, &QTimer::timeout, this, &FlightPreview::Tick);
    connect(m_pPlay, &QPushButton::clicked, this, &FlightPreview::TogglePlay);
    connect(m_pSlider, &QSlider::valueChanged, this, [this](int v) { SetTime(m_pTrack->StartTime() + v); });
    connect(m_pSpeed, QOverload<int>::of(&QComboBox::activated), this,
            [this](int i) { SetSpeed(m_pSpeed->itemData(i).toInt()); });
    connect(m_pZoom, QOverload<int>::of(&QComboBox::activated), this,
            [this](int i) { SetZoom(float(m_pZoom->itemData(i).toDouble())); });
    connect(airspaces, &QPushButton::clicked, this, &FlightPreview::OpenAirspaces);
    connect(pMainWindow, &MainWindow::UpdateLayout, this, &FlightPreview::LayoutChanged);
    // Page properties (triggers, names, disabled) change without a repaint of
    // the pages; the page strip tells when.
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        connect(pMainWindow->Thumb(i), &ScreenThumb::NewTrigger, this, &FlightPreview::LayoutChanged);

    SetSpeed(m_iSpeed);
    SetZoom(m_fZoom);
    RebuildTrack();
}

void FlightPreview::SetFlight(const IgcLog& log, const QString& strFile)
{
    Pause();
    m_Log = log;
    m_strFile = strFile;
    RebuildTrack();
    SetTime(m_pTrack->StartTime());
}

void FlightPreview::SetAirspaces(const FlightAirspaces& airspaces)
{
    m_Airspaces = airspaces;
    RebuildTrack();
}

void FlightPreview::OpenAirspaces()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open airspaces"), QDir::homePath(),
                                                      tr("OpenAir files (*.txt *.air);;All files (*)"));
    if (path.isEmpty())
        return;
    FlightAirspaces airspaces;
    QString error;
    if (!LoadFlightAirspaces(path, &airspaces, &error)) {
        QMessageBox::warning(this, windowTitle(), error);
        return;
    }
    SetAirspaces(airspaces);
}

void FlightPreview::RebuildTrack()
{
    m_pTrack = std::make_unique<FlightTrack>(m_Log, &m_Airspaces);
    setWindowTitle(tr("Flight preview - %1").arg(QFileInfo(m_strFile).fileName()));
    const QSignalBlocker block(m_pSlider);
    m_pSlider->setRange(0, int(m_pTrack->EndTime() - m_pTrack->StartTime()));
    m_pSlider->setPageStep(60);
    m_pSlider->SetEvents(m_pTrack->Events(), m_pTrack->StartTime());
    m_pTrackView->Reset();
    QString info = tr("%1, %2 fixes, %3 flight(s), %4 event(s), %5 airspace(s)")
                       .arg(m_Log.date.isValid() ? m_Log.date.toString(Qt::ISODate) : tr("no date"))
                       .arg(m_pTrack->FixCount())
                       .arg(m_pTrack->Legs().size())
                       .arg(m_pTrack->Events().size())
                       .arg(m_Airspaces.All().size());
    if (!m_Log.warnings.isEmpty()) {
        info += QLatin1Char('\n') + tr("%1 line(s) of the file skipped").arg(m_Log.warnings.size());
        m_pInfo->setToolTip(m_Log.warnings.join(QLatin1Char('\n')));
    } else {
        m_pInfo->setToolTip(QString());
    }
    m_pInfo->setText(info);
    SetTime(qint64(m_dTime));
}

void FlightPreview::SetTime(qint64 iTime)
{
    m_dTime = double(qBound(m_pTrack->StartTime(), iTime, m_pTrack->EndTime()));
    ShowTime();
}

void FlightPreview::SetSpeed(int iSpeed)
{
    m_iSpeed = std::max(1, iSpeed);
    const int i = m_pSpeed->findData(m_iSpeed);
    if (i >= 0)
        m_pSpeed->setCurrentIndex(i);
}

void FlightPreview::SetZoom(float fZoom)
{
    m_fZoom = fZoom;
    const int i = m_pZoom->findData(double(fZoom));
    if (i >= 0)
        m_pZoom->setCurrentIndex(i);
    m_pPageView->setFixedSize(m_pPageView->sizeHint());
    m_pPageView->update();
}

PageChoice FlightPreview::CurrentPage() const
{
    return PageReplay::At(ReplayPagesOf(m_pMainWindow->PagesProps()), m_pTrack->Events(), Time());
}

QString FlightPreview::PageText() const
{
    const PageChoice choice = CurrentPage();
    const QString name = m_pMainWindow->PagesProps().value(choice.iPage).Name;
    const QString page =
        name.isEmpty() ? tr("Page %1").arg(choice.iPage) : tr("Page %1 \"%2\"").arg(choice.iPage).arg(name);
    return tr("%1: %2").arg(page, ReplayReason(choice, m_pTrack->Events()));
}

void FlightPreview::PaintPage(QPainter& painter) const
{
    const int iPage = CurrentPage().iPage;
    const FlightFieldText values(*m_pTrack, CurrentFix(), iPage);
    PaintFlightPage(painter, m_pMainWindow->Elements(), iPage, m_fZoom, values);
}

void FlightPreview::Play()
{
    if (Time() >= m_pTrack->EndTime())
        SetTime(m_pTrack->StartTime());
    m_Clock.start();
    m_Timer.start();
    m_pPlay->setText(tr("Pause"));
}

void FlightPreview::Pause()
{
    m_Timer.stop();
    m_pPlay->setText(tr("Play"));
}

void FlightPreview::TogglePlay()
{
    if (IsPlaying())
        Pause();
    else
        Play();
}

void FlightPreview::LayoutChanged()
{
    m_pPageView->update();
    m_pPage->setText(PageText());
}

void FlightPreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        TogglePlay();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FlightPreview::Tick()
{
    // Real elapsed time, so a slow frame does not slow the flight down.
    const double dElapsed = m_Clock.restart() / 1000.0;
    m_dTime = std::min(double(m_pTrack->EndTime()), m_dTime + dElapsed * m_iSpeed);
    ShowTime();
    if (Time() >= m_pTrack->EndTime())
        Pause();
}

void FlightPreview::ShowTime()
{
    const int iFix = CurrentFix();
    QString state;
    if (m_pTrack->IsInThermal(iFix))
        state = tr(", in a thermal");
    else if (m_pTrack->IsAirborne(iFix))
        state = tr(", in flight");
    m_pTime->setText(tr("%1 UTC%2").arg(IgcFile::TimeText(Time()), state));
    m_pPage->setText(PageText());
    {
        const QSignalBlocker block(m_pSlider);
        m_pSlider->setValue(int(Time() - m_pTrack->StartTime()));
    }
    m_pPageView->update();
    m_pTrackView->update();
}

namespace {
// The one preview window, built on first use (not at library load).
QPointer<FlightPreview>& PreviewWindow()
{
    static QPointer<FlightPreview> s_pPreview;
    return s_pPreview;
}
} // namespace

FlightPreview* CurrentFlightPreview()
{
    return PreviewWindow().data();
}

void ShareAirspaces(MainWindow* pMainWindow)
{
    FlightPreview* preview = CurrentFlightPreview();
    if (!preview)
        return;
    FlightAirspaces airspaces;
    AddStoreAirspaces(*pMainWindow->Airspaces(), &airspaces);
    if (!airspaces.IsEmpty())
        preview->SetAirspaces(airspaces);
}

void OpenFlightPreview(MainWindow* pMainWindow)
{
    QPointer<FlightPreview>& preview = PreviewWindow();
    const QString path =
        QFileDialog::getOpenFileName(pMainWindow, FlightPreview::tr("Open a flight"), QDir::homePath(),
                                     FlightPreview::tr("IGC flight logs (*.igc *.IGC);;All files (*)"));
    if (path.isEmpty())
        return;
    IgcLog log;
    QString error;
    if (!IgcFile::ReadFile(path, &log, &error)) {
        QMessageBox::warning(pMainWindow, FlightPreview::tr("Flight preview"), error);
        return;
    }
    if (preview) {
        preview->SetFlight(log, path);
    } else {
        preview = new FlightPreview(pMainWindow, log, path);
    }
    ShareAirspaces(pMainWindow);
    preview->show();
    preview->raise();
    preview->activateWindow();
}
