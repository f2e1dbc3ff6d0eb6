// Nothing a crash can take: the recovery copy follows the modified layout,
// a copy left by a killed run is offered and restored under its own file
// name, two running designers never share a copy; and what start-up takes
// from the command line and says about a broken catalogue.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "r8element.h"
#include "recoveryfile.h"
#include "startup.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSysInfo>
#include <QtTest>
#include <memory>

namespace {

// The files a designer killed while editing leaves behind.
void LeaveDeadCopy(const QString& folder, const QByteArray& layout, const QString& original)
{
    QDir().mkpath(folder);
    const QString base = folder + QLatin1String("/recovery-2147480.zvl");
    const QList<QPair<QString, QByteArray>> files = {
        {base, layout},
        {base + QLatin1String(".name"), original.toUtf8()},
        {base + QLatin1String(".lock"), "2147480\nR8designer\n" + QSysInfo::machineHostName().toUtf8() + "\n"}};
    for (const auto& f : files) {
        QFile file(f.first);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(f.second);
    }
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QSettings settings;
    std::unique_ptr<MainWindow> w;

private slots:
    void initTestCase()
    {
        QVERIFY(TestEnv::LoadCatalogue() > 0);
        theSettings = &settings;
    }
    void cleanup()
    {
        w.reset();
        QDir(RecoveryFile().Folder()).removeRecursively();
    }
    void cleanupTestCase()
    {
        settings.clear();
        theSettings = nullptr;
    }

    void copyFollowsTheModifiedLayout()
    {
        w = std::make_unique<MainWindow>();
        const QString copy = w->Recovery().Path();
        R8element* el = w->Elements().at(w->AddElement(R8_TYPE_DIAL));
        el->RestorePages(1);
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

    void killedRunIsRestoredUnderItsFileName()
    {
        const QString original = dir.filePath(QStringLiteral("flight.zvl"));
        QFile::remove(original);
        const QByteArray edited =
            "<ZarvinLayout>\n    <Page PageID=\"3\" Name=\"Thermal\" PageTrig=\"2\" Disabled=\"0\"/>\n"
            "    <Object ID=\"1\" X=\"12\" Y=\"34\" W=\"80\" H=\"29\" Screens=\"8\" FieldID=\"33\" "
            "Attrib=\"44\" RangeMin=\"0\" RangeMax=\"0\"/>\n</ZarvinLayout>\n";
        LeaveDeadCopy(RecoveryFile().Folder(), edited, original);
        w = std::make_unique<MainWindow>();
        QCOMPARE(w->Recovery().StaleFiles().size(), 1);
        QString defaultButton;
        TestEnv::OnNextModal([&defaultButton](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box && box->defaultButton());
            defaultButton = box->defaultButton()->text();
            box->defaultButton()->click();
        });
        w->OfferRecovery();
        QCOMPARE(defaultButton, QStringLiteral("Restore"));
        QCOMPARE(w->Elements().size(), 1);
        QCOMPARE(w->Elements().at(0)->GetPosition(), QPoint(12, 34));
        QCOMPARE(w->PagesProps().at(3).Name, QStringLiteral("Thermal"));
        QVERIFY(w->IsModified());
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("flight.zvl")));
        QVERIFY(w->Recovery().StaleFiles().isEmpty()); // taken over by this run
        w->SaveLayouts();                              // no dialog: the layout has its file again
        const QByteArray saved = ReadFile(original);
        QVERIFY(saved.contains("X=\"12\"") && saved.contains("Y=\"34\"") && saved.contains("Name=\"Thermal\""));
        QVERIFY(!w->IsModified());
    }

    void discardedCopyIsGone()
    {
        LeaveDeadCopy(RecoveryFile().Folder(), "<ZarvinLayout/>\n", QString());
        w = std::make_unique<MainWindow>();
        TestEnv::OnNextModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            box->button(QMessageBox::Discard)->click();
        });
        w->OfferRecovery();
        QVERIFY(w->Recovery().StaleFiles().isEmpty());
        QVERIFY(!w->IsModified());
    }

    void commandLineNamesALayout()
    {
        QCOMPARE(LayoutArgument({QStringLiteral("r8designer")}), QString());
        QCOMPARE(LayoutArgument({QStringLiteral("r8designer"), QStringLiteral("/tmp/a b.zvl")}),
                 QStringLiteral("/tmp/a b.zvl"));
        QCOMPARE(LayoutArgument({QStringLiteral("r8designer"), QStringLiteral("rel.zvl")}),
                 QDir::current().absoluteFilePath(QStringLiteral("rel.zvl")));
        const QString designer = QFileInfo(TestEnv::ToolPath("R8TOOL")).dir().filePath(QStringLiteral("r8designer"));
        for (const char* option : {"--version", "--help"}) {
            QProcess p;
            p.start(designer, {QLatin1String(option)});
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitCode(), 0);
            const QByteArray out = p.readAllStandardOutput();
            QVERIFY2(out.contains(option[2] == 'v' ? "1." : "file.zvl"), out.constData());
        }
    }

    void brokenCatalogueIsReported()
    {
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(4096, 'x'));
        broken.close();
        int fields = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("broken"));
            db.setDatabaseName(path);
            DataFields catalogue;
            catalogue.LoadFromDB(&db);
            fields = catalogue.count();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("broken"));
        QCOMPARE(fields, 0);
        QVERIFY(CatalogueProblem(fields, path).contains(QStringLiteral("R8strings.sqlite")));
        QVERIFY(CatalogueProblem(g_DataFields.count(), strDbName).isEmpty());
    }
};

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
