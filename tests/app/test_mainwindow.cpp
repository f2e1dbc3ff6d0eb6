// The real main window, offscreen: tool box drops, the properties editor's
// ends, undo, nudges, action enabling, the page strip and the size rule.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "preferencesdialog.h"
#include "progress.h"
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
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
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
    void menusAndToolBars();
    void toolBoxSamples();
    void pagePropsForm();
    void dropAddsSelectedNewElementOnCurrentPage();
    void cancelAfterDropRemovesElement();
    void applyWithoutChangesThenUndoRemovesElement();
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
    void quitDuringTransferDoesNotHang();
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
    QCOMPARE(tall.width, 830);
    QCOMPARE(tall.height, 720);

    const WindowSizing small = ComputeWindowSizing({512});
    QCOMPARE(small.scale, 1.0f);
    QCOMPARE(small.height, 480);
    QCOMPARE(small.width, 510);

    // A later, smaller screen is measured against what the first one left.
    const WindowSizing two = ComputeWindowSizing({1024, 512});
    QCOMPARE(two.scale, 1.0f);
    QCOMPARE(ComputeWindowSizing({512, 1024}).height, 480);
    QCOMPARE(ComputeWindowSizing({754}).scale, float(754 - 272) / 240.0f);

    // The real window is fixed at the size the rule gives for this screen.
    QList<int> heights;
    for (QScreen* s : QGuiApplication::screens())
        heights.append(s->availableGeometry().height());
    const WindowSizing here = ComputeWindowSizing(heights);
    QCOMPARE(w->minimumSize(), QSize(here.width, here.height));
    QCOMPARE(w->maximumSize(), QSize(here.width, here.height));
    QCOMPARE(w->Scale(), here.scale);
}

void TestMainWindow::menusAndToolBars()
{
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "F&ormat", "&Tools", "&Help"}));

    QMenu* format = w->menuBar()->actions().at(3)->menu();
    QStringList entries;
    for (QAction* a : format->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, QStringList({"Align top", "Align bottom", "Align left", "Align right", "Horizontal join",
                                   "Vertical join", "Align center", "Align middle", "Align height", "Align width",
                                   "-", "Text align left", "Text align center", "Text align right"}));

    // Recent files: a hidden separator and five hidden entries before "S&end";
    // the image exports after it.
    QMenu* file = w->menuBar()->actions().at(0)->menu();
    const QList<QAction*> fileActs = file->actions();
    QCOMPARE(fileActs.size(), 4 + 1 + 5 + 1 + 1 + 1 + 2 + 2);
    QCOMPARE(fileActs.at(11)->text(), QStringLiteral("S&end to device"));
    QCOMPARE(fileActs.at(11)->shortcut(), QKeySequence(QKeySequence::Refresh));
    for (int i = 5; i < 10; ++i)
        QVERIFY(!fileActs.at(i)->isVisible());

    const QList<QToolBar*> bars = w->findChildren<QToolBar*>();
    QCOMPARE(bars.size(), 3);
    QToolBar* fileBar = w->findChild<QToolBar*>(QStringLiteral("FileToolBar"));
    QCOMPARE(fileBar->windowTitle(), QStringLiteral("File"));
    QCOMPARE(fileBar->actions().size(), 3);
    QCOMPARE(w->findChild<QToolBar*>(QStringLiteral("FormatingToolBar"))->actions(), format->actions().mid(0, 10));
    QVERIFY(fileBar->isVisible());

    // "File toolbar" follows the stored choice and toggles the bar.
    QAction* fileToggle = w->menuBar()->actions().at(2)->menu()->actions().at(1);
    QCOMPARE(fileToggle->text(), QStringLiteral("File toolbar"));
    fileToggle->toggle();
    QVERIFY(!fileBar->isVisible());

    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("FileToolBarVisible"), false);
    theSettings = &settings;
    {
        MainWindow second;
        second.show();
        QVERIFY(!second.findChild<QToolBar*>(QStringLiteral("FileToolBar"))->isVisible());
    }
    theSettings = nullptr;
    QCOMPARE(w->windowTitle(), QStringLiteral("Zarvin Designer[*]"));
    QVERIFY(!w->windowIcon().isNull());
}

