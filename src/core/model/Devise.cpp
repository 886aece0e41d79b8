#include "Devise.h"

#include "model/DOCUMENT.h"
#include "document/DocContext.h"
#include "foundation/SystemClock.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "quotes/PortfolioManager.h"

#include <cmath>

Devise Devise::copyOfDevise() const
{
    Devise d = *this;
    d.date = 0;
    return d;
}

const Devise* Devise::deviseAtIndex(const DeviseList& list, long index)
{
    if (index < 0 || index >= kDeviseSlotCount || index >= list.size())
        return nullptr;
    return &list[index];
}

QString Devise::deviseToString(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    if (!d) {
        svLog(QStringLiteral("Devise NULL (Devise deviseToString)"));
        return QStringLiteral("?");
    }
    return QStringLiteral("%1 (%2)").arg(d->fullName, d->unit);
}

double Devise::deviseConvertAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->convert : 1.0;
}

QString Devise::deviseUnitAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->unit : QString();
}

QString Devise::deviseFullNameAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->fullName : QString();
}

QString Devise::deviseTickerAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->ticker : QString();
}

bool Devise::deviseUsedAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d && d->used;
}

long Devise::deviseDecimalesAtIndex(const DeviseList& list, long index)
{
    const Devise* d = deviseAtIndex(list, index);
    return d ? d->decimale : 2;
}

bool Devise::findDeviseWithUnit(const DeviseList& list, const QString& unit, long* index)
{
    for (long i = 0; i < kDeviseSlotCount; ++i) {
        const Devise* d = deviseAtIndex(list, i);
        if (d && d->used && d->unit == unit) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (index)
        *index = kDeviseSlotCount;
    return false;
}

DeviseList Devise::copyOfDeviseArray(const DeviseList& list)
{
    DeviseList out;
    out.reserve(list.size());
    for (const Devise& d : list)
        out.append(d.copyOfDevise());
    return out;
}

DeviseList Devise::defaultDevises()
{
    DeviseList list;
    for (int slot = 0; slot < kDeviseSlotCount; ++slot) {
        Devise d;
        d.decimale = 2;
        if (slot == 0) {
            d.fullName = localizedMisc(QStringLiteral("kMisc_DeviseName1"));
            d.unit = localizedMisc(QStringLiteral("kMisc_DeviseAbrev1"));
            d.ticker = QStringLiteral("EUR");
            d.convert = 1.0;
            d.used = true;
        } else if (slot == 1) {
            d.fullName = localizedMisc(QStringLiteral("kMisc_DeviseName2"));
            d.unit = localizedMisc(QStringLiteral("kMisc_DeviseAbrev2"));
            d.convert = 0.1524490172374104;
            d.used = true;
        } else {
            d.fullName = localizedMisc(QStringLiteral("kMisc_DefaultName"));
            d.convert = 0.0;
            d.used = false;
        }
        list.append(d);
    }
    return list;
}

// ---- Rates from the quote service ------------------------------------------------------------

namespace
{

// Only one refresh of all rates runs at a time; a second one would ask for every slot again and
// end its caller's work before the first one's.
bool g_deviseRefreshRunning = false;

void runEnd(const Devise::EndBlock& end)
{
    if (end)
        end();
}

// A rate is stored only into the document it was asked for, while that document is still the open
// one and its slot still holds the currency and reference the price was asked with: a document
// closed (or another opened at the same address) or a currency changed meanwhile keeps its rate.
void storeRate(DOCUMENT* doc, long slot, const QString& code, const QString& reference, double cours)
{
    if (!doc || currentDocument() != doc || slot < 0 || slot >= doc->deviseHdl.size())
        return;
    Devise& devise = doc->deviseHdl[slot];
    if (devise.ticker != code || Devise::deviseTickerAtIndex(doc->deviseHdl, 0) != reference)
        return;
    devise.convert = cours;
    devise.updateTime = SystemClock::now();
}

} // namespace

struct Devise::DeviseRefresh {
    DOCUMENT* document = nullptr;
    long slot = -1;
    bool finished = false;
    EndBlock endBlock;
};

void Devise::updateDeviseTicker(
    const QString& code, DOCUMENT* doc, const DidUpdateBlock& didUpdate, const EndBlock& end)
{
    const QString reference = doc ? deviseTickerAtIndex(doc->deviseHdl, 0) : QString();
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
    PortfolioManager::sharedInstance().requestQuoteForSymbol(
        QStringLiteral("%1%2=X").arg(code, reference), answered, [end](const QString&) { runEnd(end); });
}

void Devise::updateDeviseTickerAtIndex(long index, DOCUMENT* doc, const DidUpdateBlock& didUpdate, const EndBlock& end)
{
    const Devise* devise = doc && index > 0 ? deviseAtIndex(doc->deviseHdl, index) : nullptr;
    if (devise && devise->used)
        updateDeviseTicker(devise->ticker, doc, didUpdate, end);
    else
        runEnd(end);
}

void Devise::updateDeviseTickers(DOCUMENT* doc, const EndBlock& end)
{
    if (g_deviseRefreshRunning) {
        runEnd(end);
        return;
    }
    auto run = std::make_shared<DeviseRefresh>();
    run->document = doc ? doc : currentDocument();
    run->endBlock = end;
    g_deviseRefreshRunning = true;
    updateNextDevise(run);
}

void Devise::updateNextDevise(const std::shared_ptr<DeviseRefresh>& run)
{
    if (run->finished)
        return;
    ++run->slot;
    // Once its document is no longer the open one the run asks for nothing more: the document may
    // be gone.
    if (run->slot >= kDeviseSlotCount || !run->document || currentDocument() != run->document) {
        finishDeviseRefresh(run);
        return;
    }
    const long slot = run->slot;
    DOCUMENT* doc = run->document;
    const QString code = deviseTickerAtIndex(doc->deviseHdl, slot);
    const QString reference = deviseTickerAtIndex(doc->deviseHdl, 0);
    updateDeviseTickerAtIndex(
        slot, doc, [doc, slot, code, reference](double cours) { storeRate(doc, slot, code, reference, cours); },
        [run] { updateNextDevise(run); });
}

void Devise::finishDeviseRefresh(const std::shared_ptr<DeviseRefresh>& run)
{
    // Marked first, so the caller's block runs once and may start the next refresh.
    run->finished = true;
    const EndBlock end = std::move(run->endBlock);
    run->endBlock = nullptr;
    g_deviseRefreshRunning = false;
    runEnd(end);
}
