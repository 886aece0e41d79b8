#pragma once
// One movement of money, on one date, from the debited account who1 to the credited account
// who2. A transaction has no stored ident: the document addresses it by its position in its list,
// and every position after a deleted one moves down by one. Windows and engines hold copies.
//
// Plain C++ copies (assignment, a detaching list) copy every field, mark and identity included, so
// the document's list never loses its marks; copyOfTransact and setFromTransact are the copies that
// leave mark out. An empty multis or attachedDocuments list means "none".
//
// identity, held in memory only, tells a transaction from its twins (a paste, two purchases alike)
// while the program runs, for work that finds a transaction again after the list may have changed:
// each TRANSACT made has a number none other has, copies carry it, the document gives a new one to
// every transaction it adds (allocTransact) and keeps it through an edit in place.
#include "model/MONTANT.h"
#include "model/MOYEN.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class DOCUMENT;

// One split line of a transaction.
class MULTI {
public:
    MONTANT montant;
    long posteID = -1;
    QString multiNote;

    MULTI() = default;
    MULTI(long poste, const MONTANT& m, const QString& note)
        : montant(m)
        , posteID(poste)
        , multiNote(note)
    {
    }
    bool operator==(const MULTI&) const = default;
};
using MultiList = QList<MULTI>;

// A file attached to a transaction: chosen (docUrl) until the save stores it (docStoreName).
class AttachedDocument {
public:
    QString docVisibleName;
    QString docStoreName; // empty until stored in the package's "Documents" folder
    QString docUrl; // path of a chosen file not yet stored; empty once stored
    bool operator==(const AttachedDocument&) const = default;
};
using AttachedDocumentList = QList<AttachedDocument>;

class TRANSACT;
using TransactList = QList<TRANSACT>;

class TRANSACT {
public:
    // A plain TRANSACT has no date, no account, no category and -1 ("none") for every ident;
    // allocNewTransact gives a document's defaults.
    double when = 0;
    long who1 = -1;
    long who2 = -1;
    long releveID1 = -1;
    long releveID2 = -1;
    int moyen = 0;
    long synonymeID = -1;
    long posteID = -1;
    long chronoID = -1;
    long previsionID = -1;
    long taxeID = -1;
    long titreID = -1;
    long remunereID = -1;
    long empruntID = -1;
    double nTitre = 0;
    bool isInit = false;
    double planifiedDate = 0;
    long importID = -1;
    bool importTouched = false;
    bool importDoublon = false;
    long synchroID = 0;
    double synchroDate = 0;
    long variante = -1;
    long clotureMarkD = 0;
    long clotureMarkC = 0;
    long devise = 0;
    bool annulation = false;
    bool mark = false; // memory only: never stored; left out by copyOfTransact and setFromTransact
    std::uint64_t identity = newIdentity(); // memory only: never stored nor compared by ==
    MONTANT solde;
    MONTANT taxe;
    MONTANT quote1;
    MONTANT quote2;
    MONTANT quote3;
    QString ref;
    QString why;
    QString whyImport;
    QString note;
    MultiList multis;
    AttachedDocumentList attachedDocuments;

    // Every stored field alike, amounts exactly: the content of a transaction. mark and identity,
    // memory only, are not looked at, so twins are equal.
    bool operator==(const TRANSACT& other) const;
    // A number no TRANSACT made before had.
    static std::uint64_t newIdentity();

    // ---- Construction and copying --------------------------------------------------------------

    // Every field but mark to the document's defaults: dated now (planifiedDate too), the default
    // account on both sides, the default category, the current currency slot, -1 for every other
    // ident, 0 for the sync mark and the closing marks. A null document gives accounts 3 and
    // category 1.
    void defaultTransact(const DOCUMENT* doc);
    static TRANSACT allocNewTransact(const DOCUMENT* doc);
    // Every field of the other but mark and identity: this stays the same transaction.
    void setFromTransact(const TRANSACT& other);
    // The same transaction with mark cleared.
    TRANSACT copyOfTransact() const;
    // Every amount and split line as the transaction file holds it (MONTANT::roundAsStored): a
    // transaction enters the document in that form, so its figures survive a save unchanged.
    void roundAmountsAsStored(const DeviseList& devises);
    static MultiList copyOfMultiArray(const MultiList& multis);
    static AttachedDocumentList copyOfAttachedDocumentsArray(const AttachedDocumentList& documents);

    // The opening balance of an account: from account 5 to the account, or, for a negative
    // amount, its opposite from the account to account 5.
    static TRANSACT initialisationTransact(long compteID, const MONTANT& solde, long devise, double when,
                                           const DOCUMENT* doc);
    // A new transaction of the document, of that date, prepared for a payment family, its sides
    // taken from the active account (-1 none), the user's and cash accounts and the default
    // account. For cheques (9) and cards (11) the means record of the user account is found or made
    // in moyens and its default variant is taken.
    static TRANSACT moyenToTrans(MoyenList& moyens, int family, long activeCompteID, double when, const DOCUMENT* doc);

