// Every real OpenAir file of the shared collection loads whole: one
// airspace per AC line, the same estimate and batch through the tree and the
// store, and the batch recorded for it.
#include "airspace.h"
#include "airspacestore.h"
#include "airspacetest.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

namespace {

// Values of the lines "KEY VALUE ..." of a text whose keys match a pattern
// (the SHA-1 sums of the batches; the AC counts in the collection's notes).
QHash<QString, QString> Table(const QString& path, const QString& pattern)
{
    QHash<QString, QString> values;
    const QRegularExpression row(pattern);
    for (const QString& line : QString::fromUtf8(TestEnv::ReadFile(path)).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            values.insert(m.captured(1), m.captured(2));
    }
    return values;
}

} // namespace

class TestRealFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyFileLoads_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("noted");
        QTest::addColumn<QByteArray>("sha1");
        const QDir dir(TestEnv::OpenAirDir());
        const auto counts = Table(dir.filePath(QStringLiteral("SOURCES.md")),
                                  QStringLiteral("^\\| ([a-z0-9_]+\\.txt) \\| [0-9,]+ \\| ([0-9]+) \\|"));
        const auto sums = Table(TestEnv::TestData(QStringLiteral("airspace/batches.sha1")),
                                QStringLiteral("^([^# ]+) ([0-9a-f]{40})"));
        const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 20);
        QCOMPARE(counts.size(), 20);
        QCOMPARE(sums.size(), 20);
        for (const QString& name : files)
            QTest::newRow(qPrintable(name)) << dir.filePath(name) << counts.value(name, QStringLiteral("-1")).toInt()
                                            << sums.value(name).toLatin1();
    }
    void everyFileLoads()
    {
        QFETCH(QString, path);
        QFETCH(int, noted);
        QFETCH(QByteArray, sha1);
        ReadTree r;
        r.LoadFile(path);
        // A second AN after shapes starts an airspace of its own, with a warning.
        int split = 0;
        for (const AirWarning& w : r.Warnings())
            split += w.message.contains(QLatin1String("second AN"));
        QCOMPARE(r.file.childCount(), noted + split);
        int sum = 0;
        int bare = 0; // airspaces without shapes: not sent, not counted
        for (int i = 0; i < r.file.childCount(); ++i) {
            sum += r.Air(i)->text(2).toInt();
            bare += r.Air(i)->childCount() == 0;
        }
        QCOMPARE(r.total, sum);
        // The whole file checked is what the dialog would estimate and send.
        AirspaceStore store;
        store.LoadFile(path);
        QCOMPARE(ASpaceList::ComputeSize({&r.file}), r.total - 32 * bare);
        QCOMPARE(store.ComputeSize(), r.total - 32 * bare);
        const QStringList batch = store.BuildBatch();
        QCOMPARE(batch, ASpaceList::BuildBatch({&r.file}));
        const QByteArray text = batch.join(QLatin1Char('\n')).toUtf8() + '\n';
        QCOMPARE(QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex(), sha1);
    }
};

QTEST_MAIN(TestRealFiles)
#include "test_realfiles.moc"
