#pragma once
// The transaction windows as the model, the engines and the toolkit's palettes ask for them. The
// window layer installs its openers at start-up; with none installed (engines' tests, tools) no
// window opens and every opener answers failure.
//
// Besides these openers, the transaction listings and statement windows take part in the broadcast
// of TransactOps.h: MAKE_TRANSACT(position, isLast) rebuilds a listing and selects the new row,
// DELETE_TRANSACT(position, isLast) drops that row and moves every later position down by one,
// REPLACE_TRANSACT(position, keepSelection) rebuilds and scrolls to the row, UPDATE_AVENIR has a
// statement window recompute its future balance. The operations rely on no result.
#include <memory>

class DOCUMENT;
class LISTING;
class MACRO;
class QObject;

// Closing statuses of the transaction entry window.
inline constexpr int kSaisieCancel = 0;
inline constexpr int kSaisieOK = 1;
inline constexpr int kSaisieImportAll = 2; // the import stores every remaining record
inline constexpr int kSaisieStopImport = -2; // the import stops

class ITransactionWindows {
public:
    virtual ~ITransactionWindows() = default;

    // Runs the entry window modally for a new transaction of that family (synonym and account
    // -1 for none, macro null for none) and stores it with makeTransact; a closing status. The
    // palettes reopen it, with repeat set, while it answers kSaisieOK.
    virtual int openSaisieTransact(int family, long synonymeID, long compteID, const MACRO* macro, bool repeat) = 0;
    // Each opens a listing, or takes the one already open, shows it in front when show is set and
    // answers its window controller, null when it can't be had: one payment means of an account,
    // or one synonym (synonymeID >= 0); one folder; one category. Every opener takes the entity,
    // then the currency slot, then the show flag.
    virtual QObject* openListingMoyen(long compteID, int family, long synonymeID, int deviseSlot, bool show) = 0;
    virtual QObject* openListingDossier(long dossierID, int deviseSlot, bool show) = 0;
    virtual QObject* openListingPoste(long posteID, int deviseSlot, bool show) = 0;
    // The account's window: a payee's listing for an account of a bank of third parties, else its
    // statement window in the account's currency.
    virtual QObject* openCompteWindow(long compteID, bool show) = 0;
    // The document check's listing of broken transactions, handed over with the document it was
    // found in, shown animated in the currency slot; its window controller, or null when it can't
    // be had (the listing is then dropped).
    virtual QObject* openListingProblem(DOCUMENT& doc, std::unique_ptr<LISTING> listing, int deviseSlot) = 0;
};

// The installed openers, or null. They outlive every caller; uninstall before deleting them.
ITransactionWindows* transactionWindows();
void installTransactionWindows(ITransactionWindows* windows);

// The openers through the installed interface: kSaisieCancel or null with none installed.
int openSaisieTransact(int family, long synonymeID, long compteID, const MACRO* macro, bool repeat);
QObject* openListingMoyen(long compteID, int family, long synonymeID, int deviseSlot, bool show);
QObject* openListingDossier(long dossierID, int deviseSlot, bool show);
QObject* openListingPoste(long posteID, int deviseSlot, bool show);
QObject* openCompteWindow(long compteID, bool show);
