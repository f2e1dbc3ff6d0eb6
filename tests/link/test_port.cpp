// The link against a simulated instrument on a pseudo-terminal.
#include "simprocess.h"
#include "zvcomport.h"

#include <QtTest>

class TestPort : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sdInstrumentByProductId_data();
    void sdInstrumentByProductId();
    void olderInstrumentIdentified_data();
    void olderInstrumentIdentified();
    void olderInstrumentWithoutNameEndsSearch();
    void identificationCutShortIsGivenUp();
    void productOutsideTableEndsSearch();
    void noInstrument();
    void sentenceReachesInstrumentFramed();
    void repliesSplitNoisyOrBadChecksum_data();
    void repliesSplitNoisyOrBadChecksum();
    void silenceTimesOut();
    void hangUpIsReadError();
    void flushDiscardsInput();
    void closedPortDoesNothing();
};

void TestPort::initTestCase()
{
    QVERIFY2(QFile::exists(TestEnv::ToolPath("R8SIM")), "r8sim not built");
}

void TestPort::sdInstrumentByProductId_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("name");
    QTest::newRow("d901") << "d901" << 0xD901 << "ALVO SD";
    QTest::newRow("d903") << "d903" << 0xD903 << "TEY SD+";
    QTest::newRow("d905") << "d905" << 0xD905 << "DULAN SD";
}

void TestPort::sdInstrumentByProductId()
{
    QFETCH(QString, product);
    QFETCH(int, model);
    QFETCH(QString, name);
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--product"), product}));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QVERIFY(link.port.isOpen());
    QCOMPARE(link.iModel, model);
    QCOMPARE(link.strModel, name);
    // No identification exchange with these instruments.
    QVERIFY(sim.Log().isEmpty());
}

void TestPort::olderInstrumentIdentified_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("model");
    QTest::newRow("Alvo") << "Alvo" << 0xD801;
    QTest::newRow("Osk") << "Osk" << 0xD802;
    QTest::newRow("Tey") << "Tey" << 0xD804;
    QTest::newRow("Dulan") << "Dulan" << 0xD805;
    QTest::newRow("R7OSK") << "R7OSK" << 0;
}

void TestPort::olderInstrumentIdentified()
{
    QFETCH(QString, name);
    QFETCH(int, model);
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--old"), name, QStringLiteral("--serial"), QStringLiteral("777"),
                       QStringLiteral("--info"), QStringLiteral("v3")}));
    QVERIFY(sim.ports.endsWith(QLatin1String("=0403:6001")));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QCOMPARE(link.strModel, name);
    QCOMPARE(link.iModel, model);
    QCOMPARE(link.strSerial, QStringLiteral("777"));
    QCOMPARE(link.strInfo, QStringLiteral("v3"));
    QCOMPARE(sim.Log(), QStringList{QStringLiteral("PZVSNP")});
}

void TestPort::olderInstrumentWithoutNameEndsSearch()
{
    SimProcess nameless;
    SimProcess later;
    QVERIFY(nameless.Start({QStringLiteral("--old"), QStringLiteral("none")}));
    QVERIFY(later.Start({QStringLiteral("--old"), QStringLiteral("Alvo")}));
    ExtraPorts use(nameless.ports + QLatin1Char(';') + later.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 0);
    QVERIFY(!link.port.isOpen());
    QVERIFY(later.Log().isEmpty());
}

void TestPort::identificationCutShortIsGivenUp()
{
    // The first converter answers with a reply cut short: after its 1 s the
    // search goes on to the next port.
    SimProcess cut;
    SimProcess good;
    QVERIFY(cut.Start({QStringLiteral("--old"), QStringLiteral("Osk"), QStringLiteral("--short-ident")}));
    QVERIFY(good.Start({QStringLiteral("--old"), QStringLiteral("Tey")}));
    ExtraPorts use(cut.ports + QLatin1Char(';') + good.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QCOMPARE(link.strModel, QStringLiteral("Tey"));
    QCOMPARE(QLatin1String("/dev/") + link.port.portName(), good.device);
    QCOMPARE(cut.Log(), QStringList{QStringLiteral("PZVSNP")});
}

void TestPort::productOutsideTableEndsSearch()
{
    SimProcess odd;
    SimProcess good;
    QVERIFY(odd.Start({QStringLiteral("--product"), QStringLiteral("d906")}));
    QVERIFY(good.Start({}));
    ExtraPorts use(odd.ports + QLatin1Char(';') + good.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 0);
    QVERIFY(link.strModel.isEmpty());
    QCOMPARE(link.iModel, 0);
    QVERIFY(!link.port.isOpen());
}

void TestPort::noInstrument()
{
    // A port of another vendor and a converter nobody answers on.
    SimProcess silent;
    QVERIFY(silent.Start({QStringLiteral("--old"), QStringLiteral("Alvo"), QStringLiteral("--delay"),
                          QStringLiteral("3000")}));
    ExtraPorts use(QStringLiteral("/dev/null=1234:5678;") + silent.device + QStringLiteral("=0403:6001"));
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 0);
    QVERIFY(!link.port.isOpen());
    QCOMPARE(link.iModel, 0);
}

