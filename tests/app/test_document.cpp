// The layout document commands on the real main window: save, load, the
// recent-file list, the modified prompt and what a bad file or an
// unwritable target must not do to the pilot's work.
#include "appglobals.h"
#include "mainwindow.h"
#include "pageprops.h"
#include "r8element.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QSettings>
#include <QtTest>

namespace {

QString ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Answers the next message box with a button and remembers its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    TestEnv::OnNextModal([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        if (text)
            *text = box->text() + QLatin1Char('\n') + box->informativeText();
        box->button(button)->click();
    });
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT
    MainWindow* w = nullptr;
    QTemporaryDir dir;
    QSettings settings;

    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    // Two elements, one of them on two pages, and two named pages.
    void MakeLayout()
    {
        R8element* a = w->Elements().at(w->AddElement(R8_TYPE_DATAFIELD));
        a->RestorePages(1);
        a->SetField(33);
        a->SetPosition(QPoint(10, 20));
        R8element* b = w->Elements().at(w->AddElement(R8_TYPE_DIAL));
        b->RestorePages(0x5);
        b->SetPosition(QPoint(100, 200));
        QVector<PageProps> pages = w->PagesProps();
        pages[0].Name = QStringLiteral("Thermal");
        pages[2] = {QStringLiteral("Glide"), 32, 1};
        w->SetPagesProps(pages);
    }
    QStringList Recent() const { return settings.value(QStringLiteral("recentFileList")).toStringList(); }
    QList<QAction*> VisibleRecentActions() const
    {
        QList<QAction*> shown;
        for (QAction* act : w->findChildren<QAction*>())
            if (act->isVisible() && act->data().toString().startsWith(dir.path()))
                shown.append(act);
        return shown;
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
        w = new MainWindow;
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
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
        MakeLayout();
        const QString path = Path("flight.zvl");
        QVERIFY(w->Save(path));
        QVERIFY(!w->IsModified());
        const QString saved = ReadAll(path);
        QVERIFY(saved.startsWith(QStringLiteral("<ZarvinLayout>")));
        w->loadFile(path); // puts it on the recent list
        QCOMPARE(Recent(), QStringList{path});
        w->NewLayout();
        QVERIFY(w->Elements().isEmpty());
        QVERIFY(w->Undos().isEmpty());
        QCOMPARE(w->PagesProps().at(2), PageProps()); // New resets page properties
        const QList<QAction*> recent = VisibleRecentActions();
        QCOMPARE(recent.size(), 1);
        QCOMPARE(recent.first()->text(), QStringLiteral("&1 flight.zvl"));
        recent.first()->trigger();
        QCOMPARE(w->Elements().size(), 2);
        QCOMPARE(w->Elements().at(0)->GetPosition(), QPoint(10, 20));
        QCOMPARE(w->Elements().at(0)->GetField(), 33);
        QCOMPARE(w->Elements().at(1)->OnPages(), 0x5u);
        QCOMPARE(w->PagesProps().at(2).Trigger, 32u);
        QCOMPARE(w->PagesProps().at(2).Disabled, 1);
        QVERIFY(!w->IsModified());
        QCOMPARE(w->windowTitle(), QStringLiteral("flight.zvl[*] - Zarvin Designer"));
        // Saving again writes the same bytes.
        QVERIFY(w->Save(path));
        QCOMPARE(ReadAll(path), saved);
    }

