// Start-up: from starting the designer's process to its main window shown
// and the event loop idle (offscreen), and the resident memory then.
// Targets: under 400 ms and under 80 MB.
#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

class BenchStartup : public QObject
{
    Q_OBJECT
    QTemporaryDir home;

    // One run: {milliseconds to idle, resident kB}; {-1, -1} on failure.
    QPair<qint64, long> RunOnce()
    {
        QProcess proc;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("R8_STARTUP_PROBE"), QStringLiteral("1"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QLatin1String("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QLatin1String("/data"));
        proc.setProcessEnvironment(env);
        const QString exe = QCoreApplication::applicationDirPath() + QLatin1String("/r8designer");
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        proc.start(exe, {});
        if (!proc.waitForFinished(20000))
            return {-1, -1};
        const QString out = QString::fromLatin1(proc.readAllStandardOutput());
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("idle-at-ms=(\\d+) rss-kb=(\\d+)")).match(out);
        if (!m.hasMatch())
            return {-1, -1};
        return {m.captured(1).toLongLong() - started, m.captured(2).toLong()};
    }

private slots:
    void initTestCase()
    {
        // No catalogue download during the measurement.
        QDir().mkpath(home.path() + QLatin1String("/config/Zarvin"));
        QFile conf(home.path() + QLatin1String("/config/Zarvin/R8designer.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[General]\nCatalogueUrl=\n");
    }

    void startupToIdle()
    {
        RunOnce(); // warm the file cache
        QVector<qint64> times;
        long rss = 0;
        for (int i = 0; i < 5; ++i) {
            const auto r = RunOnce();
            QVERIFY2(r.first >= 0, "the designer did not report start-up");
            times << r.first;
            rss = std::max(rss, r.second);
        }
        std::sort(times.begin(), times.end());
        qInfo("start-up to idle: median %lld ms (min %lld, max %lld); resident %ld kB", times[2], times[0], times[4],
              rss);
        QTest::setBenchmarkResult(times[2], QTest::WalltimeMilliseconds);
    }

    void residentMemory()
    {
        const auto r = RunOnce();
        QVERIFY(r.second > 0);
        qInfo("resident memory when idle: %.1f MB", r.second / 1024.0);
        // Reported in kB through the benchmark result's event counter.
        QTest::setBenchmarkResult(r.second, QTest::Events);
    }
};

QTEST_GUILESS_MAIN(BenchStartup)
#include "bench_startup.moc"
