#pragma once
#include <QStringList>

class QTextStream;
#include <functional>

// A subcommand of r8tool. Each lives in a file of its own and registers
// itself with a static ToolCommand object.
struct ToolCommand {
    using Run = std::function<int(const QStringList& args)>;
    ToolCommand(const char* name, const char* usage, Run run);

    const char* name;
    const char* usage;
    Run run;
};

// Shared helpers for subcommands.
int UsageError(const QString& message); // prints message + usage, returns 2
int Fail(const QString& message);       // prints message, returns 1
void SetUtf8(QTextStream& out);         // UTF-8 whatever the locale
// Loads the catalogue from the bundle next to r8tool for a language and model.
bool LoadCatalogue(int iLangID, int iModel);
