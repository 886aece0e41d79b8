#pragma once
// A bank or an account. Every side of every transaction is an account; an account belongs to one
// bank, whose type tells what its accounts are: the user's own, cash (purse, safe) or third
// parties (payees and payers). A document keeps banks and accounts in two flat lists, each with
// its own idents; the fixed ones below exist in every document.
#include "foundation/color.h"
#include "model/MONTANT.h"
#include "model/RELEVE.h"

#include <QList>
#include <QString>
#include <optional>

class DOCUMENT;
class TOOL;
class TOTAUX;
class TRANSACT;
using ToolList = QList<TOOL>;

// Kinds.
inline constexpr int kToolBanque = 0;
inline constexpr int kToolCompte = 1;
// Bank types.
inline constexpr int kBanqueLiquide = 0;
inline constexpr int kBanqueTiers = 1;
inline constexpr int kBanqueUser = 2;
// Masks of banqueFitFilter; 0 admits every type.
inline constexpr long kFilterBanqueUser = 1;
inline constexpr long kFilterBanqueLiquide = 2;
inline constexpr long kFilterBanqueTiers = 4;

// Fixed idents of every document.
inline constexpr long kBanqueTiersSpeciauxID = 1; // bank of the two special accounts below
inline constexpr long kBanqueLiquideID = 2; // the cash bank
inline constexpr long kCompteAnonymeID = 3; // the anonymous third party
inline constexpr long kCompteInitialisationID = 5; // counterpart of opening balances

class TOOL {
public:
    QString nom;
    QString infos; // free text: address, telephone...
    MONTANT solde;
    MONTANT soldeSR; // balance including statements
    MONTANT RsoldeSR; // movement of the transactions in no statement
    ReleveList releves; // newest first
    long ident = -1; // unique within its own list (banks or accounts)
    int kind = kToolBanque;
    int bType = kBanqueUser; // an account's effective type is its bank's
    long ownerID = -1; // an account's bank; -1 for a bank
    bool inited = false; // the account's opening balance has been entered
    // Days of the month (1-31) on which statements fall, increasing; the first 0 ends them.
    long dateReleve0 = 0;
    long dateReleve1 = 0;
    long dateReleve2 = 0;
    long dateReleve3 = 0;
    long posteID = -1; // default category
    long taxeID = -1; // default tax
    long devise = MONTANT::currentDeviseSlot(); // currency slot
    double locked_releve_to_date = 0; // statements dated on or before are locked
    long logoIdent = -1;

    // ---- Making, finding, removing -------------------------------------------------------------

    // A tool with that name, no information, no ident, no balance, no statement, no statement
    // days, no tax and the document's default category.
    static TOOL newToolHdl(int kind, long own, const QString& nom, int bTyp, long devise, const DOCUMENT* doc);
    // A random ident unused in the list, never one of the fixed idents; -1 only for a full list.
    static long newToolID(const ToolList& list);
    // Gives the tool a fresh ident from the list of its kind, appends it and answers the ident;
    // -1, and nothing appended, without a document or when the list has no ident left.
    static long addToolToDocumentNoCopy(int kind, TOOL tool, DOCUMENT* doc);

    // The accounts for kind 1, the banks for any other kind; null without a document.
    static ToolList* toolList(int kind, DOCUMENT* doc);
    static const ToolList* toolList(int kind, const DOCUMENT* doc);
    // The first tool of that ident, null when none. *index gets its position, the count when
    // absent, 0 without a list. The pointer lives until its list changes.
    static TOOL* getTool(int kind, long ident, DOCUMENT* doc, long* index = nullptr);
    static const TOOL* getTool(int kind, long ident, const DOCUMENT* doc, long* index = nullptr);
    static bool findToolWithIdentInArray(long ident, const ToolList& list, long* index);

    // Removes the bank or account; an account's payment means go with it. Transactions are kept.
    static void suppTool(long ident, int kind, DOCUMENT* doc);
    static void disposeToolList(ToolList& list) { list.clear(); }
    static long countTool(int kind, const DOCUMENT* doc);
    // False outside the list; *tool and *ident (either may be null) get the tool at that index.
    static bool getToolAtIndexInDocument(int kind, long index, const DOCUMENT* doc, const TOOL** tool, long* ident);

    // The first account with that name, case ignored; *ident -1 when none.
    static bool findCompteWithName(const QString& name, long* ident, const DOCUMENT* doc);
    // Where the name stands among the accounts of that bank in the tree (among the banks when the
    // bank is not in the tree): true at an equal name, else false with the position it sorts at.
    static bool findCompteWithNameAndOwnerID(long banqueID, const QString& nom, long* k, int kind, const DOCUMENT* doc);
    // Empty for a negative or unknown ident.
    static QString getToolNameNS(int kind, long ident, const DOCUMENT* doc);

    // ---- Types -----------------------------------------------------------------------------------

