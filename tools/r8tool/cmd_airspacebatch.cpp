#include "airspaceargs.h"
#include "aspacelist.h"
#include "command.h"

#include <QTextStream>
#include <QTreeWidgetItem>
#include <memory>
#include <vector>

namespace {

const char kDescription[] = "The airspace upload sentences of OpenAir files, one body per line, as the airspace "
                            "dialog sends them with every airspace checked. Warnings go to stderr as FILE:LINE: message.";

int RunAirspaceBatch(const QStringList& args)
{
    const AirspaceArgs parsed = ParseAirspaceArgs("airspace-batch", kDescription, args);
    if (parsed.exitCode >= 0)
        return parsed.exitCode;
    std::vector<std::unique_ptr<QTreeWidgetItem>> files;
    QList<QTreeWidgetItem*> items;
    for (const QString& path : parsed.files) {
        files.emplace_back(new QTreeWidgetItem);
        QTreeWidgetItem* file = files.back().get();
        file->setText(0, path);
        file->setCheckState(0, Qt::Checked);
        if (!ReadAirspaceFile(file, path))
            return 1;
        items << file;
    }
    QTextStream out(stdout);
    SetUtf8(out);
    const QStringList batch = ASpaceList::BuildBatch(items);
    for (const QString& body : batch)
        out << body << '\n';
    return 0;
}

const ToolCommand command("airspace-batch",
                          "airspace-batch FILE...               the airspace upload bodies of OpenAir files, one per line",
                          RunAirspaceBatch);

} // namespace
