#pragma once
// What the investments derive from the transactions: a transaction names its security, savings
// account or loan by titreID, remunereID or empruntID and carries the number of units (nTitre)
// and three amounts (quote1 to quote3). The totals of each investment are the sums below, over
// the transactions dated up to today; a "user side" is a side whose account belongs to the user
// (a user or cash bank).
//
//             securities                     savings (sides: the record's own account)   loans
//   nTitre   + on a debit, - on a credit    -                                            -
//   total1   - quote1 of debits             - quote1 of debits                           by pret (below)
//   total2   + quote1 of credits            + quote1 of credits                          by pret
//   total3   quote2: - debit, + credit      the same                                     by pret
//   total4   quote3: - debit, + credit      the same                                     by pret
//   total5   total1 + total2 + total3 + total4   total1 + total2                         total1 + total3 + total4
//   total6   cour × nTitre                  total5 + total3 + total4                     -
//   total7   total5 + total6                -                                            -
//
//   loans    not lent, debit:  total1 -= quote1, total3 -= quote2, total4 -= quote3
//            not lent, credit: total2 += quote1, total3 -= quote2, total4 += quote3
//            lent,     credit: total1 += quote1, total3 += quote2, total4 += quote3
//            lent,     debit:  total2 -= quote1, total3 += quote2, total4 -= quote3
// A transaction with both sides on user accounts applies both rows.
#include "model/FINANCE.h"

class DOCUMENT;
class TRANSACT;

// ---- Access: a missing document or list counts as an empty list ----------------------------------

FinanceList* getDocTitre(DOCUMENT* doc);
FinanceList* getDocRemunere(DOCUMENT* doc);
FinanceList* getDocEmprunt(DOCUMENT* doc);
FinanceList* getDocPortfolio(DOCUMENT* doc);
long titreCount(const DOCUMENT* doc);
long remunereCount(const DOCUMENT* doc);
long empruntCount(const DOCUMENT* doc);
long portfolioCount(const DOCUMENT* doc);
const FINANCE* titreAtIndex(const FinanceList* list, long index);
const FINANCE* remunereAtIndex(const FinanceList* list, long index);
const FINANCE* empruntAtIndex(const FinanceList* list, long index);

// The first record with that ident, in list order; *index (may be null) is 0 when there is none.
bool findFinanceWithIdent(long ident, long* index, const FinanceList* list);
bool findTitreWithIdent(long ident, long* index, const DOCUMENT* doc);
bool findRemunereWithIdent(long ident, long* index, const DOCUMENT* doc);
bool findEmpruntWithIdent(long ident, long* index, const DOCUMENT* doc);
bool findPortfolioWithIdent(long ident, long* index, const DOCUMENT* doc);

// ---- Deleting (new ident -1) or merging an investment ----------------------------------------------
// Every transaction naming the old ident names the new one. A negative old ident ("none")
// changes nothing: it would tie every unrelated transaction to the investment.

void replaceTitreIDInTransactions(long oldID, long newID, DOCUMENT* doc);
void replaceRemunereIDInTransactions(long oldID, long newID, DOCUMENT* doc);
void replaceEmpruntIDInTransactions(long oldID, long newID, DOCUMENT* doc);

// ---- Totals ----------------------------------------------------------------------------------------
// The add and finish steps add to the totals they are given; the compute-all functions first
// reset every total they fill.

void addTransactToTitreTotaux(const TRANSACT& trans, TOTAUX& totaux, const DOCUMENT* doc);
// total5 and total7; total6 from the quote of the security with that ident, unchanged when none.
void finishTitreTotaux(TOTAUX& totaux, long titreID, const DOCUMENT* doc);
// Nothing when the transaction's savings account is not in the document.
void addTransactToRemunereTotaux(const TRANSACT& trans, TOTAUX& totaux, const DOCUMENT* doc);
void finishRemunereTotaux(TOTAUX& totaux);
void addTransactToEmpruntTotaux(const TRANSACT& trans, TOTAUX& totaux, const DOCUMENT* doc, bool pret);
void finishEmpruntTotaux(TOTAUX& totaux);

// Each record's totals and, in grand, their sum, from the transactions dated up to today.
void computeAllTitresTotaux(TOTAUX& grand, DOCUMENT* doc);
void computeAllRemuneresTotaux(TOTAUX& grand, DOCUMENT* doc);
void computeAllEmpruntsTotaux(TOTAUX& grand, DOCUMENT* doc);
// Each portfolio's totals: the sum of its securities' totals as they stand, so the securities'
// totals are computed first.
void computePortfolioTotaux(DOCUMENT* doc);

// What remains of a loan: -(total1 + total2).
void empruntTotalInverted(const FINANCE& emprunt, MONTANT* amount);

// A number of units with up to 6 decimals, trailing zeros and separator removed: 2.5 gives "2,5"
// with a comma, 3.0 gives "3".
QString formatQuantity6(double value, QChar separator);
