#include "PortfolioManager.h"

#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "quotes/DeviseRates.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <QMetaObject>
#include <QTimer>

#include <plist/plist.h>

#include <atomic>
#include <cmath>
#include <memory>

namespace {

// Runs the work on a later turn of the main thread's event loop (at once when there is no
// application object, and so no loop to wait for).
void postToMainThread(std::function<void()> work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        work();
        return;
    }
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

// The object under key, when it is there, not null and an object.
bool childObject(const QJsonObject& parent, const char* key, QJsonObject* child)
{
    const QJsonValue value = parent.value(QLatin1String(key));
    if (!value.isObject())
        return false;
    *child = value.toObject();
    return true;
}

bool textValue(const QJsonValue& value, QString* text)
{
    if (value.isString()) {
        *text = value.toString();
        return true;
    }
    if (value.isDouble()) {
        *text = QString::number(value.toDouble(), 'g', 17);
        return true;
    }
    return false;
}

// The service writes prices as JSON numbers or as texts with a point ("1.0823").
bool priceValue(const QJsonValue& value, double* price)
{
    if (value.isDouble()) {
        *price = value.toDouble();
        return true;
    }
    bool ok = false;
    const double parsed = value.isString() ? value.toString().trimmed().toDouble(&ok) : 0.0;
    if (ok)
        *price = parsed;
    return ok;
}

// ---- Refreshing the quotes of the securities ------------------------------------------------------

// The service sees at most one query per security in turn, one every 0.2 seconds.
constexpr int kTickerIntervalMs = 200;

struct TickerRefresh {
    DOCUMENT* document = nullptr;
    std::weak_ptr<const void> lifetime; // the document's: the refresh stops once it is gone
    long index = 0; // in the document's securities list, of the next security to update
    bool finished = false;
    bool cancelled = false; // the document closed: end without a word
    PortfolioManager::EndBlock endBlock;
};

std::shared_ptr<TickerRefresh> g_tickerRefresh;

void postToMainThreadAfter(int milliseconds, std::function<void()> work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        work();
        return;
    }
    QTimer::singleShot(milliseconds, app, std::move(work));
}

FINANCE* titreWithIdent(DOCUMENT* doc, long ident)
{
    for (FINANCE& titre : doc->titreHdl) {
        if (titre.ident == ident)
            return &titre;
    }
    return nullptr;
}

// A service that answers 0 or less for a price has no price to give: the security keeps its own.
bool usableCours(const QJsonValue& json, double* cours, QString* description, QString* devise)
{
    return PortfolioManager::getQuoteFromJSON(json, cours, description, devise) && std::isfinite(*cours) && *cours > 0;
}

// Fetches and stores the quote of the document's security with that ident and ticker; done runs
// exactly once, later, whatever happens. The answer is stored only while the document still exists
// and the security is still there with that ticker.
void updateTitre(DOCUMENT* doc, long ident, const QString& ticker, const std::function<void()>& done)
{
    auto answered = [doc, lifetime = doc->lifetime(), ident, ticker, done](const QJsonValue& json) {
        double cours = 0;
        QString description;
        QString devise;
        if (!usableCours(json, &cours, &description, &devise)) {
            svLog(QStringLiteral("quote invalide !"));
            done();
            return;
        }
        FINANCE* titre = lifetime.expired() ? nullptr : titreWithIdent(doc, ident);
        if (!titre || titre->ticker != ticker) {
            done();
            return;
        }
        titre->titreDescription = description;
        titre->codeDevise = devise;
        titre->coursNatif = cours;
        setFromReceivedCours(*titre, cours, doc, done);
    };
    auto failed = [done](const QString& error) {
        svLog(error);
        done();
    };
    PortfolioManager::sharedInstance().requestQuoteForSymbol(ticker, answered, failed);
}

void finishTickerRefresh(const std::shared_ptr<TickerRefresh>& run)
{
    run->finished = true;
    if (g_tickerRefresh == run)
        g_tickerRefresh.reset();
    const PortfolioManager::EndBlock end = std::move(run->endBlock);
    run->endBlock = nullptr;
    if (end)
        end();
}

