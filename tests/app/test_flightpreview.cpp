// The flight preview on the real main window, offscreen: the page chosen by
// the triggers, live values painted, layout edits shown at once, playing.
#include "airspacestore.h"
#include "appglobals.h"
#include "datafields.h"
#include "flightairspaceload.h"
#include "flightpage.h"
#include "flightpreview.h"
#include "mainwindow.h"
#include "r8element.h"
#include "screenthumb.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QtTest>

namespace {

IgcLog Napret()
{
    IgcLog log;
    QString error;
    IgcFile::ReadFile(QDir(qEnvironmentVariable("R8_IGC_DIR")).filePath(QStringLiteral("napret.igc")), &log, &error);
    return log;
}

QImage PageImage(const FlightPreview& preview)
{
    QImage image(int(240 * preview.Zoom()), int(320 * preview.Zoom()), QImage::Format_ARGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    preview.PaintPage(painter);
    return image;
}

// A sample-digits rendering of the same page, for comparison.
class NoValues : public FieldTextSource
{
public:
    QString FieldText(int, int) const override { return QString(); }
};

class PaintCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestFlightPreview : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void toolsMenuHasTheAction();
    void pageFollowsTheTriggers();
    void liveValuesArePainted();
    void layoutEditsShowAtOnce();
    void playsAtTheChosenSpeed();
    void airspacesFireTheWarningPage();

private:
    MainWindow* w = nullptr;
    FlightPreview* preview = nullptr;
    R8element* altitude = nullptr;
    qint64 thermalTime = -1;
};

void TestFlightPreview::initTestCase()
{
    QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
}

void TestFlightPreview::init()
{
    w = new MainWindow;
    // Page 2 on power up, page 5 in thermals; page 4 also claims thermals
    // but is disabled.
    QVector<PageProps> pages = w->PagesProps();
    pages[2].Trigger = kTriggerPowerUp;
    pages[4].Trigger = kTriggerThermal;
    pages[4].Disabled = 1;
    pages[5].Trigger = kTriggerThermal;
    w->SetPagesProps(pages);
    altitude = w->Elements().value(w->AddElement(R8_TYPE_DATAFIELD));
    altitude->SetField(33);
    altitude->SetPages(1u << 2 | 1u << 5);
    altitude->SetPosition(QPoint(10, 10));
    altitude->ElementSelect(1); // the preview draws no selection marks
    preview = new FlightPreview(w, Napret(), QStringLiteral("napret.igc"));
    QVERIFY(preview->Track().FixCount() > 5000);
    for (const FlightEvent& e : preview->Track().Events())
        if (e.kind == FlightEvent::ThermalEntry && thermalTime < 0)
            thermalTime = e.iTime + 5;
    QVERIFY(thermalTime > 0);
}

void TestFlightPreview::cleanup()
{
    delete w; // takes the preview with it
    w = nullptr;
    preview = nullptr;
}

void TestFlightPreview::toolsMenuHasTheAction()
{
    QAction* act = w->findChild<QAction*>(QStringLiteral("actionFlightPreview"));
    QVERIFY(act);
    QCOMPARE(act->text(), QStringLiteral("Flight preview…"));
    bool inTools = false;
    for (QAction* menu : w->menuBar()->actions())
        if (menu->menu() && menu->menu()->actions().contains(act))
            inTools = menu->text() == QLatin1String("&Tools");
    QVERIFY(inTools);
}

void TestFlightPreview::pageFollowsTheTriggers()
{
    preview->SetTime(preview->Track().StartTime());
    QCOMPARE(preview->CurrentPage().iPage, 2);
    QVERIFY(preview->PageText().contains(QLatin1String("Power up")));
    preview->SetTime(thermalTime);
    QCOMPARE(preview->CurrentPage().iPage, 5); // the disabled page 4 is skipped
    QVERIFY(preview->PageText().contains(QLatin1String("Entering thermal")));
    // Page property edits show at once, also in the paused window's text.
    QLabel* label = nullptr;
    for (QLabel* l : preview->findChildren<QLabel*>())
        if (l->text().startsWith(QLatin1String("Page 5")))
            label = l;
    QVERIFY(label);
    QVector<PageProps> pages = w->PagesProps();
    pages[5].Disabled = 1;
    w->SetPagesProps(pages);
    QCOMPARE(preview->CurrentPage().iPage, 2);
    emit w->Thumb(5)->NewTrigger(5, kTriggerThermal); // what the page properties dialog sends
    QVERIFY2(label->text().startsWith(QLatin1String("Page 2")), qPrintable(label->text()));
}

void TestFlightPreview::liveValuesArePainted()
{
    preview->SetTime(thermalTime);
    const QImage live = PageImage(*preview);
    QImage sample(live.size(), QImage::Format_ARGB32);
    sample.fill(Qt::gray);
    {
        QPainter painter(&sample);
        PaintFlightPage(painter, w->Elements(), 5, preview->Zoom(), NoValues());
    }
    QVERIFY(live != sample);
    // Another altitude later in the flight paints other digits.
    const int iFix = preview->CurrentFix();
    qint64 other = thermalTime;
    while (preview->Track().Value(preview->Track().FixAt(other), FlightQuantity::Altitude)
           == preview->Track().Value(iFix, FlightQuantity::Altitude))
        other += 10;
    preview->SetTime(other);
    QVERIFY(PageImage(*preview) != live);
    // The page is drawn as on the instrument: white, no selection pattern.
    QCOMPARE(live.pixelColor(live.width() - 2, live.height() - 2), QColor(Qt::white));
}

void TestFlightPreview::layoutEditsShowAtOnce()
{
    preview->show();
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    preview->SetTime(thermalTime);
    QWidget* view = preview->findChild<FlightPageView*>();
    QVERIFY(view);
    QCoreApplication::processEvents();
    PaintCounter paints;
    view->installEventFilter(&paints);
    const QImage before = view->grab().toImage();
    paints.count = 0;
    altitude->SetPosition(QPoint(60, 120));
    altitude->CommitMove();        // what the canvas does after a drag: repaint the pages
    QTRY_VERIFY(paints.count > 0); // the paused preview repainted on its own
    QVERIFY(view->grab().toImage() != before);
    if (!qEnvironmentVariableIsEmpty("R8_FLIGHT_SHOT"))
        preview->grab().save(qEnvironmentVariable("R8_FLIGHT_SHOT"));
}

void TestFlightPreview::playsAtTheChosenSpeed()
{
    preview->SetTime(preview->Track().StartTime());
    preview->SetSpeed(60);
    preview->Play();
    QVERIFY(preview->IsPlaying());
    QTest::qWait(1000);
    preview->Pause();
    // About a minute of flight in a second; timers on a busy machine lag.
    const qint64 flown = preview->Time() - preview->Track().StartTime();
    QVERIFY2(flown >= 30 && flown <= 75, qPrintable(QString::number(flown)));
    // At the end it stops by itself.
    preview->SetTime(preview->Track().EndTime() - 2);
    preview->Play();
    QTRY_VERIFY(!preview->IsPlaying());
    QCOMPARE(preview->Time(), preview->Track().EndTime());
}

void TestFlightPreview::airspacesFireTheWarningPage()
{
    QVector<PageProps> pages = w->PagesProps();
    pages[6].Trigger = kTriggerAirspace;
    w->SetPagesProps(pages);
    // Two circles round a point of the flight, loaded as in the airspace
    // dialog; only the checked one (what the instrument would hold) counts.
    const IgcFix& fix = preview->Track().Fix(preview->Track().FixAt(12 * 3600 + 40 * 60));
    const auto dms = [](double deg, char pos, char neg) {
        const int s = int(std::lround(std::abs(deg) * 3600));
        return QStringLiteral("%1:%2:%3 %4")
            .arg(s / 3600)
            .arg(s / 60 % 60)
            .arg(s % 60)
            .arg(QChar(deg < 0 ? neg : pos));
    };
    const QString centre = dms(fix.dLat, 'N', 'S') + QLatin1Char(' ') + dms(fix.dLon, 'E', 'W');
    const QString circle = QStringLiteral("AL SFC\nAH 3000M\nV X=%1\nDC 0.2\n").arg(centre);
    AirspaceStore* store = w->Airspaces();
    store->LoadData(QStringLiteral("spots.txt"),
                    ("AC R\nAN SPOT\n" + circle + "AC R\nAN UNCHECKED\n" + circle).toLatin1());
    store->SetAirspaceChecked(1, false);
    FlightAirspaces airspaces;
    AddStoreAirspaces(*store, &airspaces);
    QCOMPARE(airspaces.All().size(), 1);
    preview->SetAirspaces(airspaces);
    qint64 entry = -1;
    for (const FlightEvent& e : preview->Track().Events())
        if (e.kind == FlightEvent::AirspaceEntry && e.strDetail == QLatin1String("SPOT") && entry < 0)
            entry = e.iTime;
    QVERIFY(entry > 0);
    preview->SetTime(entry);
    QCOMPARE(preview->CurrentPage().iPage, 6);
    QVERIFY(preview->PageText().contains(QLatin1String("Airspace warning")));
    QVERIFY(preview->PageText().contains(QLatin1String("SPOT")));
}

QTEST_MAIN(TestFlightPreview)
#include "test_flightpreview.moc"
