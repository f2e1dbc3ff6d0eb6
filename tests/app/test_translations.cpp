// The real window under each shipped translation: the compiled files load,
// and the menus stay usable from the keyboard.
#include "appglobals.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>
#include <QtTest>

namespace {

const QStringList kLanguages = {QStringLiteral("de_DE"), QStringLiteral("fr_FR"), QStringLiteral("it_IT"),
                                QStringLiteral("es_ES")};

bool LoadQm(QTranslator& translator, const QString& lang)
{
    return translator.load(QLatin1String("r8designer_") + lang, TestEnv::BundleDir());
}

// The accelerator letter of a menu text, lower case; a null char if it has none.
QChar Accelerator(QString text)
{
    text.remove(QLatin1String("&&"));
    const int at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(TestEnv::LoadCatalogue(1, 1) > 0); }
    void cleanupTestCase() { g_pDB = nullptr; }

    void menusKeepDistinctAccelerators_data()
    {
        QTest::addColumn<QString>("lang");
        for (const QString& lang : kLanguages)
            QTest::newRow(qPrintable(lang)) << lang;
    }
    void menusKeepDistinctAccelerators();
};

// The real window under each translation: every visible entry of the menu
// bar and of each menu keeps an accelerator if its English text has one, and
// no two entries of one menu share it.
void TestTranslations::menusKeepDistinctAccelerators()
{
    QFETCH(QString, lang);
    QTranslator translator;
    QVERIFY(LoadQm(translator, lang));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    MainWindow window;
    QCoreApplication::removeTranslator(&translator);

    auto checkMenu = [](const QString& title, const QList<QAction*>& actions) {
        QHash<QChar, QString> seen;
        for (const QAction* a : actions) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const QChar key = Accelerator(a->text());
            if (key.isNull())
                continue;
            QVERIFY2(!seen.contains(key), qPrintable(title + QLatin1String(": \"") + seen.value(key)
                                                     + QLatin1String("\" and \"") + a->text() + QLatin1Char('"')));
            seen.insert(key, a->text());
        }
    };
    const QList<QAction*> bar = window.menuBar()->actions();
    QCOMPARE(bar.first()->text(), translator.translate("MainWindow", "&File"));
    checkMenu(QStringLiteral("menu bar"), bar);
    for (const QAction* a : bar) {
        QVERIFY2(!Accelerator(a->text()).isNull(), qPrintable(a->text()));
        checkMenu(a->text(), a->menu()->actions());
    }
}

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
