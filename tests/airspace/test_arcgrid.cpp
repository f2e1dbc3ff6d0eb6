// Points made from DB arcs lie on the arc, never more than 15 degrees apart,
// and an airspace's extent is that of the true arc.
#include "airspace.h"
#include "geo.h"
#include "testsupport.h"

#include <QDir>
#include <QTreeWidgetItem>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kGapDeg = 15.0 + 1e-6;
constexpr double kBoxDeg = 0.01;

struct Box {
    double minLat = 1e9, minLon = 1e9, maxLat = -1e9, maxLon = -1e9;
    void add(double lat, double lon)
    {
        minLat = std::min(minLat, lat);
        maxLat = std::max(maxLat, lat);
        minLon = std::min(minLon, lon);
        maxLon = std::max(maxLon, lon);
    }
    double distance(const Box& o) const
    {
        return std::max({std::abs(minLat - o.minLat), std::abs(maxLat - o.maxLat), std::abs(minLon - o.minLon),
                         std::abs(maxLon - o.maxLon)});
    }
};

// A DB record as the file states it.
struct Arc {
    _GEO_COORDS centre;
    _GEO_COORDS ends[2];
    bool clockwise;
};

bool OnGlobe(const _GEO_COORDS& c)
{
    return std::abs(c.lat) <= 90 && std::abs(c.lon) <= 180;
}

// The DB arcs of a file, found line by line without the reader's tokenizer.
std::vector<Arc> ScanArcs(const QByteArray& data)
{
    std::vector<Arc> arcs;
    _GEO_COORDS centre = {0, 0};
    bool haveCentre = false;
    bool clockwise = true;
    for (QByteArray line : data.split('\n')) {
        line = line.trimmed();
        const int cut = line.indexOf(' ');
        const QByteArray key = cut < 0 ? line : line.left(cut);
        QByteArray rest = cut < 0 ? QByteArray() : line.mid(cut + 1).trimmed();
        if (key == "AC") {
            haveCentre = false;
            clockwise = true;
        } else if (key == "V" && rest.startsWith("X=")) {
            QByteArray text = rest.mid(2);
            haveCentre = GetCoordinates(text.data(), &centre, 1) == 1 && OnGlobe(centre);
        } else if (key == "V" && rest.startsWith("D=")) {
            const QByteArray sign = rest.mid(2).trimmed();
            if (sign.startsWith('-') || sign.startsWith('+'))
                clockwise = sign.startsWith('+');
        } else if (key == "DB" && haveCentre) {
            Arc a{centre, {{0, 0}, {0, 0}}, clockwise};
            if (GetCoordinates(rest.data(), a.ends, 2) == 2 && OnGlobe(a.ends[0]) && OnGlobe(a.ends[1]))
                arcs.push_back(a);
        }
    }
    return arcs;
}

// The true arc every degree, both ends included, on the radius of its
// start; none when the end lies more than 5 % off that radius (the reader
// warns of those).
bool ReferenceBox(const Arc& a, Box* pBox)
{
    CGeo geo;
    geo.SetCoordinate(a.centre.lat, a.centre.lon);
    geo.SetDestinationCoordinate(a.ends[0].lat, a.ends[0].lon);
    geo.Calculate();
    const double start = geo.GetCourseTo();
    const double radius = geo.GetDistance();
    geo.SetDestinationCoordinate(a.ends[1].lat, a.ends[1].lon);
    geo.Calculate();
    if (std::abs(geo.GetDistance() - radius) > 0.05 * radius)
        return false;
    double sweep = std::fmod(a.clockwise ? geo.GetCourseTo() - start : start - geo.GetCourseTo(), 360.0);
    if (sweep < 0)
        sweep += 360.0;
    Box box;
    box.add(a.ends[0].lat, a.ends[0].lon);
    box.add(a.ends[1].lat, a.ends[1].lon);
    for (double d = 1.0; d < sweep; d += 1.0) {
        geo.Calculate((a.clockwise ? start + d : start - d) / R8_DEG_PER_RAD, radius);
        double lat = 0, lon = 0;
        geo.GetDestinationCoordinate(&lat, &lon);
        box.add(lat, lon);
    }
    *pBox = box;
    return true;
}

// Bearing from the centre, or NaN for a point on the centre (one file ends
// an arc there).
double BearingFrom(const _GEO_COORDS& centre, double latRad, double lonRad)
{
    CGeo geo;
    geo.SetCoordinate(centre.lat, centre.lon);
    geo.SetDestinationRadsCoordinate(latRad, lonRad);
    geo.Calculate();
    return geo.GetDistance() < 1e-3 ? std::nan("") : geo.GetCourseTo();
}

// Runs of points from pointZ1 to pointZ2, in file order.
QVector<QVector<const QTreeWidgetItem*>> ArcRuns(const QTreeWidgetItem& file)
{
    QVector<QVector<const QTreeWidgetItem*>> runs;
    for (int i = 0; i < file.childCount(); ++i)
        for (int k = 0; k < file.child(i)->childCount(); ++k) {
            const QTreeWidgetItem* s = file.child(i)->child(k);
            if (s->text(0) == QLatin1String("pointZ1"))
                runs.append(QVector<const QTreeWidgetItem*>());
            if (s->text(0) == QLatin1String("pointZ1") || s->text(0) == QLatin1String("pointX")
                || s->text(0) == QLatin1String("pointZ2"))
                runs.last().append(s);
        }
    return runs;
}

