#include "catalogueupdate.h"
#include "appglobals.h"
#include "datafields.h"

#include <QAtomicInt>
#include <QDebug>
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

// Opens the candidate file read-only on a connection of its own, so the
// designer's connection (g_pDB) is never disturbed.
CatalogueUpdate::Outcome CheckDatabase(const QString& path)
{
    static QAtomicInt s_iConnection;
    const QString name = QStringLiteral("r8-catalogue-check-%1").arg(s_iConnection.fetchAndAddRelaxed(1));
    CatalogueUpdate::Outcome outcome;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        if (!db.open()) {
            outcome = Refuse(CatalogueUpdate::Unreadable, QStringLiteral("does not open"));
        } else {
            {
                QSqlQuery query(db);
                const QStringList tables = db.tables(QSql::Tables);
                const QStringList needed = {QStringLiteral("BaseStrings"), QStringLiteral("ModelStrings"),
                                            QStringLiteral("LanguageStrings"), QStringLiteral("Languages"),
                                            QStringLiteral("Models")};
                QStringList missing;
                for (const QString& table : needed)
                    if (!tables.contains(table, Qt::CaseInsensitive))
                        missing << table;
                if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()
                    || query.value(0).toString() != QLatin1String("ok")) {
                    outcome = Refuse(CatalogueUpdate::Unreadable, QStringLiteral("fails the integrity check"));
                } else if (!missing.isEmpty()) {
                    outcome = Refuse(CatalogueUpdate::MissingTables,
                                     QStringLiteral("lacks the tables %1").arg(missing.join(QLatin1Char(','))));
                } else if (!query.exec(QString::fromLatin1(DataFields::QueryText()).arg(1).arg(1))
                           || !query.next()) {
                    outcome = Refuse(CatalogueUpdate::NoFields, QStringLiteral("holds no field for model 1"));
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
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

QNetworkReply* CatalogueUpdate::Start(QNetworkAccessManager& manager, const QSettings& settings)
{
    const QUrl url = Address(settings);
    if (url.isEmpty() || !url.isValid())
        return nullptr;
    return manager.get(Request(url));
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
    if (reply->error() != QNetworkReply::NoError) {
        qDebug().noquote() << QStringLiteral("neterror:%1").arg(reply->errorString());
        return false;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // Stop reading at the limit: a larger body is refused anyway.
    const QByteArray body = reply->read(MaxBodyBytes + 1);
    const Outcome outcome = Install(status, body, dbPath);
    if (!outcome.accepted()) {
        qDebug().noquote() << QStringLiteral("catalogue download refused: %1").arg(outcome.reason);
        return false;
    }
    g_DataFields.LoadFromDB(g_pDB);
    return true;
}
