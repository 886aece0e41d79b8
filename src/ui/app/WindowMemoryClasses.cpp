// The openers of the document's windows that come back on an entity of the document (the
// statement window and the listings), and of the single windows that reopen on the current
// currency slot. Each opens its window hidden when asked, so that it is placed before it shows.
#include "WindowMemory.h"

#include "app/ApplicationDelegate.h"
#include "entities/FenDeviseController.h"
#include "entities/FenDossierController.h"
#include "entities/FenMacroController.h"
#include "entities/FenSynonymeController.h"
#include "entities/FenTaxeController.h"
#include "transactions/FenListingChronoController.h"
#include "transactions/FenListingDossierController.h"
#include "transactions/FenListingEmpruntController.h"
#include "transactions/FenListingMoyenController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingRemunereController.h"
#include "transactions/FenListingTiersController.h"
#include "transactions/FenListingTitreController.h"
#include "transactions/FenReleveController.h"

#include "document/DocContext.h"
#include "model/MONTANT.h"

namespace {

// A window on one entity of the open document, in the recorded currency slot: the entity's
// identifier is handed over as recorded, and the opener answers null for one that is gone.
using EntityOpener = StdWindowController* (*)(DOCUMENT& doc, const PARAMFEN& record, bool appear);

void registerEntityWindow(const char* fenclass, EntityOpener open)
{
    WindowMemory::registerWindowClass(QString::fromLatin1(fenclass),
                                      [open](const PARAMFEN& record, bool appear) -> StdWindowController* {
                                          DOCUMENT* doc = currentDocument();
                                          return doc ? open(*doc, record, appear) : nullptr;
                                      });
}

void registerListings()
{
    registerEntityWindow("FenReleveController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openReleveWindow(r.ID1, appear, r.devise, doc));
    });
    registerEntityWindow("FenListingDossierController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingDossier(doc, r.ID1, r.devise, appear));
    });
    registerEntityWindow("FenListingPosteController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingPoste(doc, r.ID1, r.devise, appear));
    });
    registerEntityWindow("FenListingTiersController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingTiers(doc, r.ID1, r.devise, appear));
    });
    registerEntityWindow("FenListingChronoController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingChrono(doc, r.ID1, r.devise, appear));
    });
    // The means family as ID1, its account as ID2 and its synonym as ID3.
    registerEntityWindow("FenListingMoyenController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingMoyen(doc, r.ID2, int(r.ID1), r.ID3, r.devise, appear));
    });
    registerEntityWindow("FenListingTitreController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingTitre(doc, r.ID1, r.devise, appear));
    });
    registerEntityWindow("FenListingRemunereController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingRemunere(doc, r.ID1, r.devise, appear));
    });
    registerEntityWindow("FenListingEmpruntController", [](DOCUMENT& doc, const PARAMFEN& r, bool appear) {
        return static_cast<StdWindowController*>(openListingEmprunt(doc, r.ID1, r.devise, appear));
    });
}

void registerSingleWindows()
{
    WindowMemory::registerWindowClass(QStringLiteral("FenCalendrierController"),
                                      [](const PARAMFEN&, bool appear) -> StdWindowController* {
                                          ApplicationDelegate* delegate = ApplicationDelegate::sharedDelegate();
                                          return delegate ? delegate->openCalendrier(appear) : nullptr;
                                      });
    WindowMemory::registerWindowClass(QStringLiteral("FenDeviseController"),
                                      [](const PARAMFEN&, bool appear) -> StdWindowController* {
                                          return FenDeviseController::openDevises(MONTANT::currentDeviseSlot(), appear);
                                      });
    WindowMemory::registerWindowClass(QStringLiteral("FenTaxeController"),
                                      [](const PARAMFEN&, bool appear) -> StdWindowController* {
                                          return FenTaxeController::openTaxes(MONTANT::currentDeviseSlot(), appear);
                                      });
    WindowMemory::registerWindowClass(
        QStringLiteral("FenMacroController"),
        [](const PARAMFEN&, bool appear) -> StdWindowController* { return showMacros(appear); });
    WindowMemory::registerWindowClass(
        QStringLiteral("FenSynonymeController"),
        [](const PARAMFEN&, bool appear) -> StdWindowController* { return showSynonymes(appear); });
    // The folders window opens its listings and graphs in its own slot: the recorded one.
    WindowMemory::registerWindowClass(QStringLiteral("FenDossierController"),
                                      [](const PARAMFEN& record, bool appear) -> StdWindowController* {
                                          FenDossierController* dossiers = showDossiers(appear);
                                          if (dossiers)
                                              dossiers->setDevise(record.devise);
                                          return dossiers;
                                      });
}

} // namespace

void WindowMemory::registerDocumentWindowClasses()
{
    registerListings();
    registerSingleWindows();
}
