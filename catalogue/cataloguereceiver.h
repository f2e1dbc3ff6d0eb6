#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkReply;
class QTimer;

// Collects the body of the catalogue download while it arrives, within a
// size and a time limit. A Content-Length over the size, more bytes than the
// size, or a transfer that outlasts the time aborts the reply, so an endless
// or stalled body can neither fill the memory nor run for ever. It is a child
// of the reply and goes with it.
class CatalogueReceiver : public QObject
{
    Q_OBJECT
public:
    // iTimeLimitMs <= 0: no time limit.
    CatalogueReceiver(QNetworkReply* reply, qint64 iMaxBytes, int iTimeLimitMs);

    // The receiver attached to a reply, or null.
    static CatalogueReceiver* Of(QNetworkReply* reply);

    // Takes what the reply still holds (within the limit).
    void Drain();
    const QByteArray& Body() const { return m_Body; }

    bool TooLarge() const { return m_bTooLarge; }
    bool TimedOut() const { return m_bTimedOut; }
    QString Reason() const; // why the reply was aborted; empty when it was not

private:
    void CheckLength();
    void Abort();

    QNetworkReply* m_pReply;
    QTimer* m_pTimer = nullptr;
    qint64 m_iMaxBytes;
    QByteArray m_Body;
    qint64 m_iAnnounced = -1;
    bool m_bTooLarge = false;
    bool m_bTimedOut = false;
};
