// A low screen and a crowded window: every page of the strip can be
// reached, nothing covers the tool box (also with tool bars docked at a
// side), and no dialog text is cut off.
#include "appglobals.h"
#include "firmwaresender.h"
#include "mainwindow.h"
#include "preferencesdialog.h"
#include "r8element.h"
#include "screenlayout.h"
#include "screenthumb.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleOptionComboBox>
#include <QToolBar>
#include <QtTest>

namespace {

// Where the window shows a child, in window coordinates.
QRect InWindow(const QWidget* child, const QWidget* window)
{
    return QRect(child->mapTo(window, QPoint(0, 0)), child->size());
}

} // namespace

class TestSmallScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue() > 0); }

    void everyPageReachable()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* strip = w.findChild<QScrollArea*>(QStringLiteral("PageStrip"));
        QVERIFY(strip);
        const QRect shown = InWindow(strip->viewport(), &w) & w.rect();
        for (int i = 0; i < R8_PAGE_COUNT; ++i) {
            strip->ensureWidgetVisible(w.Thumb(i), 0, 0);
            QVERIFY2(shown.contains(InWindow(w.Thumb(i), &w)), qPrintable(QString::number(i)));
        }
        // and the last one can be clicked into place; the arrow keys still
        // reach the page, not the strip
        QApplication::setActiveWindow(&w);
        QTest::mouseClick(w.Thumb(15), Qt::LeftButton);
        QCOMPARE(w.CurrentPage(), 15);
        R8element* el = w.Elements().at(w.AddElement(R8_TYPE_GRAPH));
        el->RestorePages(1u << 15);
        el->RestorePosition(QPoint(10, 10));
        w.Page(15)->SelectElement(el);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &w, Qt::Key_Right);
        QCOMPARE(el->GetPosition(), QPoint(11, 10));
    }

    void toolBoxUncovered_data()
    {
        QTest::addColumn<int>("dock");
        QTest::newRow("tool bars on top") << int(Qt::TopToolBarArea);
        QTest::newRow("format bar at the left") << int(Qt::LeftToolBarArea);
        QTest::newRow("format bar at the right") << int(Qt::RightToolBarArea);
    }
    void toolBoxUncovered()
    {
        QFETCH(int, dock);
        MainWindow w;
        auto* bar = w.findChild<QToolBar*>(QStringLiteral("FormatingToolBar"));
        w.addToolBar(Qt::ToolBarArea(dock), bar);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
        QList<QRect> others = {InWindow(w.Page(0), &w),
                               InWindow(w.findChild<QScrollArea*>(QStringLiteral("PageStrip")), &w)};
        for (const QToolBar* tb : w.findChildren<QToolBar*>())
            if (tb->isVisible())
                others.append(InWindow(tb, &w));
        for (R8element* sample : w.ToolBox()) {
            const QRect r = sample->MyPathTranslated().boundingRect().toAlignedRect();
            QVERIFY2(w.rect().contains(r),
                     qPrintable(QStringLiteral("sample %1 leaves the window").arg(sample->GetType())));
            for (const QRect& o : qAsConst(others))
                QVERIFY2(!o.intersects(r), qPrintable(QStringLiteral("sample %1 covered").arg(sample->GetType())));
        }
    }

    void preferencesNamesWhole()
    {
        PreferencesDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
            for (int i = 0; i < combo->count(); ++i) {
                combo->setCurrentIndex(i);
                QStyleOptionComboBox opt;
                opt.initFrom(combo);
                opt.currentText = combo->itemText(i);
                opt.currentIcon = combo->itemIcon(i);
                opt.iconSize = combo->iconSize();
                const QRect field =
                    combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
                const int need = combo->fontMetrics().horizontalAdvance(combo->itemText(i))
                                 + (combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4);
                QVERIFY2(need <= field.width(), qPrintable(combo->itemText(i)));
            }
            // The drop-down list shows every entry whole.
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
            combo->hidePopup();
        }
    }

    void firmwareButtonsWhole()
    {
        firmwareSender dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* send = dialog.findChild<QPushButton*>(QStringLiteral("buttonSend"));
        auto* close = dialog.findChild<QPushButton*>(QStringLiteral("buttonClose"));
        QVERIFY(send && close);
        QVERIFY(send->width() >= send->sizeHint().width());
        QVERIFY(!send->geometry().intersects(close->geometry()));
    }
};

QTEST_MAIN(TestSmallScreen)
#include "test_smallscreen.moc"
