#pragma once
#include <QByteArray>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QSettings;

// The catalogue download at start-up. A downloaded body replaces the
// catalogue file only when it is a complete catalogue database; anything
// else (error page, cut-off transfer, foreign file) leaves the old file as
// it was.
//
// Main window use:
//   constructor:  m_pReply = CatalogueUpdate::Start(m_Network, *theSettings);
//                 (finished -> downloadFinished connected beforehand)
//   downloadFinished(reply):  CatalogueUpdate::Apply(reply, strDbName);
class CatalogueUpdate
{
public:
    enum Status {
        Accepted,
        NetworkError,  // the reply reported an error
        HttpStatus,    // status other than 200
        TooLarge,      // body over MaxBodyBytes
        NotSqlite,     // no SQLite header
        Truncated,     // fewer bytes than the header announces
        Unreadable,    // does not open or fails the integrity check
        MissingTables, // catalogue tables absent
        NoFields,      // the catalogue query finds no field for model 1
        Unwritable     // the catalogue file could not be replaced
    };
    struct Outcome {
        Status status = Accepted;
        QString reason; // short English text for the debug output
        bool accepted() const { return status == Accepted; }
    };

    static constexpr qint64 MaxBodyBytes = qint64(32) * 1024 * 1024;
    static const char* DefaultUrl();

    // The download address: settings key "CatalogueUrl" when present (an
    // empty value switches the download off), else DefaultUrl().
    static QUrl Address(const QSettings& settings);
    static QNetworkRequest Request(const QUrl& url);
    // Starts the GET; null when the download is switched off.
    static QNetworkReply* Start(QNetworkAccessManager& manager, const QSettings& settings);

    // The checks on a body, without touching any file.
    static Outcome Check(int iHttpStatus, const QByteArray& body);
    // Check, then replace dbPath atomically.
    static Outcome Install(int iHttpStatus, const QByteArray& body, const QString& dbPath);
    // Everything downloadFinished needs: network error line, Install, reload
    // of g_DataFields through g_pDB after a replacement, deleteLater.
    static bool Apply(QNetworkReply* reply, const QString& dbPath);
};
