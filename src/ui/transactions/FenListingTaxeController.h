#pragma once
// The tax statement of a period: tax-inclusive, net and tax amounts of debits and credits, and
// the recoverable and collected tax with their balance, printed in landscape. Each declaration
// opens a window of its own.
#include "toolkit/dialogs/DECLARATION.h"
#include "transactions/FenListingController.h"

#include <functional>

class FenListingTaxeController : public FenListingController {
    Q_OBJECT
public:
    FenListingTaxeController();

    QString nibName() const override { return QStringLiteral("FenListingTaxe"); }
    QString templateNibName1() const override { return QStringLiteral("TemplateListingTaxe"); }
    long preferedOrientation() const override { return 1; }
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintEtatTaxePied(const TOTAUX& totaux);

protected:
    QWidget* makeViewPied(QWidget* parent) override;
    QColor listingColor() const override { return QColor(255, 255, 233); }
};

// The declaration question: the user confirms or changes the declaration (answers true) or
// cancels it. The taxes window gives it.
using AskDeclaration = std::function<bool(StdWindowController* parent, DECLARATION& declaration)>;

// A declaration of the tax from the first of January of this year to now, confirmed or changed by
// the question, then its listing in a new window; null when cancelled or without a question.
FenListingTaxeController* openListingDeclaration(DOCUMENT& doc, StdWindowController* parent, long taxeID, long devise,
                                                 bool show, const AskDeclaration& askDeclaration);
// The listing of a confirmed declaration, titled with the tax (or "kMisc_PasDeTaxe").
FenListingTaxeController* openListingTaxe(DOCUMENT& doc, const DECLARATION& declaration, long devise, bool show);
