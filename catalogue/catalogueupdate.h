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
        TooLarge,      // body (or its Content-Length) over MaxBodyBytes
        NotSqlite,     // no SQLite header
        Truncated,     // fewer bytes than the header announces
        Unreadable,    // does not open or fails the integrity check
        MissingTables, // catalogue tables absent
        NoFields,      // a model has fewer fields than the built-in catalogue
        Unwritable,    // the catalogue file could not be replaced
        TimedOut,      // the download outlasted TimeLimitMs
        WalMode,       // a write-ahead-log database (would grow -wal/-shm files)
        NoTranslations // a language of the built-in catalogue has no rows
    };
    struct Outcome {
        Status status = Accepted;
        QString reason; // short English text for the debug output
        bool accepted() const { return status == Accepted; }
    };

    // The shipped catalogue is about 100 KiB.
    static constexpr qint64 MaxBodyBytes = qint64(8) * 1024 * 1024;
    // The download runs at every start-up without the user asking: a stalled
    // server must not keep it (and its socket) for the whole session.
    static constexpr int TimeLimitMs = 120 * 1000;
    static const char* DefaultUrl();

    // The download address: settings key "CatalogueUrl" when present (an
    // empty value switches the download off), else DefaultUrl().
    static QUrl Address(const QSettings& settings);
    static QNetworkRequest Request(const QUrl& url);
    // Starts the GET with its size and time limits; null when the download
    // is switched off.
    static QNetworkReply* Start(QNetworkAccessManager& manager, const QSettings& settings,
                                int iTimeLimitMs = TimeLimitMs);

    // The checks on a body, without touching any file.
    static Outcome Check(int iHttpStatus, const QByteArray& body);
    // Check, then replace dbPath atomically.
    static Outcome Install(int iHttpStatus, const QByteArray& body, const QString& dbPath);
    // Everything downloadFinished needs: the body gathered within the limits
    // (a reply not made by Start is read up to MaxBodyBytes), network error
    // line, Install, reload of g_DataFields through g_pDB after a
    // replacement, deleteLater.
    static bool Apply(QNetworkReply* reply, const QString& dbPath);
};
