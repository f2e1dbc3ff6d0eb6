// Reading IGC logs: the real flights of the shared data, and malformed,
// truncated and foreign files built here.
#include "flightdata.h"
#include "igcfile.h"
#include "testsupport.h"

#include <QtTest>
#include <cmath>

class TestIgcFile : public QObject
{
    Q_OBJECT
private slots:
    void realLogs_data();
    void realLogs();
    void firstFix_data();
    void firstFix();
    void midnightRollOver();
    void badLine();
    void malformed_data();
    void malformed();
    void refused_data();
    void refused();
    void timeText();
};

void TestIgcFile::realLogs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("fixes"); // B records, as SOURCES.md counts them
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("pressure");
    QTest::addColumn<int>("utcOffset"); // HFTZN: "2", "+1.0"
    QTest::newRow("middle landing") << "flight_with_middle_landing.igc" << 14819 << QDate(2019, 3, 9) << true << 0;
    QTest::newRow("napret") << "napret.igc" << 5380 << QDate(2016, 4, 3) << true << 0;
    QTest::newRow("new zealand") << "new_zealand.igc" << 5367 << QDate(2009, 11, 6) << true << 0;
    QTest::newRow("no time increment") << "no_time_increment.igc" << 200 << QDate(2003, 2, 1) << true << 0;
    QTest::newRow("olsztyn") << "olsztyn.igc" << 2469 << QDate(2011, 9, 2) << true << 7200;
    QTest::newRow("skydrop") << "skydrop-2019-04-15.igc" << 533 << QDate(2019, 4, 15) << true << 3600;
    QTest::newRow("xctrack DATE: form") << "xctrack-2020-09-04.igc" << 583 << QDate(2020, 9, 4) << true << 0;
    // This logger writes 0 as pressure altitude: the altimeter falls back to GNSS.
    QTest::newRow("xctrack without baro") << "xctrack-2022-04-07.igc" << 294 << QDate(2022, 4, 7) << false << 0;
}

void TestIgcFile::realLogs()
{
    QFETCH(QString, file);
    QFETCH(int, fixes);
    QFETCH(QDate, date);
    QFETCH(bool, pressure);
    IgcLog log;
    QString error;
    QVERIFY2(IgcFile::ReadFile(IgcPath(file), &log, &error), qPrintable(error));
    QCOMPARE(log.fixes.size(), fixes);
    QCOMPARE(log.date, date);
    QCOMPARE(log.bHasPressure, pressure);
    QTEST(log.iUtcOffset, "utcOffset");
    QVERIFY2(log.warnings.isEmpty(), qPrintable(log.warnings.join(QLatin1Char('\n'))));
    for (int i = 1; i < log.fixes.size(); ++i)
        QVERIFY(log.fixes.at(i).iTime >= log.fixes.at(i - 1).iTime);
    const IgcFix& last = log.fixes.last();
    QCOMPARE(log.Altitude(last), pressure ? last.iPressureAlt : last.iGnssAlt);
}

void TestIgcFile::firstFix_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<int>("pressureAlt");
    QTest::addColumn<int>("gnssAlt");
    QTest::addColumn<float>("tas");
    // B1200004612584N01249706EA0098801046
    QTest::newRow("napret") << "napret.igc" << qint64(12 * 3600) << 46 + 12.584 / 60 << 12 + 49.706 / 60 << 988
                            << 1046 << -1.0f;
    // B2348083839773S17608501EA00352004580060040254500001... TAS in bytes 42-46: 025.45 km/h
    QTest::newRow("southern, eastern, TAS") << "new_zealand.igc" << qint64(23 * 3600 + 48 * 60 + 8)
                                            << -(38 + 39.773 / 60) << 176 + 8.501 / 60 << 352 << 458 << 25.45f;
    // B1627534845381N00824437EA008060089373 with LAD = 7 and LOD = 3
    QTest::newRow("LAD/LOD decimals") << "xctrack-2020-09-04.igc" << qint64(16 * 3600 + 27 * 60 + 53)
                                      << 48 + 45.3817 / 60 << 8 + 24.4373 / 60 << 806 << 893 << -1.0f;
}

void TestIgcFile::firstFix()
{
    QFETCH(QString, file);
    const IgcLog log = ReadRealLog(file);
    QVERIFY(!log.fixes.isEmpty());
    const IgcFix& fix = log.fixes.first();
    QTEST(fix.iTime, "time");
    QFETCH(double, lat);
    QFETCH(double, lon);
    QVERIFY2(std::abs(fix.dLat - lat) < 1e-9, qPrintable(QString::number(fix.dLat, 'f', 9)));
    QVERIFY2(std::abs(fix.dLon - lon) < 1e-9, qPrintable(QString::number(fix.dLon, 'f', 9)));
    QTEST(fix.iPressureAlt, "pressureAlt");
    QTEST(fix.iGnssAlt, "gnssAlt");
    QFETCH(float, tas);
    QVERIFY(std::abs(fix.fTas - tas) < 1e-4f);
    QVERIFY(fix.bValid);
}

