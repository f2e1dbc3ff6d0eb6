#include "pageimage.h"
#include "r8element.h"
#include "screenlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QSaveFile>

namespace PageImage {

namespace {

constexpr int kThumbWidth = 48; // as in the designer's page strip
constexpr int kThumbHeight = 64;
constexpr int kDotsPerMeter = 3780; // 96 dots per inch

} // namespace

QImage Page(const QList<R8element*>& elements, int iPage, float fZoom)
{
    QImage image(int(R8_SCREEN_WIDTH * fZoom + 2), int(R8_SCREEN_HEIGHT * fZoom + 2), QImage::Format_ARGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    ScreenLayout::PaintPage(painter, elements, iPage, fZoom);
    return image;
}

QImage ContactSheet(const QVector<QImage>& pages, const QVector<PageProps>& props)
{
    QImage sheet(4 * (kThumbWidth + 8) + 8, 4 * (kThumbHeight + 22) + 8, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(kDotsPerMeter);
    sheet.setDotsPerMeterY(kDotsPerMeter);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (int i = 0; i < pages.size() && i < R8_PAGE_COUNT; ++i) {
        const PageProps page = i < props.size() ? props.at(i) : PageProps();
        const QRect cell(8 + (i % 4) * (kThumbWidth + 8), 8 + (i / 4) * (kThumbHeight + 22), kThumbWidth,
                         kThumbHeight);
        painter.drawImage(cell, pages.at(i).scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        if (page.Disabled)
            painter.fillRect(cell, QColor(160, 160, 160, 150));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        const QString label = page.Name.isEmpty() ? QString::number(i) : page.Name;
        painter.drawText(QRect(cell.left() - 4, cell.bottom() + 2, kThumbWidth + 8, 16), Qt::AlignCenter,
                         painter.fontMetrics().elidedText(label, Qt::ElideRight, kThumbWidth + 8));
    }
    return sheet;
}

bool SavePng(const QImage& image, const QString& path, QString* message)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit())
        return true;
    if (message)
        *message = QCoreApplication::translate("PageImage", "Cannot write %1: %2")
                       .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

QString PageFileName(int iPage)
{
    return QStringLiteral("page%1.png").arg(iPage, 2, 10, QLatin1Char('0'));
}

QString ContactSheetFileName()
{
    return QStringLiteral("contact-sheet.png");
}

bool SaveAll(const QList<R8element*>& elements, const QVector<PageProps>& props, float fZoom, const QString& folder,
             QString* message)
{
    if (!QDir().mkpath(folder)) {
        if (message)
            *message = QCoreApplication::translate("PageImage", "Cannot create the folder %1")
                           .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QDir dir(folder);
    QVector<QImage> pages;
    for (int i = 0; i < R8_PAGE_COUNT; ++i) {
        pages.append(Page(elements, i, fZoom));
        if (!SavePng(pages.last(), dir.filePath(PageFileName(i)), message))
            return false;
    }
    return SavePng(ContactSheet(pages, props), dir.filePath(ContactSheetFileName()), message);
}

} // namespace PageImage
