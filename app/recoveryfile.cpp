#include "recoveryfile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace {

const char* const kPrefix = "recovery-";
const char* const kLayoutSuffix = ".zvl";
const char* const kNameSuffix = ".name"; // the layout's own file, UTF-8
const char* const kLockSuffix = ".lock";

bool WriteAtomically(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace

RecoveryFile::RecoveryFile(const QString& folder)
    : m_strFolder(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                         + QLatin1String("/recovery")
                                   : folder)
{
    m_strPath = m_strFolder + QLatin1Char('/') + QLatin1String(kPrefix)
                + QString::number(QCoreApplication::applicationPid()) + QLatin1String(kLayoutSuffix);
}

RecoveryFile::~RecoveryFile() = default;

bool RecoveryFile::Lock()
{
    if (m_pLock)
        return true;
    // Held for the whole run: it tells other designers this copy is alive.
    auto lock = std::make_unique<QLockFile>(m_strPath + QLatin1String(kLockSuffix));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_pLock = std::move(lock);
    return true;
}

bool RecoveryFile::Write(const QByteArray& layout, const QString& originalPath, QString* error)
{
    if (!QDir().mkpath(m_strFolder)) {
        if (error)
            *error = QCoreApplication::translate("RecoveryFile", "cannot make the folder %1").arg(m_strFolder);
        return false;
    }
    if (!Lock()) {
        if (error)
            *error = QCoreApplication::translate("RecoveryFile", "the recovery copy is locked");
        return false;
    }
    return WriteAtomically(m_strPath + QLatin1String(kNameSuffix), originalPath.toUtf8(), error)
           && WriteAtomically(m_strPath, layout, error);
}

void RecoveryFile::Remove()
{
    QFile::remove(m_strPath);
    QFile::remove(m_strPath + QLatin1String(kNameSuffix));
    if (m_pLock) {
        m_pLock->unlock();
        m_pLock.reset();
    }
}

QList<RecoveryFile::Stale> RecoveryFile::StaleFiles() const
{
    QList<Stale> stale;
    const QDir dir(m_strFolder);
    const QStringList names =
        dir.entryList({QLatin1String(kPrefix) + QLatin1Char('*') + QLatin1String(kLayoutSuffix)}, QDir::Files);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        if (path == m_strPath)
            continue;
        // A lock that can be taken belongs to no living designer.
        QLockFile lock(path + QLatin1String(kLockSuffix));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        QFile nameFile(path + QLatin1String(kNameSuffix));
        const QString original =
            nameFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(nameFile.readAll()) : QString();
        stale.append({path, original, QFileInfo(path).lastModified()});
    }
    std::sort(stale.begin(), stale.end(), [](const Stale& a, const Stale& b) { return a.written > b.written; });
    return stale;
}

void RecoveryFile::Discard(const Stale& stale)
{
    QFile::remove(stale.path);
    QFile::remove(stale.path + QLatin1String(kNameSuffix));
    QFile::remove(stale.path + QLatin1String(kLockSuffix));
}
