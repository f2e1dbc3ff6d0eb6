#include "cataloguecoverage.h"
#include "datafields.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryFile>
#include <QVariant>

namespace {

constexpr int kFirstModel = 1;
constexpr int kLastModel = 5;         // "R8alvo" .. "Tey+"
constexpr int kBaseLanguage = 1;      // English: the base texts, never translated
constexpr int kLastLanguageIndex = 6; // last entry of the preferences' language list

CatalogueCoverage FallbackCoverage()
{
    CatalogueCoverage coverage;
    for (int model = kFirstModel; model <= kLastModel; ++model)
        coverage.fieldsPerModel.insert(model, 1);
    for (int index = 0; index <= kLastLanguageIndex; ++index)
        if (MapLangID(index) != kBaseLanguage)
            coverage.rowsPerLanguage.insert(MapLangID(index), 1);
    return coverage;
}

CatalogueCoverage BuiltInCoverage()
{
    QFile builtIn(QStringLiteral(":/R8strings.sqlite"));
    QTemporaryFile copy;
    CatalogueCoverage coverage;
    if (builtIn.open(QIODevice::ReadOnly) && copy.open() && copy.write(builtIn.readAll()) == builtIn.size()
        && copy.flush()) {
        copy.close();
        bool ok = false;
        WithReadOnlyDatabase(copy.fileName(), [&](QSqlDatabase& db) { ok = ReadCoverage(db, &coverage); });
        if (ok)
            return coverage;
    }
    return FallbackCoverage();
}

} // namespace

bool WithReadOnlyDatabase(const QString& path, const std::function<void(QSqlDatabase&)>& fn)
{
    static QAtomicInt s_iConnection;
    const QString name = QStringLiteral("r8-catalogue-check-%1").arg(s_iConnection.fetchAndAddRelaxed(1));
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        opened = db.open();
        if (opened) {
            fn(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return opened;
}

bool ReadCoverage(QSqlDatabase& db, CatalogueCoverage* pCoverage)
{
    QSqlQuery query(db);
    for (int model = kFirstModel; model <= kLastModel; ++model) {
        if (!query.exec(QString::fromLatin1(DataFields::QueryText()).arg(kBaseLanguage).arg(model)))
            return false;
        int fields = 0;
        while (query.next())
            ++fields;
        pCoverage->fieldsPerModel.insert(model, fields);
    }
    if (!query.exec(QStringLiteral("SELECT LanguageId, COUNT(*) FROM LanguageStrings GROUP BY LanguageId")))
        return false;
    while (query.next())
        pCoverage->rowsPerLanguage.insert(query.value(0).toInt(), query.value(1).toInt());
    return true;
}

const CatalogueCoverage& RequiredCoverage()
{
    static const CatalogueCoverage s_required = BuiltInCoverage();
    return s_required;
}

QString MissingFields(const CatalogueCoverage& candidate, const CatalogueCoverage& required)
{
    QStringList missing;
    for (auto it = required.fieldsPerModel.cbegin(); it != required.fieldsPerModel.cend(); ++it) {
        const int fields = candidate.fieldsPerModel.value(it.key());
        if (fields < it.value())
            missing << QStringLiteral("model %1 has %2 of %3 fields").arg(it.key()).arg(fields).arg(it.value());
    }
    return missing.join(QStringLiteral("; "));
}

QString MissingLanguages(const CatalogueCoverage& candidate, const CatalogueCoverage& required)
{
    QStringList missing;
    for (auto it = required.rowsPerLanguage.cbegin(); it != required.rowsPerLanguage.cend(); ++it)
        if (it.value() > 0 && candidate.rowsPerLanguage.value(it.key()) == 0)
            missing << QStringLiteral("language %1 has no translations").arg(it.key());
    return missing.join(QStringLiteral("; "));
}
