#include "simpty.h"

#include <QSerialPort>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSim, "r8sim")

bool OpenSimPty(SimPty* pPty)
{
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        std::fprintf(stderr, "r8sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const char* name = ptsname(fd);
    const int fdSlave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (fdSlave < 0) {
        std::fprintf(stderr, "r8sim: cannot open the pty's device: %s\n", std::strerror(errno));
        ::close(fd);
        return false;
    }
    // Raw: no echo, no line editing, no CR/LF translation in either direction.
    termios tio{};
    if (tcgetattr(fdSlave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fdSlave, TCSANOW, &tio);
    }
    pPty->fdMaster = fd;
    pPty->fdSlave = fdSlave;
    pPty->strDevice = QString::fromLocal8Bit(name);
    return true;
}

void CloseSimPty(SimPty* pPty)
{
    if (pPty->fdSlave >= 0)
        ::close(pPty->fdSlave);
    if (pPty->fdMaster >= 0)
        ::close(pPty->fdMaster);
    pPty->fdSlave = -1;
    pPty->fdMaster = -1;
}

namespace {

char s_szLockFile[256];

void RemoveLockFileAndExit(int)
{
    ::unlink(s_szLockFile);
    ::_exit(0);
}

// Qt's serial port leaves its lock file behind when the simulator is
// terminated (as every test ends it); take it away then.
void RemoveLockFileOnExit(const QString& strDevice)
{
    const QString name =
        QLatin1String("LCK..")
        + QString(strDevice).remove(QStringLiteral("/dev/")).replace(QLatin1Char('/'), QLatin1Char('_'));
    const char* const dirs[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                "/tmp",      "/var/tmp",   "/run/lock"};
    for (const char* dir : dirs) {
        const QByteArray path = QByteArray(dir) + '/' + name.toLocal8Bit();
        if (::access(path.constData(), F_OK) == 0 && size_t(path.size()) < sizeof s_szLockFile) {
            std::strcpy(s_szLockFile, path.constData());
            ::signal(SIGTERM, RemoveLockFileAndExit);
            ::signal(SIGINT, RemoveLockFileAndExit);
            return;
        }
    }
}

} // namespace

bool RefuseSimPty(SimPty* pPty, const QString& strHow)
{
    if (strHow == QLatin1String("permission")) {
        if (::fchmod(pPty->fdSlave, 0) == 0)
            return true;
        std::fprintf(stderr, "r8sim: cannot change the device's permissions: %s\n", std::strerror(errno));
        return false;
    }
    if (strHow == QLatin1String("busy")) {
        // Lives as long as the simulator.
        static QSerialPort holder;
        holder.setPortName(pPty->strDevice);
        if (holder.open(QIODevice::ReadWrite)) {
            RemoveLockFileOnExit(pPty->strDevice);
            return true;
        }
        std::fprintf(stderr, "r8sim: cannot hold %s: %s\n", qPrintable(pPty->strDevice),
                     qPrintable(holder.errorString()));
        return false;
    }
    std::fprintf(stderr, "r8sim: --refuse-open takes busy or permission\n");
    return false;
}

int ReadSimPty(const SimPty& pty, char* pBuf, int iSize, int iMsecs)
{
    pollfd pfd{pty.fdMaster, POLLIN, 0};
    const int r = ::poll(&pfd, 1, iMsecs);
    if (r < 0)
        return errno == EINTR ? 0 : -1;
    if (r == 0)
        return 0;
    if (!(pfd.revents & POLLIN))
        return (pfd.revents & (POLLERR | POLLNVAL)) ? -1 : 0;
    const ssize_t n = ::read(pty.fdMaster, pBuf, static_cast<size_t>(iSize));
    if (n < 0)
        return (errno == EINTR || errno == EAGAIN) ? 0 : -1;
    return static_cast<int>(n);
}

bool WriteSimPty(const SimPty& pty, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    for (int tries = 0; left > 0 && tries < 1000; ++tries) {
        const ssize_t n = ::write(pty.fdMaster, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                ::usleep(1000);
                continue;
            }
            return false;
        }
        p += n;
        left -= n;
    }
    return left == 0;
}
