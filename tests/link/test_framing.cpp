// Sentence framing and reply parsing on plain bytes, and the port list.
#include "testsupport.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QtTest>

namespace {

// Feeds bytes to a parser and returns every non-zero result in order.
QList<int> Feed(NmeaReplyParser& parser, const QByteArray& bytes)
{
    QList<int> results;
    for (char c : bytes)
        if (const int r = parser.ParseChar(c))
            results << r;
    return results;
}

} // namespace

class TestFraming : public QObject
{
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void framingRefusesLongBody();
    void ackWithCrLfYieldsTwice();
    void ackSplitAcrossReads();
    void ackBeforeAsteriskIsNotAck();
    void nakAndOtherNames();
    void unknownNameWithAckYieldsNothing();
    void identification();
    void identificationCutShort();
    void longFieldIsCut();
    void parsersAreIndependent();
    void extraPorts();
    void modelTables();
};

void TestFraming::framing_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("abc") << QByteArray("abc") << QByteArray("$abc,*60\n");
    QTest::newRow("xor below 0x10") << QByteArray("ab") << QByteArray("$ab,* 3\n");
    QTest::newRow("lower-case digits") << QByteArray("Z") << QByteArray("$Z,*5a\n");
    QTest::newRow("xor zero") << QByteArray("aa") << QByteArray("$aa,* 0\n");
    QTest::newRow("trigger keeps its comma") << QByteArray("PZVFLO,TRIGGER,1,3,")
                                             << QByteArray("$PZVFLO,TRIGGER,1,3,,*43\n");
    QTest::newRow("latin-1 byte") << QByteArray("\xe4") << QByteArray("$\xe4,*e4\n");
}

void TestFraming::framing()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, line);
    QCOMPARE(FrameSentence(body), line);
}

void TestFraming::framingRefusesLongBody()
{
    const QByteArray longest(R8_MAX_BODY_BYTES, 'x');
    QCOMPARE(FrameSentence(longest).size(), R8_MAX_BODY_BYTES + 6);
    QVERIFY(FrameSentence(longest + 'x').isEmpty());
}

void TestFraming::ackWithCrLfYieldsTwice()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$PZVFLO,ACK,*4c\r\n"), (QList<int>{R8_REPLY_ACK, R8_REPLY_ACK}));
    // A new sentence clears the result.
    QCOMPARE(Feed(parser, "$PZVCTR,\r\n"), QList<int>());
}

void TestFraming::ackSplitAcrossReads()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$PZV"), QList<int>());
    QCOMPARE(Feed(parser, "FLO,AC"), QList<int>());
    QCOMPARE(Feed(parser, "K,*4c\r"), QList<int>{R8_REPLY_ACK});
    QCOMPARE(Feed(parser, "\n"), QList<int>{R8_REPLY_ACK});
}

void TestFraming::ackBeforeAsteriskIsNotAck()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$PZVFLO,ACK*4c\r\n"), QList<int>());
}

void TestFraming::nakAndOtherNames()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$PZVFLO,NAK,*00\n"), QList<int>{R8_REPLY_NAK});
    for (const char* name : {"PZVCTR", "PZVCTT", "PZVCTD", "PZVCTP", "PZVCTC"})
        QCOMPARE(Feed(parser, QByteArray("$") + name + ",ACK,*00\n"), QList<int>{R8_REPLY_ACK});
    // The layout read-back sentence is recognised but never acknowledges.
    QCOMPARE(Feed(parser, "$PZVRLO,ACK,*00\n"), QList<int>());
    // Lower case is another word.
    QCOMPARE(Feed(parser, "$PZVFLO,ack,*00\n"), QList<int>());
}

void TestFraming::unknownNameWithAckYieldsNothing()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$GPRMC,ACK,*00\r\n"), QList<int>());
    QCOMPARE(Feed(parser, "$PZVFLOX,ACK,*00\r\n"), QList<int>());
}

