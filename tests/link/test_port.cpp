// The link against simulated instruments on pseudo-terminals.
#include "simprocess.h"
#include "zvcomport.h"

#include <QtTest>

class TestPort : public QObject
{
    Q_OBJECT
private slots:
    void identifies_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("name");
        QTest::newRow("d901") << QStringList{"--product", "d901"} << 0xD901 << "ALVO SD";
        QTest::newRow("d903") << QStringList{"--product", "d903"} << 0xD903 << "TEY SD+";
        QTest::newRow("d905") << QStringList{"--product", "d905"} << 0xD905 << "DULAN SD";
        QTest::newRow("older Alvo") << QStringList{"--old", "Alvo"} << 0xD801 << "Alvo";
        QTest::newRow("older Osk") << QStringList{"--old", "Osk"} << 0xD802 << "Osk";
        QTest::newRow("older Tey") << QStringList{"--old", "Tey"} << 0xD804 << "Tey";
        QTest::newRow("older Dulan") << QStringList{"--old", "Dulan"} << 0xD805 << "Dulan";
        QTest::newRow("R7OSK") << QStringList{"--old", "R7OSK"} << 0 << "R7OSK";
    }
    void identifies()
    {
        QFETCH(QStringList, options);
        QFETCH(int, model);
        QFETCH(QString, name);
        SimProcess sim;
        QVERIFY(sim.Start(options + QStringList{"--serial", "777", "--info", "v3"}));
        ExtraPorts use(sim.ports);
        ZVcomPort link;
        QCOMPARE(link.ConnectToInstrument(), 1);
        QVERIFY(link.port.isOpen());
        QCOMPARE(link.iModel, model);
        QCOMPARE(link.strModel, name);
        // Only the older instruments behind a converter are asked who they are.
        const bool bOlder = options.first() == QLatin1String("--old");
        QCOMPARE(sim.Log(), bOlder ? QStringList{"PZVSNP"} : QStringList());
        if (bOlder) {
            QCOMPARE(link.strSerial, QStringLiteral("777"));
            QCOMPARE(link.strInfo, QStringLiteral("v3"));
        }
    }

    // Two ports searched in order: what the first answers decides.
    void searchOrder_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QString>("found"); // empty: no instrument
        QTest::newRow("converter without a name ends the search")
            << QStringList{"--old", "none"} << QStringList{"--old", "Alvo"} << QString();
        QTest::newRow("product outside the table ends the search")
            << QStringList{"--product", "d906"} << QStringList{} << QString();
        QTest::newRow("identification cut short: the next port")
            << QStringList{"--old", "Osk", "--short-ident"} << QStringList{"--old", "Tey"} << "Tey";
        QTest::newRow("silent converter")
            << QStringList{"--old", "Alvo", "--delay", "3000"} << QStringList{"--product", "d906"} << QString();
    }
    void searchOrder()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, found);
        SimProcess a;
        SimProcess b;
        QVERIFY(a.Start(first));
        QVERIFY(b.Start(second));
        ExtraPorts use(QStringLiteral("/dev/null=1234:5678;") + a.ports + QLatin1Char(';') + b.ports);
        ZVcomPort link;
        QCOMPARE(link.ConnectToInstrument(), found.isEmpty() ? 0 : 1);
        QCOMPARE(link.strModel, found);
        QCOMPARE(link.port.isOpen(), !found.isEmpty());
        if (!found.isEmpty())
            QCOMPARE(QLatin1String("/dev/") + link.port.portName(), b.device);
        else
            QCOMPARE(link.iModel, 0);
    }

    void sentencesReachInstrumentFramed()
    {
        SimProcess sim;
        QVERIFY(sim.Start({}));
        ExtraPorts use(sim.ports);
        ZVcomPort link;
        QCOMPARE(link.ConnectToInstrument(), 1);
        // The instrument checks framing and checksum; "ab" has a one-digit checksum.
        const QStringList bodies = {"PZVFLO,START", "PZVFLO,ab", "PZVFLO,TRIGGER,1,3,", "PZVCTT,1,2"};
        for (const QString& body : bodies) {
            QVERIFY(link.SendCommand(body.toLatin1()));
            QCOMPARE(link.WaitResponse(20), int(R8_REPLY_ACK));
        }
        QCOMPARE(sim.Log(), bodies);
        // Too long: nothing goes out.
        QVERIFY(!link.SendCommand(QByteArray(256, 'x')));
        QCOMPARE(link.WaitResponse(2), int(R8_REPLY_NONE));
        QCOMPARE(sim.Log().size(), 4);
    }

    void replies_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<int>>("results"); // for three sentences
        const int ack = R8_REPLY_ACK, nak = R8_REPLY_NAK, none = R8_REPLY_NONE, lost = R8_REPLY_PORT_LOST;
        QTest::newRow("split in 3-byte pieces")
            << QStringList{"--split", "3", "--nak-at", "3"} << QList<int>{ack, ack, nak};
        QTest::newRow("noise before replies")
            << QStringList{"--garbage", "--nak-at", "3"} << QList<int>{ack, ack, nak};
        QTest::newRow("wrong checksum") << QStringList{"--bad-checksum", "--nak-at", "3"}
                                        << QList<int>{ack, ack, nak};
        QTest::newRow("slow") << QStringList{"--delay", "300", "--nak-at", "3"} << QList<int>{ack, ack, nak};
        QTest::newRow("silence") << QStringList{"--silent-from", "2"} << QList<int>{ack, none, none};
        QTest::newRow("hang-up") << QStringList{"--hangup-at", "2"} << QList<int>{ack, lost, lost};
    }
    void replies()
    {
        QFETCH(QStringList, options);
        QFETCH(QList<int>, results);
        SimProcess sim;
        QVERIFY(sim.Start(options));
        ExtraPorts use(sim.ports);
        ZVcomPort link;
        QCOMPARE(link.ConnectToInstrument(), 1);
        QList<int> got;
        for (int i = 0; i < results.size(); ++i) {
            link.SendCommand("PZVFLO,START");
            if (results.at(i) == R8_REPLY_PORT_LOST)
                QVERIFY(sim.Finished(3000));
            got << link.WaitResponse(results.at(i) == R8_REPLY_NONE ? 3 : 50);
        }
        QCOMPARE(got, results);
        QCOMPARE(link.PortLost(), results.contains(R8_REPLY_PORT_LOST));
    }
};

QTEST_MAIN(TestPort)
#include "test_port.moc"
