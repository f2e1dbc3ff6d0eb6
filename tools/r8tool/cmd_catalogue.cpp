#include "command.h"
#include "appglobals.h"
#include "datafields.h"

#include <QTextStream>

namespace {

int RunCatalogue(const QStringList& args)
{
    int lang = 1;
    int model = 1;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        int* target = arg == QLatin1String("--lang") ? &lang : arg == QLatin1String("--model") ? &model : nullptr;
        if (!target)
            return UsageError(QStringLiteral("catalogue: unknown argument '%1'").arg(arg));
        bool ok = false;
        if (i + 1 < args.size())
            *target = args.at(++i).toInt(&ok);
        if (!ok)
            return UsageError(QStringLiteral("catalogue: %1 needs a whole number").arg(arg));
    }
    if (!LoadCatalogue(lang, model))
        return Fail(QStringLiteral("no fields in the catalogue %1 for language %2 and model %3")
                        .arg(strDbName).arg(lang).arg(model));
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    out << "# base_id\tsequence\tdata_type\tflags\trange\tname\n";
    for (const _DataField* f : g_DataFields.Fields()) {
        QString flags;
        flags += f->CanBeDial ? QLatin1Char('D') : QLatin1Char('-');
        flags += f->NoLargeFont ? QLatin1Char('N') : QLatin1Char('-');
        out << f->BaseId << '\t' << f->Sequence << '\t' << f->DataType << '\t' << flags << '\t' << f->MinRange
            << ".." << f->MaxRange << '\t' << f->Name << '\n';
    }
    return 0;
}

const ToolCommand command("catalogue", "catalogue [--lang ID] [--model ID]   list the data fields (flags: D dial, N no large font)",
                          RunCatalogue);

} // namespace
