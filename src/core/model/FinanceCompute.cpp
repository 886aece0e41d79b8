#include "FinanceCompute.h"

#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/numbers.h"
#include "model/DOCUMENT.h"
#include "model/TRANSACT.h"

#include <QHash>

namespace {

void subFrom(MONTANT& total, const MONTANT& m)
{
    MONTANT::subMontant(total, m, total);
}

void addTo(MONTANT& total, const MONTANT& m)
{
    MONTANT::addMontant(total, m, total);
}

// Sides as the owner of the investment sees them: a debit takes money out, a credit brings it in.
void addDebit(const TRANSACT& t, TOTAUX& totaux)
{
    subFrom(totaux.total1, t.quote1);
    subFrom(totaux.total3, t.quote2);
    subFrom(totaux.total4, t.quote3);
}

void addCredit(const TRANSACT& t, TOTAUX& totaux)
{
    addTo(totaux.total2, t.quote1);
    addTo(totaux.total3, t.quote2);
    addTo(totaux.total4, t.quote3);
}

// total6, the value at the current quote, is already in place.
void finishTitre(TOTAUX& totaux)
{
    MONTANT::addMontant(totaux.total1, totaux.total2, totaux.total5);
    addTo(totaux.total5, totaux.total3);
    addTo(totaux.total5, totaux.total4);
    MONTANT::addMontant(totaux.total5, totaux.total6, totaux.total7);
}

// Savings count against their own account, not against all the user's accounts.
void addRemunere(const TRANSACT& t, TOTAUX& totaux, long compteID)
{
    bool debit = false;
    bool credit = false;
    t.checkDebitCreditCpt(compteID, &debit, &credit);
    if (debit)
        addDebit(t, totaux);
    if (credit)
        addCredit(t, totaux);
}

FinanceList* listOf(DOCUMENT* doc, FinanceList DOCUMENT::*list)
{
    return doc ? &(doc->*list) : nullptr;
}

long countOf(const DOCUMENT* doc, FinanceList DOCUMENT::*list)
{
    return doc ? (doc->*list).size() : 0;
}

bool findIn(long ident, long* index, const DOCUMENT* doc, FinanceList DOCUMENT::*list)
{
    return findFinanceWithIdent(ident, index, doc ? &(doc->*list) : nullptr);
}

void replaceIdent(long oldID, long newID, DOCUMENT* doc, long TRANSACT::*field)
{
    if (!doc || oldID < 0)
        return;
    for (TRANSACT& t : doc->transact_array) {
        if (t.*field == oldID)
            t.*field = newID;
    }
}

// One kind's computation: which list, which ident of a transaction, and its add and finish steps.
struct FinanceComputation {
    FinanceList DOCUMENT::*list;
    long TRANSACT::*identOf;
    void (*add)(const TRANSACT&, FINANCE&, const DOCUMENT*);
    void (*finish)(FINANCE&, const DOCUMENT*);
};

bool onOrBeforeToday(double when, long day, long month, long year)
{
    long d = 0;
    long m = 0;
    long y = 0;
    dateToDMY(&d, &m, &y, when);
    return dmyBefore({d, m, y}, {day, month, year}, true);
}

// The sums are independent of the order of the transactions, so one walk over the document's
// list replaces a sorted listing.
void computeAll(TOTAUX& grand, DOCUMENT* doc, const FinanceComputation& c)
{
    grand.defaultTotaux(nullptr);
    if (!doc)
        return;
    FinanceList& list = doc->*c.list;
    QHash<long, long> indexOf;
    for (long i = 0; i < list.size(); ++i) {
        list[i].totaux.defaultTotaux(nullptr);
        if (!indexOf.contains(list[i].ident))
            indexOf.insert(list[i].ident, i);
    }
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, SystemClock::now());
    for (const TRANSACT& t : doc->transact_array) {
        const long ident = t.*c.identOf;
        const auto found = ident >= 0 ? indexOf.constFind(ident) : indexOf.constEnd();
        if (found != indexOf.constEnd() && onOrBeforeToday(t.when, day, month, year))
            c.add(t, list[*found], doc);
    }
    for (FINANCE& f : list) {
        c.finish(f, doc);
        TOTAUX::addTotaux(f.totaux, grand);
    }
}

} // namespace

