#include "entities/CellTaxe.h"

#include "toolkit/drawing/Constants.h"

#include "foundation/numbers.h"

#include <QHBoxLayout>

CellTaxe::CellTaxe(QWidget* parent)
    : StdCell(parent)
    , nom(new QLabel(this))
    , taux(new QLabel(this))
{
    nom->setObjectName(QStringLiteral("nom"));
    taux->setObjectName(QStringLiteral("taux"));
    nom->setFont(makeListFont(false, false, 13));
    taux->setFont(makeListFont(false, false, 13));
    taux->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(nom, 3);
    layout->addWidget(taux, 1);
}

QString CellTaxe::tauxText(double rate)
{
    return doubleToDisplayString(2, rate) + QStringLiteral(" %");
}

void CellTaxe::fill(const QString& name, double rate)
{
    nom->setText(name);
    taux->setText(tauxText(rate));
}
