#include "quotes/DeviseRates.h"

#include "foundation/SystemClock.h"
#include "foundation/diagnostics.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "quotes/PortfolioManager.h"

#include <cmath>
#include <memory>

namespace {

using Lifetime = std::weak_ptr<const void>;

// Only one refresh of all rates runs at a time; a second one would ask for every slot again and
// end its caller's work before the first one's.
bool g_deviseRefreshRunning = false;

struct DeviseRefresh {
    DOCUMENT* document = nullptr;
    Lifetime lifetime;
    long slot = -1;
    bool finished = false;
    RateEndBlock endBlock;

    DeviseRefresh() = default;
    DeviseRefresh(const DeviseRefresh&) = delete;
    DeviseRefresh& operator=(const DeviseRefresh&) = delete;
    // Dropped unfinished when the service went with its request: the next refresh may start.
    ~DeviseRefresh()
    {
        if (!finished)
            g_deviseRefreshRunning = false;
    }
};

void runEnd(const RateEndBlock& end)
{
    if (end)
        end();
}

// A rate is stored only into the document it was asked for, while that document still exists and
// its slot still holds the currency and reference the price was asked with: a document closed or
// a currency changed meanwhile keeps its rate.
void storeRate(DOCUMENT* doc, const Lifetime& lifetime, long slot, const QString& code, const QString& reference,
               double cours)
{
    if (!doc || lifetime.expired() || slot < 0 || slot >= doc->deviseHdl.size())
        return;
    Devise& devise = doc->deviseHdl[slot];
    if (devise.ticker != code || Devise::deviseTickerAtIndex(doc->deviseHdl, 0) != reference)
        return;
    devise.convert = cours;
    devise.updateTime = SystemClock::now();
}

void finishDeviseRefresh(const std::shared_ptr<DeviseRefresh>& run)
{
    // Marked first, so the caller's block runs once and may start the next refresh.
    run->finished = true;
    const RateEndBlock end = std::move(run->endBlock);
    run->endBlock = nullptr;
    g_deviseRefreshRunning = false;
    runEnd(end);
}

void updateNextDevise(const std::shared_ptr<DeviseRefresh>& run)
{
    if (run->finished)
        return;
    ++run->slot;
    // Once its document is gone the run asks for nothing more.
    if (run->slot >= kDeviseSlotCount || !run->document || run->lifetime.expired()) {
        finishDeviseRefresh(run);
        return;
    }
    const long slot = run->slot;
    DOCUMENT* doc = run->document;
    const QString code = Devise::deviseTickerAtIndex(doc->deviseHdl, slot);
    const QString reference = Devise::deviseTickerAtIndex(doc->deviseHdl, 0);
    updateDeviseTickerAtIndex(
        slot, doc,
        [doc, lifetime = run->lifetime, slot, code, reference](double cours) {
            storeRate(doc, lifetime, slot, code, reference, cours);
        },
        [run] { updateNextDevise(run); });
}

FINANCE* titreWithIdent(long ident, DOCUMENT* doc)
{
    for (FINANCE& titre : doc->titreHdl) {
        if (titre.ident == ident)
            return &titre;
    }
    return nullptr;
}

// A quote in slot 0, converted into every other slot by the document's rates.
void storeCours(FINANCE& finance, double coursReference, double conversion, const DOCUMENT& doc)
{
    finance.cour.makeMontant(0, coursReference, doc.deviseHdl);
    finance.conversion = conversion;
    finance.updateTime = SystemClock::now();
}

} // namespace

void updateDeviseTicker(const QString& code, DOCUMENT* doc, const RateBlock& didUpdate, const RateEndBlock& end)
{
    const QString reference = doc ? Devise::deviseTickerAtIndex(doc->deviseHdl, 0) : QString();
    if (code.isEmpty() || reference.isEmpty()) {
        runEnd(end);
        return;
    }
    auto answered = [didUpdate, end](const QJsonValue& json) {
        double cours = 0;
        QString description;
        QString devise;
        // A price of zero, below zero or not finite would make every converted amount meaningless.
        if (PortfolioManager::getQuoteFromJSON(json, &cours, &description, &devise) && std::isfinite(cours)
            && cours > 0) {
            if (didUpdate)
                didUpdate(cours);
        } else {
            svLog(QStringLiteral("Quote invalide !"));
        }
        runEnd(end);
    };
    PortfolioManager::sharedInstance().requestQuoteForSymbol(QStringLiteral("%1%2=X").arg(code, reference), answered,
                                                             [end](const QString&) { runEnd(end); });
}

void updateDeviseTickerAtIndex(long index, DOCUMENT* doc, const RateBlock& didUpdate, const RateEndBlock& end)
{
    const Devise* devise = doc && index > 0 ? Devise::deviseAtIndex(doc->deviseHdl, index) : nullptr;
    if (devise && devise->used)
        updateDeviseTicker(devise->ticker, doc, didUpdate, end);
    else
        runEnd(end);
}

void updateDeviseTickers(DOCUMENT* doc, const RateEndBlock& end)
{
    if (g_deviseRefreshRunning || !doc) {
        runEnd(end);
        return;
    }
    auto run = std::make_shared<DeviseRefresh>();
    run->document = doc;
    run->lifetime = doc->lifetime();
    run->endBlock = end;
    g_deviseRefreshRunning = true;
    updateNextDevise(run);
}

// The rate asked for is the worth of one unit of codeDevise in slot 0's currency, the convention
// of every currency slot: the value in slot 0 is the quote times the rate, and the rate is the
// conversion kept.
void setFromReceivedCours(FINANCE& finance, double cours, DOCUMENT* doc, const RateEndBlock& end,
                          const FinanceTarget& target)
{
    if (!doc) {
        svLog(QStringLiteral("Cours reçu sans document"));
        runEnd(end);
        return;
    }
    const QString reference = Devise::deviseTickerAtIndex(doc->deviseHdl, 0);
    if (reference.isEmpty()) {
        runEnd(end);
        return;
    }
    if (finance.codeDevise == reference) {
        storeCours(finance, cours, 1.0, *doc);
        runEnd(end);
        return;
    }
    const long titreID = finance.ident;
    const QString code = finance.codeDevise;
    const FinanceTarget locate = target ? target : [doc, titreID] { return titreWithIdent(titreID, doc); };
    // The rate comes later: by then the document may be closed and the security changed or gone,
    // so it is looked up again rather than remembered.
    auto didUpdate = [doc, lifetime = doc->lifetime(), code, reference, cours, locate](double rate) {
        if (!(rate > 0) || !std::isfinite(rate) || lifetime.expired())
            return;
        if (Devise::deviseTickerAtIndex(doc->deviseHdl, 0) != reference)
            return;
        FINANCE* found = locate();
        if (found && found->codeDevise == code)
            storeCours(*found, cours * rate, rate, *doc);
    };
    // The rate request always ends, with or without a rate: the one place to call end from.
    updateDeviseTicker(code, doc, didUpdate, [end] { runEnd(end); });
}
