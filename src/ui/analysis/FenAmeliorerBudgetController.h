#pragma once
// What the two budget proposal windows share: a list of proposals computed once from the
// transactions of the last N months (entries, nbMonth), each rated by stars, written one at a time
// after the forecast editor has been shown, or all at once without it. A written proposal leaves
// the list; the schedules window, when open, shows and selects the forecast written.
#include "analysis/CellCompleterBudget.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include "engines/ChronoManager.h"

#include <QPointer>

#include <optional>

class DOCUMENT;
class PopHelp;
class QLabel;
class QPushButton;

class FenAmeliorerBudgetController : public StdWindowWithTableController {
    Q_OBJECT
public:
    const BudgetProposalList& entries() const { return m_entries; }
    void setEntries(const BudgetProposalList& entries) { m_entries = entries; }
    long nbMonth() const { return m_nbMonth; }
    void setNbMonth(long nbMonth) { m_nbMonth = nbMonth; }
    QLabel* titleTotal() const { return m_titleTotal; }
    PopHelp* popHelp() const { return m_popHelp; }
    QPushButton* buttonToutEcrire() const { return m_buttonToutEcrire; }

    // Shows the proposals; tells the user when there is none.
    void start();
    // One to five stars for n transactions over N months.
    static long nbEtoile(long nbMonth, long nbOperation);

    // Writes the proposal of the row, after the forecast editor when confirmation is asked: the
    // forecast written, none when the row holds no proposal, the user cancelled or it cannot be
    // written.
    virtual std::optional<Prevision> doEcrire(long row, bool confirmation) = 0;
    // Writes the row's proposal through the editor, then tells the windows and the user.
    void ecrire(long row);
    // The row's write button (its tag the row).
    Q_INVOKABLE void ECRIRE(QObject* sender);
    Q_INVOKABLE void TOUT_ECRIRE(QObject* sender);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    void didDoubleClick1(QObject* sender) override;
    void didAwakeFromNib() override;

protected:
    // Opens a window of that kind on the proposals and shows them; the slot holds it while open.
    template <class Window>
    static Window* openProposals(QPointer<Window>& slot, const BudgetProposalList& entries, long nbMonth, long devise)
    {
        auto* window = StdWindowController::push<Window>(nullptr, devise, true);
        slot = window;
        window->setEntries(entries);
        window->setNbMonth(nbMonth);
        window->orderFront();
        window->start();
        return window;
    }

    // Names the window and, with "_titre" added, the key of its title.
    virtual QString windowName() const = 0;
    void buildInterface(StdWindow& window) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    virtual QString helpTitle() const = 0;
    virtual QString helpContent() const = 0;
    virtual QString emptyAlertKey() const = 0;
    virtual QList<CellCompleterBudget::Column> columns() const = 0;
    // The row template, filled with the proposal (null: the row holds none).
    virtual CellCompleterBudget& fillCell(const BudgetProposal* entry) = 0;

    DOCUMENT* document() const;
    const BudgetProposal* entryAt(long row) const;
    // The proposal is written: it leaves the list, the selection is cleared.
    void removeEntry(long row);
    // The schedules window, when open, lists the forecast anew and selects it.
    void showInEcheancier(long ident) const;
    // An amount with the unit in the window's currency and its decimals, coloured by its sign.
    void showMontant(QLabel* field, const MONTANT& montant) const;
    QString posteName(long posteID) const;
    void fillCommon(CellCompleterBudget& cell, const BudgetProposal* entry) const;

private:
    int selectedRow() const;

    BudgetProposalList m_entries;
    long m_nbMonth = 0;
    QLabel* m_titleTotal = nullptr;
    PopHelp* m_popHelp = nullptr;
    QPushButton* m_buttonToutEcrire = nullptr;
};
