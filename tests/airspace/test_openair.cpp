// The OpenAir reader: tokens, numbers, and whole texts read into the tree.
#include "airspace.h"
#include "geo.h"

#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr double kDeg = 57.29577951308232;

// Every token of the data in token mode, "text/result" joined by '|'; the
// same read from a file must give the same.
QString Tokens(const QByteArray& data, int maxLen = R8_TOKEN_MAX)
{
    QStringList memory, file;
    char buf[R8_TOKEN_MAX + 1];
    OpenAirText t = {data.constData(), data.constData() + data.size()};
    FILE* f = tmpfile();
    fwrite(data.constData(), 1, size_t(data.size()), f);
    rewind(f);
    for (int r = -1; r != 3 && r != 0 && memory.size() <= data.size();) {
        r = GetToken(&t, buf, maxLen, 0);
        memory << QStringLiteral("%1/%2").arg(QString::fromLatin1(buf)).arg(r);
        const int rf = GetToken(f, buf, maxLen, 0);
        file << QStringLiteral("%1/%2").arg(QString::fromLatin1(buf)).arg(rf);
    }
    fclose(f);
    return memory == file ? memory.join(QLatin1Char('|')) : QStringLiteral("file differs: ") + file.join('|');
}

std::unique_ptr<QTreeWidgetItem> Load(const QByteArray& data, int* pTotal = nullptr)
{
    auto file = std::make_unique<QTreeWidgetItem>();
    AirSpace reader;
    const int total = reader.LoadFromData(file.get(), data);
    if (pTotal)
        *pTotal = total;
    return file;
}

// One line per airspace: name|class column|floor|ceiling|bytes|shapes; then the total.
QStringList Summary(const QByteArray& data)
{
    int total = 0;
    const auto file = Load(data, &total);
    QStringList lines;
    for (int i = 0; i < file->childCount(); ++i) {
        const QTreeWidgetItem* a = file->child(i);
        QStringList shapes;
        for (int k = 0; k < a->childCount(); ++k)
            shapes << a->child(k)->text(0);
        lines << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(a->text(0), a->text(1))
                     .arg(a->data(0, AirFloorRole).toFloat())
                     .arg(a->data(0, AirCeilingRole).toFloat())
                     .arg(a->text(2), shapes.join(QLatin1Char(' ')));
    }
    return lines << QStringLiteral("total %1").arg(total);
}

double Lat(const QTreeWidgetItem* it) { return it->data(0, AirLatRole).toDouble(); }
double Lon(const QTreeWidgetItem* it) { return it->data(0, AirLonRole).toDouble(); }

// Bearing in degrees from 0 N 0 E to a shape item.
double Bearing(const QTreeWidgetItem* it)
{
    CGeo geo;
    geo.SetCoordinate(0.0, 0.0);
    geo.SetDestinationRadsCoordinate(Lat(it), Lon(it));
    geo.Calculate();
    return geo.GetCourseTo();
}

