// The page canvas driven by mouse events: hit zones and cursors, moving,
// resizing, band and Shift selection, nudges, tooltips.
#include "layouthost.h"
#include "screenlayout.h"

#include <QSignalSpy>
#include <QtTest>

// A window with the page update signal the canvas listens to.
class PageWindow : public QWidget
{
    Q_OBJECT
signals:
    void UpdateLayout(int iPage);
};

class TestCanvas : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qRegisterMetaType<R8element*>();
        QVERIFY(TestEnv::LoadCatalogue() > 0);
    }
    void init();
    void cleanup();

    void edgeZonesAndCursors_data();
    void edgeZonesAndCursors();
    void pressTakesTopElement();
    void groupMove();
    void squareResizeOfDial();
    void shiftClickMakesReference();
    void bandSelects();
    void doubleClickOpensProperties();
    void nudgesStopShortOfEdges();
    void pageUpdatesAndDeletion();

private:
    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Click(QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier);

    TestHost* m_pHost = nullptr;
    PageWindow* m_pWindow = nullptr;
    ScreenLayout* m_pCanvas = nullptr;
};

void TestCanvas::init()
{
    m_pHost = new TestHost;
    m_pWindow = new PageWindow;
    m_pCanvas = new ScreenLayout(m_pWindow, 0);
    m_pCanvas->SetZoom(2.0f);
    m_pCanvas->resize(482, 642);
}

void TestCanvas::cleanup()
{
    delete m_pWindow;
    delete m_pHost;
}

void TestCanvas::Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, m_pCanvas->mapToGlobal(pos), button, buttons, mods);
    QApplication::sendEvent(m_pCanvas, &event);
}

void TestCanvas::Click(QPoint pos, Qt::KeyboardModifiers mods)
{
    Mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton, mods);
    Mouse(QEvent::MouseButtonRelease, pos, Qt::NoButton, mods);
}

void TestCanvas::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods)
{
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, mods);
    Mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, mods);
    Mouse(QEvent::MouseMove, to, Qt::LeftButton, mods);
    Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton, mods);
}

void TestCanvas::edgeZonesAndCursors_data()
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
    QTest::newRow("upper right") << 0x0001 << QPoint(159, 2) << 6 << int(Qt::SizeBDiagCursor);
    QTest::newRow("left") << 0x0001 << QPoint(2, 30) << 1 << int(Qt::SizeHorCursor);
    QTest::newRow("right") << 0x0001 << QPoint(158, 30) << 2 << int(Qt::SizeHorCursor);
    QTest::newRow("top") << 0x0001 << QPoint(80, 1) << 4 << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << 0x0001 << QPoint(80, 57) << 8 << int(Qt::SizeVerCursor);
    QTest::newRow("3 pixels in") << 0x0001 << QPoint(80, 3) << 0 << int(Qt::OpenHandCursor);
    // Icons cannot be resized: their corner is an ordinary grab.
    QTest::newRow("icon corner") << 0xE031 << QPoint(62, 30) << 0 << int(Qt::OpenHandCursor);
    // The phone signal's outline does not follow its width: no edge either.
    QTest::newRow("phone signal corner") << 0xE030 << QPoint(162, 22) << 0 << int(Qt::OpenHandCursor);
    // The tall scale's height is fixed: its width only (198 x 336 at zoom 2).
    QTest::newRow("tall scale top") << 0xE003 << QPoint(99, 1) << 0 << int(Qt::OpenHandCursor);
    QTest::newRow("tall scale right") << 0xE003 << QPoint(197, 100) << 2 << int(Qt::SizeHorCursor);
    QTest::newRow("empty canvas") << 0x0001 << QPoint(-20, -20) << -1 << int(Qt::ArrowCursor);
}