    const TOOL* compteToBanque(const DOCUMENT* doc) const;
    static bool compteInBanque(long compteID, long banqueID, const DOCUMENT* doc);
    // The type of the account's bank; 2 and false when the bank is missing.
    bool compteToBType(int* typ, const DOCUMENT* doc) const;
    // 2 and false for a negative or unknown account.
    static bool compteIDToBType(long compteID, int* typ, const DOCUMENT* doc);
    // User and cash accounts are the user's; third parties are not.
    static bool compteIDBelongToUser(long compteID, const DOCUMENT* doc);
    static bool compteInCategorie(long compteID, int banqueType, const DOCUMENT* doc);
    // Mask bits: kFilterBanqueUser, kFilterBanqueLiquide, kFilterBanqueTiers; 0 admits all.
    // False for an unknown bank or one of no known type.
    static bool banqueFitFilter(long banqueID, long sel, const DOCUMENT* doc);

    // A category that is not the document's falls back to the default category.
    void assumePosteIDIsValid(const DOCUMENT* doc);
    // The first tool whose own type is the user's; -1 when none.
    static long defaultUserCompte(const ToolList& list);
    // compteID when it is 0 or more and its bank has that type; else the first account, in tree
    // order, of the first bank of that type that has one; -1 when none.
    static long defaultUserCompte(int typ, long compteID, const DOCUMENT* doc);

    // Moves a third party's history to the document's history account: each side of a stored
    // transaction naming the account is given the history account and its reason notes the
    // archive; then every statement is recomputed. False, with nothing changed, while the
    // document has no history account. The account itself is kept.
    static bool archiverCompteTiers(const TOOL& compte, DOCUMENT* doc);

    // The banks and accounts of a new document.
    static void initContrepartie(DOCUMENT* doc);

    // ---- Statements (newest first) and balances ---------------------------------------------------

    long nbReleve() const { return releves.size(); }
    // Null outside the list.
    RELEVE* releveAtIndex(long index);
    const RELEVE* releveAtIndex(long index) const;
    // Where a statement of that date belongs: the first position whose statement has no date or
    // an earlier one (the count when none). A statement without date leaves *index as it is.
    void findReleve(const RELEVE& releve, long* index) const;
    // Inserts the statement at its place (findReleve; a given position outside the list is held
    // to it) and recomputes it. *index gets the position used.
    void appendReleve(const RELEVE& releve, long* index, DOCUMENT* doc);
    // Removes the statement at that position, if any; transactions and balances are left as they are.
    void unappendReleve(long index);
    // 1 without statements, else the highest ident + 1 (never below 1).
    long newReleveID() const;
    // An ident below 0 is found at position -1; an unknown ident gives false and the count.
    bool findReleveID(long releveID, long* index) const;
    // The statement's name, else its short date; empty for an unknown ident.
    QString getReleveStringNS(long releveID) const;
    // Whether the transactions of the statement at that position may still be ticked or
    // unticked: it must be dated after the lock date. True outside the list.
    bool releveCanPointer(long index) const;
    // The proposed date of the next statement, from the statement days and the newest dated
    // statement (now without statement days).
    double getNewReleveDate() const;

    // The bank's balance: the sum of the balances of its accounts in the tree. Nothing when the
    // bank or its node is missing.
    static void computeBanqueSolde(long banqueID, DOCUMENT* doc);
    // *balance: the sum of every bank of the tree; *actif: the same without third parties.
    static void computeBalance(const DOCUMENT* doc, MONTANT* balance, MONTANT* actif);
    // One row of a statement listing; each part may be null.
    struct ReleveRow {
        const TRANSACT* transact = nullptr;
        const MONTANT* montant = nullptr; // the row's amount
        const MONTANT* report = nullptr; // the opening amount
    };
    // The opening amount goes to total3 when negative (as its opposite), else to total6; the
    // row's amount to total2 when the account (bank when bID >= 0) is debited, to total5 when
    // credited; the closing balance to total1 when negative (as its opposite), else to total4.
    static void computeTotauxLReleve(const ReleveRow& row, TOTAUX& tot, long tID, long bID, const DOCUMENT* doc);

    // ---- Pictures and colours ------------------------------------------------------------------

    static QString getBanquePictureName(int typ);
    static QString getCompteBTypePictureName(int typ);
    // "compte_special" for the history account, 3 and 5; else by its bank's type; empty when the
    // type can't be found.
    static QString getComptePictureName(long compteID, const DOCUMENT* doc);
    QString getToolPictureName(const DOCUMENT* doc) const;
    // The row colour of the tool's type; none when an account's type can't be found.
    std::optional<SVColor> getToolPattern(const DOCUMENT* doc) const;

private:
    static void appendArchiveReason(QString& why, const QString& nom);
    static long historiqueOf(const DOCUMENT* doc);
};

// The same lookups as plain functions.
inline TOOL* getTool(int kind, long ident, DOCUMENT* doc, long* index = nullptr)
{
    return TOOL::getTool(kind, ident, doc, index);
}
inline const TOOL* getTool(int kind, long ident, const DOCUMENT* doc, long* index = nullptr)
{
    return TOOL::getTool(kind, ident, doc, index);
}
inline QString getToolNameNS(int kind, long ident, const DOCUMENT* doc)
{
    return TOOL::getToolNameNS(kind, ident, doc);
}
// "compte_special" for no tool.
QString toolPictureName(const TOOL* tool, const DOCUMENT* doc);
