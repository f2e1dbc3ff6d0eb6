// What goes over the link as plain bytes: sentence framing, reply parsing,
// the port list, and the layout batch built in memory and by r8tool
// layout-batch from a layout file.
#include "layouttransfer.h"
#include "r8element.h"
#include "testsupport.h"
#include "zvcomport.h"

#include <QtTest>
#include <memory>
#include <vector>

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

// An element of a test layout, owned by the test.
using Owned = std::vector<std::unique_ptr<R8element>>;

R8element* Element(Owned& owned, int iType, int iField, unsigned int uAttribs, unsigned int uPages)
{
    owned.push_back(std::make_unique<R8element>(nullptr, iType, 1));
    owned.back()->RestoreField(iField);
    owned.back()->RestoreSize(QSize(80, 29));
    owned.back()->RestoreAttribs(uAttribs);
    owned.back()->RestorePages(uPages);
    return owned.back().get();
}

} // namespace

class TestSentences : public QObject
{
    Q_OBJECT
private slots:
    void framingAndReplies()
    {
        QCOMPARE(FrameSentence("ab"), QByteArray("$ab,* 3\n"));     // xor below 0x10: a blank, not "0"
        QCOMPARE(FrameSentence("\xe4"), QByteArray("$\xe4,*e4\n")); // Latin-1 byte, lower-case digits
        const QByteArray longest(R8_MAX_BODY_BYTES, 'x');
        QCOMPARE(FrameSentence(longest), "$" + longest + ",*78\n");
        QVERIFY(FrameSentence(longest + 'x').isEmpty());
        const int ack = R8_REPLY_ACK, nak = R8_REPLY_NAK;
        NmeaReplyParser parser;
        // CR LF yields twice; a new sentence clears what the last one said.
        QCOMPARE(Feed(parser, "$PZVFLO,ACK,*\r\n$PZVFLO,ACK,*\r$PZVCTR,\r\n"), QList<int>({ack, ack, ack}));
        QCOMPARE(Feed(parser, "$PZVFLO,NAK,*00\n$PZVCTR,ACK,*00\n$PZVCTT,ACK,*00\n$PZVCTD,ACK,*00\n"
                              "$PZVCTP,ACK,*00\n$PZVCTC,NAK,*00\n"),
                 QList<int>({nak, ack, ack, ack, ack, nak}));
        // No comma before the asterisk, the read-back, lower case, other talkers.
        QCOMPARE(Feed(parser, "$PZVFLO,ACK*4c\r\n$PZVRLO,ACK,*00\n$PZVFLO,ack,*00\n$GPRMC,ACK,*00\r\n"
                              "$PZVFLOX,ACK,*00\r\n$PZVSNP,Osk,x\r\n"),
                 QList<int>());
        // The instrument's identification; an over-long field is cut, the rest still read.
        QCOMPARE(Feed(parser, "$PZVSNP," + QByteArray(300, 'M') + ",x,1,y\n"), QList<int>{R8_REPLY_IDENT});
        QCOMPARE(QStringList({parser.strModel, parser.strSerial, parser.strInfo}),
                 QStringList({QString(127, QLatin1Char('M')), "1", "y"}));
        // Two links parsing interleaved replies do not disturb each other.
        NmeaReplyParser other;
        QCOMPARE(Feed(parser, "$PZVFLO,"), QList<int>());
        QCOMPARE(Feed(other, "$PZVCTR,NAK,*00\r"), QList<int>{nak});
        QCOMPARE(Feed(parser, "ACK,*4c\r"), QList<int>{ack});
    }

