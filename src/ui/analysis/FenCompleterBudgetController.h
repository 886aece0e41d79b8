#pragma once
// The completion of the budget: a monthly forecast proposed for every category that no schedule
// and no forecast uses yet, at its mean over the months looked at. A written proposal becomes a
// forecast from the first day of this month, repeating every month, not catching up, from the
// user's account to the document's default account for an expense (the other way for income).
// One window for the program.
#include "analysis/FenAmeliorerBudgetController.h"

class FenCompleterBudgetController : public FenAmeliorerBudgetController {
    Q_OBJECT
public:
    // The open window, else null.
    static FenCompleterBudgetController* current();
    // Opens the window on the proposals and shows them.
    static FenCompleterBudgetController* open(const BudgetProposalList& entries, long nbMonth, long devise);

    std::optional<Prevision> doEcrire(long row, bool confirmation) override;
    // "Poste <category>", made unique among the document's forecasts.
    QString newPrevisionNameForPosteID(long posteID) const;
    void windowWillClose() override;

protected:
    QString windowName() const override { return QStringLiteral("FenCompleterBudget"); }
    QString helpTitle() const override;
    QString helpContent() const override;
    QString emptyAlertKey() const override { return QStringLiteral("kAlerte_completerEmpty"); }
    QList<CellCompleterBudget::Column> columns() const override { return CellCompleterBudget::columns(); }
    CellCompleterBudget& fillCell(const BudgetProposal* entry) override;

private:
    // The forecast a proposal stands for; none when the document has no account of the user.
    std::optional<Prevision> newPrevisionForEntry(const BudgetProposal& entry) const;

    CellCompleterBudget m_cell;
};
