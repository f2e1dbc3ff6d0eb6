// The shipped translations: every .ts message is finished, keeps its
// placeholders and accelerator, the compiled .qm files in the bundle match
// their sources, and the real menus stay usable from the keyboard.
#include "appglobals.h"
#include "mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QStringList kLanguages = {QStringLiteral("de_DE"), QStringLiteral("fr_FR"), QStringLiteral("it_IT"),
                                QStringLiteral("es_ES")};

struct TsMessage
{
    QString context;
    QString source;
    QString translation;
    bool unfinished = false;
};

QString TsPath(const QString& lang)
{
    return TestEnv::SourceDir() + QLatin1String("/translations/r8designer_") + lang + QLatin1String(".ts");
}

bool LoadQm(QTranslator& translator, const QString& lang)
{
    return translator.load(QLatin1String("r8designer_") + lang, TestEnv::BundleDir());
}

// Reads every message of a .ts file; plural forms are joined so that each one
// is checked too.
QVector<TsMessage> ReadTs(const QString& path, QString* error)
{
    QVector<TsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringRef name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                current = TsMessage();
                current.context = context;
            } else if (name == QLatin1String("source")) {
                current.source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                current.unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
                current.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages.append(current);
        }
    }
    if (xml.hasError())
        *error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return messages;
}

QSet<QString> Placeholders(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("%(\\d+)"));
    QSet<QString> found;
    auto it = re.globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured(0));
    return found;
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

    void keyTexts_data();
    void keyTexts();
    void everyMessage_data();
    void everyMessage();
    void languagesCarryTheSameMessages();
    void menusKeepDistinctAccelerators_data() { keyTexts_data(); }
    void menusKeepDistinctAccelerators();
};

void TestTranslations::keyTexts_data()
{
    QTest::addColumn<QString>("lang");
    for (const QString& lang : kLanguages)
        QTest::newRow(qPrintable(lang)) << lang;
}

void TestTranslations::keyTexts()
{
    QFETCH(QString, lang);
    QTranslator translator;
    QVERIFY2(LoadQm(translator, lang), qPrintable(TestEnv::BundleDir()));

    const char* const keys[][2] = {
        {"MainWindow", "&File"},
        {"MainWindow", "Airspaces"},
        {"ASpaceList", "Airspaces"},
        {"MainWindow", "Layout has no elements!"},
        {"R8elementProp", "Field is invalid."},
        {"ZvCommandSender", "All data sent."},
    };
    for (const auto& key : keys) {
        // An empty result means the compiled file lacks the message.
        const QString text = translator.translate(key[0], key[1]);
        QVERIFY2(!text.isEmpty(), key[1]);
        // Italian menus say "File" too.
        if (lang == QLatin1String("it_IT") && text == QLatin1String("&File"))
            continue;
        QVERIFY2(text != QLatin1String(key[1]), key[1]);
    }
    QVERIFY(!Accelerator(translator.translate("MainWindow", "&File")).isNull());
    // Translated with its arguments in the order the program fills them.
    QCOMPARE(translator.translate("ScreenThumb", "Page %1").arg(7).contains(QLatin1String("7")), true);
}

void TestTranslations::everyMessage_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(TestEnv::SourceDir() + QLatin1String("/translations"));
    const QStringList files = dir.entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= kLanguages.size() + 1);
    for (const QString& name : files)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void TestTranslations::everyMessage()
{
    QFETCH(QString, path);
    QString error;
    const QVector<TsMessage> messages = ReadTs(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QString base = QFileInfo(path).completeBaseName();
    if (base.endsWith(QLatin1String("_unicode"))) {
        QVERIFY(messages.isEmpty()); // deliberately an empty translation
        return;
    }
    QVERIFY(messages.size() > 100);

    QTranslator compiled;
    QVERIFY2(compiled.load(base, TestEnv::BundleDir()), qPrintable(base));
    QStringList faults;
    for (const TsMessage& m : messages) {
        const QString where = m.context + QLatin1String(": \"") + m.source + QLatin1Char('"');
        if (m.unfinished)
            faults << QLatin1String("unfinished ") + where;
        if (m.translation.trimmed().isEmpty())
            faults << QLatin1String("empty ") + where;
        if (Placeholders(m.translation) != Placeholders(m.source))
            faults << QLatin1String("placeholders differ ") + where + QLatin1String(" -> ") + m.translation;
        if (Accelerator(m.source).isNull() != Accelerator(m.translation).isNull())
            faults << QLatin1String("accelerator added or lost ") + where + QLatin1String(" -> ") + m.translation;
        if (compiled.translate(qPrintable(m.context), m.source.toUtf8().constData()) != m.translation)
            faults << QLatin1String("compiled file out of date ") + where;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestTranslations::languagesCarryTheSameMessages()
{
    QSet<QString> reference;
    for (const QString& lang : kLanguages) {
        QString error;
        QSet<QString> keys;
        for (const TsMessage& m : ReadTs(TsPath(lang), &error))
            keys.insert(m.context + QLatin1Char('\x1f') + m.source);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        if (reference.isEmpty())
            reference = keys;
        QVERIFY2(keys == reference, qPrintable(lang + QLatin1String(" differs from ") + kLanguages.first()));
    }
}

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
    QCOMPARE(bar.size(), 6);
    QCOMPARE(bar.first()->text(), translator.translate("MainWindow", "&File"));
    checkMenu(QStringLiteral("menu bar"), bar);
    for (const QAction* a : bar) {
        QVERIFY2(!Accelerator(a->text()).isNull(), qPrintable(a->text()));
        checkMenu(a->text(), a->menu()->actions());
    }
    // The entries that carry an accelerator in English still do.
    const QList<QAction*> fileEntries = bar.first()->menu()->actions();
    int withKey = 0;
    for (const QAction* a : fileEntries) {
        const bool recentFile = !a->data().toString().isEmpty();
        withKey += a->isVisible() && !recentFile && !Accelerator(a->text()).isNull() ? 1 : 0;
    }
    QCOMPARE(withKey, 6); // New, Open, Save, Save as, Send, Quit
}

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
