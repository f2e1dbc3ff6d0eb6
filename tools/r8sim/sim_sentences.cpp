#include "sim_sentences.h"

#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kPollMs = 100;
constexpr int kMaxLine = 1024;    // longer input is noise, not a sentence
constexpr int kSplitPauseMs = 20; // between the pieces of a split reply
constexpr int kMaxBody = 255;

const char* const kAcknowledged[] = {"PZVFLO", "PZVCTR", "PZVCTD", "PZVCTP", "PZVCTC", "PZVCTT", "PZVRLO"};

QByteArray InstrumentLine(const QByteArray& content, bool bBadChecksum)
{
    // The instrument's own framing: checksum over everything between "$" and
    // "*", two upper-case digits, CR LF.
    quint8 sum = 0;
    for (char c : content)
        sum ^= static_cast<quint8>(c);
    if (bBadChecksum)
        sum ^= 0x5A;
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return '$' + content + '*' + QByteArray(hex) + "\r\n";
}

class SentenceSim
{
public:
    SentenceSim(SimPty& pty, const SentenceSimConfig& config)
        : pty(pty)
        , cfg(config)
    {
    }
    int Run();

private:
    bool HandleLine(const QByteArray& line); // false: hang up
    void Log(const QByteArray& text);
    void Reply(const QByteArray& content);

    SimPty& pty;
    const SentenceSimConfig& cfg;
    QFile logFile;
    int iSentence = 0;
};

void SentenceSim::Log(const QByteArray& text)
{
    if (!logFile.isOpen())
        return;
    logFile.write(text + '\n');
    logFile.flush();
}

void SentenceSim::Reply(const QByteArray& content)
{
    if (cfg.iDelayMs > 0)
        ::usleep(static_cast<useconds_t>(cfg.iDelayMs) * 1000);
    QByteArray out;
    if (cfg.bGarbage)
        out += QByteArray("\x01\xfe~noise,ACK\r\n#", 15);
    out += InstrumentLine(content, cfg.bBadChecksum);
    if (cfg.iSplitBytes <= 0) {
        WriteSimPty(pty, out);
        return;
    }
    for (int pos = 0; pos < out.size(); pos += cfg.iSplitBytes) {
        WriteSimPty(pty, out.mid(pos, cfg.iSplitBytes));
        ::usleep(kSplitPauseMs * 1000);
    }
}

bool SentenceSim::HandleLine(const QByteArray& line)
{
    QByteArray body;
    const QString problem = CheckFraming(line, &body);
    if (!problem.isEmpty()) {
        qCDebug(lcSim).noquote() << "bad sentence (" + problem + "):" << line.toPercentEncoding(" $,*");
        Log("!BAD " + line.toPercentEncoding(" $,*()"));
        return true;
    }
    Log(body);
    const int comma = body.indexOf(',');
    const QByteArray name = comma < 0 ? body : body.left(comma);
    if (name == "PZVSNP") {
        if (cfg.bConverter) {
            QByteArray ident = "PZVSNP," + cfg.strModelName.toLatin1() + ",R8";
            if (!cfg.bShortIdent)
                ident += ',' + cfg.strSerial.toLatin1() + ',' + cfg.strInfo.toLatin1() + ',';
            Reply(ident);
        }
        return true;
    }
    ++iSentence;
    if (cfg.iHangupAt > 0 && iSentence >= cfg.iHangupAt)
        return false;
    if (cfg.iSilentFrom > 0 && iSentence >= cfg.iSilentFrom)
        return true;
    for (const char* known : kAcknowledged) {
        if (name == known) {
            Reply(name + (iSentence == cfg.iNakAt ? ",NAK," : ",ACK,"));
            return true;
        }
    }
    qCDebug(lcSim).noquote() << "unknown sentence" << name << "not answered";
    return true;
}

int SentenceSim::Run()
{
    if (!cfg.strLogFile.isEmpty()) {
        logFile.setFileName(cfg.strLogFile);
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
            std::fprintf(stderr, "r8sim: cannot write the log %s\n", qPrintable(cfg.strLogFile));
            return 1;
        }
    }
    QByteArray line;
    bool bInSentence = false;
    char buf[512];
    for (;;) {
        const int n = ReadSimPty(pty, buf, sizeof buf, kPollMs);
        if (n < 0) {
            qCDebug(lcSim) << "pty closed";
            return 0;
        }
        for (int i = 0; i < n; ++i) {
            const char c = buf[i];
            if (c == '$') {
                if (bInSentence)
                    Log("!BAD " + line.toPercentEncoding(" $,*()"));
                line = "$";
                bInSentence = true;
            } else if (!bInSentence) {
                continue; // noise between sentences
            } else if (c == '\n') {
                bInSentence = false;
                if (!HandleLine(line)) {
                    qCDebug(lcSim) << "hanging up at sentence" << iSentence;
                    CloseSimPty(&pty);
                    return 0;
                }
            } else if (line.size() < kMaxLine) {
                line += c;
            }
        }
    }
}

} // namespace

QString CheckFraming(const QByteArray& line, QByteArray* pBody)
{
    pBody->clear();
    if (line.size() < 5 || line.at(0) != '$')
        return QStringLiteral("too short");
    if (line.endsWith('\r'))
        return QStringLiteral("carriage return before the line feed");
    const int star = line.size() - 3;
    if (line.at(star) != '*' || line.at(star - 1) != ',')
        return QStringLiteral("no \",*\" before the checksum");
    *pBody = line.mid(1, star - 2);
    if (pBody->size() > kMaxBody)
        return QStringLiteral("body of %1 bytes").arg(pBody->size());
    quint8 sum = 0;
    for (char c : qAsConst(*pBody))
        sum ^= static_cast<quint8>(c);
    char want[3];
    std::snprintf(want, sizeof want, "%2x", sum);
    if (line.mid(star + 1) != QByteArray(want, 2))
        return QStringLiteral("checksum \"%1\", expected \"%2\"")
            .arg(QString::fromLatin1(line.mid(star + 1)), QString::fromLatin1(want, 2));
    return QString();
}

int RunSentenceSim(SimPty& pty, const SentenceSimConfig& config)
{
    SentenceSim sim(pty, config);
    return sim.Run();
}
