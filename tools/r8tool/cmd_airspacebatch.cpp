#include "airspace.h"
#include "aspacelist.h"
#include "command.h"

#include <QTextStream>
#include <QTreeWidgetItem>
#include <memory>
#include <vector>

namespace {

int RunAirspaceBatch(const QStringList& args)
{
    if (args.isEmpty())
        return UsageError(QStringLiteral("airspace-batch: name at least one OpenAir file"));
    std::vector<std::unique_ptr<QTreeWidgetItem>> files;
    QList<QTreeWidgetItem*> items;
    for (const QString& path : args) {
        files.emplace_back(new QTreeWidgetItem);
        QTreeWidgetItem* file = files.back().get();
        file->setText(0, path);
        file->setCheckState(0, Qt::Checked);
        AirSpace reader;
        reader.LoadFromFile(file, path);
        if (!reader.ErrorString().isEmpty())
            return Fail(QStringLiteral("cannot read %1: %2").arg(path, reader.ErrorString()));
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
