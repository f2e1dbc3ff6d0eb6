#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

// What main() hands the firmware mode (r8sim --firmware OUTFILE).
struct FirmwareSimConfig {
    QString strOutFile;   // where the received image body goes
    quint16 iProduct = 0; // USB product id the simulator presents (0xD901..0xD905)
    QStringList options;  // every --fw-option KEY=VALUE, in order
};

// Plays the instrument's side of the firmware block protocol on the pty's
// master descriptor until it ends; returns the program's exit code (0 after
// "END" with the body written, 3 after a planned hang-up).
//
// It answers the start packet with "READY" and the product's model digit,
// asks for every block, checks each checksum (asking again on a bad one),
// writes the blocks in index order to strOutFile and sends "END". One line a
// step on standard output ("start ...", "block N ok ...", "beyond N: ...",
// "end: ..."). Options (--fw-option KEY=VALUE):
//   order=in|shuffle  seed=N   request order (shuffled with a fixed seed)
//   repeat=N          ask for every Nth block twice
//   silent=1          never answer
//   wrong-ready=N     answer the first N start packets with the next model's digit
//   beyond=N          after N blocks ask once for block `beyond-index` (default:
//   beyond-index=I    the block count) and report whether anything came back
//   split=N split-ms=M  write every reply in pieces of N bytes, M ms apart
//   hangup=N          hang up after N blocks
//   delay=MS          wait before every reply
//   idle=S            give up after S seconds without input (default 60)
int RunFirmwareSim(int fdMaster, const FirmwareSimConfig& config);
