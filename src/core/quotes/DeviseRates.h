#pragma once
// Currency rates for a document's slots and quotes of its securities in the reference currency
// (slot 0's ticker), asked of the quote service through the portfolio manager. Answers come later,
// on the main thread; a request holds the document's lifetime, not the document, so an answer that
// arrives once the document is closed changes nothing.
#include <QString>
#include <functional>

class DOCUMENT;
class FINANCE;

using RateBlock = std::function<void(double cours)>;
using RateEndBlock = std::function<void()>;
// Where a security's quote arriving later is stored; null when the record is gone.
using FinanceTarget = std::function<FINANCE*()>;

// Asks for the price of one unit of the currency `code` in the document's slot 0 currency;
// didUpdate gets it when it is a usable rate, then end runs exactly once, whatever happened.
void updateDeviseTicker(const QString& code, DOCUMENT* doc, const RateBlock& didUpdate, const RateEndBlock& end);
// The same for a slot in use above 0; any other slot just ends.
void updateDeviseTickerAtIndex(long index, DOCUMENT* doc, const RateBlock& didUpdate, const RateEndBlock& end);
// Refreshes the rates of slots 1 to 4 of the document, one request after another, then runs end
// once. Once the document is gone the refresh asks for nothing more and ends. A refresh asked for
// while one runs is not started: its end runs at once, as it does without a document.
void updateDeviseTickers(DOCUMENT* doc, const RateEndBlock& end);

// Stores a security's quote, given in its codeDevise, as its value in every slot of the document.
// In the reference currency it is stored at once; in another currency the rate of that currency is
// asked for first, and the quote is stored into target() (by default the document's security with
// the finance's ident) only while the document still exists and neither the security's currency nor
// the reference has changed. end runs exactly once in every case, with or without a document, a
// rate or an answer.
void setFromReceivedCours(FINANCE& finance, double cours, DOCUMENT* doc, const RateEndBlock& end,
                          const FinanceTarget& target = {});
