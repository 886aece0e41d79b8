#pragma once
// The statement of an interest-bearing savings item, taken against the item's account:
// deposits, withdrawals, interest and costs, and the capital and balance, printed in landscape.
#include "transactions/FenListingController.h"

class FenListingRemunereController : public FenListingController {
    Q_OBJECT
public:
    FenListingRemunereController();

    QString nibName() const override { return QStringLiteral("FenListingRemunere"); }
    QString templateNibName1() const override { return QStringLiteral("TemplateListingRemunere"); }
    long preferedOrientation() const override { return 1; }
    void didAwakeFromNib() override;
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintEtatRemunerePied(const TOTAUX& totaux);

protected:
    QWidget* makeViewPied(QWidget* parent) override;
    QColor listingColor() const override { return QColor(255, 233, 255); }
};

// Null when the savings item doesn't exist.
FenListingRemunereController* openListingRemunere(DOCUMENT& doc, long remunereID, long devise, bool show);
