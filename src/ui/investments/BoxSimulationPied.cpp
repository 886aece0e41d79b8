#include "investments/BoxSimulationPied.h"

#include "investments/TemplateSimulation.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/TOTAUX.h"

BoxSimulationPied::BoxSimulationPied(QWidget* parent)
    : StdBoxNoBorder(parent)
{
    setObjectName(QStringLiteral("template_view_pied"));
    static const char* const names[8]
        = {"field_total_mois", "field_total_remboursement", "field_total_capital",       "field_total_interet",
           "field_total_cout", "field_total_cumul_capital", "field_total_cumul_interet", "field_total_cumul_cout"};
    std::array<QWidget*, 8> views {};
    for (size_t i = 0; i < m_fields.size(); ++i) {
        auto* label = new FigureLabel(this);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setFont(makeListFont(true, false, 12));
        label->setAlignment((i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        m_fields[i] = label;
        views[i] = label;
    }
    TemplateSimulation::layOutColumns(this, views);
    setFillColor(QColor::fromRgbF(0.9f, 0.93f, 0.97f));
}

void BoxSimulationPied::fill(const TOTAUX& totaux, long slot)
{
    const DOCUMENT* doc = currentDocument();
    const DeviseList* devises = doc ? &doc->deviseHdl : nullptr;
    m_fields[0]->setText(QString::number(totaux.n));
    const MONTANT* amounts[] = {&totaux.total1, &totaux.total2, &totaux.total3, &totaux.total6};
    for (size_t i = 0; i < 4; ++i)
        m_fields[i + 1]->setText(montantToStringForDevise(*amounts[i], slot, devises, false));
    for (size_t i = 5; i < 8; ++i)
        m_fields[i]->clear();
}

QStringList BoxSimulationPied::texts() const
{
    QStringList out;
    for (const FigureLabel* field : m_fields)
        out << field->text();
    return out;
}
