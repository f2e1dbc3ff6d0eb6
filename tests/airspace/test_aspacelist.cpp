// The airspace dialog: memory estimate, check propagation, the upload batch
// and an upload through r8sim on a pseudo-terminal.
#include "simprocess.h"
#include "airspace.h"
#include "airspacemodel.h"
#include "aspacelist.h"
#include "progress.h"
#include "airspacetest.h"
#include "testsupport.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList Batch(const QByteArray& text)
{
    ReadTree r(text);
    return ASpaceList::BuildBatch({&r.file});
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    const QString path = dir.filePath(name);
    return TestEnv::WriteFile(path, text) ? path : QString();
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
    void batchExampleNumbers()
    {
        QCOMPARE(ASpaceList::BuildBatch({}), QStringList({"PZVCTR,", "PZVCTT,"}));
        QCOMPARE(Batch("AC R\nAN TEST\nAL SFC\nAH 1000ft\nDP 46:00:00 N 006:00:00 E\nV X=46:00:00 N 006:00:00 E\n"
                       "DC 2\n"),
                 QStringList({"PZVCTR,", "PZVCTD,0,305,0,0.10472,0.10472,TEST", "PZVCTP,0.80285144,0.10471976",
                              "PZVCTC,0.802851439,0.104719758,3.704000,", "PZVCTT,"}));
        // Longitude range in 'g' format, west negative; values pass through
        // single precision (-2 degrees is -0.0349065847... as a float).
        const QStringList west = Batch("AC Q\nAN W\nAL FL 65\nAH UNL\nDP 1 S 2 W\nDP 1 S 170 E\n");
        QCOMPARE(west.at(1), QStringLiteral("PZVCTD,1981,65535,0,-0.0349066,2.96706,W"));
        QCOMPARE(west.at(2), QStringLiteral("PZVCTP,-0.01745329,-0.03490658"));
        // Arcs are sent with their angles and take no memory of their own.
        ReadTree arcs("AC R\nAN Arcs\nV X=3 N 50 E\nDA 10,270,290\nDA 5,290,320\n");
        QCOMPARE(ASpaceList::ComputeSize({&arcs.file}), 32);
        QCOMPARE(ASpaceList::BuildBatch({&arcs.file}).mid(1, 3),
                 QStringList({"PZVCTD,0,0,0,0.872665,0.872665,Arcs",
                              "PZVCTC,0.052359879,0.872664630,18.520000,4.712389,5.061455,",
                              "PZVCTC,0.052359879,0.872664630,9.260000,5.061455,5.585053,"}));
    }

    void longNamesAreCut()
    {
        const QString body =
            Batch("AC R\nAN " + QByteArray(400, 'N') + ",*$x\nAL FL 195\nAH UNL\nDP 1 N 1 E\n").at(1);
        QCOMPARE(body.size(), R8_MAX_BODY_BYTES);
        QVERIFY(body.startsWith(QLatin1String("PZVCTD,5944,65535,0,0.0174533,0.0174533,NNN")));
    }

    void batchSkipsAirspacesWithoutShapesAndUnchecked()
    {
        ReadTree r("AC R\nAN Empty\nAL 0\nAH 100\nAC R\nAN One\nDP 1 N 1 E\nAC R\nAN Two\nDP 2 N 2 E\n");
        QList<QTreeWidgetItem*> files = {&r.file};
        QCOMPARE(ASpaceList::BuildBatch(files).size(), 2 + 4);
        QCOMPARE(ASpaceList::ComputeSize(files), 2 * 42);
        r.Air(1)->setCheckState(0, Qt::Unchecked);
        const QStringList batch = ASpaceList::BuildBatch(files);
        QCOMPARE(batch.size(), 2 + 2);
        QVERIFY(batch.at(1).endsWith(QLatin1String(",Two")));
        QCOMPARE(ASpaceList::ComputeSize(files), 42);

        // The file's own check state is not looked at; shapes' neither.
        r.file.setCheckState(0, Qt::Unchecked);
        r.Air(2)->child(0)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(ASpaceList::ComputeSize(files), 42);
        QCOMPARE(ASpaceList::BuildBatch(files).size(), 4);
        // Shapes added after reading are counted too.
        (new QTreeWidgetItem(r.Air(2)))->setData(0, AirKindRole, AirNodeCircle);
        (new QTreeWidgetItem(r.Air(2)))->setData(0, AirKindRole, AirNodeArc);
        QCOMPARE(ASpaceList::ComputeSize(files), 42 + 14);
    }

    void batchDuplicatePoints()
    {
        const QStringList batch = Batch("AC R\nAN P\nDP 1 N 1 E\nDP 1 N 1 E\nDP 2 N 1 E\nDP 2 N 2 E\nDP 1 N 1 E\n"
                                        "AC R\nAN Q\nDP 1 N 1 E\nDP 3 N 3 E\n");
        // The repeat right after is dropped; a closing point that repeats the
        // first is kept; the next airspace starting on the same spot is kept.
        const QStringList points = batch.filter(QStringLiteral("PZVCTP,"));
        QCOMPARE(points.size(), 4 + 2);
        QCOMPARE(points.at(0), points.at(3));
        QCOMPARE(points.at(4), points.at(0));
        QVERIFY(batch.at(6).startsWith(QLatin1String("PZVCTD,")));
        // A circle between two equal points does not reset the comparison.
        const QStringList c = Batch("AC R\nV X=1 N 1 E\nDP 1 N 1 E\nDC 1\nDP 1 N 1 E\n");
        QCOMPARE(c.filter(QStringLiteral("PZVCTP,")).size(), 1);
        QCOMPARE(c.filter(QStringLiteral("PZVCTC,")).size(), 1);
    }

    void memoryEstimateAndOverflow()
    {
        ASpaceList dlg;
        dlg.UpdateMemoryOcupation(200000);
        QCOMPARE(dlg.MemoryText(), QStringLiteral("Overflow!! 153%"));
        // A file whose estimate is exactly the capacity: 32 + 13098 * 10 + 4 * 14.
        QTemporaryDir dir;
        dlg.LoadData(WriteFile(dir, QStringLiteral("full.txt"), Shapes(13098, 4)));
        QCOMPARE(dlg.MemoryUsed(), 131068);
        QCOMPARE(dlg.MemoryText(), QStringLiteral("100%"));
        QCOMPARE(dlg.MemoryBarValue(), 131068);
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

        // A file that cannot be read still shows, checked and empty, with a
        // reason; the same file loaded twice shows twice.
        dlg.LoadData(dir.filePath(QStringLiteral("missing.txt")));
        const AirspaceModel* tree = dlg.Model();
        QCOMPARE(tree->rowCount(tree->FileIndex(2)), 0);
        QCOMPARE(tree->FileIndex(2).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(tree->FileIndex(2).data(Qt::ToolTipRole).toString().contains(QLatin1String("could not be read")));
        dlg.LoadData(dir.filePath(QStringLiteral("one.txt")));
        QCOMPARE(tree->rowCount(), 4);
        QCOMPARE(dlg.MemoryUsed(), 2 * 42);
    }

    void checkPropagation()
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
        // Checking one airspace checks its file, not its sibling.
        dlg.ModifyChecks(a, Qt::Checked);
        QCOMPARE(state(file), Qt::Checked);
        QCOMPARE(state(b), Qt::Unchecked);
        QCOMPARE(dlg.MemoryUsed(), 52);
        // Checking the file brings everything back; unchecking an airspace
        // leaves the file checked.
        dlg.ModifyChecks(file, Qt::Checked);
        QCOMPARE(dlg.MemoryUsed(), 98);
        dlg.ModifyChecks(a, Qt::Unchecked);
        QCOMPARE(state(file), Qt::Checked);
        QCOMPARE(dlg.MemoryUsed(), 46);
        // Shapes are shown under their airspace, without check boxes.
        QCOMPARE(m->rowCount(b), 2);
        QVERIFY(!(m->flags(m->index(0, 0, b)) & Qt::ItemIsUserCheckable));
        QCOMPARE(m->index(0, 0, b).data().toString(), QStringLiteral("circle"));
    }

    // Slow replies keep the second upload running while the dialog is closed.
    void uploadThroughSimulator()
    {
        SimProcess sim;
        QVERIFY(sim.Start({QStringLiteral("--delay"), QStringLiteral("100")}));
        ExtraPorts ports(sim.ports);
        QPointer<QThread> thread;
        {
            ASpaceList dlg;
            dlg.Sender()->SetEndPause(0);
            thread = dlg.Sender()->thread();
            QTemporaryDir dir;
            dlg.LoadData(WriteFile(dir, QStringLiteral("u.txt"),
                                   "AC R\nAN TEST\nAL SFC\nAH 1000ft\nDP 46:00:00 N 006:00:00 E\n"
                                   "V X=46:00:00 N 006:00:00 E\nDC 2\nAC Q\nAN Off\nDP 1 N 1 E\n"));
            dlg.ModifyChecks(dlg.Model()->AirspaceIndex(1), Qt::Unchecked);
            const QStringList expected = dlg.Store()->BuildBatch();
            QCOMPARE(expected.size(), 5);
            QList<int> progress;
            QStringList messages;
            connect(dlg.Sender(), &ZvCommandSender::progress, this, [&progress](int i) { progress << i; });
            connect(dlg.Sender(), &ZvCommandSender::message, this, [&messages](const QString& s) { messages << s; });
            dlg.show();
            dlg.onUpload();
            QVERIFY(!dlg.UploadEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(!dlg.Sending(), 20000);
            QVERIFY(dlg.UploadEnabled());
            QVERIFY(dlg.ProgressDialog()->isHidden());
            QCOMPARE(progress, QList<int>({1, 2, 3, 4, 5}));
            QCOMPARE(messages.last(), QStringLiteral("All data sent."));
            QCOMPARE(sim.Log().filter(QRegularExpression(QStringLiteral("^PZVCT"))), expected);

            dlg.onUpload();
            QTRY_VERIFY_WITH_TIMEOUT(dlg.ProgressDialog()->isVisible(), 10000);
            dlg.reject();
            // Still open while the batch runs, closed once it has ended.
            QVERIFY(dlg.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 20000);
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QCOMPARE(sim.Log().filter(QRegularExpression(QStringLiteral("^PZVCT"))), expected + expected);
            QVERIFY(thread && thread->isRunning());
        }
        // The dialog took its thread down with it.
        QVERIFY(thread.isNull());
    }

    void uploadRefusedForDulan()
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
        QCOMPARE(messages.last(), QStringLiteral("DULAN SD not supported."));
        QVERIFY(sim.Log().filter(QStringLiteral("PZVCT")).isEmpty());
    }
};

QTEST_MAIN(TestASpaceList)
#include "test_aspacelist.moc"
