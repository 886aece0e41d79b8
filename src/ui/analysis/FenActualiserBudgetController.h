#pragma once
// The update of the budget: a new amount proposed for every open-ended monthly forecast whose
// amount has drifted by a tenth or more from what its category really cost or earned over the
// months looked at. Writing a proposal gives the forecast that amount. One window for the
// program.
#include "analysis/CellActualiserBudget.h"
#include "analysis/FenAmeliorerBudgetController.h"

class FenActualiserBudgetController : public FenAmeliorerBudgetController {
    Q_OBJECT
public:
    // The open window, else null.
    static FenActualiserBudgetController* current();
    // Opens the window on the proposals and shows them.
    static FenActualiserBudgetController* open(const BudgetProposalList& entries, long nbMonth, long devise);

    std::optional<Prevision> doEcrire(long row, bool confirmation) override;
    void windowWillClose() override;

protected:
    QString windowName() const override { return QStringLiteral("FenActualiserBudget"); }
    QString helpTitle() const override;
    QString helpContent() const override;
    QString emptyAlertKey() const override { return QStringLiteral("kAlerte_actualiserEmpty"); }
    QList<CellCompleterBudget::Column> columns() const override { return CellActualiserBudget::columns(); }
    CellCompleterBudget& fillCell(const BudgetProposal* entry) override;

private:
    CellActualiserBudget m_cell;
};
