#include "appglobals.h"
#include "datafields.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
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
const unsigned int kGraphProps = 0xF;

// Widgets of formFieldInfo from top to bottom.
QList<QWidget*> FormWidgets(QFormLayout* form)
{
    QList<QWidget*> widgets;
    for (int row = 0; row < form->rowCount(); ++row) {
        QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole);
        if (!item)
            item = form->itemAt(row, QFormLayout::SpanningRole);
        if (item && item->widget())
            widgets.append(item->widget());
    }
    return widgets;
}

QStringList ComboTexts(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

} // namespace

class TestElementProp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void attributeMappingTables();
    void attributeMappingsRoundTrip();
    void fontWithAndWithoutLarge();
    void widgetsWriteAttributeWord();
    void mapRadios();
    void hiddenTitleAndBorderKeepElementBits();
    void rowsFollowPropertyMask();
    void fieldListForDialAndValueBox();
    void fieldChoiceLoadsCatalogueRange();
    void okWithoutFieldIsRefused();
    void okWithFieldApplies();
    void cancelEscapeAndCloseButton();
    void geometryAndPagesGetters();
};

void TestElementProp::initTestCase()
{
    QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
    QVERIFY(g_DataFields.GetDataField(33));
    QVERIFY(g_DataFields.GetDataField(105));
    QVERIFY(!g_DataFields.GetDataField(33)->CanBeDial);
    QVERIFY(g_DataFields.GetDataField(105)->CanBeDial);
}

void TestElementProp::attributeMappingTables()
{
    // Reading: the cases where two bits compete or one bit means nothing alone.
    QCOMPARE(FontIndex(0x2C), 1);
    QCOMPARE(FontIndex(0x2E), 0);
    QCOMPARE(FontIndex(0x2F), 2); // large wins over tiny
    QCOMPARE(AlignIndex(0x6C), 2); // right wins over centre
    QCOMPARE(AlignIndex(0x4C), 1);
    QCOMPARE(UnitsIndex(0x2C | 0x80), 0); // "below" without "shown"
    QCOMPARE(UnitsIndex(0x2C | 0x90), 2);
    QCOMPARE(MapType(0x10C), 0);
    QCOMPARE(MapType(0x10F), 0);
    QCOMPARE(MapType(0x10E), 2);

    // Writing clears the widget's bits first.
    QCOMPARE(WithFont(0x2F, 0), 0x2Eu);
    QCOMPARE(WithFont(0x2D, -1), 0x2Cu); // no selection stores the normal size
    QCOMPARE(WithAlign(0x6C, 1), 0x4Cu);
    QCOMPARE(WithUnits(0xBC, 1), 0x3Cu);
    QCOMPARE(WithMapType(0x10F, false, false), 0x10Cu);
    QCOMPARE(WithMapType(0x10D, false, true), 0x10Eu);
}

