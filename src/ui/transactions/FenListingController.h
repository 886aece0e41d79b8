#pragma once
// The printable listings: a transaction list over the result of one search, with a footer of
// totals (debits, credits, their difference, the carry-over and the resulting balance), a bound
// "up to today" that follows the days, and the openers of every listing. Each entity listing
// (third party, folder, category, schedule, payment means, search result, problems) is a small
// subclass with its own opener and row colour.
//
// Openers take their arguments in one order: the document, the entity's identifier(s), then the
// currency slot and the show flag. An open listing of the same class about the same entity is
// reused, not opened twice.
#include "toolkit/windows/ListingWithCritere.h"
#include "transactions/FenTransListController.h"

#include <optional>

class StdViewPiedReleve;
class TemplateListing;

class FenListingController : public FenTransListController {
    Q_OBJECT
public:
    FenListingController();

    virtual QString nibName() const { return QStringLiteral("FenListing"); }
    QString templateNibName1() const override { return QStringLiteral("TemplateListing"); }

    void didAwakeFromNib() override;
    void windowWillClose() override;
    // The carry-over, then every line that counts for an amount, against the list's account or
    // bank; then the footer.
    void COMPUTE_TOTAUX() override;
    virtual void PRINT_PIED();
    void INVAL_PIED() override { PRINT_PIED(); }
    void paintTransRelevePied1(const TOTAUX& totaux);
    // A listing bounded up to and with the previous day moves its bound to the new day.
    Q_INVOKABLE void notifyNewDay(const QVariant& previousStart, const QVariant& arg2) override;
    Q_INVOKABLE void notifyDidSynchonize(const QVariant& arg1, const QVariant& arg2);

protected:
    // Rows ending with the extra columns of that kind.
    explicit FenListingController(TransExtraKind extraKind);
    void buildInterface(StdWindow& window) override;
    TemplateTransList* makeRowTemplate() override;
    // The footer the row template gives the window; listings of another kind give their own.
    virtual QWidget* makeViewPied(QWidget* parent);
    // A row colour for the whole listing, or the list's own colours (by row kind) when invalid.
    virtual QColor listingColor() const { return QColor(); }
    QColor getPatColor1(int row) override;
    // Every document transaction the listing counts, once each however many of its split lines
    // are shown: the financial totals take whole transactions.
    void forEachCountedTransact(const std::function<void(const TRANSACT&)>& block) const;
    // An amount in the window's currency slot.
    QString amountText(const MONTANT& amount, bool showUnit) const;
};

// The document's transactions (no schedule nor forecast occurrences) that pass the criterion, in
// the currency slot, with running balances.
std::unique_ptr<LISTING> searchListing(const Critere& critere, const DOCUMENT& doc, long devise);

// The listing of class C (FenListingController or a subclass) over a criterion and its result;
// its account and bank are the criterion's. The new window's controller.
template <class C = FenListingController> C* openListingWithCritere(ListingWithCritere request, DOCUMENT& doc);

// An entity listing: the open one of class C about the same identifiers (those of opening not -1)
// brought to the front when show is set, else a new one of mode 1 with smartGrow, no untick, no
// carry-over, shown when show is set.
template <class C> C* openEntityListing(TransListOpening opening, bool show);

// ---------------------------------------------------------------------------------------------

namespace listingdetail {
FenListingController* reuseListing(const QMetaObject& listingClass, const TransListOpening& opening, bool show);
QString titleOrCount(const QString& title, const LISTING* listing);
void appearAnimated(FenListingController* controller);
void bringToFront(FenListingController* controller);
} // namespace listingdetail

template <class C> C* openListingWithCritere(ListingWithCritere request, DOCUMENT& doc)
{
    static_assert(std::is_base_of_v<FenListingController, C>);
    TransListOpening opening;
    opening.debitID = request.critere.getCritereCompte();
    opening.banqueID = request.critere.getCritereBanque();
    opening.mode = request.mode;
    opening.title = listingdetail::titleOrCount(request.title, request.listing.get());
    opening.titleCounts = request.title.isEmpty();
    opening.critere = std::move(request.critere);
    opening.listing = std::move(request.listing);
    opening.smartGrow = true;
    opening.appear = false;
    opening.allowDepointer = false;
    opening.doc = &doc;
    opening.devise = request.devise;
    opening.report = request.report;
    C* controller = openTransListWindow<C>(std::move(opening));
    if (controller && request.animate)
        listingdetail::appearAnimated(controller);
    return controller;
}

template <class C> C* openEntityListing(TransListOpening opening, bool show)
{
    static_assert(std::is_base_of_v<FenListingController, C>);
    if (auto* open = static_cast<C*>(listingdetail::reuseListing(C::staticMetaObject, opening, show)))
        return open;
    opening.smartGrow = true;
    opening.appear = show;
    opening.allowDepointer = false;
    opening.report.reset();
    C* controller = openTransListWindow<C>(std::move(opening));
    if (controller && show)
        listingdetail::bringToFront(controller);
    return controller;
}
