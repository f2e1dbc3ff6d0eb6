// The command sender against r8sim: whole batches, every failure message,
// and its worker thread.
#include "progress.h"
#include "simprocess.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QPointer>
#include <QThread>
#include <QtTest>

namespace {

QStringList Bodies(int n)
{
    QStringList bodies;
    for (int i = 1; i <= n; ++i)
        bodies << QStringLiteral("PZVFLO,%1,33,0,0,80,29,44,1,0.00,0.00").arg(i);
    return bodies;
}

// What a batch reported, when run on the calling thread.
struct BatchReport {
    QList<int> started;
    QList<int> progress;
    QStringList messages;
    int ended = 0;
};

BatchReport RunBatch(ZvCommandSender& sender)
{
    BatchReport r;
    QObject::connect(&sender, &ZvCommandSender::started, [&r](int n) { r.started << n; });
    QObject::connect(&sender, &ZvCommandSender::progress, [&r](int n) { r.progress << n; });
    QObject::connect(&sender, &ZvCommandSender::message, [&r](const QString& s) { r.messages << s; });
    QObject::connect(&sender, &ZvCommandSender::ended, [&r]() { ++r.ended; });
    sender.doWork();
    return r;
}

// Stands in for the main window: a trigger signal and the four report slots
// driving a progress dialog, all on the main thread.
class Window : public QObject
{
    Q_OBJECT
public:
    Window()
    {
        thread = new QThread;
        sender = new ZvCommandSender;
        sender->SupportedDevices(R8_MODELS_DEFAULT);
        connect(this, &Window::startSend, sender, &ZvCommandSender::doWork);
        sender->moveToThread(thread);
        thread->start();
        connect(sender, &ZvCommandSender::started, this, &Window::onSendStarted);
        connect(sender, &ZvCommandSender::ended, this, &Window::onSendEnded);
        connect(sender, &ZvCommandSender::message, this, &Window::onSendMessage);
        connect(sender, &ZvCommandSender::progress, this, &Window::onSendProgress);
    }
    ~Window() override
    {
        FinishSenderThread(thread, sender);
        delete thread;
    }

    Progress dialog;
    QThread* thread;
    ZvCommandSender* sender;
    QList<int> progress;
    QStringList messages;
    int ended = 0;
    QElapsedTimer sinceLastMessage;

signals:
    void startSend();

public slots:
    void onSendStarted(int n)
    {
        dialog.SetProgresMax(n);
        dialog.UpdateProgress(0);
        dialog.show();
    }
    void onSendProgress(int n)
    {
        progress << n;
        dialog.UpdateProgress(n);
    }
    void onSendMessage(const QString& s)
    {
        messages << s;
        sinceLastMessage.start();
        dialog.ShowMessage(s);
    }
    void onSendEnded()
    {
        ++ended;
        dialog.hide();
    }
};

} // namespace

class TestSender : public QObject
{
    Q_OBJECT
private slots:
    void fullBatchAcknowledged();
    void nakStopsBatch();
    void silenceTimesOut();
    void modelMask_data();
    void modelMask();
    void noInstrument();
    void emptyBatchOpensNoPort();
    void hangUpEndsBatchAtOnce();
    void tooLongBodyIsNotSent();
    void progressDialogOnWorkerThread();
    void quitDuringTransfer();
    void twoSendersAtOnce();
};

void TestSender::fullBatchAcknowledged()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommands(Bodies(5));
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.started, QList<int>{5});
    QCOMPARE(r.progress, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(r.messages, (QStringList{QStringLiteral("Looking for the instrument…"),
                                      QStringLiteral("Connected to ALVO SD."), QStringLiteral("All data sent.")}));
    QCOMPARE(r.ended, 1);
    QCOMPARE(sender.QueuedCount(), 0);
    QCOMPARE(sim.Log(), Bodies(5));
}

void TestSender::nakStopsBatch()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--nak-at"), QStringLiteral("2")}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommands(Bodies(5));
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.progress, QList<int>{1});
    QCOMPARE(r.messages.last(), QStringLiteral("Device did not confirm final message!"));
    QVERIFY(!r.messages.contains(QStringLiteral("All data sent.")));
    QCOMPARE(r.ended, 1);
    QCOMPARE(sender.QueuedCount(), 0);
    QCOMPARE(sim.Log(), Bodies(2));
}

