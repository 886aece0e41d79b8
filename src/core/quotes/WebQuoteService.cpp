#include "quotes/WebQuoteService.h"

#include "foundation/diagnostics.h"
#include "quotes/PortfolioManager.h"
#include "quotes/URLRequestor.h"

#include <QJsonDocument>

namespace {

QJsonValue decodeJson(const QByteArray& data)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return QJsonValue(QJsonValue::Undefined);
    if (document.isObject())
        return document.object();
    if (document.isArray())
        return document.array();
    return QJsonValue(QJsonValue::Undefined);
}

} // namespace

bool WebQuoteService::isConfigured() const
{
    return !PortfolioManager::sharedInstance().rootPath().trimmed().isEmpty();
}

void WebQuoteService::requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock,
                                            const QuoteFailBlock& failBlock)
{
    processRequest(PortfolioManager::sharedInstance().requestQuoteFormat().arg(symbol), endBlock, failBlock);
}

void WebQuoteService::requestHistoryForSymbol(const QString& symbol, double date1, double date2,
                                              const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock)
{
    const QString query = PortfolioManager::sharedInstance().requestHistoryFormat().arg(
        symbol, PortfolioManager::formatedDate(date1), PortfolioManager::formatedDate(date2));
    processRequest(query, endBlock, failBlock);
}

void WebQuoteService::processRequest(const QString& query, const QuoteEndBlock& endBlock,
                                     const QuoteFailBlock& failBlock)
{
    const QUrl url = PortfolioManager::sharedInstance().queryUrl(query);
    if (url.isEmpty())
        svLog(QStringLiteral("URL à nil !"));
    auto* requestor = new URLRequestor(
        [endBlock](const QByteArray& data) {
            if (endBlock)
                endBlock(decodeJson(data));
        },
        [failBlock](const QString& error) {
            svLog(error);
            if (failBlock)
                failBlock(error);
        });
    requestor->requestForUrl(m_manager, url, m_timeoutMs);
}