void TestIgcFile::midnightRollOver()
{
    // Starts at 23:48 UTC and lands after midnight.
    const IgcLog log = ReadRealLog(QStringLiteral("new_zealand.igc"));
    QVERIFY(log.fixes.first().iTime < 86400);
    QVERIFY(log.fixes.last().iTime > 86400);
    QVERIFY(log.fixes.last().iTime - log.fixes.first().iTime < 6 * 3600);
}

void TestIgcFile::badLine()
{
    // Line 55 carries letters in its last extension and is a byte too long:
    // its position is sound, so the fix is kept and the line is named.
    const IgcLog log = ReadRealLog(QStringLiteral("bad-line.igc"));
    QCOMPARE(log.fixes.size(), 9);
    QCOMPARE(log.iUtcOffset, 2 * 3600); // HFTZNTIMEZONE:2.0
    QCOMPARE(log.warnings.size(), 1);
    QVERIFY2(log.warnings.first().startsWith(QLatin1String("line 55:")), qPrintable(log.warnings.first()));
}

void TestIgcFile::malformed_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("fixes");
    QTest::addColumn<QStringList>("warnedLines");
    const QByteArray head = "AXXX001\r\nHFDTE010203\r\n";
    const QByteArray a = "B1016485346296N02025184EA0012300122\r\n";
    const QByteArray b = "B1016495346296N02025184EA0012300121\r\n";
    QTest::newRow("truncated last line") << head + a + b + "B10165053462" << 2 << QStringList{"line 5"};
    QTest::newRow("minutes of 60") << head + a + "B1016495360296N02025184EA0012300121\r\n"
                                   << 1 << QStringList{"line 4"};
    QTest::newRow("bad validity") << head + a + "B1016495346296N02025184XA0012300121\r\n" + b << 2
                                  << QStringList{"line 4"};
    QTest::newRow("letters in altitude")
        << head + "B1016485346296N02025184EA00x2300122\r\n" + b << 1 << QStringList{"line 3"};
    QTest::newRow("negative altitudes") << head + "B1016485346296N02025184EA-0012-0005\r\n" << 1 << QStringList{};
    QTest::newRow("time goes back") << head + b + a << 1 << QStringList{"line 4"};
    QTest::newRow("garbage line") << head + a + "\x7f\x7f\r\n" + b << 2 << QStringList{"line 4"};
    // Fifteen digits of airspeed would overflow a number: not read.
    QTest::newRow("overlong extension") << head + "I013650TAS\r\n" + a.trimmed() + "999999999999999\r\n"
                                        << 1 << QStringList{};
    QTest::newRow("LF only, no date") << QByteArray("AXXX\n") + a.trimmed() + "\n" << 1 << QStringList{};
}

void TestIgcFile::malformed()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, warnedLines);
    IgcLog log;
    QString error;
    QVERIFY2(IgcFile::Read(data, &log, &error), qPrintable(error));
    QTEST(int(log.fixes.size()), "fixes");
    QCOMPARE(log.warnings.size(), warnedLines.size());
    for (int i = 0; i < warnedLines.size(); ++i)
        QVERIFY2(log.warnings.at(i).startsWith(warnedLines.at(i) + QLatin1Char(':')),
                 qPrintable(log.warnings.at(i)));
    QVERIFY(!log.bHasTas);
    if (data.contains("-0012-0005")) {
        QCOMPARE(log.fixes.first().iPressureAlt, -12);
        QCOMPARE(log.fixes.first().iGnssAlt, -5);
    }
}

void TestIgcFile::refused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("OpenAir text") << QByteArray("* airspace\r\nAC R\r\nAN TEST\r\nDP 45:00:00 N 006:00:00 E\r\n");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("header only") << QByteArray("AXXX001\r\nHFDTE010203\r\n");
    QTest::newRow("only broken fixes") << QByteArray(
        "AXXX\r\nB10164853\r\nB99999999999999999999999999999999999\r\n");
}

void TestIgcFile::refused()
{
    QFETCH(QByteArray, data);
    IgcLog log;
    QString error;
    QVERIFY(!IgcFile::Read(data, &log, &error));
    QVERIFY(error.contains(QLatin1String("not an IGC flight log")));
    QVERIFY(log.fixes.isEmpty());

    QVERIFY(!IgcFile::ReadFile(QStringLiteral("/nonexistent/flight.igc"), &log, &error));
    QVERIFY(error.contains(QLatin1String("/nonexistent/flight.igc")));
}

void TestIgcFile::timeText()
{
    QCOMPARE(IgcFile::TimeText(86400 + 3 * 3600 + 4 * 60 + 5), QStringLiteral("03:04:05"));
    QCOMPARE(IgcFile::ParseTime(QStringLiteral("13:05:09")), qint64(13 * 3600 + 5 * 60 + 9));
    QCOMPARE(IgcFile::ParseTime(QStringLiteral("13:05")), qint64(13 * 3600 + 5 * 60));
    QCOMPARE(IgcFile::ParseTime(QStringLiteral("25:00:00")), qint64(-1));
    QCOMPARE(IgcFile::ParseTime(QStringLiteral("noon")), qint64(-1));
}

QTEST_MAIN(TestIgcFile)
#include "test_igcfile.moc"
