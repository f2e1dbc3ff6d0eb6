#include "airspace.h"
#include "geo.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr double kDeg = 57.29577951308232;

struct Tok {
    QByteArray text;
    int result;
    bool operator==(const Tok& o) const { return text == o.text && result == o.result; }
};

// Every token of the data in token mode, up to and with the end.
QList<Tok> Tokens(const QByteArray& data, int maxLen = R8_TOKEN_MAX)
{
    QList<Tok> out;
    OpenAirText t = {data.constData(), data.constData() + data.size()};
    char buf[R8_TOKEN_MAX + 1];
    for (int guard = 0; guard <= data.size(); ++guard) {
        const int r = GetToken(&t, buf, maxLen, 0);
        out.append({QByteArray(buf), r});
        if (r == 3 || r == 0)
            break;
    }
    return out;
}

QList<Tok> FileTokens(const QByteArray& data)
{
    QList<Tok> out;
    FILE* f = tmpfile();
    if (!f)
        return out;
    fwrite(data.constData(), 1, static_cast<size_t>(data.size()), f);
    rewind(f);
    char buf[R8_TOKEN_MAX + 1];
    for (int guard = 0; guard <= data.size(); ++guard) {
        const int r = GetToken(f, buf, R8_TOKEN_MAX, 0);
        out.append({QByteArray(buf), r});
        if (r == 3 || r == 0)
            break;
    }
    fclose(f);
    return out;
}

QString Texts(const QList<Tok>& toks)
{
    QStringList parts;
    for (const Tok& t : toks)
        parts << QStringLiteral("%1/%2").arg(QString::fromLatin1(t.text)).arg(t.result);
    return parts.join(QLatin1Char('|'));
}

struct Loaded {
    std::unique_ptr<QTreeWidgetItem> file{new QTreeWidgetItem};
    int total = 0;
    QTreeWidgetItem* air(int i) const { return file->child(i); }
    int count() const { return file->childCount(); }
};

Loaded Load(const QByteArray& data)
{
    Loaded l;
    AirSpace reader;
    l.total = reader.LoadFromData(l.file.get(), data);
    return l;
}

QStringList ShapeNames(const QTreeWidgetItem* air)
{
    QStringList names;
    for (int i = 0; i < air->childCount(); ++i)
        names << air->child(i)->text(0);
    return names;
}

double Lat(const QTreeWidgetItem* it)
{
    return it->data(0, AirLatRole).toDouble();
}
double Lon(const QTreeWidgetItem* it)
{
    return it->data(0, AirLonRole).toDouble();
}

// Bearing in degrees from a centre (degrees) to a shape item.
double BearingTo(double lat, double lon, const QTreeWidgetItem* it)
{
    CGeo geo;
    geo.SetCoordinate(lat, lon);
    geo.SetDestinationRadsCoordinate(Lat(it), Lon(it));
    geo.Calculate();
    return geo.GetCourseTo();
}

// A position at a bearing and distance from a centre, as OpenAir text.
QByteArray PositionText(double lat, double lon, double bearingDeg, double km)
{
    CGeo geo;
    geo.SetCoordinate(lat, lon);
    geo.Calculate(bearingDeg / kDeg, km);
    double la = 0, lo = 0;
    geo.GetDestinationCoordinate(&la, &lo);
    return QByteArray::number(std::abs(la), 'f', 9) + (la < 0 ? " S " : " N ")
           + QByteArray::number(std::abs(lo), 'f', 9) + (lo < 0 ? " W" : " E");
}

} // namespace

class TestOpenAir : public QObject
{
    Q_OBJECT
private slots:
    void tokenizerLineEnds();
    void tokenizerQuotesTabsAndLimits();
    void tokenizerRestOfLineAndNullArguments();
    void tokenizerFileMatchesMemory();
    void trimGetIdAndFloats();
    void coordinates();
    void altitudes();
    void numbersIgnoreLocaleAndJunk();

    void airspaceRecordAndToolTip();
    void keywordsAreCaseSensitiveAndFirstOnLine();
    void keywordAloneOrAtEnd();
    void pointsAndLongitudeRange();
    void circlesNeedACentre();
    void arcsAddNoBytes();
    void dbArcs();
    void namesEncodingAndByteOrderMark();
    void loadFromFile();
    void shapeItemRoles();
};