void TestCanvas::edgeZonesAndCursors()
{
    QFETCH(int, type);
    QFETCH(QPoint, offset);
    QFETCH(int, zone);
    QFETCH(int, cursor);
    R8element* el = m_pHost->Add(type, QPoint(20, 30), 1, 2.0f);
    const QPoint pos = el->GraphicPosition() + offset;
    int iZone = -1;
    const int i = m_pCanvas->ElementAtPos(pos, &iZone);
    if (zone < 0) {
        QCOMPARE(i, -1);
    } else {
        QCOMPARE(i, 0);
        QCOMPARE(iZone, zone);
    }
    Mouse(QEvent::MouseMove, pos, Qt::NoButton);
    QCOMPARE(int(m_pCanvas->cursor().shape()), cursor);
    if (zone == 0) {
        Mouse(QEvent::MouseButtonPress, pos);
        QCOMPARE(m_pCanvas->cursor().shape(), Qt::ClosedHandCursor);
    }
}

void TestCanvas::pressTakesTopElement()
{
    // The first element of the list is painted last, on top: the pointer
    // must take that one where the two overlap.
    R8element* top = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 1, 2.0f);
    R8element* under = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(30, 20), 1, 2.0f);
    QCOMPARE(m_pCanvas->ElementAtPos(QPoint(80, 50), nullptr), 0);
    Mouse(QEvent::MouseButtonPress, QPoint(80, 50));
    QCOMPARE(m_pCanvas->MovingIndex(), 0);
    Mouse(QEvent::MouseMove, QPoint(100, 50));
    Mouse(QEvent::MouseButtonRelease, QPoint(100, 50), Qt::NoButton);
    QCOMPARE(top->GetPosition(), QPoint(20, 10));
    QCOMPARE(under->GetPosition(), QPoint(30, 20));
    // Outside the top one the lower one is found.
    QCOMPARE(m_pCanvas->ElementAtPos(QPoint(210, 90), nullptr), 1);
}

void TestCanvas::groupMove()
{
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 1, 2.0f);
    R8element* b = m_pHost->Add(R8_TYPE_DIAL, QPoint(100, 100), 1, 2.0f);
    R8element* c = m_pHost->Add(R8_TYPE_BATTERY, QPoint(50, 200), 1, 2.0f);
    R8element* other = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 250), 1, 2.0f);
    m_pHost->Select({a, b, c});
    m_pHost->ResetCounts();

    // Grab the dial in its middle and drag by (21, 13) screen pixels.
    const QPoint start = b->GraphicPosition() + QPoint(60, 60);
    Mouse(QEvent::MouseButtonPress, start);
    QCOMPARE(m_pCanvas->MovingIndex(), 1);
    Mouse(QEvent::MouseMove, start + QPoint(10, 5));
    QCOMPARE(a->GraphicPosition(), QPoint(30, 25));
    QCOMPARE(a->GetPosition(), QPoint(10, 10)); // nothing stored while dragging
    Mouse(QEvent::MouseMove, start + QPoint(21, 13));
    QCOMPARE(m_pHost->Announced(a), 0);
    Mouse(QEvent::MouseButtonRelease, start + QPoint(21, 13), Qt::NoButton);

    // Snapped to whole instrument pixels: 41 / 2 and 33 / 2 truncated.
    QCOMPARE(a->GetPosition(), QPoint(20, 16));
    QCOMPARE(b->GetPosition(), QPoint(110, 106));
    QCOMPARE(c->GetPosition(), QPoint(60, 206));
    QCOMPARE(other->GetPosition(), QPoint(10, 250));
    // One record per moved element, none for the one left alone.
    QCOMPARE(m_pHost->Announced(a), 1);
    QCOMPARE(m_pHost->Announced(b), 1);
    QCOMPARE(m_pHost->Announced(c), 1);
    QCOMPARE(m_pHost->Announced(other), 0);
    // Only the element under the pointer stays selected.
    QCOMPARE(R8selectedElements, QList<R8element*>({b}));
    QCOMPARE(a->IsSelected(), 0);
    QCOMPARE(b->IsSelected(), 1);
    QCOMPARE(m_pCanvas->MovingIndex(), -1);
}