void TestMainWindow::toolBoxSamples()
{
    const QList<R8element*>& box = w->ToolBox();
    QCOMPARE(box.size(), 14);
    const int types[] = {0x0001, 0xE001, 0xE002, 0xE003, 0xE010, 0xE040, 0xE031,
                         0xE020, 0xE030, 0xE032, 0xE042, 0xE043, 0xE008, 0xD000};
    for (int k = 0; k < 14; ++k) {
        QCOMPARE(box[k]->GetType(), types[k]);
        QVERIFY(!box[k]->IsPlaced());
        QCOMPARE(box[k]->GetScreenElementIndex(), -1);
        QCOMPARE(box[k]->OnPages(), 0xFFFFu);
        QCOMPARE(box[k]->GraphicPosition(), box[k]->GetBasePosition());
    }
    const float scale = w->Scale();
    const int x0 = int(scale * 320 + 60);
    QCOMPARE(box[0]->GetBasePosition(), QPoint(x0, 70));
    QCOMPARE(box[3]->GetBasePosition(), QPoint(x0 + 60, int(70 + 35 * scale / 2)));
    QCOMPARE(box[11]->GetBasePosition(), QPoint(x0 + 45, int(70 + 369 * scale / 2)));
    QCOMPARE(box[13]->GetBasePosition(), QPoint(x0, int(70 + 509 * scale / 2)));
    QCOMPARE(box[0]->GetZoom(), 0.5f * scale / 2);
    QCOMPARE(box[7]->GetZoom(), scale / 2);
    // The column lies right of the page canvas, inside the window.
    QVERIFY(x0 > w->Page(0)->geometry().right());
    QVERIFY(box[13]->MyPathTranslated().boundingRect().bottom() < w->height());

    // A drag that ends on the tool box itself still adds an element (the
    // drop lands inside the screen), and the samples never record a step.
    const int before = w->Undos().size();
    DragSample(7, box[7]->GetBasePosition() + QPoint(2, 2));
    QCOMPARE(w->Undos().size(), before + 1);
    QCOMPARE(w->Undos().last()->iKind, 0);

    // Every action icon is compiled in.
    for (const char* name : {"Page-White", "Folder-Page-White", "Disk", "Save-As", "Update",
                             "Arrow-Rotate-Anticlockwise", "Cross", "Properties Icon", "Shape-Align-Top-32",
                             "Shape-Align-Bottom-32", "Shape-Align-Left-32", "Shape-Align-Right-32",
                             "Shape-Align-Center-32", "Shape-Align-Middle-32", "Shape-Align-Height-32",
                             "Shape-Align-Width-32", "Shape-Align-JoinV-32", "Shape-Align-Join-32",
                             "Text-Align-Right", "Text-Align-Center", "Text-Align-Left", "airspace",
                             "firmwareinstall", "main_design_iconSQ"}) {
        const QString path = QStringLiteral(":/images/%1.png").arg(QLatin1String(name));
        QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
    }
}