void TestElementProp::attributeMappingsRoundTrip()
{
    // Reading a word into the widgets and writing it back must touch only the
    // bits of that widget, and keep every meaningful setting.
    for (unsigned int a = 0; a < 256; ++a) {
        const unsigned int font = WithFont(a, FontIndex(a));
        QCOMPARE(font & ~3u, a & ~3u);
        QCOMPARE(FontIndex(font), FontIndex(a));
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

void TestElementProp::fontWithAndWithoutLarge()
{
    R8elementProp dlg;
    QSignalSpy changed(&dlg, &R8elementProp::ChangedProperties);

    dlg.AdjustInterface(kValueBoxProps);
    QCOMPARE(ComboTexts(dlg.FontCombo()), QStringList({"Tiny", "Normal", "Large"}));
    QCOMPARE(dlg.FontCombo()->currentIndex(), 1);
    dlg.SetAttribs(0x2D);
    QCOMPARE(dlg.FontCombo()->currentIndex(), 2);
    QCOMPARE(dlg.GetAttribs(), 0x2Du);

    // A field that forbids the large font: the list is short, a stored large
    // font selects nothing, and the next change stores the normal size.
    dlg.AdjustInterface(kValueBoxProps | 0x400);
    QCOMPARE(ComboTexts(dlg.FontCombo()), QStringList({"Tiny", "Normal"}));
    dlg.SetAttribs(0x2D);
    QCOMPARE(dlg.FontCombo()->currentIndex(), -1);
    QCOMPARE(dlg.GetAttribs(), 0x2Du);
    changed.clear();
    dlg.AlignCombo()->setCurrentIndex(1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(dlg.GetAttribs(), 0x4Cu);

    dlg.SetAttribs(0x2E);
    QCOMPARE(dlg.FontCombo()->currentIndex(), 0);
    dlg.FontCombo()->setCurrentIndex(1);
    QCOMPARE(dlg.GetAttribs(), 0x2Cu);
}

void TestElementProp::widgetsWriteAttributeWord()
{
    R8elementProp dlg;
    dlg.AdjustInterface(kValueBoxProps);
    dlg.SetAttribs(0x2C);
    QVERIFY(dlg.TitleCheck()->isChecked());
    QVERIFY(dlg.BorderCheck()->isChecked());
    QCOMPARE(dlg.AlignCombo()->currentIndex(), 2);
    QCOMPARE(dlg.UnitsCombo()->currentIndex(), 0);

    dlg.UnitsCombo()->setCurrentIndex(2); // "Bellow"
    QCOMPARE(dlg.GetAttribs(), 0x2Cu | 0x90u);
    dlg.UnitsCombo()->setCurrentIndex(1);
    QCOMPARE(dlg.GetAttribs(), 0x2Cu | 0x10u);
    dlg.AlignCombo()->setCurrentIndex(1);
    QCOMPARE(dlg.GetAttribs(), 0x4Cu | 0x10u);
    dlg.FontCombo()->setCurrentIndex(2);
    QCOMPARE(dlg.GetAttribs(), 0x4Du | 0x10u);
    dlg.TitleCheck()->setChecked(false);
    QCOMPARE(dlg.GetAttribs(), 0x45u | 0x10u);
    dlg.BorderCheck()->setChecked(false);
    QCOMPARE(dlg.GetAttribs(), 0x41u | 0x10u);

    // the dial's direction lives in the same two bits as the font
    dlg.AdjustInterface(kDialProps);
    dlg.SetAttribs(0x2C | 3);
    QCOMPARE(dlg.DirectionCombo()->currentIndex(), 3);
    QCOMPARE(ComboTexts(dlg.DirectionCombo()), QStringList({"Right", "Down", "Left", "Up"}));
    dlg.DirectionCombo()->setCurrentIndex(1);
    QCOMPARE(dlg.GetAttribs(), 0x2Du);
}

void TestElementProp::mapRadios()
{
    R8elementProp dlg;
    dlg.AdjustInterface(kMapProps);
    QCOMPARE(dlg.GetMapType(), 0);
    dlg.SetAttribs(0x10D);
    QVERIFY(dlg.AirspaceMapRadio()->isChecked());
    QVERIFY(!dlg.TaskMapRadio()->isChecked());
    QCOMPARE(dlg.GetMapType(), 1);
    dlg.SetAttribs(0x10E);
    QVERIFY(!dlg.AirspaceMapRadio()->isChecked());
    QVERIFY(dlg.TaskMapRadio()->isChecked());
    QCOMPARE(dlg.GetMapType(), 2);
    // 0 and 3 name no map: the radios stay as they are
    dlg.SetAttribs(0x10C);
    QCOMPARE(dlg.GetMapType(), 2);
    dlg.SetAttribs(0x10F);
    QCOMPARE(dlg.GetMapType(), 2);
    QCOMPARE(dlg.GetAttribs(), 0x10Fu);

    // the map's font bits are its map type: SetAttribs leaves the font alone
    dlg.FontCombo()->setCurrentIndex(0);
    dlg.SetAttribs(0x10D);
    QCOMPARE(dlg.FontCombo()->currentIndex(), 0);

    dlg.AirspaceMapRadio()->setChecked(true);
    dlg.BorderCheck()->setChecked(false);
    QCOMPARE(dlg.GetAttribs(), 0x109u);
    dlg.TaskMapRadio()->setChecked(true);
    QCOMPARE(dlg.GetMapType(), 2);
    dlg.BorderCheck()->setChecked(true);
    QCOMPARE(dlg.GetAttribs(), 0x10Eu);
}

void TestElementProp::hiddenTitleAndBorderKeepElementBits()
{
    R8elementProp dlg;
    // a value box without title and border leaves both boxes unchecked
    dlg.AdjustInterface(kValueBoxProps);
    dlg.SetAttribs(0x20);
    QVERIFY(!dlg.TitleCheck()->isChecked());
    QVERIFY(!dlg.BorderCheck()->isChecked());

    // map: no Title row; its title bit must survive a change of the border
    dlg.AdjustInterface(kMapProps);
    dlg.SetAttribs(0x10D); // title, border, airspace map
    QVERIFY(!dlg.TitleCheck()->isChecked()); // the hidden box is not touched
    dlg.BorderCheck()->setChecked(false);
    dlg.BorderCheck()->setChecked(true);
    QCOMPARE(dlg.GetAttribs(), 0x10Du);

    // dial: no Border row; its border bit must survive a change of direction
    dlg.AdjustInterface(kValueBoxProps);
    dlg.SetAttribs(0x20);
    dlg.AdjustInterface(kDialProps);
    dlg.SetAttribs(0x2C);
    QVERIFY(!dlg.BorderCheck()->isChecked());
    dlg.DirectionCombo()->setCurrentIndex(2);
    QCOMPARE(dlg.GetAttribs(), 0x2Eu);
    dlg.TitleCheck()->setChecked(false);
    QCOMPARE(dlg.GetAttribs(), 0x26u);
}

void TestElementProp::rowsFollowPropertyMask()
{
    R8elementProp dlg;
    QFormLayout* form = dlg.FieldForm();
    const int tab = 0;
    QCOMPARE(dlg.Tabs()->widget(tab)->objectName(), QStringLiteral("tabFieldInfo"));
    QCOMPARE(dlg.Tabs()->tabText(0), QStringLiteral("Data field"));
    QCOMPARE(dlg.Tabs()->tabText(1), QStringLiteral("Geometry"));
    QCOMPARE(dlg.Tabs()->tabText(2), QStringLiteral("Pages"));
    QCOMPARE(dlg.Tabs()->currentIndex(), 2);

    dlg.AdjustInterface(kValueBoxProps);
    QCOMPARE(FormWidgets(form),
             QList<QWidget*>({dlg.FieldCombo(), dlg.FontCombo(), dlg.AlignCombo(), dlg.UnitsCombo(),
                              dlg.TitleCheck(), dlg.BorderCheck()}));
    QVERIFY(dlg.Tabs()->isTabEnabled(tab));

    dlg.AdjustInterface(kDialProps);
    QCOMPARE(FormWidgets(form), QList<QWidget*>({dlg.FieldCombo(), dlg.DirectionCombo(), dlg.MinRangeEdit(),
                                                 dlg.MaxRangeEdit(), dlg.TitleCheck()}));
    QCOMPARE(qobject_cast<QLabel*>(form->labelForField(dlg.MinRangeEdit()))->text(), QStringLiteral("Minimum"));
    QVERIFY(dlg.FontCombo()->isHidden());
    QVERIFY(dlg.MinRangeEdit()->maximumWidth() <= 100);

    dlg.AdjustInterface(kMapProps);
    QCOMPARE(FormWidgets(form),
             QList<QWidget*>({dlg.BorderCheck(), dlg.AirspaceMapRadio(), dlg.TaskMapRadio()}));
    QVERIFY(!form->labelForField(dlg.AirspaceMapRadio()));
    QVERIFY(dlg.Tabs()->isTabEnabled(tab));
    QVERIFY(dlg.FieldCombo()->isHidden());

    dlg.AdjustInterface(kGraphProps);
    QCOMPARE(form->rowCount(), 0);
    QVERIFY(!dlg.Tabs()->isTabEnabled(tab));

    // BuildUi again (after the preferences) adds nothing twice
    dlg.BuildUi();
    dlg.AdjustInterface(kValueBoxProps);
    QCOMPARE(form->rowCount(), 6);
    QCOMPARE(ComboTexts(dlg.UnitsCombo()), QStringList({"none", "Right", "Bellow"}));
    QCOMPARE(ComboTexts(dlg.AlignCombo()), QStringList({"Left", "Center", "Right"}));
}

void TestElementProp::fieldListForDialAndValueBox()
{
    R8elementProp dlg;
    R8element dial(nullptr, R8_TYPE_DIAL, 1);
    dial.RestoreField(105);
    dlg.EditElement(&dial);

    QStringList expected;
    for (const _DataField* field : g_DataFields.Fields())
        if (field->CanBeDial)
            expected.append(field->Name);
    QCOMPARE(ComboTexts(dlg.FieldCombo()), expected);
    QCOMPARE(dlg.FieldCombo()->findData(33), -1);
    for (int i = 0; i < dlg.FieldCombo()->count(); ++i) {
        const _DataField* field = g_DataFields.GetDataField(dlg.FieldCombo()->itemData(i).toInt());
        QVERIFY(field && field->CanBeDial);
        QCOMPARE(dlg.FieldCombo()->itemData(i, Qt::UserRole + 1).toFloat(), field->MinRange);
        QCOMPARE(dlg.FieldCombo()->itemData(i, Qt::UserRole + 2).toFloat(), field->MaxRange);
    }
    QCOMPARE(dlg.GetField(), 105);
    const int vario = dlg.FieldCombo()->findData(105);
    const QString tip = dlg.FieldCombo()->itemData(vario, Qt::ToolTipRole).toString();
    QVERIFY2(tip.startsWith(QStringLiteral("<h4 style=\"width: 140px;\">Vario</h4>")), qPrintable(tip));
    QVERIFY(tip.endsWith(g_DataFields.GetDataField(105)->Description));

    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    dlg.EditElement(&box);
    QCOMPARE(dlg.FieldCombo()->count(), g_DataFields.count());
    QVERIFY(dlg.FieldCombo()->findData(33) >= 0);
    QCOMPARE(dlg.GetField(), 0); // field 0 is in no list
    QCOMPARE(dlg.FieldCombo()->currentIndex(), -1);
    dlg.hide();
}

void TestElementProp::fieldChoiceLoadsCatalogueRange()
{
    R8elementProp dlg;
    R8element dial(nullptr, R8_TYPE_DIAL, 1);
    dial.RestoreField(105);
    dial.SetRangeMin(-3.0f);
    dial.SetRangeMax(7.25f);
    dlg.EditElement(&dial);
    // opening shows the element's own range, not the catalogue's
    QCOMPARE(dlg.MinRangeEdit()->text(), QStringLiteral("-3"));
    QCOMPARE(dlg.MaxRangeEdit()->text(), QStringLiteral("7.25"));
    QCOMPARE(dlg.GetMinRange(), -3.0f);
    QCOMPARE(dlg.GetMaxRange(), 7.25f);

    dlg.FieldCombo()->setCurrentIndex(-1);
    dlg.FieldCombo()->setCurrentIndex(dlg.FieldCombo()->findData(105));
    QCOMPARE(dlg.MinRangeEdit()->text(), QStringLiteral("-5"));
    QCOMPARE(dlg.MaxRangeEdit()->text(), QStringLiteral("5"));

    dlg.SetMaxRange(4.4f);
    QCOMPARE(dlg.MaxRangeEdit()->text(), QStringLiteral("4.4"));
    dlg.SetMaxRange(80.0f);
    QCOMPARE(dlg.MaxRangeEdit()->text(), QStringLiteral("80"));
    dlg.MinRangeEdit()->setText(QStringLiteral("low"));
    QCOMPARE(dlg.GetMinRange(), 0.0f);
    dlg.hide();
}

void TestElementProp::okWithoutFieldIsRefused()
{
    R8elementProp dlg;
    QSignalSpy applied(&dlg, &R8elementProp::ApplyProperties);
    QSignalSpy cancelled(&dlg, &R8elementProp::CancelProperties);

    // a dial whose stored field may not be a dial opens with no field
    R8element dial(nullptr, R8_TYPE_DIAL, 1);
    dial.RestoreField(33);
    dlg.EditElement(&dial);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.GetField(), 0);
    QCOMPARE(dlg.Tabs()->currentIndex(), 2);

    QString text;
    int seen = 0;
    TestEnv::OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        ++seen;
        text = box->text();
        box->done(QMessageBox::Ok);
    });
    dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(seen, 1);
    QCOMPARE(text, QStringLiteral("Field is invalid."));
    QCOMPARE(applied.count(), 0);
    QCOMPARE(cancelled.count(), 0);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.Tabs()->currentIndex(), 0);

    // an element type without a field row needs none
    R8element graph(nullptr, R8_TYPE_GRAPH, 1);
    dlg.EditElement(&graph);
    QCOMPARE(dlg.GetField(), 0);
    dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(applied.count(), 1);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(seen, 1);
}