void TestCanvas::squareResizeOfDial()
{
    R8element* dial = m_pHost->Add(R8_TYPE_DIAL, QPoint(20, 20), 1, 2.0f); // 120 x 120 at (40, 40)
    m_pHost->ResetCounts();
    const QPoint edge(40 + 119, 40 + 60);
    Mouse(QEvent::MouseMove, edge, Qt::NoButton);
    QCOMPARE(m_pCanvas->cursor().shape(), Qt::SizeHorCursor);
    Mouse(QEvent::MouseButtonPress, edge);
    QCOMPARE(m_pCanvas->ResizingIndex(), 0);
    Mouse(QEvent::MouseMove, edge + QPoint(10, 3));
    QCOMPARE(dial->GraphicSizeWidth(), 130.0f);
    QCOMPARE(dial->GraphicSizeHeight(), 130.0f);
    QCOMPARE(dial->GraphicPosition(), QPoint(40, 40));
    QCOMPARE(m_pHost->Announced(dial), 0);
    Mouse(QEvent::MouseMove, edge + QPoint(13, 3));
    Mouse(QEvent::MouseButtonRelease, edge + QPoint(13, 3), Qt::NoButton);
    QCOMPARE(m_pCanvas->ResizingIndex(), -1);
    // 133 / 2 truncated, square again, position unchanged.
    QCOMPARE(dial->GetSize(), QSize(66, 66));
    QCOMPARE(dial->GetPosition(), QPoint(20, 20));
    QCOMPARE(dial->MyPath().boundingRect().size(), QSizeF(132, 132));
    QCOMPARE(m_pHost->Announced(dial), 1);

    // Dragged by the top edge: grows upward, the position follows.
    const QPoint top(40 + 66, 41);
    Mouse(QEvent::MouseButtonPress, top);
    Mouse(QEvent::MouseMove, top - QPoint(0, 20));
    Mouse(QEvent::MouseButtonRelease, top - QPoint(0, 20), Qt::NoButton);
    QCOMPARE(dial->GetSize(), QSize(76, 76));
    QCOMPARE(dial->GetPosition(), QPoint(20, 10));
}

void TestCanvas::shiftClickMakesReference()
{
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 1, 2.0f);
    R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 100), 1, 2.0f);
    QSignalSpy multi(m_pCanvas, &ScreenLayout::MultiSelect);
    Click(QPoint(60, 40));
    QCOMPARE(multi.last().first().toInt(), 1);
    Click(QPoint(60, 220), Qt::ShiftModifier);
    QCOMPARE(R8selectedElements.size(), 2);
    QCOMPARE(a->IsSelected() + b->IsSelected(), 3); // one plain, one reference

    // Shift-click on the plain one: it becomes the reference.
    R8element* plain = a->IsSelected() == 1 ? a : b;
    R8element* ref = plain == a ? b : a;
    const QPoint onPlain = plain->GraphicPosition() + QPoint(50, 30);
    m_pHost->ResetCounts();
    Click(onPlain, Qt::ShiftModifier);
    QCOMPARE(plain->IsSelected(), 2);
    QCOMPARE(ref->IsSelected(), 1);
    QCOMPARE(multi.last().first().toInt(), 2);
    QCOMPARE(m_pHost->m_uUpdated, 1u);
    // And again: plain selected, both stay in the selection.
    Click(onPlain, Qt::ShiftModifier);
    QCOMPARE(plain->IsSelected(), 1);
    QCOMPARE(ref->IsSelected(), 1);
    QCOMPARE(R8selectedElements.size(), 2);
    // A plain click keeps just the one under the pointer, never as reference.
    Click(onPlain);
    QCOMPARE(plain->IsSelected(), 1);
    QCOMPARE(ref->IsSelected(), 0);
    QCOMPARE(multi.last().first().toInt(), 1);
}

void TestCanvas::bandSelects()
{
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 1, 2.0f);
    R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 100), 1, 2.0f);
    R8element* c = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(120, 200), 1, 2.0f);
    R8element* elsewhere = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(0, 0), 2, 2.0f);
    elsewhere->ElementSelect(1);

    // Dragged from empty canvas over the corners of a and b.
    Mouse(QEvent::MouseButtonPress, QPoint(400, 600));
    QVERIFY(m_pCanvas->BandActive());
    QCOMPARE(elsewhere->IsSelected(), 1); // the press alone changes nothing
    Mouse(QEvent::MouseMove, QPoint(150, 300));
    Mouse(QEvent::MouseMove, QPoint(150, 30));
    Mouse(QEvent::MouseButtonRelease, QPoint(150, 30), Qt::NoButton);
    QVERIFY(!m_pCanvas->BandActive());
    QCOMPARE(R8selectedElements, QList<R8element*>({a, b, c}));
    QCOMPARE(elsewhere->IsSelected(), 0);

    // Shift adds; the band from the other side.
    Click(QPoint(60, 40));
    QCOMPARE(R8selectedElements, QList<R8element*>({a}));
    Drag(QPoint(470, 630), QPoint(300, 420), Qt::ShiftModifier);
    QCOMPARE(R8selectedElements, QList<R8element*>({a, c}));

    // A click on empty canvas clears the selection.
    QSignalSpy multi(m_pCanvas, &ScreenLayout::MultiSelect);
    Click(QPoint(470, 630));
    QVERIFY(R8selectedElements.isEmpty());
    QCOMPARE(a->IsSelected() + b->IsSelected() + c->IsSelected(), 0);
    QCOMPARE(multi.last().first().toInt(), 0);
}