void TestOpenAir::tokenizerLineEnds()
{
    const QByteArray lf = "AC R\nAN Test one\n\nDP 45:00:00 N 006:00:00 E\n";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QCOMPARE(Texts(Tokens(crlf)), Texts(Tokens(lf)));
    QCOMPARE(Texts(Tokens(lf)),
             QStringLiteral("AC/1|R/2|AN/1|Test/1|one/2|/2|DP/1|45:00:00/1|N/1|006:00:00/1|E/2|/3"));

    // An old Mac line end (CR alone) still ends the line.
    QCOMPARE(Texts(Tokens("AC R\rAN X\r\n")), QStringLiteral("AC/1|R/2|AN/1|X/2|/3"));
    // CR before the end of the data.
    QCOMPARE(Texts(Tokens("AC R\r")), QStringLiteral("AC/1|R/2|/3"));
}

void TestOpenAir::tokenizerQuotesTabsAndLimits()
{
    // Quotes group, are not stored, and the other kind inside is kept.
    QCOMPARE(Texts(Tokens("'a b',\"c'd, e\" f")), QStringLiteral("a b/1|c'd, e/1|f/3"));
    // An unclosed quote ends at the line end.
    QCOMPARE(Texts(Tokens("'open quote\nnext")), QStringLiteral("open quote/2|next/3"));
    // Tabs are ordinary characters.
    QCOMPARE(Texts(Tokens("AC\tR x\n")), QStringLiteral("AC\tR/1|x/2|/3"));
    // A keyword as the last bytes: read with result 3.
    QCOMPARE(Texts(Tokens("AN x\nDP")), QStringLiteral("AN/1|x/2|DP/3"));
    // Empty tokens between delimiters.
    QCOMPARE(Texts(Tokens(",, a")), QStringLiteral("/1|/1|/1|a/3"));

    // Over-long tokens are cut; the rest of the token is dropped, not
    // returned as another token.
    const QByteArray longTok(300, 'x');
    const QList<Tok> toks = Tokens(longTok + " y\n");
    QCOMPARE(toks.size(), 3);
    QCOMPARE(toks.at(0).text, QByteArray(255, 'x'));
    QCOMPARE(toks.at(1).text, QByteArray("y"));
    QCOMPARE(Tokens("abcdef g", 3).at(0).text, QByteArray("abc"));
}

void TestOpenAir::tokenizerRestOfLineAndNullArguments()
{
    const QByteArray data = "AN 'It''s', \"x\"\t y \r\nnext";
    OpenAirText t = {data.constData(), data.constData() + data.size()};
    char buf[R8_TOKEN_MAX + 1];
    QCOMPARE(GetToken(&t, buf, R8_TOKEN_MAX, 0), 1);
    QCOMPARE(QByteArray(buf), QByteArray("AN"));
    QCOMPARE(GetToken(&t, buf, R8_TOKEN_MAX, 1), 2);
    QCOMPARE(QByteArray(buf), QByteArray("'It''s', \"x\"\t y "));
    QCOMPARE(GetToken(&t, buf, R8_TOKEN_MAX, 1), 3);
    QCOMPARE(QByteArray(buf), QByteArray("next"));

    QCOMPARE(GetToken(static_cast<FILE*>(nullptr), buf, 10, 0), 0);
    QCOMPARE(GetToken(&t, nullptr, 10, 0), 0);
    QCOMPARE(GetToken(static_cast<OpenAirText*>(nullptr), buf, 10, 0), 0);
}

void TestOpenAir::tokenizerFileMatchesMemory()
{
    const QByteArray data = "* c'omment\r\nAC CTR\r\n  AN \"Q, R\" x\r\nV X=46:00:00 N 007:00:00 E\rDC 2";
    QCOMPARE(Texts(FileTokens(data)), Texts(Tokens(data)));
    QVERIFY(Tokens(data).size() > 8);
}

