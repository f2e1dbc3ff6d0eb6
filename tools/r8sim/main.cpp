// r8sim: a stand-in instrument on a pseudo-terminal, for trying and testing
// the designer's link without hardware.
#include "sim_firmware.h"
#include "sim_sentences.h"
#include "sim_stream.h"
#include "simpty.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <signal.h> // NOLINT(modernize-deprecated-headers): sigaction is POSIX, not in <csignal>
#include <sys/prctl.h>

namespace {

constexpr quint16 kVendorSd = 0x5E17;
constexpr quint16 kVendorConverter = 0x0403;
constexpr quint16 kProductConverter = 0x6001;

const char* const kHelp = "Plays an instrument on a new pseudo-terminal. The first line on standard\n"
                          "output is the device path, the second the R8_EXTRA_PORTS setting that lets\n"
                          "the designer find it, for example:\n"
                          "  /dev/pts/7\n"
                          "  R8_EXTRA_PORTS=/dev/pts/7=5e17:d901\n"
                          "Every received sentence is checked (\"$\" body \",*\" checksum, line feed);\n"
                          "known sentences are answered with \"ACK\", badly framed ones are logged as\n"
                          "\"!BAD ...\" and not answered. Sentence numbers count from 1 and leave out\n"
                          "identification requests.";

bool IntOption(const QCommandLineParser& p, const char* name, int* pValue)
{
    if (!p.isSet(QLatin1String(name)))
        return true;
    bool ok = false;
    *pValue = p.value(QLatin1String(name)).toInt(&ok);
    if (!ok || *pValue < 0) {
        std::fprintf(stderr, "r8sim: --%s needs a whole number\n", name);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Never outlive the program (or test) that started us.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("r8sim"));

    QCommandLineParser p;
    p.setApplicationDescription(QString::fromLatin1(kHelp));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("product"),
         QStringLiteral("USB product id in hex of an instrument with its own USB interface (vendor 5e17), d901 to "
                        "d905; default d901."),
         QStringLiteral("HEX")},
        {QStringLiteral("old"),
         QStringLiteral("Play an older instrument behind a USB serial converter (vendor 0403) that names itself "
                        "MODEL in its identification reply: Alvo, Osk, Tey, Dulan, R7OSK or none (empty name)."),
         QStringLiteral("MODEL")},
        {QStringLiteral("serial"), QStringLiteral("Serial number in the identification reply (default 12345)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("info"), QStringLiteral("Fourth field of the identification reply (default 2.10)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("short-ident"),
         QStringLiteral("Cut the identification reply short after its second field.")},
        {QStringLiteral("log"), QStringLiteral("Append every received sentence body to FILE, one per line."),
         QStringLiteral("FILE")},
        {QStringLiteral("nak-at"), QStringLiteral("Answer sentence N with NAK."), QStringLiteral("N")},
        {QStringLiteral("silent-from"), QStringLiteral("Answer nothing from sentence N on."), QStringLiteral("N")},
        {QStringLiteral("hangup-at"), QStringLiteral("Close the pseudo-terminal and exit on receiving sentence N."),
         QStringLiteral("N")},
        {QStringLiteral("delay"), QStringLiteral("Wait MS milliseconds before every reply."), QStringLiteral("MS")},
        {QStringLiteral("split"), QStringLiteral("Write every reply in pieces of N bytes."), QStringLiteral("N")},
        {QStringLiteral("garbage"), QStringLiteral("Send noise bytes before every reply.")},
        {QStringLiteral("bad-checksum"), QStringLiteral("Send replies with a wrong checksum.")},
        {QStringLiteral("firmware"),
         QStringLiteral(
             "Play the firmware block protocol instead of sentences, writing the received image to OUTFILE."),
         QStringLiteral("OUTFILE")},
        {QStringLiteral("fw-option"), QStringLiteral("An option for the firmware mode (repeatable)."),
         QStringLiteral("KEY=VALUE")},
        {QStringLiteral("stream"),
         QStringLiteral("Play a device that is no instrument (a GPS logger): send a position sentence HZ times a "
                        "second and answer nothing."),
         QStringLiteral("HZ")},
        {QStringLiteral("refuse-open"),
         QStringLiteral("Make the device refuse to open: busy (held by another program) or permission (no "
                        "permissions; stops any user but root)."),
         QStringLiteral("HOW")},
        {QStringLiteral("verbose"),
         QStringLiteral("Print diagnostics (bad or unknown sentences, hang-ups) on standard error.")},
    });
    p.process(app);
    if (!p.isSet(QStringLiteral("verbose")))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    qSetMessagePattern(QStringLiteral("%{category}: %{message}"));

    SentenceSimConfig cfg;
    quint16 iVendor = kVendorSd;
    quint16 iProduct = 0xD901;
    if (p.isSet(QStringLiteral("product"))) {
        bool ok = false;
        const uint v = p.value(QStringLiteral("product")).toUInt(&ok, 16);
        if (!ok || v > 0xFFFF) {
            std::fprintf(stderr, "r8sim: --product needs a hex id such as d903\n");
            return 2;
        }
        iProduct = static_cast<quint16>(v);
        if (iProduct < 0xD901 || iProduct > 0xD905)
            std::fprintf(stderr, "r8sim: product id %04x is not one of the instruments (d901..d905)\n", iProduct);
    }
    if (p.isSet(QStringLiteral("old"))) {
        const QString model = p.value(QStringLiteral("old"));
        const QStringList known = {QStringLiteral("Alvo"),  QStringLiteral("Osk"),   QStringLiteral("Tey"),
                                   QStringLiteral("Dulan"), QStringLiteral("R7OSK"), QStringLiteral("none")};
        if (!known.contains(model)) {
            std::fprintf(stderr, "r8sim: --old takes Alvo, Osk, Tey, Dulan, R7OSK or none\n");
            return 2;
        }
        cfg.bConverter = true;
        cfg.strModelName = model == QLatin1String("none") ? QString() : model;
        iVendor = kVendorConverter;
        iProduct = kProductConverter;
    }
    if (p.isSet(QStringLiteral("serial")))
        cfg.strSerial = p.value(QStringLiteral("serial"));
    if (p.isSet(QStringLiteral("info")))
        cfg.strInfo = p.value(QStringLiteral("info"));
    cfg.bShortIdent = p.isSet(QStringLiteral("short-ident"));
    cfg.strLogFile = p.value(QStringLiteral("log"));
    cfg.bGarbage = p.isSet(QStringLiteral("garbage"));
    cfg.bBadChecksum = p.isSet(QStringLiteral("bad-checksum"));
    int iStreamHz = 0;
    if (!IntOption(p, "nak-at", &cfg.iNakAt) || !IntOption(p, "silent-from", &cfg.iSilentFrom)
        || !IntOption(p, "hangup-at", &cfg.iHangupAt) || !IntOption(p, "delay", &cfg.iDelayMs)
        || !IntOption(p, "split", &cfg.iSplitBytes) || !IntOption(p, "stream", &iStreamHz))
        return 2;

    SimPty pty;
    if (!OpenSimPty(&pty))
        return 1;
    if (p.isSet(QStringLiteral("refuse-open")) && !RefuseSimPty(&pty, p.value(QStringLiteral("refuse-open"))))
        return 2;
    std::printf("%s\nR8_EXTRA_PORTS=%s=%04x:%04x\n", qPrintable(pty.strDevice), qPrintable(pty.strDevice), iVendor,
                iProduct);
    std::fflush(stdout);

    int rc = 0;
    if (p.isSet(QStringLiteral("firmware"))) {
        FirmwareSimConfig fw;
        fw.strOutFile = p.value(QStringLiteral("firmware"));
        fw.iProduct = iProduct;
        fw.options = p.values(QStringLiteral("fw-option"));
        rc = RunFirmwareSim(pty.fdMaster, fw);
    } else if (iStreamHz > 0) {
        rc = RunStreamSim(pty, iStreamHz);
    } else {
        rc = RunSentenceSim(pty, cfg);
    }
    CloseSimPty(&pty);
    return rc;
}
