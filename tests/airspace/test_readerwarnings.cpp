// What the reader does with values it cannot use as written: altitude
// units, impossible positions and sizes, and the warnings it keeps per file.
#include "airspace.h"
#include "aspacelist.h"
#include "testsupport.h"

#include <QTreeWidgetItem>
#include <QtTest>
#include <cmath>
#include <cstring>

class TestReaderWarnings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void altitudeUnits_data();
    void altitudeUnits();
    void warningsOfACraftedFile_data();
    void warningsOfACraftedFile();
    void whatIsKept();
    void namesWithoutLatin1Form_data();
    void namesWithoutLatin1Form();
    void polishNamesSentWithoutQuestionMarks();
};

void TestReaderWarnings::altitudeUnits_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("metres");
    const double ft = 0.3048;
    struct Row {
        const char* text;
        bool readable;
        double metres;
    } rows[] = {
        {"2480m AMSL", true, 2480},
        {"2480 M MSL", true, 2480},
        {"2480M AGL", true, 2480},
        {"2480 m agl", true, 2480},
        {"4500M AMSL", true, 4500},
        {"2000m", true, 2000},
        {"1000M par REGIS FOURET **", true, 1000},
        {"1500ft", true, 1500 * ft},
        {"1500 FT AMSL", true, 1500 * ft},
        {"1500F", true, 1500 * ft},
        {"1500 f msl", true, 1500 * ft},
        {"2500F MSL", true, 2500 * ft},
        {"1500Ft", true, 1500 * ft},
        {"1500", true, 1500 * ft},
        {"1500 MSL", true, 1500 * ft},
        {"1500msl", true, 1500 * ft},
        {"2500AMSL FT", true, 2500 * ft},
        {"5500ALT", true, 5500 * ft},
        {"3500fl msl", true, 3500 * ft},
        {"FL95", true, 2895.6},
        {"fl 65", true, 1981.2},
        {"FL65 MSL", true, 1981.2},
        {"SFC", true, 0},
        {"GND", true, 0},
        {"0 AGL", true, 0},
        {"UNL", true, 65535},
        {"unlimited", true, 65535},
        {"NOTAM", false, 0},
        {"Floor", false, 0},
        {"FL", false, 0},
        {"", false, 0},
        {"BCTA FT", false, 0},
        {"1e999", false, 0},
        {"1e300 M", false, 0},
    };
    for (const Row& r : rows)
        QTest::newRow(r.text[0] ? r.text : "(empty)") << QByteArray(r.text) << r.readable << r.metres;
}

void TestReaderWarnings::altitudeUnits()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, readable);
    QFETCH(double, metres);
    char buf[64];
    qstrncpy(buf, text.constData(), sizeof buf);
    float got = -1.0f;
    QCOMPARE(ReadAltitude(buf, &got), readable);
    QVERIFY2(std::abs(got - metres) < 1e-2, qPrintable(QString::number(got)));
}

namespace {

// Each line says what the reader should make of it.
const char kCrafted[] = "* crafted: one of each warning\n" // 1
                        "AN Orphan\n"                      // 2 before any AC
                        "AC R\n"                           // 3
                        "AN Alpha\n"                       // 4
                        "AL 2480m AMSL\n"                  // 5 metres
                        "AH NOTAM\n"                       // 6 unreadable altitude
                        "DP 45:00:00 n 006:00:00 e\n"      // 7 lower case, kept
                        "DP 45:00:00 X 006:00:00 Y\n"      // 8 unreadable position
                        "DP 450:00:00 N 006:00:00 E\n"     // 9 off the globe
                        "DC 5\n"                           // 10 no centre
                        "DP 45:10:00 N 006:10:00 E\n"      // 11 kept
                        "AN Beta\n"                        // 12 second AN: new airspace
                        "V X=45:00:00 N 006:00:00 E\n"     // 13
                        "DC 2\n"                           // 14 kept in Beta
                        "V X=45:00:00 Q 006:00:00 E\n"     // 15 malformed centre
                        "DC 3\n"                           // 16 no centre: the old one is not used
                        "AC Q\n"                           // 17 style-only block
                        "SP 0,2,127,0,127\n"               // 18
                        "AC P\n"                           // 19
                        "AN Gamma\n"                       // 20
                        "V X=46:00:00 N 007:00:00 E\n"     // 21
                        "DC -2\n"                          // 22 negative radius
                        "DA 1e39,0,90\n"                   // 23 infinite radius
                        "DP 1e308:1e308 N 6 E\n"           // 24 infinite latitude
                        "DP 46 N 181 E\n"                  // 25 longitude beyond 180
                        "DP 46 N 7 E\n"                    // 26 kept
                        "AC R\n"                           // 27 named, no shapes
                        "AN Delta\n";                      // 28

struct Read {
    QTreeWidgetItem file;
    QVector<AirWarning> warnings;
    int total = 0;
};

void ReadCrafted(Read& r)
{
    AirSpace reader;
    r.total = reader.LoadFromData(&r.file, QByteArray(kCrafted));
    r.warnings = reader.Warnings();
}

} // namespace

