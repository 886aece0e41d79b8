#include "PortfolioManager.h"

#include "foundation/diagnostics.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "quotes/DeviseRates.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QMetaObject>
#include <QTimer>

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
    if (run->finished)
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

} // namespace

PortfolioManager& PortfolioManager::sharedInstance()
{
    static PortfolioManager manager;
    return manager;
}

void PortfolioManager::requestQuoteForSymbol(const QString& symbol, const QuoteEndBlock& endBlock,
                                             const QuoteFailBlock& failBlock)
{
    IQuoteService* service = quoteService();
    if (!service) {
        postToMainThread([failBlock] {
            if (failBlock)
                failBlock(QStringLiteral("Aucun service de cotations"));
        });
        return;
    }
    // Whatever thread the service answers on and however often, the caller hears once, later, on
    // the main thread: the rate refresh counts on it to go on with its next slot exactly once.
    auto answered = std::make_shared<std::atomic_bool>(false);
    auto deliver = [answered](std::function<void()> work) {
        if (!answered->exchange(true))
            postToMainThread(std::move(work));
    };
    service->requestQuoteForSymbol(
        symbol,
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

bool PortfolioManager::getQuoteFromJSON(const QJsonValue& json, double* cours, QString* description, QString* devise)
{
    if (cours)
        *cours = 0;
    if (description)
        description->clear();
    if (devise)
        devise->clear();
    QJsonObject query;
    QJsonObject results;
    QJsonObject quote;
    if (!json.isObject() || !childObject(json.toObject(), "query", &query) || !childObject(query, "results", &results)
        || !childObject(results, "quote", &quote))
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
