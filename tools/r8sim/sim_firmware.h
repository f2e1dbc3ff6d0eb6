#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

// What main() hands the firmware mode (r8sim --firmware OUTFILE).
struct FirmwareSimConfig {
    QString strOutFile;    // where the received image body goes
    quint16 iProduct = 0;  // USB product id the simulator presents (0xD901..0xD905)
    QStringList options;   // every --fw-option KEY=VALUE, in order
};

// Plays the instrument's side of the firmware block protocol on the pty's
// master descriptor until it ends; returns the program's exit code.
int RunFirmwareSim(int fdMaster, const FirmwareSimConfig& config);
