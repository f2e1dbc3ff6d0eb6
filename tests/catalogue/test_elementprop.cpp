// The element properties dialog: the attribute word behind its widgets, the
// field lists, and what OK, Cancel and the geometry fields hand on.
#include "appglobals.h"
#include "datafields.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

using namespace ElementAttribs;

namespace {
const unsigned int kValueBoxProps = 0x3FF;
const unsigned int kDialProps = 0x1837;
const unsigned int kMapProps = 0x210F;
} // namespace

class TestElementProp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }

    void attributeMappings()
    {
        // Where two bits compete or one bit means nothing alone.
        QCOMPARE(FontIndex(0x2F), 2);         // large wins over tiny
        QCOMPARE(AlignIndex(0x6C), 2);        // right wins over centre
        QCOMPARE(UnitsIndex(0x2C | 0x80), 0); // "below" without "shown"
        QCOMPARE(UnitsIndex(0x2C | 0x90), 2);
        QCOMPARE(MapType(0x10F), 0);
        QCOMPARE(WithFont(0x2D, -1), 0x2Cu); // no selection stores the normal size
        QCOMPARE(WithMapType(0x10D, false, true), 0x10Eu);
        // Reading a word into the widgets and writing it back touches only the
        // bits of that widget, and keeps every meaningful setting.
        for (unsigned int a = 0; a < 256; ++a) {
            QCOMPARE(WithFont(a, FontIndex(a)) & ~3u, a & ~3u);
            QCOMPARE(FontIndex(WithFont(a, FontIndex(a))), FontIndex(a));
            QCOMPARE(WithDirection(a, DirectionIndex(a)), a);
            QCOMPARE(WithAlign(a, AlignIndex(a)) & ~0x60u, a & ~0x60u);
            QCOMPARE(AlignIndex(WithAlign(a, AlignIndex(a))), AlignIndex(a));
            QCOMPARE(WithUnits(a, UnitsIndex(a)) & ~0x90u, a & ~0x90u);
            QCOMPARE(UnitsIndex(WithUnits(a, UnitsIndex(a))), UnitsIndex(a));
            QCOMPARE(WithTitle(a, HasTitle(a)), a);
            QCOMPARE(WithBorder(a, HasBorder(a)), a);
            if (MapType(a))
                QCOMPARE(WithMapType(a, MapType(a) == 1, MapType(a) == 2), a);
        }
    }

    void widgetsWriteAttributeWord()
    {
        R8elementProp dlg;
        dlg.AdjustInterface(kValueBoxProps);
        dlg.SetAttribs(0x2C);
        QVERIFY(dlg.TitleCheck()->isChecked() && dlg.BorderCheck()->isChecked());
        QCOMPARE(dlg.AlignCombo()->currentIndex(), 2);
        QCOMPARE(dlg.UnitsCombo()->currentIndex(), 0);
        dlg.UnitsCombo()->setCurrentIndex(2); // below
        QCOMPARE(dlg.GetAttribs(), 0x2Cu | 0x90u);
        dlg.UnitsCombo()->setCurrentIndex(1); // right
        QCOMPARE(dlg.GetAttribs(), 0x2Cu | 0x10u);
        dlg.AlignCombo()->setCurrentIndex(1);
        QCOMPARE(dlg.GetAttribs(), 0x4Cu | 0x10u);
        dlg.FontCombo()->setCurrentIndex(2);
        QCOMPARE(dlg.GetAttribs(), 0x4Du | 0x10u);
        dlg.TitleCheck()->setChecked(false);
        dlg.BorderCheck()->setChecked(false);
        QCOMPARE(dlg.GetAttribs(), 0x41u | 0x10u);

        // A field that forbids the large font: a stored large font selects
        // nothing, and the next change stores the normal size.
        dlg.AdjustInterface(kValueBoxProps | 0x400);
        QCOMPARE(dlg.FontCombo()->count(), 2);
        dlg.SetAttribs(0x2D);
        QCOMPARE(dlg.FontCombo()->currentIndex(), -1);
        QSignalSpy changed(&dlg, &R8elementProp::ChangedProperties);
        dlg.AlignCombo()->setCurrentIndex(1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(dlg.GetAttribs(), 0x4Cu);

        // The dial's direction lives in the font's bits; it has no Border row,
        // and its border bit survives a change of direction.
        dlg.AdjustInterface(kValueBoxProps);
        dlg.SetAttribs(0x20);
        dlg.AdjustInterface(kDialProps);
        dlg.SetAttribs(0x2C | 3);
        QCOMPARE(dlg.DirectionCombo()->currentIndex(), 3);
        dlg.DirectionCombo()->setCurrentIndex(2);
        QCOMPARE(dlg.GetAttribs(), 0x2Eu);
        dlg.TitleCheck()->setChecked(false);
        QCOMPARE(dlg.GetAttribs(), 0x26u);
    }

    void fieldLists()
    {
        R8elementProp dlg;
        R8element dial(nullptr, R8_TYPE_DIAL, 1);
        dial.RestoreField(105);
        dial.SetRangeMin(-3.0f);
        dial.SetRangeMax(7.25f);
        dlg.EditElement(&dial);
        // Only fields that can be dials, each with its catalogue range.
        int dials = 0;
        for (const _DataField* field : g_DataFields.Fields())
            dials += field->CanBeDial ? 1 : 0;
        QCOMPARE(dlg.FieldCombo()->count(), dials);
        QCOMPARE(dlg.FieldCombo()->findData(33), -1);
        for (int i = 0; i < dlg.FieldCombo()->count(); ++i) {
            const _DataField* field = g_DataFields.GetDataField(dlg.FieldCombo()->itemData(i).toInt());
            QVERIFY(field && field->CanBeDial);
            QCOMPARE(dlg.FieldCombo()->itemData(i, Qt::UserRole + 1).toFloat(), field->MinRange);
        }
        QVERIFY(dlg.FieldCombo()
                    ->itemData(dlg.FieldCombo()->currentIndex(), Qt::ToolTipRole)
                    .toString()
                    .endsWith(g_DataFields.GetDataField(105)->Description));
        // Opening shows the element's own range; choosing a field, the catalogue's.
        QCOMPARE(dlg.MinRangeEdit()->text(), QStringLiteral("-3"));
        QCOMPARE(dlg.GetMaxRange(), 7.25f);
        dlg.FieldCombo()->setCurrentIndex(-1);
        dlg.FieldCombo()->setCurrentIndex(dlg.FieldCombo()->findData(105));
        QCOMPARE(dlg.MinRangeEdit()->text(), QStringLiteral("-5"));
        QCOMPARE(dlg.MaxRangeEdit()->text(), QStringLiteral("5"));
        dlg.MinRangeEdit()->setText(QStringLiteral("low"));
        QCOMPARE(dlg.GetMinRange(), 0.0f);

        R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
        dlg.EditElement(&box);
        QCOMPARE(dlg.FieldCombo()->count(), g_DataFields.count());
        QCOMPARE(dlg.GetField(), 0); // field 0 is in no list
        QCOMPARE(dlg.FieldCombo()->currentIndex(), -1);
        dlg.hide();
    }

    void okWithoutFieldIsRefused()
    {
        R8elementProp dlg;
        QSignalSpy applied(&dlg, &R8elementProp::ApplyProperties);
        // A dial whose stored field may not be a dial opens with no field.
        R8element dial(nullptr, R8_TYPE_DIAL, 1);
        dial.RestoreField(33);
        dlg.EditElement(&dial);
        QCOMPARE(dlg.GetField(), 0);
        QCOMPARE(dlg.Tabs()->currentIndex(), 2);
        QString text;
        TestEnv::OnNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text();
            box->done(QMessageBox::Ok);
        });
        dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(text, QStringLiteral("Field is invalid."));
        QCOMPARE(applied.count(), 0);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.Tabs()->currentIndex(), 0);
        // An element type without a field row needs none.
        R8element graph(nullptr, R8_TYPE_GRAPH, 1);
        dlg.EditElement(&graph);
        dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(applied.count(), 1);
        QVERIFY(!dlg.isVisible());
    }

    void buttons()
    {
        R8elementProp dlg;
        QSignalSpy applied(&dlg, &R8elementProp::ApplyProperties);
        QSignalSpy cancelled(&dlg, &R8elementProp::CancelProperties);
        R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
        box.RestoreField(33);
        box.RestoreAttribs(0x2C);
        dlg.EditElement(&box);
        dlg.FieldCombo()->setCurrentIndex(dlg.FieldCombo()->findData(105));
        QTest::keyClick(&dlg, Qt::Key_Return);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(dlg.GetField(), 105);
        QCOMPARE(dlg.GetAttribs(), 0x2Cu);
        QCOMPARE(box.GetField(), 33); // the dialog never writes the element

        dlg.EditElement(&box);
        dlg.ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        dlg.EditElement(&box);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 2);
        // The frame's close button is Cancel.
        dlg.EditElement(&box);
        QVERIFY(dlg.close());
        QCOMPARE(cancelled.count(), 3);
        QCOMPARE(applied.count(), 1);

        // An element destroyed behind the dialog's back is no longer handed out.
        auto* gone = new R8element(nullptr, R8_TYPE_GRAPH, 1);
        dlg.EditElement(gone);
        delete gone;
        QVERIFY(!dlg.GetEditElement());
        dlg.hide();
    }

    void geometryAndPages()
    {
        R8elementProp dlg;
        QSignalSpy positioning(&dlg, &R8elementProp::ChangedPositioning);
        QSignalSpy presence(&dlg, &R8elementProp::ChangedPagePresence);
        R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
        box.RestoreField(33);
        box.RestorePosition(QPoint(12, 34));
        box.RestorePages(0x8001);
        dlg.EditElement(&box);
        QCOMPARE(dlg.GetPosition(), QPoint(12, 34));
        QCOMPARE(dlg.GetSize(), QSize(80, 29));
        QCOMPARE(dlg.GetPagesChecks(), 0x8001u);
        QCOMPARE(positioning.count(), 0); // filling the form is not an edit
        presence.clear();

        dlg.XEdit()->clear();
        QTest::keyClicks(dlg.XEdit(), QStringLiteral("150"));
        QCOMPARE(positioning.count(), 3);
        QCOMPARE(positioning.last().at(0).toPoint(), QPoint(150, 34));
        dlg.WidthEdit()->clear();
        QTest::keyClicks(dlg.WidthEdit(), QStringLiteral("x9"));
        QCOMPARE(positioning.last().at(1).toSize(), QSize(0, 29));
        dlg.SetY(-40); // an element taller than the screen sits above it
        QCOMPARE(dlg.GetPosition(), QPoint(150, -40));

        dlg.Tabs()->setCurrentIndex(2);
        dlg.PageCheck(3)->click();
        QCOMPARE(presence.count(), 1);
        QCOMPARE(presence.last().at(0).toInt(), 3);
        dlg.PageCheck(0)->setChecked(false);
        QCOMPARE(dlg.GetPagesChecks(), 0x8008u);
        dlg.hide();
    }
};

QTEST_MAIN(TestElementProp)
#include "test_elementprop.moc"
