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
        if (item.startsWith(QLatin1Char('!'))) {
            pages[item.mid(1).toInt()].bDisabled = true;
        } else {
            const QStringList kv = item.split(QLatin1Char('='));
            pages[kv.at(0).toInt()].uTrigger |= kv.at(1).toUInt();
        }
    }
    return pages;
}

QVector<FlightEvent> Events()
{
    return {FlightEvent{FlightEvent::Takeoff, 100, 10, {}}, FlightEvent{FlightEvent::ThermalEntry, 200, 20, {}},
            FlightEvent{FlightEvent::ThermalExit, 300, 30, {}},
            FlightEvent{FlightEvent::AirspaceEntry, 400, 40, QStringLiteral("LSZH CTR")},
            FlightEvent{FlightEvent::Landing, 500, 50, {}}};
}

} // namespace

class TestPageReplay : public QObject
{
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void reason();
};

void TestPageReplay::choice_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<int>("page");
    QTest::addColumn<uint>("trigger");
    QTest::newRow("power up page at the start") << "3=32 5=2" << qint64(50) << 3 << uint(kTriggerPowerUp);
    QTest::newRow("take-off switches nothing") << "3=32 5=2" << qint64(150) << 3 << uint(kTriggerPowerUp);
    QTest::newRow("no power-up page: first enabled") << "!0 !1 5=2" << qint64(50) << 2 << 0u;
    QTest::newRow("disabled power-up page skipped") << "!3 3=32 5=2" << qint64(50) << 0 << 0u;
    QTest::newRow("entering a thermal") << "3=32 5=2" << qint64(250) << 5 << uint(kTriggerThermal);
    QTest::newRow("thermal without its page") << "3=32 6=4" << qint64(250) << 3 << uint(kTriggerPowerUp);
    QTest::newRow("leaving the thermal") << "3=32 5=2 6=4" << qint64(350) << 6 << uint(kTriggerTransition);
    QTest::newRow("disabled thermal page skipped for the next")
        << "3=32 !5 5=2 9=2" << qint64(250) << 9 << uint(kTriggerThermal);
    QTest::newRow("disabled thermal page alone") << "3=32 !5 5=2" << qint64(250) << 3 << uint(kTriggerPowerUp);
    QTest::newRow("airspace warning") << "3=32 5=2 6=4 7=1" << qint64(450) << 7 << uint(kTriggerAirspace);
    QTest::newRow("landing keeps the page") << "3=32 5=2 6=4 7=1" << qint64(600) << 7 << uint(kTriggerAirspace);
    QTest::newRow("one page, several triggers") << "4=39" << qint64(350) << 4 << uint(kTriggerTransition);
    QTest::newRow("every page disabled")
        << "!0 !1 !2 !3 !4 !5 !6 !7 !8 !9 !10 !11 !12 !13 !14 !15 5=2" << qint64(250) << 0 << 0u;
}

void TestPageReplay::choice()
{
    QFETCH(QString, setup);
    QFETCH(qint64, time);
    const PageChoice c = PageReplay::At(Pages(setup), Events(), time);
    QTEST(c.iPage, "page");
    QTEST(uint(c.uTrigger), "trigger");
}

void TestPageReplay::reason()
{
    const QVector<FlightEvent> events = Events();
    const QVector<ReplayPage> pages = Pages(QStringLiteral("3=32 5=2 7=1"));
    QCOMPARE(ReplayReason(PageReplay::At(pages, events, 0), events), QStringLiteral("Power up"));
    QCOMPARE(ReplayReason(PageReplay::At(pages, events, 250), events),
             QStringLiteral("Entering thermal at 00:03:20"));
    QCOMPARE(ReplayReason(PageReplay::At(pages, events, 450), events),
             QStringLiteral("Airspace warning at 00:06:40 (LSZH CTR)"));
    QCOMPARE(ReplayReason(PageReplay::At(Pages(QString()), events, 0), events),
             QStringLiteral("first enabled page"));
}

QTEST_MAIN(TestPageReplay)
#include "test_pagereplay.moc"
