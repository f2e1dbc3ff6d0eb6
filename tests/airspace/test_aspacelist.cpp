// The airspace dialog: memory estimate, check propagation, the upload batch
// and an upload through r8sim on a pseudo-terminal.
#include "simprocess.h"
#include "airspace.h"
#include "airspacemodel.h"
#include "aspacelist.h"
#include "progress.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QProgressBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

// File items read from OpenAir text, owned by the list.
struct Files {
    std::vector<std::unique_ptr<QTreeWidgetItem>> owned;
    QList<QTreeWidgetItem*> items;
    QTreeWidgetItem* Add(const QByteArray& text)
    {
        owned.emplace_back(new QTreeWidgetItem);
        QTreeWidgetItem* file = owned.back().get();
        file->setCheckState(0, Qt::Checked);
        AirSpace reader;
        reader.LoadFromData(file, text);
        items << file;
        return file;
    }
};

QStringList Batch(const QByteArray& text)
{
    Files f;
    f.Add(text);
    return ASpaceList::BuildBatch(f.items);
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(text);
    return path;
}

// An airspace with so many points and circles.
QByteArray Shapes(int points, int circles)
{
    QByteArray text = "AC R\nAN Big\nV X=46:00:00 N 007:00:00 E\n";
    for (int i = 0; i < points; ++i)
        text += "DP 46:" + QByteArray::number(i / 60 % 60) + ":" + QByteArray::number(i % 60) + " N 007:00:00 E\n";
    for (int i = 0; i < circles; ++i)
        text += "DC 1\n";
    return text;
}

} // namespace

class TestASpaceList : public QObject
{
    Q_OBJECT
private slots:
    void batchWithoutFiles();
    void batchExampleNumbers();
    void batchSkipsAirspacesWithoutShapesAndUnchecked();
    void batchDuplicatePoints();
    void batchArcsOnly();
    void batchNamesAreCleanedAndCut();
    void memoryEstimateAndOverflow();
    void dialogFormAndLoading();
    void checkPropagation();
    void uploadThroughSimulator();
    void uploadRefusedForDulan();
    void closeWaitsForRunningBatch();
};

void TestASpaceList::batchWithoutFiles()
{
    QCOMPARE(ASpaceList::BuildBatch({}), QStringList({"PZVCTR,", "PZVCTT,"}));
    ASpaceList dlg;
    QCOMPARE(dlg.Store()->BuildBatch(), QStringList({"PZVCTR,", "PZVCTT,"}));
    QCOMPARE(dlg.GetSize(), 0);
}

void TestASpaceList::batchExampleNumbers()
{
    const QStringList batch =
        Batch("AC R\nAN TEST\nAL SFC\nAH 1000ft\nDP 46:00:00 N 006:00:00 E\nV X=46:00:00 N 006:00:00 E\nDC 2\n");
    QCOMPARE(batch, QStringList({"PZVCTR,", "PZVCTD,0,305,0,0.10472,0.10472,TEST", "PZVCTP,0.80285144,0.10471976",
                                 "PZVCTC,0.802851439,0.104719758,3.704000,", "PZVCTT,"}));

    // Longitude range in 'g' format, west negative; values pass through
    // single precision (-2 degrees is -0.0349065847... as a float).
    const QStringList west = Batch("AC Q\nAN W\nAL FL 65\nAH UNL\nDP 1 S 2 W\nDP 1 S 170 E\n");
    QCOMPARE(west.at(1), QStringLiteral("PZVCTD,1981,65535,0,-0.0349066,2.96706,W"));
    QCOMPARE(west.at(2), QStringLiteral("PZVCTP,-0.01745329,-0.03490658"));
}

void TestASpaceList::batchSkipsAirspacesWithoutShapesAndUnchecked()
{
    Files f;
    QTreeWidgetItem* file =
        f.Add("AC R\nAN Empty\nAL 0\nAH 100\nAC R\nAN One\nDP 1 N 1 E\nAC R\nAN Two\nDP 2 N 2 E\n");
    QCOMPARE(ASpaceList::BuildBatch(f.items).size(), 2 + 4);
    QCOMPARE(ASpaceList::ComputeSize(f.items), 2 * 42);

    file->child(1)->setCheckState(0, Qt::Unchecked);
    const QStringList batch = ASpaceList::BuildBatch(f.items);
    QCOMPARE(batch.size(), 2 + 2);
    QVERIFY(batch.at(1).endsWith(QLatin1String(",Two")));
    QCOMPARE(ASpaceList::ComputeSize(f.items), 42);

    // Shapes added after reading, or items made by hand, are counted too.
    new QTreeWidgetItem(file->child(2));
    file->child(2)->child(1)->setData(0, AirKindRole, AirNodeCircle);
    QCOMPARE(ASpaceList::ComputeSize(f.items), 42 + 14);
    QTreeWidgetItem* handMade = new QTreeWidgetItem(file);
    handMade->setCheckState(0, Qt::Checked);
    for (int kind : {AirNodePoint, AirNodeArc, AirNodePoint})
        (new QTreeWidgetItem(handMade))->setData(0, AirKindRole, kind);
    QCOMPARE(ASpaceList::ComputeSize(f.items), 42 + 14 + 32 + 20);
    delete handMade;
    delete file->child(2)->takeChild(1);

    // The file's own check state is not looked at; shapes' neither.
    file->setCheckState(0, Qt::Unchecked);
    file->child(2)->child(0)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(ASpaceList::ComputeSize(f.items), 42);
    QCOMPARE(ASpaceList::BuildBatch(f.items).size(), 4);
}

