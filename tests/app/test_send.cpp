// The window's layout transfer against the instrument simulator on a
// pseudo-terminal: the batch that arrives, the progress shown, and quitting
// while a batch runs.
#include "progress.h"
#include "screenthumb.h"
#include "simprocess.h"
#include "windowhost.h"
#include "zvcommandsender.h"

#include <QElapsedTimer>

using namespace WindowHost;

namespace {

constexpr int kTransferMs = 20000;

QStringList LayoutSentences(const SimProcess& sim)
{
    return sim.Log().filter(QRegularExpression(QStringLiteral("^PZVFLO")));
}

} // namespace

class TestSend : public QObject
{
    Q_OBJECT

private slots:
    void batchReachesInstrument()
    {
        SimProcess sim;
        QVERIFY(sim.Start({}));
        ExtraPorts ports(sim.ports);
        MainWindow w;
        w.CommandSender()->SetEndPause(0);
        Place(w, R8_TYPE_DATAFIELD, QPoint(10, 20), 1, 33);
        Place(w, R8_TYPE_BATTERY, QPoint(0, 0), 0); // deleted from every page: not sent
        w.Thumb(0)->SetName(QStringLiteral("Main"));
        w.Thumb(3)->SetTrigger(5);
        w.Thumb(9)->SetTrigger(1);
        w.Thumb(9)->SetDisabled(1); // its trigger is not sent

        QSignalSpy ended(w.CommandSender(), &ZvCommandSender::ended);
        TestEnv::SendAnywayOnNextPrompt();
        w.SendToDevice();
        QVERIFY(!Act(w, "actionSend")->isEnabled()); // no second batch while this one runs
        QVERIFY(ended.wait(kTransferMs));
        QTRY_VERIFY(Act(w, "actionSend")->isEnabled());
        const QStringList expected = {
            QStringLiteral("PZVFLO,START"),        QStringLiteral("PZVFLO,1,33,10,20,80,29,44,1,0.00,0.00"),
            QStringLiteral("PZVFLO,NAME,0,Main)"), QStringLiteral("PZVFLO,TRIGGER,1,3,"),
            QStringLiteral("PZVFLO,TRIGGER,3,3,"), QStringLiteral("PZVFLO,DISABLED,512"),
            QStringLiteral("PZVFLO,END"),
        };
        QCOMPARE(LayoutSentences(sim), expected);
        Progress* progress = w.ProgressDialog();
        QCOMPARE(progress->ProgressValue(), expected.size());
        QCOMPARE(progress->ProgressMax(), expected.size());
        QCOMPARE(progress->Message(), QStringLiteral("All data sent."));
        QVERIFY(!progress->isVisible());
    }

    void quitWhileSending()
    {
        SimProcess sim;
        QVERIFY(sim.Start({QStringLiteral("--delay"), QStringLiteral("300")}));
        ExtraPorts ports(sim.ports);
        auto* w = new MainWindow;
        for (int k = 0; k < 30; ++k)
            Place(*w, R8_TYPE_DATAFIELD, QPoint(0, k * 10), 1);
        QSignalSpy progress(w->CommandSender(), &ZvCommandSender::progress);
        TestEnv::SendAnywayOnNextPrompt();
        w->SendToDevice();
        QVERIFY(progress.wait(kTransferMs));
        // The batch is still running: the window goes away now, without
        // waiting for the rest of it.
        QElapsedTimer t;
        t.start();
        delete w;
        QVERIFY2(t.elapsed() < 5000, "closing waited for the whole batch");
        QVERIFY(LayoutSentences(sim).size() < 30);
    }
};

QTEST_MAIN(TestSend)
#include "test_send.moc"
