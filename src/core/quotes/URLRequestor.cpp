#include "quotes/URLRequestor.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

URLRequestor::URLRequestor(const DataBlock& endBlock, const FailBlock& failBlock)
    : m_endBlock(endBlock)
    , m_failBlock(failBlock)
{
}

void URLRequestor::requestForUrl(QNetworkAccessManager& manager, const QUrl& url, int timeoutMs)
{
    // The manager deletes its unfinished replies without a signal: without it as parent the
    // requestor, and whatever its blocks hold, would be left behind for good.
    setParent(&manager);
    if (!url.isValid() || url.isEmpty()) {
        // Told later all the same: the caller may still be setting up what the block touches.
        QTimer::singleShot(0, this, [this] { fail(QStringLiteral("URL à nil !")); });
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    if (timeoutMs > 0)
        request.setTransferTimeout(timeoutMs);
    // The reply stays the manager's, and goes with it.
    QNetworkReply* reply = manager.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void URLRequestor::finished(QNetworkReply* reply)
{
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool answered = status.isValid() && reply->error() != QNetworkReply::OperationCanceledError;
    if (answered) {
        const QByteArray data = reply->readAll();
        if (m_endBlock)
            m_endBlock(data);
        deleteLater();
        return;
    }
    fail(reply->errorString());
}

void URLRequestor::fail(const QString& error)
{
    if (m_failBlock)
        m_failBlock(error);
    deleteLater();
}