void TestSender::silenceTimesOut()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--silent-from"), QStringLiteral("3")}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommands(Bodies(4));
    QElapsedTimer timer;
    timer.start();
    const BatchReport r = RunBatch(sender);
    QVERIFY2(timer.elapsed() >= 1900, "the instrument gets 2 s to answer");
    QCOMPARE(r.progress, (QList<int>{1, 2}));
    QCOMPARE(r.messages.last(), QStringLiteral("Time out while sending to device."));
    QCOMPARE(sender.QueuedCount(), 0);
    QCOMPARE(sim.Log(), Bodies(3));
}

void TestSender::modelMask_data()
{
    QTest::addColumn<QStringList>("simOptions");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<QString>("firstMessage");
    QTest::newRow("R7OSK refused by default")
        << QStringList{QStringLiteral("--old"), QStringLiteral("R7OSK")} << uint(R8_MODELS_DEFAULT)
        << "R7OSK not supported.";
    QTest::newRow("older Alvo accepted")
        << QStringList{QStringLiteral("--old"), QStringLiteral("Alvo")} << uint(R8_MODELS_DEFAULT)
        << "Connected to Alvo.";
    QTest::newRow("DULAN SD refused by the airspace mask")
        << QStringList{QStringLiteral("--product"), QStringLiteral("d905")} << uint(R8_MODELS_AIRSPACE)
        << "DULAN SD not supported.";
    QTest::newRow("TEY SD+ accepted by the airspace mask")
        << QStringList{QStringLiteral("--product"), QStringLiteral("d903")} << uint(R8_MODELS_AIRSPACE)
        << "Connected to TEY SD+.";
}

void TestSender::modelMask()
{
    QFETCH(QStringList, simOptions);
    QFETCH(uint, mask);
    QFETCH(QString, firstMessage);
    SimProcess sim;
    QVERIFY(sim.Start(simOptions));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.SupportedDevices(mask);
    sender.AddCommands(Bodies(2));
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.messages.first(), QStringLiteral("Looking for the instrument…"));
    QCOMPARE(r.messages.value(1), firstMessage);
    const bool bRefused = firstMessage.endsWith(QLatin1String("not supported."));
    QCOMPARE(r.messages.size(), bRefused ? 2 : 3);
    QCOMPARE(sender.QueuedCount(), 0);
    QStringList log = sim.Log();
    log.removeAll(QStringLiteral("PZVSNP"));
    QCOMPARE(log, bRefused ? QStringList() : Bodies(2));
}

void TestSender::noInstrument()
{
    ExtraPorts use(QStringLiteral("/dev/null=1234:5678"));
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommands(Bodies(3));
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.started, QList<int>{3});
    QCOMPARE(r.messages, (QStringList{QStringLiteral("Looking for the instrument…"),
                                      QStringLiteral("Could not connect to device.")}));
    QCOMPARE(r.ended, 1);
    QCOMPARE(sender.QueuedCount(), 0);
}

void TestSender::emptyBatchOpensNoPort()
{
    // An older instrument would log the identification request if its port
    // were opened.
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--old"), QStringLiteral("Alvo")}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.started, QList<int>{0});
    QVERIFY(r.progress.isEmpty());
    QCOMPARE(r.messages, QStringList{QStringLiteral("All data sent.")});
    QCOMPARE(r.ended, 1);
    QTest::qWait(200);
    QVERIFY(sim.Log().isEmpty());
}

void TestSender::hangUpEndsBatchAtOnce()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--hangup-at"), QStringLiteral("3")}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommands(Bodies(6));
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.progress, (QList<int>{1, 2}));
    // Not a time-out: the port itself said the instrument is gone.
    QCOMPARE(r.messages.last(), QStringLiteral("Connection to device lost."));
    QCOMPARE(sender.QueuedCount(), 0);
}