    void malformedFileLeavesLayoutAndFileAlone()
    {
        MakeLayout();
        const QString path = Path("broken.zvl");
        const QByteArray broken = "<ZarvinLayout>\n    <Page PageID=\"0\" Name=\"x\"/>\n    <Object ID=\"1\"\n";
        WriteFile(path, broken);
        QString text;
        AnswerNextBox(QMessageBox::Ok, &text);
        w->loadFile(path);
        QVERIFY2(text.contains(QStringLiteral("broken.zvl")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Line 4")), qPrintable(text));
        QCOMPARE(w->Elements().size(), 2);
        QCOMPARE(w->PagesProps().at(0).Name, QStringLiteral("Thermal"));
        QVERIFY(w->IsModified());
        QVERIFY(Recent().isEmpty());
        QCOMPARE(ReadAll(path).toUtf8(), broken);
        // Save still goes to no file: the broken one did not become current.
        QVERIFY(!w->windowTitle().contains(QStringLiteral("broken.zvl")));
    }

    void unwritableTargetKeepsModifiedFlag()
    {
        MakeLayout();
        const QString target = Path("missing-folder/flight.zvl");
        QString text;
        AnswerNextBox(QMessageBox::Ok, &text);
        QVERIFY(!w->Save(target));
        QVERIFY(text.contains(QStringLiteral("flight.zvl")));
        QVERIFY(w->IsModified());
        QVERIFY(!QFile::exists(target));

        // An existing file that cannot be replaced stays as it was.
        const QString readOnlyDir = Path("ro");
        QVERIFY(QDir().mkpath(readOnlyDir));
        const QString existing = readOnlyDir + QLatin1String("/old.zvl");
        WriteFile(existing, "<ZarvinLayout/>\n");
        QFile::setPermissions(readOnlyDir, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(readOnlyDir).isWritable())
            QSKIP("running with rights that ignore folder permissions");
        AnswerNextBox(QMessageBox::Ok);
        QVERIFY(!w->Save(existing));
        QVERIFY(w->IsModified());
        QCOMPARE(ReadAll(existing), QStringLiteral("<ZarvinLayout/>\n"));
        QFile::setPermissions(readOnlyDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void recentListKeepsFiveNewestFirst()
    {
        QStringList paths;
        for (int i = 0; i < 6; ++i) {
            paths << Path(QByteArray("f" + QByteArray::number(i) + ".zvl").constData());
            WriteFile(paths.last(), "<ZarvinLayout/>");
            w->loadFile(paths.last());
        }
        QCOMPARE(Recent(), (QStringList{paths[5], paths[4], paths[3], paths[2], paths[1]}));
        w->loadFile(paths[3]);
        QCOMPARE(Recent(), (QStringList{paths[3], paths[5], paths[4], paths[2], paths[1]}));
        QCOMPARE(VisibleRecentActions().size(), 5);
    }

    void modifiedPromptAnswers()
    {
        MakeLayout();
        // Cancel: nothing happens.
        AnswerNextBox(QMessageBox::Cancel);
        QVERIFY(!w->AboutToLooseLayout());
        QVERIFY(w->IsModified());
        // Discard: go on without saving.
        AnswerNextBox(QMessageBox::Discard);
        w->NewLayout();
        QVERIFY(w->Elements().isEmpty());
        QVERIFY(!w->IsModified());
        // Save: writes the current file; true only once it is saved.
        MakeLayout();
        const QString path = Path("prompt.zvl");
        WriteFile(path, "<ZarvinLayout/>");
        w->loadFile(path);
        MakeLayout();
        AnswerNextBox(QMessageBox::Save);
        QVERIFY(w->AboutToLooseLayout());
        QVERIFY(!w->IsModified());
        QVERIFY(ReadAll(path).contains(QStringLiteral("<Object")));
    }

    void closeAsksAndStoresToolBarState()
    {
        MakeLayout();
        AnswerNextBox(QMessageBox::Cancel);
        QCloseEvent refused;
        QApplication::sendEvent(w, &refused);
        QVERIFY(!refused.isAccepted());
        QVERIFY(!settings.contains(QStringLiteral("FileToolBarVisible")));

        AnswerNextBox(QMessageBox::Discard);
        QCloseEvent accepted;
        QApplication::sendEvent(w, &accepted);
        QVERIFY(accepted.isAccepted());
        QCOMPARE(settings.value(QStringLiteral("FileToolBarVisible")).toBool(), true);
    }
};

QTEST_MAIN(TestDocument)
#include "test_document.moc"