// ---- Access -----------------------------------------------------------------------------------------

FinanceList* getDocTitre(DOCUMENT* doc)
{
    return listOf(doc, &DOCUMENT::titreHdl);
}

FinanceList* getDocRemunere(DOCUMENT* doc)
{
    return listOf(doc, &DOCUMENT::remunereHdl);
}

FinanceList* getDocEmprunt(DOCUMENT* doc)
{
    return listOf(doc, &DOCUMENT::empruntHdl);
}

FinanceList* getDocPortfolio(DOCUMENT* doc)
{
    return listOf(doc, &DOCUMENT::portfolioArray);
}

long titreCount(const DOCUMENT* doc)
{
    return countOf(doc, &DOCUMENT::titreHdl);
}

long remunereCount(const DOCUMENT* doc)
{
    return countOf(doc, &DOCUMENT::remunereHdl);
}

long empruntCount(const DOCUMENT* doc)
{
    return countOf(doc, &DOCUMENT::empruntHdl);
}

long portfolioCount(const DOCUMENT* doc)
{
    return countOf(doc, &DOCUMENT::portfolioArray);
}

const FINANCE* titreAtIndex(const FinanceList* list, long index)
{
    return FINANCE::financeAtIndex(list, index);
}

const FINANCE* remunereAtIndex(const FinanceList* list, long index)
{
    return FINANCE::financeAtIndex(list, index);
}

const FINANCE* empruntAtIndex(const FinanceList* list, long index)
{
    return FINANCE::financeAtIndex(list, index);
}

