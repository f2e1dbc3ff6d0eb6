// The layout document on the real main window: save, load, the recent-file
// list, the modified prompt, what a bad file or an unwritable target must
// not do to the pilot's work, and the recovery copy nothing a crash can
// take: it follows the modified layout, a copy left by a killed run is
// offered and restored under its own file name, two running designers
// never share a copy.
#include "appglobals.h"
#include "recoveryfile.h"
#include "windowhost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>

using namespace WindowHost;
using TestEnv::ReadFile;
using TestEnv::WriteFile;

namespace {

// The files a designer killed while editing leaves behind.
void LeaveDeadCopy(const QByteArray& layout, const QString& original)
{
    const QString base = RecoveryFile().Folder() + QLatin1String("/recovery-2147480.zvl");
    QVERIFY(QDir().mkpath(RecoveryFile().Folder()));
    QVERIFY(WriteFile(base, layout));
    QVERIFY(WriteFile(base + QLatin1String(".name"), original.toUtf8()));
    QVERIFY(WriteFile(base + QLatin1String(".lock"),
                      "2147480\nR8designer\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;
    QSettings settings;

    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    // The sample layout, changed since it was loaded; gives its bytes.
    QByteArray MakeLayout()
    {
        SampleLayout(*w);
        w->Elements().at(0)->SetPosition(QPoint(10, 20));
        return Content(*w);
    }
    QStringList Recent() const { return settings.value(QStringLiteral("recentFileList")).toStringList(); }
    QAction* RecentAction(const QString& path) const
    {
        for (QAction* act : w->findChildren<QAction*>())
            if (act->isVisible() && act->data().toString() == path)
                return act;
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TestEnv::LoadCatalogue() > 0);
        theSettings = &settings;
    }
    void init()
    {
        settings.clear();
        w = std::make_unique<MainWindow>();
    }
    void cleanup()
    {
        w.reset();
        QDir(RecoveryFile().Folder()).removeRecursively();
    }
    void cleanupTestCase() { theSettings = nullptr; }

    void layoutExtension()
    {
        QCOMPARE(MainWindow::WithLayoutExtension(QStringLiteral("/a/flight")), QStringLiteral("/a/flight.zvl"));
        QCOMPARE(MainWindow::WithLayoutExtension(QStringLiteral("/a/f.XML")), QStringLiteral("/a/f.XML.zvl"));
        QCOMPARE(MainWindow::WithLayoutExtension(QStringLiteral("/a/f.xml")), QStringLiteral("/a/f.xml"));
    }

    void saveAndReopenFromRecentList()
    {
        const QByteArray made = MakeLayout();
        const QString path = Path("flight.zvl");
        QVERIFY(w->Save(path));
        QVERIFY(!w->IsModified());
        QCOMPARE(ReadFile(path), made);
        w->loadFile(path); // puts it on the recent list
        w->NewLayout();
        QCOMPARE(Content(*w), LayoutFile::Write({}, QVector<PageProps>(R8_PAGE_COUNT)));
        QVERIFY(w->Undos().isEmpty());
        RecentAction(path)->trigger();
        QCOMPARE(Content(*w), made);
        QVERIFY(!w->IsModified());

        // A file that lists some pages only: the others are default pages,
        // not what the layout before had.
        const QString part = Path("part.zvl");
        QVERIFY(WriteFile(part, "<ZarvinLayout>\n    <Page PageID=\"1\" Name=\"Only\" PageTrig=\"4\" "
                                "Disabled=\"0\"/>\n</ZarvinLayout>\n"));
        w->loadFile(part);
        QCOMPARE(w->PagesProps().at(1), (PageProps{QStringLiteral("Only"), 4, 0}));
        QCOMPARE(w->PagesProps().at(5), PageProps());
    }

    void malformedFileLeavesLayoutAndFileAlone()
    {
        const QByteArray before = MakeLayout();
        const QString path = Path("broken.zvl");
        const QByteArray broken = "<ZarvinLayout>\n    <Page PageID=\"0\" Name=\"x\"/>\n    <Object ID=\"1\"\n";
        QVERIFY(WriteFile(path, broken));
        QString text;
        AnswerNextBox(QStringLiteral("OK"), &text);
        w->loadFile(path);
        QVERIFY2(text.contains(QStringLiteral("broken.zvl")) && text.contains(QStringLiteral("Line 4")),
                 qPrintable(text));
        QCOMPARE(Content(*w), before);
        QVERIFY(w->IsModified());
        QVERIFY(Recent().isEmpty());
        QCOMPARE(ReadFile(path), broken);
        QVERIFY(!w->windowTitle().contains(QStringLiteral("broken.zvl"))); // not the layout's file
    }

    void unwritableTargetKeepsModifiedFlag()
    {
        MakeLayout();
        const QString target = Path("missing-folder/flight.zvl");
        QString text;
        AnswerNextBox(QStringLiteral("OK"), &text);
        QVERIFY(!w->Save(target));
        QVERIFY(text.contains(QStringLiteral("flight.zvl")));
        QVERIFY(w->IsModified());
        QVERIFY(!QFile::exists(target));
        // A file in a folder that takes no new files is not written in place.
        const QString existing = Path("ro/old.zvl");
        QVERIFY(QDir().mkpath(Path("ro")) && WriteFile(existing, "<ZarvinLayout/>\n"));
        QFile::setPermissions(Path("ro"), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(Path("ro")).isWritable())
            QSKIP("running with rights that ignore folder permissions");
        AnswerNextBox(QStringLiteral("OK"));
        QVERIFY(!w->Save(existing));
        QCOMPARE(ReadFile(existing), QByteArray("<ZarvinLayout/>\n"));
        QFile::setPermissions(Path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void recentListKeepsFiveNewestFirst()
    {
        QStringList paths;
        for (int i = 0; i < 6; ++i) {
            paths << Path(QByteArray("f" + QByteArray::number(i) + ".zvl").constData());
            QVERIFY(WriteFile(paths.last(), "<ZarvinLayout/>"));
            w->loadFile(paths.last());
        }
        w->loadFile(paths[3]);
        QCOMPARE(Recent(), (QStringList{paths[3], paths[5], paths[4], paths[2], paths[1]}));
        QVERIFY(RecentAction(paths[1]) && !RecentAction(paths[0]));
        QString startedIn; // the file dialogs start in the folder last used
        OnNextDialog<QFileDialog>([&startedIn](QFileDialog* dialog) {
            startedIn = dialog->directory().absolutePath();
            dialog->reject();
        });
        w->OpenLayout();
        QCOMPARE(startedIn, QDir(dir.path()).absolutePath());
    }

    // Cancel keeps the unsaved layout, Discard drops it, Save writes it to
    // its file first; a recent file, Quit and closing ask too.
    void modifiedPromptAnswers()
    {
        const QString path = Path("prompt.zvl");
        QVERIFY(WriteFile(path, "<ZarvinLayout/>"));
        w->loadFile(path);
        const QByteArray made = MakeLayout();
        AnswerNextBox(QStringLiteral("Cancel"));
        RecentAction(path)->trigger();
        AnswerNextBox(QStringLiteral("Cancel"));
        Act(*w, "actionQuit")->trigger();
        QVERIFY(w->IsModified());
        QCOMPARE(Content(*w), made);
        AnswerNextBox(QStringLiteral("Cancel"));
        QCloseEvent refused;
        QApplication::sendEvent(w.get(), &refused);
        QVERIFY(!refused.isAccepted());
        QVERIFY(!settings.contains(QStringLiteral("FileToolBarVisible")));

        AnswerNextBox(QStringLiteral("Save"));
        QVERIFY(w->AboutToLooseLayout());
        QCOMPARE(ReadFile(path), made);
        MakeLayout();
        AnswerNextBox(QStringLiteral("Discard"));
        QCloseEvent accepted;
        QApplication::sendEvent(w.get(), &accepted);
        QVERIFY(accepted.isAccepted());
        QVERIFY(settings.value(QStringLiteral("FileToolBarVisible")).toBool());
    }

    void copyFollowsTheModifiedLayout()
    {
        const QString copy = w->Recovery().Path();
        R8element* el = Place(*w, R8_TYPE_DIAL, QPoint(0, 0), 1);
        el->SetPosition(QPoint(33, 44));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 5000);
        QVERIFY(ReadFile(copy).contains("X=\"33\""));
        w->UnDo(); // back where the history started: nothing to recover
        QVERIFY(!QFile::exists(copy));
        w->ReDo();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 5000);
        QVERIFY(w->Save(dir.filePath(QStringLiteral("saved.zvl"))));
        QVERIFY(!QFile::exists(copy));
        el->SetPosition(QPoint(50, 60));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 5000);
        // A second designer (the same process stands in for it) cannot take
        // this one's copy, nor see it as left behind.
        RecoveryFile other(RecoveryFile().Folder());
        QString error;
        QVERIFY(!other.Write("<ZarvinLayout/>", QString(), &error));
        QVERIFY(other.StaleFiles().isEmpty());
        w.reset(); // a normal end
        QVERIFY(!QFile::exists(copy));
    }

    // A copy a killed run left is dropped for good, or restored.
    void killedRunIsDiscardedOrRestored()
    {
        const QString original = dir.filePath("flight.zvl");
        const QByteArray edited = MakeLayout();
        w.reset();
        w = std::make_unique<MainWindow>(); // the next run
        LeaveDeadCopy("<ZarvinLayout/>\n", QString());
        AnswerNextBox("Discard");
        w->OfferRecovery();
        QVERIFY(w->Recovery().StaleFiles().isEmpty() && !w->IsModified());
        LeaveDeadCopy(edited, original);
        OnNextDialog<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("Restore"));
            box->defaultButton()->click();
        });
        w->OfferRecovery();
        QCOMPARE(Content(*w), edited);
        QVERIFY(w->IsModified());
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("flight.zvl")));
        QVERIFY(w->Recovery().StaleFiles().isEmpty()); // taken over by this run
        w->SaveLayouts();                              // no dialog: the layout has its file again
        QCOMPARE(ReadFile(original), edited);
        QVERIFY(!w->IsModified());
    }
};

QTEST_MAIN(TestDocument)
#include "test_document.moc"
