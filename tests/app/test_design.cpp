// Designing pages in the window: copies of elements and pages (what a
// paste puts where, what the saved file then holds, each change one step
// undone back to the very same file), the image export painting what
// r8tool render paints from the saved file, the layout check's list leading
// to its problem, a send with problems asking first (an empty one refused),
// and the grid reaching every page.
#include "copypagedialog.h"
#include "layoutcheckdock.h"
#include "preferencesdialog.h"
#include "screenlayout.h"
#include "screenthumb.h"
#include "windowhost.h"
#include "zvcommandsender.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QUndoStack>

using namespace WindowHost;

class TestDesign : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;
    R8element* box = nullptr;
    R8element* dial = nullptr;
    QByteArray start;

    LayoutFile::Content Parsed() const
    {
        LayoutFile::Content content;
        LayoutFile::Parse(Content(*w), &content, nullptr);
        return content;
    }
    void Select(const QList<R8element*>& elements) { w->Page(w->CurrentPage())->SelectOnly(elements); }
    int Steps() const { return w->undoStack()->index(); }
    // Undoing every step gives the layout of the start again.
    void UndoAllGivesTheStart()
    {
        while (w->undoStack()->canUndo())
            w->undoStack()->undo();
        QCOMPARE(Content(*w), start);
    }

    // Equal but for the anti-aliased rim of the large page number, whose
    // shading depends on what the process has drawn before: no colour may
    // differ by more than a shade (a selection pattern, a moved element or
    // another zoom differ by far more).
    bool SameImages(const QString& a, const QString& b) const
    {
        const QImage x = QImage(dir.filePath(a)).convertToFormat(QImage::Format_ARGB32);
        const QImage y = QImage(dir.filePath(b)).convertToFormat(QImage::Format_ARGB32);
        for (qsizetype i = 0; x.size() == y.size() && !x.isNull() && i < x.sizeInBytes(); ++i)
            if (qAbs(x.constBits()[i] - y.constBits()[i]) > 48)
                return false;
        return x.size() == y.size() && !x.isNull();
    }

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }
    void init()
    {
        w = std::make_unique<MainWindow>();
        start = SampleLayout(*w);
        box = w->Elements().at(0);
        dial = w->Elements().at(1);
    }
    void cleanup() { w.reset(); }

    // A copy pasted onto the page shown is the original but for its page;
    // a cut is undone to the very same layout.
    void copyPasteAndCut()
    {
        Select({box});
        w->CopyElements();
        w->SelectPage(w->Page(4));
        w->PasteElements();
        QCOMPARE(Steps(), 1);
        QCOMPARE(R8selectedElements, QList<R8element*>{w->Elements().last()});
        LayoutFile::Content saved = Parsed();
        QCOMPARE(saved.objects.size(), 5);
        QCOMPARE(saved.objects[4].Screens, 0x10);
        saved.objects[4].Screens = saved.objects[0].Screens;
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&saved.objects[4]), sizeof saved.objects[4]),
                 QByteArray(reinterpret_cast<const char*>(&saved.objects[0]), sizeof saved.objects[0]));
        UndoAllGivesTheStart();
        w->SelectPage(w->Page(0));
        Select({dial});
        w->CutElements();
        QVERIFY(!w->Elements().contains(dial));
        QVERIFY(QApplication::clipboard()->text().contains(QLatin1String("ID=\"53248\"")));
        UndoAllGivesTheStart();
    }

    // On its own page a copy moves aside, once more for each copy already
    // there, and is a step of its own.
    void pasteOverItsOriginalMovesAside()
    {
        Select({box, dial});
        w->CopyElements();
        w->PasteElements();
        w->PasteElements();
        w->DuplicateElements(); // the second paste's copies, again aside
        QCOMPARE(Steps(), 3);
        QList<QPoint> places;
        for (const R8element* el : w->Elements())
            places << el->GetPosition();
        const QList<QPoint> expected = {{12, 30},   {100, 150}, {0, 200},   {30, 210}, {20, 38},
                                        {108, 158}, {28, 46},   {116, 166}, {36, 54},  {124, 174}};
        QCOMPARE(places, expected);
        QCOMPARE(w->Elements().at(9)->OnPages(), 0x1u);
    }

    // Nothing of another program's clipboard becomes part of the layout.
    void foreignPasteDoesNothing()
    {
        for (const char* mime : {"image/png", "text/plain"}) {
            auto* content = new QMimeData;
            content->setData(QLatin1String(mime), "<svg><Object ID=\"1\" X=\"5\"/></svg>");
            QApplication::clipboard()->setMimeData(content);
            w->PasteElements();
            QCOMPARE(Steps(), 0);
            QCOMPARE(Content(*w), start);
        }
    }

    // Copying page 0 to pages 4 and 5 (shown there, or copies), clearing
    // page 0 and swapping pages 2 and 5 (their properties too) are one step
    // each. Saved: each element's pages/field, then pages 2 and 5 as
    // trigger/disabled.
    void pageCommandIsOneStep_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("saved");
        QTest::newRow("copy page: shown on") << 0 << "31/33 35/105 8/33 8/147 0/0 2/1";
        QTest::newRow("copy page: copies") << 1 << "1/33 5/105 8/33 8/147 10/33 10/105 20/33 20/105 0/0 2/1";
        QTest::newRow("clear page") << 2 << "4/105 8/33 8/147 0/0 2/1";
        QTest::newRow("swap pages") << 3 << "1/33 21/105 8/33 8/147 2/1 0/0";
    }
    void pageCommandIsOneStep()
    {
        QFETCH(int, command);
        const std::function<void()> commands[] = {[this] { w->CopyPage(0, 0x30, false); },
                                                  [this] { w->CopyPage(0, 0x30, true); },
                                                  [this] { w->ClearPage(0); }, [this] { w->SwapPages(2, 5); }};
        commands[command]();
        QCOMPARE(Steps(), 1);
        QStringList saved;
        for (const LayoutFile::ObjectRecord& object : Parsed().objects)
            saved << QStringLiteral("%1/%2").arg(object.Screens, 0, 16).arg(object.FieldID);
        for (const PageProps& page : {w->PagesProps().at(2), w->PagesProps().at(5)})
            saved << QStringLiteral("%1/%2").arg(page.Trigger).arg(page.Disabled);
        QTEST(saved.join(QLatin1Char(' ')), "saved");
        w->SwapPages(7, 8); // two empty pages alike: no step
        QCOMPARE(Steps(), 1);
        UndoAllGivesTheStart();
    }

    // The dialog of "Copy page to...": never the page itself, nothing to
    // confirm until a page is chosen.
    void copyPageDialogChoices()
    {
        CopyPageDialog dialog(2);
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        dialog.SetPages(0xFFFF);
        QCOMPARE(dialog.Pages(), 0xFFFBu);
        QVERIFY(ok->isEnabled());
        dialog.SetPages(0x4);
        QCOMPARE(dialog.Pages(), 0u);
        QVERIFY(!ok->isEnabled());
    }

    void exportPaintsAsRenderTool()
    {
        w->Page(0)->SelectElement(dial); // no selection marks in pictures
        QVERIFY(w->Save(dir.filePath("l.zvl")));
        QString message;
        QVERIFY2(w->ExportPageImage(dir.filePath("page.png"), 1.5f, &message), qPrintable(message));
        QProcess tool;
        tool.start(TestEnv::ToolPath("R8TOOL"), {"render", dir.filePath("l.zvl"), "--page", "0", "--zoom", "1.5",
                                                 "-o", dir.filePath("tool.png")});
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        QVERIFY(SameImages("page.png", "tool.png"));
        // A folder that cannot be made: a message, no crash.
        QVERIFY(TestEnv::WriteFile(dir.filePath("blocker"), QByteArray()));
        QVERIFY(!w->ExportAllPages(dir.filePath("blocker/sub"), 1.0f, &message));
        QVERIFY(!message.isEmpty());
    }

    // Activating a row shows its page with the problem's elements selected;
    // the list follows the edits.
    void checkRowLeadsToProblem()
    {
        w->CheckLayout();
        QVERIFY(w->CheckDock()->isVisible());
        QTreeWidget* list = w->CheckDock()->List();
        const QList<QTreeWidgetItem*> overlaps = list->findItems(QStringLiteral("overlaps"), Qt::MatchContains, 1);
        QCOMPARE(overlaps.size(), 1);
        QCOMPARE(overlaps.first()->text(0), QStringLiteral("3"));
        emit list->itemActivated(overlaps.first(), 1);
        QCOMPARE(w->CurrentPage(), 3);
        QCOMPARE(R8selectedElements, (QList<R8element*>{w->Elements().at(2), w->Elements().at(3)}));
        w->Elements().at(3)->SetPosition(QPoint(100, 100));
        QTRY_VERIFY(list->findItems(QStringLiteral("overlaps"), Qt::MatchContains, 1).isEmpty());
    }

    // A send with problems asks first; one with nothing on a page refuses.
    void sendWithProblemsAsksFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("sends");
        QTest::addColumn<bool>("listShown");
        const QString problem = QStringLiteral("page 3: ");
        QTest::newRow("cancel") << QStringLiteral("Cancel") << problem << false << false;
        QTest::newRow("show problems") << QStringLiteral("Show problems") << problem << false << true;
        QTest::newRow("send anyway") << QStringLiteral("Send anyway") << problem << true << false;
        QTest::newRow("nothing on a page")
            << QStringLiteral("OK") << QStringLiteral("Layout has no elements!") << false << false;
    }
    void sendWithProblemsAsksFirst()
    {
        QFETCH(QString, button);
        QFETCH(QString, asked);
        QFETCH(bool, sends);
        if (button == QLatin1String("OK")) {
            w->CleanAllElements();
            Place(*w, R8_TYPE_DATAFIELD, QPoint(0, 0), 0); // on no page: does not count
        }
        QString text;
        AnswerNextBox(button, &text);
        w->SendToDevice();
        QVERIFY2(text.contains(asked), qPrintable(text));
        QCOMPARE(!Act(*w, "actionSend")->isEnabled(), sends);
        QVERIFY(sends || w->CommandSender()->QueuedCount() == 0);
        QTEST(w->CheckDock()->isVisible(), "listShown");
    }

    // Show grid, Snap to grid and the grid size chosen in the preferences
    // reach every page.
    void gridReachesEveryPage()
    {
        Act(*w, "actionShowGrid")->setChecked(true);
        Act(*w, "actionSnapToGrid")->setChecked(true);
        OnNextDialog<PreferencesDialog>([](PreferencesDialog* dialog) {
            dialog->GridSizeCombo()->setCurrentIndex(dialog->GridSizeCombo()->findData(8));
            dialog->accept();
        });
        w->PreferencesAction();
        QSettings(QStringLiteral("Zarvin"), QStringLiteral("R8designer")).remove(QStringLiteral("GridSize"));
        for (int i = 0; i < R8_PAGE_COUNT; ++i)
            QVERIFY(w->Page(i)->GetGrid().show && w->Page(i)->GetGrid().snap && w->Page(i)->GetGrid().size == 8);
    }
};

QTEST_MAIN(TestDesign)
#include "test_design.moc"
