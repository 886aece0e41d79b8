#pragma once
// The statement of a security: its purchases, sales, shares, income and costs, and its cash,
// value and gain, printed in landscape.
#include "transactions/FenListingController.h"

class FenListingTitreController : public FenListingController {
    Q_OBJECT
public:
    FenListingTitreController();

    QString nibName() const override { return QStringLiteral("FenListingTitre"); }
    QString templateNibName1() const override { return QStringLiteral("TemplateListingTitre"); }
    long preferedOrientation() const override { return 1; }
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintEtatTitrePied(const TOTAUX& totaux);

protected:
    QWidget* makeViewPied(QWidget* parent) override;
    QColor listingColor() const override { return QColor(255, 233, 255); }
};

// "-" for no shares (at cent precision), else up to six decimals with a decimal comma.
QString nombreTitresText(double nTitre);

// Null when the security doesn't exist.
FenListingTitreController* openListingTitre(DOCUMENT& doc, long titreID, long devise, bool show);
