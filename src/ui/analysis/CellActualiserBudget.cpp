#include "analysis/CellActualiserBudget.h"

CellActualiserBudget::CellActualiserBudget(QWidget* parent)
    : CellCompleterBudget(columns(), parent)
{
}

QList<CellCompleterBudget::Column> CellActualiserBudget::columns()
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {{"prevision", "FenAmeliorerBudget_prevision", 150, left},
            {"poste", "FenAmeliorerBudget_poste", 120, left},
            {"montant12mois", "FenAmeliorerBudget_montant12mois", amountWidth(136), right, true},
            {"montantactuel", "FenAmeliorerBudget_montantactuel", amountWidth(100), right, true},
            {"montantpropose", "FenAmeliorerBudget_montantpropose", amountWidth(100), right, true},
            {"nbOperations", "FenAmeliorerBudget_nbOperations", 86, right, true},
            {"etoiles", "FenAmeliorerBudget_etoiles", 86, Qt::AlignCenter}};
}
