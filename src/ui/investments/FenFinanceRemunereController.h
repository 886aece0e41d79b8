#pragma once
// The document's interest-bearing savings with their capital, interest, costs and balance.
#include "investments/CellFinance.h"
#include "investments/FenFinanceController.h"

class FenFinanceRemunereController : public FenFinanceController {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front.
    static FenFinanceRemunereController* openRemuneres(bool appear = true);

    Q_INVOKABLE void NOUVEAU(QObject*) override { newFlatItem(FinanceKind::Remunere); }
    Q_INVOKABLE void MODIFIER(QObject*) override { modifyFlatRow(FinanceKind::Remunere); }
    Q_INVOKABLE void SUPPRIMER(QObject*) override { deleteFlatRow(FinanceKind::Remunere); }
    Q_INVOKABLE void LISTING(QObject* sender) override;
    void CLOSE_ETAT(long ident) override;
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintRemunerePied(long devise, const DeviseList* devises);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;

protected:
    QString interfaceName() const override { return QStringLiteral("FenFinanceRemunere"); }
    QString titleKey() const override { return QStringLiteral("FenFinanceRemunere_titre"); }
    StdTemplate* makeTemplate() const override;

private:
    CellFinanceRemunere m_cell;
};
