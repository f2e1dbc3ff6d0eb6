// The flight preview on the real main window, offscreen, replaying a real
// IGC log: the page the triggers choose, live values painted, layout and
// page edits shown at once, playing to the end, and the airspaces checked
// in the airspace list warning.
#include "airspacestore.h"
#include "flightairspaceload.h"
#include "flightpage.h"
#include "flightpreview.h"
#include "screenthumb.h"
#include "windowhost.h"

#include <QLabel>

using namespace WindowHost;

class TestFlightPreview : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    FlightPreview* preview = nullptr;

    void SetPage(int iPage, unsigned int uTrigger, int iDisabled)
    {
        QVector<PageProps> pages = w->PagesProps();
        pages[iPage].Trigger = uTrigger;
        pages[iPage].Disabled = iDisabled;
        w->SetPagesProps(pages);
    }
    // Shows the flight at a time after the first event of a kind.
    void ShowEvent(FlightEvent::Kind kind, int iAfter = 0)
    {
        for (const FlightEvent& e : preview->Track().Events())
            if (e.kind == kind)
                return preview->SetTime(e.iTime + iAfter);
        QFAIL("no such event in the flight");
    }

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }
    void init()
    {
        w = std::make_unique<MainWindow>();
        // Page 2 on power up, page 5 in thermals; page 4 also claims
        // thermals but is disabled. An altitude box on both shown pages.
        SetPage(2, kTriggerPowerUp, 0);
        SetPage(4, kTriggerThermal, 1);
        SetPage(5, kTriggerThermal, 0);
        Place(*w, R8_TYPE_DATAFIELD, QPoint(10, 10), 1u << 2 | 1u << 5, 33)->ElementSelect(1);
        IgcLog log;
        QString error;
        QVERIFY2(IgcFile::ReadFile(TestEnv::IgcDir() + QLatin1String("/napret.igc"), &log, &error),
                 qPrintable(error));
        preview = new FlightPreview(w.get(), log, QStringLiteral("napret.igc"));
        preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
    }
    void cleanup() { w.reset(); } // takes the preview with it

    void pageFollowsTheTriggers()
    {
        preview->SetTime(preview->Track().StartTime());
        QCOMPARE(preview->CurrentPage().iPage, 2);
        ShowEvent(FlightEvent::ThermalEntry, 5);
        QCOMPARE(preview->CurrentPage().iPage, 5); // the disabled page 4 is skipped
        // Page property edits show at once, also in the paused window's text.
        SetPage(5, kTriggerThermal, 1);
        QCOMPARE(preview->CurrentPage().iPage, 2);
        emit w->Thumb(5)->NewTrigger(5, kTriggerThermal); // what the page properties dialog sends
        QStringList texts;
        for (QLabel* label : preview->findChildren<QLabel*>())
            texts << label->text();
        QVERIFY2(!texts.filter(QRegularExpression(QStringLiteral("^Page 2"))).isEmpty(),
                 qPrintable(texts.join('|')));
    }

    // The page is drawn as on the instrument (white, no selection pattern),
    // with the flight's values, and repainted when the layout changes.
    void valuesAndEditsArePainted()
    {
        ShowEvent(FlightEvent::ThermalEntry, 5);
        QWidget* view = preview->findChild<FlightPageView*>();
        QCoreApplication::processEvents();
        const QImage live = view->grab().toImage();
        QCOMPARE(live.pixelColor(live.width() / 2, live.height() - 4), QColor(Qt::white));
        const FlightTrack& track = preview->Track();
        const double altitude = track.Value(preview->CurrentFix(), FlightQuantity::Altitude);
        qint64 other = preview->Time();
        while (track.Value(track.FixAt(other), FlightQuantity::Altitude) == altitude)
            other += 10;
        preview->SetTime(other);
        QTRY_VERIFY(view->grab().toImage() != live); // other digits
        const QImage later = view->grab().toImage();
        w->Elements().at(0)->SetPosition(QPoint(60, 120));
        w->Elements().at(0)->CommitMove(); // what the canvas does after a drag: repaint the pages
        QTRY_VERIFY(view->grab().toImage() != later);
        if (!qEnvironmentVariableIsEmpty("R8_FLIGHT_SHOT"))
            preview->grab().save(qEnvironmentVariable("R8_FLIGHT_SHOT"));
    }

    void playingStopsAtTheEnd()
    {
        preview->SetTime(preview->Track().EndTime() - 2);
        preview->Play();
        QVERIFY(preview->IsPlaying());
        QTRY_VERIFY(!preview->IsPlaying());
        QCOMPARE(preview->Time(), preview->Track().EndTime());
    }

    // Two circles round a point of the flight, loaded as in the airspace
    // dialog; only the checked one (what the instrument would hold) counts.
    void airspacesFireTheWarningPage()
    {
        SetPage(6, kTriggerAirspace, 0);
        const IgcFix& fix = preview->Track().Fix(preview->Track().FixAt(12 * 3600 + 40 * 60));
        const auto dms = [](double deg, char pos, char neg) {
            const int s = int(std::lround(std::abs(deg) * 3600));
            return QString::asprintf("%d:%d:%d %c", s / 3600, s / 60 % 60, s % 60, deg < 0 ? neg : pos);
        };
        const QString circle = QStringLiteral("AL SFC\nAH 3000M\nV X=%1 %2\nDC 0.2\n")
                                   .arg(dms(fix.dLat, 'N', 'S'), dms(fix.dLon, 'E', 'W'));
        AirspaceStore* store = w->Airspaces();
        store->LoadData(QStringLiteral("spots.txt"),
                        ("AC R\nAN UNCHECKED\n" + circle + "AC R\nAN SPOT\n" + circle).toLatin1());
        store->SetAirspaceChecked(0, false);
        FlightAirspaces airspaces;
        AddStoreAirspaces(*store, &airspaces);
        preview->SetAirspaces(airspaces);
        ShowEvent(FlightEvent::AirspaceEntry);
        QCOMPARE(preview->CurrentPage().iPage, 6);
        QVERIFY(preview->PageText().contains(QLatin1String("Airspace warning")));
        QVERIFY(preview->PageText().contains(QLatin1String("SPOT")));
    }
};

QTEST_MAIN(TestFlightPreview)
#include "test_flightpreview.moc"
