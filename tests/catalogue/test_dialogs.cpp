// The catalogue's two dialogs. Element properties: the attribute word behind
// its widgets, the field lists, and what OK, Cancel and the geometry fields
// hand on. Preferences: the stored choices, out-of-range stores, and the model
// and language handed to the catalogue.
#include "appglobals.h"
#include "datafields.h"
#include "preferencesdialog.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace ElementAttribs;

class TestDialogs : public QObject
{
    Q_OBJECT
    QTemporaryDir m_Dir;

    // What another run would read from the store (device and language
    // index), and what the catalogue is handed (model and language id).
    static QStringList Stored()
    {
        theSettings->sync();
        const QSettings again(theSettings->fileName(), QSettings::IniFormat);
        return {again.value("TargetDevice", "-").toString(), again.value("SelectedLanguage", "-").toString()};
    }
    static QList<int> Handed() { return {g_iTargetModel, g_iLangID}; }

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }

    void attributeMappings()
    {
        // Where two bits compete or one bit means nothing alone.
        QCOMPARE(FontIndex(0x2F), 2);         // large wins over tiny
        QCOMPARE(AlignIndex(0x6C), 2);        // right wins over centre
        QCOMPARE(UnitsIndex(0x2C | 0x80), 0); // "below" without "shown"
        QCOMPARE(MapType(0x10F), 0);
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
            QCOMPARE(WithTitle(WithBorder(a, HasBorder(a)), HasTitle(a)), a);
            if (MapType(a))
                QCOMPARE(WithMapType(a, MapType(a) == 1, MapType(a) == 2), a);
        }
    }

    void widgetsWriteAttributeWord()
    {
        R8elementProp dlg;
        dlg.AdjustInterface(0x3FF); // a value box's rows
        dlg.SetAttribs(0x2C | 0x90);
        QVERIFY(dlg.TitleCheck()->isChecked() && dlg.BorderCheck()->isChecked());
        QCOMPARE(dlg.AlignCombo()->currentText(), QStringLiteral("Right"));
        QCOMPARE(dlg.UnitsCombo()->currentText(), QStringLiteral("Bellow"));
        dlg.UnitsCombo()->setCurrentText(QStringLiteral("Right"));
        QCOMPARE(dlg.GetAttribs(), 0x2Cu | 0x10u);
        dlg.AlignCombo()->setCurrentText(QStringLiteral("Center"));
        dlg.FontCombo()->setCurrentText(QStringLiteral("Large"));
        dlg.TitleCheck()->setChecked(false);
        dlg.BorderCheck()->setChecked(false);
        QCOMPARE(dlg.GetAttribs(), 0x41u | 0x10u);
        // A field that forbids the large font: a stored large font selects
        // nothing, and the next change stores the normal size.
        dlg.AdjustInterface(0x3FF | R8elementProp::PropNoLargeFont);
        dlg.SetAttribs(0x2D);
        QCOMPARE(dlg.FontCombo()->currentIndex(), -1);
        QSignalSpy changed(&dlg, &R8elementProp::ChangedProperties);
        dlg.AlignCombo()->setCurrentText(QStringLiteral("Center"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(dlg.GetAttribs(), 0x4Cu);
        // The dial's direction lives in the font's bits; it has no Border row,
        // and the hidden Border box (checked above) leaves its border bit alone.
        dlg.AdjustInterface(0x1837);
        dlg.SetAttribs(0x28 | 3);
        QCOMPARE(dlg.DirectionCombo()->currentText(), QStringLiteral("Up"));
        dlg.DirectionCombo()->setCurrentText(QStringLiteral("Left"));
        dlg.TitleCheck()->setChecked(false);
        QCOMPARE(dlg.GetAttribs(), 0x22u);
    }

    // One dialog editing a dial, a value box and a graph in turn, as the
    // designer uses it.
    void editing()
    {
        R8elementProp dlg;
        QSignalSpy applied(&dlg, &R8elementProp::ApplyProperties);
        QSignalSpy cancelled(&dlg, &R8elementProp::CancelProperties);
        QSignalSpy positioning(&dlg, &R8elementProp::ChangedPositioning);
        QSignalSpy presence(&dlg, &R8elementProp::ChangedPagePresence);
        // A dial lists only fields that can be dials; one whose stored field
        // may not be a dial opens with no field, showing its own range.
        R8element dial(nullptr, R8_TYPE_DIAL, 1);
        dial.RestoreField(33);
        dial.SetRangeMax(7.25f);
        dlg.EditElement(&dial);
        QVERIFY(dlg.FieldCombo()->count() > 0 && dlg.FieldCombo()->count() < g_DataFields.count());
        for (int i = 0; i < dlg.FieldCombo()->count(); ++i)
            QVERIFY(g_DataFields.GetDataField(dlg.FieldCombo()->itemData(i).toInt())->CanBeDial);
        QCOMPARE(dlg.GetMaxRange(), 7.25f);
        // OK is refused until a field is chosen; choosing one shows its catalogue range.
        QString text;
        TestEnv::OnNextModal([&](QWidget* modal) {
            text = modal->property("text").toString();
            modal->close();
        });
        dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(text, QStringLiteral("Field is invalid."));
        QVERIFY(applied.isEmpty() && dlg.isVisible());
        dlg.FieldCombo()->setCurrentIndex(dlg.FieldCombo()->findData(105));
        QCOMPARE(dlg.MinRangeEdit()->text() + ".." + dlg.MaxRangeEdit()->text(), QStringLiteral("-5..5"));
        // Return is OK; the dialog never writes the element.
        QTest::keyClick(&dlg, Qt::Key_Return);
        QVERIFY(applied.count() == 1 && !dlg.isVisible());
        QCOMPARE(dlg.GetField(), 105);
        QCOMPARE(dial.GetField(), 33);
        // Cancel, Escape and the frame's close button all cancel.
        dlg.EditElement(&dial);
        dlg.ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        dlg.EditElement(&dial);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        dlg.EditElement(&dial);
        QVERIFY(dlg.close());
        QCOMPARE(cancelled.count(), 3);
        // A value box lists every field; filling its form is no edit, typing is.
        R8element box(nullptr, R8_TYPE_DATAFIELD, 1);
        box.RestorePosition(QPoint(12, 34));
        box.RestorePages(0x8001);
        dlg.EditElement(&box);
        QCOMPARE(dlg.FieldCombo()->count(), g_DataFields.count());
        QCOMPARE(dlg.GetField(), 0); // field 0 is in no list
        QVERIFY(positioning.isEmpty());
        QTest::keyClicks(dlg.XEdit(), QStringLiteral("5"));
        QCOMPARE(positioning.last(), QVariantList({QPoint(125, 34), QSize(80, 29)}));
        presence.clear();
        dlg.Tabs()->setCurrentIndex(2);
        dlg.PageCheck(3)->click();
        QCOMPARE(presence.takeFirst(), QVariantList{3});
        QVERIFY(presence.isEmpty());
        dlg.PageCheck(0)->setChecked(false);
        QCOMPARE(dlg.GetPagesChecks(), 0x8008u);
        // A graph has no field row and needs none; destroyed behind the
        // dialog's back, it is no longer handed out.
        auto* graph = new R8element(nullptr, R8_TYPE_GRAPH, 1);
        dlg.EditElement(graph);
        dlg.ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(applied.count(), 2);
        delete graph;
        QVERIFY(!dlg.GetEditElement());
    }

    void preferences()
    {
        theSettings = new QSettings(m_Dir.filePath(QStringLiteral("prefs.ini")), QSettings::IniFormat, this);
        PreferencesDialog dlg;
        // Nothing stored yet: English and Alvo.
        QCOMPARE(dlg.LanguageCombo()->currentText(), QStringLiteral("English"));
        QCOMPARE(dlg.TargetDeviceCombo()->currentText(), QStringLiteral("Alvo"));
        dlg.TargetDeviceCombo()->setCurrentText(QStringLiteral("Dulan"));
        dlg.LanguageCombo()->setCurrentText(QStringLiteral("Russian")); // no catalogue texts
        dlg.SaveValues();
        QCOMPARE(Stored(), QStringList({"3", "5"}));
        QCOMPARE(Handed(), QList<int>({4, 1}));
        PreferencesDialog again;
        QCOMPARE(again.LanguageCombo()->currentText(), QStringLiteral("Russian"));
        QCOMPARE(again.TargetDeviceCombo()->currentText(), QStringLiteral("Dulan"));
        again.LanguageCombo()->setCurrentText(QStringLiteral("German"));
        again.TargetDeviceCombo()->setCurrentText(QStringLiteral("Osk"));
        again.SaveValues();
        QCOMPARE(Handed(), QList<int>({2, 5}));
        // A stored index that names no item selects the first, never an empty
        // choice that would save -1 and model 0.
        for (const QVariant& stored : {QVariant(7), QVariant(-1), QVariant(QStringLiteral("de"))}) {
            theSettings->setValue(QStringLiteral("TargetDevice"), stored);
            theSettings->setValue(QStringLiteral("SelectedLanguage"), stored);
            PreferencesDialog fallback;
            fallback.SaveValues();
            QCOMPARE(Stored(), QStringList({"0", "0"}));
            QCOMPARE(Handed(), QList<int>({1, 1}));
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