void TestElementProp::okWithFieldApplies()
{
    R8elementProp dlg;
    QSignalSpy applied(&dlg, &R8elementProp::ApplyProperties);
    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    box.RestoreField(33);
    box.RestoreAttribs(0x2C);
    dlg.EditElement(&box);
    QCOMPARE(dlg.GetEditElement(), &box);
    QCOMPARE(dlg.GetField(), 33);
    QCOMPARE(dlg.GetAttribs(), 0x2Cu);

    dlg.FieldCombo()->setCurrentIndex(dlg.FieldCombo()->findData(105));
    QTest::keyClick(&dlg, Qt::Key_Return);
    QCOMPARE(applied.count(), 1);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.GetField(), 105);
    QCOMPARE(dlg.GetAttribs(), 0x2Cu);
    QCOMPARE(box.GetField(), 33); // the dialog never writes the element

    // an element destroyed behind the dialog's back is no longer handed out
    auto* gone = new R8element(nullptr, R8_TYPE_GRAPH, 1);
    dlg.EditElement(gone);
    QCOMPARE(dlg.GetEditElement(), gone);
    delete gone;
    QVERIFY(!dlg.GetEditElement());
    dlg.hide();
}

void TestElementProp::cancelEscapeAndCloseButton()
{
    R8elementProp dlg;
    QSignalSpy applied(&dlg, &R8elementProp::ApplyProperties);
    QSignalSpy cancelled(&dlg, &R8elementProp::CancelProperties);
    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    box.RestoreField(33);

    dlg.EditElement(&box);
    dlg.ButtonBox()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(cancelled.count(), 1);
    QVERIFY(!dlg.isVisible());

    dlg.EditElement(&box);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(cancelled.count(), 2);
    QVERIFY(!dlg.isVisible());

    // the frame's close button is Cancel
    dlg.EditElement(&box);
    QVERIFY(dlg.close());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(cancelled.count(), 3);
    QCOMPARE(applied.count(), 0);
}

