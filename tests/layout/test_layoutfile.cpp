// The layout file format and the clipboard's fragment of it: what the writer
// puts down and what the reader makes of files written by us, by older
// versions, by hand and by someone hostile.
#include "appglobals.h"
#include "datafields.h"
#include "layoutfile.h"
#include "r8element.h"
#include "testsupport.h"

#include <QtTest>

using namespace LayoutFile;

namespace {

// What a load gives the main window: its pages and the elements it creates.
struct Loaded {
    QList<R8element*> elements;
    QVector<PageProps> pages = QVector<PageProps>(R8_PAGE_COUNT);
    ~Loaded() { qDeleteAll(elements); }
    std::function<R8element*(int)> Adder()
    {
        return [this](int type) {
            elements.append(new R8element(nullptr, type, 1));
            return elements.last();
        };
    }
    // The entries given, inside the document element; nothing when refused.
    bool Read(const QByteArray& children)
    {
        Content content;
        const bool ok = Parse("<ZarvinLayout>\n" + children + "\n</ZarvinLayout>\n", &content, nullptr);
        Apply(content, pages, Adder());
        return ok;
    }
};

// Everything the file keeps of an element.
QVariantList Kept(const R8element* el)
{
    QVariantList kept = {el->GetType(), QRect(el->GetPosition(), el->GetSize()), el->GetField(), el->GetAttribs()};
    return kept << el->OnPages() << double(el->GetRangeMin()) << double(el->GetRangeMax());
}

// "name/trigger/disabled" of each page.
QStringList Pages(const QVector<PageProps>& pages)
{
    QStringList summary;
    for (const PageProps& p : pages)
        summary << QStringLiteral("%1/%2/%3").arg(p.Name).arg(p.Trigger).arg(p.Disabled);
    return summary;
}

} // namespace

class TestLayoutFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }

    void roundTripKeepsEveryProperty()
    {
        Loaded original;
        original.pages[0] = {QStringLiteral("Thermal & <glide> \"A\""), 3, 0};
        original.pages[5] = {QStringLiteral("Zürich\nline"), 32, 1};
        int i = 0;
        for (int type : R8ElementTypes) {
            R8element* el = original.Adder()(type);
            el->RestoreSize(QSize(60 + i, 40 + i));
            el->RestorePosition(QPoint(3 * i, 7 * i));
            el->SetZoom(-1.0f);
            el->RestoreField(i % 2 ? 33 : 105);
            el->RestoreAttribs(44u + static_cast<unsigned>(i % 4) + (i % 3 ? 128u : 0u));
            el->RestorePages(i % 3 ? 0x8001u : (1u << (i % 16)));
            el->SetRangeMin(-1.5f * i);
            el->SetRangeMax(i == 3 ? 1e6f : 2.25f * i);
            ++i;
        }
        original.Adder()(R8_TYPE_DATAFIELD); // on no page: not written

        Content content;
        QVERIFY(Parse(Write(original.elements, original.pages), &content, nullptr));
        Loaded loaded;
        Apply(content, loaded.pages, loaded.Adder());
        QCOMPARE(loaded.elements.size(), original.elements.size() - 1);
        for (int k = 0; k < loaded.elements.size(); ++k)
            QCOMPARE(Kept(loaded.elements.at(k)), Kept(original.elements.at(k)));
        QCOMPARE(Pages(loaded.pages), Pages(original.pages));
    }

    // Every element ends up inside the screen with a size it can have; a
    // type this program does not know keeps its size.
    void geometry_data()
    {
        QTest::addColumn<QByteArray>("attributes");
        QTest::addColumn<QRect>("rect");
        const auto row = [](const char* name, const char* attributes, QRect rect) {
            QTest::newRow(name) << QByteArray(attributes) << rect;
        };
        row("truncated, pulled in", "ID='1' X='230' Y='12.9' W='40' H='20'", {200, 12, 40, 20});
        row("not a number", "ID='1' X='12.9' Y='abc' W='40' H='30'", {12, 0, 40, 30});
        row("too large", "ID='1' X='10' Y='10' W='500' H='2147483647'", {0, 0, 240, 320});
        row("negative size", "ID='1' X='100' Y='5' W='-2147483648' H='-5'", {100, 5, 10, 10});
        row("compass, no size", "ID='57360' X='230' Y='300'", {130, 210, 110, 110});
        row("too small dial", "ID='53248' X='239' Y='319' W='1' H='1'", {200, 280, 40, 40});
        row("beyond int", "ID='1' X='4.5e32' Y='-4.5e32' W='80' H='29'", {160, 0, 80, 29});
        row("beyond float, nan", "ID='1' X='1e39' Y='nan' W='80' H='29'", {0, 0, 80, 29});
        row("unknown type", "ID='4660' X='20' Y='30' W='33' H='44'", {20, 30, 33, 44});
    }
    void geometry()
    {
        QFETCH(QByteArray, attributes);
        Loaded loaded;
        QVERIFY(loaded.Read("<Object " + attributes + " Screens='1'/>"));
        QTEST(QRect(loaded.elements[0]->GetPosition(), loaded.elements[0]->GetSize()), "rect");
    }

    void absentAndBadValues()
    {
        Loaded loaded;
        QVERIFY(loaded.Read("<Object ID='1'/>\n<Object ID='1' FieldID='' Screens='4294967295' Attrib='x'/>\n"
                            "<Object ID='53248' RangeMin='nan' RangeMax='-infinity'/>"));
        QCOMPARE(loaded.elements[0]->GetField(), -1); // absent
        // The field present but empty, pages beyond a signed 32-bit number,
        // attributes and range not numbers.
        QCOMPARE(Kept(loaded.elements[1]).mid(2, 3), QVariantList({0, 0u, 0u}));
        QCOMPARE(Kept(loaded.elements[2]).mid(5), QVariantList({0.0, 0.0}));
    }

    void legacyFieldNumberUsesTheModelsCatalogue()
    {
        // Take a sequence number that model 1 and model 2 both use.
        QMap<int, int> model1;
        for (const _DataField* f : g_DataFields.Fields())
            model1.insert(f->Sequence, f->BaseId);
        QVERIFY(TestEnv::LoadCatalogue(1, 2) > 0);
        int sequence = -1;
        for (const _DataField* f : g_DataFields.Fields())
            if (model1.contains(f->Sequence) && model1.value(f->Sequence) != f->BaseId)
                sequence = f->Sequence;
        QVERIFY2(sequence > 0, "models 1 and 2 should number some fields differently");
        const QByteArray xml = "<Object ID='1' Field='" + QByteArray::number(sequence)
                               + "' FieldID='40'/>\n<Object ID='1' Field='-1' FieldID='40'/>"
                               + "\n<Object ID='1' Field='12345' FieldID='40'/>";
        Loaded underModel2;
        QVERIFY(underModel2.Read(xml));
        QCOMPARE(underModel2.elements[0]->GetField(), g_DataFields.GetBaseId(sequence));
        QCOMPARE(underModel2.elements[1]->GetField(), 40);
        QCOMPARE(underModel2.elements[2]->GetField(), -1);
        QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
    }

    void pageEntries()
    {
        Loaded loaded;
        loaded.pages[4].Trigger = 8;
        QVERIFY(loaded.Read("<Page PageID='16' Name='x' PageTrig='1'/>\n"
                            "<Page PageID='-1' Name='y' PageTrig='1'/>\n"
                            "<Page PageID='1' Name='Climb' Trigger='3'/>\n"
                            "<Page PageID='2' Trigger='0' Disabled='1'/>\n"
                            "<Page PageID='3' Trigger='3' PageTrig='1'/>\n"
                            "<Page PageID='4' Name='Keep'/>\n"
                            "<Page Name='No id'/>"));
        // Out of range: ignored; no trigger attribute: the mask is kept.
        QStringList expected = {"No id/0/0", "Climb/4/0", "/0/1", "/1/0", "Keep/8/0"};
        while (expected.size() < R8_PAGE_COUNT)
            expected << QStringLiteral("/0/0");
        QCOMPARE(Pages(loaded.pages), expected);
    }

    void malformedFileIsRefusedWithItsLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.zvl"));
        QVERIFY(TestEnv::WriteFile(path, "<ZarvinLayout>\n<Page PageID='0' Name='A'>\n</ZarvinLayout>\n"));
        Loaded loaded;
        loaded.pages[0].Name = QStringLiteral("Before");
        QString message;
        QVERIFY(!Load(path, loaded.pages, loaded.Adder(), &message));
        QVERIFY2(message.contains(path) && message.contains(QStringLiteral("line 3")), qPrintable(message));
        QCOMPARE(loaded.pages[0].Name, QStringLiteral("Before"));
        QVERIFY(loaded.elements.isEmpty());
        QVERIFY(!Load(dir.filePath(QStringLiteral("missing.zvl")), loaded.pages, loaded.Adder(), &message));
        QVERIFY(message.contains(QStringLiteral("missing.zvl")));
    }

    // Copied elements become a fragment that also opens as a layout file;
    // one typed by hand keeps its known elements only.
    void fragment()
    {
        R8element dial(nullptr, R8_TYPE_DIAL, 1);
        dial.RestorePosition(QPoint(12, 130));
        R8element hidden(nullptr, R8_TYPE_DATAFIELD, 1); // on no page, still copied
        const QByteArray text = WriteFragment({&dial, &hidden});
        QVector<ObjectRecord> objects;
        QVERIFY(ParseFragment(text, &objects));
        QCOMPARE(objects.size(), 2);
        QCOMPARE(QPointF(objects.at(0).X, objects.at(0).Y), QPointF(12, 130));
        Content asFile;
        QVERIFY(Parse(text, &asFile, nullptr));
        QCOMPARE(asFile.objects.size(), 2);
        QVERIFY(ParseFragment("<ZarvinLayout><Object ID='77'/><Object ID='57408'/></ZarvinLayout>", &objects));
        QCOMPARE(objects.size(), 1);
        QCOMPARE(objects.first().Type, int(R8_TYPE_MAP));
    }

    void fragmentRefusesForeignContent_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut off") << QByteArray("<ZarvinLayout>\n    <Object ID='1' X='3'");
        QTest::newRow("other document") << QByteArray("<svg><Object ID='1' X='3' Y='4'/></svg>");
        QTest::newRow("unknown type only") << QByteArray("<ZarvinLayout><Object ID='77' W='10'/></ZarvinLayout>");
    }
    void fragmentRefusesForeignContent()
    {
        QFETCH(QByteArray, data);
        QVector<ObjectRecord> objects = {ObjectRecord()};
        QVERIFY(!ParseFragment(data, &objects));
        QCOMPARE(objects.size(), 1); // untouched
    }
};

QTEST_MAIN(TestLayoutFile)
#include "test_layoutfile.moc"
