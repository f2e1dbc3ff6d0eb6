// The OpenAir text functions (tokens, numbers, positions, altitudes) and
// what the reader makes of each record in the airspace tree, DB arcs too.
#include "airspace.h"
#include "airspacetest.h"

#include <QtTest>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Every token in token mode, up to and with the end, as "text/result|...".
template <class Source>
QString Tokens(Source* src, int size)
{
    QStringList parts;
    char buf[R8_TOKEN_MAX + 1];
    for (int guard = 0; guard <= size; ++guard) {
        const int r = GetToken(src, buf, R8_TOKEN_MAX, 0);
        parts << QStringLiteral("%1/%2").arg(QString::fromLatin1(buf)).arg(r);
        if (r == 3 || r == 0)
            break;
    }
    return parts.join(QLatin1Char('|'));
}

const struct {
    const char* text;
    int max, count;  // positions asked for and read
    double lat, lon; // of the last position read
    bool lower;
} kPositions[] = {
    {"45:30:15 N 0 E", 1, 1, 45 + 30 / 60.0 + 15 / 3600.0, 0, false},
    {" 45:30.5 N 6 E", 1, 1, 45 + 30.5 / 60, 6, false},
    {"10:0000000000000000030 N 0 E", 1, 1, 10, 0, false}, // a part is cut to 15 characters
    {"33:30 S 070:15 W", 1, 1, -33.5, -70.25, false},
    {"49:02:30N 122:18:00W", 1, 1, 49 + 2.5 / 60, -122.3, false},
    {"45:39:57 N00:47:20 W", 1, 1, 45 + 39 / 60.0 + 57 / 3600.0, -(47 / 60.0 + 20 / 3600.0), false},
    {"45:30:00 n 006:15:00 w", 1, 1, 45.5, -6.25, true},
    {"45:00:00 N 006:00:00 E, 45:10:00 N 006:10:00 E", 2, 2, 45 + 10 / 60.0, 6 + 10 / 60.0, false},
    {"1 N 2 E, 3 N 4 E", 1, 1, 1, 2, false},
    // A comment after the position does not move it.
    {"49:41:51 N 018:06:33 E *DME OTA 16 NM", 1, 1, 49 + 41 / 60.0 + 51 / 3600.0, 18 + 6 / 60.0 + 33 / 3600.0,
     false},
    {"45:00:00 X 006:00:00 Y", 1, 0, 0, 0, false},
    {"", 1, 0, 0, 0, false},
};

constexpr double kFt = 0.3048;
const struct {
    const char* text;
    bool readable;
    double metres;
} kAltitudes[] = {
    {"2500M AMSL", true, 2500},
    {"1000M par REGIS FOURET **", true, 1000},
    {"1500ft AGL", true, 1500 * kFt},
    {"1500 f msl", true, 1500 * kFt},
    {"1500", true, 1500 * kFt},
    {"2500AMSL FT", true, 2500 * kFt},
    {"FL95", true, 2895.6},
    {"fl 65", true, 1981.2},
    {" sfc ", true, 0},
    {"UNL", true, 65535},
    {"unlimited", true, 65535},
    {"NOTAM", false, 0},
    {"FL", false, 0},
    {"", false, 0},
    {"1e999", false, 0},
    {"1e300 M", false, 0},
};

// The 15-degree grid bearings from a first one, in steps of +-15 degrees.
QList<double> Grid(double first, double step, int count)
{
    QList<double> bearings;
    for (int i = 0; i < count; ++i)
        bearings << std::fmod(first + step * i + 360.0, 360.0);
    return bearings;
}

} // namespace

