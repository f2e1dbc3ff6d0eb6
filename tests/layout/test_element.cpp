// The element model without any window: construction per type, clamping,
// position repair, change announcements, zoom rebuilds and snapping.
#include "layouthost.h"

#include <QSignalSpy>
#include <algorithm>
#include <QtTest>

namespace {

// Records each announcement together with the value the element still had.
struct Watcher {
    explicit Watcher(R8element* el)
    {
        QObject::connect(el, &R8element::ElementGeometryWillChange, [this, el](int i) {
            indexes << i;
            positions << el->GetPosition();
            sizes << el->GetSize();
            attribs << el->GetAttribs();
        });
        QObject::connect(el, &R8element::ElementFieldWillChange, [this, el](int i) {
            fieldIndexes << i;
            fields << el->GetField();
        });
    }
    QList<int> indexes, fieldIndexes, fields;
    QList<QPoint> positions;
    QList<QSize> sizes;
    QList<unsigned int> attribs;
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
    void initTestCase() { QVERIFY(LoadTestCatalogue()); }

    void constructionPerType_data();
    void constructionPerType();
    void unknownTypeHasNoOutline();
    void sizeClampedToMinimum();
    void positionRepair();
    void announcementsComeOnceAndBefore();
    void setAttribsAnnouncesWithoutIndex();
    void restoreStoresSilently();
    void setZoomRebuildsNaturalSize_data();
    void setZoomRebuildsNaturalSize();
    void dialStaysSquare();
    void zoomRebuildDoesNotShrink();
    void snapToWholePixels();
    void graphicSizeStopsAtMinimum();
    void attributeHelpers();
    void fieldLookup();
    void pagesSelectionAndRefresh();
    void toolBoxSample();
};

void TestElement::constructionPerType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<int>("resize");
    QTest::addColumn<unsigned int>("props");
    QTest::addColumn<QSizeF>("outline");
    QTest::addColumn<bool>("icon");
    // At zoom 2, so the outline shows which sides follow the size.
    QTest::newRow("value box") << 0x0001 << QSize(80, 29) << QSize(10, 10) << 3 << 0x3FFu << QSizeF(160, 58) << false;
    QTest::newRow("dial") << 0xD000 << QSize(60, 60) << QSize(40, 40) << 7 << 0x1837u << QSizeF(120, 120) << false;
    QTest::newRow("bar scale") << 0xE001 << QSize(30, 130) << QSize(0, 0) << 0 << 0x7u << QSizeF(60, 260) << false;
    QTest::newRow("double scale") << 0xE002 << QSize(70, 200) << QSize(0, 0) << 0 << 0u << QSizeF(140, 400) << false;
    QTest::newRow("tall scale") << 0xE003 << QSize(99, 168) << QSize(55, 168) << 3 << 0x7u << QSizeF(198, 336) << false;
    QTest::newRow("graph") << 0xE008 << QSize(120, 120) << QSize(50, 30) << 3 << 0xFu << QSizeF(240, 240) << false;
    QTest::newRow("compass") << 0xE010 << QSize(110, 110) << QSize(0, 0) << 0 << 0x7u << QSizeF(220, 220) << false;
    QTest::newRow("speaker") << 0xE020 << QSize(25, 16) << QSize(25, 16) << 0 << 0x3u << QSizeF(50, 32) << true;
    QTest::newRow("phone signal") << 0xE030 << QSize(82, 16) << QSize(80, 16) << 1 << 0x3u << QSizeF(164, 24) << true;
    QTest::newRow("battery") << 0xE031 << QSize(32, 16) << QSize(32, 16) << 0 << 0x3u << QSizeF(64, 32) << true;
    QTest::newRow("satellites") << 0xE032 << QSize(28, 16) << QSize(28, 16) << 0 << 0x3u << QSizeF(56, 32) << true;
    QTest::newRow("map") << 0xE040 << QSize(120, 120) << QSize(50, 30) << 3 << 0x210Fu << QSizeF(240, 240) << false;
    QTest::newRow("pointer") << 0xE042 << QSize(40, 40) << QSize(20, 20) << 7 << 0u << QSizeF(80, 80) << false;
    QTest::newRow("wind rose") << 0xE043 << QSize(110, 110) << QSize(100, 100) << 7 << 0u << QSizeF(220, 220) << false;
}

