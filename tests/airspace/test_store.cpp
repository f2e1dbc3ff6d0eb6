// The compact airspace store: the same batch as the airspace tree gave, the
// choices of the airspace dialog (radius, Fill to fit), the map's hit test,
// cancelled reading, and a store that outlives the dialog.
#include "airspace.h"
#include "airspacefilter.h"
#include "airspacemap.h"
#include "airspacemodel.h"
#include "airspacestore.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QtTest>
#include <cmath>

namespace {

const _GEO_COORDS kPlace = {46.0, 7.0};
constexpr double kKmPerDegLat = 111.2;

QString Pos(double lat, double lon)
{
    return QStringLiteral("%1 N %2 E").arg(lat, 0, 'f', 6).arg(lon, 0, 'f', 6);
}

// A rectangle as an airspace, corners in degrees.
QByteArray Box(const QString& name, double south, double west, double north, double east, const char* cls = "R")
{
    return QStringLiteral("AC %1\nAN %2\nAL SFC\nAH 3000ft\nDP %3\nDP %4\nDP %5\nDP %6\n")
        .arg(QLatin1String(cls), name, Pos(south, west), Pos(north, west), Pos(north, east), Pos(south, east))
        .toLatin1();
}

QStringList Names(const AirspaceStore& store, const QVector<int>& list)
{
    QStringList names;
    for (const int a : list)
        names << store.Airspace(a).name;
    return names;
}

QHash<QString, QByteArray> RecordedSha1()
{
    QHash<QString, QByteArray> sums;
    QFile f(TestEnv::TestData(QStringLiteral("airspace/batches.sha1")));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.startsWith('#') && line.contains(' '))
                sums.insert(QString::fromLatin1(line.split(' ').at(0)), line.split(' ').at(1));
    return sums;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Settings of its own: other tests run dialogs that save filters too.
        QCoreApplication::setApplicationName(QStringLiteral("r8test-airspace-store"));
        QSettings().clear();
    }
    void sameBatchAsTheTree_data();
    void sameBatchAsTheTree();
    void radiusFilter_data();
    void radiusFilter();
    void otherChoices();
    void fillToFitTakesNearestFirst();
    void mapHitPicksTheSmallest();
    void cancelledReadingLeavesNothing();
    void storeOutlivesTheDialog();
    void toolChoicesAndMap();
    void dialogFiltersAreRemembered();
    void cleanupTestCase() { QSettings().clear(); }
};