void TestOpenAir::trimGetIdAndFloats()
{
    char s[64];
    strcpy(s, "  a b  ");
    Trim(s);
    QCOMPARE(QByteArray(s), QByteArray("a b"));
    strcpy(s, "    ");
    Trim(s);
    QCOMPARE(QByteArray(s), QByteArray(""));
    strcpy(s, "\tx ");
    Trim(s);
    QCOMPARE(QByteArray(s), QByteArray("\tx")); // spaces only

    strcpy(s, " CTR ");
    QCOMPARE(GetID(s, AIRCLASSES), 8);
    strcpy(s, "ctr");
    QCOMPARE(GetID(s, AIRCLASSES), -1);
    strcpy(s, "");
    QCOMPARE(GetID(s, AIRCLASSES), -1);
    strcpy(s, "V");
    QCOMPARE(GetID(s, AIRRECORDS), 10);
    strcpy(s, "GP");
    QCOMPARE(GetID(s, AIRCLASSES), 7);
    strcpy(s, "E");
    QCOMPARE(GetID(s, AIRCLASSES), -1);
    QCOMPARE(GetID(s, nullptr), -1);

    float v[4] = {-1, -1, -1, -1};
    strcpy(s, " 10,270, 290 ");
    QCOMPARE(GetFloats(s, v, 3), 3);
    QCOMPARE(v[0], 10.0f);
    QCOMPARE(v[1], 270.0f);
    QCOMPARE(v[2], 290.0f);
    float w[4] = {-1, -1, -1, -1};
    strcpy(s, "1.5,,3,");
    QCOMPARE(GetFloats(s, w, 4), 3); // a final comma opens no field
    QCOMPARE(w[0], 1.5f);
    QCOMPARE(w[1], 0.0f);
    QCOMPARE(w[2], 3.0f);
    QCOMPARE(w[3], -1.0f);
    float x[2] = {-1, -1};
    strcpy(s, "7,8,9");
    QCOMPARE(GetFloats(s, x, 1), 1);
    QCOMPARE(x[0], 7.0f);
    QCOMPARE(x[1], -1.0f);
    strcpy(s, "");
    QCOMPARE(GetFloats(s, x, 2), 0);
}

void TestOpenAir::coordinates()
{
    char s[300];
    strcpy(s, " 45:30:15 ");
    QVERIFY(std::abs(GetCoordinate(s) - 45.504166f) < 1e-5f);
    strcpy(s, "45:30.5");
    QVERIFY(std::abs(GetCoordinate(s) - 45.508333f) < 1e-5f);
    strcpy(s, "45.5");
    QCOMPARE(GetCoordinate(s), 45.5f);
    strcpy(s, "");
    QCOMPARE(GetCoordinate(s), 0.0f);
    strcpy(s, "001:25:60"); // seconds written as 60
    QVERIFY(std::abs(GetCoordinate(s) - (1 + 26 / 60.0f)) < 1e-5f);
    strcpy(s, "10:0000000000000000030"); // part cut to 15 characters: reads 0
    QCOMPARE(GetCoordinate(s), 10.0f);

    _GEO_COORDS c[2] = {{0, 0}, {0, 0}};
    strcpy(s, "45:30:00 N 006:15:00 E");
    QCOMPARE(GetCoordinates(s, c, 1), 1);
    QCOMPARE(c[0].lat, 45.5);
    QCOMPARE(c[0].lon, 6.25);
    strcpy(s, "45:00:00 N 006:00:00 E, 45:10:00 N 006:10:00 E");
    QCOMPARE(GetCoordinates(s, c, 2), 2);
    QCOMPARE(c[1].lat, static_cast<double>(45.0f + 10 / 60.0f));
    strcpy(s, "33:30 S 070:15 W");
    QCOMPARE(GetCoordinates(s, c, 1), 1);
    QCOMPARE(c[0].lat, -33.5);
    QCOMPARE(c[0].lon, -70.25);
    // Compact and loose spellings.
    strcpy(s, "49:02:30N 122:18:00W");
    QCOMPARE(GetCoordinates(s, c, 1), 1);
    QCOMPARE(c[0].lon, -(122 + 18 / 60.0f));
    strcpy(s, "45:39:57 N00:47:20 W");
    QCOMPARE(GetCoordinates(s, c, 1), 1);
    QVERIFY(std::abs(c[0].lon + (47 / 60.0 + 20 / 3600.0)) < 1e-6);

    // Lower-case hemisphere letters are read, and reported.
    _GEO_COORDS d = {-1, -1};
    bool bLower = false;
    strcpy(s, "45:30:00 n 006:15:00 w");
    QCOMPARE(GetCoordinates(s, &d, 1, &bLower), 1);
    QVERIFY(bLower);
    QCOMPARE(d.lat, 45.5);
    QCOMPARE(d.lon, -6.25);
    strcpy(s, "45:30:00 N 006:15:00 E");
    QCOMPARE(GetCoordinates(s, &d, 1, &bLower), 1);
    QVERIFY(!bLower);
    QCOMPARE(d.lat, 45.5);

    // A comment after the position does not move it.
    strcpy(s, "69:10:19 N 028:49:49 E******** RESTRICTED ********");
    QCOMPARE(GetCoordinates(s, &d, 1), 1);
    QVERIFY(std::abs(d.lon - (28 + 49 / 60.0 + 49 / 3600.0)) < 1e-5);
    strcpy(s, "49:41:51 N 018:06:33 E *DME OTA 16 NM");
    QCOMPARE(GetCoordinates(s, &d, 1), 1);
    QVERIFY(std::abs(d.lon - (18 + 6 / 60.0 + 33 / 3600.0)) < 1e-5);
    // A second position is not read past the count.
    strcpy(s, "1 N 2 E, 3 N 4 E");
    d = {0, 0};
    QCOMPARE(GetCoordinates(s, &d, 1), 1);
    QCOMPARE(d.lat, 1.0);
}

