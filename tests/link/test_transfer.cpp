// The layout batch built from elements and page properties.
#include "layouttransfer.h"
#include "r8element.h"
#include "zvcomport.h"

#include <QtTest>
#include <memory>
#include <vector>

namespace {

// Owns the elements of one test layout.
class Layout
{
public:
    R8element* Add(int iType, int iField, QPoint pos, unsigned int uAttribs, unsigned int uPages, float fMin = 0.0f,
                   float fMax = 0.0f)
    {
        owned.push_back(std::make_unique<R8element>(nullptr, iType, 1));
        R8element* e = owned.back().get();
        e->RestoreField(iField);
        e->RestoreSize(QSize(80, 29));
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

} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT
private slots:
    void elementSentence_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("field");
        QTest::addColumn<unsigned>("attribs");
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<QString>("body");
        QTest::newRow("value box") << int(R8_TYPE_DATAFIELD) << 33 << 44u << 0.0f << 0.0f
                                   << "PZVFLO,1,33,10,20,80,29,44,5,0.00,0.00";
        QTest::newRow("dial keeps attributes")
            << int(R8_TYPE_DIAL) << 2 << 46u << -5.0f << 5.0f << "PZVFLO,53248,2,10,20,80,29,46,5,-5.00,5.00";
        QTest::newRow("map keeps its map type")
            << int(R8_TYPE_MAP) << 0 << 3u << 0.0f << 0.0f << "PZVFLO,57408,0,10,20,80,29,3,5,0.00,0.00";
        QTest::newRow("icon sends no attributes")
            << int(R8_TYPE_BATTERY) << 0 << 44u << 0.0f << 0.0f << "PZVFLO,57393,0,10,20,80,29,0,5,0.00,0.00";
        QTest::newRow("scale rounds to two places")
            << int(R8_TYPE_BARSCALE) << 7 << 44u << -0.5f << 12.345f << "PZVFLO,57345,7,10,20,80,29,0,5,-0.50,12.35";
    }
    void elementSentence()
    {
        QFETCH(int, type);
        QFETCH(int, field);
        QFETCH(unsigned, attribs);
        QFETCH(float, min);
        QFETCH(float, max);
        QFETCH(QString, body);
        Layout layout;
        QCOMPARE(ElementSentence(*layout.Add(type, field, QPoint(10, 20), attribs, 5, min, max)), body);
    }

    void wholeBatch()
    {
        Layout layout;
        layout.Add(R8_TYPE_DATAFIELD, 33, QPoint(0, 0), 44, 1);
        layout.Add(R8_TYPE_DATAFIELD, 34, QPoint(0, 40), 44, 0); // on no page: not sent
        layout.list.append(nullptr);                             // empty slot
        layout.Add(R8_TYPE_COMPASS, 0, QPoint(100, 100), 44, 0x8002);

        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[0].Name = QStringLiteral("Main");
        pages[3].Name = QStringLiteral("Thermal (2)");
        pages[3].Trigger = 5;             // bits 0 and 2
        pages[5].Trigger = 0x800 | 0x400; // bit 11 is beyond the triggers
        pages[7].Trigger = 2;
        pages[7].Disabled = 1; // its trigger is not sent
        pages[15].Disabled = 1;
        const QStringList expected = {
            "PZVFLO,START",
            "PZVFLO,1,33,0,0,80,29,44,1,0.00,0.00",
            "PZVFLO,57360,0,100,100,80,29,0,32770,0.00,0.00",
            "PZVFLO,NAME,0,Main)",
            "PZVFLO,NAME,3,Thermal (2))",
            "PZVFLO,TRIGGER,1,3,",
            "PZVFLO,TRIGGER,3,3,",
            "PZVFLO,TRIGGER,11,5,",
            "PZVFLO,DISABLED,32896",
            "PZVFLO,END",
        };
        QCOMPARE(BuildLayoutBatch(layout.list, pages), expected);
        QCOMPARE(ElementsOnPages(layout.list), 2);

        // Nothing on any page: no batch at all.
        layout.list[0]->RestorePages(0);
        layout.list[3]->RestorePages(0);
        QVERIFY(BuildLayoutBatch(layout.list, pages).isEmpty());
        QVERIFY(BuildLayoutBatch({}, pages).isEmpty());
    }

    void pageNamesCleaned_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");
        QTest::newRow("as typed") << "Climb 1"
                                  << "Climb 1";
        QTest::newRow("field and checksum characters") << "a,b*c$d"
                                                       << "abcd";
        QTest::newRow("line ends and tab") << "two\r\nlines\t!"
                                           << "twolines!";
        QTest::newRow("latin-1 kept") << QStringLiteral("H\u00f6he") << QStringLiteral("H\u00f6he");
        QTest::newRow("nothing left") << ",*$"
                                      << "";
    }
    void pageNamesCleaned()
    {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        Layout layout;
        layout.Add(R8_TYPE_DATAFIELD, 33, QPoint(0, 0), 44, 1);
        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[2].Name = typed;
        const QStringList names = BuildLayoutBatch(layout.list, pages).filter(QStringLiteral("PZVFLO,NAME,"));
        QCOMPARE(names, sent.isEmpty() ? QStringList() : QStringList{QStringLiteral("PZVFLO,NAME,2,%1)").arg(sent)});
        QCOMPARE(pages[2].Name, typed); // the layout keeps what was typed
    }
};

QTEST_MAIN(TestTransfer)
#include "test_transfer.moc"