bool findFinanceWithIdent(long ident, long* index, const FinanceList* list)
{
    if (index)
        *index = 0;
    if (!list)
        return false;
    for (long i = 0; i < list->size(); ++i) {
        if ((*list)[i].ident == ident) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

bool findTitreWithIdent(long ident, long* index, const DOCUMENT* doc)
{
    return findIn(ident, index, doc, &DOCUMENT::titreHdl);
}

bool findRemunereWithIdent(long ident, long* index, const DOCUMENT* doc)
{
    return findIn(ident, index, doc, &DOCUMENT::remunereHdl);
}

bool findEmpruntWithIdent(long ident, long* index, const DOCUMENT* doc)
{
    return findIn(ident, index, doc, &DOCUMENT::empruntHdl);
}

bool findPortfolioWithIdent(long ident, long* index, const DOCUMENT* doc)
{
    return findIn(ident, index, doc, &DOCUMENT::portfolioArray);
}

// ---- Re-pointing transactions -----------------------------------------------------------------------

void replaceTitreIDInTransactions(long oldID, long newID, DOCUMENT* doc)
{
    replaceIdent(oldID, newID, doc, &TRANSACT::titreID);
}

void replaceRemunereIDInTransactions(long oldID, long newID, DOCUMENT* doc)
{
    replaceIdent(oldID, newID, doc, &TRANSACT::remunereID);
}

void replaceEmpruntIDInTransactions(long oldID, long newID, DOCUMENT* doc)
{
    replaceIdent(oldID, newID, doc, &TRANSACT::empruntID);
}

// ---- Totals ---------------------------------------------------------------------------------------

void addTransactToTitreTotaux(const TRANSACT& trans, TOTAUX& totaux, const DOCUMENT* doc)
{
    bool debit = false;
    bool credit = false;
    trans.checkDebitCredit(-1, &debit, &credit, doc);
    if (debit) {
        totaux.nTitre += trans.nTitre;
        addDebit(trans, totaux);
    }
    if (credit) {
        totaux.nTitre -= trans.nTitre;
        addCredit(trans, totaux);
    }
}

void finishTitreTotaux(TOTAUX& totaux, long titreID, const DOCUMENT* doc)
{
    long index = 0;
    if (findTitreWithIdent(titreID, &index, doc))
        MONTANT::multMontant(doc->titreHdl[index].cour, totaux.nTitre, totaux.total6);
    finishTitre(totaux);
}

void addTransactToRemunereTotaux(const TRANSACT& trans, TOTAUX& totaux, const DOCUMENT* doc)
{
    long index = 0;
    if (findRemunereWithIdent(trans.remunereID, &index, doc))
        addRemunere(trans, totaux, doc->remunereHdl[index].compteID);
}

void finishRemunereTotaux(TOTAUX& totaux)
{
    MONTANT::addMontant(totaux.total1, totaux.total2, totaux.total5);
    MONTANT::addMontant(totaux.total5, totaux.total3, totaux.total6);
    addTo(totaux.total6, totaux.total4);
}

void addTransactToEmpruntTotaux(const TRANSACT& trans, TOTAUX& totaux, const DOCUMENT* doc, bool pret)
{
    bool debit = false;
    bool credit = false;
    trans.checkDebitCredit(-1, &debit, &credit, doc);
    if (!pret) {
        if (debit)
            addDebit(trans, totaux);
        if (credit) {
            addTo(totaux.total2, trans.quote1);
            subFrom(totaux.total3, trans.quote2);
            addTo(totaux.total4, trans.quote3);
        }
        return;
    }
    // Money lent: the user's credit is the borrower's repayment, the user's debit the loan itself.
    if (credit) {
        addTo(totaux.total1, trans.quote1);
        addTo(totaux.total3, trans.quote2);
        addTo(totaux.total4, trans.quote3);
    }
    if (debit) {
        subFrom(totaux.total2, trans.quote1);
        addTo(totaux.total3, trans.quote2);
        subFrom(totaux.total4, trans.quote3);
    }
}

void finishEmpruntTotaux(TOTAUX& totaux)
{
    MONTANT::addMontant(totaux.total1, totaux.total3, totaux.total5);
    addTo(totaux.total5, totaux.total4);
}

void computeAllTitresTotaux(TOTAUX& grand, DOCUMENT* doc)
{
    computeAll(grand, doc,
               {&DOCUMENT::titreHdl, &TRANSACT::titreID,
                [](const TRANSACT& t, FINANCE& f, const DOCUMENT* d) { addTransactToTitreTotaux(t, f.totaux, d); },
                [](FINANCE& f, const DOCUMENT*) {
                    // The record's own quote: another security may carry the same ident by mistake.
                    MONTANT::multMontant(f.cour, f.totaux.nTitre, f.totaux.total6);
                    finishTitre(f.totaux);
                }});
}

void computeAllRemuneresTotaux(TOTAUX& grand, DOCUMENT* doc)
{
    computeAll(grand, doc,
               {&DOCUMENT::remunereHdl, &TRANSACT::remunereID,
                [](const TRANSACT& t, FINANCE& f, const DOCUMENT*) { addRemunere(t, f.totaux, f.compteID); },
                [](FINANCE& f, const DOCUMENT*) { finishRemunereTotaux(f.totaux); }});
}

void computeAllEmpruntsTotaux(TOTAUX& grand, DOCUMENT* doc)
{
    computeAll(
        grand, doc,
        {&DOCUMENT::empruntHdl, &TRANSACT::empruntID,
         [](const TRANSACT& t, FINANCE& f, const DOCUMENT* d) { addTransactToEmpruntTotaux(t, f.totaux, d, f.pret); },
         [](FINANCE& f, const DOCUMENT*) { finishEmpruntTotaux(f.totaux); }});
}

void computePortfolioTotaux(DOCUMENT* doc)
{
    if (!doc)
        return;
    for (FINANCE& portfolio : doc->portfolioArray) {
        portfolio.totaux.defaultTotaux(nullptr);
        // A portfolio read without an ident must not gather the securities that are in none.
        if (portfolio.ident < 0)
            continue;
        for (const FINANCE& titre : std::as_const(doc->titreHdl)) {
            if (titre.portfolioID == portfolio.ident)
                TOTAUX::addTotaux(titre.totaux, portfolio.totaux);
        }
    }
}

void empruntTotalInverted(const FINANCE& emprunt, MONTANT* amount)
{
    if (!amount)
        return;
    MONTANT::addMontant(emprunt.totaux.total1, emprunt.totaux.total2, *amount);
    MONTANT::invertMontant(*amount);
}

QString formatQuantity6(double value, QChar separator)
{
    const QString text = doubleToStringTrimmed(6, separator, value);
    // What a sale leaves of a rounding error prints as zero, not as "-0".
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}
