// r8tool render: one page of a layout file, or all sixteen and a contact
// sheet of their thumbnails, painted by the same page canvas as the designer.
#include "command.h"
#include "cmd_flight.h"
#include "flightpage.h"
#include "elementhost.h"
#include "layoutfile.h"
#include "r8element.h"
#include "screenlayout.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>
#include <memory>

namespace {

constexpr float kMinZoom = 0.25f;
constexpr float kMaxZoom = 6.0f;
constexpr int kThumbWidth = 48;  // as in the designer's page strip
constexpr int kThumbHeight = 64;

// Holds the elements read from the file for the canvases.
class FileHost : public ElementHost
{
public:
    FileHost() { g_pElementHost = this; }
    ~FileHost() override
    {
        g_pElementHost = nullptr;
        qDeleteAll(m_Elements);
    }
    const QList<R8element*>& Elements() const override { return m_Elements; }
    void UnselectAllElements() override {}
    void UpdateLayouts(unsigned int) override {}
    R8element* Add(int iType, float fZoom)
    {
        auto* el = new R8element(nullptr, iType, 1);
        el->SetZoom(fZoom);
        el->SetScreenElementIndex(m_Elements.size());
        m_Elements.append(el);
        return el;
    }

private:
    QList<R8element*> m_Elements;
};

QImage RenderPage(int iPage, float fZoom)
{
    ScreenLayout canvas(nullptr, iPage);
    canvas.SetZoom(fZoom);
    canvas.setAttribute(Qt::WA_DontShowOnScreen);
    canvas.resize(int(240 * fZoom + 2), int(320 * fZoom + 2));
    return canvas.grab().toImage();
}

bool SavePng(const QImage& image, const QString& path)
{
    if (image.save(path, "PNG"))
        return true;
    QTextStream(stderr) << "r8tool: cannot write " << path << "\n";
    return false;
}

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
    return SavePng(image, out) ? 0 : 1;
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
    if (!(zoom >= kMinZoom && zoom <= kMaxZoom))
        return UsageError(QStringLiteral("render: --zoom must lie between %1 and %2").arg(kMinZoom).arg(kMaxZoom));

    // Field names for the title bars; a missing catalogue only leaves them empty.
    LoadCatalogue(flight.iLang, flight.iModel);
    FileHost host;
    QVector<PageProps> pages(R8_PAGE_COUNT);
    QString message;
    if (!LayoutFile::Load(layout, pages, [&host, zoom](int type) { return host.Add(type, zoom); }, &message))
        return Fail(message);

    if (bFlight)
        return RenderFlightPage(flight, pages, host.Elements(), zoom, out);
    if (!all)
        return SavePng(RenderPage(page, zoom), out) ? 0 : 1;

    if (!QDir().mkpath(out))
        return Fail(QStringLiteral("cannot create the folder %1").arg(out));
    QImage sheet(4 * (kThumbWidth + 8) + 8, 4 * (kThumbHeight + 22) + 8, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (int i = 0; i < R8_PAGE_COUNT; ++i) {
        const QImage image = RenderPage(i, zoom);
        if (!SavePng(image, QDir(out).filePath(QStringLiteral("page%1.png").arg(i, 2, 10, QLatin1Char('0')))))
            return 1;
        const QRect cell(8 + (i % 4) * (kThumbWidth + 8), 8 + (i / 4) * (kThumbHeight + 22), kThumbWidth,
                         kThumbHeight);
        painter.drawImage(cell, image.scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        if (pages[i].Disabled)
            painter.fillRect(cell, QColor(160, 160, 160, 150));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        const QString label = pages[i].Name.isEmpty() ? QString::number(i) : pages[i].Name;
        painter.drawText(QRect(cell.left() - 4, cell.bottom() + 2, kThumbWidth + 8, 16), Qt::AlignCenter,
                         painter.fontMetrics().elidedText(label, Qt::ElideRight, kThumbWidth + 8));
    }
    painter.end();
    return SavePng(sheet, QDir(out).filePath(QStringLiteral("contact-sheet.png"))) ? 0 : 1;
}

const ToolCommand command("render",
                          "render LAYOUT (--page N | --all | --igc FILE.igc --at HH:MM:SS [--airspace OPENAIR]) "
                          "[--zoom Z] -o OUT   paint a page as the designer does (--all: OUT is a folder for "
                          "page00..15.png and contact-sheet.png; --igc: the page the flight replay shows then, "
                          "with the flight's values)",
                          RunRender);

} // namespace
