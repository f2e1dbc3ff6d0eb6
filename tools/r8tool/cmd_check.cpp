// r8tool check: the designer's layout check on a layout file; exit 1 when it
// finds problems, so scripts can stop a broken layout before it is sent.
#include "cmd_layoutbatch.h"
#include "command.h"
#include "layoutcheck.h"
#include "loadedlayout.h"

#include <QFile>

namespace {

int RunCheck(const QStringList& args)
{
    QString path;
    int iModel = 1;
    if (const int rc = ParseLayoutArgs("check", args, &path, &iModel, nullptr))
        return rc;
    // The model decides which fields are offered (and what older files'
    // sequence numbers stand for).
    if (!LoadCatalogue(1, iModel))
        return Fail(QStringLiteral("check: no fields in the catalogue for model %1").arg(iModel));
    LoadedLayout layout;
    QString message;
    if (!layout.Load(path, &message))
        return Fail(message);
    const QVector<LayoutCheck::Problem> problems =
        LayoutCheck::CheckWithCatalogue(layout.Elements(), layout.Pages());
    QString text;
    const QStringList lines = LayoutCheck::Report(problems);
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    if (problems.isEmpty())
        text = QStringLiteral("no problems found\n");
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write to the standard output"));
    out.write(text.toUtf8()); // field names carry accents whatever the locale
    return problems.isEmpty() ? 0 : 1;
}

const ToolCommand command(
    "check",
    "check LAYOUT [--model ID]                list the layout's problems per page, as the designer "
    "does (exit 1 when there are any)",
    RunCheck);

} // namespace
