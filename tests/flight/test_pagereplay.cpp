// Page switching by the triggers of the pages as a flight is replayed.
#include "flightpage.h"
#include "pagereplay.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// "3=32 5=2" gives page 3 the power-up trigger and page 5 the thermal one;
// "!5" disables page 5.
QVector<ReplayPage> Pages(const QString& setup)
{
    QVector<ReplayPage> pages(16);
    for (const QString& item : setup.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (item.startsWith(QLatin1Char('!')))
            pages[item.mid(1).toInt()].bDisabled = true;
        else
            pages[item.section(QLatin1Char('='), 0, 0).toInt()].uTrigger |=
                item.section(QLatin1Char('='), 1).toUInt();
    }
    return pages;
}

const QVector<FlightEvent> kEvents{{FlightEvent::Takeoff, 100, 10, {}},
                                   {FlightEvent::ThermalEntry, 200, 20, {}},
                                   {FlightEvent::ThermalExit, 300, 30, {}},
                                   {FlightEvent::AirspaceEntry, 400, 40, QStringLiteral("LSZH CTR")},
                                   {FlightEvent::Landing, 500, 50, {}}};

} // namespace

class TestPageReplay : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<qint64>("time");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("reason");
        QTest::newRow("power up page at the start") << "3=32 5=2" << qint64(50) << 3 << "Power up";
        QTest::newRow("no power-up page: first enabled") << "!0 !1 5=2" << qint64(50) << 2 << "first enabled page";
        QTest::newRow("disabled power-up page skipped") << "!3 3=32 5=2" << qint64(50) << 0 << "first enabled page";
        QTest::newRow("entering a thermal") << "3=32 5=2" << qint64(250) << 5 << "Entering thermal at 00:03:20";
        QTest::newRow("thermal without its page") << "3=32 6=4" << qint64(250) << 3 << "Power up";
        QTest::newRow("leaving the thermal")
            << "3=32 5=2 6=4" << qint64(350) << 6 << "Transition (leaving thermal) at 00:05:00";
        QTest::newRow("disabled thermal page skipped for the next")
            << "3=32 !5 5=2 9=2" << qint64(250) << 9 << "Entering thermal at 00:03:20";
        QTest::newRow("airspace warning")
            << "3=32 5=2 6=4 7=1" << qint64(450) << 7 << "Airspace warning at 00:06:40 (LSZH CTR)";
        QTest::newRow("one page, several triggers")
            << "4=39" << qint64(350) << 4 << "Transition (leaving thermal) at 00:05:00";
        QTest::newRow("every page disabled") << "!0 !1 !2 !3 !4 !5 !6 !7 !8 !9 !10 !11 !12 !13 !14 !15 5=2"
                                             << qint64(250) << 0 << "first enabled page";
    }
    void choice()
    {
        QFETCH(QString, setup);
        QFETCH(qint64, time);
        const PageChoice c = PageReplay::At(Pages(setup), kEvents, time);
        QTEST(c.iPage, "page");
        QTEST(ReplayReason(c, kEvents), "reason");
    }
};

QTEST_MAIN(TestPageReplay)
#include "test_pagereplay.moc"
