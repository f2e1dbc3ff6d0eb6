#include "sim_stream.h"

#include <QElapsedTimer>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

// The logger's sentence: time and a fix near a take-off, with its checksum.
QByteArray FixSentence(int iCount)
{
    char body[96];
    std::snprintf(body, sizeof body, "GPRMC,%02d%02d%02d.00,A,4612.345,N,01345.678,E,012.3,270.0,010626,,,A",
                  (iCount / 36000) % 24, (iCount / 600) % 60, (iCount / 10) % 60);
    quint8 sum = 0;
    for (const char* p = body; *p; ++p)
        sum ^= static_cast<quint8>(*p);
    char line[112];
    std::snprintf(line, sizeof line, "$%s*%02X\r\n", body, sum);
    return QByteArray(line);
}

// A full pty drops the sentence, as a converter's full buffer would.
void Offer(const SimPty& pty, const QByteArray& line)
{
    pollfd pfd{pty.fdMaster, POLLOUT, 0};
    if (::poll(&pfd, 1, 0) == 1 && (pfd.revents & POLLOUT))
        WriteSimPty(pty, line);
}

} // namespace

int RunStreamSim(const SimPty& pty, int iHz)
{
    const qint64 periodMs = qMax(1, 1000 / qMax(iHz, 1));
    QElapsedTimer clock;
    clock.start();
    char discard[512];
    for (int count = 0;; ++count) {
        Offer(pty, FixSentence(count));
        // Whatever arrives meanwhile is read and ignored.
        for (qint64 left = (count + 1) * periodMs - clock.elapsed(); left > 0;
             left = (count + 1) * periodMs - clock.elapsed()) {
            if (ReadSimPty(pty, discard, sizeof discard, int(left)) < 0) {
                qCDebug(lcSim) << "pty closed";
                return 0;
            }
        }
    }
}
