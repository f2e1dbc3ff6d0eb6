#pragma once
#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

// The simulator's diagnostics ("r8sim"), shown with --verbose.
Q_DECLARE_LOGGING_CATEGORY(lcSim)

// The simulator's end of a pseudo-terminal. The program under test opens
// the slave device; the simulator keeps a slave descriptor of its own open so
// that the pty lives on between the program's connections.
struct SimPty {
    int fdMaster = -1;
    int fdSlave = -1;
    QString strDevice; // "/dev/pts/N"
};

// Opens a pty in raw mode; false with a message on stderr.
bool OpenSimPty(SimPty* pPty);
void CloseSimPty(SimPty* pPty);

// Makes the slave device refuse to be opened by the program under test:
// "busy" holds it open the way another serial program does (lock file and
// exclusive mode), "permission" takes every permission off the device node
// (which stops any user but root). False with a message on stderr.
bool RefuseSimPty(SimPty* pPty, const QString& strHow);

// Waits up to iMsecs for input on the master; -1 on a read error or hang-up,
// else the byte count (0 on time-out).
int ReadSimPty(const SimPty& pty, char* pBuf, int iSize, int iMsecs);
// Writes every byte; false on an error.
bool WriteSimPty(const SimPty& pty, const QByteArray& data);
