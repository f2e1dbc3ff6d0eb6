#include "cmd_layoutbatch.h"
#include "command.h"
#include "layoutfile.h"
#include "layouttransfer.h"
#include "r8element.h"
#include "zvcomport.h"

#include <QTextStream>
#include <cstdio>

namespace {

int RunLayoutBatch(const QStringList& args)
{
    QString path;
    bool bFramed = false;
    int iModel = 1;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--framed")) {
            bFramed = true;
        } else if (arg == QLatin1String("--model")) {
            bool ok = false;
            if (i + 1 < args.size())
                iModel = args.at(++i).toInt(&ok);
            if (!ok)
                return UsageError(QStringLiteral("layout-batch: --model needs a whole number"));
        } else if (path.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            path = arg;
        } else {
            return UsageError(QStringLiteral("layout-batch: unknown argument '%1'").arg(arg));
        }
    }
    if (path.isEmpty())
        return UsageError(QStringLiteral("layout-batch: which layout file?"));

    QStringList batch;
    const int rc = LayoutBatchFromFile(path, iModel, &batch);
    if (rc != 0)
        return rc;
    for (const QString& body : batch) {
        const QByteArray bytes = bFramed ? FrameSentence(body.toLatin1()) : body.toLatin1() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    }
    return 0;
}

const ToolCommand command("layout-batch",
                          "layout-batch LAYOUT [--framed] [--model ID]   print the sentence bodies \"Send to device\" "
                          "queues for a layout file, one per line (--framed: as sent on the wire)",
                          RunLayoutBatch);

} // namespace

int LayoutBatchFromFile(const QString& path, int iModel, QStringList* pBatch)
{
    // Older layout files name fields by the model's sequence numbers.
    LoadCatalogue(1, iModel);
    QVector<PageProps> pages(R8_PAGE_COUNT);
    QList<R8element*> elements;
    QString message;
    const bool ok = LayoutFile::Load(
        path, pages,
        [&elements](int iType) {
            auto* e = new R8element(nullptr, iType, 1);
            elements.append(e);
            return e;
        },
        &message);
    if (ok)
        *pBatch = BuildLayoutBatch(elements, pages);
    qDeleteAll(elements);
    if (!ok)
        return Fail(message);
    if (pBatch->isEmpty())
        return Fail(QStringLiteral("Layout has no elements!"));
    return 0;
}
