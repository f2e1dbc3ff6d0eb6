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
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QUndoStack>
#include <QtTest>
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