    void extraPorts()
    {
        const QList<R8PortInfo> ports = ParseExtraPorts(
            QStringLiteral("/dev/pts/7=5e17:d901;bad;/dev/pts/9=zz:1;/dev/pts/8=0403:6001;/x=1:10000"));
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports.at(0).strLocation, QStringLiteral("/dev/pts/7"));
        QVERIFY(ports.at(0).bHasVendor && ports.at(0).iVendor == 0x5E17 && ports.at(0).iProduct == 0xD901);
        QCOMPARE(ports.at(1).iProduct, quint16(0x6001));
        // They come before the system's ports.
        qputenv("R8_EXTRA_PORTS", "/dev/pts/42=5e17:d905");
        QCOMPARE(AvailableR8Ports().value(0).strLocation, QStringLiteral("/dev/pts/42"));
        qunsetenv("R8_EXTRA_PORTS");
    }

    void layoutBatch()
    {
        Owned owned;
        R8element* dial = Element(owned, R8_TYPE_DIAL, 2, 46, 5);
        dial->RestorePosition(QPoint(10, 20));
        dial->SetRangeMin(-0.5f);
        dial->SetRangeMax(12.345f); // two places, rounded
        // A box on no page and an empty slot are not sent; an icon sends no attributes.
        R8element* box = Element(owned, R8_TYPE_DATAFIELD, 33, 44, 1);
        R8element* offPage = Element(owned, R8_TYPE_DATAFIELD, 34, 44, 0);
        R8element* compass = Element(owned, R8_TYPE_COMPASS, 0, 44, 0x8002);
        R8element* map = Element(owned, R8_TYPE_MAP, 0, 3, 2);
        const QList<R8element*> elements{box, offPage, nullptr, compass, dial, map};
        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[0].Name = QStringLiteral("Main");
        pages[2].Name = QStringLiteral(",*$\t"); // nothing left: no name sent
        pages[3].Name = QStringLiteral("Th,er*m$al\r\n (2)\t");
        pages[3].Trigger = 5; // bits 0 and 2
        pages[4].Name = QStringLiteral("H\u00f6he");
        pages[5].Trigger = 0x800 | 0x400; // bit 11 is beyond the triggers
        pages[7].Trigger = 2;
        pages[7].Disabled = 1; // its trigger is not sent
        pages[15].Disabled = 1;
        const QVector<PageProps> typed = pages;
        const QStringList expected = {
            "PZVFLO,START",
            "PZVFLO,1,33,0,0,80,29,44,1,0.00,0.00",
            "PZVFLO,57360,0,0,0,80,29,0,32770,0.00,0.00",
            "PZVFLO,53248,2,10,20,80,29,46,5,-0.50,12.35",
            "PZVFLO,57408,0,0,0,80,29,3,2,0.00,0.00",
            "PZVFLO,NAME,0,Main)",
            "PZVFLO,NAME,3,Thermal (2))",
            QStringLiteral("PZVFLO,NAME,4,H\u00f6he)"),
            "PZVFLO,TRIGGER,1,3,",
            "PZVFLO,TRIGGER,3,3,",
            "PZVFLO,TRIGGER,11,5,",
            "PZVFLO,DISABLED,32896",
            "PZVFLO,END",
        };
        QCOMPARE(BuildLayoutBatch(elements, pages), expected);
        QCOMPARE(ElementsOnPages(elements), 4);
        QVERIFY(pages == typed); // the layout keeps what was typed
        // Nothing on any page: no batch at all.
        QVERIFY(BuildLayoutBatch(elements.mid(1, 2), pages).isEmpty());
    }

    void toolBatchFromFile()
    {
        const QString file = TestEnv::TestData(QStringLiteral("link/two_pages.zvl"));
        const QStringList lines = TestEnv::RunTool({"layout-batch", file}).out.trimmed().split('\n');
        const QStringList expected = {
            "PZVFLO,START",
            "PZVFLO,1,33,0,0,80,29,44,1,0.00,0.00",
            "PZVFLO,53248,2,20,60,120,120,1,3,-5.00,5.00",
            "PZVFLO,57393,0,200,0,32,16,0,1,0.00,0.00", // an icon has its own size
            "PZVFLO,NAME,0,Main)",
            "PZVFLO,NAME,1,Thermal climb)",
            "PZVFLO,TRIGGER,1,1,",
            "PZVFLO,TRIGGER,3,1,",
            "PZVFLO,DISABLED,4",
            "PZVFLO,END",
        };
        QCOMPARE(lines, expected);
        QByteArray frames;
        for (const QString& body : lines)
            frames += FrameSentence(body.toLatin1());
        QCOMPARE(TestEnv::RunTool({"layout-batch", "--framed", file}).out.toLatin1(), frames);
    }
};

QTEST_MAIN(TestSentences)
#include "test_sentences.moc"
