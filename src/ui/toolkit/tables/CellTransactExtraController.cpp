#include "toolkit/tables/CellTransactExtraController.h"

#include "toolkit/tables/CellTransact.h"
#include "toolkit/tables/CellTransactExtraEmpruntController.h"
#include "toolkit/tables/CellTransactExtraRemunereController.h"
#include "toolkit/tables/CellTransactExtraTaxeController.h"
#include "toolkit/tables/CellTransactExtraTitreController.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/fields/textfieldx.h"

#include "model/TOTAUX.h"
#include "model/TRANSACT.h"

#include <QLabel>

CellTransactExtraController::CellTransactExtraController(CellTransact* cell, QWidget* parent)
    : CellTransactExtraController(cell, parent, Bare {})
{
    field_cumul = addField(RowText::field_cumul);
}

CellTransactExtraController::CellTransactExtraController(CellTransact* cell, QWidget* parent, Bare)
    : QWidget(parent)
    , _cellTransact(cell)
{
    setObjectName(QStringLiteral("extra_controller"));
}

CellTransactExtraController* CellTransactExtraController::make(TransExtraKind kind, CellTransact* cell, QWidget* parent)
{
    switch (kind) {
    case TransExtraKind::None:
        return nullptr;
    case TransExtraKind::Cumul:
        return new CellTransactExtraController(cell, parent);
    case TransExtraKind::Titre:
        return new CellTransactExtraTitreController(cell, parent);
    case TransExtraKind::Remunere:
        return new CellTransactExtraRemunereController(cell, parent);
    case TransExtraKind::Emprunt:
        return new CellTransactExtraEmpruntController(cell, parent);
    case TransExtraKind::Taxe:
        return new CellTransactExtraTaxeController(cell, parent);
    }
    return nullptr;
}

QLabel* CellTransactExtraController::addField(RowText field)
{
    auto* label = new FigureLabel(this);
    label->setObjectName(QString::fromLatin1(kRowTextNames[size_t(field)]));
    label->setFont(makeListFont(false, false, 12));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_fields.append(label);
    layOutFields();
    return label;
}

// The columns are placed here rather than by a layout: a row template is never shown, and a
// layout only places its widgets once shown, so the headings would all read the first column.
void CellTransactExtraController::layOutFields()
{
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setGeometry(int(i) * m_columnWidth, 0, m_columnWidth, height());
}

void CellTransactExtraController::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutFields();
}

int CellTransactExtraController::columnsWidth() const
{
    return int(m_fields.size()) * m_columnWidth;
}

void CellTransactExtraController::setColumnWidth(int width)
{
    m_columnWidth = width;
    layOutFields();
}

void CellTransactExtraController::paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT&)
{
    const bool hidden = content.hide_solde || line.cumul.nullMontant();
    content.text(RowText::field_cumul)
        = {.visible = true,
           .text = hidden ? QStringLiteral("-")
                          : montantToStringForDevise(line.cumul, line.devise, line.devHdl, line.showUnit),
           .alignRight = true};
}

void CellTransactExtraController::showColouredMontant(RowTextContent& field, const MONTANT& amount,
                                                      const TransLine& line)
{
    field.visible = true;
    field.alignRight = true;
    field.text = montantToStringForDevise(amount, line.devise, line.devHdl, line.showUnit);
    field.colourBy = amount;
    field.colour = QColor();
}

void CellTransactExtraController::paintInvestmentTotaux(const TOTAUX& totaux, const TransLine& line,
                                                        RowContent& content)
{
    const double ratio = line.isMain ? 1.0 : splitRatio(line.solde, line.rec->solde);
    const std::array<std::pair<const MONTANT*, RowText>, 4> figures {{
        {&totaux.total1, RowText::field_debit},
        {&totaux.total2, RowText::field_credit},
        {&totaux.total3, RowText::field_montant_interet},
        {&totaux.total4, RowText::field_montant_cout},
    }};
    for (const auto& [total, field] : figures) {
        MONTANT amount = *total;
        if (!line.isMain)
            MONTANT::multMontant(*total, ratio, amount);
        showColouredMontant(content.text(field), amount, line);
    }
    const bool italic = line.isMain && line.expand;
    content.text(RowText::field_montant_interet).italic = italic;
    content.text(RowText::field_montant_cout).italic = italic;
}
