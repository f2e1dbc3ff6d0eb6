#pragma once
#include "simpty.h"

#include <QString>
#include <QtGlobal>

// How the simulated instrument answers sentences. Sentence numbers count the
// received sentences from 1, leaving out identification requests ("PZVSNP").
struct SentenceSimConfig {
    bool bConverter = false; // older instrument behind a 0x0403 converter
    QString strModelName;    // its name in the identification reply (may be empty)
    QString strSerial = QStringLiteral("12345");
    QString strInfo = QStringLiteral("2.10");
    bool bShortIdent = false;  // identification reply ends after field 2
    QString strLogFile;        // every received body, one per line
    int iNakAt = 0;            // answer NAK to this sentence
    int iSilentFrom = 0;       // answer nothing from this sentence on
    int iHangupAt = 0;         // close the pty on this sentence
    int iDelayMs = 0;          // before every reply
    int iSplitBytes = 0;       // write replies in pieces of this size
    bool bGarbage = false;     // noise before every reply
    bool bBadChecksum = false; // replies carry a wrong checksum
};

// Serves sentences until killed or hung up; returns the exit code.
int RunSentenceSim(SimPty& pty, const SentenceSimConfig& config);

// The checks the simulator makes on a received line (without its line feed):
// "$" body ",*" checksum, the checksum being the body's XOR in two lower-case
// hex digits, a blank in front of a single digit. Empty string when good,
// else what is wrong. *pBody receives the body.
QString CheckFraming(const QByteArray& line, QByteArray* pBody);