void TestOpenAir::altitudes()
{
    struct Case {
        const char* text;
        float metres;
    } cases[] = {
        {"SFC", 0.0f},      {" sfc ", 0.0f},    {"UNL", 65535.0f},  {"UNLTD", 65535.0f},  {"unlimited", 65535.0f},
        {"FL95", 2895.6f},  {"FL 65", 1981.2f}, {"fl 95", 2895.6f}, {"1500 MSL", 457.2f}, {"1500ft AGL", 457.2f},
        {"2000M", 2000.0f}, {"300M", 300.0f},   {"1000", 304.8f},   {"GND", 0.0f},        {"2500M AMSL", 2500.0f},
        {"500m", 500.0f},   {"Floor", 0.0f},    {"", 0.0f},         {"NOTAM", 0.0f},      {"FL", 0.0f},
    };
    for (const Case& c : cases) {
        char s[64];
        strcpy(s, c.text);
        const float got = GetAltitude(s);
        QVERIFY2(std::abs(got - c.metres) < 1e-3f, qPrintable(QStringLiteral("%1 -> %2").arg(c.text).arg(got)));
    }
    char s[32];
    strcpy(s, " 1500ft msl ");
    GetAltitude(s);
    QCOMPARE(QByteArray(s), QByteArray("1500FT MSL")); // trimmed and upper-cased in place
}

void TestOpenAir::numbersIgnoreLocaleAndJunk()
{
    QCOMPARE(ReadNumber("45.5"), 45.5);
    QCOMPARE(ReadNumber("  -3.25x"), -3.25);
    QCOMPARE(ReadNumber("+7"), 7.0);
    QCOMPARE(ReadNumber(".5"), 0.5);
    QCOMPARE(ReadNumber("1e3"), 1000.0);
    QCOMPARE(ReadNumber("1,5"), 1.0);
    QCOMPARE(ReadNumber("nan"), 0.0);
    QCOMPARE(ReadNumber("inf"), 0.0);
    QCOMPARE(ReadNumber("1e999"), 0.0);
    QCOMPARE(ReadNumber("abc"), 0.0);
    QCOMPARE(ReadNumber(nullptr), 0.0);
}

