#include "DeviseConversion.h"

#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"
#include "model/ReleveCompute.h"

#include <cmath>
#include <functional>
#include <utility>

namespace {

// What a pass does to each amount and to each currency index it meets.
struct SlotPass {
    std::function<void(MONTANT&)> montant;
    std::function<void(MONTANT&)> cour; // a security's quote, stored with more decimals
    std::function<void(long&)> devise;
};

bool isSecondarySlot(long slot)
{
    return slot >= 1 && slot < kDeviseSlotCount;
}

// The currency index a record keeps once slots 0 and n have changed places.
long exchangedSlot(long devise, long slot)
{
    if (devise == 0)
        return slot;
    return devise == slot ? 0 : devise;
}

// Slot n is filled as the files will hold it, so that what is summed from it now is what the next
// opening sums.
SlotPass convertPass(long slot, const DeviseList& devises)
{
    auto fill = [slot, &devises](MONTANT& m, long decimales) {
        convertMontantSlot(m, slot, devises);
        m.setValueForDevise(slot, storedMontantValue(m.getValueForDevise(slot), decimales));
    };
    const long decimales = Devise::deviseDecimalesAtIndex(devises, slot);
    return {[fill, decimales](MONTANT& m) { fill(m, decimales); }, [fill](MONTANT& m) { fill(m, kCourDecimales); },
            [slot](long& devise) {
                // Slot n's values are being rewritten from slot 0, so slot 0 holds what was entered.
                if (devise == slot)
                    devise = 0;
            }};
}

// Every slot in use as the files hold it with the currencies' present decimals.
SlotPass storedPass(const DeviseList& devises)
{
    return {[&devises](MONTANT& m) { m.roundAsStored(devises); },
            [&devises](MONTANT& m) {
                for (long i = 0; i < kDeviseSlotCount; ++i) {
                    if (Devise::deviseUsedAtIndex(devises, i))
                        m.setValueForDevise(i, storedMontantValue(m.getValueForDevise(i), kCourDecimales));
                }
            },
            [](long&) {}};
}

SlotPass swapPass(long slot)
{
    return {[slot](MONTANT& m) { swapMontantSlots(m, slot); }, [slot](MONTANT& m) { swapMontantSlots(m, slot); },
            [slot](long& devise) { devise = exchangedSlot(devise, slot); }};
}

void passTransact(TRANSACT& transact, const SlotPass& pass)
{
    for (MONTANT* m : {&transact.solde, &transact.taxe, &transact.quote1, &transact.quote2, &transact.quote3})
        pass.montant(*m);
    for (MULTI& multi : transact.multis)
        pass.montant(multi.montant);
    pass.devise(transact.devise);
}

// Accounts and banks alike: a bank's part-balances and statements are simply empty.
void passTool(TOOL& tool, const SlotPass& pass)
{
    for (MONTANT* m : {&tool.solde, &tool.soldeSR, &tool.RsoldeSR})
        pass.montant(*m);
    for (RELEVE& releve : tool.releves) {
        pass.montant(releve.solde);
        pass.montant(releve.Rsolde);
    }
    pass.devise(tool.devise);
}

// The totals are derived from the transactions, but they are stored and shown as they stand until
// the next computation, so they follow the transactions' slots.
void passFinance(FINANCE& finance, const SlotPass& pass)
{
    pass.cour(finance.cour);
    for (MONTANT TOTAUX::*total : TOTAUX::kTotals)
        pass.montant(finance.totaux.*total);
}

void passDocument(DOCUMENT& doc, const SlotPass& pass)
{
    for (TRANSACT& transact : doc.transact_array)
        passTransact(transact, pass);
    for (TOOL& compte : doc.compteHdl)
        passTool(compte, pass);
    for (TOOL& banque : doc.banqueHdl)
        passTool(banque, pass);
    for (FinanceList* list : {&doc.titreHdl, &doc.remunereHdl, &doc.empruntHdl, &doc.portfolioArray}) {
        for (FINANCE& finance : *list)
            passFinance(finance, pass);
    }
    for (MACRO& macro : doc.macroHdl) {
        if (macro.transact)
            passTransact(*macro.transact, pass);
    }
    for (ECHEANCIER& echeancier : doc.echeancierHdl) {
        passTransact(echeancier.transact, pass);
        for (PECHEANCIER& perso : echeancier.perso)
            passTransact(perso.transact, pass);
    }
    // Forecasts are budgets shown in every slot like the rest: a slot left unfilled here would
    // compare every forecast against zero in that currency.
    for (Prevision& prevision : doc.previsionsArray)
        passTransact(prevision.transact, pass);
}

// Rates are worth in slot 0's currency; once slot n is the reference, each is expressed in it.
// Slots not in use keep their rate: it is entered again when they are put into use.
void rescaleDeviseRates(DeviseList& devises, long slot)
{
    const double r = devises[slot].convert;
    for (long i = 0; i < kDeviseSlotCount; ++i) {
        Devise& devise = devises[i];
        if (devise.used)
            devise.convert = i == slot ? 1.0 : devise.convert / r;
    }
}

// The current slot follows the currency it showed, whatever the default slot was.
void followMainDevise(long slot, DOCUMENT& doc, bool followCurrentSlot)
{
    if (doc.docParam)
        doc.docParam->defaultDevise = exchangedSlot(doc.docParam->defaultDevise, slot);
    if (followCurrentSlot)
        MONTANT::setCurrentDeviseSlot(static_cast<int>(exchangedSlot(MONTANT::currentDeviseSlot(), slot)));
}

bool canBecomeMain(long slot, const DOCUMENT* doc)
{
    if (!doc || !isSecondarySlot(slot) || doc->deviseHdl.size() != kDeviseSlotCount)
        return false;
    const Devise& devise = doc->deviseHdl[slot];
    return devise.used && devise.convert != 0.0 && std::isfinite(devise.convert);
}

} // namespace

bool convertDocumentDevise(long slot, DOCUMENT* doc)
{
    if (!doc || !isSecondarySlot(slot))
        return false;
    passDocument(*doc, convertPass(slot, doc->deviseHdl));
    // Every balance summed from the amounts as stored, as the next opening sums it: a balance
    // converted from slot 0 would differ from that sum by a few cents.
    recomputeAllReleves(doc);
    return true;
}

void roundDocumentAsStored(DOCUMENT* doc)
{
    if (!doc || doc->deviseHdl.size() != kDeviseSlotCount)
        return;
    passDocument(*doc, storedPass(doc->deviseHdl));
    recomputeAllReleves(doc);
}

void convertTransactDevise(TRANSACT& transact, long slot, const DeviseList& devises)
{
    if (isSecondarySlot(slot))
        passTransact(transact, convertPass(slot, devises));
}

bool makeDeviseSlotMain(long slot, DOCUMENT* doc, bool followCurrentSlot)
{
    if (!canBecomeMain(slot, doc))
        return false;
    rescaleDeviseRates(doc->deviseHdl, slot);
    doc->deviseHdl.swapItemsAt(0, slot);
    followMainDevise(slot, *doc, followCurrentSlot);
    passDocument(*doc, swapPass(slot));
    return true;
}

void swapTransactDevise(TRANSACT& transact, long slot)
{
    if (isSecondarySlot(slot))
        passTransact(transact, swapPass(slot));
}

void swapMontantSlots(MONTANT& montant, long slot)
{
    if (isSecondarySlot(slot))
        std::swap(montant.values[0], montant.values[static_cast<size_t>(slot)]);
}