QString Position(double lat, double lon)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(std::abs(lat), 0, 'f', 9)
        .arg(lat < 0 ? 'S' : 'N')
        .arg(std::abs(lon), 0, 'f', 9)
        .arg(lon < 0 ? 'W' : 'E');
}

} // namespace

class TestArcGrid : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void gridBearings_data();
    void gridBearings();
    void realArcsKeepTheirExtent_data();
    void realArcsKeepTheirExtent();
};

void TestArcGrid::gridBearings_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<bool>("clockwise");
    QTest::addColumn<QList<double>>("between");
    QTest::newRow("quarter from north") << 0.0 << 90.0 << true << QList<double>{15, 30, 45, 60, 75};
    QTest::newRow("first grid bearing kept") << 10.0 << 70.0 << true << QList<double>{15, 30, 45, 60};
    QTest::newRow("counter-clockwise") << 100.0 << 20.0 << false << QList<double>{90, 75, 60, 45, 30};
    QTest::newRow("across north") << 340.0 << 25.0 << true << QList<double>{345, 0, 15};
    QTest::newRow("short") << 3.0 << 14.0 << true << QList<double>{};
    QTest::newRow("equal bearings") << 42.0 << 42.0 << false << QList<double>{};
}

// A DB arc at the equator whose ends lie at the given bearings: the points
// between them sit at exactly the expected grid bearings, on the radius.
void TestArcGrid::gridBearings()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(bool, clockwise);
    QFETCH(QList<double>, between);
    const _GEO_COORDS centre = {0.0, 10.0};
    const double radiusKm = 50.0;
    CGeo geo;
    geo.SetCoordinate(centre.lat, centre.lon);
    double ends[2][2];
    for (int i = 0; i < 2; ++i) {
        geo.Calculate((i ? end : start) / R8_DEG_PER_RAD, radiusKm);
        geo.GetDestinationCoordinate(&ends[i][0], &ends[i][1]);
    }
    const QByteArray text = QStringLiteral("AC R\nAN Arc\nV D=%1\nV X=%2\nDB %3, %4\n")
                                .arg(clockwise ? '+' : '-')
                                .arg(Position(centre.lat, centre.lon), Position(ends[0][0], ends[0][1]),
                                     Position(ends[1][0], ends[1][1]))
                                .toLatin1();
    QTreeWidgetItem file;
    AirSpace reader;
    const int total = reader.LoadFromData(&file, text);
    QCOMPARE(file.childCount(), 1);
    const QTreeWidgetItem* air = file.child(0);
    QCOMPARE(air->childCount(), between.size() + 2);
    QCOMPARE(total, 32 + 10 * air->childCount()); // every point counted is a point sent
    QCOMPARE(air->child(0)->text(0), QStringLiteral("pointZ1"));
    QCOMPARE(air->child(air->childCount() - 1)->text(0), QStringLiteral("pointZ2"));
    for (int i = 0; i < between.size(); ++i) {
        const QTreeWidgetItem* p = air->child(i + 1);
        QCOMPARE(p->text(0), QStringLiteral("pointX"));
        const double lat = p->data(0, AirLatRole).toDouble();
        const double lon = p->data(0, AirLonRole).toDouble();
        const double b = BearingFrom(centre, lat, lon);
        QVERIFY2(std::abs(std::remainder(b - between.at(i), 360.0)) < 1e-6, qPrintable(QString::number(b)));
        geo.SetDestinationRadsCoordinate(lat, lon);
        geo.Calculate();
        QVERIFY(std::abs(geo.GetDistance() - radiusKm) < 1e-3); // positions are read as floats
    }
}

void TestArcGrid::realArcsKeepTheirExtent_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(TestEnv::OpenAirDir());
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void TestArcGrid::realArcsKeepTheirExtent()
{
    QFETCH(QString, path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const std::vector<Arc> arcs = ScanArcs(f.readAll());
    QTreeWidgetItem file;
    AirSpace reader;
    reader.LoadFromFile(&file, path);
    const auto runs = ArcRuns(file);
    QCOMPARE(runs.size(), int(arcs.size()));
    if (arcs.empty())
        QSKIP("no DB arcs in this file");
    double worstBox = 0, worstGap = 0;
    for (int i = 0; i < runs.size(); ++i) {
        const Arc& a = arcs.at(i);
        Box sent;
        double previous = std::nan("");
        for (int k = 0; k < runs.at(i).size(); ++k) {
            const double lat = runs.at(i).at(k)->data(0, AirLatRole).toDouble();
            const double lon = runs.at(i).at(k)->data(0, AirLonRole).toDouble();
            sent.add(lat * R8_DEG_PER_RAD, lon * R8_DEG_PER_RAD);
            const double b = BearingFrom(a.centre, lat, lon);
            if (std::isnan(b))
                continue;
            if (k > 0 && !std::isnan(previous)) {
                double gap = std::fmod(a.clockwise ? b - previous : previous - b, 360.0);
                if (gap < 0)
                    gap += 360.0;
                if (gap > 360.0 - 1e-6) // the same bearing twice
                    gap = 0;
                worstGap = std::max(worstGap, gap);
            }
            previous = b;
        }
        Box reference;
        if (ReferenceBox(a, &reference))
            worstBox = std::max(worstBox, sent.distance(reference));
    }
    QVERIFY2(worstGap <= kGapDeg, qPrintable(QStringLiteral("largest gap %1 degrees").arg(worstGap)));
    QVERIFY2(worstBox <= kBoxDeg, qPrintable(QStringLiteral("box off by %1 degrees").arg(worstBox)));
}

QTEST_MAIN(TestArcGrid)
#include "test_arcgrid.moc"
