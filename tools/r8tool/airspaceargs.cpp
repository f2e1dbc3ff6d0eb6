#include "airspaceargs.h"
#include "command.h"

#include <QCommandLineParser>
#include <QTextStream>

AirspaceArgs ParseAirspaceArgs(const char* name, const char* description, const QStringList& args, bool bWithOutput)
{
    AirspaceArgs parsed;
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption near(QStringLiteral("near"),
                                  QStringLiteral("Only airspaces within --radius of this place (\"45.5,6.25\" or "
                                                 "\"45:30:00 N 006:15:00 E\")."),
                                  QStringLiteral("LAT,LON"));
    const QCommandLineOption radius(QStringLiteral("radius"), QStringLiteral("Radius around --near, km (100)."),
                                    QStringLiteral("KM"), QStringLiteral("100"));
    const QCommandLineOption classes(QStringLiteral("class"),
                                     QStringLiteral("Only these classes, as written after AC (\"R,Q,P,CTR\")."),
                                     QStringLiteral("LIST"));
    const QCommandLineOption floor(QStringLiteral("floor-below"),
                                   QStringLiteral("Only airspaces whose floor is at or below this height, metres."),
                                   QStringLiteral("METRES"));
    const QCommandLineOption fit(QStringLiteral("fit"),
                                 QStringLiteral("Of those, the nearest first, as many as the instrument holds."));
    const QCommandLineOption output(QStringLiteral("o"), QStringLiteral("The image to write (PNG)."),
                                    QStringLiteral("MAP.png"));
    parser.addOptions({help, near, radius, classes, floor, fit});
    if (bWithOutput)
        parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("OpenAir files, read in order."),
                                 QStringLiteral("FILE..."));
    const QString command = QLatin1String("r8tool ") + QLatin1String(name);
    auto usage = [&parsed, name](const QString& why) {
        parsed.exitCode = UsageError(QStringLiteral("%1: %2").arg(QLatin1String(name), why));
        return parsed;
    };
    if (!parser.parse(QStringList{command} + args))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        // The parser names the program as started; the subcommand belongs there too.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1String(" [options]")), QLatin1String("Usage: ") + command);
        QTextStream(stdout) << text;
        parsed.exitCode = 0;
        return parsed;
    }
    AirspaceFilter& f = parsed.filter;
    if (parser.isSet(near) && !ParsePlace(parser.value(near), &f.place))
        return usage(QStringLiteral("--near wants a latitude and longitude, not '%1'").arg(parser.value(near)));
    f.bNear = parser.isSet(near);
    bool ok = true;
    f.radiusKm = parser.value(radius).toDouble(&ok);
    if (!ok || f.radiusKm <= 0)
        return usage(QStringLiteral("--radius wants kilometres, not '%1'").arg(parser.value(radius)));
    if (parser.isSet(classes))
        f.classes = parser.value(classes).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parser.isSet(floor)) {
        f.bFloorBelow = true;
        f.floorBelowMetres = parser.value(floor).toFloat(&ok);
        if (!ok)
            return usage(QStringLiteral("--floor-below wants metres, not '%1'").arg(parser.value(floor)));
    }
    parsed.bFit = parser.isSet(fit);
    parsed.bChoose = parsed.bFit || !f.IsEmpty();
    if (bWithOutput) {
        parsed.output = parser.value(output);
        if (parsed.output.isEmpty())
            return usage(QStringLiteral("name the image with -o"));
    }
    parsed.files = parser.positionalArguments();
    if (parsed.files.isEmpty())
        return usage(QStringLiteral("name at least one OpenAir file"));
    return parsed;
}

bool LoadAirspaces(const AirspaceArgs& args, AirspaceStore* pStore)
{
    QTextStream err(stderr);
    SetUtf8(err);
    for (const QString& path : args.files) {
        const AirFile& file = pStore->File(pStore->LoadFile(path));
        if (!file.error.isEmpty()) {
            Fail(QStringLiteral("cannot read %1: %2").arg(path, file.error));
            return false;
        }
        for (const AirWarning& w : file.warnings)
            err << path << ':' << w.line << ": " << w.message << '\n';
    }
    if (args.bFit) {
        FillToFit(*pStore, args.filter);
    } else if (args.bChoose) {
        pStore->SetAllChecked(false);
        const QVector<int> matching = MatchingAirspaces(*pStore, args.filter);
        for (const int a : matching)
            pStore->SetAirspaceChecked(a, true);
    }
    return true;
}
