// r8tool render: one page of a layout file, or all sixteen and a contact
// sheet of their thumbnails, painted by the same page canvas as the designer.
#include "command.h"
#include "loadedlayout.h"
#include "pageimage.h"

namespace {

int RunRender(const QStringList& args)
{
    QString layout;
    QString out;
    int page = -1;
    bool all = false;
    float zoom = 2.0f;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
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
    if (all == (page >= 0))
        return UsageError(QStringLiteral("render: give either --page N (0 to 15) or --all"));
    if (page > 15)
        return UsageError(QStringLiteral("render: pages are numbered 0 to 15"));
    if (!(zoom >= PageImage::kMinZoom && zoom <= PageImage::kMaxZoom))
        return UsageError(QStringLiteral("render: --zoom must lie between %1 and %2")
                              .arg(double(PageImage::kMinZoom))
                              .arg(double(PageImage::kMaxZoom)));

    LoadCatalogue(1, 1); // field names for the title bars; a missing catalogue only leaves them empty
    LoadedLayout loaded(zoom);
    QString message;
    if (!loaded.Load(layout, &message))
        return Fail(message);
    const bool ok = all ? PageImage::SaveAll(loaded.Elements(), loaded.Pages(), zoom, out, &message)
                        : PageImage::SavePng(PageImage::Page(loaded.Elements(), page, zoom), out, &message);
    return ok ? 0 : Fail(message);
}

const ToolCommand command("render",
                          "render LAYOUT (--page N | --all) [--zoom Z] -o OUT   paint a page as the designer does "
                          "(--all: OUT is a folder for page00..15.png and contact-sheet.png)",
                          RunRender);

} // namespace
