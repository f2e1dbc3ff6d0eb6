// The window's layout transfer against the instrument simulator on a
// pseudo-terminal: the batch that arrives, the progress shown, and quitting
// while a batch runs.
#include "simprocess.h"
#include "mainwindow.h"
#include "progress.h"
#include "r8element.h"
#include "screenthumb.h"
#include "testsupport.h"
#include "zvcommandsender.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPointer>
#include <QtTest>

namespace {
constexpr int kTransferMs = 20000;
}

class TestSend : public QObject
{
    Q_OBJECT

private:
    static R8element* Place(MainWindow& w, int iType, QPoint pos, unsigned int uPages)
    {
        R8element* el = w.Elements().value(w.AddElement(iType));
        el->RestorePosition(pos);
        el->RestorePages(uPages);
        return el;
    }
    static QAction* SendAct(MainWindow& w) { return w.findChild<QAction*>(QStringLiteral("actionSend")); }

private slots:
    void batchReachesInstrument();
    void quitWhileSending();
};

void TestSend::batchReachesInstrument()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts ports(sim.ports);

    MainWindow w;
    w.CommandSender()->SetEndPause(0);
    R8element* box = Place(w, R8_TYPE_DATAFIELD, QPoint(10, 20), 1);
    box->RestoreField(33);
    Place(w, R8_TYPE_BATTERY, QPoint(0, 0), 0); // deleted from every page: not sent
    w.Thumb(0)->SetName(QStringLiteral("Main"));
    w.Thumb(3)->SetTrigger(5);
    w.Thumb(9)->SetTrigger(1);
    w.Thumb(9)->SetDisabled(1);

    QSignalSpy ended(w.CommandSender(), &ZvCommandSender::ended);
    TestEnv::SendAnywayOnNextPrompt();
    w.SendToDevice();
    QVERIFY(!SendAct(w)->isEnabled()); // no second batch while this one runs
    QVERIFY(ended.wait(kTransferMs));
    QTRY_VERIFY(SendAct(w)->isEnabled());

    QStringList received;
    for (const QString& line : sim.Log())
        if (line.startsWith(QLatin1String("PZVFLO")))
            received.append(line);
    const QStringList expected = {
        QStringLiteral("PZVFLO,START"),        QStringLiteral("PZVFLO,1,33,10,20,80,29,44,1,0.00,0.00"),
        QStringLiteral("PZVFLO,NAME,0,Main)"), QStringLiteral("PZVFLO,TRIGGER,1,3,"),
        QStringLiteral("PZVFLO,TRIGGER,3,3,"), QStringLiteral("PZVFLO,DISABLED,512"),
        QStringLiteral("PZVFLO,END"),
    };
    QCOMPARE(received, expected);

    Progress* progress = w.ProgressDialog();
    QCOMPARE(progress->ProgressMax(), expected.size());
    QCOMPARE(progress->ProgressValue(), expected.size());
    QCOMPARE(progress->Message(), QStringLiteral("All data sent."));
    QVERIFY(!progress->isVisible());
}

void TestSend::quitWhileSending()
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

    // The batch is still running: the window goes away now.
    QElapsedTimer t;
    t.start();
    delete w;
    QVERIFY2(t.elapsed() < 5000, "closing waited for the whole batch");
    // Far fewer sentences than the batch holds arrived.
    int sent = 0;
    for (const QString& line : sim.Log())
        sent += line.startsWith(QLatin1String("PZVFLO")) ? 1 : 0;
    QVERIFY(sent < 30);
}

QTEST_MAIN(TestSend)
#include "test_send.moc"
