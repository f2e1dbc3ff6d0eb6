#include "cmd_layoutbatch.h"
#include "command.h"
#include "zvcommandsender.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

namespace {

constexpr int kBarWidth = 40;

// Shows the sender's reports on the terminal, as the progress dialog does.
class TerminalProgress : public QObject
{
public:
    void Started(int n)
    {
        iMax = n;
        Bar(0);
    }
    void Progress(int n)
    {
        iDone = n;
        Bar(n);
    }
    void Message(const QString& strMessage)
    {
        std::printf("\r%-*s\n", kBarWidth + 16, qPrintable(strMessage));
        std::fflush(stdout);
        strLast = strMessage;
    }
    void Bar(int n)
    {
        const int filled = iMax > 0 ? n * kBarWidth / iMax : kBarWidth;
        std::printf("\r[%s%s] %d/%d", QByteArray(filled, '#').constData(),
                    QByteArray(kBarWidth - filled, '-').constData(), n, iMax);
        std::fflush(stdout);
    }

    int iMax = 0;
    int iDone = 0;
    QString strLast;
};

int RunSend(const QStringList& args)
{
    QString path;
    int iModel = 1;
    if (const int rc = ParseLayoutArgs("send", args, &path, &iModel, nullptr))
        return rc;

    QStringList batch;
    if (const int rc = LayoutBatchFromFile(path, iModel, &batch))
        return rc;

    // The designer's arrangement: the sender on a worker thread, its reports
    // queued back to this thread.
    TerminalProgress term;
    QThread thread;
    auto* sender = new ZvCommandSender;
    sender->SupportedDevices(R8_MODELS_DEFAULT);
    sender->SetEndPause(0); // nobody needs to read a dialog here
    sender->AddCommands(batch);
    sender->moveToThread(&thread);
    QObject::connect(sender, &ZvCommandSender::started, &term, &TerminalProgress::Started);
    QObject::connect(sender, &ZvCommandSender::progress, &term, &TerminalProgress::Progress);
    QObject::connect(sender, &ZvCommandSender::message, &term, &TerminalProgress::Message);
    QObject::connect(sender, &ZvCommandSender::ended, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    thread.start();
    QMetaObject::invokeMethod(sender, &ZvCommandSender::doWork, Qt::QueuedConnection);
    QCoreApplication::exec();
    FinishSenderThread(&thread, sender);

    const bool bAllSent = term.iDone == batch.size() && term.strLast == QLatin1String("All data sent.");
    return bAllSent ? 0 : Fail(term.strLast);
}

const ToolCommand command("send",
                          "send LAYOUT [--model ID]\n                                          send a layout file "
                          "to the instrument (exit 0 when "
                          "all acknowledged)",
                          RunSend);

} // namespace
