// The page canvas driven by mouse events: hit zones and cursors, moving,
// resizing, band and Shift selection, snapping, nudges.
#include "layouthost.h"

#include <QSignalSpy>
#include <QtTest>

class TestCanvas : public QObject
{
    Q_OBJECT
    QScopedPointer<CanvasHost> m_pHost;
    ScreenLayout* m_pCanvas = nullptr;

    // The left button is pressed, held while moving and released; a hover
    // holds none.
    void Mouse(QEvent::Type type, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier, bool bHeld = true)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const bool bDown = bHeld && type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, pos, m_pCanvas->mapToGlobal(pos), button, bDown ? Qt::LeftButton : Qt::NoButton,
                          mods);
        QApplication::sendEvent(m_pCanvas, &event);
    }
    // A drag to where it started is a click.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, from, mods);
        Mouse(QEvent::MouseMove, (from + to) / 2, mods);
        Mouse(QEvent::MouseMove, to, mods);
        Mouse(QEvent::MouseButtonRelease, to, mods);
    }
    R8element* Box(QPoint pos, unsigned int uPages = 1)
    {
        return m_pHost->Add(R8_TYPE_DATAFIELD, pos, uPages, 2.0f);
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<R8element*>();
        QVERIFY(TestEnv::LoadCatalogue() > 0);
    }
    void init()
    {
        m_pHost.reset(new CanvasHost);
        m_pCanvas = &m_pHost->canvas;
        m_pCanvas->SetZoom(2.0f);
        m_pCanvas->resize(482, 642);
    }
    void cleanup() { m_pHost.reset(); }

    void edgeZonesAndCursors_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QPoint>("offset"); // from the element's top-left, screen pixels
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("cursor");
        // Value box at zoom 2: 160 x 58.
        QTest::newRow("inside") << 0x0001 << QPoint(80, 30) << 0 << int(Qt::OpenHandCursor);
        QTest::newRow("lower right") << 0x0001 << QPoint(158, 56) << 10 << int(Qt::SizeFDiagCursor);
        QTest::newRow("upper left") << 0x0001 << QPoint(1, 1) << 5 << int(Qt::SizeFDiagCursor);
        QTest::newRow("lower left") << 0x0001 << QPoint(2, 57) << 9 << int(Qt::SizeBDiagCursor);
        QTest::newRow("right") << 0x0001 << QPoint(158, 30) << 2 << int(Qt::SizeHorCursor);
        QTest::newRow("bottom") << 0x0001 << QPoint(80, 57) << 8 << int(Qt::SizeVerCursor);
        QTest::newRow("3 pixels in") << 0x0001 << QPoint(80, 3) << 0 << int(Qt::OpenHandCursor);
        // The phone signal's outline does not follow its width: no edge.
        QTest::newRow("phone signal corner") << 0xE030 << QPoint(162, 22) << 0 << int(Qt::OpenHandCursor);
        // The tall scale's height is fixed: its width only (198 x 336 at zoom 2).
        QTest::newRow("tall scale top") << 0xE003 << QPoint(99, 1) << 0 << int(Qt::OpenHandCursor);
        QTest::newRow("tall scale right") << 0xE003 << QPoint(197, 100) << 2 << int(Qt::SizeHorCursor);
        QTest::newRow("empty canvas") << 0x0001 << QPoint(-20, -20) << -1 << int(Qt::ArrowCursor);
    }
    void edgeZonesAndCursors()
    {
        QFETCH(int, type);
        QFETCH(int, zone);
        QFETCH(QPoint, offset);
        const QPoint pos = QPoint(40, 60) + offset; // the element's top-left at zoom 2
        m_pHost->Add(type, QPoint(20, 30), 1, 2.0f);
        int iZone = -1;
        QCOMPARE(m_pCanvas->ElementAtPos(pos, &iZone), zone < 0 ? -1 : 0);
        QCOMPARE(iZone, zone);
        Mouse(QEvent::MouseMove, pos, Qt::NoModifier, false);
        QTEST(int(m_pCanvas->cursor().shape()), "cursor");
    }

    void groupMove()
    {
        // The first element of the list is painted on top: where the two
        // overlap the pointer takes it.
        R8element* a = Box(QPoint(10, 10));
        R8element* b = m_pHost->Add(R8_TYPE_DIAL, QPoint(30, 20), 1, 2.0f);
        QCOMPARE(m_pCanvas->ElementAtPos(QPoint(80, 50), nullptr), 0);
        m_pHost->Select({a, b});

        // Grab the dial below the box and drag by (21, 13) screen pixels.
        const QPoint start(150, 120);
        Mouse(QEvent::MouseButtonPress, start);
        Mouse(QEvent::MouseMove, start + QPoint(10, 5));
        QCOMPARE(a->GraphicPosition(), QPoint(30, 25));
        QCOMPARE(m_pHost->Announced(a), 0); // nothing stored while dragging
        Mouse(QEvent::MouseMove, start + QPoint(21, 13));
        Mouse(QEvent::MouseButtonRelease, start + QPoint(21, 13));

        // Snapped to whole instrument pixels: 41 / 2 and 33 / 2 truncated,
        // one record per moved element.
        QCOMPARE(QList<QPoint>({a->GetPosition(), b->GetPosition()}), QList<QPoint>({{20, 16}, {40, 26}}));
        QCOMPARE(m_pHost->Announced(a) + m_pHost->Announced(b), 2);
        // Only the element under the pointer stays selected.
        QCOMPARE(R8selectedElements, QList<R8element*>({b}));
        QCOMPARE(a->IsSelected(), 0);
    }

    void squareResizeOfDial()
    {
        R8element* dial = m_pHost->Add(R8_TYPE_DIAL, QPoint(20, 20), 1, 2.0f); // 120 x 120 at (40, 40)
        const QPoint edge(40 + 119, 40 + 60);
        Mouse(QEvent::MouseButtonPress, edge);
        Mouse(QEvent::MouseMove, edge + QPoint(10, 3));
        QCOMPARE(dial->MyScreenSize(), QSizeF(130, 130));
        Mouse(QEvent::MouseMove, edge + QPoint(13, 3));
        Mouse(QEvent::MouseButtonRelease, edge + QPoint(13, 3));
        // 133 / 2 truncated, square again, position unchanged.
        QCOMPARE(QRect(dial->GetPosition(), dial->GetSize()), QRect(20, 20, 66, 66));
        QCOMPARE(dial->MyPath().boundingRect().size(), QSizeF(132, 132));
        QCOMPARE(m_pHost->Announced(dial), 1); // once, at the release

        // Dragged by the top edge: grows upward, the position follows.
        Drag(QPoint(40 + 66, 41), QPoint(40 + 66, 21));
        QCOMPARE(QRect(dial->GetPosition(), dial->GetSize()), QRect(20, 10, 76, 76));
    }

    void selection()
    {
        R8element* a = Box(QPoint(10, 10));
        R8element* b = Box(QPoint(10, 100));
        R8element* c = Box(QPoint(120, 200));
        R8element* elsewhere = Box(QPoint(0, 0), 2);
        elsewhere->ElementSelect(1);
        // A band from empty canvas over the corners of a, b and c; what is
        // not on this page leaves the selection.
        Drag(QPoint(400, 600), QPoint(150, 30));
        QCOMPARE(R8selectedElements, QList<R8element*>({a, b, c}));
        QCOMPARE(elsewhere->IsSelected(), 0);
        // A click keeps the one under the pointer, grabbed; with Shift a band adds.
        const QPoint onA(60, 40);
        Mouse(QEvent::MouseButtonPress, onA);
        QCOMPARE(m_pCanvas->cursor().shape(), Qt::ClosedHandCursor);
        Mouse(QEvent::MouseButtonRelease, onA);
        Drag(QPoint(470, 630), QPoint(300, 420), Qt::ShiftModifier);
        QCOMPARE(R8selectedElements, QList<R8element*>({a, c}));
        // Shift-click adds one as the reference; on a plain one it moves the
        // reference there; again, plain.
        QSignalSpy multi(m_pCanvas, &ScreenLayout::MultiSelect);
        Drag(QPoint(60, 220), QPoint(60, 220), Qt::ShiftModifier);
        QCOMPARE(b->IsSelected(), 2);
        QCOMPARE(multi.last().first().toInt(), 3);
        Drag(onA, onA, Qt::ShiftModifier);
        QCOMPARE(a->IsSelected(), 2);
        QCOMPARE(b->IsSelected(), 1);
        Drag(onA, onA, Qt::ShiftModifier);
        QCOMPARE(a->IsSelected() + b->IsSelected() + c->IsSelected(), 3);
        // A click on empty canvas clears the selection.
        Drag(QPoint(470, 630), QPoint(470, 630));
        QCOMPARE(a->IsSelected() + b->IsSelected() + c->IsSelected(), 0);
    }

    void propertiesAndDeletion()
    {
        R8element* a = Box(QPoint(10, 10), 0b1001);
        R8element* b = Box(QPoint(10, 100), 0b11);
        QSignalSpy opened(m_pCanvas, &ScreenLayout::RightClickElement);
        Mouse(QEvent::MouseButtonDblClick, QPoint(60, 40));
        Mouse(QEvent::MouseButtonDblClick, QPoint(400, 600));
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().value<R8element*>(), a);
        QCOMPARE(m_pCanvas->PropertiesElement(), 0u); // nothing selected now
        m_pHost->Select({a, b});
        QCOMPARE(m_pCanvas->DeleteElements(), 0b1011u);
        QCOMPARE(a->OnPages() | b->OnPages(), 0u);
        QCOMPARE(m_pCanvas->ElementAtPos(QPoint(60, 40), nullptr), -1);
    }

    void snapWhileDragging_data()
    {
        QTest::addColumn<bool>("resize");   // else move
        QTest::addColumn<QPoint>("travel"); // instrument pixels
        QTest::addColumn<bool>("alt");
        QTest::addColumn<int>("grid"); // snap-to-grid size, 0 off
        QTest::addColumn<QRect>("landed");
        QTest::addColumn<bool>("guide");
        // The dragged value box starts at (10, 200), 80 x 29; the other one
        // stands at (100, 100), 80 x 29.
        const auto row = [](const char* name, bool resize, QPoint travel, bool alt, int grid, QRect landed,
                            bool guide) {
            QTest::newRow(name) << resize << travel << alt << grid << landed << guide;
        };
        row("left edge to left edge", false, {88, 0}, false, 0, {100, 200, 80, 29}, true);
        row("alt: no snap", false, {88, 0}, true, 0, {98, 200, 80, 29}, false);
        row("beyond the distance", false, {84, 0}, false, 0, {94, 200, 80, 29}, false);
        row("top to bottom", false, {100, -73}, false, 0, {110, 129, 80, 29}, true);
        row("centre to centre", false, {69, 20}, false, 0, {80, 220, 80, 29}, true);
        row("grid", false, {23, 1}, false, 5, {35, 200, 80, 29}, false);
        row("right edge to left edge", true, {9, 0}, false, 0, {10, 200, 90, 29}, true);
        row("alt: resize freely", true, {9, 0}, true, 0, {10, 200, 89, 29}, false);
        row("resize on the grid", true, {15, 0}, false, 4, {10, 200, 94, 29}, false);
    }
    void snapWhileDragging()
    {
        QFETCH(bool, resize);
        QFETCH(QPoint, travel);
        QFETCH(bool, alt);
        QFETCH(int, grid);
        const Qt::KeyboardModifiers mods = alt ? Qt::AltModifier : Qt::NoModifier;
        m_pCanvas->SetGrid({grid, false, grid > 0});
        Box(QPoint(100, 100));
        R8element* el = Box(QPoint(10, 200));
        // Inside, or on the right edge (the last screen column of the box).
        const QPoint from = el->GraphicPosition() + (resize ? QPoint(159, 20) : QPoint(40, 20));
        const QPoint to = from + 2 * travel;
        Mouse(QEvent::MouseButtonPress, from, mods);
        QCOMPARE(m_pCanvas->ResizingIndex() >= 0, resize);
        Mouse(QEvent::MouseMove, (from + to) / 2, mods);
        Mouse(QEvent::MouseMove, to, mods);
        QTEST(bool(m_pCanvas->Guides().x || m_pCanvas->Guides().y), "guide");
        Mouse(QEvent::MouseButtonRelease, to, mods);
        QTEST(QRect(el->GetPosition(), el->GetSize()), "landed");
        QVERIFY(!m_pCanvas->Guides().x && !m_pCanvas->Guides().y); // gone with the drag

        // A click that jitters by a screen pixel moves nothing onto a line.
        const QPoint at = el->GraphicPosition() + QPoint(40, 20);
        const QRect before(el->GetPosition(), el->GetSize());
        Drag(at, at + QPoint(1, 0), mods);
        QCOMPARE(QRect(el->GetPosition(), el->GetSize()), before);
    }

    void nudges_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<int>("direction"); // up, down, left, right
        QTest::addColumn<int>("step");
        QTest::addColumn<QPoint>("to");
        // A value box (80 x 29). Right and down stop one pixel short of the
        // edge; a long step goes as far as it can.
        QTest::newRow("down one") << QPoint(0, 289) << 1 << 1 << QPoint(0, 290);
        QTest::newRow("down at the limit") << QPoint(0, 290) << 1 << 1 << QPoint(0, 290);
        QTest::newRow("right at the limit") << QPoint(159, 0) << 3 << 1 << QPoint(159, 0);
        QTest::newRow("left one") << QPoint(159, 0) << 2 << 1 << QPoint(158, 0);
        QTest::newRow("long right") << QPoint(150, 5) << 3 << 10 << QPoint(159, 5);
        QTest::newRow("long up, stops at the edge") << QPoint(149, 5) << 0 << 10 << QPoint(149, 0);
    }
    void nudges()
    {
        QFETCH(QPoint, from);
        QFETCH(int, direction);
        QFETCH(int, step);
        QFETCH(QPoint, to);
        using Nudge = unsigned int (ScreenLayout::*)(int);
        const Nudge nudge[] = {&ScreenLayout::MoveElementsUp, &ScreenLayout::MoveElementsDown,
                               &ScreenLayout::MoveElementsLeft, &ScreenLayout::MoveElementsRight};
        R8element* el = m_pHost->Add(R8_TYPE_DATAFIELD, from, 0b110);
        QCOMPARE((m_pCanvas->*nudge[direction])(step), 0u); // nothing selected
        m_pHost->Select({el});
        QCOMPARE((m_pCanvas->*nudge[direction])(step), from == to ? 0u : 0b110u);
        QCOMPARE(el->GetPosition(), to);
        QCOMPARE(m_pHost->Announced(el), from == to ? 0 : 1);
    }
};

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