void TestCanvas::doubleClickOpensProperties()
{
    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 1, 2.0f);
    m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 100), 1, 2.0f);
    QSignalSpy opened(m_pCanvas, &ScreenLayout::RightClickElement);
    Mouse(QEvent::MouseButtonDblClick, QPoint(60, 40));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().first().value<R8element*>(), a);
    Mouse(QEvent::MouseButtonDblClick, QPoint(400, 600));
    QCOMPARE(opened.size(), 1);

    QCOMPARE(m_pCanvas->PropertiesElement(), 0u); // nothing selected now
    m_pCanvas->SelectElement(a);
    QCOMPARE(m_pCanvas->PropertiesElement(), 1u);
    QCOMPARE(opened.size(), 2);
}

void TestCanvas::nudgesStopShortOfEdges()
{
    R8element* el = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(0, 290), 1, 2.0f); // 80 x 29
    QCOMPARE(m_pCanvas->MoveElementsDown(), 0u);                              // nothing selected
    m_pHost->Select({el});
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->MoveElementsDown(), 0u); // 290 + 1 + 29 = 320
    QCOMPARE(m_pCanvas->MoveElementsLeft(), 0u);
    QCOMPARE(el->GetPosition(), QPoint(0, 290));
    QCOMPARE(m_pHost->Announced(el), 0);

    el->SetPositionY(289);
    m_pHost->ResetCounts();
    QCOMPARE(m_pCanvas->MoveElementsDown(), 1u);
    QCOMPARE(el->GetPosition(), QPoint(0, 290));
    QCOMPARE(m_pHost->Announced(el), 1);

    el->SetPosition(QPoint(159, 0));
    QCOMPARE(m_pCanvas->MoveElementsRight(), 0u); // 159 + 1 + 80 = 240: refused
    QCOMPARE(el->GetPosition(), QPoint(159, 0));
    QCOMPARE(m_pCanvas->MoveElementsUp(), 0u);
    QCOMPARE(m_pCanvas->MoveElementsLeft(), 1u);
    QCOMPARE(el->GetPosition(), QPoint(158, 0));
    el->RestorePages(0b110);
    QCOMPARE(m_pCanvas->MoveElementsDown(), 0b110u);
    QCOMPARE(el->GetPosition(), QPoint(158, 1));
}

void TestCanvas::pageUpdatesAndDeletion()
{
    QSignalSpy thumbs(m_pCanvas, &ScreenLayout::RefreshThumb);
    emit m_pWindow->UpdateLayout(3);
    QCOMPARE(thumbs.size(), 0);
    emit m_pWindow->UpdateLayout(0);
    QCOMPARE(thumbs.size(), 1);
    QCOMPARE(thumbs.first().first().toInt(), 0);

    R8element* a = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 10), 0b1001, 2.0f);
    R8element* b = m_pHost->Add(R8_TYPE_DATAFIELD, QPoint(10, 100), 0b11, 2.0f);
    m_pHost->Select({a, b});
    QCOMPARE(m_pCanvas->DeleteElements(), 0b1011u);
    QCOMPARE(a->OnPages(), 0u);
    QCOMPARE(b->OnPages(), 0u);
    QCOMPARE(m_pHost->Elements().size(), 2);
    // Gone from the page: no longer hit.
    QCOMPARE(m_pCanvas->ElementAtPos(QPoint(60, 40), nullptr), -1);
}

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
