#include "import/CellRubrique.h"

#include "toolkit/drawing/Constants.h"

#include <QHBoxLayout>

CellRubrique::CellRubrique(QWidget* parent)
    : StdCell(parent)
    , field_rubrique(new QLabel(this))
    , field_valeur(new QLabel(this))
{
    setObjectName(QStringLiteral("RUBRIQUE"));
    field_rubrique->setObjectName(QStringLiteral("field_rubrique"));
    field_valeur->setObjectName(QStringLiteral("field_valeur"));
    field_rubrique->setFont(makeListFont(true, false, 12));
    field_valeur->setFont(makeListFont(false, false, 12));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(field_rubrique, 2);
    layout->addWidget(field_valeur, 3);
}

void CellRubrique::fill(const QString& rubrique, const QString& valeur)
{
    field_rubrique->setText(rubrique);
    field_valeur->setText(valeur);
}
