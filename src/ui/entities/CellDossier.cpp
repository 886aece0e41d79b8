#include "entities/CellDossier.h"

#include "toolkit/drawing/Constants.h"

#include <QHBoxLayout>

CellDossier::CellDossier(QWidget* parent)
    : CellPoste(parent)
    , count(new QLabel(this))
{
    count->setObjectName(QStringLiteral("count"));
    count->setFont(makeListFont(false, false, 11));
    nom->setFont(makeListFont(true, false, 13));
    static_cast<QHBoxLayout*>(layout())->insertWidget(2, count);
}

void CellDossier::setCount(long n)
{
    count->setText(QStringLiteral("(%1)").arg(n));
}
