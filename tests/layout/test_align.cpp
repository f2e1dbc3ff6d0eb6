// Alignment and formatting commands of the page canvas on the selection.
#include "layouthost.h"
#include "screenlayout.h"

#include <QtTest>

class TestAlign : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void edgesWithOneElement_data();
    void edgesWithOneElement();
    void edgesWithSeveral_data();
    void edgesWithSeveral();
    void centring();
    void sizesWithDial();
    void joins();
    void textAlignmentSkipsOtherTypes();

private:
    using Command = unsigned int (ScreenLayout::*)();
    TestHost* m_pHost = nullptr;
    ScreenLayout* m_pCanvas = nullptr;
};

namespace {

struct Named {
    const char* name;
    unsigned int (ScreenLayout::*command)();
};

const Named s_Edges[] = {{"top", &ScreenLayout::AlignTop},
                         {"bottom", &ScreenLayout::AlignBottom},
                         {"left", &ScreenLayout::AlignLeft},
                         {"right", &ScreenLayout::AlignRight}};

} // namespace

void TestAlign::init()
{
    m_pHost = new TestHost;
    m_pCanvas = new ScreenLayout(nullptr, 0);
}

void TestAlign::cleanup()
{
    delete m_pCanvas;
    delete m_pHost;
}

void TestAlign::edgesWithOneElement_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<QPoint>("expected");
    // An 81 x 29 box at (50, 50): aligned to the screen.
    QTest::newRow("top") << 0 << QPoint(50, 0);
    QTest::newRow("bottom") << 1 << QPoint(50, 291);
    QTest::newRow("left") << 2 << QPoint(0, 50);
    QTest::newRow("right") << 3 << QPoint(159, 50);
}

void TestAlign::edgesWithOneElement()
{
    QFETCH(int, edge);
    QFETCH(QPoint, expected);
    R8element* el = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(50, 50), 0b100);
    el->SetWidth(81);
    m_pHost->Select({el});
    m_pHost->ResetCounts();
    QCOMPARE((m_pCanvas->*s_Edges[edge].command)(), 0b100u);
    QCOMPARE(el->GetPosition(), expected);
    QCOMPARE(m_pHost->Announced(el), 1);
}

void TestAlign::edgesWithSeveral_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<bool>("reference"); // the first element is the reference
    QTest::addColumn<QPoint>("first");
    QTest::addColumn<QPoint>("second");
    // first: 100 x 29 at (30, 40); second: 80 x 50 at (10, 100).
    QTest::newRow("top") << 0 << false << QPoint(30, 40) << QPoint(10, 40);
    QTest::newRow("top, reference") << 0 << true << QPoint(30, 40) << QPoint(10, 40);
    QTest::newRow("bottom") << 1 << false << QPoint(30, 121) << QPoint(10, 100);
    QTest::newRow("bottom, reference") << 1 << true << QPoint(30, 40) << QPoint(10, 19);
    QTest::newRow("left") << 2 << false << QPoint(10, 40) << QPoint(10, 100);
    QTest::newRow("left, reference") << 2 << true << QPoint(30, 40) << QPoint(30, 100);
    QTest::newRow("right") << 3 << false << QPoint(30, 40) << QPoint(50, 100);
    QTest::newRow("right, reference") << 3 << true << QPoint(30, 40) << QPoint(50, 100);
}

void TestAlign::edgesWithSeveral()
{
    QFETCH(int, edge);
    QFETCH(bool, reference);
    QFETCH(QPoint, first);
    QFETCH(QPoint, second);
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(30, 40), 1);
    a->SetWidth(100);
    R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 100), 2);
    b->SetHeight(50);
    m_pHost->Select({a, b}, reference ? a : nullptr);
    m_pHost->ResetCounts();
    QCOMPARE((m_pCanvas->*s_Edges[edge].command)(), 3u);
    QCOMPARE(a->GetPosition(), first);
    QCOMPARE(b->GetPosition(), second);
    // One record for each element that moved, none for one that stayed.
    QCOMPARE(m_pHost->Announced(a), a->GetPosition() == QPoint(30, 40) ? 0 : 1);
    QCOMPARE(m_pHost->Announced(b), b->GetPosition() == QPoint(10, 100) ? 0 : 1);

    // The reference wins whatever its place in the selection.
    if (reference && edge == 2) {
        a->SetPositionX(30);
        b->SetPositionX(10);
        m_pHost->Select({a, b}, b);
        m_pCanvas->AlignLeft();
        QCOMPARE(a->GetPosition().x(), 10);
    }
}

