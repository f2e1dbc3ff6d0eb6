// The real main window, offscreen: tool box drops, the properties editor's
// ends, undo, nudges, action enabling, the page strip and the size rule.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "preferencesdialog.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "r8undo.h"
#include "screenlayout.h"
#include "screenlayoutprops.h"
#include "screenthumb.h"
#include "testsupport.h"
#include "windowsizing.h"
#include "zvcommandsender.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

using TestEnv::OnNextModal;

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent ev(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

int FieldItem(QComboBox* combo, int iBaseId)
{
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemData(i, Qt::UserRole).toInt() == iBaseId)
            return i;
    return -1;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    MainWindow* w = nullptr;

    QAction* Act(const char* name) const { return w->findChild<QAction*>(QLatin1String(name)); }
    // Drags tool box sample iSample by delta with mouse events on the window;
    // returns where the drop lands in instrument pixels, worked out from the
    // sample's start and the canvas place.
    QPoint DragSample(int iSample, QPoint target);

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void sizeRule();
    void dropAddsSelectedNewElementOnCurrentPage();
    void cancelAfterDropRemovesElement();
    void applyWithFieldAndSizeTakesThreeUndos();
    void nudgeRecordsOneStepPerElement();
    void undoAfterCleanAllIsHarmless();
    void actionEnablingBySelection();
    void pageTriggersBelongToOnePage();
    void pageDialogDefaultsAndDisabled();
    void selectPageMarksThumbAndClearsSelection();
    void thumbnailShowsItsPage();
    void preferencesReloadCatalogue();
    void toolDialogsAreModalAndDeleted();
    void sendRefusesEmptyLayout();
};

void TestMainWindow::initTestCase()
{
    QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
    QVERIFY(g_DataFields.GetDataField(33));
    QVERIFY(g_DataFields.GetDataField(105));
}

void TestMainWindow::cleanupTestCase()
{
    g_pDB = nullptr;
}