void TestOpenAir::airspaceRecordAndToolTip()
{
    const Loaded l = Load("AC CTR\nAN Geneva CTR\nAL SFC\nAH FL 65\nDP 46:00:00 N 006:00:00 E\n"
                          "AC E\nAN Echo\nAL 1000\nAH 2500M AMSL\n"
                          "AC R\nAN <Range & Co>\n");
    QCOMPARE(l.count(), 3);
    const QTreeWidgetItem* a = l.air(0);
    QCOMPARE(a->text(0), QStringLiteral("Geneva CTR"));
    QCOMPARE(a->text(1), QStringLiteral("CTR CTR"));
    QCOMPARE(a->text(2), QStringLiteral("42"));
    QCOMPARE(a->data(0, AirKindRole).toInt(), 1);
    QCOMPARE(a->data(0, AirClassRole).toString(), QStringLiteral("CTR"));
    QCOMPARE(a->data(0, AirFloorRole).toFloat(), 0.0f);
    QCOMPARE(a->data(0, AirCeilingRole).toFloat(), 1981.2f);
    QCOMPARE(a->checkState(0), Qt::Checked);
    QVERIFY(a->flags() & Qt::ItemIsUserCheckable);
    QCOMPARE(a->toolTip(0),
             QStringLiteral("Name:<b>Geneva CTR</b><br>Class:<b>CTR</b><br>Floor:0<br>Ceiling:1981.2<br>"));

    const QTreeWidgetItem* e = l.air(1);
    QCOMPARE(e->text(1), QString());
    QCOMPARE(e->data(0, AirClassRole).toString(), QStringLiteral("E"));
    QCOMPARE(e->text(2), QStringLiteral("32"));
    QCOMPARE(e->toolTip(0), QStringLiteral("Name:<b>Echo</b><br>Class:<b>E</b><br>Floor:304.8<br>Ceiling:2500<br>"));
    // No shapes: the longitude range keeps its start values.
    QCOMPARE(e->data(0, AirMinLonRole).toFloat(), 99999.0f);
    QCOMPARE(e->data(0, AirMaxLonRole).toFloat(), -99999.0f);

    // Names are shown as text in the rich tool tip.
    QVERIFY(l.air(2)->toolTip(0).contains(QStringLiteral("&lt;Range &amp; Co&gt;")));
    QCOMPARE(l.air(2)->text(1), QStringLiteral("R restricted"));
    QCOMPARE(l.total, 32 * 3 + 10);
}

void TestOpenAir::keywordsAreCaseSensitiveAndFirstOnLine()
{
    const Loaded l = Load("ac r\nAC\tR\n  AC Q\nAN x AC R\n* AC P\nAC, GP\nAN Two\n");
    // 'ac r', 'AC<tab>R' and the comment are skipped; AC after AN is its name;
    // a comma also ends the keyword.
    QCOMPARE(l.count(), 2);
    QCOMPARE(l.air(0)->text(1), QStringLiteral("Q danger"));
    QCOMPARE(l.air(0)->text(0), QStringLiteral("x AC R"));
    QCOMPARE(l.air(1)->text(1), QStringLiteral("GP glider prohibited"));
    QCOMPARE(l.air(1)->text(0), QStringLiteral("Two"));

    // Records before any AC do nothing; unknown records are skipped whole.
    const Loaded m = Load("AN Lost\nDP 1 N 1 E\nAY TMA DP 2 N 2 E\nAC A\nAF 118.1 DP\nAX x\nDP 3 N 3 E\n");
    QCOMPARE(m.count(), 1);
    QCOMPARE(m.air(0)->childCount(), 1);
    QCOMPARE(Lat(m.air(0)->child(0)) * kDeg, 3.0);
    QCOMPARE(m.total, 42);
}

void TestOpenAir::keywordAloneOrAtEnd()
{
    // A keyword alone on its line takes an empty argument and leaves the
    // next line to be read as a record.
    const Loaded l = Load("AC R\nAN\nAL 1000\nDP 1 N 1 E\nAC");
    QCOMPARE(l.count(), 1);
    QCOMPARE(l.air(0)->text(0), QString());
    QCOMPARE(l.air(0)->data(0, AirFloorRole).toFloat(), 304.8f);
    QCOMPARE(l.air(0)->childCount(), 1);
    QCOMPARE(l.total, 42);

    // The last record without a line end is read when it has an argument.
    const Loaded m = Load("AC R\nDP 1 N 1 E\nDP 2 N 2 E");
    QCOMPARE(m.air(0)->childCount(), 2);
    QCOMPARE(m.air(0)->text(2), QStringLiteral("52"));

    QCOMPARE(Load("").count(), 0);
    QCOMPARE(Load("\n\n   \n").total, 0);
}

