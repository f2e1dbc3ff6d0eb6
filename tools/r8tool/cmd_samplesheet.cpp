// r8tool sample-sheet: every element type painted unselected, selected and as
// the reference, plus a value box for each data type, in one labelled PNG.
#include "command.h"
#include "appglobals.h"
#include "datafields.h"
#include "r8element.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <memory>
#include <vector>

namespace {

constexpr int s_iLabelWidth = 260;
constexpr int s_iMargin = 12;
constexpr int s_iHeaderHeight = 30;
constexpr float s_fMinZoom = 0.25f;
constexpr float s_fMaxZoom = 6.0f;

struct Row {
    QString label;
    std::unique_ptr<R8element> cells[3];
};

std::unique_ptr<R8element> MakeElement(int iType, float fZoom, int iField, int iState)
{
    auto el = std::make_unique<R8element>(nullptr, iType, 1);
    el->SetZoom(fZoom);
    el->RestorePages(1);
    if (iField)
        el->RestoreField(iField);
    el->ElementSelect(iState);
    return el;
}

Row MakeRow(const QString& label, int iType, float fZoom, int iField = 0)
{
    Row row;
    row.label = label;
    for (int state = 0; state < 3; ++state)
        row.cells[state] = MakeElement(iType, fZoom, iField, state);
    return row;
}

// One catalogue field of each sample-text data type; 0 stands for the rest.
std::vector<Row> DataTypeRows(float fZoom)
{
    std::vector<Row> rows;
    const int types[] = {1, 2, 3, 4, 7, 8, 0};
    for (int iType : types) {
        const _DataField* found = nullptr;
        for (const _DataField* f : g_DataFields.Fields()) {
            const bool bOther = f->DataType != 1 && f->DataType != 2 && f->DataType != 3 && f->DataType != 4
                                && f->DataType != 7 && f->DataType != 8;
            if (iType ? f->DataType == iType : bOther) {
                found = f;
                break;
            }
        }
        if (!found)
            continue;
        const QString label = QStringLiteral("value box, data type %1\n%2 (%3)")
                                  .arg(found->DataType)
                                  .arg(found->Name)
                                  .arg(found->BaseId);
        rows.push_back(MakeRow(label, R8_TYPE_DATAFIELD, fZoom, found->BaseId));
    }
    return rows;
}

int RunSampleSheet(const QStringList& args)
{
    QString strOut;
    float fZoom = 2.0f;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("-o") && i + 1 < args.size()) {
            strOut = args.at(++i);
        } else if (arg == QLatin1String("--zoom") && i + 1 < args.size()) {
            bool ok = false;
            fZoom = args.at(++i).toFloat(&ok);
            if (!ok || fZoom < s_fMinZoom || fZoom > s_fMaxZoom)
                return UsageError(QStringLiteral("sample-sheet: --zoom needs a number from %1 to %2")
                                      .arg(double(s_fMinZoom))
                                      .arg(double(s_fMaxZoom)));
        } else {
            return UsageError(QStringLiteral("sample-sheet: unknown or incomplete argument '%1'").arg(arg));
        }
    }
    if (strOut.isEmpty())
        return UsageError(QStringLiteral("sample-sheet: -o FILE.png is required"));
    if (!LoadCatalogue(1, 1))
        qWarning("sample-sheet: no catalogue, value boxes show no field names");

    std::vector<Row> rows;
    for (int iType : R8ElementTypes) {
        const QString label =
            QStringLiteral("%1\n0x%2").arg(R8element::TypeName(iType)).arg(iType, 4, 16, QLatin1Char('0'));
        rows.push_back(MakeRow(label, iType, fZoom, iType == R8_TYPE_DATAFIELD ? 33 : 0));
    }
    for (Row& row : DataTypeRows(fZoom))
        rows.push_back(std::move(row));

    int iCellWidth = 0;
    for (const Row& row : rows)
        iCellWidth = std::max(iCellWidth, int(row.cells[0]->MyPath().boundingRect().width()));
    iCellWidth += 2 * s_iMargin;
    std::vector<int> heights;
    int iTotal = s_iHeaderHeight;
    for (const Row& row : rows) {
        const int h = std::max(40, int(row.cells[0]->MyPath().boundingRect().height()) + 2 * s_iMargin);
        heights.push_back(h);
        iTotal += h;
    }

    QImage image(s_iLabelWidth + 3 * iCellWidth, iTotal, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    const char* const headers[3] = {"unselected", "selected", "reference"};
    for (int c = 0; c < 3; ++c)
        painter.drawText(QRect(s_iLabelWidth + c * iCellWidth, 0, iCellWidth, s_iHeaderHeight), Qt::AlignCenter,
                         QLatin1String(headers[c]));
    int y = s_iHeaderHeight;
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        painter.setPen(QColor(200, 200, 200));
        painter.drawLine(0, y, image.width(), y);
        painter.setPen(Qt::black);
        painter.setFont(QFont(QStringLiteral("Arial"), 9));
        painter.drawText(QRect(s_iMargin, y, s_iLabelWidth - s_iMargin, heights[r]),
                         Qt::AlignVCenter | Qt::AlignLeft, row.label);
        for (int c = 0; c < 3; ++c) {
            R8element* el = row.cells[c].get();
            el->SetGraphicPosition(QPoint(s_iLabelWidth + c * iCellWidth + s_iMargin, y + s_iMargin));
            el->PaintMe(painter, 1);
        }
        y += heights[r];
    }
    painter.end();

    QSaveFile file(strOut);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return Fail(QStringLiteral("sample-sheet: could not write %1").arg(strOut));
    return 0;
}

const ToolCommand command("sample-sheet",
                          "sample-sheet -o FILE.png [--zoom Z]   paint every element type into one PNG",
                          RunSampleSheet);

} // namespace
