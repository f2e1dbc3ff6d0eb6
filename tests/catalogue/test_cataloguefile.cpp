// The catalogue file beside the program, or a copy in the user's data folder
// when the program folder has none and cannot take one.
#include "cataloguefile.h"
#include "testsupport.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using TestEnv::ReadFile;
using TestEnv::WriteFile;

class TestCatalogueFile : public QObject
{
    Q_OBJECT
    QByteArray m_builtIn;
    QString m_userPath;

private slots:
    void initTestCase()
    {
        m_builtIn = ReadFile(QStringLiteral(":/R8strings.sqlite"));
        QVERIFY(m_builtIn.startsWith("SQLite format 3"));
        // The built-in copy is the catalogue the build made from the SQL.
        QCOMPARE(m_builtIn, ReadFile(TestEnv::BundleDir() + QLatin1String("/R8strings.sqlite")));
        m_userPath =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1String("/R8strings.sqlite");
    }
    void init() { QFile::remove(m_userPath); }
    void cleanupTestCase() { QFile::remove(m_userPath); }

    void writableFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R8strings.sqlite"));
        QCOMPARE(EnsureCatalogueFile(path), path);
        QCOMPARE(ReadFile(path), m_builtIn);
        // A file already there (downloaded earlier) is kept.
        QVERIFY(WriteFile(path, "downloaded earlier"));
        QCOMPARE(EnsureCatalogueFile(path), path);
        QCOMPARE(ReadFile(path), QByteArray("downloaded earlier"));
        QVERIFY(!QFileInfo::exists(m_userPath));
    }

    void fallsBackToUserData_data()
    {
        QTest::addColumn<bool>("missingFolder");
        QTest::newRow("missing folder") << true;
        QTest::newRow("folder that takes no files") << false;
    }
    void fallsBackToUserData()
    {
        QFETCH(bool, missingFolder);
        QTemporaryDir dir;
        // Permissions do not stop root; /proc takes no new files from anyone.
        QString folder = missingFolder ? dir.filePath(QStringLiteral("R8designer.app/Contents/MacOS"))
                                       : (::geteuid() == 0 ? QStringLiteral("/proc") : dir.path());
        if (folder == dir.path())
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const QString path = folder + QLatin1String("/R8strings.sqlite");
        QCOMPARE(EnsureCatalogueFile(path), m_userPath);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadFile(m_userPath), m_builtIn);
        // No bundle folder is made beside an installed executable.
        QVERIFY(!QFileInfo::exists(path));
        // A copy already there (perhaps downloaded since) is kept.
        QVERIFY(WriteFile(m_userPath, "newer"));
        QCOMPARE(EnsureCatalogueFile(path), m_userPath);
        QCOMPARE(ReadFile(m_userPath), QByteArray("newer"));
    }
};

QTEST_MAIN(TestCatalogueFile)
#include "test_cataloguefile.moc"
