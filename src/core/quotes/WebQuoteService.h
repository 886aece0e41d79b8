#pragma once
// The quote service over HTTP: the portfolio manager's queries sent to its root address, the JSON
// answers decoded. Without a root address no query can be made and every request fails, so a
// program whose user set no address asks nothing of the network.
#include "quotes/IQuoteService.h"

#include <QNetworkAccessManager>

class WebQuoteService : public IQuoteService {
public:
    // A request that has not completed within this time fails.
    static constexpr int kDefaultTimeoutMs = 20000;

    WebQuoteService() = default;
    WebQuoteService(const WebQuoteService&) = delete;
    WebQuoteService& operator=(const WebQuoteService&) = delete;

    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // True once the user has set the service's root address.
    bool isConfigured() const override;

    void requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock,
                               const QuoteFailBlock& failBlock) override;
    void requestHistoryForSymbol(const QString& symbol, double date1, double date2, const QuoteEndBlock& endBlock,
                                 const QuoteFailBlock& failBlock) override;

    // Sends one query; the end block gets the answer decoded as JSON (undefined when it is not).
    void processRequest(const QString& query, const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock);

private:
    QNetworkAccessManager m_manager;
    int m_timeoutMs = kDefaultTimeoutMs;
};
