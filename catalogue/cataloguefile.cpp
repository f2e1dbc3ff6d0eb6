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
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = builtIn.readAll();
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}

} // namespace

QString EnsureCatalogueFile(const QString& dbPath)
{
    if (QFileInfo::exists(dbPath))
        return dbPath;
    // Only into a program folder that exists: an executable installed
    // without its bundle must not grow one beside it.
    if (QFileInfo(QFileInfo(dbPath).absolutePath()).isDir() && WriteBuiltInCatalogue(dbPath))
        return dbPath;
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString userPath = userDir + QLatin1String("/R8strings.sqlite"); // not const: returned by move
    if (QFileInfo::exists(userPath))
        return userPath;
    if (QDir().mkpath(userDir) && WriteBuiltInCatalogue(userPath))
        return userPath;
    return dbPath;
}