void TestElement::constructionPerType()
{
    QFETCH(int, type);
    QFETCH(QSize, size);
    QFETCH(QSize, minimum);
    QFETCH(int, resize);
    QFETCH(unsigned int, props);
    QFETCH(QSizeF, outline);
    QFETCH(bool, icon);

    R8element el(nullptr, type, 1);
    QCOMPARE(el.GetType(), type);
    QCOMPARE(el.GetSize(), size);
    QCOMPARE(QSize(el.MinimumWidth(), el.MinimumHeight()), minimum);
    QCOMPARE(el.GetResizeFlags(), resize);
    QCOMPARE(el.GetHasProps(), props);
    QCOMPARE(el.GetPosition(), QPoint(0, 0));
    QCOMPARE(el.GetAttribs(), 44u);
    QCOMPARE(el.GetField(), 0);
    QCOMPARE(el.GetZoom(), 1.0f);
    QCOMPARE(el.OnPages(), 0u);
    QCOMPARE(el.GetScreenElementIndex(), -1);
    QCOMPARE(el.IsSelected(), 0);
    QVERIFY(!el.IsNew());
    QCOMPARE(bool(el.Icon()), icon);
    if (icon)
        QVERIFY(!el.Icon()->isNull());
    QVERIFY(!el.isVisible());

    el.SetZoom(2.0f);
    QCOMPARE(el.GetSize(), size);
    QCOMPARE(el.MyPath().boundingRect().size(), outline);
    QCOMPARE(el.MyScreenSize(), QSizeF(size) * 2);
}

void TestElement::unknownTypeHasNoOutline()
{
    // An unknown type keeps its size: its outline is that rectangle.
    R8element el(nullptr, 0x1234, 1);
    el.RestoreSize(QSize(33, 44));
    el.SetZoom(2.0f);
    QCOMPARE(el.GetSize(), QSize(33, 44));
    QCOMPARE(el.MyPath().boundingRect().size(), QSizeF(66, 88));
    QCOMPARE(el.GetHasProps(), 0u);
    QCOMPARE(el.GetResizeFlags(), 0);
}

void TestElement::sizeClampedToMinimum()
{
    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    box.SetSize(QSize(5, 5));
    QCOMPARE(box.GetSize(), QSize(10, 10));
    box.SetWidth(3);
    box.SetHeight(-7);
    QCOMPARE(box.GetSize(), QSize(10, 10));

    R8element tall(nullptr, R8_TYPE_TALLSCALE, 1);
    tall.SetSize(QSize(40, 100));
    QCOMPARE(tall.GetSize(), QSize(55, 168));
}

void TestElement::positionRepair()
{
    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    box.SetSize(QSize(100, 29));
    box.SetPosition(QPoint(200, 300));
    QCOMPARE(box.GetPosition(), QPoint(140, 291));
    box.SetPositionX(-5);
    box.SetPositionY(-9);
    QCOMPARE(box.GetPosition(), QPoint(0, 0));
    box.SetPosition(QPoint(140, 291));
    box.SetZoom(2.0f);
    box.UpdateGraphicPos();
    QCOMPARE(box.GraphicPosition(), QPoint(280, 582));

    // No larger than the screen, so never out of reach.
    box.SetSize(QSize(300, 400));
    box.SetPosition(QPoint(10, 10));
    QCOMPARE(box.GetSize(), QSize(240, 320));
    QCOMPARE(box.GetPosition(), QPoint(0, 0));

    // Tool box samples live outside the screen and are never pulled in.
    R8element sample(nullptr, R8_TYPE_DATAFIELD, 0);
    sample.SetSize(QSize(100, 29));
    sample.SetPosition(QPoint(200, 400));
    QCOMPARE(sample.GetPosition(), QPoint(200, 400));
}

void TestElement::announcementsComeOnceAndBefore()
{
    R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
    el.SetScreenElementIndex(4);
    Watcher w(&el);

    el.SetPosition(QPoint(0, 0));
    el.SetSize(QSize(80, 29));
    el.SetField(0);
    el.SetPositionX(0);
    el.SetWidth(80);
    el.SetHeight(5); // clamps to 10: a change
    QCOMPARE(w.indexes, QList<int>({4}));
    QCOMPARE(w.sizes.last(), QSize(80, 29));
    el.SetHeight(29);

    w.indexes.clear();
    w.positions.clear();
    el.SetPosition(QPoint(20, 30));
    el.SetPositionX(25);
    el.SetPositionY(35);
    QCOMPARE(w.indexes, QList<int>({4, 4, 4}));
    QCOMPARE(w.positions, QList<QPoint>({QPoint(0, 0), QPoint(20, 30), QPoint(25, 30)}));

    w.sizes.clear();
    el.SetSize(QSize(90, 40));
    el.SetSize(QSize(90, 40));
    QCOMPARE(w.sizes, QList<QSize>({QSize(80, 29)}));

    el.SetField(33);
    el.SetField(33);
    QCOMPARE(w.fieldIndexes, QList<int>({4}));
    QCOMPARE(w.fields, QList<int>({0}));

    // Without a list index nothing is announced for geometry or field.
    R8element loose(nullptr, R8_TYPE_DATAFIELD, 1);
    Watcher lw(&loose);
    loose.SetPosition(QPoint(5, 5));
    loose.SetSize(QSize(50, 50));
    loose.SetField(33);
    QVERIFY(lw.indexes.isEmpty());
    QVERIFY(lw.fieldIndexes.isEmpty());
}

