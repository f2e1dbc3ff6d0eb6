// Editing on the real main window, offscreen: tool box drops, the
// properties editor's steps, nudges, Delete, Undo and Redo with the
// modified mark, page properties, and the selection staying on the page on
// screen.
#include "appglobals.h"
#include "r8elementprop.h"
#include "r8undo.h"
#include "screenlayout.h"
#include "screenlayoutprops.h"
#include "screenthumb.h"
#include "windowhost.h"
#include "zvcommandsender.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QUndoStack>
#include <cmath>
#include <memory>

using namespace WindowHost;

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;
    QSettings settings;

    // Drops a sample on the page shown, as the tool box does.
    R8element* Drop(int iType = R8_TYPE_DATAFIELD)
    {
        w->DropSample(iType, w->Page(w->CurrentPage())->pos() + QPoint(40, 40));
        return w->Elements().last();
    }
    R8elementProp* Editor() const { return w->PropertiesEditor(); }
    void Button(QDialogButtonBox::StandardButton button) { Editor()->ButtonBox()->button(button)->click(); }
    void ApplyField(int iField)
    {
        Editor()->FieldCombo()->setCurrentIndex(Editor()->FieldCombo()->findData(iField));
        Button(QDialogButtonBox::Ok);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
        theSettings = &settings;
    }
    void init()
    {
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }
    void cleanupTestCase()
    {
        settings.clear();
        theSettings = nullptr;
    }

    // A sample dragged with the mouse lands where it was let go, on the page
    // shown only, selected and in the properties editor; a drop beyond the
    // screen lands at the nearest place inside it.
    void dragFromToolBox()
    {
        w->SelectPage(w->Page(5));
        R8element* sample = w->ToolBox().at(0);
        const QPoint grab = sample->GraphicPosition() + sample->MyPath().boundingRect().center().toPoint();
        const QPoint target = w->Page(5)->pos() + QPoint(1000, 61);
        for (int step = 0; step <= 5; ++step) { // press, four moves as a hand would, release
            const QEvent::Type type = step == 0   ? QEvent::MouseButtonPress
                                      : step == 5 ? QEvent::MouseButtonRelease
                                                  : QEvent::MouseMove;
            const QPoint at = grab + (target - grab) * qMin(step, 4) / 4;
            QMouseEvent ev(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                           type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.get(), &ev);
        }
        QCOMPARE(w->Elements().size(), 1);
        R8element* el = w->Elements().at(0);
        QCOMPARE(el->OnPages(), 1u << 5);
        const QPoint grabbedAt = grab - sample->GetBasePosition(); // in the sample, in window pixels
        QCOMPARE(el->GetPosition(),
                 QPoint(R8_SCREEN_WIDTH - el->GetSize().width(), qRound((61 - grabbedAt.y()) / w->Scale())));
        QCOMPARE(R8selectedElements, QList<R8element*>({el}));
        QCOMPARE(Editor()->GetEditElement(), el);
        QVERIFY(Editor()->isVisible() && w->IsModified());
        QCOMPARE(sample->GraphicPosition(), sample->GetBasePosition()); // the sample went home
    }

    // Each change of an apply is a step: the drop, the field, the size; an
    // element no longer new records its state first.
    void applyRecordsEachChange()
    {
        R8element* el = Drop();
        const QSize oldSize = el->GetSize();
        const int oldField = el->GetField();
        Editor()->WidthEdit()->setText(QString::number(oldSize.width() + 20));
        ApplyField(33);
        QCOMPARE(el->GetSize().width(), oldSize.width() + 20);
        QCOMPARE(w->Undos().size(), 3);
        w->UnDo();
        QCOMPARE(el->GetSize(), oldSize);
        w->UnDo();
        QCOMPARE(el->GetField(), oldField);
        QCOMPARE(el->GetFieldName(), QString()); // no stale name painted
        w->EditElement(el);
        ApplyField(105);
        w->UnDo();
        QCOMPARE(el->GetField(), oldField);
        QCOMPARE(w->Elements().size(), 1);
    }

    // An arrow moves each selected element a pixel, Shift+arrow ten; one
    // step per element.
    void nudgeRecordsOneStepPerElement()
    {
        QList<R8element*> els;
        for (int k = 0; k < 3; ++k)
            els.append(Place(*w, R8_TYPE_DATAFIELD, QPoint(20 + 10 * k, 40 * k), 1));
        w->Page(0)->SelectOnly(els);
        QTest::keyClick(w.get(), Qt::Key_Left);
        QCOMPARE(w->Undos().size(), 3);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(els[k]->GetPosition(), QPoint(19 + 10 * k, 40 * k));
        w->UnDo();
        w->UnDo();
        QCOMPARE(els[0]->GetPosition().x() + els[1]->GetPosition().x() + els[2]->GetPosition().x(), 19 + 30 + 40);
        QTest::keyClick(w.get(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(els[1]->GetPosition(), QPoint(30, 30));
        R8selectedElements.clear();
    }

    void deleteUndoRedoRestoreTheFile()
    {
        const QByteArray before = SampleLayout(*w);
        const QList<R8element*> all = w->Elements();
        w->Page(0)->SelectOnly({all[1], all[0]});
        Act(*w, "actionDelete")->trigger();
        QCOMPARE(w->Elements(), all.mid(2));
        QVERIFY(R8selectedElements.isEmpty());
        QVERIFY(w->isWindowModified());
        Act(*w, "actionUndo")->trigger(); // one step brings both back, in place
        QCOMPARE(w->Elements(), all);
        QCOMPARE(Content(*w), before);
        Act(*w, "actionRedo")->trigger();
        QCOMPARE(w->Elements().size(), 2);
        w->CleanAllElements();
        QVERIFY(w->Undos().isEmpty()); // no step may point at a destroyed element
        w->UnDo();
        QVERIFY(w->Elements().isEmpty());
    }

    void modifiedFollowsTheHistory()
    {
        SampleLayout(*w);
        R8element* el = w->Elements().at(0);
        el->SetPosition(QPoint(30, 30));
        QVERIFY(w->IsModified());
        w->UnDo();
        QVERIFY(!w->IsModified()); // back at the loaded point
        w->ReDo();
        QVERIFY(w->Save(dir.filePath(QStringLiteral("start.zvl"))));
        QVERIFY(!w->isWindowModified());
        el->SetPosition(QPoint(40, 40));
        w->UnDo(); // back at the saved point
        QVERIFY(!w->IsModified() && !w->isWindowModified());
        QCOMPARE(el->GetPosition(), QPoint(30, 30));
        // A new change empties what could be redone.
        w->UnDo();
        el->SetPosition(QPoint(50, 50));
        QVERIFY(!Act(*w, "actionRedo")->isEnabled());
    }

    void dropCancelledLeavesLayoutUnmodified_data()
    {
        QTest::addColumn<bool>("frameClose");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("frame close button") << true;
    }
    void dropCancelledLeavesLayoutUnmodified()
    {
        QFETCH(bool, frameClose);
        const QByteArray before = SampleLayout(*w);
        QPointer<R8element> dropped = Drop();
        QVERIFY(dropped && Editor()->isVisible());
        if (frameClose)
            Editor()->close();
        else
            Button(QDialogButtonBox::Cancel);
        // Taken back for good: destroyed, not selected, not to be redone.
        QVERIFY(dropped.isNull());
        QVERIFY(R8selectedElements.isEmpty());
        QVERIFY(!w->IsModified() && !w->undoStack()->canRedo());
        QCOMPARE(Content(*w), before);
    }

    // Another element moved while the dropped one's editor was open: Cancel
    // takes back the drop alone, as a step of its own.
    void cancelTakesBackOnlyItsOwnElement()
    {
        SampleLayout(*w);
        R8element* other = w->Elements().at(0);
        R8element* dropped = Drop();
        other->SetPosition(QPoint(90, 100));
        Button(QDialogButtonBox::Cancel);
        QVERIFY(!w->Elements().contains(dropped));
        QCOMPARE(other->GetPosition(), QPoint(90, 100));
        w->UnDo();
        QVERIFY(w->Elements().contains(dropped));
    }

    void selectionStaysOnItsPage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("arrow key") << QString();
        QTest::newRow("align") << QStringLiteral("actionAlignTop");
        QTest::newRow("delete") << QStringLiteral("actionDelete");
    }
    void selectionStaysOnItsPage()
    {
        QFETCH(QString, command);
        const QByteArray before = SampleLayout(*w);
        R8element* el = w->Elements().at(0);
        w->Page(0)->SelectElement(el);
        QTest::mouseClick(w->Thumb(1), Qt::LeftButton);
        QCOMPARE(w->CurrentPage(), 1);
        for (int j = 0; j < R8_PAGE_COUNT; ++j)
            QVERIFY(w->Page(j)->isVisible() == (j == 1) && w->Thumb(j)->IsCurrent() == (j == 1));
        QVERIFY(R8selectedElements.isEmpty());
        QCOMPARE(el->IsSelected(), 0);
        // Even with the page's selection left behind, a command on page 1
        // does not reach page 0's element.
        el->ElementSelect(1);
        R8selectedElements = {el};
        if (command.isEmpty()) {
            QTest::keyClick(w.get(), Qt::Key_Left);
        } else {
            Act(*w, command.toLatin1().constData())->setEnabled(true);
            Act(*w, command.toLatin1().constData())->trigger();
        }
        QVERIFY(!w->IsModified());
        QCOMPARE(Content(*w), before);
    }

    // A trigger belongs to one page: ticking it on page 3 takes it from 7.
    // The dialog's changes are one step, triggers kept while disabled.
    void pageDialogIsOneStep()
    {
        w->Thumb(7)->SetTrigger(32 | 1);
        w->Thumb(3)->SetTrigger(4);
        OnNextDialog<ScreenLayoutProps>([](ScreenLayoutProps* dialog) {
            QVERIFY(dialog->TriggerCheck(2)->isChecked() && dialog->EnabledBox()->isChecked());
            dialog->NameEdit()->setText(QStringLiteral("Thermal"));
            dialog->EnabledBox()->setChecked(false);
            dialog->TriggerCheck(5)->setChecked(true);
            dialog->accept();
        });
        QVERIFY(w->Thumb(3)->EditProperties());
        QCOMPARE(w->PagesProps().at(3), (PageProps{QStringLiteral("Thermal"), 4 | 32, 1}));
        QCOMPARE(w->Thumb(7)->GetTrigger(), 1);
        w->undoStack()->setClean();
        OnNextDialog<ScreenLayoutProps>([](ScreenLayoutProps* dialog) { dialog->reject(); });
        QVERIFY(!w->Thumb(3)->EditProperties());
        QVERIFY(!w->IsModified());
        w->UnDo();
        QCOMPARE(w->PagesProps().at(7).Trigger, 33u);
        QCOMPARE(w->PagesProps().at(3).Disabled, 0);
    }

    void dialogRefusesRangesThatAreNoNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nan") << QStringLiteral("nan") << true;
        QTest::newRow("beyond float") << QStringLiteral("3e40") << true;
        QTest::newRow("number") << QStringLiteral("12.5") << false;
    }
    void dialogRefusesRangesThatAreNoNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        R8element* dial = Drop(R8_TYPE_DIAL);
        Editor()->FieldCombo()->setCurrentIndex(Editor()->FieldCombo()->count() - 1);
        Editor()->MaxRangeEdit()->setText(text);
        QString shown;
        if (refused)
            AnswerNextBox(QStringLiteral("OK"), &shown);
        Button(QDialogButtonBox::Ok);
        QCOMPARE(shown.contains(QStringLiteral("finite")), refused);
        QCOMPARE(Editor()->isVisible(), refused);
        QVERIFY(std::isfinite(dial->GetRangeMax()));
        QCOMPARE(dial->GetRangeMax() == 12.5f, !refused);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