    // ---- Split lines and attached files --------------------------------------------------------

    long nbMultis() const { return multis.size(); }
    // Null outside 0..nbMultis() - 1. The pointer lives until multis changes.
    const MULTI* multiAtIndex(long index) const;
    MULTI* multiAtIndex(long index);
    void deleteMulti() { multis.clear(); }
    void addMultiWithPosteID(long poste, const MONTANT& montant, const QString& multiNote);
    void enumerateMultisUsingBlock(const std::function<void(MULTI&)>& block);

    long nbAttachedDocuments() const { return attachedDocuments.size(); }
    // Null outside 0..nbAttachedDocuments() - 1.
    const AttachedDocument* attachedDocumentAtIndex(long index) const;
    AttachedDocument* attachedDocumentAtIndex(long index);
    // Forgets the records; stored files are not touched.
    void deleteAttachedDocuments() { attachedDocuments.clear(); }

    // ---- Queries and small changes -------------------------------------------------------------

    // Without split lines: posteID is the category (*multiIndex -1). With split lines, posteID is
    // not looked at: some line has it, *multiIndex being the last such line (-1 when none).
    // multiIndex may be null.
    bool transactUsesPosteID(long ident, long* multiIndex) const;
    // In posteID and in every split line.
    void changePosteInTransact(long oldID, long newID);
    // Cancelled: zero amount, no split lines, no tax and no investment (taxe and quotes kept).
    void annulerTransact();
    // Imported from the bank file of that account: whyImport is the label, and so is why when
    // canChangeInfo and why is empty.
    void markTransactImport(const QString& label, long compteID, bool canChangeInfo);
    // An imported transaction the user or a rule completed: it leaves the anonymous account, has
    // another category than the default one, or a payment family.
    bool isTransactImportTouched(const DOCUMENT* doc) const;
    // The account whose payment means the family uses: who1 for debit families, who2 for credit
    // families, -1 for the others.
    long transToMoyenCompte() const;

    // Whether each side is that account.
    void checkDebitCreditCpt(long compteID, bool* deb, bool* cre) const;
    // Whether each side's account belongs to that bank, in the document.
    void checkDebitCreditBanque(long banqueID, bool* deb, bool* cre, const DOCUMENT* doc) const;
    // Whether each side's account is the user's (not a third party).
    void checkDebitCreditUser(bool* deb, bool* cre, const DOCUMENT* doc) const;
    // checkDebitCreditUser for an ident below 0, else checkDebitCreditCpt.
    void checkDebitCredit(long compteID, bool* deb, bool* cre, const DOCUMENT* doc) const;
    // checkDebitCreditUser for an ident below 0, else checkDebitCreditBanque.
    void checkDebitCreditB(long banqueID, bool* deb, bool* cre, const DOCUMENT* doc) const;

    // The variant the means at that index starts from, for cards (11) and cheques (9; ref then
    // gets the next cheque's reference). Nothing for other families or a variant not found.
    void setTransactDefaultVariante(const MoyenList& moyens, long index);

    // ---- The document's list -------------------------------------------------------------------

    // 0 without a document.
    static long nbTrans(const DOCUMENT* doc);
    // The stored transaction itself; null without a document or outside 0..count - 1. The
    // pointer lives until the list changes.
    static TRANSACT* transactAtIndexInDocument(long index, DOCUMENT* doc);
    static const TRANSACT* transactAtIndexInDocument(long index, const DOCUMENT* doc);
    // A copy (mark cleared) of the transaction at that index; none outside the list.
    static std::optional<TRANSACT> loadTransactCopy_from_file(long index, const DOCUMENT* doc);
    // Appends a copy (mark cleared, amounts as stored, a new identity) and answers its index; -1
    // without a document.
    static long allocTransact(const TRANSACT& trans, DOCUMENT* doc);
    // Runs the block on every stored transaction, in list order, with its index.
    static void enumerateTransactsUsingBlock(DOCUMENT* doc, const std::function<void(TRANSACT&, long)>& block);
    static void markAllTransact(bool flag, DOCUMENT* doc);
    // The earliest and latest `when`; both 0 without transactions. Either output may be null.
    static void getTransactExtremeDates(const DOCUMENT* doc, double* date1, double* date2);
    static void deleteAllTransacts(TransactList& list) { list.clear(); }
    // The document is being closed.
    static void disposeDocTransact(TransactList& list) { deleteAllTransacts(list); }
};
