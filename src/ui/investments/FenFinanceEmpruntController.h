#pragma once
// The document's loans with what was repaid, lent, paid in interest and in costs, and the loan
// simulator a command away.
#include "investments/CellFinance.h"
#include "investments/FenFinanceController.h"

#include <functional>

class FenFinanceEmpruntController : public FenFinanceController {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front.
    static FenFinanceEmpruntController* openEmprunts(bool appear = true);

    Q_INVOKABLE void NOUVEAU(QObject*) override { newFlatItem(FinanceKind::Emprunt); }
    Q_INVOKABLE void MODIFIER(QObject*) override { modifyFlatRow(FinanceKind::Emprunt); }
    Q_INVOKABLE void SUPPRIMER(QObject*) override { deleteFlatRow(FinanceKind::Emprunt); }
    Q_INVOKABLE void LISTING(QObject* sender) override;
    // The loan simulator, through the application's command.
    Q_INVOKABLE void SIMULATION(QObject* sender);
    void CLOSE_ETAT(long ident) override;
    void COMPUTE_TOTAUX() override;
    void PRINT_PIED() override;
    void paintEmpruntPied(long devise, const DeviseList* devises);

    // Selects the loan of that name (a simulation just became that loan).
    void showEmpruntAtName(const QString& name);
    // A loan was made at that position: the list shows it and selects it.
    Q_INVOKABLE void notifyNewEmprunt(const QVariant& position, const QVariant& arg2);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;

    // How the application opens the loan simulator; without one the command is disabled.
    using SimulationOpener = std::function<void()>;
    static void setSimulationOpener(SimulationOpener opener);

protected:
    QString interfaceName() const override { return QStringLiteral("FenFinanceEmprunt"); }
    QString titleKey() const override { return QStringLiteral("FenFinanceEmprunt_titre"); }
    QList<std::pair<const char*, const char*>> extraCommands() const override;
    StdTemplate* makeTemplate() const override;
    void didAwakeFromNib() override;

private:
    CellFinanceEmprunt m_cell;
};