void TestFraming::identification()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$PZVSNP,Alvo,x,12345,y\n"), QList<int>{R8_REPLY_IDENT});
    QCOMPARE(parser.strModel, QStringLiteral("Alvo"));
    QCOMPARE(parser.strSerial, QStringLiteral("12345"));
    QCOMPARE(parser.strInfo, QStringLiteral("y"));
}

void TestFraming::identificationCutShort()
{
    NmeaReplyParser parser;
    QCOMPARE(Feed(parser, "$PZVSNP,Osk,x\r\n"), QList<int>());
    QCOMPARE(parser.strModel, QStringLiteral("Osk"));
    QVERIFY(parser.strSerial.isEmpty());
}

void TestFraming::longFieldIsCut()
{
    NmeaReplyParser parser;
    const QByteArray model(300, 'M');
    QCOMPARE(Feed(parser, "$PZVSNP," + model + ",x,1,y\n"), QList<int>{R8_REPLY_IDENT});
    QCOMPARE(parser.strModel, QString(127, QLatin1Char('M')));
}

void TestFraming::parsersAreIndependent()
{
    // Two links parsing interleaved replies must not disturb each other.
    NmeaReplyParser a;
    NmeaReplyParser b;
    QCOMPARE(Feed(a, "$PZVFLO,"), QList<int>());
    QCOMPARE(Feed(b, "$PZVCTR,NAK,*00\r"), QList<int>{R8_REPLY_NAK});
    QCOMPARE(Feed(a, "ACK,*4c\r"), QList<int>{R8_REPLY_ACK});
}

void TestFraming::extraPorts()
{
    const QList<R8PortInfo> ports =
        ParseExtraPorts(QStringLiteral("/dev/pts/7=5e17:d901;bad;/dev/pts/9=zz:1;/dev/pts/8=0403:6001;/x=1:10000"));
    QCOMPARE(ports.size(), 2);
    QCOMPARE(ports.at(0).strLocation, QStringLiteral("/dev/pts/7"));
    QVERIFY(ports.at(0).bHasVendor);
    QCOMPARE(ports.at(0).iVendor, quint16(0x5E17));
    QCOMPARE(ports.at(0).iProduct, quint16(0xD901));
    QCOMPARE(ports.at(1).iVendor, quint16(0x0403));
    QCOMPARE(ports.at(1).iProduct, quint16(0x6001));

    qputenv("R8_EXTRA_PORTS", "/dev/pts/42=5e17:d905");
    const QList<R8PortInfo> all = AvailableR8Ports();
    qunsetenv("R8_EXTRA_PORTS");
    QVERIFY(!all.isEmpty());
    QCOMPARE(all.first().strLocation, QStringLiteral("/dev/pts/42"));
}

void TestFraming::modelTables()
{
    int iModel = -1;
    QString strModel;
    QVERIFY(SdModelFromProduct(0xD903, &iModel, &strModel));
    QCOMPARE(iModel, 0xD903);
    QCOMPARE(strModel, QStringLiteral("TEY SD+"));
    QVERIFY(!SdModelFromProduct(0xD906, &iModel, &strModel));
    QCOMPARE(iModel, 0);
    QVERIFY(strModel.isEmpty());

    QCOMPARE(ConverterModelFromName(QStringLiteral("Tey")), 0xD804);
    QCOMPARE(ConverterModelFromName(QStringLiteral("tey")), 0);
    QCOMPARE(ConverterModelFromName(QStringLiteral("R7OSK")), 0);

    QCOMPARE(ModelMaskBit(QStringLiteral("DULAN SD")), 0x100u);
    QCOMPARE(ModelMaskBit(QStringLiteral("R7OSK")), 0x200u);
    QVERIFY(!(ModelMaskBit(QStringLiteral("R7OSK")) & R8_MODELS_DEFAULT));
    QVERIFY(!(ModelMaskBit(QStringLiteral("Dulan")) & R8_MODELS_AIRSPACE));
    QCOMPARE(ModelMaskBit(QStringLiteral("alvo")), 0u);
}

QTEST_MAIN(TestFraming)
#include "test_framing.moc"
