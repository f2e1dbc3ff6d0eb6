#include "command.h"
#include "firmwaretodevice.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 40;

// Progress and messages on the terminal: one redrawn line on a terminal,
// plain lines (each message once) when the output is a file or a pipe.
class TerminalProgress
{
public:
    TerminalProgress()
        : err(stderr)
        , bTerminal(isatty(STDERR_FILENO))
    {
    }

    void Message(const QString& text)
    {
        if (text == strMessage)
            return;
        strMessage = text;
        if (bTerminal)
            Redraw();
        else
            err << text << Qt::endl;
    }

    void Progress(int value, int maximum)
    {
        iValue = value;
        iMaximum = maximum;
        const int tenth = maximum > 0 ? 10 * value / maximum : 10;
        if (bTerminal)
            Redraw();
        else if (tenth != iLastTenth)
            err << "progress " << value << "/" << maximum << Qt::endl;
        iLastTenth = tenth;
    }

    void Finish()
    {
        if (bTerminal)
            err << "\n";
        err.flush();
    }

private:
    void Redraw()
    {
        const int filled = iMaximum > 0 ? kBarWidth * iValue / iMaximum : 0;
        err << "\r[" << QString(filled, QLatin1Char('#')) << QString(kBarWidth - filled, QLatin1Char('.')) << "] "
            << iValue << "/" << iMaximum << "  " << strMessage.leftJustified(32) << Qt::flush;
    }

    QTextStream err;
    bool bTerminal;
    QString strMessage;
    int iValue = 0;
    int iMaximum = 0;
    int iLastTenth = -1;
};

int RunFirmwareSend(const QStringList& args)
{
    QString file;
    int giveUpSeconds = 0;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--give-up") && i + 1 < args.size()) {
            bool ok = false;
            giveUpSeconds = args.at(++i).toInt(&ok);
            if (!ok || giveUpSeconds <= 0)
                return UsageError(QStringLiteral("firmware-send: --give-up needs a number of seconds"));
        } else if (file.isEmpty() && !args.at(i).startsWith(QLatin1Char('-'))) {
            file = args.at(i);
        } else {
            return UsageError(QStringLiteral("firmware-send: unknown argument '%1'").arg(args.at(i)));
        }
    }
    if (file.isEmpty())
        return UsageError(QStringLiteral("firmware-send: an image file is needed"));

    // The worker logs every request and block: r8tool shows it with --verbose.
    firmwareToDevice worker;
    worker.strFileName = file;
    TerminalProgress terminal;
    QEventLoop loop;
    QObject::connect(&worker, &firmwareToDevice::resultReady, &loop,
                     [&terminal](const QString& text) { terminal.Message(text); });
    QObject::connect(&worker, &firmwareToDevice::progressPercentage, &loop,
                     [&terminal](int value, int maximum) { terminal.Progress(value, maximum); });
    QObject::connect(&worker, &QThread::finished, &loop, &QEventLoop::quit);
    // Like closing the dialog: the worker stops at its next start.
    if (giveUpSeconds > 0)
        QTimer::singleShot(giveUpSeconds * 1000, &loop, [&worker] { worker.requestInterruption(); });
    worker.start();
    loop.exec();
    worker.wait();
    QCoreApplication::sendPostedEvents(); // the last queued messages
    terminal.Finish();
    return worker.Succeeded() ? 0 : 1;
}

const ToolCommand command("firmware-send",
                          "firmware-send FILE.zvf [--give-up SECONDS] [--verbose]\n"
                          "                                          write an image into the connected instrument",
                          RunFirmwareSend);

} // namespace