void updateNextTitre(const std::shared_ptr<TickerRefresh>& run)
{
    if (run->finished || run->cancelled)
        return;
    DOCUMENT* doc = run->document;
    const bool documentOpen = doc && !run->lifetime.expired();
    if (!documentOpen)
        svLog(QStringLiteral("Cours reçus sans document ouvert"));
    if (!documentOpen || g_tickerRefresh != run) {
        finishTickerRefresh(run);
        return;
    }
    // A security without a ticker asks for nothing: the next one is tried at once.
    while (run->index < doc->titreHdl.size() && doc->titreHdl[run->index].ticker.isEmpty())
        ++run->index;
    if (run->index >= doc->titreHdl.size()) {
        finishTickerRefresh(run);
        return;
    }
    const FINANCE& titre = doc->titreHdl[run->index];
    updateTitre(doc, titre.ident, titre.ticker, [run] {
        ++run->index;
        postToMainThreadAfter(kTickerIntervalMs, [run] { updateNextTitre(run); });
    });
}

using ServiceCall = std::function<void(IQuoteService&, const PortfolioManager::QuoteEndBlock&,
                                       const PortfolioManager::QuoteFailBlock&)>;

// Whatever thread the service answers on and however often, the caller hears once, later, on the
// main thread: the rate refresh counts on it to go on with its next slot exactly once.
void askService(const PortfolioManager::QuoteEndBlock& endBlock, const PortfolioManager::QuoteFailBlock& failBlock,
                const ServiceCall& call)
{
    IQuoteService* service = quoteService();
    if (!service || !service->isConfigured()) {
        postToMainThread([failBlock] {
            if (failBlock)
                failBlock(QStringLiteral("Aucun service de cotations"));
        });
        return;
    }
    auto answered = std::make_shared<std::atomic_bool>(false);
    auto deliver = [answered](std::function<void()> work) {
        if (!answered->exchange(true))
            postToMainThread(std::move(work));
    };
    call(
        *service,
        [deliver, endBlock](const QJsonValue& json) {
            deliver([endBlock, json] {
                if (endBlock)
                    endBlock(json);
            });
        },
        [deliver, failBlock](const QString& error) {
            deliver([failBlock, error] {
                if (failBlock)
                    failBlock(error);
            });
        });
}

QString plistText(plist_t node)
{
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return QString();
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    return text ? QString::fromUtf8(text, static_cast<qsizetype>(length)) : QString();
}

// The quote element at query → results → quote, when all three are there and not null.
bool quoteElement(const QJsonValue& json, QJsonValue* quote)
{
    QJsonObject query;
    QJsonObject results;
    if (!json.isObject() || !childObject(json.toObject(), "query", &query) || !childObject(query, "results", &results))
        return false;
    const QJsonValue element = results.value(QLatin1String("quote"));
    if (element.isNull() || element.isUndefined())
        return false;
    *quote = element;
    return true;
}

} // namespace

PortfolioManager& PortfolioManager::sharedInstance()
{
    static PortfolioManager manager;
    return manager;
}

void PortfolioManager::requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock,
                                             const QuoteFailBlock& failBlock)
{
    askService(endBlock, failBlock,
               [symbol](IQuoteService& service, const QuoteEndBlock& end, const QuoteFailBlock& fail) {
                   service.requestQuoteForSymbol(symbol, end, fail);
               });
}

void PortfolioManager::requestHistoryForSymbol(const QString& symbol, double date1, double date2,
                                               const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock)
{
    if (symbol.isEmpty())
        return;
    askService(endBlock, failBlock,
               [symbol, date1, date2](IQuoteService& service, const QuoteEndBlock& end, const QuoteFailBlock& fail) {
                   service.requestHistoryForSymbol(symbol, date1, date2, end, fail);
               });
}