void TestAlign::centring()
{
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(3, 7), 1);
    a->SetWidth(81);
    m_pHost->Select({a});
    QCOMPARE(m_pCanvas->AlignCenter(), 1u);
    QCOMPARE(a->GetPosition(), QPoint(80, 7)); // c = 120, 120 - 40
    QCOMPARE(m_pCanvas->AlignMiddle(), 1u);
    QCOMPARE(a->GetPosition(), QPoint(80, 146)); // c = 160, 160 - 14

    // Spanning lo = 10, hi = 15 (sizes below the minimum, as a file may hold).
    R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 0), 2);
    b->RestoreSize(QSize(3, 3));
    R8element* c = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(11, 0), 4);
    c->RestoreSize(QSize(4, 4));
    m_pHost->Select({b, c});
    QCOMPARE(m_pCanvas->AlignCenter(), 6u);
    QCOMPARE(b->GetPosition().x(), 11); // c = 12, 12 - 1
    QCOMPARE(c->GetPosition().x(), 10); // 12 - 2

    // Centred on the reference.
    m_pHost->Select({a, b}, a);
    m_pCanvas->AlignCenter();
    QCOMPARE(b->GetPosition().x(), 119); // 80 + 81 / 2 = 120, 120 - 1

    // An empty span changes nothing.
    c->RestoreSize(QSize(0, 0));
    m_pHost->Select({b, c}, c);
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->AlignCenter(), 0u);
    QCOMPARE(m_pCanvas->AlignMiddle(), 0u);
    QCOMPARE(m_pHost->Announced(b), 0);
}

void TestAlign::sizesWithDial()
{
    R8element* box = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(0, 0), 1); // 80 x 29
    R8element* dial = m_pHost->Add(R8_TYPE_DIAL, QPoint(0, 100), 1);   // 60 x 60
    R8element* wide = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(100, 200), 1);
    wide->SetSize(QSize(100, 40));
    m_pHost->Select({box, dial, wide});
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->AlignWidth(), 1u);
    QCOMPARE(box->GetSize(), QSize(100, 29));
    QCOMPARE(dial->GetSize(), QSize(100, 100));
    QCOMPARE(wide->GetSize(), QSize(100, 40));
    QCOMPARE(dial->MyPath().boundingRect().size(), QSizeF(100, 100));
    QCOMPARE(m_pHost->Announced(wide), 0);
    // Moved back inside the screen after growing.
    QCOMPARE(wide->GetPosition(), QPoint(100, 200));

    m_pHost->Select({box, dial, wide}, wide); // height 40
    QCOMPARE(m_pCanvas->AlignHeight(), 1u);
    QCOMPARE(box->GetSize(), QSize(100, 40));
    QCOMPARE(dial->GetSize(), QSize(100, 100)); // the dial's height follows its width

    // One element: its own size, no change.
    m_pHost->Select({box});
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->AlignWidth(), 1u);
    QCOMPARE(m_pCanvas->AlignHeight(), 1u);
    QCOMPARE(box->GetSize(), QSize(100, 40));
    QCOMPARE(m_pHost->Announced(box), 0);
}

void TestAlign::joins()
{
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(20, 10), 1);
    R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(100, 100), 2);
    m_pHost->Select({a, b});
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->AlignJoinVertical(), 3u);
    QCOMPARE(b->GetPosition(), QPoint(100, 38));
    QCOMPARE(a->GetPosition(), QPoint(20, 10));
    QCOMPARE(m_pHost->Announced(a), 0);
    QCOMPARE(m_pHost->Announced(b), 1);

    // No reference: the one further right moves onto the other's last column.
    QCOMPARE(m_pCanvas->AlignJoinHorizontal(), 3u);
    QCOMPARE(b->GetPosition(), QPoint(99, 38));
    // Equal x: the first moves.
    b->SetPositionX(20);
    QCOMPARE(m_pCanvas->AlignJoinHorizontal(), 3u);
    QCOMPARE(a->GetPosition().x(), 99);
    QCOMPARE(b->GetPosition().x(), 20);

    // The first is the reference: the second moves even when it is the left one.
    m_pHost->Select({a, b}, a);
    b->SetPositionX(150);
    m_pCanvas->AlignJoinHorizontal();
    QCOMPARE(b->GetPosition().x(), 160); // 99 + 80 - 1 = 178, pulled inside the screen
    m_pHost->Select({a, b}, b);
    m_pCanvas->AlignJoinHorizontal();
    QCOMPARE(a->GetPosition().x(), 81); // left of the reference: shares its first column
    // The vertical join ignores the reference.
    a->SetPositionY(200);
    m_pCanvas->AlignJoinVertical();
    QCOMPARE(a->GetPosition().y(), 66);
}

void TestAlign::textAlignmentSkipsOtherTypes()
{
    R8element* box = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 0b01);
    R8element* icon = m_pHost->Add(R8_TYPE_BATTERY, QPoint(100, 100), 0b10);
    m_pHost->Select({box, icon});
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->TextAlignCenter(), 0b01u);
    QCOMPARE(box->GetAttribs(), 76u);
    QCOMPARE(icon->GetAttribs(), 44u);
    QCOMPARE(m_pHost->Announced(box), 1);
    QCOMPARE(m_pHost->Announced(icon), 0);
    QCOMPARE(m_pCanvas->TextAlignLeft(), 0b01u);
    QCOMPARE(box->GetAttribs(), 12u);
    QCOMPARE(m_pCanvas->TextAlignRight(), 0b01u);
    QCOMPARE(box->GetAttribs(), 44u);
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->TextAlignRight(), 0b01u); // no change, no record
    QCOMPARE(m_pHost->Announced(box), 0);
    m_pHost->Select({icon});
    QCOMPARE(m_pCanvas->TextAlignLeft(), 0u);
}

QTEST_MAIN(TestAlign)
#include "test_align.moc"
