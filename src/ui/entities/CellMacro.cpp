#include "entities/CellMacro.h"

#include "toolkit/drawing/Constants.h"

#include "engines/TransactClipboard.h"
#include "model/MACRO.h"

#include <QHBoxLayout>

CellMacro::CellMacro(QWidget* parent)
    : StdCell(parent)
    , field_touche(new QLabel(this))
    , field_nom(new QLabel(this))
    , field_moyen(new QLabel(this))
{
    field_touche->setObjectName(QStringLiteral("field_touche"));
    field_nom->setObjectName(QStringLiteral("field_nom"));
    field_moyen->setObjectName(QStringLiteral("field_moyen"));
    field_touche->setFont(makeListFont(true, false, 13));
    field_touche->setFixedWidth(36);
    field_touche->setAlignment(Qt::AlignCenter);
    field_nom->setFont(makeListFont(false, false, 13));
    field_moyen->setFont(makeListFont(false, true, 12));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->addWidget(field_touche);
    layout->addWidget(field_nom, 3);
    layout->addWidget(field_moyen, 2);
}

void CellMacro::fill(const MACRO& macro, const DOCUMENT& doc)
{
    field_touche->setText(macro.ch ? QString(QChar(macro.ch)) : QString());
    field_nom->setText(macro.nom);
    field_moyen->setText(macro.transact ? moyenCompteName(macro.transact->moyen, -1, &doc) : QStringLiteral("?"));
}