void TestElement::setAttribsAnnouncesWithoutIndex()
{
    R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
    Watcher w(&el);
    el.SetAttribs(44);
    QVERIFY(w.indexes.isEmpty());
    el.SetAttribs(12);
    QCOMPARE(w.indexes, QList<int>({-1}));
    QCOMPARE(w.attribs, QList<unsigned int>({44u}));
    QCOMPARE(el.GetAttribs(), 12u);
}

void TestElement::restoreStoresSilently()
{
    R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
    el.SetScreenElementIndex(0);
    Watcher w(&el);
    const QRectF outline = el.MyPath().boundingRect();
    el.RestorePosition(QPoint(300, 10));
    el.RestoreSize(QSize(5, 5));
    el.RestoreAttribs(0x91);
    el.RestoreField(105);
    el.RestorePages(6);
    QVERIFY(w.indexes.isEmpty());
    QVERIFY(w.fieldIndexes.isEmpty());
    QCOMPARE(el.GetPosition(), QPoint(160, 10)); // still repaired
    QCOMPARE(el.GetSize(), QSize(5, 5));         // not clamped
    QCOMPARE(el.MyPath().boundingRect(), outline); // not rebuilt
    QCOMPARE(el.GetAttribs(), 0x91u);
    QCOMPARE(el.GetField(), 105);
    QCOMPARE(el.OnPages(), 6u);
}

void TestElement::setZoomRebuildsNaturalSize_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QSize>("natural");
    QTest::newRow("bar scale") << 0xE001 << QSize(30, 130);
    QTest::newRow("double scale") << 0xE002 << QSize(70, 200);
    QTest::newRow("compass") << 0xE010 << QSize(110, 110);
    QTest::newRow("speaker") << 0xE020 << QSize(25, 16);
    QTest::newRow("phone signal") << 0xE030 << QSize(82, 16); // outline 12 high, minimum 16
    QTest::newRow("tall scale") << 0xE003 << QSize(150, 168); // height fixed, width follows
    QTest::newRow("value box") << 0x0001 << QSize(150, 200);
}

void TestElement::setZoomRebuildsNaturalSize()
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
    QCOMPARE(w.indexes.size(), natural == QSize(150, 200) ? 0 : 1);
    if (!w.sizes.isEmpty())
        QCOMPARE(w.sizes.first(), QSize(150, 200));
}

void TestElement::dialStaysSquare()
{
    R8element dial(nullptr, R8_TYPE_DIAL, 1);
    dial.SetSize(QSize(50, 70));
    QCOMPARE(dial.GetSize(), QSize(50, 70));
    dial.SetZoom(1.0f);
    QCOMPARE(dial.GetSize(), QSize(50, 50));
    dial.SetHeight(90);
    dial.SetZoom(-1.0f);
    QCOMPARE(dial.GetSize(), QSize(50, 50));
    dial.SetWidth(30);
    dial.SetZoom(-1.0f);
    QCOMPARE(dial.GetSize(), QSize(40, 40));
}

void TestElement::zoomRebuildDoesNotShrink()
{
    // The window's scale comes from the screen height and is rarely a
    // round number; rebuilding at it must give the same size back.
    R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
    R8element dial(nullptr, R8_TYPE_DIAL, 1);
    for (int step = 0; step < 60; ++step) {
        const float zoom = 0.3f + 0.047f * step;
        for (int w = 10; w <= 240; w += 7) {
            el.SetZoom(zoom);
            el.SetSize(QSize(w, 29));
            el.SetZoom(-1.0f);
            el.SetZoom(-1.0f);
            el.SetPosition(QPoint(0, 7));
            el.SnapIt(); // a click without motion
            QVERIFY2(el.GetPosition() == QPoint(0, 7), qPrintable(QStringLiteral("zoom %1 width %2").arg(double(zoom)).arg(w)));
            QVERIFY2(el.GetSize() == QSize(w, 29), qPrintable(QStringLiteral("zoom %1 width %2").arg(zoom).arg(w)));
            dial.SetZoom(zoom);
            dial.SetSize(QSize(std::max(w, 40), 1));
            dial.SetZoom(-1.0f);
            QCOMPARE(dial.GetSize(), QSize(std::max(w, 40), std::max(w, 40)));
        }
    }
}

