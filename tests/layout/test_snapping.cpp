// Snapping while dragging on the page canvas: an edge that comes near another
// element's edge (or the screen's) lands on it with a guide line; Alt drags
// freely; with the grid on, elements come to rest on the grid.
#include "layouthost.h"
#include "screenlayout.h"

#include <QtTest>

class TestSnapping : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue() > 0); }

    // A click that jitters by a pixel or two moves nothing onto a line.
    void jitterDoesNotSnap()
    {
        TestHost host;
        ScreenLayout canvas(nullptr, 0);
        canvas.SetZoom(2.0f);
        canvas.SetGrid({5, false, true});
        R8element* el = host.Add(R8_TYPE_DATAFIELD, QPoint(2, 202), 1, 2.0f);
        const QPoint at = el->GraphicPosition() + QPoint(40, 20);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
            const QPoint pos = type == QEvent::MouseButtonPress ? at : at + QPoint(1, 0);
            QMouseEvent event(type, pos, canvas.mapToGlobal(pos),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&canvas, &event);
        }
        QCOMPARE(el->GetPosition(), QPoint(2, 202));
    }

    void drag_data()
    {
        QTest::addColumn<bool>("resize"); // else move
        QTest::addColumn<int>("dx");      // instrument pixels the pointer travels
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<int>("grid"); // snap-to-grid size, 0 off
        QTest::addColumn<QRect>("landed");
        QTest::addColumn<bool>("guide");
        // The dragged value box starts at (10, 200), 80 x 29; the other one
        // stands at (100, 100), 80 x 29.
        QTest::newRow("left edge to left edge") << false << 88 << 0 << false << 0 << QRect(100, 200, 80, 29) << true;
        QTest::newRow("alt: no snap") << false << 88 << 0 << true << 0 << QRect(98, 200, 80, 29) << false;
        QTest::newRow("beyond the distance") << false << 84 << 0 << false << 0 << QRect(94, 200, 80, 29) << false;
        QTest::newRow("top to the other's bottom")
            << false << 100 << -73 << false << 0 << QRect(110, 129, 80, 29) << true;
        QTest::newRow("centre to screen centre")
            << false << 69 << 20 << false << 0 << QRect(80, 220, 80, 29) << true;
        QTest::newRow("grid") << false << 23 << 1 << false << 5 << QRect(35, 200, 80, 29) << false;
        QTest::newRow("alt: no grid either") << false << 23 << 1 << true << 5 << QRect(33, 201, 80, 29) << false;
        QTest::newRow("right edge to left edge") << true << 9 << 0 << false << 0 << QRect(10, 200, 90, 29) << true;
        QTest::newRow("alt: resize freely") << true << 9 << 0 << true << 0 << QRect(10, 200, 89, 29) << false;
        QTest::newRow("resize on the grid") << true << 15 << 0 << false << 4 << QRect(10, 200, 94, 29) << false;
    }
    void drag()
    {
        QFETCH(bool, resize);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, alt);
        QFETCH(int, grid);
        QFETCH(QRect, landed);
        QFETCH(bool, guide);

        TestHost host;
        ScreenLayout canvas(nullptr, 0);
        canvas.SetZoom(2.0f);
        canvas.resize(482, 642);
        canvas.SetGrid({grid, false, grid > 0});
        host.Add(R8_TYPE_DATAFIELD, QPoint(100, 100), 1, 2.0f);
        R8element* el = host.Add(R8_TYPE_DATAFIELD, QPoint(10, 200), 1, 2.0f);

        // Inside, or on the right edge (the last screen column of the box).
        const QPoint from = el->GraphicPosition() + (resize ? QPoint(159, 20) : QPoint(40, 20));
        const QPoint to = from + 2 * QPoint(dx, dy);
        const Qt::KeyboardModifiers mods = alt ? Qt::AltModifier : Qt::NoModifier;
        auto send = [&](QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
            QMouseEvent event(type, pos, canvas.mapToGlobal(pos),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, mods);
            QApplication::sendEvent(&canvas, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        QCOMPARE(canvas.ResizingIndex() >= 0, resize);
        send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        const Snapping::Guides guides = canvas.Guides();
        QCOMPARE(bool(guides.x || guides.y), guide);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);

        QCOMPARE(QRect(el->GetPosition(), el->GetSize()), landed);
        QVERIFY(!canvas.Guides().x && !canvas.Guides().y); // gone with the drag
    }

    // Shift+arrow steps ten pixels, and as far as it can near the edges.
    void longNudges()
    {
        TestHost host;
        ScreenLayout canvas(nullptr, 0);
        R8element* el = host.Add(R8_TYPE_DATAFIELD, QPoint(150, 5), 1, 1.0f);
        host.Select({el});
        QCOMPARE(canvas.MoveElementsRight(10), 1u);
        QCOMPARE(el->GetPosition(), QPoint(159, 5)); // right edge one pixel short, as single steps
        canvas.MoveElementsUp(10);
        QCOMPARE(el->GetPosition(), QPoint(159, 0));
        canvas.MoveElementsLeft(10);
        canvas.MoveElementsDown(10);
        QCOMPARE(el->GetPosition(), QPoint(149, 10));
        QCOMPARE(canvas.MoveElementsUp(10), 1u);
        QCOMPARE(canvas.MoveElementsUp(10), 0u); // at the top: nothing moves
    }
};

QTEST_MAIN(TestSnapping)
#include "test_snapping.moc"
