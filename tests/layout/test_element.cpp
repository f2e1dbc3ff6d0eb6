// The element model without any window: sizes per type, clamping, position
// repair, change announcements, zoom rebuilds and snapping.
#include "datafields.h"
#include "layouthost.h"

#include <QtTest>
#include <algorithm>

namespace {

// Records each announcement together with the value the element still had.
struct Watcher {
    explicit Watcher(R8element* el)
    {
        QObject::connect(el, &R8element::ElementGeometryWillChange, [this, el](int i) {
            indexes << i;
            positions << el->GetPosition();
            sizes << el->GetSize();
        });
        QObject::connect(el, &R8element::ElementFieldWillChange, [this, el](int i) {
            fieldIndexes << i;
            fields << el->GetField();
        });
    }
    QList<int> indexes, fieldIndexes, fields;
    QList<QPoint> positions;
    QList<QSize> sizes;
};

} // namespace

// A parent with the window's page refresh slot.
class RefreshParent : public QWidget
{
    Q_OBJECT
public slots:
    void RefreshPage(int iPage) { pages << iPage; }

public:
    QList<int> pages;
};

class TestElement : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue() > 0); }

    void sizesPerType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSizeF>("outline"); // at zoom 2: which sides follow the size
        QTest::addColumn<bool>("icon");
        QTest::newRow("value box") << 0x0001 << QSize(80, 29) << QSizeF(160, 58) << false;
        QTest::newRow("dial") << 0xD000 << QSize(60, 60) << QSizeF(120, 120) << false;
        QTest::newRow("bar scale") << 0xE001 << QSize(30, 130) << QSizeF(60, 260) << false;
        QTest::newRow("double scale") << 0xE002 << QSize(70, 200) << QSizeF(140, 400) << false;
        QTest::newRow("tall scale") << 0xE003 << QSize(99, 168) << QSizeF(198, 336) << false;
        QTest::newRow("graph") << 0xE008 << QSize(120, 120) << QSizeF(240, 240) << false;
        QTest::newRow("compass") << 0xE010 << QSize(110, 110) << QSizeF(220, 220) << false;
        QTest::newRow("speaker") << 0xE020 << QSize(25, 16) << QSizeF(50, 32) << true;
        QTest::newRow("phone signal") << 0xE030 << QSize(82, 16) << QSizeF(164, 24) << true;
        QTest::newRow("battery") << 0xE031 << QSize(32, 16) << QSizeF(64, 32) << true;
        QTest::newRow("satellites") << 0xE032 << QSize(28, 16) << QSizeF(56, 32) << true;
        QTest::newRow("map") << 0xE040 << QSize(120, 120) << QSizeF(240, 240) << false;
        QTest::newRow("pointer") << 0xE042 << QSize(40, 40) << QSizeF(80, 80) << false;
        QTest::newRow("wind rose") << 0xE043 << QSize(110, 110) << QSizeF(220, 220) << false;
    }
    void sizesPerType()
    {
        QFETCH(int, type);
        QFETCH(QSize, size);
        QFETCH(QSizeF, outline);
        QFETCH(bool, icon);
        R8element el(nullptr, type, 1);
        QCOMPARE(el.GetSize(), size);
        QCOMPARE(el.GetAttribs(), 44u);
        QCOMPARE(bool(el.Icon()) && !el.Icon()->isNull(), icon);
        el.SetZoom(2.0f);
        QCOMPARE(el.GetSize(), size);
        QCOMPARE(el.MyPath().boundingRect().size(), outline);
    }

    void clampingAndRepair()
    {
        R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
        box.SetSize(QSize(5, 5));
        QCOMPARE(box.GetSize(), QSize(10, 10));
        box.SetHeight(-7);
        QCOMPARE(box.GetSize(), QSize(10, 10));
        R8element tall(nullptr, R8_TYPE_TALLSCALE, 1);
        tall.SetSize(QSize(40, 100));
        QCOMPARE(tall.GetSize(), QSize(55, 168));

        box.SetSize(QSize(100, 29));
        box.SetPosition(QPoint(200, 300));
        QCOMPARE(box.GetPosition(), QPoint(140, 291));
        box.SetPositionX(-5);
        box.SetPositionY(-9);
        QCOMPARE(box.GetPosition(), QPoint(0, 0));
        // No larger than the screen, so never out of reach.
        box.SetSize(QSize(300, 400));
        box.SetPosition(QPoint(10, 10));
        QCOMPARE(box.GetSize(), QSize(240, 320));
        QCOMPARE(box.GetPosition(), QPoint(0, 0));
        // Tool box samples live outside the screen and are never pulled in.
        R8element sample(nullptr, R8_TYPE_DATAFIELD, 0);
        sample.SetPosition(QPoint(200, 400));
        QCOMPARE(sample.GetPosition(), QPoint(200, 400));

        // Dragging on screen stops at the minimum too.
        R8element graph(nullptr, R8_TYPE_GRAPH, 1);
        graph.SetZoom(1.5f);
        graph.GraphicSizeSetWidth(10.0f);
        graph.GraphicSizeSetHeight(-20.0f);
        QCOMPARE(graph.GraphicSizeWidth(), 75.0f);
        QCOMPARE(graph.GraphicSizeHeight(), 45.0f);
    }

    void announcementsComeOnceAndBefore()
    {
        R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
        el.SetScreenElementIndex(4);
        Watcher w(&el);
        // No change, no announcement; a clamp is a change.
        el.SetPosition(QPoint(0, 0));
        el.SetSize(QSize(80, 29));
        el.SetField(0);
        el.SetHeight(5);
        QCOMPARE(w.indexes, QList<int>({4}));
        QCOMPARE(w.sizes.last(), QSize(80, 29));
        el.SetPosition(QPoint(20, 30));
        el.SetPositionX(25);
        el.SetPositionY(35);
        QCOMPARE(w.positions.mid(1), QList<QPoint>({QPoint(0, 0), QPoint(20, 30), QPoint(25, 30)}));
        el.SetField(33);
        el.SetField(33);
        QCOMPARE(w.fieldIndexes, QList<int>({4}));
        QCOMPARE(w.fields, QList<int>({0}));
        el.SetAttribs(44);
        el.SetAttribs(12);
        QCOMPARE(w.indexes.size(), 5);

        // Restoring stores without a word, still repairs the position, and
        // neither clamps nor rebuilds.
        const QRectF outline = el.MyPath().boundingRect();
        w.indexes.clear();
        el.RestorePosition(QPoint(300, 10));
        el.RestoreSize(QSize(5, 5));
        el.RestoreField(105);
        QVERIFY(w.indexes.isEmpty() && w.fieldIndexes.size() == 1);
        QCOMPARE(el.GetPosition(), QPoint(160, 10));
        QCOMPARE(el.GetSize(), QSize(5, 5));
        QCOMPARE(el.MyPath().boundingRect(), outline);

        // Without a list index nothing is announced for geometry or field.
        R8element loose(nullptr, R8_TYPE_DATAFIELD, 1);
        Watcher lw(&loose);
        loose.SetPosition(QPoint(5, 5));
        loose.SetField(33);
        QVERIFY(lw.indexes.isEmpty() && lw.fieldIndexes.isEmpty());
    }

    void setZoomRebuildsNaturalSize_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QSize>("natural");
        QTest::newRow("bar scale") << 0xE001 << QSize(30, 130);
        QTest::newRow("compass") << 0xE010 << QSize(110, 110);
        QTest::newRow("phone signal") << 0xE030 << QSize(82, 16); // outline 12 high, minimum 16
        QTest::newRow("tall scale") << 0xE003 << QSize(150, 168); // height fixed, width follows
        QTest::newRow("dial squares on its width") << 0xD000 << QSize(150, 150);
        QTest::newRow("value box") << 0x0001 << QSize(150, 200);
    }
    void setZoomRebuildsNaturalSize()
    {
        QFETCH(int, type);
        QFETCH(QSize, natural);
        R8element el(nullptr, type, 1);
        el.SetZoom(1.5f);
        el.SetScreenElementIndex(2);
        el.RestoreSize(QSize(150, 200));
        Watcher w(&el);
        el.SetZoom(-1.0f);
        QCOMPARE(el.GetZoom(), 1.5f);
        QCOMPARE(el.GetSize(), natural);
        QCOMPARE(w.sizes, natural == QSize(150, 200) ? QList<QSize>() : QList<QSize>{QSize(150, 200)});
    }

    void zoomRebuildDoesNotShrink()
    {
        // The window's scale comes from the screen height and is rarely a
        // round number; rebuilding at it must give the same size back.
        R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
        R8element dial(nullptr, R8_TYPE_DIAL, 1);
        for (int step = 0; step < 60; step += 3) {
            const float zoom = 0.3f + 0.047f * step;
            for (int w = 10; w <= 240; w += 11) {
                el.SetZoom(zoom);
                el.SetSize(QSize(w, 29));
                el.SetZoom(-1.0f);
                el.SetZoom(-1.0f);
                el.SetPosition(QPoint(0, 7));
                el.SnapIt(); // a click without motion
                const QString where = QStringLiteral("zoom %1 width %2").arg(double(zoom)).arg(w);
                QVERIFY2(el.GetPosition() == QPoint(0, 7) && el.GetSize() == QSize(w, 29), qPrintable(where));
                dial.SetZoom(zoom);
                dial.SetSize(QSize(std::max(w, 40), 1));
                dial.SetZoom(-1.0f);
                QVERIFY2(dial.GetSize() == QSize(std::max(w, 40), std::max(w, 40)), qPrintable(where));
            }
        }
    }

    void snapToWholePixels()
    {
        R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
        el.SetZoom(2.0f);
        el.SetScreenElementIndex(1);
        Watcher w(&el);
        el.SetGraphicPosition(QPoint(41, 63));
        el.GraphicSizeSetWidth(101.0f);
        el.GraphicSizeSetHeight(59.5f);
        QVERIFY(w.indexes.isEmpty()); // dragging announces nothing
        el.SnapIt();
        QCOMPARE(el.GetPosition(), QPoint(20, 31));
        QCOMPARE(el.GraphicPosition(), QPoint(40, 62));
        QCOMPARE(el.GetSize(), QSize(50, 29));
        QCOMPARE(w.sizes, QList<QSize>({QSize(80, 29), QSize(50, 29)})); // size, then position
        // Dragged past the screen: lands clamped.
        el.SetGraphicPosition(QPoint(470, -9));
        el.SnapIt();
        QCOMPARE(el.GetPosition(), QPoint(190, 0));
        QCOMPARE(el.GraphicPosition(), QPoint(380, 0));
        // Unchanged geometry snaps without a word.
        w.indexes.clear();
        el.SnapIt();
        QVERIFY(w.indexes.isEmpty());
    }

    void attributesAndField()
    {
        R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
        el.AttribTextAlignCenter();
        QCOMPARE(el.GetAttribs(), 76u);
        el.AttribTextAlignLeft();
        QCOMPARE(el.GetAttribs(), 12u);
        el.RestoreAttribs(0x10D);
        el.SetMapType(2);
        QCOMPARE(el.GetAttribs(), 0x10Eu);

        el.SetField(33);
        QCOMPARE(el.GetFieldName(), QStringLiteral("Altitude"));
        QCOMPARE(el.GetDataType(), 1);
        // No entry: the id is kept, but no name or data type of another field.
        el.SetField(99999);
        QCOMPARE(el.GetField(), 99999);
        QCOMPARE(el.GetFieldName(), QString());
        QCOMPARE(el.GetDataType(), 0);
        el.RestoreField(105);
        QCOMPARE(el.GetDataType(), 3);
        // A field that forbids the large font says so in the property mask.
        for (const _DataField* f : g_DataFields.Fields()) {
            el.RestoreField(f->BaseId);
            QCOMPARE(bool(el.GetHasProps() & 0x400), bool(f->NoLargeFont));
        }
    }

    void pagesSelectionAndRefresh()
    {
        RefreshParent parent;
        auto* el = new R8element(&parent, R8_TYPE_DATAFIELD, 1);
        el->RestorePages(0b101);
        el->CommitMove();
        QCOMPARE(parent.pages, QList<int>({0, 2}));
        el->ChangedPagePresence(7);
        QCOMPARE(parent.pages.last(), 7);
        QVERIFY(el->IsOnPage(2) && !el->IsOnPage(1) && !el->IsOnPage(40));
        QCOMPARE(el->ElementSelect(1), 0b101u);
        QCOMPARE(el->ElementSelect(1), 0u);
        QCOMPARE(el->ElementSelect(2), 0b101u);

        // Position and size from a dialog that reports each change at once.
        parent.pages.clear();
        el->SetZoom(2.0f);
        el->ChangedPositioning(QPoint(300, 10), QSize(5, 50));
        QCOMPARE(el->GetSize(), QSize(10, 50));
        QCOMPARE(el->GetPosition(), QPoint(230, 10));
        QCOMPARE(el->GraphicPosition(), QPoint(460, 20));
        QCOMPARE(parent.pages, QList<int>({0, 2}));

        // A sample is not connected to the window's refresh.
        parent.pages.clear();
        auto* sample = new R8element(&parent, R8_TYPE_DATAFIELD, 0);
        sample->SetPages(R8_ALL_PAGES);
        sample->CommitMove();
        QVERIFY(parent.pages.isEmpty());
        // A deleted element leaves the shared selection.
        R8selectedElements = {el, sample};
        delete sample;
        QCOMPARE(R8selectedElements, QList<R8element*>({el}));
        R8selectedElements.clear();
    }
};

QTEST_MAIN(TestElement)
#include "test_element.moc"
