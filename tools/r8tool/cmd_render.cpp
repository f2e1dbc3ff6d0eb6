// r8tool render: one page of a layout file, or all sixteen and a contact
// sheet of their thumbnails, painted by the same page canvas as the designer.
#include "command.h"
#include "cmd_flight.h"
#include "flightpage.h"
#include "loadedlayout.h"
#include "pageimage.h"
#include "r8element.h"

#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <memory>

namespace {

// The page the replay shows at the chosen moment, as the preview paints it.
int RenderFlightPage(FlightOptions& flight, const QVector<PageProps>& pages, const QList<R8element*>& elements,
                     float zoom, const QString& out)
{
    std::unique_ptr<FlightTrack> track;
    QString error;
    if (!flight.Load(&track, &error))
        return Fail(error);
    const PageChoice choice = PageReplay::At(ReplayPagesOf(pages), track->Events(), flight.iTime);
    const int iFix = track->FixAt(flight.iTime);
    QImage image(int(R8_SCREEN_WIDTH * zoom) + 2, int(R8_SCREEN_HEIGHT * zoom) + 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(1, 1);
    PaintFlightPage(painter, elements, choice.iPage, zoom, FlightFieldText(*track, iFix, choice.iPage));
    painter.resetTransform();
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    painter.end();
    QTextStream(stdout) << IgcFile::TimeText(track->Fix(iFix).iTime) << " page " << choice.iPage << ": "
                        << ReplayReason(choice, track->Events()) << "\n";
    QString message;
    return PageImage::SavePng(image, out, &message) ? 0 : Fail(message);
}

int RunRender(const QStringList& args)
{
    FlightOptions flight;
    QString layout;
    QString out;
    int page = -1;
    bool all = false;
    float zoom = 2.0f;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        QString error;
        if (flight.TakeOption(args, &i, &error)) {
            if (!error.isEmpty())
                return UsageError(QStringLiteral("render: %1").arg(error));
            continue;
        }
        if (arg == QLatin1String("--page") && hasValue)
            page = args.at(++i).toInt(&ok);
        else if (arg == QLatin1String("--zoom") && hasValue)
            zoom = args.at(++i).toFloat(&ok);
        else if (arg == QLatin1String("-o") && hasValue)
            out = args.at(++i);
        else if (arg == QLatin1String("--all"))
            all = true;
        else if (!arg.startsWith(QLatin1Char('-')) && layout.isEmpty())
            layout = arg;
        else
            return UsageError(QStringLiteral("render: unexpected argument '%1'").arg(arg));
        if (!ok)
            return UsageError(QStringLiteral("render: %1 needs a number").arg(arg));
    }
    if (layout.isEmpty() || out.isEmpty())
        return UsageError(QStringLiteral("render: a layout file and -o are needed"));
    const bool bFlight = !flight.strIgc.isEmpty();
    if (bFlight && (all || page >= 0 || !flight.bAt))
        return UsageError(QStringLiteral("render: --igc takes --at HH:MM:SS and chooses the page itself"));
    if (!bFlight && (flight.bAt || !flight.strAirspace.isEmpty()))
        return UsageError(QStringLiteral("render: --at and --airspace go with --igc"));
    if (!bFlight && all == (page >= 0))
        return UsageError(QStringLiteral("render: give either --page N (0 to 15) or --all"));
    if (page > 15)
        return UsageError(QStringLiteral("render: pages are numbered 0 to 15"));
    if (!(zoom >= PageImage::kMinZoom && zoom <= PageImage::kMaxZoom))
        return UsageError(QStringLiteral("render: --zoom must lie between %1 and %2")
                              .arg(double(PageImage::kMinZoom))
                              .arg(double(PageImage::kMaxZoom)));

    // Field names for the title bars; a missing catalogue only leaves them empty.
    LoadCatalogue(flight.iLang, flight.iModel);
    LoadedLayout loaded(zoom);
    QString message;
    if (!loaded.Load(layout, &message))
        return Fail(message);
    if (bFlight)
        return RenderFlightPage(flight, loaded.Pages(), loaded.Elements(), zoom, out);
    const bool ok = all ? PageImage::SaveAll(loaded.Elements(), loaded.Pages(), zoom, out, &message)
                        : PageImage::SavePng(PageImage::Page(loaded.Elements(), page, zoom), out, &message);
    return ok ? 0 : Fail(message);
}

const ToolCommand command("render",
                          "render LAYOUT (--page N | --all | --igc FILE.igc --at HH:MM:SS [--airspace OPENAIR]) "
                          "[--zoom Z] -o OUT   paint a page as the designer does (--all: OUT is a folder for "
                          "page00..15.png and contact-sheet.png; --igc: the page the flight replay shows then, "
                          "with the flight's values)",
                          RunRender);

} // namespace