class TestOpenAir : public QObject
{
    Q_OBJECT
private slots:
    void tokenizer_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("tokens");
        const QByteArray lf = "AC R\nAN Test one\n\nDP 45:00:00 N 006:00:00 E\n";
        const QString lfTokens = "AC/1|R/2|AN/1|Test/1|one/2|/2|DP/1|45:00:00/1|N/1|006:00:00/1|E/2|/3";
        QTest::newRow("LF") << lf << lfTokens;
        QTest::newRow("CR LF") << QByteArray(lf).replace("\n", "\r\n") << lfTokens;
        QTest::newRow("CR alone") << QByteArray("AC R\rAN X\r") << "AC/1|R/2|AN/1|X/2|/3";
        // Quotes group, are not kept, and the other kind inside is kept.
        QTest::newRow("quotes") << QByteArray("'a b',\"c'd, e\" f") << "a b/1|c'd, e/1|f/3";
        QTest::newRow("unclosed quote") << QByteArray("'open quote\nnext") << "open quote/2|next/3";
        QTest::newRow("tab") << QByteArray("AC\tR x\n") << "AC\tR/1|x/2|/3";
        QTest::newRow("empty tokens") << QByteArray(",, a") << "/1|/1|/1|a/3";
        // The rest of an over-long token is dropped, not made another token.
        QTest::newRow("cut") << QByteArray(300, 'x') + " y\n" << QString(255, 'x') + "/1|y/2|/3";
    }
    void tokenizer()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, tokens);
        OpenAirText t = {data.constData(), data.constData() + data.size()};
        QCOMPARE(Tokens(&t, data.size()), tokens);
        FILE* f = tmpfile();
        QVERIFY(f);
        fwrite(data.constData(), 1, size_t(data.size()), f);
        rewind(f);
        QCOMPARE(Tokens(f, data.size()), tokens);
        fclose(f);
    }

    void numbers()
    {
        // Whatever the locale, and nothing from words or overflow.
        QCOMPARE(ReadNumber("  -3.25x"), -3.25);
        QCOMPARE(ReadNumber(".5e1"), 5.0);
        QCOMPARE(ReadNumber("1,5"), 1.0);
        for (const char* nothing : {"nan", "inf", "1e999", "abc", static_cast<const char*>(nullptr)})
            QCOMPARE(ReadNumber(nothing), 0.0);
    }

    void positions_data() { AddRows(kPositions); }
    void positions()
    {
        QFETCH(int, row);
        const auto& r = kPositions[row];
        std::string text(r.text); // writable also when empty (an empty QByteArray's data() is not under Qt 6)
        _GEO_COORDS c[2] = {{0, 0}, {0, 0}};
        bool bLower = !r.lower;
        QCOMPARE(GetCoordinates(text.data(), c, r.max, &bLower), r.count);
        QCOMPARE(bLower, r.lower);
        const _GEO_COORDS& last = c[std::max(0, r.count - 1)];
        QVERIFY2(std::abs(last.lat - r.lat) < 1e-5 && std::abs(last.lon - r.lon) < 1e-5,
                 qPrintable(QStringLiteral("%1 %2").arg(last.lat, 0, 'f', 7).arg(last.lon, 0, 'f', 7)));
    }

    void altitudes_data() { AddRows(kAltitudes); }
    void altitudes()
    {
        QFETCH(int, row);
        std::string text(kAltitudes[row].text);
        float got = -1.0f;
        QCOMPARE(ReadAltitude(text.data(), &got), kAltitudes[row].readable);
        QVERIFY2(std::abs(got - kAltitudes[row].metres) < 1e-2, qPrintable(QString::number(double(got))));
    }

    void airspaces()
    {
        // 'ac r', 'AC<tab>R' and comments are skipped; AC after AN is its
        // name; records before any AC and unknown ones are skipped whole.
        const ReadTree l(
            "AN Lost\nDP 1 N 1 E\nac r\nAC\tR\n* AC P\nAC, CTR\nAN Geneva CTR AC R\nAL SFC\nAH FL 65\n"
            "AY TMA DP 2 N 2 E\nDP 46:00:00 N 006:00:00 E\n"
            "  AC E\nAN Echo\nAL 1000\nAH 2500M AMSL\nAC R\nAN <Range & Co>\nAC Q\nAN\nAL 1000\nDP 1 N 1 E");
        QCOMPARE(Names(&l.file), QStringList({"Geneva CTR AC R", "Echo", "<Range & Co>", ""}));
        QCOMPARE(l.Air(0)->text(1), QStringLiteral("CTR CTR"));
        // A class outside the instrument's list is kept as written.
        QCOMPARE(l.Air(1)->data(0, AirClassRole).toString(), QStringLiteral("E"));
        QCOMPARE(l.Air(1)->data(0, AirCeilingRole).toFloat(), 2500.0f);
        QVERIFY(l.Air(2)->toolTip(0).contains(QStringLiteral("&lt;Range &amp; Co&gt;")));
        // A keyword alone on its line takes an empty argument and leaves the
        // next line a record; the last record without a line end is read.
        QCOMPARE(l.Air(3)->data(0, AirFloorRole).toFloat(), 304.8f);
        QCOMPARE(l.Air(3)->childCount(), 1);
        QCOMPARE(l.total, 4 * 32 + 2 * 10);
    }

    void pointsCirclesAndArcs()
    {
        const ReadTree l("AC R\nDP 45:30:00 N 006:15:00 W\nDP 45 n 6 e\nDP 1 2\nDP 10:00:00 S 170:00:00 E\n"
                         "V X=46:00:00 N 007:00:00 E\nAC R\nDC 2\n" // centre forgotten at AC
                         "V X=46:00:00 N 007:00:00 E\nDC 2\nV W=2\nDC 1.5 * comment\n"
                         "AC R\nV X=3 N 50 E\nDA 10,270,290\nV D=-\nDA 5, 200\nDA\n");
        QCOMPARE(Names(l.Air(0)), QStringList({"point", "point", "point"}));
        // Circles in nautical miles round the centre in force.
        const QTreeWidgetItem* c = l.Air(1);
        QCOMPARE(Names(c), QStringList({"circle", "circle"}));
        QCOMPARE(c->child(0)->data(0, AirRadiusRole).toFloat(), 3.704f);
        QCOMPARE(c->child(1)->data(0, AirRadiusRole).toFloat(), static_cast<float>(1.5 * 1.852));
        // Arcs take no memory of their own.
        const QTreeWidgetItem* b = l.Air(2);
        QCOMPARE(Names(b), QStringList({"arc", "arc", "arc"}));
        QCOMPARE(b->child(0)->data(0, AirClockwiseRole).toBool(), true);
        QCOMPARE(b->child(1)->data(0, AirClockwiseRole).toBool(), false);
        QCOMPARE(b->child(1)->data(0, AirAngle2Role).toDouble(), 0.0); // missing number
        QCOMPARE(b->child(2)->data(0, AirRadiusRole).toFloat(), 0.0f);
        QCOMPARE(l.total, 62 + 60 + 32);
    }

    void dbArcs_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<QString>("directions"); // the V D= records before the arc
        QTest::addColumn<QList<double>>("between");
        QTest::newRow("quarter from north") << 0.0 << 90.0 << "+" << Grid(15, 15, 5);
        // A direction set in the airspace before does not carry over its AC.
        QTest::newRow("clockwise at AC") << 0.0 << 90.0 << "" << Grid(15, 15, 5);
        QTest::newRow("first grid bearing kept") << 10.0 << 70.0 << "+" << Grid(15, 15, 4);
        QTest::newRow("counter-clockwise") << 100.0 << 20.0 << "-" << Grid(90, -15, 5);
        QTest::newRow("the long way round") << 0.0 << 90.0 << "-" << Grid(345, -15, 17);
        QTest::newRow("turned back") << 0.0 << 90.0 << "-+" << Grid(15, 15, 5);
        QTest::newRow("across north") << 340.0 << 25.0 << "+" << Grid(345, 15, 3);
        QTest::newRow("short") << 3.0 << 14.0 << "+" << QList<double>();
        QTest::newRow("equal bearings") << 42.0 << 42.0 << "-" << QList<double>();
    }
    // A DB arc at the equator whose ends lie at the given bearings: the
    // points between sit at exactly the expected grid bearings, on the radius.
    void dbArcs()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QString, directions);
        QFETCH(QList<double>, between);
        const double radiusKm = 50.0;
        CGeo geo;
        geo.SetCoordinate(0.0, 10.0);
        QString text = QStringLiteral("AC Q\nV D=-\nAC R\nV X=%1\n").arg(Pos(0.0, 10.0));
        for (const QChar d : directions)
            text += QStringLiteral("V D=%1\n").arg(d);
        QStringList ends;
        for (const double bearing : {start, end}) {
            geo.Calculate(bearing / R8_DEG_PER_RAD, radiusKm);
            double lat = 0, lon = 0;
            geo.GetDestinationCoordinate(&lat, &lon);
            ends << Pos(lat, lon);
        }
        const ReadTree r((text + QStringLiteral("DB ") + ends.join(QLatin1Char(','))).toLatin1());
        const QTreeWidgetItem* air = r.Air(1);
        QCOMPARE(air->childCount(), between.size() + 2);
        QCOMPARE(r.total, 2 * 32 + 10 * air->childCount()); // every point counted is a point sent
        for (int i = 0; i < between.size(); ++i) {
            const QTreeWidgetItem* p = air->child(i + 1);
            geo.SetDestinationCoordinate(Lat(p), Lon(p));
            geo.Calculate();
            QVERIFY2(std::abs(std::remainder(geo.GetCourseTo() - between.at(i), 360.0)) < 1e-6,
                     qPrintable(QString::number(geo.GetCourseTo())));
            QVERIFY(std::abs(geo.GetDistance() - radiusKm) < 1e-3); // positions are read as floats
        }
    }

    void namesEncodingAndByteOrderMark()
    {
        const ReadTree l("\xEF\xBB\xBF"
                         "AC R\nAN Saint-P\xC3\xA9\nAC R\nAN DRESDEN-S\xDC"
                         "D\r\n"
                         "AC R\nAN \xE2\x80\x9EKEDZIERZYN\xE2\x80\x9D  \n");
        QCOMPARE(Names(&l.file), QStringList({"Saint-P\u00e9", "DRESDEN-S\u00dcD", "\u201eKEDZIERZYN\u201d"}));
        QCOMPARE(DecodeName("\xC0\x80", 2), QStringLiteral("\u00c0\u0080")); // an overlong form is not UTF-8
        QCOMPARE(DecodeName("\xED\xA0\x80", 3).size(), 3);                   // nor is a surrogate
    }
};

QTEST_MAIN(TestOpenAir)
#include "test_openair.moc"
