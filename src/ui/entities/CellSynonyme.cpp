#include "entities/CellSynonyme.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/popups/PopSynonyme.h"

#include "model/MOYEN.h"
#include "model/Synonyme.h"

#include <QHBoxLayout>

CellSynonyme::CellSynonyme(QWidget* parent)
    : StdCell(parent)
    , icone(new QLabel(this))
    , nom(new QLabel(this))
    , synonyme(new QLabel(this))
{
    icone->setObjectName(QStringLiteral("icone"));
    nom->setObjectName(QStringLiteral("nom"));
    synonyme->setObjectName(QStringLiteral("synonyme"));
    icone->setFixedSize(20, 20);
    nom->setFont(makeListFont(true, false, 13));
    synonyme->setFont(makeListFont(false, true, 12));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->addWidget(icone);
    layout->addWidget(nom, 3);
    layout->addWidget(synonyme, 2);
}

void CellSynonyme::fill(const Synonyme& shown, const DOCUMENT& doc)
{
    Q_UNUSED(doc);
    nom->setText(shown.nom);
    synonyme->setText(MOYEN::newMoyenName(shown.family));
    QIcon image = PopSynonyme::synonymeImage(shown);
    if (image.isNull())
        image = PopSynonyme::itemImage(familyIconName(shown.family));
    icone->setPixmap(image.pixmap(20, 20));
}
