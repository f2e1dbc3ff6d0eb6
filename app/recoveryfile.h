#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLockFile>
#include <QString>
#include <memory>

// The recovery copy of a modified layout, so that a crash or a kill loses
// at most a few seconds of work. Each running designer writes its own copy
// (named after its process, guarded by a lock file) into the per-user data
// folder; a copy whose lock no living designer holds is a stale one, left
// by a run that ended without removing it.
class RecoveryFile
{
public:
    // One copy left by an earlier run.
    struct Stale {
        QString path;         // the copy itself
        QString originalPath; // the layout's own file, empty if it had none
        QDateTime written;
    };

    // folder empty: "recovery" in the per-user data folder.
    explicit RecoveryFile(const QString& folder = QString());
    ~RecoveryFile();

    // Writes the layout (atomically, copy and name together). False with
    // the reason in *error when it could not be written.
    bool Write(const QByteArray& layout, const QString& originalPath, QString* error = nullptr);
    // Removes this run's copy (after a save, a New or Open, a normal exit).
    void Remove();
    QString Path() const { return m_strPath; }
    QString Folder() const { return m_strFolder; }

    // The copies of runs that are gone, newest first. A copy being written
    // by another running designer is not among them.
    QList<Stale> StaleFiles() const;
    // Removes a stale copy with its name and lock files.
    static void Discard(const Stale& stale);

private:
    bool Lock();

    QString m_strFolder;
    QString m_strPath;
    std::unique_ptr<QLockFile> m_pLock;
};
