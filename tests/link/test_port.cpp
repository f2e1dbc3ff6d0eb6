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
        QTest::addColumn<QString>("first"); // r8sim's options
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("name"); // empty: no instrument
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("port"); // the port kept open: 1 first, 2 second
        QTest::newRow("own USB interface") << "--product d903"
                                           << ""
                                           << "TEY SD+" << 0xD903 << 1;
        QTest::newRow("behind a converter") << "--old Dulan"
                                            << ""
                                            << "Dulan" << 0xD805 << 1;
        QTest::newRow("converter without a name ends the search") << "--old none"
                                                                  << "--old Alvo"
                                                                  << "" << 0 << 0;
        QTest::newRow("product outside the table ends the search") << "--product d906"
                                                                   << ""
                                                                   << "" << 0 << 0;
        QTest::newRow("identification cut short: next port") << "--old Osk --short-ident"
                                                             << "--old Tey"
                                                             << "Tey" << 0xD804 << 2;
        QTest::newRow("silent converter") << "--old Alvo --delay 3000"
                                          << "--product d906"
                                          << "" << 0 << 0;
    }
    void search()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, name);
        QFETCH(int, model);
        QFETCH(int, port);
        SimProcess a;
        SimProcess b;
        QVERIFY(a.Start(first.split(' ', Qt::SkipEmptyParts)));
        QVERIFY(b.Start(second.split(' ', Qt::SkipEmptyParts)));
        ExtraPorts use(QStringLiteral("/dev/null=1234:5678;") + a.ports + QLatin1Char(';') + b.ports);
        ZVcomPort link;
        QCOMPARE(link.ConnectToInstrument(), port ? 1 : 0);
        QCOMPARE(link.strModel, name);
        QCOMPARE(link.iModel, model);
        const QString open = link.port.isOpen() ? QLatin1String("/dev/") + link.port.portName() : QString();
        QCOMPARE(open, port ? (port == 1 ? a.device : b.device) : QString());
        // Only the older instruments behind a converter are asked who they are.
        QCOMPARE(a.Log(), first.startsWith("--old") ? QStringList{"PZVSNP"} : QStringList());
    }

    // One batch run on the calling thread: what it reports and what arrives.
    void batch_data()
    {
        QTest::addColumn<QString>("sim"); // r8sim's options; "none": no instrument at all
        QTest::addColumn<uint>("mask");
        QTest::addColumn<int>("count");    // bodies in the batch
        QTest::addColumn<int>("acked");    // progress goes 1 .. acked
        QTest::addColumn<int>("received"); // bodies the instrument got
        QTest::addColumn<QStringList>("messages");
        const uint def = R8_MODELS_DEFAULT, air = R8_MODELS_AIRSPACE;
        const QString alvo = QStringLiteral("Connected to ALVO SD.");
        const QString sent = QStringLiteral("All data sent.");
        const QString nak = QStringLiteral("Device did not confirm final message!");
        const QString nakAt3 = QStringLiteral(" --nak-at 3");
        QTest::newRow("acknowledged") << "" << def << 5 << 5 << 5 << QStringList{alvo, sent};
        QTest::newRow("NAK") << "--nak-at 2" << def << 5 << 1 << 2 << QStringList{alvo, nak};
        // Replies read through a difficult line.
        for (const char* how : {"--split 3", "--garbage", "--bad-checksum", "--delay 300"})
            QTest::newRow(how) << how + nakAt3 << def << 3 << 2 << 3 << QStringList{alvo, nak};
        QTest::newRow("silence") << "--silent-from 3" << def << 4 << 2 << 3
                                 << QStringList{alvo, "Time out while sending to device."};
        QTest::newRow("hang-up") << "--hangup-at 3" << def << 6 << 2 << 3
                                 << QStringList{alvo, "Connection to device lost."};
        QTest::newRow("second too long")
            << "" << def << 3 << 1 << 1 << QStringList{alvo, "Command too long for the device, not sent."};
        QTest::newRow("R7OSK") << "--old R7OSK" << def << 2 << 0 << 0 << QStringList{"R7OSK not supported."};
        QTest::newRow("no airspaces for DULAN SD")
            << "--product d905" << air << 2 << 0 << 0 << QStringList{"DULAN SD not supported."};
        QTest::newRow("airspaces for TEY SD+")
            << "--product d903" << air << 2 << 2 << 2 << QStringList{"Connected to TEY SD+.", sent};
        QTest::newRow("empty batch opens no port") << "--old Alvo" << def << 0 << 0 << 0 << QStringList{sent};
        QTest::newRow("no instrument") << "none" << def << 3 << 0 << 0
                                       << QStringList{"Could not connect to device."};
    }
    void batch()
    {
        QFETCH(QString, sim);
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
        if (sim != QLatin1String("none"))
            QVERIFY(instrument.Start(sim.split(' ', Qt::SkipEmptyParts)));
        ExtraPorts use(instrument.ports.isEmpty() ? QStringLiteral("/dev/null=1234:5678") : instrument.ports);
        ZvCommandSender sender;
        sender.SetEndPause(0);
        sender.SupportedDevices(mask);
        sender.AddCommands(bodies);
        QStringList said; // every signal in order
        connect(&sender, &ZvCommandSender::started, [&](int n) { said << QString("started %1").arg(n); });
        connect(&sender, &ZvCommandSender::progress, [&](int n) { said << QString::number(n); });
        connect(&sender, &ZvCommandSender::message, [&](const QString& text) { said << text; });
        connect(&sender, &ZvCommandSender::ended, [&] { said << QStringLiteral("ended"); });
        sender.doWork();
        // Every port search is announced first; progress comes before the last message.
        if (count > 0)
            messages.prepend(QStringLiteral("Looking for the instrument…"));
        for (int i = 1; i <= acked; ++i)
            messages.insert(messages.size() - 1, QString::number(i));
        messages.prepend(QString("started %1").arg(count));
        QCOMPARE(said, messages << QStringLiteral("ended"));
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
