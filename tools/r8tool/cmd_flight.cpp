// r8tool flight: a recorded flight's summary and events, or every mapped
// field's value at one moment, as the replay shows them.
#include "cmd_flight.h"
#include "appglobals.h"
#include "command.h"
#include "datafields.h"
#include "flightairspaceload.h"
#include "flightfields.h"
#include "flightpage.h"
#include "flighttrack.h"

#include <QTextStream>
#include <cmath>

namespace {

QString Duration(double dSeconds)
{
    return FieldValueText(7, dSeconds);
}

void PrintSummary(QTextStream& out, const FlightTrack& track)
{
    const IgcLog& log = track.Log();
    out << "date        " << (log.date.isValid() ? log.date.toString(Qt::ISODate) : QStringLiteral("unknown"))
        << "\n";
    out << "fixes       " << track.FixCount() << " from " << IgcFile::TimeText(track.StartTime()) << " to "
        << IgcFile::TimeText(track.EndTime()) << " UTC\n";
    if (log.iUtcOffset != 0)
        out << "time zone   UTC" << (log.iUtcOffset > 0 ? "+" : "-")
            << FieldValueText(7, std::abs(log.iUtcOffset)).left(5)
            << " (the Time and Date fields; other times are UTC)\n";
    out << "altimeter   " << (log.bHasPressure ? "pressure" : "GNSS (no pressure altitude in the log)") << "\n";
    out << "flights     " << track.Legs().size() << "\n";
    for (int i = 0; i < track.Legs().size(); ++i) {
        const FlightLeg& leg = track.Legs().at(i);
        const int iEnd = leg.iLandingFix >= 0 ? leg.iLandingFix : track.FixCount() - 1;
        out << "  flight " << i + 1 << "  take-off " << IgcFile::TimeText(track.Fix(leg.iTakeoffFix).iTime) << "  "
            << (leg.iLandingFix >= 0 ? "landing " : "log ends ") << IgcFile::TimeText(track.Fix(iEnd).iTime)
            << "  duration " << Duration(track.Value(iEnd, FlightQuantity::FlightTime)) << "  max altitude "
            << FieldValueText(1, track.Value(iEnd, FlightQuantity::MaxAltitude)) << " m  max climb "
            << FieldValueText(3, track.Value(iEnd, FlightQuantity::MaxClimb)) << " m/s  max sink "
            << FieldValueText(3, track.Value(iEnd, FlightQuantity::MaxSink)) << " m/s  max speed "
            << FieldValueText(2, track.Value(iEnd, FlightQuantity::MaxSpeed)) << " km/h\n";
    }
    out << "events\n";
    for (const FlightEvent& e : track.Events()) {
        out << "  " << IgcFile::TimeText(e.iTime) << "  " << FlightEvent::KindText(e.kind);
        if (!e.strDetail.isEmpty())
            out << "  " << e.strDetail;
        out << "\n";
    }
}

int RunFlight(const QStringList& args)
{
    FlightOptions options;
    QString error;
    for (int i = 0; i < args.size(); ++i) {
        if (options.TakeOption(args, &i, &error)) {
            if (!error.isEmpty())
                return UsageError(QStringLiteral("flight: %1").arg(error));
        } else if (!args.at(i).startsWith(QLatin1Char('-')) && options.strIgc.isEmpty()) {
            options.strIgc = args.at(i);
        } else {
            return UsageError(QStringLiteral("flight: unexpected argument '%1'").arg(args.at(i)));
        }
    }
    if (options.strIgc.isEmpty())
        return UsageError(QStringLiteral("flight: an IGC file is needed"));
    std::unique_ptr<FlightTrack> track;
    if (!options.Load(&track, &error))
        return Fail(error);
    QTextStream out(stdout);
    if (!options.bAt) {
        PrintSummary(out, *track);
        return 0;
    }
    if (!LoadCatalogue(options.iLang, options.iModel))
        return Fail(QStringLiteral("no field catalogue for model %1").arg(options.iModel));
    const int iFix = track->FixAt(options.iTime);
    out << "at " << IgcFile::TimeText(track->Fix(iFix).iTime) << " UTC (fix " << iFix + 1 << " of "
        << track->FixCount() << ")\n";
    const FlightFieldText values(*track, iFix, 0);
    for (_DataField* field : g_DataFields.Fields()) {
        if (!FlightFields::IsMapped(*track, field->BaseId))
            continue;
        out << QStringLiteral("%1 %2").arg(field->Name, -18).arg(values.FieldText(field->BaseId, field->DataType))
            << "\n";
    }
    return 0;
}

const ToolCommand command("flight",
                          "flight FILE.igc [--at HH:MM:SS] [--airspace OPENAIR] [--model N] [--lang N]   a flight's "
                          "summary and events, or every mapped field's value at a time (UTC)",
                          RunFlight);

} // namespace

bool FlightOptions::TakeOption(const QStringList& args, int* i, QString* pError)
{
    const QString& arg = args.at(*i);
    static const QStringList names{"--igc", "--at", "--airspace", "--model", "--lang"};
    if (!names.contains(arg))
        return false;
    if (*i + 1 >= args.size()) {
        *pError = QStringLiteral("%1 needs a value").arg(arg);
        return true;
    }
    const QString& value = args.at(++*i);
    bool ok = true;
    if (arg == QLatin1String("--igc")) {
        strIgc = value;
    } else if (arg == QLatin1String("--at")) {
        iTimeOfDay = IgcFile::ParseTime(value);
        ok = iTimeOfDay >= 0;
        bAt = true;
    } else if (arg == QLatin1String("--airspace")) {
        strAirspace = value;
    } else {
        (arg == QLatin1String("--model") ? iModel : iLang) = value.toInt(&ok);
        ok = ok && (arg == QLatin1String("--model") ? iModel : iLang) >= 1;
    }
    if (!ok)
        *pError =
            QStringLiteral("%1 needs %2, not '%3'")
                .arg(arg, arg == QLatin1String("--at") ? QStringLiteral("HH:MM:SS") : QStringLiteral("a number"),
                     value);
    return true;
}

bool FlightOptions::Load(std::unique_ptr<FlightTrack>* pTrack, QString* pError)
{
    IgcLog log;
    if (!IgcFile::ReadFile(strIgc, &log, pError))
        return false;
    QTextStream err(stderr);
    for (const QString& warning : qAsConst(log.warnings))
        err << strIgc << ": " << warning << "\n";
    FlightAirspaces airspaces;
    if (!strAirspace.isEmpty() && !LoadFlightAirspaces(strAirspace, &airspaces, pError))
        return false;
    *pTrack = std::make_unique<FlightTrack>(log, &airspaces);
    if (bAt)
        iTime = (*pTrack)->FromTimeOfDay(iTimeOfDay);
    return true;
}
