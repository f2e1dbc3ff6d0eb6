// The history on the real main window: Delete, Undo and Redo, the modified
// mark following the history, the properties editor taking back only its
// own element, and the selection staying on the page on screen.
#include "appglobals.h"
#include "mainwindow.h"
#include "r8element.h"
#include "r8elementprop.h"
#include "screenlayout.h"
#include "screenthumb.h"
#include "screenlayoutprops.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QUndoStack>
#include <QtTest>
#include <cmath>
#include <memory>

class TestHistory : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;
    QSettings settings;

    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QAction* Act(const char* name) const { return w->findChild<QAction*>(QLatin1String(name)); }
    R8element* Add(int iType, unsigned int uPages, QPoint pos)
    {
        R8element* el = w->Elements().at(w->AddElement(iType));
        el->RestorePages(uPages);
        el->RestorePosition(pos);
        return el;
    }
    // Three elements, the middle one on two pages, saved: a clean layout.
    QByteArray SavedLayout()
    {
        Add(R8_TYPE_DATAFIELD, 1, QPoint(10, 20))->RestoreField(33);
        Add(R8_TYPE_DIAL, 0x5, QPoint(100, 200));
        Add(R8_TYPE_GRAPH, 1, QPoint(5, 150));
        const QString path = Path("start.zvl");
        if (!w->Save(path))
            return {};
        w->loadFile(path);
        return Saved();
    }
    QByteArray Saved()
    {
        const QString path = Path("check.zvl");
        QFile f(path);
        return w->Save(path) && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Select(R8element* el) { w->Page(w->CurrentPage())->SelectElement(el); }
    R8elementProp* Editor() const { return w->PropertiesEditor(); }
    QPoint OnPage(QPoint p) const { return w->Page(0)->pos() + p; }

private slots:
    void initTestCase()
    {
        QVERIFY(TestEnv::LoadCatalogue() > 0);
        theSettings = &settings;
    }
    void init()
    {
        settings.clear(); // no recent files of another test
        w = std::make_unique<MainWindow>();
        w->show();
    }
    void cleanup() { w.reset(); }
    void cleanupTestCase()
    {
        settings.clear();
        theSettings = nullptr;
    }

    void deleteUndoRedoRestoreTheFile()
    {
        const QByteArray before = SavedLayout();
        QVERIFY(before.contains("<Object"));
        QVERIFY(!w->IsModified());
        R8element* middle = w->Elements().at(1);
        R8element* first = w->Elements().at(0);
        first->ElementSelect(1);
        middle->ElementSelect(1);
        R8selectedElements = {middle, first};
        Act("actionDelete")->trigger();
        QCOMPARE(w->Elements().size(), 1);
        QVERIFY(R8selectedElements.isEmpty());
        QVERIFY(w->IsModified());
        QVERIFY(w->isWindowModified());
        QVERIFY(!Saved().contains("ID=\"53248\""));

        Act("actionUndo")->trigger(); // one step brings both back, in place
        QCOMPARE(w->Elements(), QList<R8element*>({first, middle, w->Elements().at(2)}));
        QCOMPARE(middle->GetScreenElementIndex(), 1);
        QCOMPARE(Saved(), before);
        QVERIFY(Act("actionRedo")->isEnabled());
        Act("actionRedo")->trigger();
        QCOMPARE(w->Elements().size(), 1);
        Act("actionUndo")->trigger();
        QCOMPARE(Saved(), before);
        QVERIFY(Act("actionRedo")->isEnabled());
    }

    void modifiedFollowsTheHistory()
    {
        SavedLayout();
        R8element* el = w->Elements().at(0);
        el->SetPosition(QPoint(30, 30));
        QVERIFY(w->IsModified());
        w->UnDo();
        QVERIFY(!w->IsModified()); // back at the loaded point
        w->ReDo();
        QVERIFY(w->IsModified());
        QVERIFY(w->Save(Path("start.zvl")));
        QVERIFY(!w->IsModified() && !w->isWindowModified());
        el->SetPosition(QPoint(40, 40));
        w->UnDo();
        QVERIFY(!w->IsModified());
        QCOMPARE(el->GetPosition(), QPoint(30, 30));
        // A new change empties what could be redone.
        w->UnDo();
        el->SetPosition(QPoint(50, 50));
        QVERIFY(!w->undoStack()->canRedo());
        QVERIFY(!Act("actionRedo")->isEnabled());
        const QList<QKeySequence> keys = Act("actionRedo")->shortcuts();
        QVERIFY(keys.contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
        QVERIFY(keys.contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
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
        const QByteArray before = SavedLayout();
        w->DropSample(R8_TYPE_COMPASS, OnPage(QPoint(60, 60)));
        QCOMPARE(w->Elements().size(), 4);
        QVERIFY(Editor()->isVisible());
        if (frameClose)
            Editor()->close();
        else
            Editor()->ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(w->Elements().size(), 3);
        QVERIFY(!w->IsModified());
        QVERIFY(!w->undoStack()->canRedo()); // a cancelled drop is not redone
        QCOMPARE(Saved(), before);
    }

    void cancelTakesBackOnlyItsOwnElement()
    {
        SavedLayout();
        R8element* other = w->Elements().at(0);
        // Closed by the frame: the drop is gone, nothing else.
        w->DropSample(R8_TYPE_COMPASS, OnPage(QPoint(60, 60)));
        Editor()->close();
        other->SetPosition(QPoint(70, 80));
        w->EditElement(other);
        Editor()->ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(other->GetPosition(), QPoint(70, 80));
        QCOMPARE(w->Elements().size(), 3);

        // Another element moved while the dropped one's editor was open.
        w->DropSample(R8_TYPE_COMPASS, OnPage(QPoint(60, 60)));
        R8element* dropped = w->Elements().last();
        other->SetPosition(QPoint(90, 100));
        Editor()->ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        QVERIFY(!w->Elements().contains(dropped));
        QCOMPARE(other->GetPosition(), QPoint(90, 100));
        w->UnDo(); // the removal first, then the move: one step each
        QVERIFY(w->Elements().contains(dropped));
        w->UnDo();
        QCOMPARE(other->GetPosition(), QPoint(70, 80));
    }

    void selectionStaysOnItsPage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("arrow key") << QStringLiteral("key");
        QTest::newRow("align") << QStringLiteral("actionAlignTop");
        QTest::newRow("delete") << QStringLiteral("actionDelete");
    }
    void selectionStaysOnItsPage()
    {
        QFETCH(QString, command);
        const QByteArray before = SavedLayout();
        R8element* el = w->Elements().at(0);
        Select(el);
        QCOMPARE(R8selectedElements.size(), 1);
        QTest::mouseClick(w->Thumb(1), Qt::LeftButton);
        QCOMPARE(w->CurrentPage(), 1);
        QVERIFY(R8selectedElements.isEmpty());
        QCOMPARE(el->IsSelected(), 0);
        // Even with the page's selection left behind, a command on page 1
        // does not reach page 0's element.
        el->ElementSelect(1);
        R8selectedElements = {el};
        if (command == QLatin1String("key")) {
            QTest::keyClick(w.get(), Qt::Key_Left);
        } else {
            QAction* act = Act(command.toLatin1().constData());
            act->setEnabled(true);
            act->trigger();
        }
        QCOMPARE(w->Elements().size(), 3);
        QVERIFY(!w->IsModified());
        QCOMPARE(Saved(), before);
    }

    void recentFileAsksFirst()
    {
        SavedLayout();
        QVERIFY(w->Save(Path("other.zvl")));
        w->loadFile(Path("other.zvl"));
        w->loadFile(Path("start.zvl")); // both on the recent list now
        R8element* el = w->Elements().at(0);
        el->SetPosition(QPoint(77, 66));
        QAction* recent = nullptr;
        for (QAction* act : w->findChildren<QAction*>())
            if (act->isVisible() && act->data().toString() == Path("other.zvl"))
                recent = act;
        QVERIFY(recent);
        QString asked;
        TestEnv::OnNextModal([&asked](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            asked = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        recent->trigger();
        QCOMPARE(asked, QStringLiteral("The layout has been modified."));
        QCOMPARE(w->Elements().value(0), el); // nothing replaced
        QCOMPARE(el->GetPosition(), QPoint(77, 66));
        QVERIFY(w->IsModified());
    }

    void newAndLoadResetPages()
    {
        SavedLayout();
        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[1] = {QStringLiteral("Climb"), 2, 1};
        pages[9] = {QStringLiteral("Glide"), 8, 0};
        w->SetPagesProps(pages);
        QFile part(Path("part.zvl"));
        QVERIFY(part.open(QIODevice::WriteOnly));
        part.write("<ZarvinLayout>\n    <Page PageID=\"1\" Name=\"Only\" PageTrig=\"4\" "
                   "Disabled=\"0\"/>\n</ZarvinLayout>\n");
        part.close();
        w->loadFile(Path("part.zvl"));
        QCOMPARE(w->PagesProps().at(1), (PageProps{QStringLiteral("Only"), 4, 0}));
        QCOMPARE(w->PagesProps().at(9), PageProps()); // not listed: default
        w->SetPagesProps(pages);
        w->NewLayout();
        QCOMPARE(w->PagesProps(), QVector<PageProps>(R8_PAGE_COUNT));
        QVERIFY(!w->IsModified());
    }

    void dialogRefusesRangesThatAreNoNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nan") << QStringLiteral("nan") << true;
        QTest::newRow("inf") << QStringLiteral("inf") << true;
        QTest::newRow("-inf") << QStringLiteral("-inf") << true;
        QTest::newRow("beyond float") << QStringLiteral("3e40") << true;
        QTest::newRow("number") << QStringLiteral("12.5") << false;
    }
    void dialogRefusesRangesThatAreNoNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        w->DropSample(R8_TYPE_DIAL, OnPage(QPoint(40, 40)));
        R8element* dial = w->Elements().last();
        Editor()->FieldCombo()->setCurrentIndex(Editor()->FieldCombo()->count() - 1);
        Editor()->MaxRangeEdit()->setText(text);
        QString shown;
        if (refused)
            TestEnv::OnNextModal([&shown](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    shown = box->text();
                    box->accept();
                }
            });
        Editor()->ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(shown.contains(QStringLiteral("finite")), refused);
        QCOMPARE(Editor()->isVisible(), refused);
        QVERIFY(std::isfinite(dial->GetRangeMax()));
        if (!refused)
            QCOMPARE(dial->GetRangeMax(), 12.5f);
    }

    void doubleClickOpensTheTopmost()
    {
        SavedLayout();
        R8element* top = w->Elements().at(0);   // drawn last, so on top
        R8element* below = w->Elements().at(2); // the graph at (5, 150)
        top->SetPosition(QPoint(20, 160));
        const QPoint at = (QPointF(25, 165) * w->Scale()).toPoint();
        QVERIFY(below->MyPathTranslated().contains(at) && top->MyPathTranslated().contains(at));
        QTest::mouseDClick(w->Page(0), Qt::LeftButton, Qt::NoModifier, at);
        QVERIFY(Editor()->isVisible());
        QCOMPARE(Editor()->GetEditElement(), top);
    }

    void undoneFieldShowsItsOldName()
    {
        w->DropSample(R8_TYPE_DATAFIELD, OnPage(QPoint(20, 20)));
        R8element* box = w->Elements().last();
        QComboBox* fields = Editor()->FieldCombo();
        fields->setCurrentIndex(fields->findData(33));
        Editor()->ButtonBox()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(box->GetFieldName(), QStringLiteral("Altitude"));
        w->UnDo(); // the field step: back to none, and no name painted
        QVERIFY(box->GetField() != 33);
        QCOMPARE(box->GetFieldName(), QString());
        w->ReDo();
        QCOMPARE(box->GetFieldName(), QStringLiteral("Altitude"));
    }

    void quitAsksAndDialogsStartInTheLastFolder()
    {
        SavedLayout(); // loaded from dir: the folder last used
        w->Elements().at(0)->SetPosition(QPoint(99, 99));
        QAction* quit = Act("actionQuit");
        QCOMPARE(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        TestEnv::OnNextModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            box->button(QMessageBox::Cancel)->click();
        });
        quit->trigger();
        QVERIFY(w->isVisible());
        QString startedIn;
        TestEnv::OnNextModal([&startedIn](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                startedIn = dialog->directory().absolutePath();
                dialog->reject();
            }
        });
        w->undoStack()->setClean(); // no prompt before the dialog
        w->OpenLayout();
        QCOMPARE(startedIn, QDir(dir.path()).absolutePath());
    }

    void pagePropertiesAreSteps()
    {
        SavedLayout();
        TestEnv::OnNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<ScreenLayoutProps*>(modal);
            QVERIFY(dialog);
            dialog->NameEdit()->setText(QStringLiteral("Glide"));
            dialog->accept();
        });
        QVERIFY(w->Thumb(3)->EditProperties());
        QVERIFY(w->IsModified());
        w->UnDo();
        QVERIFY(!w->IsModified());
        QVERIFY(w->PagesProps().at(3).Name != QStringLiteral("Glide"));
        w->ReDo();
        QCOMPARE(w->PagesProps().at(3).Name, QStringLiteral("Glide"));
    }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"
