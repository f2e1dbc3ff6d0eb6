#include "cataloguereceiver.h"

#include <QNetworkReply>
#include <QTimer>

namespace {
// Qt stops reading the socket once this much waits in the reply, so the
// body passes through a small buffer into Body() and nowhere else.
constexpr qint64 kReadBufferBytes = qint64(256) * 1024;
} // namespace

CatalogueReceiver::CatalogueReceiver(QNetworkReply* reply, qint64 iMaxBytes, int iTimeLimitMs)
    : QObject(reply)
    , m_pReply(reply)
    , m_iMaxBytes(iMaxBytes)
{
    reply->setReadBufferSize(kReadBufferBytes);
    connect(reply, &QNetworkReply::metaDataChanged, this, &CatalogueReceiver::CheckLength);
    connect(reply, &QIODevice::readyRead, this, &CatalogueReceiver::Drain);
    if (iTimeLimitMs > 0) {
        m_pTimer = new QTimer(this);
        m_pTimer->setSingleShot(true);
        connect(m_pTimer, &QTimer::timeout, this, [this] {
            m_bTimedOut = true;
            Abort();
        });
        connect(reply, &QNetworkReply::finished, m_pTimer, &QTimer::stop);
        m_pTimer->start(iTimeLimitMs);
    }
}

CatalogueReceiver* CatalogueReceiver::Of(QNetworkReply* reply)
{
    return reply ? reply->findChild<CatalogueReceiver*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void CatalogueReceiver::CheckLength()
{
    if (m_bTooLarge || m_bTimedOut)
        return;
    const QVariant length = m_pReply->header(QNetworkRequest::ContentLengthHeader);
    if (!length.isValid())
        return;
    m_iAnnounced = length.toLongLong();
    if (m_iAnnounced > m_iMaxBytes) {
        m_bTooLarge = true;
        Abort();
    }
}

void CatalogueReceiver::Drain()
{
    if (m_bTooLarge || m_bTimedOut)
        return;
    if (m_iAnnounced < 0)
        CheckLength();
    const qint64 available = m_pReply->bytesAvailable();
    if (available <= 0)
        return;
    if (m_Body.size() + available > m_iMaxBytes) {
        m_bTooLarge = true;
        Abort();
        return;
    }
    m_Body += m_pReply->read(available);
}

void CatalogueReceiver::Abort()
{
    if (m_pTimer)
        m_pTimer->stop();
    m_Body.clear();
    m_Body.squeeze();
    if (m_pReply->isRunning())
        m_pReply->abort();
}

QString CatalogueReceiver::Reason() const
{
    if (m_bTooLarge)
        return QStringLiteral("more than %1 bytes").arg(m_iMaxBytes);
    if (m_bTimedOut)
        return QStringLiteral("not complete within the time limit");
    return QString();
}
