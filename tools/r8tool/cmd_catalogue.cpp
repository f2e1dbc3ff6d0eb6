#include "command.h"
#include "appglobals.h"
#include "datafields.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

namespace {

constexpr int kLastLanguageId = 9;

int RunCatalogue(const QStringList& args)
{
    int lang = 1;
    int model = 1;
    QString dbPath;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--db")) {
            if (i + 1 >= args.size())
                return UsageError(QStringLiteral("catalogue: --db needs a file name"));
            dbPath = args.at(++i);
            continue;
        }
        int* target = arg == QLatin1String("--lang") ? &lang : arg == QLatin1String("--model") ? &model : nullptr;
        if (!target)
            return UsageError(QStringLiteral("catalogue: unknown argument '%1'").arg(arg));
        bool ok = false;
        if (i + 1 < args.size())
            *target = args.at(++i).toInt(&ok);
        if (!ok)
            return UsageError(QStringLiteral("catalogue: %1 needs a whole number").arg(arg));
    }
    if (lang < 1 || lang > kLastLanguageId)
        return UsageError(QStringLiteral("catalogue: --lang must be 1 to %1").arg(kLastLanguageId));
    if (model < 1)
        return UsageError(QStringLiteral("catalogue: --model must be 1 or more"));
    if (!dbPath.isEmpty() && !QFileInfo(dbPath).isFile())
        return Fail(QStringLiteral("catalogue file %1 not found").arg(dbPath));

    bool loaded = LoadCatalogue(lang, model);
    if (!dbPath.isEmpty()) {
        strDbName = dbPath;
        g_pDB->setDatabaseName(dbPath);
        g_DataFields.LoadFromDB(g_pDB);
        loaded = g_DataFields.count() > 0;
    }
    if (!loaded)
        return Fail(QStringLiteral("no fields in the catalogue %1 for language %2 and model %3")
                        .arg(strDbName)
                        .arg(lang)
                        .arg(model));

    // UTF-8 whatever the locale: the names carry accents.
    QString text = QStringLiteral("# base_id\tsequence\tdata_type\tflags\trange\tname\n");
    for (const _DataField* f : g_DataFields.Fields()) {
        QString flags;
        flags += f->CanBeDial ? QLatin1Char('D') : QLatin1Char('-');
        flags += f->NoLargeFont ? QLatin1Char('N') : QLatin1Char('-');
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5..%6\t%7\n")
                    .arg(f->BaseId)
                    .arg(f->Sequence)
                    .arg(f->DataType)
                    .arg(flags)
                    .arg(double(f->MinRange))
                    .arg(double(f->MaxRange))
                    .arg(f->Name);
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write to the standard output"));
    out.write(text.toUtf8());
    return 0;
}

const ToolCommand command(
    "catalogue",
    "catalogue [--lang ID] [--model ID] [--db FILE]   list the data fields (flags: D dial, N no large font)",
    RunCatalogue);

} // namespace