void TestASpaceList::batchDuplicatePoints()
{
    const QStringList batch = Batch("AC R\nAN P\nDP 1 N 1 E\nDP 1 N 1 E\nDP 2 N 1 E\nDP 2 N 2 E\nDP 1 N 1 E\n"
                                    "AC R\nAN Q\nDP 1 N 1 E\nDP 3 N 3 E\n");
    QStringList points;
    for (const QString& s : batch)
        if (s.startsWith(QLatin1String("PZVCTP,")))
            points << s;
    // The repeat right after is dropped; a closing point that repeats the
    // first is kept; the next airspace starting on the same spot is kept.
    QCOMPARE(points.size(), 4 + 2);
    QCOMPARE(points.at(0), points.at(3));
    QCOMPARE(points.at(4), points.at(0));
    QCOMPARE(batch.at(1).left(7), QStringLiteral("PZVCTD,"));
    QCOMPARE(batch.at(6).left(7), QStringLiteral("PZVCTD,"));

    // A circle between two equal points does not reset the comparison.
    const QStringList c = Batch("AC R\nV X=1 N 1 E\nDP 1 N 1 E\nDC 1\nDP 1 N 1 E\n");
    QCOMPARE(c.filter(QStringLiteral("PZVCTP,")).size(), 1);
    QCOMPARE(c.filter(QStringLiteral("PZVCTC,")).size(), 1);
}

void TestASpaceList::batchArcsOnly()
{
    Files f;
    f.Add("AC R\nAN Arcs\nV X=3 N 50 E\nDA 10,270,290\nDA 5,290,320\n");
    QCOMPARE(ASpaceList::ComputeSize(f.items), 32);
    const QStringList batch = ASpaceList::BuildBatch(f.items);
    QCOMPARE(batch.size(), 5);
    QVERIFY(batch.at(1).startsWith(QLatin1String("PZVCTD,0,0,0,0.872665,0.872665,Arcs")));
    QCOMPARE(batch.at(2), QStringLiteral("PZVCTC,0.052359879,0.872664630,18.520000,4.712389,5.061455,"));
    QCOMPARE(batch.at(3), QStringLiteral("PZVCTC,0.052359879,0.872664630,9.260000,5.061455,5.585053,"));
}

void TestASpaceList::batchNamesAreCleanedAndCut()
{
    QCOMPARE(ASpaceList::SentenceName(QStringLiteral("A,B*C$D\r\nE\tF"), 100), QStringLiteral("ABCDEF"));
    QCOMPARE(ASpaceList::SentenceName(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    QCOMPARE(ASpaceList::SentenceName(QStringLiteral("ab"), -5), QString());
    // A character outside the basic plane has no Latin-1 form: left out whole.
    QCOMPARE(ASpaceList::SentenceName(QStringLiteral("a\U0001F600b"), 2), QStringLiteral("ab"));

    const QByteArray longName(400, 'N');
    const QStringList batch = Batch("AC R\nAN " + longName + ",*$x\nAL FL 195\nAH UNL\nDP 1 N 1 E\n");
    const QString body = batch.at(1);
    QVERIFY(body.size() <= R8_MAX_BODY_BYTES);
    QCOMPARE(body.size(), R8_MAX_BODY_BYTES);
    QVERIFY(body.startsWith(QLatin1String("PZVCTD,5944,65535,0,0.0174533,0.0174533,NNN")));
    QCOMPARE(body.count(QLatin1Char(',')), 6);
    QVERIFY(!body.contains(QLatin1Char('*')) && !body.contains(QLatin1Char('$')));
    for (const QString& s : batch)
        QVERIFY(s.toLatin1().size() <= R8_MAX_BODY_BYTES);
}

void TestASpaceList::memoryEstimateAndOverflow()
{
    ASpaceList dlg;
    auto* bar = dlg.findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QVERIFY(bar);
    QCOMPARE(bar->maximum(), 131068);
    QCOMPARE(dlg.MemoryText(), QString());

    dlg.UpdateMemoryOcupation(131068);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("100%"));
    QCOMPARE(dlg.MemoryBarValue(), 131068);
    dlg.UpdateMemoryOcupation(131069);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("Overflow!! 100%"));
    QCOMPARE(dlg.MemoryBarValue(), 131068);
    dlg.UpdateMemoryOcupation(200000);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("Overflow!! 153%"));
    dlg.UpdateMemoryOcupation(65534);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("50%"));
    QCOMPARE(dlg.MemoryBarValue(), 65534);

    // A file whose estimate is exactly the capacity: 32 + 13098 * 10 + 4 * 14.
    QTemporaryDir dir;
    dlg.LoadData(WriteFile(dir, QStringLiteral("full.txt"), Shapes(13098, 4)));
    QCOMPARE(dlg.GetSize(), 131068);
    QCOMPARE(dlg.MemoryUsed(), 131068);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("100%"));
    // One more airspace tips it over.
    dlg.LoadData(WriteFile(dir, QStringLiteral("one.txt"), "AC R\nDP 1 N 1 E\n"));
    QCOMPARE(dlg.MemoryUsed(), 131068 + 42);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("Overflow!! 100%"));
    QCOMPARE(dlg.MemoryBarValue(), 131068);
    // Unchecking the big file's airspace brings it back under.
    dlg.ModifyChecks(dlg.Model()->AirspaceIndex(0), Qt::Unchecked);
    QCOMPARE(dlg.MemoryUsed(), 42);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("0%"));
    QCOMPARE(dlg.MemoryBarValue(), 42);
}

