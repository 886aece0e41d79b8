#include "PortfolioManager.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QMetaObject>

#include <atomic>
#include <memory>

namespace
{

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

} // namespace

PortfolioManager& PortfolioManager::sharedInstance()
{
    static PortfolioManager manager;
    return manager;
}

void PortfolioManager::requestQuoteForSymbol(
    const QString& symbol, const QuoteEndBlock& endBlock, const QuoteFailBlock& failBlock)
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

void PortfolioManager::updateTickers(const EndBlock& endBlock)
{
    // The document model holds no securities with a quote to refresh: the update ends on the next
    // turn of the event loop, as it would at the first tick of its timer.
    postToMainThread([endBlock] {
        if (endBlock)
            endBlock();
    });
}
