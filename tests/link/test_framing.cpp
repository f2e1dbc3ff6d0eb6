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
    void framing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("abc") << QByteArray("abc") << QByteArray("$abc,*60\n");
        QTest::newRow("xor below 0x10") << QByteArray("ab") << QByteArray("$ab,* 3\n");
        QTest::newRow("xor zero") << QByteArray("aa") << QByteArray("$aa,* 0\n");
        QTest::newRow("lower-case digits") << QByteArray("Z") << QByteArray("$Z,*5a\n");
        QTest::newRow("trigger keeps its comma")
            << QByteArray("PZVFLO,TRIGGER,1,3,") << QByteArray("$PZVFLO,TRIGGER,1,3,,*43\n");
        QTest::newRow("latin-1 byte") << QByteArray("\xe4") << QByteArray("$\xe4,*e4\n");
        QTest::newRow("longest body") << QByteArray(R8_MAX_BODY_BYTES, 'x')
                                      << "$" + QByteArray(R8_MAX_BODY_BYTES, 'x') + ",*78\n";
        QTest::newRow("one byte too long") << QByteArray(R8_MAX_BODY_BYTES + 1, 'x') << QByteArray();
    }
    void framing()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, line);
        QCOMPARE(FrameSentence(body), line);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("results");
        const int ack = R8_REPLY_ACK, nak = R8_REPLY_NAK;
        QTest::newRow("ACK with CR LF yields twice") << QByteArray("$PZVFLO,ACK,*4c\r\n") << QList<int>{ack, ack};
        QTest::newRow("a new sentence clears it") << QByteArray("$PZVFLO,ACK,*4c\r$PZVCTR,\r\n") << QList<int>{ack};
        QTest::newRow("ACK before the asterisk") << QByteArray("$PZVFLO,ACK*4c\r\n") << QList<int>{};
        QTest::newRow("NAK") << QByteArray("$PZVFLO,NAK,*00\n") << QList<int>{nak};
        QTest::newRow("airspace names") << QByteArray(
            "$PZVCTR,ACK,*00\n$PZVCTT,ACK,*00\n$PZVCTD,ACK,*00\n$PZVCTP,ACK,*00\n$PZVCTC,NAK,*00\n")
                                        << QList<int>{ack, ack, ack, ack, nak};
        QTest::newRow("read-back never acknowledges") << QByteArray("$PZVRLO,ACK,*00\n") << QList<int>{};
        QTest::newRow("lower case") << QByteArray("$PZVFLO,ack,*00\n") << QList<int>{};
        QTest::newRow("other talker") << QByteArray("$GPRMC,ACK,*00\r\n") << QList<int>{};
        QTest::newRow("longer name") << QByteArray("$PZVFLOX,ACK,*00\r\n") << QList<int>{};
        QTest::newRow("identification cut short") << QByteArray("$PZVSNP,Osk,x\r\n") << QList<int>{};
    }
    void replies()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, results);
        NmeaReplyParser parser;
        QCOMPARE(Feed(parser, bytes), results);
    }

    void identification()
    {
        NmeaReplyParser parser;
        QCOMPARE(Feed(parser, "$PZVSNP,Alvo,x,12345,y\n"), QList<int>{R8_REPLY_IDENT});
        QCOMPARE(parser.strModel, QStringLiteral("Alvo"));
        QCOMPARE(parser.strSerial, QStringLiteral("12345"));
        QCOMPARE(parser.strInfo, QStringLiteral("y"));
        // An over-long field is cut, the rest still read.
        QCOMPARE(Feed(parser, "$PZVSNP," + QByteArray(300, 'M') + ",x,1,y\n"), QList<int>{R8_REPLY_IDENT});
        QCOMPARE(parser.strModel, QString(127, QLatin1Char('M')));
        QCOMPARE(parser.strSerial, QStringLiteral("1"));
    }

    void parsersAreIndependent()
    {
        // Two links parsing interleaved replies must not disturb each other.
        NmeaReplyParser a;
        NmeaReplyParser b;
        QCOMPARE(Feed(a, "$PZVFLO,"), QList<int>());
        QCOMPARE(Feed(b, "$PZVCTR,NAK,*00\r"), QList<int>{R8_REPLY_NAK});
        QCOMPARE(Feed(a, "ACK,*4c\r"), QList<int>{R8_REPLY_ACK});
    }

    void extraPorts()
    {
        const QList<R8PortInfo> ports = ParseExtraPorts(
            QStringLiteral("/dev/pts/7=5e17:d901;bad;/dev/pts/9=zz:1;/dev/pts/8=0403:6001;/x=1:10000"));
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports.at(0).strLocation, QStringLiteral("/dev/pts/7"));
        QVERIFY(ports.at(0).bHasVendor);
        QCOMPARE(ports.at(0).iVendor, quint16(0x5E17));
        QCOMPARE(ports.at(0).iProduct, quint16(0xD901));
        QCOMPARE(ports.at(1).iProduct, quint16(0x6001));

        qputenv("R8_EXTRA_PORTS", "/dev/pts/42=5e17:d905");
        const QList<R8PortInfo> all = AvailableR8Ports();
        qunsetenv("R8_EXTRA_PORTS");
        QVERIFY(!all.isEmpty());
        QCOMPARE(all.first().strLocation, QStringLiteral("/dev/pts/42"));
    }
};

QTEST_MAIN(TestFraming)
#include "test_framing.moc"
