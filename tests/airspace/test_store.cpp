// The compact airspace store: the choices of the airspace dialog (radius,
// class, floor, name, Fill to fit), the map's hit test, cancelled reading,
// and a store that outlives the dialog.
#include "airspacefilter.h"
#include "airspacemap.h"
#include "airspacemodel.h"
#include "airspacestore.h"
#include "airspacetest.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

const _GEO_COORDS kPlace = {46.0, 7.0};
constexpr double kKmPerDegLat = 111.2;

QStringList StoreNames(const AirspaceStore& store, const QVector<int>& list)
{
    QStringList names;
    for (const int a : list)
        names << store.Airspace(a).name;
    return names;
}

AirspaceFilter Near(double radiusKm)
{
    AirspaceFilter f;
    f.bNear = true;
    f.place = kPlace;
    f.radiusKm = radiusKm;
    return f;
}

// Edge: its south side passes 5 km north of the place, every corner is
// over 35 km away. Big: holds the place.
// Ring: a 3 NM circle whose centre lies 13 km north: its edge is 7.4 km away.
// High CTR: 2000 m up, 135 km away.
const struct {
    const char* text;
    double radiusKm; // 0: anywhere
    const char* classes;
    float floorBelow; // -1: any floor
    const char* search;
    const char* expected;
} kFilters[] = {
    {"4 km", 4, "", -1, "", "Big"},
    {"7 km", 7, "", -1, "", "Edge,Big"},
    {"10 km", 10, "", -1, "", "Edge,Big,Ring"},
    {"classes", 0, "Q CTR", -1, "", "Ring,High CTR"},
    {"floor below", 0, "Q CTR", 1500, "", "Ring"},
    {"name", 0, "", -1, "ctr", "High CTR"},
};

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
    void cleanupTestCase() { QSettings().clear(); }

    void filters_data() { AddRows(kFilters); }
    void filters()
    {
        QFETCH(int, row);
        const auto& r = kFilters[row];
        const double north = kPlace.lat;
        AirspaceStore store;
        store.LoadData(QStringLiteral("crafted"),
                       Box("Edge", north + 5 / kKmPerDegLat, 6.5, north + 0.3, 7.5)
                           + Box("Big", north - 1, 6, north + 1, 8)
                           + "AC Q\nAN Ring\nV X=" + Pos(north + 13 / kKmPerDegLat, kPlace.lon).toLatin1()
                           + "\nDC 3\nAC CTR\nAN High CTR\nAL 2000m\nAH FL95\nDP 45 N 6 E\n");
        AirspaceFilter f = Near(r.radiusKm);
        f.bNear = r.radiusKm > 0;
        f.classes = QString::fromLatin1(r.classes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        f.bFloorBelow = r.floorBelow >= 0;
        f.floorBelowMetres = r.floorBelow;
        f.nameSearch = QString::fromLatin1(r.search);
        QCOMPARE(StoreNames(store, MatchingAirspaces(store, f)).join(QLatin1Char(',')), QLatin1String(r.expected));
        QCOMPARE(DistanceToAirspace(store, 1, kPlace), 0.0);
        QVERIFY(std::abs(DistanceToAirspace(store, 0, kPlace) - 5.0) < 0.05);
        _GEO_COORDS p = {0, 0};
        QVERIFY(ParsePlace(QStringLiteral("45:30:00 N 006:15:00 W"), &p) && p.lon == -6.25);
        QVERIFY(!ParsePlace(QStringLiteral("95, 10"), &p));
    }

    // 2000 boxes of 72 bytes each, 100 m further out each time, in a shuffled
    // file order: more than the instrument holds.
    void fillToFitTakesNearestFirst()
    {
        QByteArray text;
        for (int i = 0; i < 2000; ++i) {
            const double south = kPlace.lat + ((i * 7) % 2000 + 1) * 0.1 / kKmPerDegLat;
            text += Box("A", south, 6.99, south + 0.001, 7.01);
        }
        AirspaceStore store;
        store.LoadData(QStringLiteral("boxes"), text);
        QCOMPARE(FillToFit(store, Near(1000)), R8_AIRSPACE_CAPACITY / 72);
        QCOMPARE(store.ComputeSize(), R8_AIRSPACE_CAPACITY / 72 * 72);
        double farthestIn = 0, nearestOut = 1e9;
        for (int a = 0; a < store.AirspaceCount(); ++a) {
            const double d = DistanceToAirspace(store, a, kPlace);
            if (store.Airspace(a).checked)
                farthestIn = std::max(farthestIn, d);
            else
                nearestOut = std::min(nearestOut, d);
        }
        QVERIFY2(farthestIn < nearestOut,
                 qPrintable(QStringLiteral("%1 km in, %2 out").arg(farthestIn).arg(nearestOut)));
    }

    void mapHitPicksTheSmallest()
    {
        AirspaceStore store;
        store.LoadData(QStringLiteral("m"), Box("Large", 45, 6, 46, 7) + Box("Small", 45.4, 6.4, 45.6, 6.6)
                                                + Box("Middle", 45.3, 6.3, 45.8, 6.8));
        AirspaceMapPainter map(&store);
        const QSizeF size(400, 400);
        map.FitView(map.DataBox(), size);
        auto hit = [&](double lat, double lon) { return map.HitTest(map.ToPixel(lat, lon, size), size); };
        QCOMPARE(hit(45.5, 6.5), 1);
        QCOMPARE(hit(45.7, 6.7), 2);
        QCOMPARE(hit(44.5, 6.5), -1);
        // Checked airspaces are drawn in colour, unchecked ones as outlines only.
        QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        const QPoint inSmall = map.ToPixel(45.53, 6.47, size).toPoint();
        map.Paint(p, size);
        const QColor filled = image.pixelColor(inSmall);
        store.SetAllChecked(false);
        map.Paint(p, size);
        const QColor empty = image.pixelColor(inSmall);
        QVERIFY(filled != empty);
        QVERIFY(empty.red() > 240 && empty.green() > 240);
    }

    void cancelledReadingLeavesNothing()
    {
        AirspaceStore store;
        store.LoadFile(TestEnv::OpenAirDir() + QStringLiteral("/uk_2020.txt"));
        const int airspaces = store.AirspaceCount();
        const QString big = TestEnv::OpenAirDir() + QStringLiteral("/fr_openaip_2025.txt");
        int calls = 0;
        const auto halfway = [&calls](qint64 done, qint64 total) {
            ++calls;
            return done < total / 2;
        };
        QCOMPARE(store.LoadFile(big, halfway), -1);
        QVERIFY(calls >= 2);
        QCOMPARE(store.FileCount(), 1);
        QCOMPARE(store.AirspaceCount(), airspaces);
        QCOMPARE(store.LoadFile(big), 1);
    }

    // The dialog's filter narrows the tree and acts on what matches; the
    // checks and the filter outlive the dialog (in the store and settings).
    void storeAndFilterOutliveTheDialog()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(TestEnv::WriteFile(path, HereAndFar() + "AC R\nAN Ring\nV X=46 N 7 E\nDC 5\n"));
        AirspaceStore store;
        AirspaceFilter f = Near(42);
        f.classes = QStringList{QStringLiteral("R")};
        f.bFloorBelow = true;
        f.floorBelowMetres = 300;
        {
            ASpaceList dlg(&store, nullptr);
            dlg.LoadData(path);
            dlg.SetFilter(f);
            QCOMPARE(StoreNames(store, dlg.Matching()), QStringList({"Here", "Ring"}));
            QCOMPARE(dlg.Model()->rowCount(dlg.Model()->FileIndex(0)), 2);
            dlg.onUncheckOthers();
            QCOMPARE(dlg.MemoryUsed(), 72 + 46);
            QVERIFY(!store.Airspace(1).checked && !store.Airspace(2).checked);
            dlg.ModifyChecks(dlg.Model()->AirspaceIndex(0), Qt::Unchecked);
            dlg.onFillToFit();
            QCOMPARE(dlg.MemoryUsed(), 72 + 46);
            dlg.ModifyChecks(dlg.Model()->AirspaceIndex(0), Qt::Unchecked);
        }
        ASpaceList again(&store, nullptr);
        QCOMPARE(again.Model()->rowCount(), 1);
        QCOMPARE(again.MemoryUsed(), 46);
        const AirspaceFilter back = again.Filter();
        QVERIFY(back.bNear && back.bFloorBelow && back.classes == f.classes);
        QVERIFY(std::abs(back.place.lon - kPlace.lon) < 1e-4 && back.floorBelowMetres == 300.0f);
        QCOMPARE(back.radiusKm, 42.0);
        again.onCheckMatching();
        QCOMPARE(again.MemoryUsed(), 72 + 46);
        // The outline a flight replay tests: the circle's ring lies on its radius.
        const AirspaceStore::Outline ring = store.AirspaceOutline(3);
        QVERIFY(ring.points.size() > 36);
        CGeo geo;
        geo.SetCoordinate(46, 7);
        for (const _GEO_COORDS& p : ring.points) {
            geo.SetDestinationCoordinate(p.lat, p.lon);
            geo.Calculate();
            QVERIFY(std::abs(geo.GetDistance() - 5 * 1.852) < 0.05);
        }
    }
};

QTEST_MAIN(TestStore)
#include "test_store.moc"