void TestElement::snapToWholePixels()
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
    QCOMPARE(w.indexes.size(), 2); // size, then position
    QCOMPARE(w.sizes.first(), QSize(80, 29));
    QCOMPARE(w.positions.last(), QPoint(0, 0));

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

void TestElement::graphicSizeStopsAtMinimum()
{
    R8element el(nullptr, R8_TYPE_GRAPH, 1);
    el.SetZoom(1.5f);
    el.GraphicSizeSetWidth(10.0f);
    el.GraphicSizeSetHeight(400.0f);
    QCOMPARE(el.GraphicSizeWidth(), 75.0f);
    QCOMPARE(el.GraphicSizeHeight(), 400.0f);
    el.GraphicSizeSetHeight(-20.0f);
    QCOMPARE(el.GraphicSizeHeight(), 45.0f);
}

void TestElement::attributeHelpers()
{
    R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
    el.AttribTextAlignCenter();
    QCOMPARE(el.GetAttribs(), 76u);
    el.AttribTextAlignLeft();
    QCOMPARE(el.GetAttribs(), 12u);
    el.AttribTextAlignRight();
    QCOMPARE(el.GetAttribs(), 44u);
    el.RestoreAttribs(0x10D);
    el.SetMapType(2);
    QCOMPARE(el.GetAttribs(), 0x10Eu);
}

void TestElement::fieldLookup()
{
    R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
    el.SetField(33);
    QCOMPARE(el.GetFieldName(), QStringLiteral("Altitude"));
    QCOMPARE(el.GetDataType(), 1);
    // No entry: the id is kept, the old field's name and data type go.
    el.SetField(99999);
    QCOMPARE(el.GetField(), 99999);
    QCOMPARE(el.GetFieldName(), QString());
    QCOMPARE(el.GetDataType(), 0);
    el.RestoreField(105);
    QCOMPARE(el.GetDataType(), 3);

    QVERIFY(!(el.GetHasProps() & 0x400));
    el.RestoreField(-3);
    QVERIFY(!el.NoLargeFont());
    for (const _DataField* f : g_DataFields.Fields()) {
        el.RestoreField(f->BaseId);
        QCOMPARE(bool(el.GetHasProps() & 0x400), bool(f->NoLargeFont));
        QCOMPARE(el.GetHasProps() & 0x3FF, 0x3FFu);
    }
}

void TestElement::pagesSelectionAndRefresh()
{
    RefreshParent parent;
    auto* el = new R8element(&parent, R8_TYPE_DATAFIELD, 1);
    el->RestorePages(0b101);
    el->CommitMove();
    QCOMPARE(parent.pages, QList<int>({0, 2}));
    el->ChangedPagePresence(7);
    QCOMPARE(parent.pages.last(), 7);
    QVERIFY(el->IsOnPage(2));
    QVERIFY(!el->IsOnPage(1));
    QVERIFY(!el->IsOnPage(40));

    QCOMPARE(el->ElementSelect(1), 0b101u);
    QCOMPARE(el->ElementSelect(1), 0u);
    QCOMPARE(el->ElementSelect(2), 0b101u);
    QCOMPARE(el->IsSelected(), 2);

    el->MarkAsNew();
    QVERIFY(el->IsNew());
    el->UnMarkNew();
    QVERIFY(!el->IsNew());

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

    // Shown with the window: elements stay hidden and never take the mouse.
    parent.show();
    QVERIFY(!el->isVisible());
}

void TestElement::toolBoxSample()
{
    R8element sample(nullptr, R8_TYPE_COMPASS, 0);
    sample.SetZoom(0.3f);
    sample.SetBasePosition(QPoint(700, 90));
    sample.Restore();
    QCOMPARE(sample.GraphicPosition(), QPoint(700, 90));
    sample.SetGraphicPosition(QPoint(20, 30));
    sample.Restore();
    QCOMPARE(sample.GraphicPosition(), QPoint(700, 90));
    QVERIFY(!sample.IsPlaced());
}

QTEST_MAIN(TestElement)
#include "test_element.moc"