void TestASpaceList::dialogFormAndLoading()
{
    ASpaceList dlg;
    QCOMPARE(dlg.objectName(), QStringLiteral("ASpaceList"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Airspaces"));
    QVERIFY(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!dlg.windowIcon().isNull());
    const AirspaceModel* tree = dlg.Model();
    QCOMPARE(tree->headerData(AirspaceModel::BytesColumn, Qt::Horizontal).toString(), QStringLiteral("Bytes"));
    QVERIFY(dlg.ProgressDialog() && dlg.ProgressDialog()->isHidden());

    // A file that cannot be read still shows, checked and empty, with a reason.
    QTemporaryDir dir;
    dlg.LoadData(dir.filePath(QStringLiteral("missing.txt")));
    QCOMPARE(tree->rowCount(), 1);
    QCOMPARE(tree->rowCount(tree->FileIndex(0)), 0);
    QCOMPARE(tree->FileIndex(0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(tree->FileIndex(0).data(Qt::ToolTipRole).toString().contains(QLatin1String("could not be read")));

    // Loading the same file twice adds it twice.
    const QString path = WriteFile(dir, QStringLiteral("a.txt"), "AC R\nAN A\nDP 1 N 1 E\nDP 2 N 2 E\n");
    dlg.LoadData(path);
    dlg.LoadData(path);
    QCOMPARE(tree->rowCount(), 3);
    QCOMPARE(tree->FileIndex(2).data().toString(), path);
    QCOMPARE(dlg.MemoryUsed(), 2 * 52);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("0%"));
}

void TestASpaceList::checkPropagation()
{
    ASpaceList dlg;
    QTemporaryDir dir;
    dlg.LoadData(WriteFile(dir, QStringLiteral("p.txt"),
                           "AC R\nAN A\nDP 1 N 1 E\nDP 2 N 2 E\nAC Q\nAN B\nV X=1 N 1 E\nDC 1\nDA 1,2,3\n"));
    const AirspaceModel* m = dlg.Model();
    const QModelIndex file = m->FileIndex(0);
    const QModelIndex a = m->AirspaceIndex(0);
    const QModelIndex b = m->AirspaceIndex(1);
    auto state = [](const QModelIndex& i) { return Qt::CheckState(i.data(Qt::CheckStateRole).toInt()); };
    QCOMPARE(dlg.MemoryUsed(), 52 + 46);

    // Unchecking the file unchecks everything under it.
    dlg.ModifyChecks(file, Qt::Unchecked);
    QCOMPARE(state(a), Qt::Unchecked);
    QCOMPARE(state(b), Qt::Unchecked);
    QCOMPARE(dlg.MemoryUsed(), 0);
    QCOMPARE(dlg.MemoryText(), QStringLiteral("0%"));

    // Checking one airspace checks its file, not its sibling.
    dlg.ModifyChecks(a, Qt::Checked);
    QCOMPARE(state(file), Qt::Checked);
    QCOMPARE(state(b), Qt::Unchecked);
    QCOMPARE(dlg.MemoryUsed(), 52);

    // Unchecking an airspace leaves the file checked; checking the file
    // brings everything back.
    dlg.ModifyChecks(file, Qt::Checked);
    QCOMPARE(dlg.MemoryUsed(), 98);
    dlg.ModifyChecks(a, Qt::Unchecked);
    QCOMPARE(state(file), Qt::Checked);
    QCOMPARE(dlg.MemoryUsed(), 46);

    // Shapes are shown under their airspace, without check boxes.
    QCOMPARE(m->rowCount(b), 2);
    QVERIFY(!(m->flags(m->index(0, 0, b)) & Qt::ItemIsUserCheckable));
    QCOMPARE(m->index(0, 0, b).data().toString(), QStringLiteral("circle"));
    dlg.ModifyChecks(QModelIndex(), Qt::Checked);
}

void TestASpaceList::uploadThroughSimulator()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts ports(sim.ports);

    ASpaceList dlg;
    dlg.Sender()->SetEndPause(0);
    QTemporaryDir dir;
    dlg.LoadData(WriteFile(dir, QStringLiteral("u.txt"),
                           "AC R\nAN TEST\nAL SFC\nAH 1000ft\nDP 46:00:00 N 006:00:00 E\nDP 46:00:00 N 006:00:00 E\n"
                           "V X=46:00:00 N 006:00:00 E\nDC 2\nAC Q\nAN Off\nDP 1 N 1 E\n"));
    dlg.ModifyChecks(dlg.Model()->AirspaceIndex(1), Qt::Unchecked);
    const QStringList expected = dlg.Store()->BuildBatch();
    QCOMPARE(expected.size(), 5);

    QList<int> progress;
    QStringList messages;
    connect(dlg.Sender(), &ZvCommandSender::progress, this, [&progress](int i) { progress << i; });
    connect(dlg.Sender(), &ZvCommandSender::message, this, [&messages](const QString& s) { messages << s; });
    dlg.onUpload();
    QVERIFY(!dlg.UploadEnabled());
    QVERIFY(dlg.Sending());
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.Sending(), 20000);
    QVERIFY(dlg.UploadEnabled());
    QVERIFY(dlg.ProgressDialog()->isHidden());
    QCOMPARE(dlg.ProgressDialog()->ProgressMax(), 5);
    QCOMPARE(progress, QList<int>({1, 2, 3, 4, 5}));
    QCOMPARE(messages.last(), QStringLiteral("All data sent."));
    QCOMPARE(dlg.Sender()->Supported(), 247u);

    const QStringList log = sim.Log();
    QStringList bodies;
    for (const QString& line : log)
        if (line.startsWith(QLatin1String("PZVCT")))
            bodies << line;
    QCOMPARE(bodies, expected);

    // A second upload sends the batch again.
    dlg.onUpload();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.Sending(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(sim.Log().filter(QStringLiteral("PZVCTR,")).size(), 2, 5000);
}

void TestASpaceList::uploadRefusedForDulan()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--product"), QStringLiteral("d905")}));
    ExtraPorts ports(sim.ports);

    ASpaceList dlg;
    dlg.Sender()->SetEndPause(0);
    QStringList messages;
    connect(dlg.Sender(), &ZvCommandSender::message, this, [&messages](const QString& s) { messages << s; });
    dlg.onUpload();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.Sending(), 20000);
    QCOMPARE(messages, QStringList({QStringLiteral("Looking for the instrument…"),
                                    QStringLiteral("DULAN SD not supported.")}));
    QVERIFY(sim.Log().filter(QStringLiteral("PZVCT")).isEmpty());
}

void TestASpaceList::closeWaitsForRunningBatch()
{
    SimProcess sim;
    // Slow replies keep the batch running while the dialog is closed.
    QVERIFY(sim.Start({QStringLiteral("--delay"), QStringLiteral("150")}));
    ExtraPorts ports(sim.ports);

    QPointer<QThread> thread;
    {
        ASpaceList dlg;
        dlg.Sender()->SetEndPause(0);
        thread = dlg.Sender()->thread();
        QTemporaryDir dir;
        dlg.LoadData(WriteFile(dir, QStringLiteral("c.txt"), Shapes(6, 0)));
        dlg.show();
        dlg.onUpload();
        QTRY_VERIFY_WITH_TIMEOUT(dlg.ProgressDialog()->isVisible(), 10000);
        dlg.reject();
        // Still open while the batch runs, closed once it has ended.
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.Sending());
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 20000);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(sim.Log().filter(QStringLiteral("PZVCT")).size(), 1 + 1 + 6 + 1);
        QVERIFY(thread && thread->isRunning());
    }
    // The dialog took its thread down with it.
    QVERIFY(thread.isNull());
}

QTEST_MAIN(TestASpaceList)
#include "test_aspacelist.moc"