bool PortfolioManager::getQuoteDictionaryFromJSON(const QJsonValue& json, QJsonObject* quote)
{
    QJsonValue element;
    if (!quoteElement(json, &element) || !element.isObject())
        return false;
    if (quote)
        *quote = element.toObject();
    return true;
}

bool PortfolioManager::getQuoteArrayFromJSON(const QJsonValue& json, QJsonArray* quotes)
{
    QJsonValue element;
    if (!quoteElement(json, &element) || !element.isArray())
        return false;
    if (quotes)
        *quotes = element.toArray();
    return true;
}

bool PortfolioManager::getQuoteFromJSON(const QJsonValue& json, double* cours, QString* description, QString* devise)
{
    if (cours)
        *cours = 0;
    if (description)
        description->clear();
    if (devise)
        devise->clear();
    QJsonObject quote;
    if (!getQuoteDictionaryFromJSON(json, &quote))
        return false;
    QString name;
    QString currency;
    double price = 0;
    if (!textValue(quote.value(QLatin1String("Name")), &name)
        || !textValue(quote.value(QLatin1String("Currency")), &currency)
        || !priceValue(quote.value(QLatin1String("PreviousClose")), &price))
        return false;
    if (cours)
        *cours = price;
    if (description)
        *description = name;
    if (devise)
        *devise = currency;
    return true;
}

bool PortfolioManager::getQuoteFromJSON(const QJsonDocument& json, double* cours, QString* description, QString* devise)
{
    const QJsonValue value = json.isObject() ? QJsonValue(json.object()) : QJsonValue(QJsonValue::Undefined);
    return getQuoteFromJSON(value, cours, description, devise);
}

void PortfolioManager::updateTickers(DOCUMENT* doc, const EndBlock& endBlock)
{
    auto run = std::make_shared<TickerRefresh>();
    run->document = doc;
    if (doc)
        run->lifetime = doc->lifetime();
    run->endBlock = endBlock;
    // A newer refresh takes over: the older one ends at its next step, its end block running once.
    g_tickerRefresh = run;
    postToMainThread([run] { updateNextTitre(run); });
}

void PortfolioManager::goodbye()
{
    if (g_tickerRefresh)
        g_tickerRefresh->cancelled = true;
    g_tickerRefresh.reset();
}

bool PortfolioManager::hasService()
{
    const IQuoteService* service = quoteService();
    return service && service->isConfigured();
}

void PortfolioManager::updateTickersForTitre(const FINANCE& titre, DOCUMENT* doc, const TitreTarget& target,
                                             const EndBlock& endBlock, const TitreFailBlock& failBlock)
{
    const bool noTicker = titre.ticker.isEmpty() || !doc || !target;
    if (noTicker || !hasService()) {
        const QuoteFailure why = noTicker ? QuoteFailure::NoTicker : QuoteFailure::NoService;
        postToMainThread([failBlock, why] {
            if (failBlock)
                failBlock(why);
        });
        return;
    }
    auto answered = [doc, lifetime = doc->lifetime(), target, endBlock, failBlock](const QJsonValue& json) {
        if (lifetime.expired() || !target())
            return;
        double cours = 0;
        QString description;
        QString devise;
        if (!usableCours(json, &cours, &description, &devise)) {
            if (failBlock)
                failBlock(QuoteFailure::InvalidQuote);
            svLog(QStringLiteral("quote invalide !"));
            return;
        }
        FINANCE* edited = target();
        edited->titreDescription = description;
        edited->codeDevise = devise;
        edited->coursNatif = cours;
        setFromReceivedCours(
            *edited, cours, doc,
            [lifetime, target, endBlock] {
                if (!lifetime.expired() && target() && endBlock)
                    endBlock();
            },
            target);
    };
    auto failed = [lifetime = doc->lifetime(), target, failBlock](const QString& error) {
        if (lifetime.expired() || !target())
            return;
        if (failBlock)
            failBlock(QuoteFailure::NoAnswer);
        svLog(error);
    };
    requestQuoteForSymbol(titre.ticker, answered, failed);
}

