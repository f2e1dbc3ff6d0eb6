#include "airspaceargs.h"
#include "airspace.h"
#include "command.h"

#include <QCommandLineParser>
#include <QTextStream>

AirspaceArgs ParseAirspaceArgs(const char* name, const char* description, const QStringList& args)
{
    AirspaceArgs parsed;
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("OpenAir files, read in order."),
                                 QStringLiteral("FILE..."));
    const QString command = QLatin1String("r8tool ") + QLatin1String(name);
    if (!parser.parse(QStringList{command} + args)) {
        parsed.exitCode = UsageError(QStringLiteral("%1: %2").arg(QLatin1String(name), parser.errorText()));
        return parsed;
    }
    if (parser.isSet(help)) {
        // The parser names the program as started; the subcommand belongs there too.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1String(" [options]")), QLatin1String("Usage: ") + command);
        QTextStream(stdout) << text;
        parsed.exitCode = 0;
        return parsed;
    }
    parsed.files = parser.positionalArguments();
    if (parsed.files.isEmpty())
        parsed.exitCode = UsageError(QStringLiteral("%1: name at least one OpenAir file").arg(QLatin1String(name)));
    return parsed;
}

bool ReadAirspaceFile(QTreeWidgetItem* pFile, const QString& strPath)
{
    AirSpace reader;
    reader.LoadFromFile(pFile, strPath);
    if (!reader.ErrorString().isEmpty()) {
        Fail(QStringLiteral("cannot read %1: %2").arg(strPath, reader.ErrorString()));
        return false;
    }
    QTextStream err(stderr);
    err.setCodec("UTF-8");
    for (const AirWarning& w : reader.Warnings())
        err << strPath << ':' << w.line << ": " << w.message << '\n';
    return true;
}
