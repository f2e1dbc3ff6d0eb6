#include "cataloguefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool WriteBuiltInCatalogue(const QString& path)
{
    QFile builtIn(QStringLiteral(":/R8strings.sqlite"));
    if (!builtIn.open(QIODevice::ReadOnly))
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(builtIn.readAll());
    return out.commit();
}

} // namespace

QString EnsureCatalogueFile(const QString& dbPath)
{
    if (QFileInfo::exists(dbPath))
        return dbPath;
    if (WriteBuiltInCatalogue(dbPath))
        return dbPath;
    const QString userPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             + QLatin1String("/R8strings.sqlite");
    if (QFileInfo::exists(userPath) || WriteBuiltInCatalogue(userPath))
        return userPath;
    return dbPath;
}
