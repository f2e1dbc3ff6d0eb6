#pragma once
#include <QString>
#include <QStringList>

class QApplication;
class QSettings;
class QTranslator;
class MainWindow;

extern QApplication* theApp;
extern QTranslator* theTranslator;       // the program's own texts
extern QTranslator* g_pBaseTranslations; // Qt's own texts (dialog buttons ...)
extern MainWindow* theMainWindow;

// The folder of the companion files (catalogue, translations) for an
// executable in exeDir, with a trailing "/": exeDir itself inside a bundle
// ("Contents/MacOS", case-sensitive), else the bundle beside it.
QString ProgramFileDirectory(const QString& exeDir);

// Translation base names for a catalogue language id: {qt file, app file},
// both empty for languages without translations.
struct TranslationFiles {
    QString base;
    QString app;
};
TranslationFiles TranslationFilesFor(int iLangID);

// Loads and installs theTranslator and g_pBaseTranslations (both created
// beforehand) for a language from fileDir; qtDir (Qt's own translations
// folder) is the fallback for the base translation. Reports which of the
// two were installed.
struct TranslationLoad {
    bool base = false;
    bool app = false;
};
TranslationLoad InstallTranslations(const QString& fileDir, int iLangID, const QString& qtDir);

// g_iTargetModel and g_iLangID from "TargetDevice" and "SelectedLanguage".
void ReadCatalogueChoice(const QSettings& settings);

// The layout named on the command line, as an absolute path (empty when
// none). --help and --version print their text and end the process.
QString LayoutArgument(const QStringList& arguments);

// The start-up message for a catalogue that gave no fields (empty when the
// catalogue is fine).
QString CatalogueProblem(int iFieldCount, const QString& strDbPath);

// The whole designer run, from the process arguments to the exit status.
int RunDesigner(int& argc, char** argv);