void TestReaderWarnings::warningsOfACraftedFile_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("words");
    QTest::newRow("AN before AC") << 2 << "AN before any AC";
    QTest::newRow("altitude") << 6 << "NOTAM";
    QTest::newRow("lower case") << 7 << "lower-case";
    QTest::newRow("unreadable position") << 8 << "cannot read the position";
    QTest::newRow("off the globe") << 9 << "off the globe";
    QTest::newRow("no centre") << 10 << "DC needs a centre";
    QTest::newRow("second AN") << 12 << "new airspace";
    QTest::newRow("malformed centre") << 15 << "V X=";
    QTest::newRow("centre cleared") << 16 << "DC needs a centre";
    QTest::newRow("style block") << 17 << "style block";
    QTest::newRow("negative radius") << 22 << "radius";
    QTest::newRow("infinite radius") << 23 << "DA";
    QTest::newRow("infinite latitude") << 24 << "off the globe";
    QTest::newRow("longitude") << 25 << "off the globe";
    QTest::newRow("no shapes") << 27 << "Delta";
}

void TestReaderWarnings::warningsOfACraftedFile()
{
    QFETCH(int, line);
    QFETCH(QString, words);
    Read r;
    ReadCrafted(r);
    QCOMPARE(r.warnings.size(), 15);
    int found = 0;
    for (const AirWarning& w : r.warnings)
        found += w.line == line && w.message.contains(words);
    QCOMPARE(found, 1);
}

void TestReaderWarnings::whatIsKept()
{
    Read r;
    ReadCrafted(r);
    QStringList names;
    for (int i = 0; i < r.file.childCount(); ++i)
        names << r.file.child(i)->text(0);
    QCOMPARE(names, QStringList({"Alpha", "Beta", "", "Gamma", "Delta"}));
    const QTreeWidgetItem* alpha = r.file.child(0);
    QCOMPARE(alpha->childCount(), 2); // lines 7 and 11
    QCOMPARE(alpha->data(0, AirFloorRole).toFloat(), 2480.0f);
    QCOMPARE(alpha->data(0, AirCeilingRole).toFloat(), 0.0f);
    QVERIFY(std::abs(alpha->child(0)->data(0, AirLonRole).toDouble() * 57.29577951308232 - 6.0) < 1e-9);
    // Beta keeps Alpha's class and limits, and only its own circle.
    const QTreeWidgetItem* beta = r.file.child(1);
    QCOMPARE(beta->data(0, AirClassRole).toString(), QStringLiteral("R"));
    QCOMPARE(beta->data(0, AirFloorRole).toFloat(), 2480.0f);
    QCOMPARE(beta->childCount(), 1);
    QCOMPARE(beta->child(0)->data(0, AirRadiusRole).toFloat(), 3.704f);
    QCOMPARE(r.file.child(3)->childCount(), 1);
    // Nothing non-finite or off the globe in what would be sent.
    for (const QString& body : ASpaceList::BuildBatch({&r.file})) {
        QVERIFY2(!body.contains(QLatin1String("inf")) && !body.contains(QLatin1String("nan")), qPrintable(body));
        const QStringList f = body.split(QLatin1Char(','));
        if (f.at(0) == QLatin1String("PZVCTP"))
            QVERIFY(std::abs(f.at(1).toDouble()) <= M_PI / 2 && std::abs(f.at(2).toDouble()) <= M_PI);
    }
    QCOMPARE(r.total, 5 * 32 + 3 * 10 + 14);
}

void TestReaderWarnings::namesWithoutLatin1Form_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sent");
    QTest::newRow("ogonek") << QStringLiteral("K\u0119dzierzyn") << QStringLiteral("Kedzierzyn");
    QTest::newRow("stroke") << QStringLiteral("\u0141\u00f3d\u017a") << QStringLiteral("L\u00f3dz");
    QTest::newRow("quotes") << QStringLiteral("\u201eKEDZIERZYN\u201d") << QStringLiteral("\"KEDZIERZYN\"");
    QTest::newRow("caron") << QStringLiteral("\u010cesk\u00e9 Bud\u011bjovice")
                           << QStringLiteral("Cesk\u00e9 Budejovice");
    QTest::newRow("latin-1 kept") << QStringLiteral("Saint-P\u00e9 D\u00dcR")
                                  << QStringLiteral("Saint-P\u00e9 D\u00dcR");
    QTest::newRow("no form") << QStringLiteral("A\u03a9B\ufffd") << QStringLiteral("AB");
    QTest::newRow("ligature") << QStringLiteral("\ufb01eld") << QStringLiteral("field");
}

void TestReaderWarnings::namesWithoutLatin1Form()
{
    QFETCH(QString, name);
    QFETCH(QString, sent);
    QCOMPARE(ASpaceList::SentenceName(name, 200), sent);
}

void TestReaderWarnings::polishNamesSentWithoutQuestionMarks()
{
    QTreeWidgetItem file;
    AirSpace reader;
    reader.LoadFromFile(&file, TestEnv::OpenAirDir() + QStringLiteral("/cz_pl_sk_hu_low_2025.txt"));
    int folded = 0;
    for (const QString& body : ASpaceList::BuildBatch({&file})) {
        // The sender sends Latin-1: every character must have a Latin-1 form.
        QCOMPARE(QString::fromLatin1(body.toLatin1()), body);
        folded += body.contains(QLatin1String("KEDZIERZYN"));
    }
    QVERIFY(folded > 0);
}

QTEST_MAIN(TestReaderWarnings)
#include "test_readerwarnings.moc"
