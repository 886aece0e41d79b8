#pragma once
// Keeps the five currency slots of every stored amount consistent when the document's currency
// configuration changes. A slot put into use is filled from the reference slot; a slot made the
// main currency changes places with slot 0 in the currency list, in every amount and in every
// record's currency index, and the rates are rescaled so that the new slot 0 is worth 1.
//
// Every pass reaches every record of the document that holds amounts, in this order: transactions,
// accounts with their statements, banks, investments (securities, savings, loans, portfolios: the
// quote and the stored totals), macros' templates, schedules with their custom occurrences, and
// forecasts' models.
#include "model/Devise.h"

class DOCUMENT;
class MONTANT;
class TRANSACT;

// Fills slot n (1..4) of every amount of the document from slot 0 at the document's rates; a
// record entered in slot n passes to slot 0, whose values are the ones kept. Called once the slot's
// record is marked used. Slot n is filled as the files hold it (storedMontantValue, with its
// currency's decimals, a quote's with its own) and the balances of every account and bank are
// summed again from the transactions, so every figure is the one the next opening shows. False,
// with nothing changed, without a document or for another slot.
bool convertDocumentDevise(long slot, DOCUMENT* doc);
// Every amount the document's files keep as they stand, as they hold it with the currencies'
// present decimals, and every balance summed again from them: after a currency's decimals change,
// the figures shown are those the next opening shows. Nothing without a document of five slots.
void roundDocumentAsStored(DOCUMENT* doc);
// The same for one transaction: its amounts, its split lines and its currency index. Nothing for a
// slot outside 1..4.
void convertTransactDevise(TRANSACT& transact, long slot, const DeviseList& devises);

// Makes slot n (1..4) the document's main currency: the rate of every slot in use is divided by
// slot n's (which becomes 1.0), the records of slots 0 and n change places, every amount and
// currency index of the document exchanges 0 and n, and so do the document's default slot and,
// with followCurrentSlot (doc is the document the windows show), the current slot
// (MONTANT::currentDeviseSlot). False, with nothing changed, without a document of five slots, for
// another slot, or when slot n is not in use or its rate is zero or not finite: the reference
// would lose its values or every rate would become infinite.
bool makeDeviseSlotMain(long slot, DOCUMENT* doc, bool followCurrentSlot);
// Exchanges slots 0 and n in every amount of the transaction and in its currency index. Nothing for
// a slot outside 1..4.
void swapTransactDevise(TRANSACT& transact, long slot);
// Exchanges the values of slots 0 and n (1..4); nothing for another slot.
void swapMontantSlots(MONTANT& montant, long slot);