void TestMainWindow::init()
{
    w = new MainWindow;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void TestMainWindow::cleanup()
{
    delete w;
    w = nullptr;
}

QPoint TestMainWindow::DragSample(int iSample, QPoint target)
{
    R8element* sample = w->ToolBox().at(iSample);
    const QPoint home = sample->GraphicPosition();
    const QPoint grab = home + sample->MyPath().boundingRect().center().toPoint();
    SendMouse(w, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    const QPoint delta = target - grab;
    // Several steps, as a hand would move.
    for (int step = 1; step <= 4; ++step)
        SendMouse(w, QEvent::MouseMove, grab + delta * step / 4, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, target, Qt::NoButton);
    const QPointF rel = QPointF(home + delta - w->Page(w->CurrentPage())->pos()) / w->Scale();
    return QPoint(qRound(rel.x()), qRound(rel.y()));
}

void TestMainWindow::sizeRule()
{
    const WindowSizing tall = ComputeWindowSizing({755});
    QCOMPARE(tall.scale, 2.0f);
    QCOMPARE(QSize(tall.width, tall.height), QSize(830, 720));
    QCOMPARE(ComputeWindowSizing({754}).scale, float(754 - 272) / 240.0f);
    // A later, smaller screen is measured against what the first one left.
    QCOMPARE(ComputeWindowSizing({1024, 512}).scale, 1.0f);
    QCOMPARE(ComputeWindowSizing({512, 1024}).height, 480);
    // The real window is fixed at the size the rule gives for this screen.
    QList<int> heights;
    for (QScreen* s : QGuiApplication::screens())
        heights.append(s->availableGeometry().height());
    const WindowSizing here = ComputeWindowSizing(heights);
    QCOMPARE(w->maximumSize(), QSize(here.width, here.height));
    QCOMPARE(w->Scale(), here.scale);
}

void TestMainWindow::dropAddsSelectedNewElementOnCurrentPage()
{
    ScreenLayout* page0 = w->Page(0);
    const QPoint expected = DragSample(0, page0->pos() + QPoint(41, 61));
    QCOMPARE(w->Elements().size(), 1);
    R8element* el = w->Elements().at(0);
    QCOMPARE(el->GetType(), int(R8_TYPE_DATAFIELD));
    QCOMPARE(el->OnPages(), 1u);
    QCOMPARE(el->GetPosition(), expected);
    QVERIFY(el->IsSelected() != 0);
    QVERIFY(el->IsNew());
    QCOMPARE(R8selectedElements, QList<R8element*>({el}));
    QVERIFY(w->PropertiesEditor()->isVisible());
    QCOMPARE(w->PropertiesEditor()->GetEditElement(), el);
    QCOMPARE(w->Undos().size(), 1);
    QCOMPARE(w->Undos().at(0)->iKind, 0);
    QVERIFY(w->IsModified());
    // The sample went home and stays a sample.
    QCOMPARE(w->ToolBox().at(0)->GraphicPosition(), w->ToolBox().at(0)->GetBasePosition());

    // A drop beyond the screen lands at the nearest place inside it, on the
    // current page only.
    w->PropertiesEditor()->hide();
    w->SelectPage(w->Page(5));
    DragSample(0, page0->pos() + QPoint(page0->width() + 60, 5));
    R8element* far = w->Elements().at(1);
    QCOMPARE(far->OnPages(), 1u << 5);
    QCOMPARE(far->GetPosition().x() + far->GetSize().width(), R8_SCREEN_WIDTH);
}

void TestMainWindow::cancelAfterDropRemovesElement()
{
    const int before = w->Elements().size();
    DragSample(0, w->Page(0)->pos() + QPoint(20, 20));
    QPointer<R8element> el = w->Elements().value(0);
    QVERIFY(el);
    w->PropertiesEditor()->ButtonBox()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(w->Elements().size(), before);
    QVERIFY(w->Undos().isEmpty());
    // Taken back for good: destroyed, and no longer in the selection.
    QVERIFY(el.isNull());
    QVERIFY(R8selectedElements.isEmpty());
    QVERIFY(!w->PropertiesEditor()->isVisible());
    // A later nudge must not touch the vanished element.
    QTest::keyClick(w, Qt::Key_Left);
    QVERIFY(w->Undos().isEmpty());
}

void TestMainWindow::applyWithFieldAndSizeTakesThreeUndos()
{
    DragSample(0, w->Page(0)->pos() + QPoint(10, 10));
    R8element* el = w->Elements().at(0);
    const QSize oldSize = el->GetSize();
    const int oldField = el->GetField();
    R8elementProp* editor = w->PropertiesEditor();
    const int item = FieldItem(editor->FieldCombo(), 33);
    QVERIFY(item >= 0);
    editor->FieldCombo()->setCurrentIndex(item);
    editor->WidthEdit()->setText(QString::number(oldSize.width() + 20));
    editor->ButtonBox()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(el->GetField(), 33);
    QCOMPARE(el->GetSize().width(), oldSize.width() + 20);
    QCOMPARE(w->Undos().size(), 3);

    w->UnDo();
    QCOMPARE(el->GetSize(), oldSize);
    QCOMPARE(el->GetField(), 33);
    w->UnDo();
    QCOMPARE(el->GetField(), oldField);
    QCOMPARE(w->Elements().size(), 1);
    w->UnDo();
    QVERIFY(w->Elements().isEmpty());

    // Editing an element that is no longer new records its state first.
    DragSample(0, w->Page(0)->pos() + QPoint(10, 10));
    R8element* again = w->Elements().at(0);
    editor->FieldCombo()->setCurrentIndex(FieldItem(editor->FieldCombo(), 105));
    editor->ButtonBox()->button(QDialogButtonBox::Ok)->click();
    const int recorded = w->Undos().size();
    w->EditElement(again);
    editor->FieldCombo()->setCurrentIndex(FieldItem(editor->FieldCombo(), 33));
    editor->ButtonBox()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(w->Undos().size(), recorded + 2); // the apply's own step and the field
    w->UnDo();
    QCOMPARE(again->GetField(), 105);
}

void TestMainWindow::nudgeRecordsOneStepPerElement()
{
    QList<R8element*> els;
    for (int k = 0; k < 3; ++k) {
        R8element* el = w->Elements().value(w->AddElement(R8_TYPE_DATAFIELD));
        el->RestorePages(1);
        el->RestorePosition(QPoint(20 + 10 * k, 40 * k));
        el->ElementSelect(1);
        els.append(el);
    }
    QVERIFY(w->Undos().isEmpty());
    R8selectedElements = els;
    QTest::keyClick(w, Qt::Key_Left);
    QCOMPARE(w->Undos().size(), 3);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(els[k]->GetPosition().x(), 19 + 10 * k);
    for (int undone = 1; undone <= 3; ++undone) {
        w->UnDo();
        int restored = 0;
        for (int k = 0; k < 3; ++k)
            restored += els[k]->GetPosition().x() == 20 + 10 * k ? 1 : 0;
        QCOMPARE(restored, undone);
    }
    QTest::keyClick(w, Qt::Key_Down);
    QCOMPARE(w->Undos().size(), 3);
    QCOMPARE(els[1]->GetPosition().y(), 41);
    R8selectedElements.clear();
}

void TestMainWindow::undoAfterCleanAllIsHarmless()
{
    DragSample(0, w->Page(0)->pos() + QPoint(10, 10));
    QPointer<R8element> el = w->Elements().value(0);
    w->CleanAllElements();
    QVERIFY(el.isNull());
    QVERIFY(w->Elements().isEmpty());
    // No record may point at a destroyed element.
    QVERIFY(w->Undos().isEmpty());
    QVERIFY(R8selectedElements.isEmpty());
    w->UnDo();
    QVERIFY(w->Elements().isEmpty());
}

void TestMainWindow::actionEnablingBySelection()
{
    const char* edges[] = {"actionAlignTop",    "actionAlignBottom", "actionAlignLeft",     "actionAlignRight",
                           "actionAlignCenter", "actionAlignMiddle", "actionTextAlignLeft", "actionTextAlignRight"};
    const char* pairs[] = {"actionAlignHeight", "actionAlignWidth", "actionJoinHorizontal", "actionJoinVertical"};
    // Enabled state of the edges, sizes, joins and Properties, as a string.
    auto state = [this, &edges, &pairs]() {
        QString s;
        for (const char* n : edges)
            s += Act(n)->isEnabled() ? QLatin1Char('e') : QLatin1Char('.');
        s += QLatin1Char(' ');
        for (const char* n : pairs)
            s += Act(n)->isEnabled() ? QLatin1Char('p') : QLatin1Char('.');
        return s + (Act("actionProperties")->isEnabled() ? QStringLiteral(" P") : QStringLiteral(" ."));
    };
    QCOMPARE(state(), QStringLiteral("........ .... ."));
    w->MultiSelect(1); // sizes and joins keep their state
    QCOMPARE(state(), QStringLiteral("eeeeeeee .... P"));
    w->MultiSelect(2);
    QCOMPARE(state(), QStringLiteral("eeeeeeee pppp ."));
    w->MultiSelect(1);
    QCOMPARE(state(), QStringLiteral("eeeeeeee pppp P"));
    w->MultiSelect(3); // joins take two
    QCOMPARE(state(), QStringLiteral("eeeeeeee pp.. ."));
    w->MultiSelect(0);
    QCOMPARE(state(), QStringLiteral("........ .... ."));
    // The canvas's own signal drives it: a drop selects one element.
    DragSample(0, w->Page(0)->pos() + QPoint(10, 10));
    QCOMPARE(state().right(1), QStringLiteral("P"));
}

void TestMainWindow::pageTriggersBelongToOnePage()
{
    ScreenThumb* page3 = w->Thumb(3);
    ScreenThumb* page7 = w->Thumb(7);
    page7->SetTrigger(32 | 1);
    page3->SetTrigger(4);
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<ScreenLayoutProps*>(modal);
        QVERIFY(dialog);
        QVERIFY(dialog->TriggerCheck(2)->isChecked());
        dialog->TriggerCheck(5)->setChecked(true); // "Power up"
        dialog->ButtonBox()->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(page3->EditProperties());
    QCOMPARE(page3->GetTrigger(), 4 | 32);
    QCOMPARE(page7->GetTrigger(), 1);
    for (int j = 0; j < R8_PAGE_COUNT; ++j)
        if (j != 3 && j != 7)
            QCOMPARE(w->Thumb(j)->GetTrigger(), 0);
}

void TestMainWindow::pageDialogDefaultsAndDisabled()
{
    ScreenThumb* page4 = w->Thumb(4);
    QVERIFY(page4->GetName().isEmpty());
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<ScreenLayoutProps*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->NameEdit()->text(), QStringLiteral("Page 4"));
        QVERIFY(dialog->EnabledBox()->isChecked());
        dialog->NameEdit()->setText(QStringLiteral("ignored"));
        dialog->reject();
    });
    QVERIFY(!page4->EditProperties());
    QCOMPARE(page4->GetName(), QStringLiteral("Page 4"));

    page4->SetTrigger(2);
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<ScreenLayoutProps*>(modal);
        QVERIFY(dialog);
        dialog->NameEdit()->setText(QStringLiteral("Thermal"));
        dialog->EnabledBox()->setChecked(false);
        dialog->TriggerCheck(0)->setChecked(true);
        dialog->accept();
    });
    QVERIFY(page4->EditProperties());
    QCOMPARE(page4->GetName(), QStringLiteral("Thermal"));
    QCOMPARE(page4->GetDisabled(), 1);
    QCOMPARE(page4->GetTrigger(), 3); // ticked boxes kept while disabled
    QCOMPARE(page4->toolTip(), QStringLiteral("Thermal"));
    QCOMPARE(w->PagesProps().at(4).Disabled, 1);
    // Page properties belong to the layout file: closing must ask first.
    QVERIFY(w->IsModified());
}

