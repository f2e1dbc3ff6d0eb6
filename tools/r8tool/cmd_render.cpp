// r8tool render: one page of a layout file, or all sixteen and a contact
// sheet of their thumbnails, painted by the same page canvas as the designer.
#include "command.h"
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
    if (!(zoom >= kMinZoom && zoom <= kMaxZoom))
        return UsageError(QStringLiteral("render: --zoom must lie between %1 and %2").arg(kMinZoom).arg(kMaxZoom));

    LoadCatalogue(1, 1); // field names for the title bars; a missing catalogue only leaves them empty
    FileHost host;
    QVector<PageProps> pages(R8_PAGE_COUNT);
    QString message;
    if (!LayoutFile::Load(layout, pages, [&host, zoom](int type) { return host.Add(type, zoom); }, &message))
        return Fail(message);

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
                          "render LAYOUT (--page N | --all) [--zoom Z] -o OUT   paint a page as the designer does "
                          "(--all: OUT is a folder for page00..15.png and contact-sheet.png)",
                          RunRender);

} // namespace
