#include "catalogueupdate.h"
#include "appglobals.h"
#include "cataloguecoverage.h"
#include "cataloguereceiver.h"
#include "datafields.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryFile>
#include <QtEndian>

Q_LOGGING_CATEGORY(lcCatalogue, "r8.catalogue")

namespace {

const char kSettingsKey[] = "CatalogueUrl";
constexpr char kSqliteHeader[] = "SQLite format 3"; // 16 bytes with the closing zero
constexpr int kHeaderBytes = 100;

CatalogueUpdate::Outcome Refuse(CatalogueUpdate::Status status, const QString& reason)
{
    CatalogueUpdate::Outcome outcome;
    outcome.status = status;
    outcome.reason = reason;
    return outcome;
}

// Size the database header announces (page size x page count), or 0 when
// the count is not trustworthy (written by a very old library).
qint64 AnnouncedSize(const QByteArray& body)
{
    const auto* header = reinterpret_cast<const uchar*>(body.constData());
    qint64 pageSize = qFromBigEndian<quint16>(header + 16);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 pageCount = qFromBigEndian<quint32>(header + 28);
    const quint32 changeCounter = qFromBigEndian<quint32>(header + 24);
    const quint32 validFor = qFromBigEndian<quint32>(header + 92);
    if (pageCount == 0 || changeCounter != validFor)
        return 0;
    return pageSize * pageCount;
}

// The header bytes 18 and 19 (write and read format) are 2 in WAL mode.
bool IsWalDatabase(const QByteArray& body)
{
    return body.at(18) == 2 || body.at(19) == 2;
}

// Checks the candidate file on a connection of its own: integrity, tables,
// then every model and language the designer serves.
CatalogueUpdate::Outcome CheckDatabase(const QString& path)
{
    CatalogueUpdate::Outcome outcome;
    const bool opened = WithReadOnlyDatabase(path, [&outcome](QSqlDatabase& db) {
        QSqlQuery query(db);
        const QStringList tables = db.tables(QSql::Tables);
        const QStringList needed = {QStringLiteral("BaseStrings"), QStringLiteral("ModelStrings"),
                                    QStringLiteral("LanguageStrings"), QStringLiteral("Languages"),
                                    QStringLiteral("Models")};
        QStringList missing;
        for (const QString& table : needed)
            if (!tables.contains(table, Qt::CaseInsensitive))
                missing << table;
        CatalogueCoverage coverage;
        if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()
            || query.value(0).toString() != QLatin1String("ok")) {
            outcome = Refuse(CatalogueUpdate::Unreadable, QStringLiteral("fails the integrity check"));
        } else if (!missing.isEmpty()) {
            outcome = Refuse(CatalogueUpdate::MissingTables,
                             QStringLiteral("lacks the tables %1").arg(missing.join(QLatin1Char(','))));
        } else if (!ReadCoverage(db, &coverage)) {
            outcome = Refuse(CatalogueUpdate::NoFields, QStringLiteral("the field query fails"));
        } else {
            const QString fields = MissingFields(coverage, RequiredCoverage());
            const QString languages = MissingLanguages(coverage, RequiredCoverage());
            if (!fields.isEmpty())
                outcome = Refuse(CatalogueUpdate::NoFields, fields);
            else if (!languages.isEmpty())
                outcome = Refuse(CatalogueUpdate::NoTranslations, languages);
        }
    });
    if (!opened)
        return Refuse(CatalogueUpdate::Unreadable, QStringLiteral("does not open"));
    return outcome;
}

} // namespace

const char* CatalogueUpdate::DefaultUrl()
{
    return "http://www.zarvin.com/R8strings.sqlite";
}

QUrl CatalogueUpdate::Address(const QSettings& settings)
{
    if (settings.contains(QLatin1String(kSettingsKey)))
        return QUrl(settings.value(QLatin1String(kSettingsKey)).toString().trimmed());
    return QUrl(QString::fromLatin1(DefaultUrl()));
}

QNetworkRequest CatalogueUpdate::Request(const QUrl& url)
{
    QNetworkRequest request(url);
    // A moved file is followed, but never from https back to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

QNetworkReply* CatalogueUpdate::Start(QNetworkAccessManager& manager, const QSettings& settings, int iTimeLimitMs)
{
    const QUrl url = Address(settings);
    if (url.isEmpty() || !url.isValid())
        return nullptr;
    QNetworkReply* reply = manager.get(Request(url));
    new CatalogueReceiver(reply, MaxBodyBytes, iTimeLimitMs);
    return reply;
}

CatalogueUpdate::Outcome CatalogueUpdate::Check(int iHttpStatus, const QByteArray& body)
{
    if (iHttpStatus != 200)
        return Refuse(HttpStatus, QStringLiteral("HTTP status %1").arg(iHttpStatus));
    if (body.size() > MaxBodyBytes)
        return Refuse(TooLarge, QStringLiteral("%1 bytes").arg(body.size()));
    if (body.size() < kHeaderBytes || !body.startsWith(QByteArray::fromRawData(kSqliteHeader, sizeof kSqliteHeader)))
        return Refuse(NotSqlite, QStringLiteral("not an SQLite database"));
    const qint64 announced = AnnouncedSize(body);
    if (announced > body.size())
        return Refuse(Truncated, QStringLiteral("%1 of %2 bytes").arg(body.size()).arg(announced));
    // Even read-only, SQLite would put -wal and -shm files beside the
    // catalogue (or fail in a folder it may not write).
    if (IsWalDatabase(body))
        return Refuse(WalMode, QStringLiteral("a write-ahead-log database"));

    QTemporaryFile candidate;
    if (!candidate.open() || candidate.write(body) != body.size() || !candidate.flush())
        return Refuse(Unreadable, QStringLiteral("no room for a temporary copy"));
    candidate.close();
    return CheckDatabase(candidate.fileName());
}

CatalogueUpdate::Outcome CatalogueUpdate::Install(int iHttpStatus, const QByteArray& body, const QString& dbPath)
{
    Outcome outcome = Check(iHttpStatus, body);
    if (!outcome.accepted())
        return outcome;
    // QSaveFile writes beside the target and renames: readers see the old
    // file or the new one, never a part.
    QSaveFile file(dbPath);
    if (!file.open(QIODevice::WriteOnly))
        return Refuse(Unwritable, file.errorString());
    if (file.write(body) != body.size() || !file.commit())
        return Refuse(Unwritable, file.errorString());
    return outcome;
}

bool CatalogueUpdate::Apply(QNetworkReply* reply, const QString& dbPath)
{
    if (!reply)
        return false;
    reply->deleteLater();
    CatalogueReceiver* receiver = CatalogueReceiver::Of(reply);
    if (!receiver)
        receiver = new CatalogueReceiver(reply, MaxBodyBytes, 0);
    receiver->Drain();
    Outcome outcome;
    if (receiver->TooLarge() || receiver->TimedOut()) {
        outcome = Refuse(receiver->TooLarge() ? TooLarge : TimedOut, receiver->Reason());
    } else if (reply->error() != QNetworkReply::NoError) {
        qCDebug(lcCatalogue).noquote() << QStringLiteral("neterror:%1").arg(reply->errorString());
        return false;
    } else {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        outcome = Install(status, receiver->Body(), dbPath);
    }
    if (!outcome.accepted()) {
        qCDebug(lcCatalogue).noquote() << QStringLiteral("catalogue download refused: %1").arg(outcome.reason);
        return false;
    }
    g_DataFields.LoadFromDB(g_pDB);
    return true;
}
