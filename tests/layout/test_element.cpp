// The element model without any window: outlines per type, clamping,
// position repair, change announcements, zoom rebuilds and snapping.
#include "datafields.h"
#include "layouthost.h"

#include <QSignalSpy>
#include <QtTest>

class TestElement : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue() > 0); }

    // What a file may hold is clamped by the reader's tests, what code sets
    // by the announcement tests; here the tool box and dragging on screen.
    void clamping()
    {
        // Tool box samples live outside the screen and are never pulled in.
        R8element sample(nullptr, R8_TYPE_DATAFIELD, 0);
        sample.SetPosition(QPoint(200, 400));
        QCOMPARE(sample.GetPosition(), QPoint(200, 400));
        // Dragging on screen stops at the minimum.
        R8element graph(nullptr, R8_TYPE_GRAPH, 1);
        graph.SetZoom(1.5f);
        graph.GraphicSizeSetWidth(10.0f);
        graph.GraphicSizeSetHeight(-20.0f);
        QCOMPARE(graph.MyScreenSize(), QSizeF(75, 45));
    }

    void announcementsComeOnceAndBefore()
    {
        TestHost host;
        host.Add(R8_TYPE_DATAFIELD, QPoint(100, 100));
        R8element* el = host.Add(R8_TYPE_DATAFIELD, QPoint(0, 0));
        // No change, no announcement; a clamp is a change.
        el->SetPosition(QPoint(0, 0));
        el->SetSize(QSize(80, 29));
        el->SetField(0);
        el->SetHeight(5);
        el->SetPositionX(25);
        el->SetPositionY(35);
        el->SetField(33);
        el->SetField(33);
        el->SetAttribs(44);
        el->SetAttribs(12);
        QCOMPARE(host.before, QVariantList({QRect(0, 0, 80, 29), QRect(0, 0, 80, 10), QRect(25, 0, 80, 10), 0,
                                            QRect(25, 35, 80, 10)}));
        QCOMPARE(host.Announced(el), 5);

        // Restoring stores without a word, still repairs the position, and
        // neither clamps nor rebuilds.
        const QRectF outline = el->MyPath().boundingRect();
        el->RestorePosition(QPoint(300, 10));
        el->RestoreSize(QSize(5, 5));
        el->RestoreField(105);
        QCOMPARE(host.before.size(), 5);
        QCOMPARE(QRect(el->GetPosition(), el->GetSize()), QRect(160, 10, 5, 5));
        QCOMPARE(el->MyPath().boundingRect(), outline);

        // Without a list index nothing is announced for geometry or field.
        R8element loose(nullptr, R8_TYPE_DATAFIELD, 1);
        QSignalSpy geometry(&loose, &R8element::ElementGeometryWillChange);
        QSignalSpy field(&loose, &R8element::ElementFieldWillChange);
        loose.SetPosition(QPoint(5, 5));
        loose.SetField(33);
        QVERIFY(geometry.isEmpty() && field.isEmpty());
    }

    void zoomRebuildDoesNotShrink()
    {
        // The window's scale comes from the screen height and is rarely a
        // round number; rebuilding at it must give the same size back, and a
        // click without motion must not move the element.
        R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
        R8element dial(nullptr, R8_TYPE_DIAL, 1);
        for (int step = 0; step < 60; step += 3) {
            const float zoom = 0.3f + 0.047f * step;
            for (int w = 40; w <= 240; w += 11) {
                el.SetZoom(zoom);
                el.SetSize(QSize(w, 29));
                el.SetZoom(-1.0f);
                el.SetPosition(QPoint(0, 7));
                el.SnapIt();
                dial.SetZoom(zoom);
                dial.SetSize(QSize(w, 1));
                dial.SetZoom(-1.0f);
                QVERIFY2(QRect(el.GetPosition(), el.GetSize()) == QRect(0, 7, w, 29)
                             && dial.GetSize() == QSize(w, w),
                         qPrintable(QStringLiteral("zoom %1 width %2").arg(double(zoom)).arg(w)));
            }
        }
    }

    void snapToWholePixels()
    {
        TestHost host;
        R8element* el = host.Add(R8_TYPE_DATAFIELD, QPoint(0, 0), 1, 2.0f);
        el->SetGraphicPosition(QPoint(470, 63));
        el->GraphicSizeSetWidth(101.0f);
        QVERIFY(host.before.isEmpty()); // dragging announces nothing
        el->SnapIt();
        el->SnapIt();
        // Size, then position, each announced once with the values before;
        // dragged past the screen, it lands inside.
        QCOMPARE(host.before, QVariantList({QRect(0, 0, 80, 29), QRect(0, 0, 50, 29)}));
        QCOMPARE(QRect(el->GetPosition(), el->GetSize()), QRect(190, 31, 50, 29));
        QCOMPARE(el->GraphicPosition(), QPoint(380, 62));
    }

    void attributesAndField()
    {
        R8element el(nullptr, R8_TYPE_MAP, 1);
        el.SetField(33);
        QCOMPARE(QVariantList({el.GetFieldName(), el.GetDataType()}), QVariantList({"Altitude", 1}));
        // No entry: the id is kept, the old field's name and data type go.
        el.SetField(99999);
        const QVariantList unknown = {el.GetField(), el.GetFieldName(), el.GetDataType()};
        QCOMPARE(unknown, QVariantList({99999, "", 0}));
        // A field that forbids the large font says so in the property mask.
        for (const _DataField* f : g_DataFields.Fields()) {
            el.RestoreField(f->BaseId);
            QCOMPARE(bool(el.GetHasProps() & 0x400), bool(f->NoLargeFont));
        }
    }

    void pagesSelectionAndRefresh()
    {
        R8element el(nullptr, R8_TYPE_DATAFIELD, 1);
        el.RestorePages(0b101);
        QCOMPARE(el.ElementSelect(1), 0b101u);
        QCOMPARE(el.ElementSelect(1), 0u);
        // Position and size from a dialog that reports each change at once.
        QSignalSpy refresh(&el, &R8element::RefreshPage);
        el.SetZoom(2.0f);
        el.ChangedPositioning(QPoint(300, 10), QSize(5, 50));
        QCOMPARE(QRect(el.GetPosition(), el.GetSize()), QRect(230, 10, 10, 50));
        QCOMPARE(el.GraphicPosition(), QPoint(460, 20));
        QCOMPARE(refresh.size(), 2);
        QCOMPARE(refresh.last().first().toInt(), 2);
        // A deleted element leaves the shared selection.
        auto* gone = new R8element(nullptr, R8_TYPE_DATAFIELD, 1);
        R8selectedElements = {&el, gone};
        delete gone;
        QCOMPARE(R8selectedElements, QList<R8element*>({&el}));
        R8selectedElements.clear();
    }
};

QTEST_MAIN(TestElement)
#include "test_element.moc"
