#pragma once
#include <QMap>
#include <QString>
#include <functional>

class QSqlDatabase;

// Opens path read-only on a connection of its own (the designer's g_pDB is
// never disturbed), runs fn on it and closes it again; false when the file
// does not open.
bool WithReadOnlyDatabase(const QString& path, const std::function<void(QSqlDatabase&)>& fn);

// What a catalogue database serves: the data fields the designer's query
// finds for each instrument model, and the translated rows of each language.
struct CatalogueCoverage {
    QMap<int, int> fieldsPerModel;  // model id -> fields
    QMap<int, int> rowsPerLanguage; // language id -> LanguageStrings rows
};

// Reads the coverage of an open database for the models 1 to 5 and every
// language it translates; false when a query fails.
bool ReadCoverage(QSqlDatabase& db, CatalogueCoverage* pCoverage);

// What a downloaded catalogue must serve at least: the coverage of the
// catalogue built into the program (read once), or, should that be
// unreadable, one field for each model and translations for every language
// the preferences offer.
const CatalogueCoverage& RequiredCoverage();

// Empty when `candidate` offers every model of `required` with at least as
// many fields; else which models fall short.
QString MissingFields(const CatalogueCoverage& candidate, const CatalogueCoverage& required);
// Empty when `candidate` has translated rows for every language that
// `required` translates; else which languages have none.
QString MissingLanguages(const CatalogueCoverage& candidate, const CatalogueCoverage& required);
