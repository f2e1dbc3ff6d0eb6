// Alignment and formatting commands of the page canvas on the selection.
#include "layouthost.h"

#include <QtTest>

class TestAlign : public QObject
{
    Q_OBJECT
    QScopedPointer<CanvasHost> m_pHost;
    ScreenLayout* m_pCanvas = nullptr;

private slots:
    void init()
    {
        m_pHost.reset(new CanvasHost);
        m_pCanvas = &m_pHost->canvas;
    }
    void cleanup() { m_pHost.reset(); }

    void edges_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("selection"); // 1: a alone, 2: a and b, 3: a the reference, 4: b the reference
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("second");
        // a: 100 x 29 at (30, 40); b: 80 x 50 at (10, 100). One element
        // alone is aligned to the screen.
        QTest::newRow("top, alone") << 0 << 1 << QPoint(30, 0) << QPoint(10, 100);
        QTest::newRow("bottom, alone") << 1 << 1 << QPoint(30, 291) << QPoint(10, 100);
        QTest::newRow("left, alone") << 2 << 1 << QPoint(0, 40) << QPoint(10, 100);
        QTest::newRow("right, alone") << 3 << 1 << QPoint(140, 40) << QPoint(10, 100);
        QTest::newRow("top") << 0 << 2 << QPoint(30, 40) << QPoint(10, 40);
        QTest::newRow("bottom") << 1 << 2 << QPoint(30, 121) << QPoint(10, 100);
        QTest::newRow("bottom, reference") << 1 << 3 << QPoint(30, 40) << QPoint(10, 19);
        QTest::newRow("left") << 2 << 2 << QPoint(10, 40) << QPoint(10, 100);
        QTest::newRow("left, reference") << 2 << 3 << QPoint(30, 40) << QPoint(30, 100);
        QTest::newRow("right") << 3 << 2 << QPoint(30, 40) << QPoint(50, 100);
        QTest::newRow("right, second the reference") << 3 << 4 << QPoint(0, 40) << QPoint(10, 100);
    }
    void edges()
    {
        QFETCH(int, edge);
        QFETCH(int, selection);
        QFETCH(QPoint, first);
        QFETCH(QPoint, second);
        using Command = unsigned int (ScreenLayout::*)();
        const Command commands[] = {&ScreenLayout::AlignTop, &ScreenLayout::AlignBottom, &ScreenLayout::AlignLeft,
                                    &ScreenLayout::AlignRight};
        R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(30, 40), 1, 1.0f, QSize(100, 29));
        R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 100), 2, 1.0f, QSize(80, 50));
        R8element* const references[] = {nullptr, nullptr, nullptr, a, b};
        m_pHost->Select(selection == 1 ? QList<R8element*>{a} : QList<R8element*>{a, b}, references[selection]);
        QCOMPARE((m_pCanvas->*commands[edge])(), selection == 1 ? 1u : 3u);
        QCOMPARE(QList<QPoint>({a->GetPosition(), b->GetPosition()}), QList<QPoint>({first, second}));
        // One record for each element that moved, none for one that stayed.
        QCOMPARE(m_pHost->Announced(a), first == QPoint(30, 40) ? 0 : 1);
        QCOMPARE(m_pHost->Announced(b), second == QPoint(10, 100) ? 0 : 1);
    }

    void centring()
    {
        R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(3, 7), 1, 1.0f, QSize(81, 29));
        m_pHost->Select({a});
        QCOMPARE(m_pCanvas->AlignCenter(), 1u);
        QCOMPARE(m_pCanvas->AlignMiddle(), 1u);
        QCOMPARE(a->GetPosition(), QPoint(80, 146)); // 120 - 40, 160 - 14

        // Spanning 10 to 15 (sizes below the minimum, as a file may hold).
        R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 0), 2);
        b->RestoreSize(QSize(3, 3));
        R8element* c = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(11, 0), 4);
        c->RestoreSize(QSize(4, 4));
        m_pHost->Select({b, c});
        QCOMPARE(m_pCanvas->AlignCenter(), 6u);
        // 12 - 1 and 12 - 2.
        QCOMPARE(QList<int>({b->GetPosition().x(), c->GetPosition().x()}), QList<int>({11, 10}));

        // Centred on the reference.
        m_pHost->Select({a, b}, a);
        m_pCanvas->AlignCenter();
        QCOMPARE(b->GetPosition().x(), 119); // 80 + 81 / 2 = 120, 120 - 1

        // An empty span changes nothing.
        c->RestoreSize(QSize(0, 0));
        m_pHost->Select({b, c}, c);
        QCOMPARE(m_pCanvas->AlignCenter() | m_pCanvas->AlignMiddle(), 0u);
        QCOMPARE(m_pHost->Announced(b), 0);
    }

    void sizesWithDial()
    {
        R8element* box = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(0, 0), 1); // 80 x 29
        R8element* dial = m_pHost->Add(R8_TYPE_DIAL, QPoint(0, 100), 1);   // 60 x 60
        R8element* wide = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(100, 200), 1, 1.0f, QSize(100, 40));
        m_pHost->Select({box, dial, wide});
        QCOMPARE(m_pCanvas->AlignWidth(), 1u);
        QCOMPARE(QList<QSize>({box->GetSize(), dial->GetSize()}), QList<QSize>({{100, 29}, {100, 100}}));
        QCOMPARE(dial->MyPath().boundingRect().size(), QSizeF(100, 100));
        QCOMPARE(m_pHost->Announced(wide), 0);

        m_pHost->Select({box, dial, wide}, wide); // height 40
        QCOMPARE(m_pCanvas->AlignHeight(), 1u);
        // The dial's height follows its width.
        QCOMPARE(QList<QSize>({box->GetSize(), dial->GetSize()}), QList<QSize>({{100, 40}, {100, 100}}));
    }

    void joins()
    {
        R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(20, 10), 1);
        R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(100, 100), 2);
        m_pHost->Select({a, b});
        QCOMPARE(m_pCanvas->AlignJoinVertical(), 3u);
        QCOMPARE(b->GetPosition(), QPoint(100, 38));
        QCOMPARE(m_pHost->Announced(a), 0);

        // No reference: the one further right moves onto the other's last column.
        QCOMPARE(m_pCanvas->AlignJoinHorizontal(), 3u);
        QCOMPARE(b->GetPosition(), QPoint(99, 38));

        // The reference stays even when it is the right one; the other
        // shares its first column.
        m_pHost->Select({a, b}, b);
        b->SetPositionX(150);
        m_pCanvas->AlignJoinHorizontal();
        // 150 - 80 + 1.
        QCOMPARE(QList<int>({a->GetPosition().x(), b->GetPosition().x()}), QList<int>({71, 150}));
    }

    void textAlignmentSkipsOtherTypes()
    {
        R8element* box = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 0b01);
        R8element* icon = m_pHost->Add(R8_TYPE_BATTERY, QPoint(100, 100), 0b10);
        m_pHost->Select({box, icon});
        QCOMPARE(m_pCanvas->TextAlignCenter(), 0b01u);
        QCOMPARE(box->GetAttribs(), 76u);
        QCOMPARE(m_pCanvas->TextAlignLeft(), 0b01u);
        QCOMPARE(box->GetAttribs(), 12u);
        QCOMPARE(m_pCanvas->TextAlignRight() | m_pCanvas->TextAlignRight(), 0b01u);
        QCOMPARE(QList<unsigned>({box->GetAttribs(), icon->GetAttribs()}), QList<unsigned>({44u, 44u}));
        // No change, no record.
        QCOMPARE(QList<int>({m_pHost->Announced(box), m_pHost->Announced(icon)}), QList<int>({3, 0}));
    }
};

QTEST_MAIN(TestAlign)
#include "test_align.moc"
