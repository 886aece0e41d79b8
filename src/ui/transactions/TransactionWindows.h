#pragma once
// The transaction windows as the model, the engines and the palettes open them (the contract of
// ITransactionWindows), installed by the application at start-up.
//
// The entry: the palettes' runs of new transactions (no macro) reopen the window while each entry
// is accepted, at the frame of the previous one from the second on; a macro enters one
// transaction. An account's window is its statement window, a payee account's its payee listing.
// The listings of a means, folder or category and the document check's are the listing windows,
// in the open document.
#include "model/ITransactionWindows.h"

class TransactionWindows : public ITransactionWindows {
public:
    int openSaisieTransact(int family, long synonymeID, long compteID, const MACRO* macro, bool repeat) override;
    QObject* openListingMoyen(long compteID, int family, long synonymeID, int deviseSlot, bool show) override;
    QObject* openListingDossier(long dossierID, int deviseSlot, bool show) override;
    QObject* openListingPoste(long posteID, int deviseSlot, bool show) override;
    QObject* openCompteWindow(long compteID, bool show) override;
    QObject* openListingProblem(DOCUMENT& doc, std::unique_ptr<LISTING> listing, int deviseSlot) override;

    // The macro command: a new transaction from the macro's template, on its account for a
    // cheque or a card; kSaisieCancel for a macro without a template.
    int openSaisieForMacro(const MACRO* macro);
    // The new-transaction command: entries of the general family, one after another as long as
    // each is accepted, each window where the previous one closed.
    void runNewTransactions();

private:
    QObject* notAvailable(const char* what);
};
