// Sentences per second over a pseudo-terminal with r8sim answering at once:
// the bare reply round trip against the command sender's whole path.
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kSentences = 300;
constexpr int kReplyWaitMs = 2000;

QStringList Bodies()
{
    QStringList bodies;
    for (int i = 0; i < kSentences; ++i)
        bodies << QStringLiteral("PZVFLO,1,%1,0,0,80,29,44,1,0.00,0.00").arg(i);
    return bodies;
}

} // namespace

class BenchLink : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void roundTripOnly();
    void linkSentences();
    void senderBatch();

private:
    QProcess sim;
    QByteArray device;
};

void BenchLink::initTestCase()
{
    QString path = qEnvironmentVariable("R8SIM");
    if (path.isEmpty())
        path = QCoreApplication::applicationDirPath() + QStringLiteral("/r8sim");
    sim.start(path, QStringList());
    QVERIFY2(sim.waitForStarted(), "r8sim not found beside the benchmark (or set R8SIM)");
    QByteArray out;
    for (int i = 0; i < 50 && out.count('\n') < 2; ++i) {
        sim.waitForReadyRead(100);
        out += sim.readAllStandardOutput();
    }
    const QList<QByteArray> lines = out.split('\n');
    QVERIFY(lines.size() >= 2);
    device = lines.at(0);
    qputenv("R8_EXTRA_PORTS", lines.at(1).mid(int(qstrlen("R8_EXTRA_PORTS="))));
}

void BenchLink::cleanupTestCase()
{
    sim.terminate();
    sim.waitForFinished();
}

// The floor: a framed line written and its reply line read with plain system
// calls, no parsing beyond the line feed.
void BenchLink::roundTripOnly()
{
    const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    QList<QByteArray> lines;
    for (const QString& body : Bodies())
        lines << FrameSentence(body.toLatin1());
    QBENCHMARK {
        for (const QByteArray& line : lines) {
            QVERIFY(::write(fd, line.constData(), size_t(line.size())) == line.size());
            char buf[64];
            bool bLineEnd = false;
            while (!bLineEnd) {
                pollfd pfd{fd, POLLIN, 0};
                QVERIFY(::poll(&pfd, 1, kReplyWaitMs) == 1);
                const ssize_t n = ::read(fd, buf, sizeof buf);
                QVERIFY(n > 0);
                bLineEnd = memchr(buf, '\n', size_t(n)) != nullptr;
            }
        }
    }
    ::close(fd);
}

// The link alone, connected once: framing, writing, waiting and parsing.
void BenchLink::linkSentences()
{
    ZVcomPort link;
    QCOMPARE(link.ConnectToInstrument(), 1);
    QList<QByteArray> bodies;
    for (const QString& body : Bodies())
        bodies << body.toLatin1();
    QBENCHMARK {
        for (const QByteArray& body : bodies) {
            QVERIFY(link.SendCommand(body));
            QCOMPARE(link.WaitResponse(kReplyWaitMs / 100), int(R8_REPLY_ACK));
        }
    }
}

// The same sentences through ZvCommandSender: port search (with the
// instrument's 100 ms settling time), framing, parsing, progress signals.
void BenchLink::senderBatch()
{
    int iAcknowledged = 0;
    QBENCHMARK {
        ZvCommandSender sender;
        sender.SetEndPause(0);
        sender.AddCommands(Bodies());
        connect(&sender, &ZvCommandSender::progress, [&iAcknowledged](int n) { iAcknowledged = n; });
        sender.doWork();
    }
    QCOMPARE(iAcknowledged, kSentences);
}

QTEST_GUILESS_MAIN(BenchLink)
#include "bench_link.moc"
