#include "startup.h"
#include "appglobals.h"
#include "cataloguefile.h"
#include "datafields.h"
#include "mainwindow.h"
#include "r8resources.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QDateTime>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <QDebug>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSettings>
#include <QSqlDatabase>
#include <QTranslator>

QApplication* theApp = nullptr;
QTranslator* theTranslator = nullptr;
QTranslator* g_pBaseTranslations = nullptr;
MainWindow* theMainWindow = nullptr;

QString ProgramFileDirectory(const QString& exeDir)
{
    if (exeDir.endsWith(QLatin1String("Contents/MacOS"), Qt::CaseSensitive))
        return exeDir + QLatin1Char('/');
    return exeDir + QLatin1String("/R8designer.app/Contents/MacOS/");
}

TranslationFiles TranslationFilesFor(int iLangID)
{
    switch (iLangID) {
    case 3:
        return {QStringLiteral("qt_es"), QStringLiteral("r8designer_es_ES")};
    case 4:
        return {QStringLiteral("qt_fr"), QStringLiteral("r8designer_fr_FR")};
    case 5:
        return {QStringLiteral("qt_de.qm"), QStringLiteral("r8designer_de_DE")};
    case 6:
        return {QStringLiteral("qt_it"), QStringLiteral("r8designer_it_IT")};
    default:
        return {};
    }
}

TranslationLoad InstallTranslations(const QString& fileDir, int iLangID, const QString& qtDir)
{
    TranslationLoad loaded;
    QString baseFile = fileDir;
    QString appFile = fileDir;
    const TranslationFiles files = TranslationFilesFor(iLangID);
    if (files.base.isEmpty()) {
        baseFile.clear();
        appFile.clear();
    } else {
        baseFile += files.base;
        appFile += files.app;
    }

    if (!baseFile.isEmpty()) {
        if (g_pBaseTranslations->load(baseFile)) {
            loaded.base = true;
        } else {
            qDebug().noquote() << QStringLiteral("Failded to load translation file :%1/%2")
                                      .arg(QCoreApplication::applicationDirPath(), baseFile);
            loaded.base = g_pBaseTranslations->load(files.base, qtDir);
        }
        if (loaded.base)
            QCoreApplication::installTranslator(g_pBaseTranslations);
    }
    if (!appFile.isEmpty() && theTranslator->load(appFile)) {
        loaded.app = true;
        QCoreApplication::installTranslator(theTranslator);
    }
    return loaded;
}

QString QtTranslationsDirectory()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

void ReadCatalogueChoice(const QSettings& settings)
{
    g_iTargetModel = settings.value(QStringLiteral("TargetDevice"), 0).toInt() + 1;
    g_iLangID = MapLangID(settings.value(QStringLiteral("SelectedLanguage"), 0).toInt());
}

namespace {

// For the start-up benchmark: once the event loop is idle with the window
// shown, print the wall clock and the resident memory, then quit.
void ReportIdleAndQuit()
{
    long rssKb = 0;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = status.readAll().split('\n');
        for (const QByteArray& line : lines)
            if (line.startsWith("VmRSS:"))
                rssKb = line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    printf("idle-at-ms=%lld rss-kb=%ld\n", QDateTime::currentMSecsSinceEpoch(), rssKb);
    fflush(stdout);
    QCoreApplication::quit();
}

} // namespace

QString LayoutArgument(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("Startup", "Designs the screen pages of free-flight instruments."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QCoreApplication::translate("Startup", "A layout to open."),
                                 QStringLiteral("[file.zvl]"));
    // --help, --version and unknown options print and end the program.
    parser.process(arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
}

QString CatalogueProblem(int iFieldCount, const QString& strDbPath)
{
    if (iFieldCount > 0)
        return QString();
    return QCoreApplication::translate("Startup",
                                       "The field catalogue %1 could not be read. Value boxes cannot show their "
                                       "fields until it is repaired or downloaded again.")
        .arg(QDir::toNativeSeparators(strDbPath));
}

int RunDesigner(int& argc, char** argv)
{
    QApplication app(argc, argv);
    theApp = &app;
    QTranslator unicodeTranslator;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps); // always on in Qt 6
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("Zarvin"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("zarvin.com"));
    QCoreApplication::setApplicationName(QStringLiteral("R8designer"));
    InitR8Resources();
    QCoreApplication::setApplicationVersion(QStringLiteral(R8_VERSION));
    const QString layout = LayoutArgument(QCoreApplication::arguments());

    theSettings = new QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                                QCoreApplication::applicationName());

    const QString fileDir = ProgramFileDirectory(QCoreApplication::applicationDirPath());
    strDbName = fileDir + QLatin1String("R8strings.sqlite");

    theTranslator = new QTranslator();
    g_pBaseTranslations = new QTranslator();
    // Installed whether or not the file was there.
    static_cast<void>(unicodeTranslator.load(fileDir + QLatin1String("r8designer_unicode")));
    QCoreApplication::installTranslator(&unicodeTranslator);

    ReadCatalogueChoice(*theSettings);
    // The distribution keeps Qt's own translations in Qt's folder.
    InstallTranslations(fileDir, g_iLangID, QtTranslationsDirectory());

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    g_pDB = &db;
    if (!db.isValid()) {
        QMessageBox box;
        box.setText(QObject::tr("no sql driver!"));
        box.exec();
        return 0;
    }

    // A fresh install always has a catalogue: seed it from the built-in copy.
    strDbName = EnsureCatalogueFile(strDbName);
    db.setDatabaseName(strDbName);
    g_DataFields.LoadFromDB(g_pDB);
    const QString catalogueProblem = CatalogueProblem(g_DataFields.count(), strDbName);

    int exitCode = 0;
    {
        MainWindow window;
        theMainWindow = &window;
        window.show();
        if (qEnvironmentVariableIsSet("R8_STARTUP_PROBE")) {
            QTimer::singleShot(0, &window, &ReportIdleAndQuit);
        } else {
            // Once the window is up: what went wrong, what was left by a
            // crash, then the file asked for.
            QTimer::singleShot(0, &window, [&window, catalogueProblem, layout]() {
                if (!catalogueProblem.isEmpty())
                    QMessageBox::warning(&window, QObject::tr("Field catalogue"), catalogueProblem);
                window.OfferRecovery();
                if (!layout.isEmpty() && window.AboutToLooseLayout())
                    window.loadFile(layout);
            });
        }
        exitCode = QApplication::exec();
        theMainWindow = nullptr;
    }
    if (db.isOpen())
        db.close();
    return exitCode;
}
