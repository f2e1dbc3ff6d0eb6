#include "cmd_layoutbatch.h"
#include "command.h"
#include "layouttransfer.h"
#include "loadedlayout.h"
#include "zvcomport.h"

#include <QTextStream>
#include <cstdio>

namespace {

int RunLayoutBatch(const QStringList& args)
{
    QString path;
    int iModel = 1;
    bool bFramed = false;
    if (const int rc = ParseLayoutArgs("layout-batch", args, &path, &iModel, &bFramed))
        return rc;

    QStringList batch;
    const int rc = LayoutBatchFromFile(path, iModel, &batch);
    if (rc != 0)
        return rc;
    for (const QString& body : qAsConst(batch)) {
        const QByteArray bytes = bFramed ? FrameSentence(body.toLatin1()) : body.toLatin1() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    }
    return 0;
}

const ToolCommand command("layout-batch",
                          "layout-batch LAYOUT [--framed] [--model ID]\n                                          "
                          "print the bodies \"Send to device\" queues, one a line "
                          "(--framed: as sent)",
                          RunLayoutBatch);

} // namespace

int ParseLayoutArgs(const char* command, const QStringList& args, QString* pPath, int* piModel, bool* pbFramed)
{
    const QString name = QLatin1String(command);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (pbFramed && arg == QLatin1String("--framed")) {
            *pbFramed = true;
        } else if (arg == QLatin1String("--model")) {
            bool ok = false;
            if (i + 1 < args.size())
                *piModel = args.at(++i).toInt(&ok);
            if (!ok)
                return UsageError(QStringLiteral("%1: --model needs a whole number").arg(name));
        } else if (pPath->isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            *pPath = arg;
        } else {
            return UsageError(QStringLiteral("%1: unknown argument '%2'").arg(name, arg));
        }
    }
    if (pPath->isEmpty())
        return UsageError(QStringLiteral("%1: which layout file?").arg(name));
    return 0;
}

int LayoutBatchFromFile(const QString& path, int iModel, QStringList* pBatch)
{
    // Older layout files name fields by the model's sequence numbers.
    LoadCatalogue(1, iModel);
    LoadedLayout layout;
    QString message;
    if (!layout.Load(path, &message))
        return Fail(message);
    *pBatch = BuildLayoutBatch(layout.Elements(), layout.Pages());
    if (pBatch->isEmpty())
        return Fail(QStringLiteral("Layout has no elements!"));
    return 0;
}
