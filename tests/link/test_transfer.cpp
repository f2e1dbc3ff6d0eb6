// The layout batch: bodies built from elements and page properties, and
// one batch sent through the sender to r8sim.
#include "layouttransfer.h"
#include "r8element.h"
#include "simprocess.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QtTest>
#include <memory>
#include <vector>

namespace {

// Owns the elements of one test layout.
class Layout
{
public:
    R8element* Add(int iType, int iField, QPoint pos, QSize size, unsigned int uAttribs, unsigned int uPages,
                   float fMin = 0.0f, float fMax = 0.0f)
    {
        owned.push_back(std::make_unique<R8element>(nullptr, iType, 1));
        R8element* e = owned.back().get();
        e->RestoreField(iField);
        e->RestoreSize(size);
        e->RestorePosition(pos);
        e->RestoreAttribs(uAttribs);
        e->RestorePages(uPages);
        e->SetRangeMin(fMin);
        e->SetRangeMax(fMax);
        list.append(e);
        return e;
    }

    QList<R8element*> list;

private:
    std::vector<std::unique_ptr<R8element>> owned;
};

QVector<PageProps> NoPageProps()
{
    return QVector<PageProps>(R8_PAGE_COUNT);
}

} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT
private slots:
    void elementSentence_data();
    void elementSentence();
    void wholeBatch();
    void noElementOnAPage();
    void pageNamesCleaned_data();
    void pageNamesCleaned();
    void longPageNameCut();
    void batchReachesInstrument();
};

void TestTransfer::elementSentence_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("field");
    QTest::addColumn<unsigned>("attribs");
    QTest::addColumn<float>("min");
    QTest::addColumn<float>("max");
    QTest::addColumn<QString>("body");
    QTest::newRow("value box") << int(R8_TYPE_DATAFIELD) << 33 << 44u << 0.0f << 0.0f
                               << "PZVFLO,1,33,10,20,80,29,44,5,0.00,0.00";
    QTest::newRow("dial keeps attributes") << int(R8_TYPE_DIAL) << 2 << 46u << -5.0f << 5.0f
                                           << "PZVFLO,53248,2,10,20,80,29,46,5,-5.00,5.00";
    QTest::newRow("map keeps its map type") << int(R8_TYPE_MAP) << 0 << 3u << 0.0f << 0.0f
                                            << "PZVFLO,57408,0,10,20,80,29,3,5,0.00,0.00";
    QTest::newRow("icon sends no attributes") << int(R8_TYPE_BATTERY) << 0 << 44u << 0.0f << 0.0f
                                              << "PZVFLO,57393,0,10,20,80,29,0,5,0.00,0.00";
    QTest::newRow("scale rounds to two places") << int(R8_TYPE_BARSCALE) << 7 << 44u << -0.5f << 12.345f
                                                << "PZVFLO,57345,7,10,20,80,29,0,5,-0.50,12.35";
}

void TestTransfer::elementSentence()
{
    QFETCH(int, type);
    QFETCH(int, field);
    QFETCH(unsigned, attribs);
    QFETCH(float, min);
    QFETCH(float, max);
    QFETCH(QString, body);
    Layout layout;
    R8element* e = layout.Add(type, field, QPoint(10, 20), QSize(80, 29), attribs, 5, min, max);
    QCOMPARE(ElementSentence(*e), body);
}

void TestTransfer::wholeBatch()
{
    Layout layout;
    layout.Add(R8_TYPE_DATAFIELD, 33, QPoint(0, 0), QSize(80, 29), 44, 1);
    layout.Add(R8_TYPE_DATAFIELD, 34, QPoint(0, 40), QSize(80, 29), 44, 0); // on no page: not sent
    layout.list.append(nullptr);                                               // empty slot
    layout.Add(R8_TYPE_COMPASS, 0, QPoint(100, 100), QSize(60, 60), 44, 0x8002);

    QVector<PageProps> pages = NoPageProps();
    pages[0].Name = QStringLiteral("Main");
    pages[3].Name = QStringLiteral("Thermal (2)");
    pages[3].Trigger = 5;             // bits 0 and 2
    pages[5].Trigger = 0x800 | 0x400; // bit 11 is beyond the triggers
    pages[7].Trigger = 2;
    pages[7].Disabled = 1;            // its trigger is not sent
    pages[15].Disabled = 1;

    const QStringList batch = BuildLayoutBatch(layout.list, pages);
    const QStringList expected = {
        QStringLiteral("PZVFLO,START"),
        QStringLiteral("PZVFLO,1,33,0,0,80,29,44,1,0.00,0.00"),
        QStringLiteral("PZVFLO,57360,0,100,100,60,60,0,32770,0.00,0.00"),
        QStringLiteral("PZVFLO,NAME,0,Main)"),
        QStringLiteral("PZVFLO,NAME,3,Thermal (2))"),
        QStringLiteral("PZVFLO,TRIGGER,1,3,"),
        QStringLiteral("PZVFLO,TRIGGER,3,3,"),
        QStringLiteral("PZVFLO,TRIGGER,11,5,"),
        QStringLiteral("PZVFLO,DISABLED,32896"),
        QStringLiteral("PZVFLO,END"),
    };
    QCOMPARE(batch, expected);
    // E + N + T + 3
    QCOMPARE(batch.size(), 2 + 2 + 3 + 3);
    QCOMPARE(ElementsOnPages(layout.list), 2);
    QCOMPARE(DisabledPageMask(pages), 0x8080u);
}

