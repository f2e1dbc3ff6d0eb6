// The layout check: one problem of each kind gives exactly its row on its
// page, and r8tool check reports a layout file the same way.
#include "layoutcheck.h"
#include "r8element.h"
#include "testsupport.h"

#include <QProcess>
#include <QtTest>

using namespace LayoutCheck;

namespace {

Item MakeItem(int index, int type, int field, QRect rect, quint32 pages)
{
    Item item;
    item.index = index;
    item.type = type;
    item.field = field;
    item.rect = rect;
    item.pages = pages;
    item.needsField = type == R8_TYPE_DATAFIELD || type == R8_TYPE_DIAL;
    return item;
}

// Pages 0 to 2 enabled, page 3 disabled with a trigger, the rest disabled.
QVector<PageProps> CraftedPages()
{
    QVector<PageProps> pages(R8_PAGE_COUNT);
    for (int i = 3; i < R8_PAGE_COUNT; ++i)
        pages[i].Disabled = 1;
    pages[3].Trigger = 4;
    return pages;
}

QString Rows(const QVector<Problem>& problems)
{
    QStringList rows;
    for (const Problem& p : problems) {
        QStringList elements;
        for (int i : p.elements)
            elements << QString::number(i);
        rows << QStringLiteral("%1:%2:%3").arg(p.page).arg(int(p.kind)).arg(elements.join(QLatin1Char(',')));
    }
    return rows.join(QLatin1Char(' '));
}

QString Row(int page, Kind kind, const QString& elements = QString())
{
    return QStringLiteral("%1:%2:%3").arg(page).arg(int(kind)).arg(elements);
}

} // namespace

class TestLayoutCheck : public QObject
{
    Q_OBJECT
private slots:
    void oneProblemOfEachKind()
    {
        const QVector<Item> items = {
            MakeItem(0, R8_TYPE_DATAFIELD, 33, QRect(0, 0, 80, 29), 0x1),
            MakeItem(1, R8_TYPE_DATAFIELD, 105, QRect(40, 10, 80, 29), 0x1),  // overlaps 0
            MakeItem(2, R8_TYPE_DATAFIELD, 0, QRect(0, 100, 80, 29), 0x1),    // no field
            MakeItem(3, R8_TYPE_DATAFIELD, 147, QRect(79, 100, 80, 29), 0x1), // shares 2's last column only
            MakeItem(4, R8_TYPE_COMPASS, 0, QRect(200, 0, 110, 110), 0x2),    // off the screen
            MakeItem(5, R8_TYPE_DATAFIELD, 88, QRect(0, 200, 80, 29), 0x2),   // not offered
        };
        const QVector<Problem> problems = Check(items, CraftedPages(), [](int field) { return field != 88; });
        const QStringList expected = {Row(0, Kind::Overlap, QStringLiteral("0,1")),
                                      Row(0, Kind::NoField, QStringLiteral("2")),
                                      Row(1, Kind::OffScreen, QStringLiteral("4")),
                                      Row(1, Kind::FieldNotOffered, QStringLiteral("5")),
                                      Row(2, Kind::EmptyPage),
                                      Row(3, Kind::DisabledTrigger)};
        QCOMPARE(Rows(problems), expected.join(QLatin1Char(' ')));
        for (const Problem& p : problems)
            QVERIFY2(!p.text.isEmpty(), qPrintable(Row(p.page, p.kind)));
    }

    // Problems of an element on several pages show on each of them; without
    // a catalogue the model is not judged.
    void elementOnTwoPages()
    {
        QVector<PageProps> pages(R8_PAGE_COUNT);
        for (PageProps& p : pages)
            p.Disabled = 1;
        pages[0].Disabled = pages[5].Disabled = 0;
        const QVector<Item> items = {MakeItem(0, R8_TYPE_DIAL, 0, QRect(0, 0, 60, 60), 0x21),
                                     MakeItem(1, R8_TYPE_DATAFIELD, 88, QRect(0, 70, 80, 29), 0x20)};
        QCOMPARE(Rows(Check(items, pages)), QStringList({Row(0, Kind::NoField, QStringLiteral("0")),
                                                         Row(5, Kind::NoField, QStringLiteral("0"))})
                                                .join(QLatin1Char(' ')));
    }

    // The same list from r8tool for a file, under the model given.
    void toolReportsAFile()
    {
        QTemporaryDir dir;
        const QString broken = dir.filePath(QStringLiteral("broken.zvl"));
        const QString clean = dir.filePath(QStringLiteral("clean.zvl"));
        QByteArray disabled;
        for (int i = 2; i < R8_PAGE_COUNT; ++i)
            disabled += QByteArray("<Page PageID=\"") + QByteArray::number(i) + "\" Disabled=\"1\"/>\n";
        // Page 0: an altitude box over a vario box. Page 1: "G.R.Goal", which
        // the Dulan (model 4) does not have, but the Alvo (model 1) does.
        const QByteArray overlap =
            "<Object ID=\"1\" X=\"0\" Y=\"0\" W=\"80\" H=\"29\" Screens=\"1\" FieldID=\"33\"/>\n"
            "<Object ID=\"1\" X=\"40\" Y=\"10\" W=\"80\" H=\"29\" Screens=\"1\" FieldID=\"105\"/>\n";
        const QByteArray goal =
            "<Object ID=\"1\" X=\"0\" Y=\"0\" W=\"80\" H=\"29\" Screens=\"2\" FieldID=\"88\"/>\n";
        auto write = [](const QString& path, const QByteArray& body) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<ZarvinLayout>\n" + body + "</ZarvinLayout>\n");
        };
        write(broken, disabled + overlap + goal);
        write(clean,
              disabled + "<Object ID=\"1\" X=\"0\" Y=\"0\" W=\"80\" H=\"29\" Screens=\"3\" FieldID=\"33\"/>\n");

        struct Case {
            QString file;
            QString model;
            int code;
            int lines;
        };
        const Case cases[] = {{broken, QStringLiteral("4"), 1, 2},
                              {broken, QStringLiteral("1"), 1, 1},
                              {clean, QStringLiteral("4"), 0, 1}};
        for (const Case& c : cases) {
            QProcess tool;
            tool.start(TestEnv::ToolPath("R8TOOL"),
                       {QStringLiteral("check"), c.file, QStringLiteral("--model"), c.model});
            QVERIFY(tool.waitForFinished(60000));
            const QStringList lines =
                QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(tool.exitCode(), c.code);
            QCOMPARE(lines.size(), c.lines);
            if (c.code == 1) {
                QVERIFY2(lines.first().startsWith(QLatin1String("page 0: ")), qPrintable(lines.first()));
                QVERIFY2(lines.first().contains(QLatin1String("Altitude")), qPrintable(lines.first()));
            }
        }
        QProcess missing;
        missing.start(TestEnv::ToolPath("R8TOOL"),
                      {QStringLiteral("check"), dir.filePath(QStringLiteral("none.zvl"))});
        QVERIFY(missing.waitForFinished(60000));
        QCOMPARE(missing.exitCode(), 1);
        QVERIFY(!missing.readAllStandardError().isEmpty());
    }
};

QTEST_MAIN(TestLayoutCheck)
#include "test_layoutcheck.moc"