void TestMainWindow::selectPageMarksThumbAndClearsSelection()
{
    const int i = w->AddElement(R8_TYPE_DATAFIELD);
    R8element* el = w->Elements().at(i);
    el->RestorePages(1);
    el->ElementSelect(1);
    QVERIFY(w->Thumb(0)->IsCurrent());

    QTest::mouseClick(w->Thumb(6), Qt::LeftButton);
    QCOMPARE(w->CurrentPage(), 6);
    QVERIFY(w->Page(6)->isVisible());
    for (int j = 0; j < R8_PAGE_COUNT; ++j) {
        QCOMPARE(w->Page(j)->isVisible(), j == 6);
        QCOMPARE(w->Thumb(j)->IsCurrent(), j == 6);
    }
    QCOMPARE(el->IsSelected(), 0);
    w->SelectPage(nullptr);
    QCOMPARE(w->CurrentPage(), 6);
}

void TestMainWindow::thumbnailShowsItsPage()
{
    w->UpdateLayouts(1u << 2);
    const QImage before = w->Thumb(2)->Picture().toImage();
    const QImage other = w->Thumb(3)->Picture().toImage();
    w->Elements().at(w->AddElement(R8_TYPE_GRAPH))->RestorePages(1u << 2);
    w->UpdateLayouts(1u << 2);
    QVERIFY(w->Thumb(2)->Picture().toImage() != before);
    QCOMPARE(w->Thumb(3)->Picture().toImage(), other); // another page's picture is not touched
}