void TestOpenAir::pointsAndLongitudeRange()
{
    const Loaded l = Load("AC R\nDP 45:30:00 N 006:15:00 W\nDP 45:30:00 N 006:15:00 E\nDP 45 n 6 e\nDP 1 2\n"
                          "DP 10:00:00 S 170:00:00 E\n");
    const QTreeWidgetItem* a = l.air(0);
    QCOMPARE(ShapeNames(a), QStringList({"point", "point", "point", "point"}));
    QVERIFY(std::abs(Lon(a->child(0)) - (-0.1090830782)) < 1e-9);
    QCOMPARE(a->child(0)->data(0, AirKindRole).toInt(), 2);
    QVERIFY(std::abs(Lat(a->child(3)) - (-10 / kDeg)) < 1e-9);
    QCOMPARE(a->data(0, AirMinLonRole).toFloat(), static_cast<float>(-6.25 / kDeg));
    QCOMPARE(a->data(0, AirMaxLonRole).toFloat(), static_cast<float>(170 / kDeg));
    QCOMPARE(a->text(2), QStringLiteral("72"));
    QCOMPARE(l.total, 72);
    // Shapes have no check box of their own.
    QCOMPARE(a->child(0)->data(0, Qt::CheckStateRole), QVariant());
}

void TestOpenAir::circlesNeedACentre()
{
    const Loaded l = Load("V X=46:00:00 N 007:00:00 E\n"
                          "AC R\nDC 2\n"                         // centre forgotten at AC
                          "V X = 46:00:00 N 007:00:00 E\nDC 2\n" // spaces around '=': no centre
                          "V X=46 N 7\nDC 2\n"                   // no longitude letter: no centre
                          "V X=46:00:00 N 007:00:00 E\nDC 2\n"
                          "V W=2\nDC 1.5 * comment\n");
    const QTreeWidgetItem* a = l.air(0);
    QCOMPARE(ShapeNames(a), QStringList({"circle", "circle"}));
    const QTreeWidgetItem* c = a->child(0);
    QCOMPARE(c->data(0, AirKindRole).toInt(), 3);
    QCOMPARE(c->data(0, AirRadiusRole).toFloat(), 3.704f);
    QCOMPARE(Lat(c), static_cast<double>(46.0f) / kDeg);
    QCOMPARE(Lon(c), 7.0 / kDeg);
    QCOMPARE(a->child(1)->data(0, AirRadiusRole).toFloat(), static_cast<float>(1.5 * 1.852));
    QCOMPARE(a->text(2), QStringLiteral("60"));
    QCOMPARE(l.total, 60);
    QCOMPARE(a->data(0, AirMinLonRole).toFloat(), static_cast<float>(7.0 / kDeg));
}

void TestOpenAir::arcsAddNoBytes()
{
    const Loaded l = Load("AC R\nV X=3 N 50 E\nDA 10,270,290\nV D=-\nDA 5, 200\nDA\n");
    const QTreeWidgetItem* a = l.air(0);
    QCOMPARE(ShapeNames(a), QStringList({"arc", "arc", "arc"}));
    const QTreeWidgetItem* arc = a->child(0);
    QCOMPARE(arc->data(0, AirKindRole).toInt(), 4);
    QCOMPARE(arc->data(0, AirRadiusRole).toFloat(), 18.52f);
    QCOMPARE(arc->data(0, AirAngle1Role).toDouble(), 270 / kDeg);
    QCOMPARE(arc->data(0, AirAngle2Role).toDouble(), 290 / kDeg);
    QCOMPARE(a->child(1)->data(0, AirAngle2Role).toDouble(), 0.0); // missing number
    QCOMPARE(a->child(2)->data(0, AirRadiusRole).toFloat(), 0.0f);
    QCOMPARE(a->text(2), QStringLiteral("32"));
    QCOMPARE(l.total, 32);
}