void TestMainWindow::pagePropsForm()
{
    ScreenLayoutProps dialog;
    QCOMPARE(dialog.size(), QSize(400, 318));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Page properties"));
    // The check boxes follow the group box's layout among its children.
    const QObjectList children = dialog.EnabledBox()->children();
    QVERIFY(qobject_cast<QLayout*>(children.at(0)));
    for (int k = 0; k < 6; ++k) {
        auto* check = qobject_cast<QCheckBox*>(children.at(k + 1));
        QVERIFY(check);
        QCOMPARE(check->text(), QString::fromLatin1(ScreenLayoutProps::TriggerTexts[k]));
    }
    dialog.SetValues(QStringLiteral("Glide"), 0x2A, 1);
    QCOMPARE(dialog.GetPageName(), QStringLiteral("Glide"));
    QCOMPARE(dialog.GetTrigger(), 0x2A);
    QCOMPARE(dialog.GetDisabled(), 1);
    QVERIFY(!dialog.TriggerCheck(1)->isEnabled()); // greyed, state kept
    dialog.SetValues(QString(), 0x15, 0);
    QCOMPARE(dialog.GetTrigger(), 0x15);
    QCOMPARE(dialog.GetDisabled(), 0);
    QVERIFY(dialog.TriggerCheck(1)->isEnabled());
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

void TestMainWindow::applyWithoutChangesThenUndoRemovesElement()
{
    // The compass rose has no field row, so OK is accepted as it stands.
    DragSample(4, w->Page(0)->pos() + QPoint(30, 30));
    QCOMPARE(w->Elements().size(), 1);
    R8element* el = w->Elements().at(0);
    QCOMPARE(el->GetType(), int(R8_TYPE_COMPASS));
    w->PropertiesEditor()->ButtonBox()->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!el->IsNew());
    QCOMPARE(w->Undos().size(), 1);
    QCOMPARE(w->Elements().size(), 1);
    w->UnDo();
    QVERIFY(w->Elements().isEmpty());
    QVERIFY(w->Undos().isEmpty());
    w->UnDo(); // empty list: nothing happens
    QVERIFY(w->Elements().isEmpty());

    // An element listed after the one taken back keeps recording its own
    // changes under its new place in the list.
    DragSample(4, w->Page(0)->pos() + QPoint(30, 30));
    w->PropertiesEditor()->hide();
    R8element* later = w->Elements().value(w->AddElement(R8_TYPE_GRAPH));
    later->RestorePages(1);
    w->UnDo();
    QCOMPARE(w->Elements(), QList<R8element*>({later}));
    QCOMPARE(later->GetScreenElementIndex(), 0);
    later->SetPosition(QPoint(50, 60));
    QCOMPARE(w->Undos().size(), 1);
    QCOMPARE(w->Undos().at(0)->pElement.data(), later);
    w->UnDo();
    QCOMPARE(later->GetPosition(), QPoint(0, 0));
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
    const char* edges[] = {"actionAlignTop",    "actionAlignBottom", "actionAlignLeft",
                           "actionAlignRight",  "actionAlignCenter", "actionAlignMiddle",
                           "actionTextAlignLeft", "actionTextAlignCenter", "actionTextAlignRight"};
    const char* sizes[] = {"actionAlignHeight", "actionAlignWidth"};
    const char* joins[] = {"actionJoinHorizontal", "actionJoinVertical"};
    auto all = [this](const auto& names, bool on) {
        for (const char* n : names) {
            if (!Act(n) || Act(n)->isEnabled() != on) {
                qWarning() << n << "expected" << on;
                return false;
            }
        }
        return true;
    };
    QAction* props = Act("actionProperties");

    // Created disabled.
    QVERIFY(all(edges, false) && all(sizes, false) && all(joins, false));
    QVERIFY(!props->isEnabled());

    w->MultiSelect(1); // joins and sizes keep their (disabled) state
    QVERIFY(all(edges, true) && all(sizes, false) && all(joins, false));
    QVERIFY(props->isEnabled());

    w->MultiSelect(2);
    QVERIFY(all(edges, true) && all(sizes, true) && all(joins, true));
    QVERIFY(!props->isEnabled());

    w->MultiSelect(1); // joins and sizes keep their (enabled) state
    QVERIFY(all(edges, true) && all(sizes, true) && all(joins, true));
    QVERIFY(props->isEnabled());

    w->MultiSelect(3);
    QVERIFY(all(edges, true) && all(sizes, true) && all(joins, false));
    QVERIFY(!props->isEnabled());

    w->MultiSelect(0);
    QVERIFY(all(edges, false) && all(sizes, false) && all(joins, false));
    QVERIFY(!props->isEnabled());

    // The canvas's own signal drives it: a drop selects one element.
    DragSample(0, w->Page(0)->pos() + QPoint(10, 10));
    QVERIFY(all(edges, true) && props->isEnabled());
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
    QCOMPARE(ScreenLayoutProps::TriggerTexts[5], "Power up");
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
    ScreenThumb* thumb = w->Thumb(2);
    QCOMPARE(thumb->size(), QSize(48, 64));
    w->UpdateLayouts(1u << 2);
    QCOMPARE(thumb->Picture().height(), thumb->width() - 2);
    const QImage before = thumb->Picture().toImage();
    const int i = w->AddElement(R8_TYPE_GRAPH);
    w->Elements().at(i)->RestorePages(1u << 2);
    w->UpdateLayouts(1u << 2);
    QVERIFY(thumb->Picture().toImage() != before);
    // Another page's picture is not touched.
    const QImage other = w->Thumb(3)->Picture().toImage();
    w->UpdateLayouts(1u << 2);
    QCOMPARE(w->Thumb(3)->Picture().toImage(), other);
    // Thumbnails sit in two columns of eight beside the canvas.
    QCOMPARE(w->Thumb(3)->x() - w->Thumb(2)->x(), 48);
    QCOMPARE(w->Thumb(4)->y() - w->Thumb(2)->y(), 64);
    QCOMPARE(w->Page(0)->x() - w->Thumb(0)->mapTo(w, QPoint()).x(), 130);
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

void TestMainWindow::quitDuringTransferDoesNotHang()
{
    // With no instrument the batch fails at once and then pauses before it
    // reports its end; the window goes away inside that pause.
    const int i = w->AddElement(R8_TYPE_DATAFIELD);
    w->Elements().at(i)->RestorePages(1);
    TestEnv::SendAnywayOnNextPrompt();
    w->SendToDevice();
    QVERIFY(!Act("actionSend")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(w->ProgressDialog()->isVisible(), 5000);
    QElapsedTimer t;
    t.start();
    delete w;
    w = nullptr;
    QVERIFY2(t.elapsed() < 4000, "the worker was not stopped");
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
