#include "simpty.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

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
    termios tio {};
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

int ReadSimPty(const SimPty& pty, char* pBuf, int iSize, int iMsecs)
{
    pollfd pfd {pty.fdMaster, POLLIN, 0};
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