void TestSender::tooLongBodyIsNotSent()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts use(sim.ports);
    ZvCommandSender sender;
    sender.SetEndPause(0);
    sender.AddCommand(QStringLiteral("PZVCTT,1"));
    sender.AddCommand(QStringLiteral("PZVCTP,") + QString(249, QLatin1Char('9'))); // 256 bytes
    sender.AddCommand(QStringLiteral("PZVCTT,2"));
    const BatchReport r = RunBatch(sender);
    QCOMPARE(r.progress, QList<int>{1});
    QCOMPARE(r.messages.last(), QStringLiteral("Command too long for the device, not sent."));
    QCOMPARE(sim.Log(), QStringList{QStringLiteral("PZVCTT,1")});
}

void TestSender::progressDialogOnWorkerThread()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts use(sim.ports);
    Window w;
    w.sender->AddCommands(Bodies(5)); // no batch runs yet
    emit w.startSend();
    QTRY_VERIFY_WITH_TIMEOUT(w.messages.contains(QStringLiteral("All data sent.")), 10000);
    QVERIFY(w.dialog.isVisible());
    QCOMPARE(w.dialog.ProgressMax(), 5);
    QCOMPARE(w.dialog.ProgressValue(), 5);
    QCOMPARE(w.progress, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(w.dialog.Message(), QStringLiteral("All data sent."));
    // The last message stays readable for 2 s, then the dialog goes.
    QTRY_COMPARE_WITH_TIMEOUT(w.ended, 1, 5000);
    QVERIFY(w.sinceLastMessage.elapsed() >= 1900);
    QVERIFY(!w.dialog.isVisible());

    // A second trigger with an empty queue: maximum 0, no port.
    w.messages.clear();
    emit w.startSend();
    QTRY_COMPARE_WITH_TIMEOUT(w.ended, 2, 5000);
    QCOMPARE(w.messages, QStringList{QStringLiteral("All data sent.")});
    QCOMPARE(w.dialog.ProgressMax(), 0);
    QCOMPARE(sim.Log(), Bodies(5));
}

void TestSender::quitDuringTransfer()
{
    // The instrument answers slowly; the owner goes away in mid-batch.
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--delay"), QStringLiteral("300")}));
    ExtraPorts use(sim.ports);
    auto* w = new Window;
    QPointer<ZvCommandSender> sender = w->sender;
    w->sender->AddCommands(Bodies(50));
    emit w->startSend();
    QTRY_VERIFY_WITH_TIMEOUT(!w->progress.isEmpty(), 5000);
    QElapsedTimer timer;
    timer.start();
    delete w; // stops the batch, quits the thread and waits for it
    QVERIFY2(timer.elapsed() < 2000, "the batch ends at its next wait, not after the queue");
    QVERIFY(sender.isNull());
    QTest::qWait(100); // late queued reports find no receiver
    QVERIFY(sim.Log().size() < 50);
}

void TestSender::twoSendersAtOnce()
{
    // Two older instruments, two senders on two threads: each link parses its
    // own replies.
    SimProcess a;
    SimProcess b;
    QVERIFY(a.Start({QStringLiteral("--old"), QStringLiteral("Alvo"), QStringLiteral("--delay"), QStringLiteral("20")}));
    QVERIFY(b.Start({QStringLiteral("--old"), QStringLiteral("Osk"), QStringLiteral("--split"), QStringLiteral("5")}));
    Window first;
    Window second;
    first.sender->SetEndPause(0);
    second.sender->SetEndPause(0);
    first.sender->AddCommands(Bodies(40));
    second.sender->AddCommands(Bodies(40));
    {
        // The port list is read when connecting: each sender sees one instrument.
        ExtraPorts use(a.ports);
        emit first.startSend();
        QTRY_VERIFY_WITH_TIMEOUT(!first.messages.isEmpty(), 5000);
    }
    ExtraPorts use(b.ports);
    emit second.startSend();
    QTRY_COMPARE_WITH_TIMEOUT(first.ended, 1, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(second.ended, 1, 30000);
    QCOMPARE(first.messages.last(), QStringLiteral("All data sent."));
    QCOMPARE(second.messages.last(), QStringLiteral("All data sent."));
    QStringList logA = a.Log();
    QStringList logB = b.Log();
    logA.removeAll(QStringLiteral("PZVSNP"));
    logB.removeAll(QStringLiteral("PZVSNP"));
    QCOMPARE(logA, Bodies(40));
    QCOMPARE(logB, Bodies(40));
}

QTEST_MAIN(TestSender)
#include "test_sender.moc"
