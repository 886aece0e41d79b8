#include "investments/CellSimulation.h"

#include "investments/TemplateSimulation.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/TOTAUX.h"

CellSimulation::CellSimulation(QWidget* parent)
    : StdCell(parent)
{
    static const char* const names[8]
        = {"field_cell_mois", "field_cell_remboursement", "field_cell_capital",       "field_cell_interet",
           "field_cell_cout", "field_cell_cumul_capital", "field_cell_cumul_interet", "field_cell_cumul_cout"};
    std::array<QWidget*, 8> views {};
    for (size_t i = 0; i < m_fields.size(); ++i) {
        auto* label = new FigureLabel(this);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setFont(makeListFont(false, false, 12));
        label->setAlignment((i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        m_fields[i] = label;
        views[i] = label;
    }
    TemplateSimulation::layOutColumns(this, views);
    resize(TemplateSimulation::width(), TemplateSimulation::kRowHeight);
}

void CellSimulation::fill(const TOTAUX& row, long slot)
{
    const DOCUMENT* doc = currentDocument();
    const DeviseList* devises = doc ? &doc->deviseHdl : nullptr;
    m_fields[0]->setText(QString::number(row.n));
    const MONTANT* amounts[]
        = {&row.total1, &row.total2, &row.total3, &row.total6, &row.total4, &row.total5, &row.total7};
    for (size_t i = 0; i < 7; ++i)
        m_fields[i + 1]->setText(montantToStringForDevise(*amounts[i], slot, devises, false));
}

QStringList CellSimulation::rowTexts() const
{
    QStringList out;
    for (const FigureLabel* field : m_fields)
        out << field->text();
    return out;
}
