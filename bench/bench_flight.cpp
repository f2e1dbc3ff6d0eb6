// Replaying a recorded flight: reading the longest shared log and working
// out every value and event (target: under 50 ms), and one frame of the
// preview, page choice, values and painting (target: under 5 ms, so a 60x
// replay stays smooth).
#include "appglobals.h"
#include "datafields.h"
#include "flightpage.h"
#include "flighttrack.h"
#include "r8element.h"
#include "r8resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QtTest>
#include <memory>
#include <vector>

namespace {

QString LongestLog()
{
    QString dir = qEnvironmentVariable("R8_IGC_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QLatin1String("/../../shared/data/igc");
    return QDir(dir).filePath(QStringLiteral("flight_with_middle_landing.igc"));
}

} // namespace

class BenchFlight : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void readAndCompute();
    void previewFrame();

private:
    QSqlDatabase m_db;
    std::vector<std::unique_ptr<R8element>> m_Elements;
};

void BenchFlight::initTestCase()
{
    InitR8Resources();
    // Field names and data types for the value boxes, as in the designer.
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    m_db.setDatabaseName(QCoreApplication::applicationDirPath()
                         + QLatin1String("/R8designer.app/Contents/MacOS/R8strings.sqlite"));
    g_DataFields.LoadFromDB(&m_db);
    QVERIFY(g_DataFields.count() > 0);
    QVERIFY2(QFileInfo::exists(LongestLog()), qPrintable(LongestLog()));
    // A full page: twelve live value boxes, a dial, a compass and a graph.
    const int fields[12] = {33, 105, 147, 90, 36, 37, 149, 110, 101, 109, 184, 271};
    for (int i = 0; i < 15; ++i) {
        const int type = i < 12 ? R8_TYPE_DATAFIELD
                                : (i == 12   ? R8_TYPE_DIAL
                                   : i == 13 ? R8_TYPE_COMPASS
                                             : R8_TYPE_GRAPH);
        auto el = std::make_unique<R8element>(nullptr, type, 1);
        el->RestorePages(1);
        if (i < 12) {
            el->SetField(fields[i]);
            el->RestoreSize(QSize(80, 29));
            el->RestorePosition(QPoint((i % 3) * 80, (i / 3) * 30));
        } else {
            el->RestorePosition(QPoint((i - 12) * 80, 200));
        }
        el->SetZoom(2.0f);
        m_Elements.push_back(std::move(el));
    }
}

void BenchFlight::cleanupTestCase()
{
    m_Elements.clear();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
}

void BenchFlight::readAndCompute()
{
    QBENCHMARK {
        IgcLog log;
        QString error;
        QVERIFY(IgcFile::ReadFile(LongestLog(), &log, &error));
        FlightTrack track(log);
        QCOMPARE(track.FixCount(), 14819);
    }
}

void BenchFlight::previewFrame()
{
    IgcLog log;
    QString error;
    QVERIFY(IgcFile::ReadFile(LongestLog(), &log, &error));
    const FlightTrack track(log);
    QVector<PageProps> pages(R8_PAGE_COUNT);
    pages[0].Trigger = kTriggerPowerUp | kTriggerThermal | kTriggerTransition;
    QList<R8element*> elements;
    for (const auto& el : m_Elements)
        elements.append(el.get());
    QImage image(482, 642, QImage::Format_ARGB32_Premultiplied);
    qint64 t = track.StartTime();
    QBENCHMARK {
        // Every frame of a 60x replay moves on by more than a second.
        t = t + 3 > track.EndTime() ? track.StartTime() : t + 3;
        const PageChoice choice = PageReplay::At(ReplayPagesOf(pages), track.Events(), t);
        const FlightFieldText values(track, track.FixAt(t), choice.iPage);
        QPainter painter(&image);
        PaintFlightPage(painter, elements, choice.iPage, 2.0f, values);
    }
}

QTEST_MAIN(BenchFlight)
#include "bench_flight.moc"
