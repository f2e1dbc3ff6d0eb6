#include "command.h"
#include "appglobals.h"
#include "cataloguefile.h"
#include "datafields.h"
#include "r8resources.h"
#include "startup.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QTextStream>
#include <vector>

namespace {

std::vector<ToolCommand*>& Commands()
{
    static std::vector<ToolCommand*> commands;
    return commands;
}

void PrintUsage(QTextStream& out)
{
    out << "usage: r8tool [--verbose] COMMAND [ARGS...]\n\n"
           "  --verbose (anywhere on the line) prints the diagnostics of the serial link,\n"
           "  the catalogue and the firmware transfer on standard error.\n\ncommands:\n";
    for (const ToolCommand* cmd : Commands())
        out << "  " << cmd->usage << "\n";
}

} // namespace

ToolCommand::ToolCommand(const char* n, const char* u, Run r)
    : name(n)
    , usage(u)
    , run(std::move(r))
{
    Commands().push_back(this);
}

int UsageError(const QString& message)
{
    QTextStream err(stderr);
    err << "r8tool: " << message << "\n\n";
    PrintUsage(err);
    return 2;
}

int Fail(const QString& message)
{
    QTextStream(stderr) << "r8tool: " << message << "\n";
    return 1;
}

void SetUtf8(QTextStream& out)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    out.setEncoding(QStringConverter::Utf8);
#else
    out.setCodec("UTF-8");
#endif
}

bool LoadCatalogue(int iLangID, int iModel)
{
    // Kept for the whole run, like the designer's connection.
    static QSqlDatabase* db = nullptr;
    if (!db) {
        db = new QSqlDatabase(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")));
        db->setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        g_pDB = db;
    }
    strDbName = EnsureCatalogueFile(ProgramFileDirectory(QCoreApplication::applicationDirPath())
                                    + QLatin1String("R8strings.sqlite"));
    db->setDatabaseName(strDbName);
    g_iLangID = iLangID;
    g_iTargetModel = iModel;
    g_DataFields.LoadFromDB(g_pDB);
    return g_DataFields.count() > 0;
}

int main(int argc, char* argv[])
{
    // Painting subcommands need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zarvin"));
    QCoreApplication::setApplicationName(QStringLiteral("R8designer"));
    InitR8Resources();

    QStringList args = QCoreApplication::arguments().mid(1);
    // Quiet by default: the libraries' diagnostics only on demand. Errors
    // are no diagnostics: subcommands print them with Fail().
    if (args.removeAll(QStringLiteral("--verbose")) == 0)
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    qSetMessagePattern(QStringLiteral("%{if-category}%{category}: %{endif}%{message}"));
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        QTextStream out(stdout);
        PrintUsage(out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (ToolCommand* cmd : Commands())
        if (name == QLatin1String(cmd->name))
            return cmd->run(args);
    return UsageError(QStringLiteral("unknown command '%1'").arg(name));
}
