// The link and the command sender against simulated instruments on
// pseudo-terminals, which check every sentence's framing: the port search,
// whole batches, replies through a difficult line, and every failure message.
#include "simprocess.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QtTest>

class TestPort : public QObject
{
    Q_OBJECT
private slots:
    // Two ports searched in order (after one that is no port at all): what
    // the first answers decides.
    void search_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QString>("name"); // empty: no instrument
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("port"); // the port kept open: 1 first, 2 second
        QTest::newRow("own USB interface")
            << QStringList{"--product", "d903"} << QStringList{} << "TEY SD+" << 0xD903 << 1;
        QTest::newRow("behind a converter")
            << QStringList{"--old", "Dulan"} << QStringList{} << "Dulan" << 0xD805 << 1;
        QTest::newRow("converter without a name ends the search")
            << QStringList{"--old", "none"} << QStringList{"--old", "Alvo"} << QString() << 0 << 0;
        QTest::newRow("product outside the table ends the search")
            << QStringList{"--product", "d906"} << QStringList{} << QString() << 0 << 0;
        QTest::newRow("identification cut short: the next port")
            << QStringList{"--old", "Osk", "--short-ident"} << QStringList{"--old", "Tey"} << "Tey" << 0xD804 << 2;
        QTest::newRow("silent converter") << QStringList{"--old", "Alvo", "--delay", "3000"}
                                          << QStringList{"--product", "d906"} << QString() << 0 << 0;
    }
    void search()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, name);
        QFETCH(int, model);
        QFETCH(int, port);
        SimProcess a;
        SimProcess b;
        QVERIFY(a.Start(first));
        QVERIFY(b.Start(second));
        ExtraPorts use(QStringLiteral("/dev/null=1234:5678;") + a.ports + QLatin1Char(';') + b.ports);
        ZVcomPort link;
        QCOMPARE(link.ConnectToInstrument(), port ? 1 : 0);
        QCOMPARE(link.strModel, name);
        QCOMPARE(link.iModel, model);
        const QString open = link.port.isOpen() ? QLatin1String("/dev/") + link.port.portName() : QString();
        QCOMPARE(open, port ? (port == 1 ? a.device : b.device) : QString());
        // Only the older instruments behind a converter are asked who they are.
        QCOMPARE(a.Log(), first.contains("--old") ? QStringList{"PZVSNP"} : QStringList());
    }

    // One batch run on the calling thread: what it reports and what arrives.
    void batch_data()
    {
        QTest::addColumn<QStringList>("sim"); // "none": no instrument at all
        QTest::addColumn<uint>("mask");
        QTest::addColumn<int>("count");    // bodies in the batch
        QTest::addColumn<int>("acked");    // progress goes 1 .. acked
        QTest::addColumn<int>("received"); // bodies the instrument got
        QTest::addColumn<QStringList>("messages");
        const uint def = R8_MODELS_DEFAULT, air = R8_MODELS_AIRSPACE;
        const QString alvo = QStringLiteral("Connected to ALVO SD.");
        const QString sent = QStringLiteral("All data sent.");
        QTest::newRow("acknowledged") << QStringList{} << def << 5 << 5 << 5 << QStringList{alvo, sent};
        const QString nak = QStringLiteral("Device did not confirm final message!");
        QTest::newRow("NAK") << QStringList{"--nak-at", "2"} << def << 5 << 1 << 2 << QStringList{alvo, nak};
        // Replies read through a difficult line.
        QTest::newRow("split in 3-byte pieces")
            << QStringList{"--split", "3", "--nak-at", "3"} << def << 3 << 2 << 3 << QStringList{alvo, nak};
        QTest::newRow("noise before replies")
            << QStringList{"--garbage", "--nak-at", "3"} << def << 3 << 2 << 3 << QStringList{alvo, nak};
        QTest::newRow("wrong checksum") << QStringList{"--bad-checksum", "--nak-at", "3"} << def << 3 << 2 << 3
                                        << QStringList{alvo, nak};
        QTest::newRow("slow") << QStringList{"--delay", "300", "--nak-at", "3"} << def << 3 << 2 << 3
                              << QStringList{alvo, nak};
        QTest::newRow("silence") << QStringList{"--silent-from", "3"} << def << 4 << 2 << 3
                                 << QStringList{alvo, "Time out while sending to device."};
        QTest::newRow("hang-up") << QStringList{"--hangup-at", "3"} << def << 6 << 2 << 3
                                 << QStringList{alvo, "Connection to device lost."};
        QTest::newRow("second too long") << QStringList{} << def << 3 << 1 << 1
                                         << QStringList{alvo, "Command too long for the device, not sent."};
        QTest::newRow("R7OSK refused") << QStringList{"--old", "R7OSK"} << def << 2 << 0 << 0
                                       << QStringList{"R7OSK not supported."};
        QTest::newRow("DULAN SD refused for airspaces")
            << QStringList{"--product", "d905"} << air << 2 << 0 << 0 << QStringList{"DULAN SD not supported."};
        QTest::newRow("TEY SD+ takes airspaces")
            << QStringList{"--product", "d903"} << air << 2 << 2 << 2 << QStringList{"Connected to TEY SD+.", sent};
        QTest::newRow("empty batch opens no port")
            << QStringList{"--old", "Alvo"} << def << 0 << 0 << 0 << QStringList{sent};
        QTest::newRow("no instrument") << QStringList{"none"} << def << 3 << 0 << 0
                                       << QStringList{"Could not connect to device."};
    }
    void batch()
    {
        QFETCH(QStringList, sim);
        QFETCH(uint, mask);
        QFETCH(int, count);
        QFETCH(int, acked);
        QFETCH(int, received);
        QFETCH(QStringList, messages);
        QStringList bodies;
        for (int i = 1; i <= count; ++i)
            bodies << QStringLiteral("PZVCTT,%1").arg(i); // checksums below 0x10
        if (QTest::currentDataTag() == QLatin1String("second too long"))
            bodies[1] = QStringLiteral("PZVCTP,") + QString(249, QLatin1Char('9'));
        SimProcess instrument;
        if (sim != QStringList{"none"})
            QVERIFY(instrument.Start(sim));
        ExtraPorts use(instrument.ports.isEmpty() ? QStringLiteral("/dev/null=1234:5678") : instrument.ports);
        ZvCommandSender sender;
        sender.SetEndPause(0);
        sender.SupportedDevices(mask);
        sender.AddCommands(bodies);
        QStringList said; // every signal in order
        connect(&sender, &ZvCommandSender::started, [&](int n) { said << QStringLiteral("started %1").arg(n); });
        connect(&sender, &ZvCommandSender::progress, [&](int n) { said << QString::number(n); });
        connect(&sender, &ZvCommandSender::message, [&](const QString& text) { said << text; });
        connect(&sender, &ZvCommandSender::ended, [&] { said << QStringLiteral("ended"); });
        sender.doWork();
        // Every port search is announced first; progress comes before the last message.
        if (count > 0)
            messages.prepend(QStringLiteral("Looking for the instrument…"));
        for (int i = 1; i <= acked; ++i)
            messages.insert(messages.size() - 1, QString::number(i));
        QCOMPARE(said, QStringList{QStringLiteral("started %1").arg(count)} + messages + QStringList{"ended"});
        QCOMPARE(sender.QueuedCount(), 0);
        QTest::qWait(count ? 0 : 200); // time for a stray request to show
        QStringList log = instrument.Log();
        if (count > 0) // an older instrument is asked who it is first
            log.removeAll(QStringLiteral("PZVSNP"));
        QCOMPARE(log, bodies.mid(0, received));
    }
};

QTEST_MAIN(TestPort)
#include "test_port.moc"
