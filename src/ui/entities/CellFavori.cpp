#include "entities/CellFavori.h"

#include "toolkit/drawing/Constants.h"

#include <QHBoxLayout>

CellFavori::CellFavori(QWidget* parent)
    : StdCell(parent)
    , nom(new QLabel(this))
{
    nom->setObjectName(QStringLiteral("nom"));
    nom->setFont(makeListFont(false, false, 13));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(nom, 1);
}
