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

// Lines whose first word is "AC", counted without the reader.
int CountAcLines(const QByteArray& data)
{
    int n = 0;
    const QList<QByteArray> lines = data.split('\n');
    for (QByteArray line : lines) {
        if (line.startsWith("\xEF\xBB\xBF"))
            line = line.mid(3);
        const QByteArray t = line.trimmed();
        if (t.startsWith("AC ") || t == "AC")
            ++n;
    }
    return n;
}

} // namespace

class TestRealFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyFileLoads_data();
    void everyFileLoads();
    void quirks();
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
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    QCOMPARE(CountAcLines(data), noted);

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
    int bare = 0;  // airspaces without shapes: not sent, not counted
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
            QVERIFY2(std::isfinite(lat) && std::abs(lat) <= kPi / 2 + 1e-6 && std::isfinite(lon) &&
                         std::abs(lon) <= kPi + 1e-6,
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

void TestRealFiles::quirks()
{
    const QDir dir(TestEnv::OpenAirDir());
    auto load = [&dir](const char* name) {
        auto file = std::make_unique<QTreeWidgetItem>();
        AirSpace reader;
        reader.LoadFromFile(file.get(), dir.filePath(QLatin1String(name)));
        return file;
    };
    auto findName = [](const QTreeWidgetItem* file, const QString& name) -> const QTreeWidgetItem* {
        for (int i = 0; i < file->childCount(); ++i)
            if (file->child(i)->text(0) == name)
                return file->child(i);
        return nullptr;
    };

    // Latin-1 names.
    auto spreewald = load("de_spreewald_2024_latin1.txt");
    bool sawLatin1 = false;
    for (int i = 0; i < spreewald->childCount(); ++i)
        sawLatin1 |= spreewald->child(i)->text(0).contains(QChar(0xDC)) ||
                     spreewald->child(i)->text(0).contains(QChar(0xF3));
    QVERIFY(sawLatin1);

    // UTF-8 names; the byte-order mark does not hide the first record.
    auto czpl = load("cz_pl_sk_hu_low_2025.txt");
    bool sawQuote = false;
    for (int i = 0; i < czpl->childCount(); ++i)
        sawQuote |= czpl->child(i)->text(0).contains(QChar(0x201E));
    QVERIFY(sawQuote);
    auto swiss = load("ch_2016_bom_crlf.txt");
    QCOMPARE(swiss->childCount(), 334);
    for (int i = 0; i < swiss->childCount(); ++i)
        QVERIFY(!swiss->child(i)->text(0).endsWith(QLatin1Char('\r')));

    // Comments glued to or following coordinates leave the longitude alone:
    // all these points lie east of 10 degrees.
    auto fi = load("fi_2018.txt");
    auto low = load("de_lowflying_2025.txt");
    for (const auto* file : {fi.get(), low.get()})
        for (int i = 0; i < file->childCount(); ++i)
            QVERIFY(file->child(i)->data(0, AirMinLonRole).toFloat() > 0.15f);

    // Arcs were turned into points, circles stayed circles.
    auto uk = load("uk_2020.txt");
    int z1 = 0, circles = 0;
    for (int i = 0; i < uk->childCount(); ++i)
        for (int k = 0; k < uk->child(i)->childCount(); ++k) {
            const QString t = uk->child(i)->child(k)->text(0);
            z1 += t == QLatin1String("pointZ1");
            circles += t == QLatin1String("circle");
        }
    QCOMPARE(z1, 255);
    QCOMPARE(circles, 253);

    // The test file with DA arcs.
    auto gdal = load("gdal_test.txt");
    QCOMPARE(gdal->childCount(), 4);
    QCOMPARE(gdal->child(2)->childCount(), 4);
    QCOMPARE(gdal->child(2)->text(2), QStringLiteral("32"));
    QVERIFY(findName(gdal.get(), QStringLiteral("Airspace3")));
}

QTEST_MAIN(TestRealFiles)
#include "test_realfiles.moc"