void TestOpenAir::dbArcs()
{
    // On the equator the bearings north and east are exact.
    const QByteArray north = PositionText(0, 0, 0, 10);
    const QByteArray east = PositionText(0, 0, 90, 10);
    const QByteArray head = "AC R\nV X=0:00:00 N 000:00:00 E\n";

    const Loaded cw = Load(head + "DB " + north + ", " + east + "\n");
    const QTreeWidgetItem* a = cw.air(0);
    QCOMPARE(ShapeNames(a), QStringList({"pointZ1", "pointX", "pointX", "pointX", "pointX", "pointX", "pointZ2"}));
    for (int k = 1; k <= 5; ++k) {
        QVERIFY2(std::abs(BearingTo(0, 0, a->child(k)) - 15.0 * k) < 1e-5, qPrintable(QString::number(k)));
        CGeo geo;
        geo.SetDestinationRadsCoordinate(Lat(a->child(k)), Lon(a->child(k)));
        geo.Calculate();
        QVERIFY(std::abs(geo.GetDistance() - 10.0) < 1e-3);
        QCOMPARE(a->child(k)->data(0, AirKindRole).toInt(), 2);
    }
    QCOMPARE(a->text(2), QStringLiteral("102"));
    QCOMPARE(cw.total, 102);

    // Counter-clockwise from east to north: the same grid walked back.
    const Loaded ccw = Load(head + "V D=-\nDB " + east + " , " + north + "\n");
    const QTreeWidgetItem* b = ccw.air(0);
    QCOMPARE(b->childCount(), 7);
    for (int k = 1; k <= 5; ++k)
        QVERIFY(std::abs(BearingTo(0, 0, b->child(k)) - (90.0 - 15.0 * k)) < 1e-5);

    // Counter-clockwise from north to east goes the long way: 270 degrees.
    const Loaded longWay =
        Load(head + "V D=-\nDB " + north + "," + east + "\nV D=+\nDB " + north + "," + east + "\n");
    const QTreeWidgetItem* c = longWay.air(0);
    QCOMPARE(c->childCount(), 2 + 17 + 2 + 5);
    QVERIFY(std::abs(BearingTo(0, 0, c->child(1)) - 345.0) < 1e-5);
    QVERIFY(std::abs(BearingTo(0, 0, c->child(17)) - 105.0) < 1e-5);
    QCOMPARE(c->child(18)->text(0), QStringLiteral("pointZ2"));
    // V D=+ turned it back to clockwise.
    QVERIFY(std::abs(BearingTo(0, 0, c->child(20)) - 15.0) < 1e-5);

    // Equal bearings: only the two ends. A direction reset at AC.
    const Loaded same =
        Load("AC R\nV D=-\n" + head + "DB " + PositionText(0, 0, 40, 5) + "," + PositionText(0, 0, 40, 8) + "\n");
    QCOMPARE(ShapeNames(same.air(1)), QStringList({"pointZ1", "pointZ2"}));
    QCOMPARE(same.air(1)->text(2), QStringLiteral("52"));

    // A start bearing off the grid: every grid bearing inside the arc.
    const Loaded off = Load(head + "DB " + PositionText(0, 0, 10, 10) + "," + PositionText(0, 0, 100, 10) + "\nDB "
                            + PositionText(0, 0, 10, 10) + "," + PositionText(0, 0, 35, 10) + "\n");
    const QTreeWidgetItem* o = off.air(0);
    QCOMPARE(o->childCount(), 8 + 4);
    QVERIFY(std::abs(BearingTo(0, 0, o->child(1)) - 15.0) < 1e-5);
    QVERIFY(std::abs(BearingTo(0, 0, o->child(6)) - 90.0) < 1e-5);

    // Without a centre, or with one position only, a DB adds nothing.
    const Loaded none = Load("AC R\nDB " + north + "," + east + "\nV X=0 N 0 E\nDB " + north + "\n");
    QCOMPARE(none.air(0)->childCount(), 0);
    QCOMPARE(none.total, 32);
}

void TestOpenAir::namesEncodingAndByteOrderMark()
{
    const Loaded l = Load("\xEF\xBB\xBF"
                          "AC R\nAN Saint-P\xC3\xA9\nAC R\nAN DRESDEN-S\xDC"
                          "D\r\n"
                          "AC R\nAN \xE2\x80\x9EKEDZIERZYN\xE2\x80\x9D  \n");
    QCOMPARE(l.count(), 3);
    QCOMPARE(l.air(0)->text(0), QStringLiteral("Saint-P\u00e9"));
    QCOMPARE(l.air(1)->text(0), QStringLiteral("DRESDEN-S\u00dcD"));
    QCOMPARE(l.air(2)->text(0), QStringLiteral("\u201eKEDZIERZYN\u201d"));

    QCOMPARE(DecodeName("\xC3\xA9", 2), QStringLiteral("\u00e9"));
    QCOMPARE(DecodeName("\xE9t\xE9", 3), QStringLiteral("\u00e9t\u00e9"));
    QCOMPARE(DecodeName("\xC0\x80", 2), QStringLiteral("\u00c0\u0080")); // overlong form is not UTF-8
    QCOMPARE(DecodeName("\xED\xA0\x80", 3).size(), 3);                   // nor is a surrogate
    QCOMPARE(DecodeName("", 0), QString());
}