QString PortfolioManager::requestQuoteFormat() const
{
    return QStringLiteral("select * from yahoo.finance.quotes where symbol = \"%1\"&format=json&env=") + m_tableStore;
}

QString PortfolioManager::requestHistoryFormat() const
{
    return QStringLiteral("select * from yahoo.finance.historicaldata where symbol = \"%1\" and startDate = \"%2\" "
                          "and endDate = \"%3\"&format=json&env=")
        + m_tableStore;
}

QString PortfolioManager::requestSectorsFormat()
{
    return QStringLiteral("select * from yahoo.finance.sectors");
}

QString PortfolioManager::cleanPath(const QString& text)
{
    static const QString kept = QStringLiteral(":/.?='*(),&");
    QString clean;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isLetterOrNumber() || kept.contains(c)) {
            clean.append(c);
            continue;
        }
        // A surrogate pair is one character: its two halves are encoded together.
        const qsizetype length = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray utf8 = text.mid(i, length).toUtf8();
        for (const char byte : utf8)
            clean += QLatin1Char('%')
                + QString::number(static_cast<unsigned char>(byte), 16).rightJustified(2, QLatin1Char('0')).toUpper();
        i += length - 1;
    }
    return clean;
}

QUrl PortfolioManager::queryUrl(const QString& query) const
{
    if (m_rootPath.isEmpty())
        return QUrl();
    QUrl url(cleanPath(m_rootPath + query), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        return QUrl();
    return url;
}

QString PortfolioManager::formatedDate(double date)
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, date);
    return QStringLiteral("%1-%2-%3").arg(year).arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
}

double PortfolioManager::extractDate(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() != 3)
        return 0;
    long values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toLong(&ok);
        if (!ok)
            return 0;
    }
    if (values[1] < 1 || values[1] > 12 || values[2] < 1 || values[2] > daysInMonth(values[1], values[0]))
        return 0;
    double date = 0;
    dmyToDate(values[2], values[1], values[0], &date);
    return date;
}

QString PortfolioManager::titreCategorieToString(long categorie)
{
    static const char* const keys[]
        = {"TitreCategorieBond",       "TitreCategorieCurrency", "TitreCategorieETF",    "TitreCategorieIndex",
           "TitreCategorieMutualFund", "TitreCategorieStock",    "TitreCategorieWarrant"};
    if (categorie < 1 || categorie > 7)
        return QStringLiteral("Manuel");
    return localizedAppl(QString::fromLatin1(keys[categorie - 1]));
}

TickerList PortfolioManager::loadTickers()
{
    QFile file(QStringLiteral(":/data/Tickers.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &root);
    const std::unique_ptr<void, void (*)(plist_t)> holder(root, plist_free);
    if (!root || plist_get_node_type(root) != PLIST_ARRAY)
        return {};
    TickerList list;
    const uint32_t count = plist_array_get_size(root);
    for (uint32_t i = 0; i < count; ++i) {
        plist_t entry = plist_array_get_item(root, i);
        if (!entry || plist_get_node_type(entry) != PLIST_ARRAY || plist_array_get_size(entry) < 2)
            continue;
        TickerEntry ticker;
        ticker.categorie = plistText(plist_array_get_item(entry, 0)).toLong();
        ticker.symbol = plistText(plist_array_get_item(entry, 1));
        if (plist_array_get_size(entry) > 2)
            ticker.name = plistText(plist_array_get_item(entry, 2));
        list.append(ticker);
    }
    return list;
}

const TickerList& PortfolioManager::tickersArray()
{
    if (!m_tickersLoaded) {
        m_tickers = loadTickers();
        m_tickersLoaded = true;
    }
    return m_tickers;
}

TickerList PortfolioManager::findTickers(const QString& text)
{
    TickerList found;
    if (text.isEmpty())
        return found;
    for (const TickerEntry& ticker : tickersArray()) {
        if (ticker.symbol.contains(text, Qt::CaseInsensitive) || ticker.name.contains(text, Qt::CaseInsensitive))
            found.append(ticker);
    }
    return found;
}
