#pragma once
// The web service that answers quote queries. The network provider installs itself at start-up;
// tests install a scripted one. PortfolioManager is the only caller.
#include <QJsonValue>
#include <QString>
#include <functional>

class IQuoteService {
public:
    // The decoded JSON of the answer: an object for a quote, undefined when the data was not JSON.
    using QuoteEndBlock = std::function<void(const QJsonValue& json)>;
    // A text that describes why the request failed (no connection, time-out...).
    using QuoteFailBlock = std::function<void(const QString& error)>;

    virtual ~IQuoteService() = default;

    // Whether the service has somewhere to send its queries; one that has not fails every request.
    virtual bool isConfigured() const = 0;

    // Sends the service's quote query for the symbol without waiting, then calls exactly one of
    // the two blocks, later, on the main thread.
    virtual void requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock,
                                       const QuoteFailBlock& failBlock)
        = 0;
    // The same for the daily closes of the symbol between two dates (seconds since 2001).
    virtual void requestHistoryForSymbol(const QString& symbol, double date1, double date2,
                                         const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock)
        = 0;
};

// The installed service, or nullptr. It outlives every request; uninstall before deleting it.
IQuoteService* quoteService();
void installQuoteService(IQuoteService* service);