void TestStore::sameBatchAsTheTree_data()
{
    QTest::addColumn<QString>("name");
    const QHash<QString, QByteArray> sums = RecordedSha1();
    QCOMPARE(sums.size(), 20);
    for (auto it = sums.begin(); it != sums.end(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key();
}

void TestStore::sameBatchAsTheTree()
{
    QFETCH(QString, name);
    const QString path = TestEnv::OpenAirDir() + QLatin1Char('/') + name;
    AirspaceStore store;
    store.LoadFile(path);
    const QByteArray text = store.BuildBatch().join(QLatin1Char('\n')).toUtf8() + '\n';
    QCOMPARE(QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex(), RecordedSha1().value(name));
    QTreeWidgetItem file;
    AirSpace reader;
    reader.LoadFromFile(&file, path);
    QCOMPARE(store.ComputeSize(), ASpaceList::ComputeSize({&file}));
}

void TestStore::radiusFilter_data()
{
    QTest::addColumn<double>("radiusKm");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("10 km") << 10.0 << QStringList({"Edge", "Big", "Ring"});
    QTest::newRow("7 km") << 7.0 << QStringList({"Edge", "Big"});
    QTest::newRow("4 km") << 4.0 << QStringList({"Big"});
    QTest::newRow("13 km") << 13.0 << QStringList({"Edge", "Near miss", "Big", "Ring"});
}

// Edge: its south side passes 5 km north of the place, every corner is
// over 35 km away. Near miss: the same 11 km north. Big: holds the place.
// Ring: a 3 NM circle whose centre lies 13 km north: its edge is 7.4 km away.
void TestStore::radiusFilter()
{
    QFETCH(double, radiusKm);
    QFETCH(QStringList, expected);
    const double north = kPlace.lat;
    QByteArray text = Box(QStringLiteral("Edge"), north + 5 / kKmPerDegLat, 6.5, north + 0.3, 7.5)
                      + Box(QStringLiteral("Near miss"), north + 11 / kKmPerDegLat, 6.5, north + 0.3, 7.5)
                      + Box(QStringLiteral("Big"), north - 1, 6, north + 1, 8);
    text += "AC Q\nAN Ring\nV X=" + Pos(north + 13 / kKmPerDegLat, kPlace.lon).toLatin1() + "\nDC 3\n";
    AirspaceStore store;
    store.LoadData(QStringLiteral("crafted"), text);
    AirspaceFilter f;
    f.bNear = true;
    f.place = kPlace;
    f.radiusKm = radiusKm;
    QCOMPARE(Names(store, MatchingAirspaces(store, f)), expected);
    QCOMPARE(DistanceToAirspace(store, 2, kPlace), 0.0);
    QVERIFY(std::abs(DistanceToAirspace(store, 0, kPlace) - 5.0) < 0.05);
}

void TestStore::otherChoices()
{
    AirspaceStore store;
    store.LoadData(QStringLiteral("c"), Box(QStringLiteral("Low R"), 45, 6, 45.1, 6.1, "R")
                                            + "AC CTR\nAN High CTR\nAL 2000m\nAH FL95\nDP 45 N 6 E\nDP 45.1 N 6 E\n"
                                            + Box(QStringLiteral("Low Q"), 45, 6, 45.1, 6.1, "Q"));
    AirspaceFilter f;
    f.classes = QStringList{QStringLiteral("R"), QStringLiteral("CTR")};
    QCOMPARE(Names(store, MatchingAirspaces(store, f)), QStringList({"Low R", "High CTR"}));
    f.bFloorBelow = true;
    f.floorBelowMetres = 1500;
    QCOMPARE(Names(store, MatchingAirspaces(store, f)), QStringList({"Low R"}));
    f = AirspaceFilter();
    f.nameSearch = QStringLiteral("ctr");
    QCOMPARE(Names(store, MatchingAirspaces(store, f)), QStringList({"High CTR"}));

    _GEO_COORDS p = {0, 0};
    QVERIFY(ParsePlace(QStringLiteral("45:30:00 N 006:15:00 E"), &p));
    QCOMPARE(p.lat, 45.5);
    QVERIFY(ParsePlace(QStringLiteral("-33.9, 151.2"), &p));
    QCOMPARE(p.lon, 151.2);
    QVERIFY(!ParsePlace(QStringLiteral("95, 10"), &p));
    QVERIFY(!ParsePlace(QStringLiteral("here"), &p));
}

// 300 airspaces of 532 bytes each, one kilometre further out each time, in
// a shuffled file order: more than the instrument holds.
void TestStore::fillToFitTakesNearestFirst()
{
    QByteArray text;
    for (int i = 0; i < 300; ++i) {
        const int km = (i * 7) % 300 + 1;
        text += "AC R\nAN A" + QByteArray::number(km) + "\n";
        for (int k = 0; k < 50; ++k)
            text += "DP "
                    + Pos(kPlace.lat + (km + 0.5 * std::sin(k * 0.1257)) / kKmPerDegLat,
                          kPlace.lon + 0.01 * std::cos(k * 0.1257))
                          .toLatin1()
                    + "\n";
    }
    AirspaceStore store;
    store.LoadData(QStringLiteral("ring"), text);
    QCOMPARE(store.ComputeSize(), 300 * 532);
    AirspaceFilter f;
    f.bNear = true;
    f.place = kPlace;
    f.radiusKm = 1000;
    const int checked = FillToFit(store, f);
    QCOMPARE(checked, R8_AIRSPACE_CAPACITY / 532);
    QVERIFY(store.ComputeSize() <= R8_AIRSPACE_CAPACITY);
    QVERIFY(store.ComputeSize() + 532 > R8_AIRSPACE_CAPACITY);
    double farthestIn = 0, nearestOut = 1e9;
    for (int a = 0; a < store.AirspaceCount(); ++a) {
        const double d = DistanceToAirspace(store, a, kPlace);
        if (store.Airspace(a).checked)
            farthestIn = std::max(farthestIn, d);
        else
            nearestOut = std::min(nearestOut, d);
    }
    QVERIFY2(farthestIn < nearestOut,
             qPrintable(QStringLiteral("%1 km in, %2 km out").arg(farthestIn).arg(nearestOut)));
}

void TestStore::mapHitPicksTheSmallest()
{
    AirspaceStore store;
    store.LoadData(QStringLiteral("m"), Box(QStringLiteral("Large"), 45, 6, 46, 7)
                                            + Box(QStringLiteral("Small"), 45.4, 6.4, 45.6, 6.6)
                                            + Box(QStringLiteral("Middle"), 45.3, 6.3, 45.8, 6.8));
    AirspaceMapPainter map(&store);
    const QSizeF size(400, 400);
    map.FitView(map.DataBox(), size);
    auto hit = [&](double lat, double lon) { return map.HitTest(map.ToPixel(lat, lon, size), size); };
    QCOMPARE(hit(45.5, 6.5), 1);
    QCOMPARE(hit(45.7, 6.7), 2);
    QCOMPARE(hit(45.1, 6.1), 0);
    QCOMPARE(hit(44.5, 6.5), -1);
    // The map draws checked airspaces in colour and unchecked ones as outlines only.
    QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    map.Paint(p, size);
    const QColor filled = image.pixelColor(map.ToPixel(45.53, 6.47, size).toPoint());
    store.SetAllChecked(false);
    map.Paint(p, size);
    const QColor empty = image.pixelColor(map.ToPixel(45.53, 6.47, size).toPoint());
    QVERIFY(filled != empty);
    QVERIFY(empty.red() > 240 && empty.green() > 240);
}

void TestStore::cancelledReadingLeavesNothing()
{
    AirspaceStore store;
    store.LoadFile(TestEnv::OpenAirDir() + QStringLiteral("/uk_2020.txt"));
    const int airspaces = store.AirspaceCount();
    int calls = 0;
    const int file = store.LoadFile(TestEnv::OpenAirDir() + QStringLiteral("/fr_openaip_2025.txt"),
                                    [&calls](qint64 done, qint64 total) {
                                        ++calls;
                                        return done < total / 2;
                                    });
    QCOMPARE(file, -1);
    QVERIFY(calls >= 2);
    QCOMPARE(store.FileCount(), 1);
    QCOMPARE(store.AirspaceCount(), airspaces);
    QVERIFY(store.LoadFile(TestEnv::OpenAirDir() + QStringLiteral("/fr_openaip_2025.txt")) == 1);
    QCOMPARE(store.File(1).airspaceCount, 1646);
}

void TestStore::storeOutlivesTheDialog()
{
    AirspaceStore store;
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("a.txt")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(Box(QStringLiteral("One"), 45, 6, 45.1, 6.1) + "AC R\nAN Two\nV X=46 N 7 E\nDC 5\n");
    f.close();
    {
        ASpaceList dlg(&store, nullptr);
        dlg.LoadData(f.fileName());
        dlg.ModifyChecks(dlg.Model()->AirspaceIndex(0), Qt::Unchecked);
        QCOMPARE(dlg.MemoryUsed(), 46);
    }
    ASpaceList again(&store, nullptr);
    QCOMPARE(again.Model()->rowCount(), 1);
    QCOMPARE(again.MemoryUsed(), 46);
    QCOMPARE(again.MemoryText(), QStringLiteral("0%"));
    // The outline a flight replay tests: the circle's ring lies on its radius.
    const AirspaceStore::Outline ring = store.AirspaceOutline(1);
    QVERIFY(ring.points.size() > 36);
    CGeo geo;
    geo.SetCoordinate(46, 7);
    for (const _GEO_COORDS& p : ring.points) {
        geo.SetDestinationCoordinate(p.lat, p.lon);
        geo.Calculate();
        QVERIFY(std::abs(geo.GetDistance() - 5 * 1.852) < 0.05);
    }
}

void TestStore::toolChoicesAndMap()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("t.txt")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(Box(QStringLiteral("Here"), 45.9, 6.9, 46.1, 7.1) + Box(QStringLiteral("Far"), 40, 6, 40.1, 6.1)
            + Box(QStringLiteral("Here Q"), 45.9, 6.9, 46.1, 7.1, "Q"));
    f.close();
    TestEnv::ToolRun r = TestEnv::RunR8Tool(
        {QStringLiteral("airspace-summary"), f.fileName(), QStringLiteral("--near"), QStringLiteral("46,7"),
         QStringLiteral("--radius"), QStringLiteral("50"), QStringLiteral("--class"), QStringLiteral("R")});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains("\nHere\tR\t"));
    QVERIFY(!r.out.contains("Far") && !r.out.contains("Here Q"));
    r = TestEnv::RunR8Tool({QStringLiteral("airspace-batch"), f.fileName(), QStringLiteral("--fit")});
    QCOMPARE(r.out.count("PZVCTD"), 3);
    r = TestEnv::RunR8Tool(
        {QStringLiteral("airspace-batch"), f.fileName(), QStringLiteral("--near"), QStringLiteral("north")});
    QCOMPARE(r.code, 2);
    const QString png = dir.filePath(QStringLiteral("map.png"));
    r = TestEnv::RunR8Tool({QStringLiteral("airspace-map"), f.fileName(), QStringLiteral("-o"), png,
                            QStringLiteral("--near"), QStringLiteral("46,7"), QStringLiteral("--radius"),
                            QStringLiteral("30")});
    QCOMPARE(r.code, 0);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(1000, 800));
    // The checked airspace around the place is filled in its class colour.
    const QColor centre = image.pixelColor(530, 430);
    QVERIFY2(centre.red() > centre.blue(), qPrintable(centre.name()));
}

