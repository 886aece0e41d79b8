#include "analysis/CellActualiserBudget.h"

CellActualiserBudget::CellActualiserBudget(QWidget* parent)
    : CellCompleterBudget(columns(), parent)
{
}

QList<CellCompleterBudget::Column> CellActualiserBudget::columns()
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {{"prevision", 150, left},        {"poste", 120, left},           {"montant12mois", 136, right},
            {"montantactuel", 100, right},   {"montantpropose", 100, right}, {"nbOperations", 86, right},
            {"etoiles", 86, Qt::AlignCenter}};
}
