#pragma once
// An investment: a security, an interest-bearing savings account, a loan or a portfolio of
// securities. The four kinds are one record type kept in four lists of the document (titreHdl,
// remunereHdl, empruntHdl, portfolioArray); TITRE, REMUNERE, EMPRUNT and PORTFOLIO only gather
// the operations on their list. Each list is sorted by name, case ignored but accents kept;
// idents are unique within a list, not across lists. The totals are derived from the
// transactions (FinanceCompute.h) and never typed by the user.
#include "model/MONTANT.h"
#include "model/TOTAUX.h"

#include <QList>
#include <QString>

class DOCUMENT;
class FINANCE;

using FinanceList = QList<FINANCE>;

// Pop-up item tags carry the kind of investment in these bits, the ident in the bits below.
inline constexpr long kPopTagTitre = 0x10000000L;
inline constexpr long kPopTagRemunere = 0x20000000L;
inline constexpr long kPopTagEmprunt = 0x40000000L;
inline constexpr long kPopTagPortfolio = 0x80000000L;

// A quote is stored with more decimals than any currency: a unit's price may be a fraction of a cent.
inline constexpr long kCourDecimales = 6;

class FINANCE {
public:
    bool pret = false; // loans: lent rather than borrowed; swaps the user's sides in the totals
    bool opened = false; // shown expanded in the windows; memory only, never stored nor copied
    long ident = -1;
    QString nom;
    TOTAUX totaux;
    MONTANT cour; // securities: the quote of one unit, in every slot
    QString ticker; // symbol of the quote service
    QString titreDescription;
    QString codeDevise; // ticker of the currency the quote service gives the price in
    long categorie = -1; // category of the ticker chosen in the ticker search
    double updateTime = 0; // last quote from the service; 0 for a quote typed by hand
    double conversion = 0; // worth of one unit of codeDevise in slot 0 at the last quote
    double coursNatif = 0; // the last quote in codeDevise
    long portfolioID = -1; // securities: their PORTFOLIO
    long compteID = -1; // the account the investment belongs to

    // The record of a new investment: the default name, the next ident of the list, zero
    // totals and quote, and, with a document, the first account of the user's banks (-1 when
    // they have none). opened is left as it is.
    void defaultFinance(const FinanceList& list, const DOCUMENT* doc);
    // A default record, not inserted.
    static FINANCE allocNewFinance(const FinanceList& list, const DOCUMENT* doc);
    // 1 + the largest ident of the list, counted as at least 1: the first is 2.
    static long newFinanceID(const FinanceList& list);
    // Every field but opened.
    FINANCE copyOfFinance() const;

    // Null without a list or outside 0..count - 1.
    static const FINANCE* financeAtIndex(const FinanceList* list, long index);
    static FINANCE* financeAtIndex(FinanceList* list, long index);
    // *index: where the name belongs, before the first entry that is not smaller (case ignored);
    // true when the entry there has that name, case ignored.
    static bool findFinanceWithName(const QString& name, const FinanceList& list, long* index);
    // Inserts at the name's place and answers the index.
    static long insertFinance(const FINANCE& finance, FinanceList& list);
    static void disposeFinance(FinanceList* list);

    // Names are compared by a plain function, so there is nothing to set up or release; the
    // calls keep the start-up and quit sequences whole.
    static void initPlacement() { }
    static void disposePlacement() { }
};

// The operations on the document's list of each kind. None is ever instantiated.
class TITRE : public FINANCE {
public:
    TITRE() = delete;
    static FINANCE allocNewTitre(const DOCUMENT& doc);
    static const FINANCE* titreAtIndex(const FinanceList* list, long index);
    static bool findTitreWithName(const QString& name, long* index, const DOCUMENT& doc);
    static long insertTitre(const FINANCE& titre, DOCUMENT& doc);
    // Nothing happens outside the list.
    static void unInsertTitre(long index, DOCUMENT& doc);
    static void disposeTitre(FinanceList* list);
};

class REMUNERE : public FINANCE {
public:
    REMUNERE() = delete;
    static FINANCE allocNewRemunere(const DOCUMENT& doc);
    static const FINANCE* remunereAtIndex(const FinanceList* list, long index);
    static bool findRemunereWithName(const QString& name, long* index, const DOCUMENT& doc);
    static long insertRemunere(const FINANCE& remunere, DOCUMENT& doc);
    static void unInsertRemunere(long index, DOCUMENT& doc);
    static void disposeRemunere(FinanceList* list);
};

class EMPRUNT : public FINANCE {
public:
    EMPRUNT() = delete;
    static FINANCE allocNewEmprunt(const DOCUMENT& doc);
    static const FINANCE* empruntAtIndex(const FinanceList* list, long index);
    static bool findEmpruntWithName(const QString& name, long* index, const DOCUMENT& doc);
    static long insertEmprunt(const FINANCE& emprunt, DOCUMENT& doc);
    static void unInsertEmprunt(long index, DOCUMENT& doc);
    static void disposeEmprunt(FinanceList* list);
};

class PORTFOLIO : public FINANCE {
public:
    PORTFOLIO() = delete;
    static FINANCE allocNewPortfolio(const DOCUMENT& doc);
    static const FINANCE* portfolioAtIndex(const FinanceList* list, long index);
    static bool findPortfolioWithName(const QString& name, long* index, const DOCUMENT& doc);
    static long insertPortfolio(const FINANCE& portfolio, DOCUMENT& doc);
    static void unInsertPortfolio(long index, DOCUMENT& doc);
    static void disposePortfolio(FinanceList* list);
    // Null for a negative ident or one no portfolio has.
    static FINANCE* portfolioFromIdent(long ident, DOCUMENT& doc);
    static const FINANCE* portfolioFromIdent(long ident, const DOCUMENT& doc);
};