void TestElementProp::geometryAndPagesGetters()
{
    R8elementProp dlg;
    QSignalSpy positioning(&dlg, &R8elementProp::ChangedPositioning);
    QSignalSpy presence(&dlg, &R8elementProp::ChangedPagePresence);
    R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
    box.RestoreField(33);
    box.RestorePosition(QPoint(12, 34));
    box.RestorePages(0x8001);
    dlg.EditElement(&box);
    QCOMPARE(dlg.XEdit()->text(), QStringLiteral("12"));
    QCOMPARE(dlg.HeightEdit()->text(), QStringLiteral("29"));
    QCOMPARE(dlg.GetPosition(), QPoint(12, 34));
    QCOMPARE(dlg.GetSize(), QSize(80, 29));
    QCOMPARE(dlg.GetPagesChecks(), 0x8001u);
    QCOMPARE(positioning.count(), 0); // programmatic filling is not an edit
    presence.clear();

    dlg.XEdit()->clear();
    QTest::keyClicks(dlg.XEdit(), QStringLiteral("150"));
    QCOMPARE(positioning.count(), 3);
    QCOMPARE(positioning.last().at(0).toPoint(), QPoint(150, 34));
    QCOMPARE(positioning.last().at(1).toSize(), QSize(80, 29));
    dlg.WidthEdit()->clear();
    QTest::keyClicks(dlg.WidthEdit(), QStringLiteral("x9"));
    QCOMPARE(dlg.GetWidth(), 0);
    QCOMPARE(positioning.last().at(1).toSize(), QSize(0, 29));
    dlg.SetY(-40); // an element taller than the screen sits above it
    QCOMPARE(dlg.YEdit()->text(), QStringLiteral("-40"));
    QCOMPARE(dlg.GetPosition(), QPoint(150, -40));

    dlg.Tabs()->setCurrentIndex(2);
    dlg.PageCheck(3)->click();
    QCOMPARE(presence.count(), 1);
    QCOMPARE(presence.last().at(0).toInt(), 3);
    dlg.PageCheck(0)->setChecked(false);
    QCOMPARE(presence.last().at(0).toInt(), 0);
    QCOMPARE(dlg.GetPagesChecks(), 0x8008u);

    // labels "0:" to "15:", two pages per row
    auto* grid = dlg.PageCheck(0)->parentWidget()->findChild<QGridLayout*>(QStringLiteral("gridLayout"));
    QVERIFY(grid);
    for (int i = 0; i < 16; ++i) {
        auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(i / 2, 2 * (i % 2))->widget());
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("%1:").arg(i));
        QCOMPARE(grid->itemAtPosition(i / 2, 2 * (i % 2) + 1)->widget(), dlg.PageCheck(i));
    }
    dlg.hide();
}

QTEST_MAIN(TestElementProp)
#include "test_elementprop.moc"
