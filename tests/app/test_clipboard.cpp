// Copies of elements and pages in the window: what a paste puts where, what
// the saved file then holds, and that each change is one step undone back
// to the very same file.
#include "copypagedialog.h"
#include "layoutfile.h"
#include "mainwindow.h"
#include "r8element.h"
#include "screenlayout.h"
#include "screenthumb.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMimeData>
#include <QPushButton>
#include <QUndoStack>
#include <QtTest>

class TestClipboard : public QObject
{
    Q_OBJECT
    MainWindow* w = nullptr;
    QTemporaryDir dir;
    R8element* box = nullptr;
    R8element* dial = nullptr;

    R8element* Place(int iType, QPoint pos, unsigned int uPages, int iField)
    {
        R8element* el = w->Elements().at(w->AddElement(iType));
        el->RestorePosition(pos);
        el->RestorePages(uPages);
        el->RestoreField(iField);
        return el;
    }
    QByteArray Saved(const char* name)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        return w->Save(path) && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    LayoutFile::Content SavedContent(const char* name)
    {
        LayoutFile::Content content;
        LayoutFile::Parse(Saved(name), &content, nullptr);
        return content;
    }
    void Select(const QList<R8element*>& elements) { w->Page(w->CurrentPage())->SelectOnly(elements); }
    void ShowPage(int i) { w->SelectPage(w->Page(i)); }
    int Steps() const { return w->undoStack()->index(); }

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }
    void init()
    {
        w = new MainWindow;
        // An altitude box with its own attributes and range on page 0, a
        // vario dial on pages 0 and 2; page 1 named, page 5 triggered and
        // disabled.
        box = Place(R8_TYPE_DATAFIELD, QPoint(12, 30), 0x1, 33);
        box->RestoreAttribs(R8_ATTR_BORDER | R8_ATTR_CENTER | 1);
        box->SetRangeMin(-3.0f);
        dial = Place(R8_TYPE_DIAL, QPoint(100, 150), 0x5, 105);
        w->Thumb(1)->SetName(QStringLiteral("Glide"));
        w->Thumb(5)->SetTrigger(2);
        w->Thumb(5)->SetDisabled(1);
        w->undoStack()->clear();
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
    }

    void copyPasteOntoAnotherPage()
    {
        Select({box});
        w->CopyElements();
        ShowPage(4);
        w->PasteElements();
        QCOMPARE(Steps(), 1);
        QCOMPARE(R8selectedElements.size(), 1); // the pasted element, selected
        QVERIFY(R8selectedElements.first() != box);

        const LayoutFile::Content saved = SavedContent("pasted.zvl");
        QCOMPARE(saved.objects.size(), 3);
        LayoutFile::ObjectRecord original = saved.objects.at(0);
        LayoutFile::ObjectRecord copy = saved.objects.at(2);
        QCOMPARE(original.Screens, 0x1);
        QCOMPARE(copy.Screens, 0x10); // on the page shown only, at the same place
        copy.Screens = original.Screens;
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&copy), sizeof copy),
                 QByteArray(reinterpret_cast<const char*>(&original), sizeof original));
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
        QCOMPARE(w->Elements().size(), 8);
        QCOMPARE(w->Elements().at(2)->GetPosition(), QPoint(20, 38));
        QCOMPARE(w->Elements().at(3)->GetPosition(), QPoint(108, 158));
        QCOMPARE(w->Elements().at(4)->GetPosition(), QPoint(28, 46));
        QCOMPARE(w->Elements().at(6)->GetPosition(), QPoint(36, 54));
        QCOMPARE(w->Elements().at(7)->OnPages(), 0x1u);
        w->undoStack()->undo();
        QCOMPARE(w->Elements().size(), 6);
    }

    void cutThenUndoGivesTheSameFile()
    {
        const QByteArray before = Saved("before.zvl");
        Select({dial});
        w->CutElements();
        QCOMPARE(w->Elements().size(), 1);
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(QLatin1String(LayoutFile::kFragmentMimeType)));
        QVERIFY(QApplication::clipboard()->text().contains(QLatin1String("ID=\"53248\"")));
        w->undoStack()->undo();
        QCOMPARE(Saved("after.zvl"), before);
        w->undoStack()->redo();
        QCOMPARE(w->Elements().size(), 1);
    }

    void foreignPasteDoesNothing_data()
    {
        QTest::addColumn<QString>("mime");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("words") << QStringLiteral("text/plain") << QByteArray("Thermal at 1200 m");
        QTest::newRow("html") << QStringLiteral("text/html") << QByteArray("<b>Object</b>");
        QTest::newRow("image") << QStringLiteral("image/png") << QByteArray("\x89PNG\r\n");
        QTest::newRow("cut-off fragment")
            << QString::fromLatin1(LayoutFile::kFragmentMimeType) << QByteArray("<ZarvinLayout><Object ID=\"1\"");
        QTest::newRow("other document") << QStringLiteral("text/plain")
                                        << QByteArray("<svg><Object ID=\"1\" X=\"5\"/></svg>");
    }
    void foreignPasteDoesNothing()
    {
        QFETCH(QString, mime);
        QFETCH(QByteArray, data);
        auto* content = new QMimeData;
        content->setData(mime, data);
        QApplication::clipboard()->setMimeData(content);
        const QByteArray before = Saved("before.zvl");
        w->PasteElements();
        QCOMPARE(Steps(), 0);
        QCOMPARE(Saved("after.zvl"), before);
    }

    // Copy page 0 to pages 3 and 5 (shown there, or copies), undo once: the
    // file is the original again.
    void copyPageIsOneStep_data()
    {
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("shown on") << false;
        QTest::newRow("copies") << true;
    }
    void copyPageIsOneStep()
    {
        QFETCH(bool, duplicate);
        const QByteArray before = Saved("before.zvl");
        w->CopyPage(0, (1u << 3) | (1u << 5), duplicate);
        QCOMPARE(Steps(), 1);
        const LayoutFile::Content copied = SavedContent("copied.zvl");
        if (duplicate) {
            QCOMPARE(copied.objects.size(), 6);
            QCOMPARE(copied.objects.at(2).Screens, 1 << 3);
            QCOMPARE(copied.objects.at(5).Screens, 1 << 5);
            QCOMPARE(copied.objects.at(5).FieldID, 105);
        } else {
            QCOMPARE(copied.objects.size(), 2);
            QCOMPARE(copied.objects.at(0).Screens, 0x29);
            QCOMPARE(copied.objects.at(1).Screens, 0x2D);
        }
        w->undoStack()->undo();
        QCOMPARE(Saved("after.zvl"), before);
    }

    // The dialog of "Copy page to...": never the page itself, nothing to
    // confirm until a page is chosen.
    void copyPageDialogChoices()
    {
        CopyPageDialog dialog(2);
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled());
        dialog.SetPages(0xFFFF);
        QCOMPARE(dialog.Pages(), 0xFFFBu);
        QVERIFY(ok->isEnabled());
        QVERIFY(!dialog.Duplicate());
        dialog.SetDuplicate(true);
        QVERIFY(dialog.Duplicate());
        dialog.SetPages(0x4);
        QCOMPARE(dialog.Pages(), 0u);
        QVERIFY(!ok->isEnabled());
    }

    void clearAndSwapAreOneStep()
    {
        const QByteArray before = Saved("before.zvl");
        w->ClearPage(0); // the box goes, the dial stays on page 2
        QCOMPARE(Steps(), 1);
        QCOMPARE(w->Elements().size(), 1);
        QCOMPARE(w->Elements().first()->OnPages(), 0x4u);
        w->undoStack()->undo();
        QCOMPARE(Saved("undone.zvl"), before);

        w->SwapPages(2, 5);
        QCOMPARE(Steps(), 1);
        QCOMPARE(dial->OnPages(), 0x21u);
        QCOMPARE(w->Thumb(2)->GetTrigger(), 2);
        QCOMPARE(w->Thumb(2)->GetDisabled(), 1);
        QCOMPARE(w->Thumb(5)->GetDisabled(), 0);
        w->SwapPages(1, 4);
        QCOMPARE(w->Thumb(4)->GetName(), QStringLiteral("Glide"));
        w->undoStack()->undo();
        w->undoStack()->undo();
        QCOMPARE(Saved("swapped-back.zvl"), before);
        w->SwapPages(7, 8); // two empty pages alike: no step
        QCOMPARE(Steps(), 0);
    }
};

QTEST_MAIN(TestClipboard)
#include "test_clipboard.moc"
