#pragma once
// The one quote manager of the process: builds the service's queries, sends them through the
// installed quote service, reads the answers, refreshes the quotes of the document's securities and
// searches the shipped list of known tickers.
#include "quotes/IQuoteService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

class DOCUMENT;
class FINANCE;

// One entry of the known tickers: the security's category (1 to 7), its symbol and its name.
struct TickerEntry {
    long categorie = 0;
    QString symbol;
    QString name;
};
using TickerList = QList<TickerEntry>;

// Why the quote of one security could not be had: the user is told differently when no service
// is set or it does not answer (the ticker may be right) than when the service knows no such ticker.
enum class QuoteFailure { NoTicker, NoService, NoAnswer, InvalidQuote };

class PortfolioManager {
public:
    using QuoteEndBlock = IQuoteService::QuoteEndBlock;
    using QuoteFailBlock = IQuoteService::QuoteFailBlock;
    using EndBlock = std::function<void()>;
    using TitreFailBlock = std::function<void(QuoteFailure why)>;
    // Where a quote arriving later goes: null once the security (or the window editing it) is gone.
    using TitreTarget = std::function<FINANCE*()>;

    static PortfolioManager& sharedInstance();

    // The address in front of every query, ending with "q=", and the address of the table store
    // sent after "env=". Both are settings; without a root address no query can be made.
    QString rootPath() const { return m_rootPath; }
    void setRootPath(const QString& path) { m_rootPath = path; }
    QString tableStore() const { return m_tableStore; }
    void setTableStore(const QString& address) { m_tableStore = address; }

    QString requestQuoteFormat() const;
    QString requestHistoryFormat() const;
    static QString requestSectorsFormat();
    // Letters, digits and :/.?='*(),& stay; every other character becomes the percent escapes of
    // its UTF-8 bytes. "&" is kept, so a symbol holding one splits the query: no known ticker does.
    static QString cleanPath(const QString& text);
    // The URL of a query, or an empty one when it can't be made (no root address, or not a URL).
    QUrl queryUrl(const QString& query) const;
    // A quote service is installed and has an address to query.
    static bool hasService();

    // Asks for the quote of the symbol. Exactly one of the blocks runs, once, on the main thread and
    // never before this call returns; without a service the fail block does.
    void requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock);
    // Asks for the daily closes between the two dates. Nothing at all happens for an empty symbol;
    // otherwise exactly one block runs, later, as for a quote.
    void requestHistoryForSymbol(const QString& symbol, double date1, double date2, const QuoteEndBlock& endBlock,
                                 const QuoteFailBlock& failBlock);

    // "2015-03-05" for 5 March 2015.
    static QString formatedDate(double date);
    // Midnight of the year-month-day text; 0 unless it splits on "-" into exactly three numbers.
    static double extractDate(const QString& text);

    // The element under query → results → quote when all three are there and not null.
    static bool getQuoteDictionaryFromJSON(const QJsonValue& json, QJsonObject* quote);
    static bool getQuoteArrayFromJSON(const QJsonValue& json, QJsonArray* quotes);
    // Reads query → results → quote → "Name", "Currency" and "PreviousClose" (a number or a numeric
    // text). True only when all are there and not null; the price is then the previous close.
    // Otherwise the price is 0 and both texts are empty.
    static bool getQuoteFromJSON(const QJsonValue& json, double* cours, QString* description, QString* devise);
    static bool getQuoteFromJSON(const QJsonDocument& json, double* cours, QString* description, QString* devise);

    // Fetches the quote of one security and stores its name, currency and quote into target() (the
    // quote in every slot of the document). The end block runs once it is stored; the fail block,
    // with the reason, when the security has no ticker or there is no document, no service is set,
    // the request fails, or the answer holds no usable price. Exactly one of them runs, later.
    // Nothing is stored once target() answers null or the document is closed: then neither block
    // runs, there being nobody left to tell.
    void updateTickersForTitre(const FINANCE& titre, DOCUMENT* doc, const TitreTarget& target, const EndBlock& endBlock,
                               const TitreFailBlock& failBlock);

    // Refreshes the quotes of the document's securities, then runs the end block on the main
    // thread. The refresh stops at its next step once the document is gone.
    void updateTickers(DOCUMENT* doc, const EndBlock& endBlock);
    // The document closes: a refresh under way stops without running its end block.
    static void goodbye();

    // The localised name of a category 1 to 7, "Manuel" for any other.
    static QString titreCategorieToString(long categorie);
    // The shipped list of known tickers, sorted by symbol; empty when the resource is missing.
    static TickerList loadTickers();
    const TickerList& tickersArray();
    // The entries whose symbol or name holds the text, ignoring case; nothing for an empty text.
    TickerList findTickers(const QString& text);

    PortfolioManager(const PortfolioManager&) = delete;
    PortfolioManager& operator=(const PortfolioManager&) = delete;

private:
    PortfolioManager() = default;

    QString m_rootPath;
    QString m_tableStore;
    TickerList m_tickers;
    bool m_tickersLoaded = false;
};
