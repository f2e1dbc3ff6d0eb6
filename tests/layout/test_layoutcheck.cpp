// The layout check: one problem of each kind gives exactly its row on its
// page, and r8tool check reports a layout file the same way.
#include "layoutcheck.h"
#include "r8element.h"
#include "testsupport.h"

#include <QtTest>

using namespace LayoutCheck;

namespace {

// "page:kind:elements" for each problem.
QStringList Rows(const QVector<Problem>& problems)
{
    QStringList rows;
    for (const Problem& p : problems) {
        QStringList elements;
        for (int i : p.elements)
            elements << QString::number(i);
        rows << QStringLiteral("%1:%2:%3").arg(p.page).arg(int(p.kind)).arg(elements.join(QLatin1Char(',')));
        if (p.text.isEmpty())
            rows << QStringLiteral("no text");
    }
    return rows;
}

QString Row(int page, Kind kind, const char* elements = "")
{
    return QStringLiteral("%1:%2:%3").arg(page).arg(int(kind)).arg(QLatin1String(elements));
}

} // namespace

class TestLayoutCheck : public QObject
{
    Q_OBJECT
private slots:
    void oneProblemOfEachKind()
    {
        // Pages 0 to 2 enabled, page 3 disabled with a trigger, the rest disabled.
        QVector<PageProps> pages(R8_PAGE_COUNT);
        for (int i = 3; i < R8_PAGE_COUNT; ++i)
            pages[i].Disabled = 1;
        pages[3].Trigger = 4;
        const QVector<Item> items = {
            {0, R8_TYPE_DATAFIELD, 33, {}, QRect(0, 0, 80, 29), 0x1, true},
            {1, R8_TYPE_DATAFIELD, 105, {}, QRect(40, 10, 80, 29), 0x1, true},  // overlaps 0
            {2, R8_TYPE_DATAFIELD, 0, {}, QRect(0, 100, 80, 29), 0x1, true},    // no field
            {3, R8_TYPE_DATAFIELD, 147, {}, QRect(79, 100, 80, 29), 0x1, true}, // shares 2's last column only
            {4, R8_TYPE_COMPASS, 0, {}, QRect(200, 0, 110, 110), 0x2, false},   // off the screen
            {5, R8_TYPE_DATAFIELD, 88, {}, QRect(0, 200, 80, 29), 0x2, true},   // not offered
            {6, R8_TYPE_DIAL, 0, {}, QRect(0, 0, 60, 60), 0x30, true},          // no field, on pages 4 and 5
        };
        const QVector<Problem> problems = Check(items, pages, [](int field) { return field != 88; });
        QCOMPARE(Rows(problems), QStringList({Row(0, Kind::Overlap, "0,1"), Row(0, Kind::NoField, "2"),
                                              Row(1, Kind::OffScreen, "4"), Row(1, Kind::FieldNotOffered, "5"),
                                              Row(2, Kind::EmptyPage), Row(3, Kind::DisabledTrigger),
                                              Row(4, Kind::NoField, "6"), Row(5, Kind::NoField, "6")}));
        // Without a catalogue the model is not judged.
        for (const Problem& p : Check(items, pages))
            QVERIFY(p.kind != Kind::FieldNotOffered);
    }

    // The same list from r8tool for a file, under the model given.
    void toolReportsAFile_data()
    {
        QTest::addColumn<QByteArray>("objects"); // none: no file at all
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("lines");
        // Page 0: an altitude box over a vario box. Page 1: "G.R.Goal", which
        // the Dulan (model 4) does not have, but the Alvo (model 1) does.
        const QByteArray broken = "<Object ID='1' X='0' Y='0' W='80' H='29' Screens='1' FieldID='33'/>\n"
                                  "<Object ID='1' X='40' Y='10' W='80' H='29' Screens='1' FieldID='105'/>\n"
                                  "<Object ID='1' X='0' Y='0' W='80' H='29' Screens='2' FieldID='88'/>\n";
        const QByteArray clean = "<Object ID='1' X='0' Y='0' W='80' H='29' Screens='3' FieldID='33'/>\n";
        QTest::newRow("model 4") << broken << "4" << 1 << 2;
        QTest::newRow("model 1") << broken << "1" << 1 << 1;
        QTest::newRow("clean") << clean << "4" << 0 << 1;
        QTest::newRow("missing file") << QByteArray() << "4" << 1 << 0;
    }
    void toolReportsAFile()
    {
        QFETCH(QByteArray, objects);
        QFETCH(QString, model);
        QFETCH(int, code);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("layout.zvl"));
        QByteArray disabled;
        for (int i = 2; i < R8_PAGE_COUNT; ++i)
            disabled += "<Page PageID='" + QByteArray::number(i) + "' Disabled='1'/>\n";
        if (!objects.isEmpty())
            QVERIFY(TestEnv::WriteFile(path, "<ZarvinLayout>\n" + disabled + objects + "</ZarvinLayout>\n"));
        const TestEnv::ToolRun run =
            TestEnv::RunTool({QStringLiteral("check"), path, QStringLiteral("--model"), model});
        QCOMPARE(run.code, code);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QTEST(int(lines.size()), "lines");
        if (code == 1 && lines.isEmpty())
            QVERIFY(run.err.contains(path));
        else if (code == 1)
            QVERIFY2(lines.first().startsWith(QLatin1String("page 0: ")) && lines.first().contains("Altitude"),
                     qPrintable(lines.first()));
    }
};

QTEST_MAIN(TestLayoutCheck)
#include "test_layoutcheck.moc"
