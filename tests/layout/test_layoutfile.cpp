// The layout file format: what the writer puts down and what the reader
// makes of files written by us, by older versions and by hand.
#include "appglobals.h"
#include "datafields.h"
#include "layoutfile.h"
#include "r8element.h"
#include "testsupport.h"

#include <QtTest>

using namespace LayoutFile;

namespace {

// Collects the elements a load creates, as the main window's list would.
struct ElementList {
    QList<R8element*> elements;
    ~ElementList() { qDeleteAll(elements); }
    R8element* Add(int type)
    {
        auto* el = new R8element(nullptr, type, 1);
        el->SetScreenElementIndex(elements.size());
        elements.append(el);
        return el;
    }
    std::function<R8element*(int)> Adder()
    {
        return [this](int type) { return Add(type); };
    }
};

bool LoadText(const QByteArray& xml, ElementList& list, QVector<PageProps>& pages)
{
    Content content;
    ParseError error;
    if (!Parse(xml, &content, &error))
        return false;
    pages.resize(R8_PAGE_COUNT);
    for (const PageRecord& rec : qAsConst(content.pages))
        ApplyPage(rec, pages);
    for (const ObjectRecord& rec : qAsConst(content.objects))
        ApplyObject(rec, list.Add(rec.Type));
    return true;
}

QByteArray Doc(const QByteArray& children)
{
    return "<ZarvinLayout>\n" + children + "\n</ZarvinLayout>\n";
}

} // namespace

class TestLayoutFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }

    void roundTripKeepsEveryProperty()
    {
        ElementList original;
        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[0] = {QStringLiteral("Thermal & <glide> \"A\""), 3, 0};
        pages[5] = {QStringLiteral("Zürich\nline"), 32, 1};
        pages[15] = {QString(), 0, 1};
        int i = 0;
        for (int type : R8ElementTypes) {
            R8element* el = original.Add(type);
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
        R8element* hidden = original.Add(R8_TYPE_DATAFIELD); // on no page: not written
        Q_UNUSED(hidden);

        const QByteArray xml = Write(original.elements, pages);
        ElementList loaded;
        QVector<PageProps> back(R8_PAGE_COUNT);
        QVERIFY(LoadText(xml, loaded, back));

        QCOMPARE(loaded.elements.size(), original.elements.size() - 1);
        for (int k = 0; k < loaded.elements.size(); ++k) {
            const R8element* a = original.elements.at(k);
            const R8element* b = loaded.elements.at(k);
            QCOMPARE(b->GetType(), a->GetType());
            QCOMPARE(b->GetPosition(), a->GetPosition());
            QCOMPARE(b->GetSize(), a->GetSize());
            QCOMPARE(b->GetField(), a->GetField());
            QCOMPARE(b->GetFieldName(), a->GetFieldName());
            QCOMPARE(b->GetAttribs(), a->GetAttribs());
            QCOMPARE(b->OnPages(), a->OnPages());
            QCOMPARE(b->GetRangeMin(), a->GetRangeMin());
            QCOMPARE(b->GetRangeMax(), a->GetRangeMax());
        }
        for (int p = 0; p < R8_PAGE_COUNT; ++p) {
            QCOMPARE(back[p].Name, pages[p].Name);
            QCOMPARE(back[p].Trigger, pages[p].Trigger);
            QCOMPARE(back[p].Disabled, pages[p].Disabled);
        }
    }

    void positionsAreTruncatedAndPulledInside()
    {
        ElementList list;
        QVector<PageProps> pages;
        QVERIFY(LoadText(Doc("<Object ID=\"1\" X=\"230\" Y=\"12.9\" W=\"40\" H=\"20\" Screens=\"1\"/>\n"
                             "<Object ID=\"1\" X=\"-0.5\" Y=\"300\" W=\"40\" H=\"30\" Screens=\"1\"/>\n"
                             "<Object ID=\"1\" X=\"12.9\" Y=\"abc\" W=\"40\" H=\"30\" Screens=\"1\"/>"),
                         list, pages));
        QCOMPARE(list.elements.size(), 3);
        QCOMPARE(list.elements[0]->GetPosition(), QPoint(200, 12));
        QCOMPARE(list.elements[1]->GetPosition(), QPoint(0, 290));
        QCOMPARE(list.elements[2]->GetPosition(), QPoint(12, 0));
    }

    void absentAndBadAttributes()
    {
        ElementList list;
        QVector<PageProps> pages;
        QVERIFY(LoadText(Doc("<Object ID=\"1\"/>\n"
                             "<Object ID=\"1\" FieldID=\"\" Screens=\"4294967295\" Attrib=\"x\"/>"),
                         list, pages));
        QCOMPARE(list.elements[0]->GetField(), -1); // absent
        QCOMPARE(list.elements[0]->OnPages(), 0u);
        QCOMPARE(list.elements[0]->GetAttribs(), 0u);
        QCOMPARE(list.elements[1]->GetField(), 0); // present but empty
        QCOMPARE(list.elements[1]->OnPages(), 0u); // beyond a signed 32-bit number
        QCOMPARE(list.elements[1]->GetAttribs(), 0u);
        QCOMPARE(ReadInt(QStringLiteral("2147483648")), 0);
        QCOMPARE(ReadInt(QStringLiteral("-12")), -12);
        QCOMPARE(ReadFloat(QStringLiteral("1e+06")), 1e6f);
    }

    void legacyFieldNumberUsesTheModelsCatalogue()
    {
        // Take a sequence number that model 1 and model 2 both use.
        QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
        QMap<int, int> model1;
        for (const _DataField* f : g_DataFields.Fields())
            model1.insert(f->Sequence, f->BaseId);
        QVERIFY(TestEnv::LoadCatalogue(1, 2) > 0);
        int sequence = -1;
        for (const _DataField* f : g_DataFields.Fields())
            if (model1.contains(f->Sequence) && model1.value(f->Sequence) != f->BaseId) {
                sequence = f->Sequence;
                break;
            }
        QVERIFY2(sequence > 0, "models 1 and 2 should number some fields differently");
        const QByteArray xml =
            Doc("<Object ID=\"1\" Field=\"" + QByteArray::number(sequence)
                + "\" FieldID=\"40\" Screens=\"1\"/>\n<Object ID=\"1\" Field=\"-1\" FieldID=\"40\"/>"
                + "\n<Object ID=\"1\" Field=\"12345\" FieldID=\"40\"/>");
        ElementList underModel2;
        QVector<PageProps> pages;
        QVERIFY(LoadText(xml, underModel2, pages));
        QCOMPARE(underModel2.elements[0]->GetField(), g_DataFields.GetBaseId(sequence));
        QCOMPARE(underModel2.elements[1]->GetField(), 40);
        QCOMPARE(underModel2.elements[2]->GetField(), -1);

        QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0);
        ElementList underModel1;
        QVERIFY(LoadText(xml, underModel1, pages));
        QCOMPARE(underModel1.elements[0]->GetField(), model1.value(sequence));
        QVERIFY(underModel1.elements[0]->GetField() != underModel2.elements[0]->GetField());
    }

    void pageEntries()
    {
        ElementList list;
        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[1].Trigger = 16;
        pages[4].Trigger = 8;
        QVERIFY(LoadText(Doc("<Page PageID=\"16\" Name=\"x\" PageTrig=\"1\"/>\n"
                             "<Page PageID=\"-1\" Name=\"y\" PageTrig=\"1\"/>\n"
                             "<Page PageID=\"1\" Name=\"Climb\" Trigger=\"3\"/>\n"
                             "<Page PageID=\"2\" Trigger=\"0\" Disabled=\"1\"/>\n"
                             "<Page PageID=\"3\" Trigger=\"3\" PageTrig=\"1\"/>\n"
                             "<Page PageID=\"4\" Name=\"Keep\"/>\n"
                             "<Page Name=\"No id\"/>"),
                         list, pages));
        QCOMPARE(pages[1].Name, QStringLiteral("Climb"));
        QCOMPARE(pages[1].Trigger, 4u);
        QCOMPARE(pages[2].Trigger, 0u);
        QCOMPARE(pages[2].Disabled, 1);
        QCOMPARE(pages[3].Trigger, 1u);
        QCOMPARE(pages[4].Trigger, 8u); // no trigger attribute: mask kept
        QCOMPARE(pages[0].Name, QStringLiteral("No id"));
        for (int p = 5; p < R8_PAGE_COUNT; ++p)
            QVERIFY(pages[p].Name.isEmpty() && pages[p].Trigger == 0);
    }

    void malformedFileIsRefusedWithItsLine()
    {
        Content content;
        content.objects.append(ObjectRecord());
        ParseError error;
        QVERIFY(!Parse("<ZarvinLayout>\n    <Page PageID=\"0\"/>\n    <Object ID=\"1\"\n", &content, &error));
        QVERIFY(error.line >= 3);
        QVERIFY(!error.message.isEmpty());
        QCOMPARE(content.objects.size(), 1); // untouched

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.zvl"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<ZarvinLayout><Page PageID=\"0\" Name=\"A\"></ZarvinLayout>");
        f.close();
        ElementList list;
        QVector<PageProps> pages(R8_PAGE_COUNT);
        pages[0].Name = QStringLiteral("Before");
        QString message;
        QVERIFY(!Load(path, pages, list.Adder(), &message));
        QVERIFY(message.contains(path));
        QVERIFY(message.contains(QStringLiteral("line 1")));
        QCOMPARE(pages[0].Name, QStringLiteral("Before"));
        QVERIFY(list.elements.isEmpty());

        QVERIFY(!Load(dir.filePath(QStringLiteral("missing.zvl")), pages, list.Adder(), &message));
        QVERIFY(message.contains(QStringLiteral("missing.zvl")));
    }
};

QTEST_MAIN(TestLayoutFile)
#include "test_layoutfile.moc"