void TestPort::sentenceReachesInstrumentFramed()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    // The instrument checks framing and checksum; "ab" has a one-digit checksum.
    const QList<QByteArray> bodies = {"PZVFLO,START", "PZVFLO,ab", "PZVFLO,TRIGGER,1,3,", "PZVCTT,1,2"};
    for (const QByteArray& body : bodies) {
        QVERIFY(link.SendCommand(body));
        QCOMPARE(link.WaitResponse(20), int(R8_REPLY_ACK));
    }
    QCOMPARE(sim.Log(), (QStringList{QStringLiteral("PZVFLO,START"), QStringLiteral("PZVFLO,ab"),
                                    QStringLiteral("PZVFLO,TRIGGER,1,3,"), QStringLiteral("PZVCTT,1,2")}));
    // Too long: nothing goes out.
    QVERIFY(!link.SendCommand(QByteArray(256, 'x')));
    QCOMPARE(link.WaitResponse(2), int(R8_REPLY_NONE));
    QCOMPARE(sim.Log().size(), 4);
}

void TestPort::repliesSplitNoisyOrBadChecksum_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("split in 3-byte pieces") << QStringList{QStringLiteral("--split"), QStringLiteral("3")};
    QTest::newRow("noise before replies") << QStringList{QStringLiteral("--garbage")};
    QTest::newRow("wrong checksum") << QStringList{QStringLiteral("--bad-checksum")};
    QTest::newRow("slow") << QStringList{QStringLiteral("--delay"), QStringLiteral("300")};
}

void TestPort::repliesSplitNoisyOrBadChecksum()
{
    QFETCH(QStringList, options);
    SimProcess sim;
    QVERIFY(sim.Start(options << QStringLiteral("--nak-at") << QStringLiteral("3")));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(link.SendCommand("PZVFLO,START"));
        QCOMPARE(link.WaitResponse(20), int(i == 3 ? R8_REPLY_NAK : R8_REPLY_ACK));
    }
}

void TestPort::silenceTimesOut()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--silent-from"), QStringLiteral("1")}));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QVERIFY(link.SendCommand("PZVFLO,START"));
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(link.WaitResponse(3), int(R8_REPLY_NONE));
    QVERIFY(timer.elapsed() >= 250);
    QVERIFY(!link.PortLost());
}

void TestPort::hangUpIsReadError()
{
    SimProcess sim;
    QVERIFY(sim.Start({QStringLiteral("--hangup-at"), QStringLiteral("1")}));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QVERIFY(link.SendCommand("PZVFLO,START"));
    QVERIFY(sim.Finished(3000));
    QCOMPARE(link.WaitResponse(50), int(R8_REPLY_PORT_LOST));
    QVERIFY(link.PortLost());
    QVERIFY(!link.HasData(10));
}

void TestPort::flushDiscardsInput()
{
    SimProcess sim;
    QVERIFY(sim.Start({}));
    ExtraPorts use(sim.ports);
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QVERIFY(link.SendCommand("PZVFLO,START"));
    QVERIFY(link.HasData(20));
    QTest::qWait(100); // the whole reply is in
    link.flush();
    QVERIFY(!link.HasData(2));
    // Raw bytes pass unchanged.
    QByteArray raw = FrameSentence("PZVCTR,1");
    QCOMPARE(link.write(reinterpret_cast<unsigned char*>(raw.data()), raw.size()), raw.size());
    QVERIFY(link.WaitForWrite(10));
    QVERIFY(link.HasData(20));
    QTest::qWait(100);
    unsigned char buf[64] = {};
    const int n = link.read(buf, sizeof buf);
    QVERIFY(n > 0);
    QVERIFY(QByteArray(reinterpret_cast<char*>(buf), n).startsWith("$PZVCTR,ACK,*"));
}

void TestPort::closedPortDoesNothing()
{
    ZVcomPort link;
    unsigned char buf[4] = {'a', 'b', 'c', 'd'};
    QCOMPARE(link.write(buf, 4), 0);
    QCOMPARE(link.read(buf, 4), 0);
    QVERIFY(!link.HasData(1));
    QVERIFY(!link.WaitForWrite(1));
    QVERIFY(!link.SendCommand("PZVFLO,START"));
    QCOMPARE(link.WaitResponse(1), int(R8_REPLY_NONE));
    link.flush();
}

QTEST_MAIN(TestPort)
#include "test_port.moc"
