// What the reader does with values it cannot use as written (impossible
// positions and sizes, a missing centre, a second AN), the warnings it keeps
// per file, and names sent in the instrument's Latin-1.
#include "airspace.h"
#include "aspacelist.h"
#include "airspacetest.h"
#include "testsupport.h"

#include <QtTest>
#include <cmath>

namespace {

// Each line says what the reader should make of it.
const char kCrafted[] = "* crafted: one of each warning\n" // 1
                        "AN Orphan\n"                      // 2 before any AC
                        "AC R\n"                           // 3
                        "AN Alpha\n"                       // 4
                        "AL 2480m AMSL\n"                  // 5 metres
                        "AH NOTAM\n"                       // 6 unreadable altitude
                        "DP 45:00:00 n 006:00:00 e\n"      // 7 lower case, kept
                        "DP 45:00:00 X 006:00:00 Y\n"      // 8 unreadable position
                        "DP 450:00:00 N 006:00:00 E\n"     // 9 off the globe
                        "DC 5\n"                           // 10 no centre
                        "DP 45:10:00 N 006:10:00 E\n"      // 11 kept
                        "AN Beta\n"                        // 12 second AN: new airspace
                        "V X=45:00:00 N 006:00:00 E\n"     // 13
                        "DC 2\n"                           // 14 kept in Beta
                        "V X=45:00:00 Q 006:00:00 E\n"     // 15 malformed centre
                        "DC 3\n"                           // 16 no centre: the old one is not used
                        "AC Q\n"                           // 17 style-only block
                        "SP 0,2,127,0,127\n"               // 18
                        "AC P\n"                           // 19
                        "AN Gamma\n"                       // 20
                        "V X=46:00:00 N 007:00:00 E\n"     // 21
                        "DC -2\n"                          // 22 negative radius
                        "DA 1e39,0,90\n"                   // 23 infinite radius
                        "DP 1e308:1e308 N 6 E\n"           // 24 infinite latitude
                        "DP 46 N 181 E\n"                  // 25 longitude beyond 180
                        "DP 46 N 7 E\n"                    // 26 kept
                        "AC R\n"                           // 27 named, no shapes
                        "AN Delta\n"                       // 28
                        "DB 46 N 7 E, 46.1 N 7 E\n";       // 29 no centre

} // namespace

class TestReaderWarnings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void warningsOfACraftedFile_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("words");
        QTest::newRow("AN before AC") << 2 << "AN before any AC";
        QTest::newRow("altitude") << 6 << "NOTAM";
        QTest::newRow("lower case") << 7 << "lower-case";
        QTest::newRow("unreadable position") << 8 << "cannot read the position";
        QTest::newRow("off the globe") << 9 << "off the globe";
        QTest::newRow("no centre") << 10 << "DC needs a centre";
        QTest::newRow("second AN") << 12 << "new airspace";
        QTest::newRow("malformed centre") << 15 << "V X=";
        QTest::newRow("centre cleared") << 16 << "DC needs a centre";
        QTest::newRow("style block") << 17 << "style block";
        QTest::newRow("negative radius") << 22 << "radius";
        QTest::newRow("infinite radius") << 23 << "DA";
        QTest::newRow("infinite latitude") << 24 << "off the globe";
        QTest::newRow("longitude") << 25 << "off the globe";
        QTest::newRow("no shapes") << 27 << "Delta";
        QTest::newRow("DB without centre") << 29 << "DB needs a centre";
    }
    void warningsOfACraftedFile()
    {
        QFETCH(int, line);
        QFETCH(QString, words);
        const ReadTree r(kCrafted);
        QCOMPARE(r.Warnings().size(), 16);
        int found = 0;
        for (const AirWarning& w : r.Warnings())
            found += w.line == line && w.message.contains(words);
        QCOMPARE(found, 1);
    }

    void whatIsKept()
    {
        ReadTree r(kCrafted);
        QCOMPARE(Names(&r.file), QStringList({"Alpha", "Beta", "", "Gamma", "Delta"}));
        const QTreeWidgetItem* alpha = r.Air(0);
        QCOMPARE(alpha->childCount(), 2); // lines 7 and 11
        QCOMPARE(alpha->data(0, AirCeilingRole).toFloat(), 0.0f);
        QCOMPARE(Lon(alpha->child(0)), 6.0);
        // Beta keeps Alpha's class and limits, and only its own circle.
        const QTreeWidgetItem* beta = r.Air(1);
        QCOMPARE(beta->data(0, AirClassRole).toString(), QStringLiteral("R"));
        QCOMPARE(beta->data(0, AirFloorRole).toFloat(), 2480.0f);
        QCOMPARE(beta->childCount(), 1);
        QCOMPARE(r.Air(3)->childCount(), 1);
        // Nothing non-finite or off the globe in what would be sent.
        for (const QString& body : ASpaceList::BuildBatch({&r.file})) {
            QVERIFY2(!body.contains(QLatin1String("inf")) && !body.contains(QLatin1String("nan")), qPrintable(body));
            const QStringList f = body.split(QLatin1Char(','));
            if (f.at(0) == QLatin1String("PZVCTP"))
                QVERIFY(std::abs(f.at(1).toDouble()) <= M_PI / 2 && std::abs(f.at(2).toDouble()) <= M_PI);
        }
        QCOMPARE(r.total, 5 * 32 + 3 * 10 + 14);
    }

    // The sender sends one byte per character: names lose what has no
    // Latin-1 form and what would break the sentence, and fit the room left.
    void sentenceNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("sent");
        QTest::newRow("stroke, latin-1 kept")
            << QStringLiteral("\u0141\u00f3d\u017a") << 200 << QStringLiteral("L\u00f3dz");
        QTest::newRow("quotes") << QStringLiteral("\u201eKEDZIERZYN\u201d") << 200
                                << QStringLiteral("\"KEDZIERZYN\"");
        QTest::newRow("no form") << QStringLiteral("A\u03a9B\ufffd") << 200 << QStringLiteral("AB");
        QTest::newRow("outside the basic plane") << QStringLiteral("a\U0001F600b") << 2 << QStringLiteral("ab");
        QTest::newRow("framing") << QStringLiteral("A,B*C$D\r\nE\tF") << 200 << QStringLiteral("ABCDEF");
        QTest::newRow("cut") << QStringLiteral("abcdef") << 3 << QStringLiteral("abc");
        QTest::newRow("no room") << QStringLiteral("ab") << -5 << QString();
    }
    void sentenceNames()
    {
        QFETCH(QString, name);
        QFETCH(int, room);
        QFETCH(QString, sent);
        QCOMPARE(ASpaceList::SentenceName(name, room), sent);
    }
};

QTEST_MAIN(TestReaderWarnings)
#include "test_readerwarnings.moc"
