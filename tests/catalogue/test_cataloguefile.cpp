#include "cataloguefile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestCatalogueFile : public QObject
{
    Q_OBJECT

    QByteArray m_builtIn;
    QString m_userPath;

private slots:
    void initTestCase()
    {
        m_builtIn = ReadAll(QStringLiteral(":/R8strings.sqlite"));
        QVERIFY(m_builtIn.startsWith("SQLite format 3"));
        // The built-in copy is the catalogue the build made from the SQL.
        QCOMPARE(m_builtIn, ReadAll(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite")));
        QVERIFY(QStandardPaths::isTestModeEnabled());
        m_userPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                     + QLatin1String("/R8strings.sqlite");
    }
    void init() { QFile::remove(m_userPath); }
    void cleanupTestCase() { QFile::remove(m_userPath); }

    void seedsWritableFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QCOMPARE(EnsureCatalogueFile(path), path);
        QCOMPARE(ReadAll(path), m_builtIn);
        QVERIFY(!QFileInfo::exists(m_userPath));
    }

    void keepsExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QVERIFY(WriteAll(path, "downloaded earlier"));
        QCOMPARE(EnsureCatalogueFile(path), path);
        QCOMPARE(ReadAll(path), QByteArray("downloaded earlier"));
    }

    void missingFolderFallsBackToUserData()
    {
        QTemporaryDir dir;
        const QString bundle = dir.filePath(QStringLiteral("R8designer.app/Contents/MacOS"));
        const QString path = bundle + QLatin1String("/R8strings.sqlite");
        QCOMPARE(EnsureCatalogueFile(path), m_userPath);
        QCOMPARE(ReadAll(m_userPath), m_builtIn);
        // No bundle folder is made beside an installed executable.
        QVERIFY(!QFileInfo::exists(bundle));

        // A copy already there (perhaps downloaded since) is kept.
        QVERIFY(WriteAll(m_userPath, "newer"));
        QCOMPARE(EnsureCatalogueFile(path), m_userPath);
        QCOMPARE(ReadAll(m_userPath), QByteArray("newer"));
    }

    void unwritableFolderFallsBackToUserData()
    {
        // Permissions do not stop root; /proc takes no new files from anyone.
        QTemporaryDir dir;
        QString folder = dir.path();
        if (::geteuid() == 0)
            folder = QStringLiteral("/proc");
        else
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const QString path = folder + QLatin1String("/R8strings.sqlite");
        const QString used = EnsureCatalogueFile(path);
        if (folder == dir.path())
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(used, m_userPath);
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(ReadAll(m_userPath), m_builtIn);
    }
};

QTEST_MAIN(TestCatalogueFile)
#include "test_cataloguefile.moc"
