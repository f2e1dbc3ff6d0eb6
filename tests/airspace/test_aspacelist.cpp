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
        // Arcs are sent with their angles and take no memory of their own.
        ReadTree arcs("AC R\nAN Arcs\nV X=3 N 50 E\nDA 10,270,290\nDA 5,290,320\n");
        QCOMPARE(ASpaceList::ComputeSize({&arcs.file}), 32);
        QCOMPARE(ASpaceList::BuildBatch({&arcs.file}).mid(1, 3),
                 QStringList({"PZVCTD,0,0,0,0.872665,0.872665,Arcs",
                              "PZVCTC,0.052359879,0.872664630,18.520000,4.712389,5.061455,",
                              "PZVCTC,0.052359879,0.872664630,9.260000,5.061455,5.585053,"}));
        // Shapes added to the tree after reading are counted by their kind.
        (new QTreeWidgetItem(arcs.Air(0)))->setData(0, AirKindRole, AirNodeCircle);
        (new QTreeWidgetItem(arcs.Air(0)))->setData(0, AirKindRole, AirNodeArc);
        QCOMPARE(ASpaceList::ComputeSize({&arcs.file}), 32 + 14);
    }

    void longNamesAreCut()
    {
        const QString body =
            Batch("AC R\nAN " + QByteArray(400, 'N') + ",*$x\nAL FL 195\nAH UNL\nDP 1 N 1 E\n").at(1);
        QCOMPARE(body.size(), R8_MAX_BODY_BYTES);
        QVERIFY(body.startsWith(QLatin1String("PZVCTD,5944,65535,0,0.0174533,0.0174533,NNN")));
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
        // A circle between two equal points does not reset the comparison.
        const QStringList c = Batch("AC R\nV X=1 N 1 E\nDP 1 N 1 E\nDC 1\nDP 1 N 1 E\n");
        QCOMPARE(c.filter(QStringLiteral("PZVCTP,")).size(), 1);
        QCOMPARE(c.filter(QStringLiteral("PZVCTC,")).size(), 1);
    }

    void memoryOverflowAndUnreadableFile()
    {
        ASpaceList dlg;
        // Exactly full is not an overflow; a byte more is, and the bar stops at full.
        dlg.UpdateMemoryOcupation(R8_AIRSPACE_CAPACITY);
        QCOMPARE(dlg.MemoryText(), QStringLiteral("100%"));
        dlg.UpdateMemoryOcupation(R8_AIRSPACE_CAPACITY + 1);
        QCOMPARE(dlg.MemoryText(), QStringLiteral("Overflow!! 100%"));
        QCOMPARE(dlg.MemoryBarValue(), R8_AIRSPACE_CAPACITY);
        // A file that cannot be read still shows, checked and empty, with a
        // reason.
        QTemporaryDir dir;
        dlg.LoadData(dir.filePath(QStringLiteral("missing.txt")));
        const AirspaceModel* tree = dlg.Model();
        QCOMPARE(tree->rowCount(tree->FileIndex(0)), 0);
        QCOMPARE(tree->FileIndex(0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(tree->FileIndex(0).data(Qt::ToolTipRole).toString().contains(QLatin1String("could not be read")));
        QCOMPARE(dlg.MemoryText(), QStringLiteral("0%"));
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
        QCOMPARE(dlg.MemoryUsed(), 0);
        // Checking one airspace checks its file, not its sibling.
        dlg.ModifyChecks(a, Qt::Checked);
        QCOMPARE(state(file), Qt::Checked);
        QCOMPARE(dlg.MemoryUsed(), 52);
        // Unchecking an airspace leaves the file checked.
        dlg.ModifyChecks(file, Qt::Checked);
        dlg.ModifyChecks(a, Qt::Unchecked);
        QCOMPARE(state(file), Qt::Checked);
        QCOMPARE(dlg.MemoryUsed(), 46);
        // Shapes are shown under their airspace, without check boxes.
        QCOMPARE(m->rowCount(b), 2);
        QVERIFY(!(m->flags(m->index(0, 0, b)) & Qt::ItemIsUserCheckable));
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
            dlg.show();
            dlg.onUpload();
            QVERIFY(!dlg.UploadEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(!dlg.Sending(), 20000);
            QVERIFY(dlg.UploadEnabled());
            QVERIFY(dlg.ProgressDialog()->isHidden());
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
};

QTEST_MAIN(TestASpaceList)
#include "test_aspacelist.moc"
