// The command sender against r8sim: whole batches and every failure message.
#include "simprocess.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QtTest>

namespace {

QStringList Bodies(int n)
{
    QStringList bodies;
    for (int i = 1; i <= n; ++i)
        bodies << QStringLiteral("PZVFLO,%1,33,0,0,80,29,44,1,0.00,0.00").arg(i);
    return bodies;
}

} // namespace

class TestSender : public QObject
{
    Q_OBJECT
private slots:
    // One batch run on the calling thread: what it reports and what arrives.
    void batch_data()
    {
        QTest::addColumn<QStringList>("sim"); // "none": no instrument at all
        QTest::addColumn<uint>("mask");
        QTest::addColumn<QStringList>("bodies");
        QTest::addColumn<QList<int>>("progress");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("received");
        const uint def = R8_MODELS_DEFAULT, air = R8_MODELS_AIRSPACE;
        const QString sent = QStringLiteral("All data sent.");
        QTest::newRow("acknowledged") << QStringList{} << def << Bodies(5) << QList<int>{1, 2, 3, 4, 5}
                                      << QStringList{"Connected to ALVO SD.", sent} << 5;
        QTest::newRow("NAK") << QStringList{"--nak-at", "2"} << def << Bodies(5) << QList<int>{1}
                             << QStringList{"Connected to ALVO SD.", "Device did not confirm final message!"} << 2;
        QTest::newRow("silence") << QStringList{"--silent-from", "3"} << def << Bodies(4) << QList<int>{1, 2}
                                 << QStringList{"Connected to ALVO SD.", "Time out while sending to device."} << 3;
        QTest::newRow("hang-up") << QStringList{"--hangup-at", "3"} << def << Bodies(6) << QList<int>{1, 2}
                                 << QStringList{"Connected to ALVO SD.", "Connection to device lost."} << 3;
        QTest::newRow("too long") << QStringList{} << def
                                  << QStringList{"PZVCTT,1", "PZVCTP," + QString(249, QLatin1Char('9')), "PZVCTT,2"}
                                  << QList<int>{1}
                                  << QStringList{"Connected to ALVO SD.",
                                                 "Command too long for the device, not sent."}
                                  << 1;
        QTest::newRow("R7OSK refused") << QStringList{"--old", "R7OSK"} << def << Bodies(2) << QList<int>{}
                                       << QStringList{"R7OSK not supported."} << 0;
        QTest::newRow("older Alvo") << QStringList{"--old", "Alvo"} << def << Bodies(2) << QList<int>{1, 2}
                                    << QStringList{"Connected to Alvo.", sent} << 2;
        QTest::newRow("DULAN SD refused for airspaces")
            << QStringList{"--product", "d905"} << air << Bodies(2) << QList<int>{}
            << QStringList{"DULAN SD not supported."} << 0;
        QTest::newRow("TEY SD+ takes airspaces")
            << QStringList{"--product", "d903"} << air << Bodies(2) << QList<int>{1, 2}
            << QStringList{"Connected to TEY SD+.", sent} << 2;
        QTest::newRow("empty batch opens no port")
            << QStringList{"--old", "Alvo"} << def << QStringList{} << QList<int>{} << QStringList{sent} << 0;
        QTest::newRow("no instrument") << QStringList{"none"} << def << Bodies(3) << QList<int>{}
                                       << QStringList{"Could not connect to device."} << 0;
    }
    void batch()
    {
        QFETCH(QStringList, sim);
        QFETCH(uint, mask);
        QFETCH(QStringList, bodies);
        QFETCH(QList<int>, progress);
        QFETCH(QStringList, messages);
        QFETCH(int, received);
        if (!bodies.isEmpty()) // every port search is announced first
            messages.prepend(QStringLiteral("Looking for the instrument…"));
        SimProcess instrument;
        if (sim != QStringList{"none"})
            QVERIFY(instrument.Start(sim));
        ExtraPorts use(instrument.ports.isEmpty() ? QStringLiteral("/dev/null=1234:5678") : instrument.ports);
        ZvCommandSender sender;
        sender.SetEndPause(0);
        sender.SupportedDevices(mask);
        sender.AddCommands(bodies);
        QList<int> started, reported;
        QStringList said;
        int ended = 0;
        connect(&sender, &ZvCommandSender::started, [&](int n) { started << n; });
        connect(&sender, &ZvCommandSender::progress, [&](int n) { reported << n; });
        connect(&sender, &ZvCommandSender::message, [&](const QString& s) { said << s; });
        connect(&sender, &ZvCommandSender::ended, [&] { ++ended; });
        sender.doWork();
        QCOMPARE(started, QList<int>{int(bodies.size())});
        QCOMPARE(reported, progress);
        QCOMPARE(said, messages);
        QCOMPARE(ended, 1);
        QCOMPARE(sender.QueuedCount(), 0);
        QTest::qWait(bodies.isEmpty() ? 200 : 0); // time for a stray request to show
        QStringList log = instrument.Log();
        log.removeAll(QStringLiteral("PZVSNP"));
        QCOMPARE(log, bodies.mid(0, received));
        if (bodies.isEmpty())
            QVERIFY(instrument.Log().isEmpty());
    }
};

QTEST_MAIN(TestSender)
#include "test_sender.moc"
