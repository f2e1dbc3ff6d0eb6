// Designing pages in the window: the image export paints what r8tool render
// paints from the saved file, the layout check's list leads to its problem,
// a send with problems asks first, and the grid reaches every page.
#include "layoutcheckdock.h"
#include "mainwindow.h"
#include "preferencesdialog.h"
#include "r8element.h"
#include "screenlayout.h"
#include "screenthumb.h"
#include "testsupport.h"
#include "zvcommandsender.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

class TestDesign : public QObject
{
    Q_OBJECT
    MainWindow* w = nullptr;
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }
    R8element* Place(int iType, QPoint pos, unsigned int uPages, int iField = 0)
    {
        R8element* el = w->Elements().at(w->AddElement(iType));
        el->RestorePosition(pos);
        el->RestorePages(uPages);
        if (iField)
            el->RestoreField(iField);
        return el;
    }
    // Equal but for the anti-aliased rim of the large page number, whose
    // shading depends on what the process has drawn before: no pixel may
    // differ by more than a shade (a selection pattern, a moved element or
    // another zoom differ by far more).
    static bool SameImages(const QString& a, const QString& b)
    {
        const QImage x = QImage(a).convertToFormat(QImage::Format_ARGB32);
        const QImage y = QImage(b).convertToFormat(QImage::Format_ARGB32);
        if (x.isNull() || x.size() != y.size())
            return false;
        for (int row = 0; row < x.height(); ++row)
            for (int col = 0; col < x.width(); ++col) {
                const QRgb p = x.pixel(col, row);
                const QRgb q = y.pixel(col, row);
                if (qAbs(qRed(p) - qRed(q)) > 48 || qAbs(qGreen(p) - qGreen(q)) > 48
                    || qAbs(qBlue(p) - qBlue(q)) > 48)
                    return false;
            }
        return true;
    }
    static int Render(const QStringList& args)
    {
        QProcess tool;
        tool.start(TestEnv::ToolPath("R8TOOL"), QStringList{QStringLiteral("render")} + args);
        return tool.waitForFinished(60000) ? tool.exitCode() : -1;
    }

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }
    void init()
    {
        w = new MainWindow;
        // Two overlapping boxes on page 3; an altitude box and a dial on
        // page 0 (the dial also on page 2, selected: no selection in pictures).
        Place(R8_TYPE_DATAFIELD, QPoint(10, 10), 1, 33);
        R8element* dial = Place(R8_TYPE_DIAL, QPoint(20, 120), 0x5, 105);
        Place(R8_TYPE_DATAFIELD, QPoint(0, 200), 0x8, 33);
        Place(R8_TYPE_DATAFIELD, QPoint(30, 210), 0x8, 147);
        w->Page(0)->SelectElement(dial);
        w->Thumb(2)->SetName(QStringLiteral("Glide"));
        w->Thumb(5)->SetDisabled(1);
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
    }

    void exportPaintsAsRenderTool()
    {
        QVERIFY(w->Save(Path(QStringLiteral("layout.zvl"))));
        QString message;
        QVERIFY2(w->ExportPageImage(Path(QStringLiteral("page.png")), 1.5f, &message), qPrintable(message));
        QCOMPARE(Render({Path(QStringLiteral("layout.zvl")), QStringLiteral("--page"), QStringLiteral("0"),
                         QStringLiteral("--zoom"), QStringLiteral("1.5"), QStringLiteral("-o"),
                         Path(QStringLiteral("tool.png"))}),
                 0);
        QVERIFY(SameImages(Path(QStringLiteral("page.png")), Path(QStringLiteral("tool.png"))));

        QVERIFY2(w->ExportAllPages(Path(QStringLiteral("all")), 1.0f, &message), qPrintable(message));
        QCOMPARE(Render({Path(QStringLiteral("layout.zvl")), QStringLiteral("--all"), QStringLiteral("--zoom"),
                         QStringLiteral("1"), QStringLiteral("-o"), Path(QStringLiteral("tool-all"))}),
                 0);
        const QStringList files = QDir(Path(QStringLiteral("all"))).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 17);
        for (const QString& file : files)
            QVERIFY2(SameImages(Path(QStringLiteral("all/") + file), Path(QStringLiteral("tool-all/") + file)),
                     qPrintable(file));

        // A folder that cannot be made: a message, no crash.
        QFile blocker(Path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(!w->ExportAllPages(Path(QStringLiteral("blocker/sub")), 1.0f, &message));
        QVERIFY(!message.isEmpty());
    }

    // Activating a row shows its page with the problem's elements selected.
    void checkRowLeadsToProblem()
    {
        w->CheckLayout();
        LayoutCheckDock* dock = w->CheckDock();
        QVERIFY(dock->isVisible());
        QTreeWidget* list = dock->List();
        QTreeWidgetItem* overlap = nullptr;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0) == QLatin1String("3") && !overlap)
                overlap = list->topLevelItem(i);
        QVERIFY(overlap);
        QVERIFY2(overlap->text(1).contains(QLatin1String("overlaps")), qPrintable(overlap->text(1)));
        emit list->itemActivated(overlap, 1);
        QCOMPARE(w->CurrentPage(), 3);
        QCOMPARE(R8selectedElements.size(), 2);
        QCOMPARE(R8selectedElements.at(0), w->Elements().at(2));

        // The list follows the edits: moving one box away ends the overlap.
        w->Elements().at(3)->SetPosition(QPoint(100, 100));
        QTRY_VERIFY(list->findItems(QStringLiteral("overlaps"), Qt::MatchContains, 1).isEmpty());
    }

    void sendWithProblemsAsksFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("sends");
        QTest::addColumn<bool>("listShown");
        QTest::newRow("cancel") << QStringLiteral("Cancel") << false << false;
        QTest::newRow("show problems") << QStringLiteral("Show problems") << false << true;
        QTest::newRow("send anyway") << QStringLiteral("Send &anyway") << true << false;
    }
    void sendWithProblemsAsksFirst()
    {
        QFETCH(QString, button);
        QFETCH(bool, sends);
        QFETCH(bool, listShown);
        QString asked;
        TestEnv::OnNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            asked = box->text() + QLatin1Char('\n') + box->detailedText();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == QString(button).remove(QLatin1Char('&')))
                    b->click();
        });
        w->SendToDevice();
        QVERIFY2(asked.contains(QLatin1String("page 3: ")), qPrintable(asked));
        QCOMPARE(!w->findChild<QAction*>(QStringLiteral("actionSend"))->isEnabled(), sends);
        QCOMPARE(w->CheckDock()->isVisible(), listShown);
        if (!sends)
            QCOMPARE(w->CommandSender()->QueuedCount(), 0);
    }

    // View > Show grid and Snap to grid set every page; the choice is kept.
    void gridReachesEveryPage()
    {
        QAction* show = w->findChild<QAction*>(QStringLiteral("actionShowGrid"));
        QAction* snap = w->findChild<QAction*>(QStringLiteral("actionSnapToGrid"));
        show->setChecked(true);
        snap->setChecked(true);
        for (int i = 0; i < R8_PAGE_COUNT; ++i) {
            QVERIFY(w->Page(i)->GetGrid().show && w->Page(i)->GetGrid().snap);
            QCOMPARE(w->Page(i)->GetGrid().size, 5);
        }
        // The page strip's picture leaves the grid out.
        w->Page(7)->SetGrid({10, false, false});
        const QImage plain = w->Page(7)->Picture().toImage();
        w->Page(7)->SetGrid({10, true, false});
        QCOMPARE(w->Page(7)->Picture().toImage(), plain);
        QVERIFY(w->Page(7)->grab().toImage() != plain);
    }

    // Shift+arrow in the window moves the selection ten pixels, one step.
    void shiftArrowStepsTen()
    {
        R8element* box = w->Elements().at(0);
        w->Page(0)->SelectElement(box);
        const int steps = w->undoStack()->index();
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
        QApplication::sendEvent(w, &right);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(w, &down);
        QCOMPARE(box->GetPosition(), QPoint(20, 11));
        QCOMPARE(w->undoStack()->index(), steps + 2);
    }

    // The grid size chosen in the preferences reaches the pages at once.
    void gridSizeFromPreferences()
    {
        TestEnv::OnNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<PreferencesDialog*>(modal);
            QVERIFY(dialog);
            dialog->GridSizeCombo()->setCurrentIndex(dialog->GridSizeCombo()->findData(8));
            dialog->accept();
        });
        w->PreferencesAction();
        QCOMPARE(PreferencesDialog::StoredGridSize(), 8);
        QCOMPARE(w->Page(11)->GetGrid().size, 8);
        QSettings(QStringLiteral("Zarvin"), QStringLiteral("R8designer")).remove(QStringLiteral("GridSize"));
        QCOMPARE(PreferencesDialog::StoredGridSize(), 5);
    }
};

QTEST_MAIN(TestDesign)
#include "test_design.moc"