void TestOpenAir::loadFromFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A name that Latin-1 cannot spell.
    const QString path = dir.filePath(QStringLiteral("\u03a9mega \u0141\u00f3d\u017a.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("AC R\nAN A\nV X=46:00:00 N 007:00:00 E\nDC 2\n");
    f.close();

    QTreeWidgetItem file;
    AirSpace reader;
    QCOMPARE(reader.LoadFromFile(&file, path), 46);
    QCOMPARE(file.childCount(), 1);
    QVERIFY(reader.ErrorString().isEmpty());

    QTreeWidgetItem missing;
    QCOMPARE(reader.LoadFromFile(&missing, dir.filePath(QStringLiteral("none.txt"))), 0);
    QCOMPARE(missing.childCount(), 0);
    QVERIFY(!reader.ErrorString().isEmpty());
    QCOMPARE(reader.LoadFromFile(&missing, dir.path()), 0); // a folder
    QCOMPARE(missing.childCount(), 0);
    QCOMPARE(reader.LoadFromFile(nullptr, path), 0);

    QCOMPARE(reader.ClassNames().size(), 10);
    QCOMPARE(reader.ClassNames().at(9), QStringLiteral("W Wave Window"));
}

void TestOpenAir::shapeItemRoles()
{
    QTreeWidgetItem parent;
    auto* point = new AirShapeItem(&parent, QStringLiteral("point"), AirNodePoint, 0.5, -0.25);
    QCOMPARE(parent.childCount(), 1);
    QCOMPARE(point->text(0), QStringLiteral("point"));
    QCOMPARE(point->data(0, AirKindRole).toInt(), 2);
    QCOMPARE(AirNodeKindOf(point), 2);
    point->setData(0, AirKindRole, AirNodeArc); // fixed at creation
    QCOMPARE(point->data(0, AirKindRole).toInt(), 2);
    QCOMPARE(point->data(0, AirLonRole).toDouble(), -0.25);
    // A point has no radius or angles, and no check box until given one.
    QCOMPARE(point->data(0, AirRadiusRole), QVariant());
    QCOMPARE(point->data(0, AirAngle1Role), QVariant());
    QCOMPARE(point->data(0, Qt::CheckStateRole), QVariant());
    point->setCheckState(0, Qt::Unchecked);
    QCOMPARE(point->checkState(0), Qt::Unchecked);
    point->setData(0, AirLatRole, 0.75);
    QCOMPARE(point->data(0, AirLatRole).toDouble(), 0.75);
    point->setText(0, QStringLiteral("renamed"));
    QCOMPARE(point->text(0), QStringLiteral("renamed"));
    point->setData(0, Qt::UserRole + 42, 7); // other roles are kept as usual
    QCOMPARE(point->data(0, Qt::UserRole + 42).toInt(), 7);
    QCOMPARE(point->data(1, AirLatRole), QVariant());

    auto* arc = new AirShapeItem(&parent, QStringLiteral("arc"), AirNodeArc, 0.1, 0.2);
    arc->SetRadius(3.5f);
    arc->SetAngles(1.0, 2.0);
    QCOMPARE(arc->data(0, AirRadiusRole).toFloat(), 3.5f);
    QCOMPARE(arc->data(0, AirAngle2Role).toDouble(), 2.0);
    arc->setData(0, AirAngle1Role, 1.5);
    QCOMPARE(arc->data(0, AirAngle1Role).toDouble(), 1.5);

    // Items made elsewhere answer the kind from their data.
    QTreeWidgetItem plain;
    plain.setData(0, AirKindRole, AirNodeCircle);
    QCOMPARE(AirNodeKindOf(&plain), 3);
}

QTEST_MAIN(TestOpenAir)
#include "test_openair.moc"
