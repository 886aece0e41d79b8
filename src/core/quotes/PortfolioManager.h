#pragma once
// The one quote manager of the process: sends quote requests through the installed quote
// service, reads the answers, and refreshes the quotes of the document's securities.
#include "quotes/IQuoteService.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QString>
#include <functional>

class DOCUMENT;

class PortfolioManager {
public:
    using QuoteEndBlock = IQuoteService::QuoteEndBlock;
    using QuoteFailBlock = IQuoteService::QuoteFailBlock;
    using EndBlock = std::function<void()>;

    static PortfolioManager& sharedInstance();

    // Asks for the quote of the symbol. Exactly one of the blocks runs, once, on the main thread and
    // never before this call returns; without a service the fail block does.
    void requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock);

    // Reads query → results → quote → "Name", "Currency" and "PreviousClose" (a number or a numeric
    // text). True only when all are there and not null; the price is then the previous close.
    // Otherwise the price is 0 and both texts are empty.
    static bool getQuoteFromJSON(const QJsonValue& json, double* cours, QString* description, QString* devise);
    static bool getQuoteFromJSON(const QJsonDocument& json, double* cours, QString* description, QString* devise);

    // Refreshes the quotes of the document's securities, then runs the end block on the main
    // thread. The refresh stops at its next step once the document is gone.
    void updateTickers(DOCUMENT* doc, const EndBlock& endBlock);

    PortfolioManager(const PortfolioManager&) = delete;
    PortfolioManager& operator=(const PortfolioManager&) = delete;

private:
    PortfolioManager() = default;
};
