#include "airspaceargs.h"
#include "command.h"

#include <QTextStream>

namespace {

const char kDescription[] = "The airspace upload sentences of OpenAir files, one body per line, as the airspace "
                            "dialog sends them: every airspace, or those the choices pick. Warnings go to stderr "
                            "as FILE:LINE: message.";

int RunAirspaceBatch(const QStringList& args)
{
    const AirspaceArgs parsed = ParseAirspaceArgs("airspace-batch", kDescription, args);
    if (parsed.exitCode >= 0)
        return parsed.exitCode;
    AirspaceStore store;
    if (!LoadAirspaces(parsed, &store))
        return 1;
    QTextStream out(stdout);
    SetUtf8(out);
    const QStringList batch = store.BuildBatch();
    for (const QString& body : batch)
        out << body << '\n';
    return 0;
}

const ToolCommand command("airspace-batch",
                          "airspace-batch FILE... [CHOICES]     the airspace upload bodies, one per line "
                          "(CHOICES: --help)",
                          RunAirspaceBatch);

} // namespace
