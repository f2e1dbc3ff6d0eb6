// Reading IGC logs: the real flights of the shared data, and malformed,
// truncated and foreign text built here.
#include "flightdata.h"

class TestIgcFile : public QObject
{
    Q_OBJECT
private slots:
    void realLogs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("fixes"); // B records, as SOURCES.md counts them
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("pressure");
        QTest::addColumn<int>("utcOffset"); // HFTZN: "2", "+1.0"
        QTest::addColumn<int>("warnings");
        // Starts at 23:48 UTC and lands after midnight.
        QTest::newRow("new zealand") << "new_zealand.igc" << 5367 << QDate(2009, 11, 6) << true << 0 << 0;
        QTest::newRow("olsztyn") << "olsztyn.igc" << 2469 << QDate(2011, 9, 2) << true << 7200 << 0;
        QTest::newRow("skydrop") << "skydrop-2019-04-15.igc" << 533 << QDate(2019, 4, 15) << true << 3600 << 0;
        QTest::newRow("xctrack DATE: form")
            << "xctrack-2020-09-04.igc" << 583 << QDate(2020, 9, 4) << true << 0 << 0;
        // This logger writes 0 as pressure altitude: the altimeter falls back to GNSS.
        QTest::newRow("xctrack without baro")
            << "xctrack-2022-04-07.igc" << 294 << QDate(2022, 4, 7) << false << 0 << 0;
        // Line 55 carries letters in its last extension and is a byte too long:
        // its position is sound, so the fix is kept and the line is named.
        QTest::newRow("bad line") << "bad-line.igc" << 9 << QDate(2022, 8, 5) << true << 7200 << 1;
    }
    void realLogs()
    {
        QFETCH(QString, file);
        IgcLog log;
        QString error;
        QVERIFY2(IgcFile::ReadFile(IgcPath(file), &log, &error), qPrintable(error));
        QTEST(int(log.fixes.size()), "fixes");
        QTEST(log.date, "date");
        QTEST(log.bHasPressure, "pressure");
        QTEST(log.iUtcOffset, "utcOffset");
        QTEST(int(log.warnings.size()), "warnings");
        for (int i = 1; i < log.fixes.size(); ++i)
            QVERIFY(log.fixes.at(i).iTime >= log.fixes.at(i - 1).iTime);
    }

    void firstFix_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("fix"); // time, latitude, longitude, altitudes, airspeed
        // B2348083839773S17608501EA00352004580060040254500001... TAS in bytes 42-46: 025.45 km/h
        QTest::newRow("southern, eastern, TAS") << TestEnv::ReadFile(IgcPath(QStringLiteral("new_zealand.igc")))
                                                << "23:48:08 -38.6628833 176.1416833 352 458 25.45";
        // B1627534845381N00824437EA008060089373 with LAD = 7 and LOD = 3
        QTest::newRow("LAD/LOD decimals") << TestEnv::ReadFile(IgcPath(QStringLiteral("xctrack-2020-09-04.igc")))
                                          << "16:27:53 48.7563617 8.4072883 806 893 -1.00";
        QTest::newRow("western, below sea level, no 3D fix")
            << QByteArray("AXXX\r\nB1016485346296N02025184WV-0012-0005\r\n")
            << "10:16:48 53.7716000 -20.4197333 -12 -5 -1.00";
    }
    void firstFix()
    {
        QFETCH(QByteArray, data);
        IgcLog log;
        QString error;
        QVERIFY2(IgcFile::Read(data, &log, &error), qPrintable(error));
        const IgcFix& f = log.fixes.first();
        QTEST(QString::asprintf("%s %.7f %.7f %d %d %.2f", qPrintable(IgcFile::TimeText(f.iTime)), f.dLat, f.dLon,
                                f.iPressureAlt, f.iGnssAlt, double(f.fTas)),
              "fix");
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("fixes");      // 0: refused as no IGC flight log
        QTest::addColumn<int>("warnedLine"); // 0: no warning
        const QByteArray head = "AXXX001\r\nHFDTE010203\r\n";
        const QByteArray a = "B1016485346296N02025184EA0012300122\r\n";
        const QByteArray b = "B1016495346296N02025184EA0012300121\r\n";
        QTest::newRow("truncated last line") << head + a + b + "B10165053462" << 2 << 5;
        QTest::newRow("minutes of 60") << head + a + "B1016495360296N02025184EA0012300121\r\n" << 1 << 4;
        QTest::newRow("bad validity") << head + a + "B1016495346296N02025184XA0012300121\r\n" + b << 2 << 4;
        QTest::newRow("letters in altitude") << head + "B1016485346296N02025184EA00x2300122\r\n" + b << 1 << 3;
        QTest::newRow("time goes back") << head + b + a << 1 << 4;
        QTest::newRow("garbage line") << head + a + "\x7f\x7f\r\n" + b << 2 << 4;
        // Fifteen digits of airspeed would overflow a number: not read.
        QTest::newRow("overlong extension") << head + "I013650TAS\r\n" + a.trimmed() + "999999999999999\r\n"
                                            << 1 << 0;
        QTest::newRow("LF only, no date") << QByteArray("AXXX\n") + a.trimmed() + "\n" << 1 << 0;
        QTest::newRow("empty") << QByteArray() << 0 << 0;
        QTest::newRow("OpenAir text") << QByteArray("* airspace\r\nAC R\r\nDP 45:00:00 N 006:00:00 E\r\n") << 0 << 0;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 0 << 0;
        QTest::newRow("only broken fixes") << head + "B10164853\r\nB99999999999999999999999999999999999\r\n"
                                           << 0 << 0;
    }
    void malformed()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, fixes);
        QFETCH(int, warnedLine);
        IgcLog log;
        QString error;
        QCOMPARE(IgcFile::Read(data, &log, &error), fixes > 0);
        QVERIFY2(fixes > 0 || error.contains(QLatin1String("not an IGC flight log")), qPrintable(error));
        QCOMPARE(int(log.fixes.size()), fixes);
        if (fixes == 0)
            return;
        QCOMPARE(log.warnings.size(), warnedLine > 0 ? 1 : 0);
        QVERIFY(warnedLine == 0 || log.warnings.first().startsWith(QStringLiteral("line %1:").arg(warnedLine)));
        QVERIFY(!log.bHasTas);
    }
};

QTEST_MAIN(TestIgcFile)
#include "test_igcfile.moc"