// The position at a bearing and distance from 0 N 0 E, as OpenAir text.
QByteArray At(double bearingDeg, double km)
{
    CGeo geo;
    geo.SetCoordinate(0.0, 0.0);
    geo.Calculate(bearingDeg / kDeg, km);
    double la = 0, lo = 0;
    geo.GetDestinationCoordinate(&la, &lo);
    return QByteArray::number(std::abs(la), 'f', 9) + (la < 0 ? " S " : " N ") + QByteArray::number(std::abs(lo), 'f', 9)
           + (lo < 0 ? " W" : " E");
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
        QTest::newRow("LF") << QByteArray("AC R\nAN Test one\n\nDP 45:00:00 N 006:00:00 E\n")
                            << "AC/1|R/2|AN/1|Test/1|one/2|/2|DP/1|45:00:00/1|N/1|006:00:00/1|E/2|/3";
        QTest::newRow("CR LF") << QByteArray("AC R\r\nAN Test one\r\n\r\nDP 45:00:00 N 006:00:00 E\r\n")
                               << "AC/1|R/2|AN/1|Test/1|one/2|/2|DP/1|45:00:00/1|N/1|006:00:00/1|E/2|/3";
        QTest::newRow("CR alone") << QByteArray("AC R\rAN X\r\n") << "AC/1|R/2|AN/1|X/2|/3";
        QTest::newRow("CR at the end") << QByteArray("AC R\r") << "AC/1|R/2|/3";
        QTest::newRow("quotes") << QByteArray("'a b',\"c'd, e\" f") << "a b/1|c'd, e/1|f/3";
        QTest::newRow("unclosed quote") << QByteArray("'open quote\nnext") << "open quote/2|next/3";
        QTest::newRow("tab is ordinary") << QByteArray("AC\tR x\n") << "AC\tR/1|x/2|/3";
        QTest::newRow("keyword as the last bytes") << QByteArray("AN x\nDP") << "AN/1|x/2|DP/3";
        QTest::newRow("empty tokens") << QByteArray(",, a") << "/1|/1|/1|a/3";
        QTest::newRow("long token cut, rest dropped") << QByteArray(300, 'x') + " y\n"
                                                      << QString(255, QLatin1Char('x')) + "/1|y/2|/3";
        QTest::newRow("comment") << QByteArray("* c'omment\r\nAC CTR") << "*/1|comment/2|AC/1|CTR/3"; // the quote opens a group the line end closes
    }
    void tokenizer()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, tokens);
        QCOMPARE(Tokens(data), tokens);
    }

    void coordinates_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::newRow("d:m:s") << QByteArray("45:30:00 N 006:15:00 E") << 1 << 45.5 << 6.25;
        QTest::newRow("south west") << QByteArray("33:30 S 070:15 W") << 1 << -33.5 << -70.25;
        QTest::newRow("decimal minutes") << QByteArray("45:30.5 N 6 E") << 1 << 45.508333 << 6.0;
        QTest::newRow("compact") << QByteArray("49:02:30N 122:18:00W") << 1 << 49.041667 << -122.3;
        QTest::newRow("loose") << QByteArray("45:39:57 N00:47:20 W") << 1 << 45.665833 << -0.788889;
        QTest::newRow("seconds written as 60") << QByteArray("001:25:60 N 1 E") << 1 << 1.433333 << 1.0;
        QTest::newRow("comment glued on") << QByteArray("69:10:19 N 028:49:49 E******** RESTRICTED") << 1 << 69.171944
                                          << 28.830278;
        QTest::newRow("comment after") << QByteArray("49:41:51 N 018:06:33 E *DME OTA 16 NM") << 1 << 49.6975
                                       << 18.109167;
        QTest::newRow("lower-case letters") << QByteArray("45:30:00 n 006:15:00 e") << 0 << -1.0 << -1.0;
        QTest::newRow("lower-case east") << QByteArray("45:30:00 N 006:15:00 e") << 0 << 45.5 << -1.0;
        QTest::newRow("no second position read") << QByteArray("1 N 2 E, 3 N 4 E") << 1 << 1.0 << 2.0;
    }
    void coordinates()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        QFETCH(double, lat);
        QFETCH(double, lon);
        _GEO_COORDS c = {-1, -1};
        QCOMPARE(GetCoordinates(text.data(), &c, 1), count);
        QVERIFY2(std::abs(c.lat - lat) < 1e-5 && std::abs(c.lon - lon) < 1e-5,
                 qPrintable(QStringLiteral("%1 %2").arg(c.lat, 0, 'f', 6).arg(c.lon, 0, 'f', 6)));
    }

    void altitudes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<float>("metres");
        for (const char* t : {"SFC", " sfc ", "GND", "Floor", "", "NOTAM", "FL"})
            QTest::newRow(t) << QByteArray(t) << 0.0f;
        for (const char* t : {"UNL", "UNLTD", "unlimited"})
            QTest::newRow(t) << QByteArray(t) << 65535.0f;
        QTest::newRow("FL95") << QByteArray("FL95") << 2895.6f;
        QTest::newRow("fl 65") << QByteArray("fl 65") << 1981.2f;
        QTest::newRow("feet MSL") << QByteArray("1500 MSL") << 457.2f;
        QTest::newRow("ft AGL") << QByteArray("1500ft AGL") << 457.2f;
        QTest::newRow("plain feet") << QByteArray("1000") << 304.8f;
        QTest::newRow("metres") << QByteArray("2000M") << 2000.0f;
        QTest::newRow("lower-case metres") << QByteArray("500m") << 500.0f;
    }
    void altitudes()
    {
        QFETCH(QByteArray, text);
        QFETCH(float, metres);
        QVERIFY2(std::abs(GetAltitude(text.data()) - metres) < 1e-3f, text.constData());
    }

    void loads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("summary");
        QTest::newRow("records") << QByteArray("AC CTR\nAN Geneva CTR\nAL SFC\nAH FL 65\nDP 46:00:00 N 006:00:00 E\n"
                                               "AC E\nAN Echo\nAL 1000\nAC R\nAN <Range & Co>\n")
                                 << QStringList{"Geneva CTR|CTR CTR|0|1981.2|42|point", "Echo||304.8|0|32|",
                                                "<Range & Co>|R restricted|0|0|32|", "total 106"};
        QTest::newRow("keywords: case, place, comments")
            << QByteArray("ac r\nAC\tR\n  AC Q\nAN x AC R\n* AC P\nAC, GP\nAN Two\n")
            << QStringList{"x AC R|Q danger|0|0|32|", "Two|GP glider prohibited|0|0|32|", "total 64"};
        QTest::newRow("records before AC, unknown records")
            << QByteArray("AN Lost\nDP 1 N 1 E\nAY TMA DP 2 N 2 E\nAC A\nAF 118.1 DP\nAX x\nDP 3 N 3 E\n")
            << QStringList{"|A Class A|0|0|42|point", "total 42"};
        QTest::newRow("keyword alone on its line") << QByteArray("AC R\nAN\nAL 1000\nDP 1 N 1 E\nAC")
                                                   << QStringList{"|R restricted|304.8|0|42|point", "total 42"};
        QTest::newRow("no line end at the end") << QByteArray("AC R\nDP 1 N 1 E\nDP 2 N 2 E")
                                                << QStringList{"|R restricted|0|0|52|point point", "total 52"};
        QTest::newRow("nothing") << QByteArray("\n\n   \n") << QStringList{"total 0"};
        QTest::newRow("points, bad ones skipped")
            << QByteArray("AC R\nDP 45:30:00 N 006:15:00 W\nDP 45:30:00 N 006:15:00 E\nDP 45 n 6 e\nDP 1 2\n"
                          "DP 10:00:00 S 170:00:00 E\n")
            << QStringList{"|R restricted|0|0|62|point point point", "total 62"};
        QTest::newRow("circles need a centre")
            << QByteArray("V X=46:00:00 N 007:00:00 E\nAC R\nDC 2\nV X = 46:00:00 N 007:00:00 E\nDC 2\n"
                          "V X=46 n 7 e\nDC 2\nV X=46:00:00 N 007:00:00 E\nDC 2\nV W=2\nDC 1.5 * comment\n")
            << QStringList{"|R restricted|0|0|60|circle circle", "total 60"};
        QTest::newRow("arcs take no bytes") << QByteArray("AC R\nV X=3 N 50 E\nDA 10,270,290\nV D=-\nDA 5, 200\nDA\n")
                                            << QStringList{"|R restricted|0|0|32|arc arc arc", "total 32"};
        QTest::newRow("DB without a centre or second end")
            << QByteArray("AC R\nDB 1 N 1 E,2 N 2 E\nV X=0 N 0 E\nDB 1 N 1 E\n")
            << QStringList{"|R restricted|0|0|32|", "total 32"};
        QTest::newRow("names: BOM, UTF-8, Latin-1")
            << QByteArray("\xEF\xBB\xBF" "AC R\nAN Saint-P\xC3\xA9\nAC R\nAN DRESDEN-S\xDC" "D\r\n"
                          "AC R\nAN \xE2\x80\x9EKEDZIERZYN\xE2\x80\x9D  \n")
            << QStringList{QStringLiteral("Saint-P\u00e9|R restricted|0|0|32|"),
                           QStringLiteral("DRESDEN-S\u00dcD|R restricted|0|0|32|"),
                           QStringLiteral("\u201eKEDZIERZYN\u201d|R restricted|0|0|32|"), "total 96"};
    }
    void loads()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, summary);
        QCOMPARE(Summary(text), summary);
    }

    void shapeNumbers()
    {
        const auto file = Load("AC CTR\nAN A\nDP 45:30:00 N 006:15:00 W\nDP 10:00:00 S 170:00:00 E\n"
                               "V X=46:00:00 N 007:00:00 E\nDC 2\nV X=3 N 50 E\nDA 10,270,290\nDA 5, 200\n");
        const QTreeWidgetItem* a = file->child(0);
        QCOMPARE(a->data(0, AirClassRole).toString(), QStringLiteral("CTR"));
        QCOMPARE(a->checkState(0), Qt::Checked);
        QVERIFY(std::abs(Lon(a->child(0)) + 6.25 / kDeg) < 1e-9);
        QVERIFY(std::abs(Lat(a->child(1)) + 10 / kDeg) < 1e-9);
        QCOMPARE(a->child(0)->data(0, Qt::CheckStateRole), QVariant()); // shapes have no box of their own
        const QTreeWidgetItem* circle = a->child(2);
        QCOMPARE(circle->data(0, AirRadiusRole).toFloat(), 3.704f);
        QCOMPARE(Lon(circle), 7.0 / kDeg);
        const QTreeWidgetItem* arc = a->child(3);
        QCOMPARE(arc->data(0, AirRadiusRole).toFloat(), 18.52f);
        QCOMPARE(arc->data(0, AirAngle1Role).toDouble(), 270 / kDeg);
        QCOMPARE(arc->data(0, AirAngle2Role).toDouble(), 290 / kDeg);
        QCOMPARE(a->child(4)->data(0, AirAngle2Role).toDouble(), 0.0); // missing number
        QCOMPARE(a->data(0, AirMinLonRole).toFloat(), float(-6.25 / kDeg));
        QCOMPARE(a->data(0, AirMaxLonRole).toFloat(), float(170 / kDeg));
    }

    void dbArcs_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<double>>("bearings"); // of the points between the two ends
        const QByteArray head = "AC R\nV X=0:00:00 N 000:00:00 E\n";
        QTest::newRow("clockwise") << head + "DB " + At(0, 10) + ", " + At(90, 10) + "\n"
                                   << QList<double>{15, 30, 45, 60, 75};
        QTest::newRow("counter-clockwise") << head + "V D=-\nDB " + At(90, 10) + " , " + At(0, 10) + "\n"
                                           << QList<double>{75, 60, 45, 30, 15};
        QList<double> longWay;
        for (int b = 345; b >= 105; b -= 15)
            longWay << b;
        QTest::newRow("counter-clockwise the long way") << head + "V D=-\nDB " + At(0, 10) + "," + At(90, 10) + "\n"
                                                        << longWay;
        QTest::newRow("direction reset at AC") << "AC Q\nV D=-\n" + head + "DB " + At(0, 10) + "," + At(90, 10) + "\n"
                                               << QList<double>{15, 30, 45, 60, 75};
        QTest::newRow("equal bearings") << head + "DB " + At(40, 5) + "," + At(40, 8) + "\n" << QList<double>{};
        QTest::newRow("off the grid: rounded up") << head + "DB " + At(10, 10) + "," + At(100, 10) + "\n"
                                                  << QList<double>{30, 45, 60, 75, 90};
        QTest::newRow("under 30 degrees") << head + "DB " + At(10, 10) + "," + At(35, 10) + "\n" << QList<double>{};
    }
    void dbArcs()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<double>, bearings);
        int total = 0;
        const auto file = Load(text, &total);
        const QTreeWidgetItem* a = file->child(file->childCount() - 1);
        QCOMPARE(a->childCount(), bearings.size() + 2);
        QCOMPARE(a->child(0)->text(0), QStringLiteral("pointZ1"));
        QCOMPARE(a->child(a->childCount() - 1)->text(0), QStringLiteral("pointZ2"));
        for (int k = 0; k < bearings.size(); ++k) {
            const QTreeWidgetItem* p = a->child(k + 1);
            QCOMPARE(p->text(0), QStringLiteral("pointX"));
            QVERIFY2(std::abs(Bearing(p) - bearings.at(k)) < 1e-5, qPrintable(QString::number(Bearing(p))));
        }
        QCOMPARE(a->text(2).toInt(), 32 + 10 * a->childCount());
    }

};

QTEST_MAIN(TestOpenAir)
#include "test_openair.moc"
