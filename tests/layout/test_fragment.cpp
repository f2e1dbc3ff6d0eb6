// The clipboard's layout fragment: what copied elements become as text, and
// which clipboard contents a paste must refuse.
#include "layoutfile.h"
#include "r8element.h"
#include "testsupport.h"

#include <QtTest>
#include <memory>

using namespace LayoutFile;

class TestFragment : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }

    // Every property survives the trip, and the text opens as a layout file.
    void roundTrip()
    {
        std::unique_ptr<R8element> dial(new R8element(nullptr, R8_TYPE_DIAL, 1));
        dial->RestoreSize(QSize(70, 70));
        dial->SetZoom(-1.0f);
        dial->RestorePosition(QPoint(12, 130));
        dial->RestoreField(105);
        dial->RestoreAttribs(R8_DEFAULT_ATTRIBS | 2);
        dial->RestorePages(0x0005);
        dial->SetRangeMin(-5.0f);
        dial->SetRangeMax(5.5f);
        std::unique_ptr<R8element> box(new R8element(nullptr, R8_TYPE_DATAFIELD, 1));
        box->RestorePosition(QPoint(100, 3));
        box->RestoreField(33);
        box->RestorePages(0x8000);

        const QByteArray text = WriteFragment({dial.get(), box.get()});
        QVector<ObjectRecord> objects;
        QVERIFY(ParseFragment(text, &objects));
        QCOMPARE(objects.size(), 2);
        const ObjectRecord& d = objects.at(0);
        QCOMPARE(d.Type, int(R8_TYPE_DIAL));
        QCOMPARE(QPoint(int(d.X), int(d.Y)), QPoint(12, 130));
        QCOMPARE(QSize(d.W, d.H), QSize(70, 70));
        QCOMPARE(d.FieldID, 105);
        QCOMPARE(d.Attrib, int(R8_DEFAULT_ATTRIBS | 2));
        QCOMPARE(d.Screens, 5);
        QCOMPARE(d.RangeMin, -5.0f);
        QCOMPARE(d.RangeMax, 5.5f);
        QCOMPARE(objects.at(1).FieldID, 33);

        Content asFile;
        QVERIFY(Parse(text, &asFile, nullptr));
        QCOMPARE(asFile.objects.size(), 2);
        QVERIFY(asFile.pages.isEmpty());
    }

    void refusesForeignContent_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain words") << QByteArray("Altitude 1200 m, Vario +2.1");
        QTest::newRow("cut off") << QByteArray("<ZarvinLayout>\n    <Object ID=\"1\" X=\"3\"");
        QTest::newRow("other document") << QByteArray("<svg><Object ID=\"1\" X=\"3\" Y=\"4\"/></svg>");
        QTest::newRow("html") << QByteArray("<html><body><p>Object</p></body></html>");
        QTest::newRow("no elements") << QByteArray("<ZarvinLayout><Page PageID=\"0\" Name=\"x\"/></ZarvinLayout>");
        QTest::newRow("unknown type only")
            << QByteArray("<ZarvinLayout><Object ID=\"77\" W=\"10\"/></ZarvinLayout>");
    }
    void refusesForeignContent()
    {
        QFETCH(QByteArray, data);
        QVector<ObjectRecord> objects = {ObjectRecord()};
        QVERIFY(!ParseFragment(data, &objects));
        QCOMPARE(objects.size(), 1); // untouched
    }

    // A fragment typed or edited by hand keeps its known elements only.
    void unknownTypesLeftOut()
    {
        QVector<ObjectRecord> objects;
        QVERIFY(ParseFragment("<ZarvinLayout><Object ID=\"77\"/><Object ID=\"57408\" X=\"5\"/></ZarvinLayout>",
                              &objects));
        QCOMPARE(objects.size(), 1);
        QCOMPARE(objects.first().Type, int(R8_TYPE_MAP));
    }
};

QTEST_MAIN(TestFragment)
#include "test_fragment.moc"