void TestTransfer::noElementOnAPage()
{
    Layout layout;
    layout.Add(R8_TYPE_DATAFIELD, 33, QPoint(0, 0), QSize(80, 29), 44, 0);
    layout.list.append(nullptr);
    QVector<PageProps> pages = NoPageProps();
    pages[0].Name = QStringLiteral("Main");
    QVERIFY(BuildLayoutBatch(layout.list, pages).isEmpty());
    QVERIFY(BuildLayoutBatch({}, pages).isEmpty());
}

void TestTransfer::pageNamesCleaned_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::newRow("as typed") << "Climb 1" << "Climb 1";
    QTest::newRow("field and checksum characters") << "a,b*c$d" << "abcd";
    QTest::newRow("line ends and tab") << "two\r\nlines\t!" << "twolines!";
    QTest::newRow("latin-1 kept") << QStringLiteral("H\u00f6he") << QStringLiteral("H\u00f6he");
    QTest::newRow("nothing left") << ",*$" << "";
}

void TestTransfer::pageNamesCleaned()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    QCOMPARE(PageNameForDevice(typed, 2), sent);

    Layout layout;
    layout.Add(R8_TYPE_DATAFIELD, 33, QPoint(0, 0), QSize(80, 29), 44, 1);
    QVector<PageProps> pages = NoPageProps();
    pages[2].Name = typed;
    const QStringList names = BuildLayoutBatch(layout.list, pages).filter(QStringLiteral("PZVFLO,NAME,"));
    QCOMPARE(names, sent.isEmpty() ? QStringList() : QStringList{QStringLiteral("PZVFLO,NAME,2,%1)").arg(sent)});
    QCOMPARE(pages[2].Name, typed); // the layout keeps what was typed
}

void TestTransfer::longPageNameCut()
{
    const QString typed(300, QLatin1Char('n'));
    for (int page : {0, 9, 15}) {
        const QString body = QStringLiteral("PZVFLO,NAME,%1,%2)").arg(page).arg(PageNameForDevice(typed, page));
        QCOMPARE(body.toLatin1().size(), R8_MAX_BODY_BYTES);
        QVERIFY(!FrameSentence(body.toLatin1()).isEmpty());
    }
}

void TestTransfer::batchReachesInstrument()
{
    Layout layout;
    layout.Add(R8_TYPE_DATAFIELD, 33, QPoint(0, 0), QSize(80, 29), 44, 1);
    layout.Add(R8_TYPE_DIAL, 2, QPoint(20, 60), QSize(120, 120), 1, 3, -5.0f, 5.0f);
    QVector<PageProps> pages = NoPageProps();
    pages[0].Name = QStringLiteral("H\u00f6he, m*");
    pages[1].Trigger = 0x21;
    pages[2].Disabled = 1;
    const QStringList batch = BuildLayoutBatch(layout.list, pages);

    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommands(batch);
    QStringList messages;
    QList<int> progress;
    connect(&sender, &ZvCommandSender::message, [&messages](const QString& s) { messages << s; });
    connect(&sender, &ZvCommandSender::progress, [&progress](int n) { progress << n; });
    sender.doWork();
    QCOMPARE(messages.last(), QStringLiteral("All data sent."));
    QCOMPARE(progress.size(), batch.size());
    // The instrument checked every frame and checksum and got every body.
    const QStringList log = sim.Log();
    QCOMPARE(log, batch);
    QVERIFY(log.contains(QStringLiteral("PZVFLO,NAME,0,H\u00f6he m)")));
    QVERIFY(log.contains(QStringLiteral("PZVFLO,TRIGGER,6,1,")));
}

QTEST_MAIN(TestTransfer)
#include "test_transfer.moc"