// The dialog's filter narrows the tree, acts on what matches, and comes back
// in the next dialog from the settings.
void TestStore::dialogFiltersAreRemembered()
{
    AirspaceStore store;
    store.LoadData(QStringLiteral("d"), Box(QStringLiteral("Here"), 45.9, 6.9, 46.1, 7.1)
                                            + Box(QStringLiteral("Far"), 40, 6, 40.1, 6.1)
                                            + Box(QStringLiteral("Here Q"), 45.9, 6.9, 46.1, 7.1, "Q"));
    AirspaceFilter f;
    f.bNear = true;
    f.place = kPlace;
    f.radiusKm = 42;
    f.classes = QStringList{QStringLiteral("R")};
    f.bFloorBelow = true;
    f.floorBelowMetres = 300;
    {
        ASpaceList dlg(&store, nullptr);
        dlg.SetFilter(f);
        QCOMPARE(Names(store, dlg.Matching()), QStringList({"Here"}));
        QCOMPARE(dlg.Model()->rowCount(dlg.Model()->FileIndex(0)), 1);
        dlg.onUncheckOthers();
        QCOMPARE(dlg.MemoryUsed(), 72);
        QVERIFY(!store.Airspace(1).checked && !store.Airspace(2).checked);
        dlg.onFillToFit();
        QCOMPARE(dlg.MemoryUsed(), 72);
        if (!qEnvironmentVariableIsEmpty("R8_SHOT"))
            dlg.grab().save(qEnvironmentVariable("R8_SHOT"));
    }
    ASpaceList again(&store, nullptr);
    const AirspaceFilter back = again.Filter();
    QVERIFY(back.bNear);
    QVERIFY(std::abs(back.place.lat - kPlace.lat) < 1e-4 && std::abs(back.place.lon - kPlace.lon) < 1e-4);
    QCOMPARE(back.radiusKm, 42.0);
    QCOMPARE(back.classes, QStringList({"R"}));
    QVERIFY(back.bFloorBelow);
    QCOMPARE(back.floorBelowMetres, 300.0f);
    again.onCheckMatching();
    QCOMPARE(again.MemoryUsed(), 72);
}

QTEST_MAIN(TestStore)
#include "test_store.moc"
