#include "transactions/TransactionWindows.h"

#include "transactions/FenListingDossierController.h"
#include "transactions/FenListingMoyenController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingProblemController.h"
#include "transactions/FenListingTiersController.h"
#include "transactions/FenReleveController.h"
#include "transactions/FenTransListController.h"
#include "transactions/SaisieRoutine.h"

#include "toolkit/host/UiHost.h"

#include "document/DocContext.h"
#include "engines/LISTING.h"
#include "foundation/IDesktop.h"
#include "foundation/diagnostics.h"
#include "model/MACRO.h"
#include "model/TOOL.h"

int TransactionWindows::openSaisieTransact(int family, long synonymeID, long compteID, const MACRO* macro, bool repeat)
{
    const bool palette = macro == nullptr;
    return ::openSaisieTransact(nullptr, family, synonymeID, compteID, -1, nullptr, macro, true, false, false,
                                palette && repeat, palette);
}

int TransactionWindows::openSaisieForMacro(const MACRO* macro)
{
    const TRANSACT* model = macro ? macroTransact(*macro) : nullptr;
    if (!model)
        return kSaisieCancel;
    const bool carteOuCheque = model->moyen == kFamilyChequeDebit || model->moyen == kFamilyCarteDebit;
    return openSaisieTransact(model->moyen, model->synonymeID, carteOuCheque ? model->who1 : -1, macro, false);
}

void TransactionWindows::runNewTransactions()
{
    bool repeat = false;
    while (openSaisieTransact(0, -1, -1, nullptr, repeat) == kSaisieOK && !UiHost::instance().commandWaits())
        repeat = true;
}

QObject* TransactionWindows::notAvailable(const char* what)
{
    svLog(QStringLiteral("no %1 window in this version").arg(QString::fromLatin1(what)));
    beep();
    return nullptr;
}

QObject* TransactionWindows::openListingMoyen(long compteID, int family, long synonymeID, int deviseSlot, bool show)
{
    DOCUMENT* doc = currentDocument();
    return doc ? ::openListingMoyen(*doc, compteID, family, synonymeID, deviseSlot, show) : nullptr;
}

QObject* TransactionWindows::openListingDossier(long dossierID, int deviseSlot, bool show)
{
    DOCUMENT* doc = currentDocument();
    return doc ? ::openListingDossier(*doc, dossierID, deviseSlot, show) : nullptr;
}

QObject* TransactionWindows::openListingPoste(long posteID, int deviseSlot, bool show)
{
    DOCUMENT* doc = currentDocument();
    return doc ? ::openListingPoste(*doc, posteID, deviseSlot, show) : nullptr;
}

// An account of a payee bank has no statements to reconcile: it opens its payee listing; every
// other account its statement window.
QObject* TransactionWindows::openCompteWindow(long compteID, bool show)
{
    DOCUMENT* doc = currentDocument();
    const TOOL* compte = doc ? getTool(kToolCompte, compteID, doc) : nullptr;
    int bType = -1;
    if (!compte || !compte->compteToBType(&bType, doc))
        return nullptr;
    if (bType == 1)
        return openListingTiers(*doc, compteID, compte->devise, show);
    return openReleveWindow(compteID, show, compte->devise, *doc);
}

QObject* TransactionWindows::openListingProblem(DOCUMENT& doc, std::unique_ptr<LISTING> listing, int deviseSlot)
{
    return ::openListingProblem(doc, std::move(listing), deviseSlot);
}
