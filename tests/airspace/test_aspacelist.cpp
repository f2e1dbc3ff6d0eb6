// The airspace dialog: the upload batch, the memory estimate, check
// propagation and an upload through r8sim on a pseudo-terminal.
#include "airspace.h"
#include "aspacelist.h"
#include "progress.h"
#include "simprocess.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

// File items read from OpenAir text, all checked.
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
    QTemporaryDir dir;
    QString Write(const char* name, const QByteArray& text)
    {
        const QString path = dir.filePath(QLatin1String(name));
        return TestEnv::WriteFile(path, text) ? path : QString();
    }

private slots:
    void batch_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("batch");
        QTest::newRow("no files") << QByteArray() << QStringList{"PZVCTR,", "PZVCTT,"};
        QTest::newRow("point and circle")
            << QByteArray("AC R\nAN TEST\nAL SFC\nAH 1000ft\nDP 46:00:00 N 006:00:00 E\nV X=46:00:00 N 006:00:00 E\nDC 2\n")
            << QStringList{"PZVCTR,", "PZVCTD,0,305,0,0.10472,0.10472,TEST", "PZVCTP,0.80285144,0.10471976",
                           "PZVCTC,0.802851439,0.104719758,3.704000,", "PZVCTT,"};
        // West negative, through single precision: -2 degrees is -0.0349065847... as a float.
        QTest::newRow("west and flight levels")
            << QByteArray("AC Q\nAN W\nAL FL 65\nAH UNL\nDP 1 S 2 W\nDP 1 S 170 E\n")
            << QStringList{"PZVCTR,", "PZVCTD,1981,65535,0,-0.0349066,2.96706,W", "PZVCTP,-0.01745329,-0.03490658",
                           "PZVCTP,-0.01745329,2.96705961", "PZVCTT,"};
        QTest::newRow("arcs only")
            << QByteArray("AC R\nAN Arcs\nV X=3 N 50 E\nDA 10,270,290\nDA 5,290,320\n")
            << QStringList{"PZVCTR,", "PZVCTD,0,0,0,0.872665,0.872665,Arcs",
                           "PZVCTC,0.052359879,0.872664630,18.520000,4.712389,5.061455,",
                           "PZVCTC,0.052359879,0.872664630,9.260000,5.061455,5.585053,", "PZVCTT,"};
        QTest::newRow("no shapes: not sent") << QByteArray("AC R\nAN Empty\nAL 0\nAH 100\n")
                                             << QStringList{"PZVCTR,", "PZVCTT,"};
    }
    void batch()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, batch);
        QCOMPARE(Batch(text), batch);
    }

    void duplicatePoints()
    {
        const QStringList batch = Batch("AC R\nAN P\nDP 1 N 1 E\nDP 1 N 1 E\nDP 2 N 1 E\nDP 2 N 2 E\nDP 1 N 1 E\n"
                                        "AC R\nAN Q\nDP 1 N 1 E\nDP 3 N 3 E\n");
        const QStringList points = batch.filter(QStringLiteral("PZVCTP,"));
        // The repeat right after is dropped; a closing point that repeats the
        // first is kept; the next airspace starting on the same spot is kept.
        QCOMPARE(points.size(), 4 + 2);
        QCOMPARE(points.at(0), points.at(3));
        QCOMPARE(points.at(4), points.at(0));
        // A circle between two equal points does not reset the comparison.
        const QStringList c = Batch("AC R\nV X=1 N 1 E\nDP 1 N 1 E\nDC 1\nDP 1 N 1 E\n");
        QCOMPARE(c.filter(QStringLiteral("PZVCTP,")).size(), 1);
        QCOMPARE(c.filter(QStringLiteral("PZVCTC,")).size(), 1);
    }

    void namesCleanedAndCut()
    {
        QCOMPARE(ASpaceList::SentenceName(QStringLiteral("A,B*C$D\r\nE\tF"), 100), QStringLiteral("ABCDEF"));
        QCOMPARE(ASpaceList::SentenceName(QStringLiteral("ab"), -5), QString());
        // A character outside the basic plane is not split in half.
        QCOMPARE(ASpaceList::SentenceName(QStringLiteral("a\U0001F600b"), 2), QStringLiteral("a"));
        const QStringList batch = Batch("AC R\nAN " + QByteArray(400, 'N') + ",*$x\nAL FL 195\nAH UNL\nDP 1 N 1 E\n");
        QCOMPARE(batch.at(1).size(), R8_MAX_BODY_BYTES);
        QVERIFY(batch.at(1).startsWith(QLatin1String("PZVCTD,5944,65535,0,0.0174533,0.0174533,NNN")));
        QCOMPARE(batch.at(1).count(QLatin1Char(',')), 6);
    }

    void checkedAirspacesCounted()
    {
        Files f;
        QTreeWidgetItem* file = f.Add("AC R\nAN Empty\nAC R\nAN One\nDP 1 N 1 E\nAC R\nAN Two\nDP 2 N 2 E\n");
        QCOMPARE(ASpaceList::ComputeSize(f.items), 2 * 42);
        file->child(1)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(ASpaceList::BuildBatch(f.items).size(), 2 + 2);
        QCOMPARE(ASpaceList::ComputeSize(f.items), 42);
        // Shapes added after reading, or items made by hand, are counted too.
        (new QTreeWidgetItem(file->child(2)))->setData(0, AirKindRole, AirNodeCircle);
        QCOMPARE(ASpaceList::ComputeSize(f.items), 42 + 14);
        auto* handMade = new QTreeWidgetItem(file);
        handMade->setCheckState(0, Qt::Checked);
        for (int kind : {AirNodePoint, AirNodeArc, AirNodePoint})
            (new QTreeWidgetItem(handMade))->setData(0, AirKindRole, kind);
        QCOMPARE(ASpaceList::ComputeSize(f.items), 42 + 14 + 32 + 20);
        // The file's own check state is not looked at.
        file->setCheckState(0, Qt::Unchecked);
        QCOMPARE(ASpaceList::ComputeSize(f.items), 42 + 14 + 32 + 20);
    }

    void memoryEstimateAndOverflow()
    {
        ASpaceList dlg;
        const QList<QPair<int, QString>> shown = {{131068, "100%"}, {131069, "Overflow!! 100%"},
                                                  {200000, "Overflow!! 153%"}, {65534, "50%"}};
        for (const auto& s : shown) {
            dlg.UpdateMemoryOcupation(s.first);
            QCOMPARE(dlg.MemoryText(), s.second);
            QCOMPARE(dlg.MemoryBarValue(), qMin(s.first, 131068));
        }
        // Exactly the capacity: 32 + 13098 * 10 + 4 * 14.
        dlg.LoadData(Write("full.txt", Shapes(13098, 4)));
        QCOMPARE(dlg.MemoryUsed(), 131068);
        QCOMPARE(dlg.MemoryText(), QStringLiteral("100%"));
        // One more airspace tips it over; unchecking the big one brings it back.
        dlg.LoadData(Write("one.txt", "AC R\nDP 1 N 1 E\n"));
        QCOMPARE(dlg.MemoryText(), QStringLiteral("Overflow!! 100%"));
        dlg.FileItems().at(0)->child(0)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(dlg.MemoryUsed(), 42);
        QCOMPARE(dlg.MemoryText(), QStringLiteral("0%"));

        // A file that cannot be read still shows, empty, with a reason; the
        // same file loaded twice counts twice.
        dlg.LoadData(dir.filePath(QStringLiteral("missing.txt")));
        QTreeWidgetItem* missing = dlg.Tree()->topLevelItem(2);
        QCOMPARE(missing->childCount(), 0);
        QVERIFY(!missing->toolTip(0).isEmpty());
        const QString twice = Write("a.txt", "AC R\nAN A\nDP 1 N 1 E\nDP 2 N 2 E\n");
        dlg.LoadData(twice);
        dlg.LoadData(twice);
        QCOMPARE(dlg.MemoryUsed(), 42 + 2 * 52);
    }

    void checkPropagation()
    {
        ASpaceList dlg;
        dlg.LoadData(Write("p.txt", "AC R\nAN A\nDP 1 N 1 E\nDP 2 N 2 E\nAC Q\nAN B\nV X=1 N 1 E\nDC 1\nDA 1,2,3\n"));
        QTreeWidgetItem* file = dlg.FileItems().at(0);
        QTreeWidgetItem* a = file->child(0);
        QTreeWidgetItem* b = file->child(1);
        auto states = [&] {
            QString s;
            for (const QTreeWidgetItem* it : {file, a, a->child(0), a->child(1), b, b->child(0), b->child(1)}) {
                const QVariant v = it->data(0, Qt::CheckStateRole); // '-': no check box
                s += v.isNull() ? QLatin1Char('-') : v.toInt() == Qt::Checked ? QLatin1Char('x') : QLatin1Char('.');
            }
            return s + QLatin1Char(' ') + QString::number(dlg.MemoryUsed());
        };
        QCOMPARE(states(), QStringLiteral("xx--x-- 98")); // shapes have no box until one is set
        file->setCheckState(0, Qt::Unchecked); // the file takes everything under it
        QCOMPARE(states(), QStringLiteral("....... 0"));
        a->setCheckState(0, Qt::Checked); // an airspace: its file and shapes
        QCOMPARE(states(), QStringLiteral("xxxx... 52"));
        b->child(1)->setCheckState(0, Qt::Checked); // a shape: its airspace and siblings
        QCOMPARE(states(), QStringLiteral("xxxxxxx 98"));
        b->child(0)->setCheckState(0, Qt::Unchecked); // the file stays
        QCOMPARE(states(), QStringLiteral("xxxx... 52"));
        a->setCheckState(0, Qt::Unchecked);
        QCOMPARE(states(), QStringLiteral("x...... 0"));
        dlg.ModifyChecks(b, Qt::Checked); // called directly: what lies below
        QCOMPARE(states(), QStringLiteral("x....xx 0"));
        dlg.ModifyChecks(nullptr, Qt::Checked);
    }

    void uploadThroughSimulator()
    {
        SimProcess sim;
        QVERIFY(sim.Start({}));
        ExtraPorts ports(sim.ports);
        ASpaceList dlg;
        dlg.Sender()->SetEndPause(0);
        dlg.LoadData(Write("u.txt", "AC R\nAN TEST\nAL SFC\nAH 1000ft\nDP 46:00:00 N 006:00:00 E\n"
                                    "V X=46:00:00 N 006:00:00 E\nDC 2\nAC Q\nAN Off\nDP 1 N 1 E\n"));
        dlg.FileItems().at(0)->child(1)->setCheckState(0, Qt::Unchecked);
        const QStringList expected = ASpaceList::BuildBatch(dlg.FileItems());
        QCOMPARE(expected.size(), 5);
        QList<int> progress;
        connect(dlg.Sender(), &ZvCommandSender::progress, this, [&progress](int i) { progress << i; });
        dlg.onUpload();
        QVERIFY(!dlg.UploadEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.Sending(), 20000);
        QVERIFY(dlg.UploadEnabled());
        QVERIFY(dlg.ProgressDialog()->isHidden());
        QCOMPARE(dlg.ProgressDialog()->ProgressMax(), 5);
        QCOMPARE(progress, QList<int>({1, 2, 3, 4, 5}));
        QCOMPARE(dlg.Sender()->Supported(), R8_AIRSPACE_MODELS);
        QCOMPARE(sim.Log().filter(QRegularExpression(QStringLiteral("^PZVCT"))), expected);
    }

    void closeWaitsForRunningBatch()
    {
        SimProcess sim;
        // Slow replies keep the batch running while the dialog is closed.
        QVERIFY(sim.Start({"--delay", "150"}));
        ExtraPorts ports(sim.ports);
        QPointer<QThread> thread;
        {
            ASpaceList dlg;
            dlg.Sender()->SetEndPause(0);
            thread = dlg.Sender()->thread();
            dlg.LoadData(Write("c.txt", Shapes(6, 0)));
            dlg.show();
            dlg.onUpload();
            QTRY_VERIFY_WITH_TIMEOUT(dlg.ProgressDialog()->isVisible(), 10000);
            dlg.reject();
            // Still open while the batch runs, closed once it has ended.
            QVERIFY(dlg.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 20000);
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QCOMPARE(sim.Log().filter(QStringLiteral("PZVCT")).size(), 1 + 1 + 6 + 1);
            QVERIFY(thread && thread->isRunning());
        }
        // The dialog took its thread down with it.
        QVERIFY(thread.isNull());
    }
};

QTEST_MAIN(TestASpaceList)
#include "test_aspacelist.moc"
