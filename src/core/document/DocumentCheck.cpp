#include "document/DocumentCheck.h"

#include "document/APPLIPARAM.h"
#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "engines/SearchEngine.h"
#include "foundation/IAlerts.h"
#include "model/ITransactionWindows.h"
#include "model/MONTANT.h"
#include "model/ReleveCompute.h"

std::unique_ptr<LISTING> findDocumentProblems(const DOCUMENT& doc)
{
    const Critere critere = Critere::makeProblemCritere(&doc);
    SearchRequest request;
    request.critere = &critere;
    request.doc = &doc;
    request.sort = ListingSort::Defaut;
    const auto defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    request.defaultSort = defaultSort == ListingSort::Defaut ? ListingSort::Date2 : defaultSort;
    request.devise = MONTANT::currentDeviseSlot();
    request.doCumuls = true;
    return searchWithCritere(request);
}

void verifierDocument(std::unique_ptr<LISTING> listing, DOCUMENT& doc)
{
    recomputeAllReleves(&doc, QStringLiteral("kMessage_ComputeVerify3"));
    if (!listing)
        listing = findDocumentProblems(doc);
    if (listingCount(listing.get()) == 0) {
        disposeListing(listing);
        alertKey(QStringLiteral("kAlerte_noProblem"), nullptr, 1, QStringLiteral("verifier"));
        return;
    }
    alertKey(QStringLiteral("kConfirm_ProblemList"), nullptr, 0, QStringLiteral("verifier"));
    if (ITransactionWindows* windows = transactionWindows())
        windows->openListingProblem(doc, std::move(listing), int(MONTANT::currentDeviseSlot()));
}
