#pragma once
#include "flightairspace.h"
#include "flighttrack.h"
#include "pagereplay.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <memory>

class MainWindow;
class QComboBox;
class QLabel;
class QPushButton;
class FlightPreview;

// The time slider, with the flight's events marked under it.
class FlightEventSlider : public QSlider
{
    Q_OBJECT
public:
    explicit FlightEventSlider(QWidget* parent);
    void SetEvents(const QVector<FlightEvent>& events, qint64 iStart);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<FlightEvent> m_Events;
    qint64 m_iStart = 0;
};

// The current page as the instrument shows it, with the flight's values.
class FlightPageView : public QWidget
{
    Q_OBJECT
public:
    explicit FlightPageView(FlightPreview* preview);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlightPreview* m_pPreview;
};

// The whole track seen from above, the events on it and where the glider is.
class FlightTrackView : public QWidget
{
    Q_OBJECT
public:
    explicit FlightTrackView(FlightPreview* preview);
    QSize sizeHint() const override { return QSize(220, 220); }
    void Reset() { m_Cache = QPixmap(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF Map(double dLat, double dLon) const;
    FlightPreview* m_pPreview;
    QPixmap m_Cache;
    QRectF m_Bounds; // lon/lat of the track, x = lon scaled by cos(lat)
    double m_dCos = 1.0;
};

// Tools > Flight preview: replays a recorded flight through the layout of
// the main window. Non-modal; edits of the layout show at once.
class FlightPreview : public QWidget
{
    Q_OBJECT
public:
    FlightPreview(MainWindow* pMainWindow, const IgcLog& log, const QString& strFile);

    // Replaces the flight (the airspaces stay).
    void SetFlight(const IgcLog& log, const QString& strFile);
    // Airspaces whose entry fires "Airspace warning"; rebuilds the events.
    void SetAirspaces(const FlightAirspaces& airspaces);

    const FlightTrack& Track() const { return *m_pTrack; }
    qint64 Time() const { return qint64(m_dTime); }
    void SetTime(qint64 iTime);
    int Speed() const { return m_iSpeed; }
    void SetSpeed(int iSpeed);
    float Zoom() const { return m_fZoom; }
    void SetZoom(float fZoom);
    bool IsPlaying() const { return m_Timer.isActive(); }
    int CurrentFix() const { return m_pTrack->FixAt(Time()); }
    PageChoice CurrentPage() const;
    QString PageText() const; // the page shown and why
    // Paints what the page view shows, at the preview's zoom.
    void PaintPage(QPainter& painter) const;

    static const int kSpeeds[];

public slots:
    void Play();
    void Pause();
    void TogglePlay();
    void LayoutChanged();
    // Asks for an OpenAir file and checks the flight against its airspaces.
    void OpenAirspaces();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Tick();
    void RebuildTrack();
    void ShowTime();

    MainWindow* m_pMainWindow;
    IgcLog m_Log;
    QString m_strFile;
    FlightAirspaces m_Airspaces;
    std::unique_ptr<FlightTrack> m_pTrack;
    double m_dTime = 0.0;
    int m_iSpeed = 10;
    float m_fZoom = 1.5f;
    QTimer m_Timer;
    QElapsedTimer m_Clock;

    FlightPageView* m_pPageView = nullptr;
    FlightTrackView* m_pTrackView = nullptr;
    FlightEventSlider* m_pSlider = nullptr;
    QPushButton* m_pPlay = nullptr;
    QComboBox* m_pSpeed = nullptr;
    QComboBox* m_pZoom = nullptr;
    QLabel* m_pTime = nullptr;
    QLabel* m_pPage = nullptr;
    QLabel* m_pInfo = nullptr;
};

// Asks for an IGC file and shows it in the main window's flight preview
// (made on first use, reused after). A file that cannot be read is
// reported and changes nothing.
void OpenFlightPreview(MainWindow* pMainWindow);
// The open flight preview, or null.
FlightPreview* CurrentFlightPreview();
// Hands the airspaces checked in the airspace dialog to the open preview,
// when there is one and they are not empty (airspaces the preview read
// itself stay otherwise).
void ShareAirspaces(MainWindow* pMainWindow);
