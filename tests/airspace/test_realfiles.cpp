// Every real OpenAir file of the shared collection loads whole: one
// airspace per AC line, sane numbers, and the quirks its notes list.
#include "airspace.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTreeWidgetItem>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

constexpr double kPi = 3.14159265358979323846;

// AC counts from the notes beside the files ("| file | size | AC | ...").
QHash<QString, int> NotedCounts(const QString& notesPath)
{
    QHash<QString, int> counts;
    QFile f(notesPath);
    if (!f.open(QIODevice::ReadOnly))
        return counts;
    const QRegularExpression row(QStringLiteral("^\\| ([a-z0-9_]+\\.txt) \\| [0-9,]+ \\| ([0-9]+) \\|"));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            counts.insert(m.captured(1), m.captured(2).toInt());
    }
    return counts;
}

} // namespace

class TestRealFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyFileLoads_data();
    void everyFileLoads();
};

void TestRealFiles::everyFileLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("noted");
    const QDir dir(TestEnv::OpenAirDir());
    const QHash<QString, int> counts = NotedCounts(dir.filePath(QStringLiteral("SOURCES.md")));
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 20);
    QCOMPARE(counts.size(), 20);
    for (const QString& name : files)
        QTest::newRow(qPrintable(name)) << dir.filePath(name) << counts.value(name, -1);
}

void TestRealFiles::everyFileLoads()
{
    QFETCH(QString, path);
    QFETCH(int, noted);
    QTreeWidgetItem file;
    AirSpace reader;
    const int total = reader.LoadFromFile(&file, path);
    // A second AN after shapes starts an airspace of its own, with a warning.
    int split = 0;
    for (const AirWarning& w : reader.Warnings())
        split += w.message.contains(QLatin1String("second AN"));
    QCOMPARE(file.childCount(), noted + split);

    int sum = 0;
    int shapes = 0;
    int bare = 0; // airspaces without shapes: not sent, not counted
    for (int i = 0; i < file.childCount(); ++i) {
        const QTreeWidgetItem* air = file.child(i);
        QCOMPARE(air->data(0, AirKindRole).toInt(), 1);
        sum += air->text(2).toInt();
        shapes += air->childCount();
        bare += air->childCount() == 0;
        for (int k = 0; k < air->childCount(); ++k) {
            const QTreeWidgetItem* s = air->child(k);
            const double lat = s->data(0, AirLatRole).toDouble();
            const double lon = s->data(0, AirLonRole).toDouble();
            QVERIFY2(std::isfinite(lat) && std::abs(lat) <= kPi / 2 + 1e-6 && std::isfinite(lon)
                         && std::abs(lon) <= kPi + 1e-6,
                     qPrintable(QStringLiteral("%1 / %2").arg(air->text(0), s->text(0))));
        }
        const float floor = air->data(0, AirFloorRole).toFloat();
        const float ceiling = air->data(0, AirCeilingRole).toFloat();
        QVERIFY(std::isfinite(floor) && std::isfinite(ceiling) && floor >= 0 && ceiling <= 65535.0f);
    }
    QCOMPARE(total, sum);
    QVERIFY(shapes > 0);
    // The whole file checked is what the dialog would estimate.
    QCOMPARE(ASpaceList::ComputeSize({&file}), total - 32 * bare);
    // Every sentence of its upload fits the framing.
    const QStringList batch = ASpaceList::BuildBatch({&file});
    for (const QString& body : batch)
        QVERIFY(body.toLatin1().size() <= 255);
}

QTEST_MAIN(TestRealFiles)
#include "test_realfiles.moc"
