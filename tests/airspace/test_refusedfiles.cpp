// Files the reader cannot use are refused with a message naming them, a
// UTF-16 file reads as its UTF-8 original, and r8tool explains itself.
#include "airspace.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QtTest>

namespace {

using TestEnv::RunR8Tool;
using TestEnv::ToolRun;

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return f.fileName();
}

QByteArray Utf16(const QString& text, bool bLittle)
{
    QByteArray out(bLittle ? "\xFF\xFE" : "\xFE\xFF", 2);
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bLittle ? lo : hi).append(bLittle ? hi : lo);
    }
    return out;
}

} // namespace

class TestRefusedFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void refused_data();
    void refused();
    void utf16ReadsAsTheOriginal_data();
    void utf16ReadsAsTheOriginal();
    void helpAndWarningsOfTheTool();

private:
    QTemporaryDir dir;
};

void TestRefusedFiles::refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("why");
    QTest::newRow("device") << QStringLiteral("/dev/zero") << "not a regular file";
    QTest::newRow("directory") << dir.path() << "";
    QFile sparse(dir.filePath(QStringLiteral("sparse.txt")));
    if (sparse.open(QIODevice::WriteOnly))
        sparse.resize(300LL * 1024 * 1024);
    QTest::newRow("300 MB") << sparse.fileName() << "over 256 MB";
    QTest::newRow("binary") << Write(dir, QStringLiteral("bin.txt"), QByteArray("AC R\nAN X\0\1\2", 12))
                            << "not a text file";
}

void TestRefusedFiles::refused()
{
    QFETCH(QString, path);
    QFETCH(QString, why);
    QTreeWidgetItem file;
    AirSpace reader;
    QCOMPARE(reader.LoadFromFile(&file, path), 0);
    QVERIFY(reader.ErrorString().contains(why));
    QVERIFY(!reader.ErrorString().isEmpty());
    QCOMPARE(file.childCount(), 0);
    const ToolRun r = RunR8Tool({QStringLiteral("airspace-summary"), path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("cannot read %1: ").arg(path)), qPrintable(r.err));
}

void TestRefusedFiles::utf16ReadsAsTheOriginal_data()
{
    QTest::addColumn<bool>("littleEndian");
    QTest::newRow("UTF-16LE") << true;
    QTest::newRow("UTF-16BE") << false;
}

void TestRefusedFiles::utf16ReadsAsTheOriginal()
{
    QFETCH(bool, littleEndian);
    const QString original = TestEnv::OpenAirDir() + QStringLiteral("/fr_ffvp_2026.txt");
    QFile f(original);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString copy =
        Write(dir, QStringLiteral("utf16.txt"), Utf16(QString::fromUtf8(f.readAll()), littleEndian));
    const ToolRun a = RunR8Tool({QStringLiteral("airspace-batch"), original});
    const ToolRun b = RunR8Tool({QStringLiteral("airspace-batch"), copy});
    QCOMPARE(a.code, 0);
    QCOMPARE(b.code, 0);
    QVERIFY(a.out.count('\n') > 10000);
    QVERIFY(a.out == b.out);
}

void TestRefusedFiles::helpAndWarningsOfTheTool()
{
    for (const char* command : {"airspace-summary", "airspace-batch"}) {
        const ToolRun r = RunR8Tool({QLatin1String(command), QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QLatin1String("Usage: r8tool ") + QLatin1String(command)));
        QVERIFY(!r.err.contains(QLatin1String("r8tool:")));
    }
    const QString path = Write(dir, QStringLiteral("w.txt"), "AN Early\nAC R\nAN Late\nAH NOTAM\nDP 1 N 2 E\n");
    const ToolRun r = RunR8Tool({QStringLiteral("airspace-batch"), path});
    QCOMPARE(r.code, 0);
    const QStringList lines =
        r.err.split(QLatin1Char('\n'))
            .filter(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(path)));
    QCOMPARE(lines.size(), 2);
    // Nothing else on stderr but the platform's own notes.
    for (const QString& line : r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        QVERIFY2(line.startsWith(path) || line.startsWith(QLatin1String("QStandardPaths")), qPrintable(line));
    QVERIFY(lines.at(0).startsWith(path + QStringLiteral(":1: AN ")));
    QVERIFY(lines.at(1).startsWith(path + QStringLiteral(":4: ")));
    QVERIFY(r.out.startsWith("PZVCTR,\nPZVCTD,0,0,0,"));
}

QTEST_MAIN(TestRefusedFiles)
#include "test_refusedfiles.moc"
