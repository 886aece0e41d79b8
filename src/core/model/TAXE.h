#pragma once
// A tax rate in percent. A document keeps its taxes sorted by name, case ignored; a transaction
// names its tax by ident, -1 (any negative ident) meaning "no tax". From an amount including tax
// the program derives the tax part and the amount before tax, in every currency slot.
#include <QList>
#include <QString>

class DOCUMENT;
class MONTANT;
class TOTAUX;
class TAXE;

using TaxeList = QList<TAXE>;

class TAXE {
public:
    // The decimals of a rate in the tax file.
    static constexpr int kRateDecimals = 6;

    long ident = -1;
    double rate = 0; // percent: 19.6 means 19.6 %
    QString nom;

    // Called once at start-up, before any document opens. Names are compared by a plain function
    // (case-insensitive), so there is nothing to set up; the call keeps the start-up order whole.
    static void initTaxe();

    // Empty name, the next free ident of the list, no rate.
    void defaultTaxe(const TaxeList& list);
    static TAXE allocNewTaxe(const TaxeList& list);
    TAXE copyOfTaxe() const { return *this; }

    // 1 + the largest of 1 and every ident of the list: never below 2.
    static long newTaxeID(const TaxeList& list);
    static long nbTaxe(const TaxeList* list);
    // Null outside 0..count - 1.
    static const TAXE* taxeAtIndex(const TaxeList& list, long index);
    static TAXE* taxeAtIndex(TaxeList& list, long index);
    // The first tax with that ident. A negative ident means "no tax" and is never found, even
    // when a tax of the list carries it.
    static bool findTaxe(long ident, long* index, const TaxeList& list);
    // The first tax whose name equals the text, case ignored; false and -1 otherwise.
    static bool findTaxeWithName(const QString& name, long* ident, const DOCUMENT& doc);
    // The tax's name; the "no tax" label for a negative or unknown ident.
    static QString getTaxeName(long ident, const DOCUMENT& doc);

    // Inserts a copy before the first tax whose name is not smaller (case ignored) and answers
    // its index. Assumes the list is sorted.
    static long insertTaxe(const TAXE& taxe, TaxeList& list);
    static void unInsertTaxe(long index, TaxeList& list);
    // Builds a tax and inserts it at its sorted place.
    static void loadTaxeAux(const QString& name, long ident, double rate, TaxeList& list);

    // Every transaction of the list whose taxeID is oldID gets newID; a negative oldID ("no tax")
    // changes nothing.
    template <typename TransactList> static void changeTaxe(long oldID, long newID, TransactList& transactions)
    {
        if (oldID < 0)
            return;
        for (auto& t : transactions) {
            if (t.taxeID == oldID)
                t.taxeID = newID;
        }
    }

    // Replaces the tax everywhere the document names it: transactions, payee accounts' default tax,
    // the templates of macros, the models of schedules and their custom occurrences, and the
    // models of forecasts. A negative oldID changes nothing.
    static void changeTaxeInDocument(long oldID, long newID, DOCUMENT& doc);
    // A rate a tax may hold: a number above -100 % (at -100 % the amount before tax is infinite).
    static bool isValidRate(double rate);

    // Splits an amount including tax by the tax of that ident in the list. Without such a tax, or
    // with a rate of 0.001 % or less, HT is TTC and TX is zero. The three may be one.
    static void applyTaxeToMontant(long ident, const MONTANT& TTC, MONTANT& HT, MONTANT& TX, const TaxeList& list);
    // Adds a transaction's tax figures to the totals: on a debit, the tax to total1 and the
    // amount before tax to total2; on a credit, the amount before tax to total3 and the tax to
    // total4. debit and credit are the transaction's sides as seen from no particular account.
    static void computeTotauxLTaxe(bool debit, bool credit, const MONTANT& taxe, const MONTANT& solde, TOTAUX& totaux);

    // Gives a name to every tax whose name is empty: the default names for idents 1 to 4, "?"
    // for the others.
    static void repairTaxeIfNeeded(TaxeList& list);
    static void disposeTaxe(TaxeList& list);
};