void TestMainWindow::preferencesReloadCatalogue()
{
    auto choose = [](int iModelIndex) {
        OnNextModal([iModelIndex](QWidget* modal) {
            auto* dialog = qobject_cast<PreferencesDialog*>(modal);
            QVERIFY(dialog);
            dialog->TargetDeviceCombo()->setCurrentIndex(iModelIndex);
            dialog->ButtonBox()->button(QDialogButtonBox::Ok)->click();
        });
    };
    choose(1);
    w->PreferencesAction();
    QCOMPARE(g_iTargetModel, 2);
    choose(0);
    w->PreferencesAction();
    QCOMPARE(g_iTargetModel, 1);
    QVERIFY(g_DataFields.GetDataField(33));

    // Cancel changes nothing.
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<PreferencesDialog*>(modal);
        QVERIFY(dialog);
        dialog->TargetDeviceCombo()->setCurrentIndex(2);
        dialog->reject();
    });
    w->PreferencesAction();
    QCOMPARE(g_iTargetModel, 1);
}

void TestMainWindow::toolDialogsAreModalAndDeleted()
{
    auto run = [this](const QString& text, const char* className) {
        QAction* act = nullptr;
        for (QAction* a : w->findChildren<QAction*>())
            if (a->text() == text)
                act = a;
        QVERIFY(act);
        QPointer<QWidget> seen;
        QString seenClass;
        QWidget* seenParent = nullptr;
        OnNextModal([&](QWidget* modal) {
            seen = modal;
            seenClass = QLatin1String(modal->metaObject()->className());
            seenParent = modal->parentWidget();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        });
        act->trigger();
        QCOMPARE(seenClass, QLatin1String(className));
        QCOMPARE(seenParent, static_cast<QWidget*>(w));
        QVERIFY(seen.isNull()); // deleted once it returned
    };
    run(QStringLiteral("Airspaces"), "ASpaceList");
    run(QStringLiteral("Firmware"), "firmwareSender");
}

void TestMainWindow::sendRefusesEmptyLayout()
{
    // An element on no page does not count.
    const int i = w->AddElement(R8_TYPE_DATAFIELD);
    w->Elements().at(i)->RestorePages(0);
    QString shown;
    OnNextModal([&shown](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown = box->text();
            box->accept();
        }
    });
    w->SendToDevice();
    QCOMPARE(shown, QStringLiteral("Layout has no elements!"));
    QVERIFY(Act("actionSend")->isEnabled());
    QCOMPARE(w->CommandSender()->QueuedCount(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
