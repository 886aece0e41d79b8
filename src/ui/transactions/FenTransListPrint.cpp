// Printing a transaction list: split transactions as the print options ask (as shown, all
// collapsed or all detailed) on a copy of the listing that lives only while the pages are laid
// out, and the title block with the criteria and the line count.
#include "transactions/FenTransListController.h"

#include "toolkit/print/PrintOperation.h"
#include "toolkit/windows/StdViewTitre.h"

#include <QLabel>

namespace {

// svOptionGroupees: split transactions printed as the window shows them, collapsed, or detailed.
constexpr long kGroupeesCollapsed = 1;
constexpr long kGroupeesDetailed = 2;

} // namespace

void FenTransListController::willSpoolPrintOperation(PrintOperation& operation)
{
    if (m_printsCopy) {
        m_listing = std::move(m_saveListing);
        m_printsCopy = false;
    }
    printListingOption(operation.printInfo().svOptionGroupees);
}

// The window's listing is set aside and a copy prints in its place. Without a listing the print
// takes the list as it is.
void FenTransListController::printListingOption(long option)
{
    if ((option != kGroupeesCollapsed && option != kGroupeesDetailed) || !m_listing)
        return;
    m_saveListing = std::move(m_listing);
    m_listing = std::make_unique<LISTING>(m_saveListing->copyOfListing());
    m_printsCopy = true;
    long posteID = -1;
    long dossierID = -1;
    criterePosteValue(&posteID, &dossierID);
    if (option == kGroupeesCollapsed)
        listingCollapseAllMultis(m_listing.get(), posteID, dossierID);
    else
        listingExpandAllMultis(m_listing.get(), posteID, dossierID, m_doc);
    computeCumuls();
}

void FenTransListController::didSpoolPrintOperation(PrintOperation&)
{
    if (!m_printsCopy)
        return;
    m_listing = std::move(m_saveListing);
    m_printsCopy = false;
    computeCumuls();
}

// Criteria of four lines or more make the title block taller, a line of the page field's height
// for each line beyond three.
void FenTransListController::paintPrintTete()
{
    StdWindowWithTableController::paintPrintTete();
    auto* titre = qobject_cast<StdViewTitre*>(viewTitre());
    if (!titre)
        return;
    const QString critere = m_listCrit ? m_listCrit->critereToString(m_doc, true, true) : QString();
    // The print lays out the lines of a field at its carriage returns.
    titre->getFieldTextCritere()->setText(critere);
    titre->getFieldTextNb()->setText(m_fieldNbOperations ? m_fieldNbOperations->text() : QString());
    const long returns = critere.count(QChar(13));
    if (returns >= 4) {
        const double line = titre->getFieldTextPage()->height() + 2.0;
        titre->resize(titre->width(), int(line * double(returns - 3) + titre->getInitialHeight()));
    }
}
