#pragma once
// The statement of a loan: repaid and borrowed capital, interest and costs, and what remains,
// printed in landscape; its simulation button shows the saved loan simulation named after it.
#include "transactions/FenListingController.h"

#include <functional>

class FINANCE;

class FenListingEmpruntController : public FenListingController {
    Q_OBJECT
public:
    FenListingEmpruntController();

    // How the loan simulator shows a saved simulation (its index in the document's list); the
    // simulator installs it. Without one the simulation button stays disabled.
    using SimulationOpener = std::function<void(long index)>;
    static void setSimulationOpener(SimulationOpener opener);

    QString nibName() const override { return QStringLiteral("FenListingEmprunt"); }
    QString templateNibName1() const override { return QStringLiteral("TemplateListingEmprunt"); }
    long preferedOrientation() const override { return 1; }
    void didAwakeFromNib() override;
    // Nothing when the loan is gone: the footer keeps its last totals.
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintEtatEmpruntPied(const TOTAUX& totaux);

    QAbstractButton* button_simulation() const { return m_buttonSimulation; }
    // The saved simulation named exactly as the loan: its name and index; empty when none.
    QString findSimulationName(long* index) const;
    void activateSimulationButton();
    Q_INVOKABLE void SIMULATION(QObject* sender);

protected:
    void buildInterface(StdWindow& window) override;
    QWidget* makeViewPied(QWidget* parent) override;
    QColor listingColor() const override { return QColor(255, 233, 255); }

private:
    const FINANCE* emprunt() const;

    QPointer<QAbstractButton> m_buttonSimulation;
};

// Null when the loan doesn't exist.
FenListingEmpruntController* openListingEmprunt(DOCUMENT& doc, long empruntID, long devise, bool show);
