#include "entities/FenBanqueCells.h"

#include "entities/FenBanqueActions.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/tables/RowLabel.h"

#include "model/DOCUMENT.h"
#include "model/ReferencePasses.h"
#include "model/TOOL.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

CellTool::CellTool(QWidget* parent)
    : StdCell(parent)
    , image(new QLabel(this))
    , nom(new RowLabel(this))
    , infos(new RowLabel(this))
    , solde(new FigureLabel(this))
{
    image->setObjectName(QStringLiteral("image"));
    nom->setObjectName(QStringLiteral("nom"));
    infos->setObjectName(QStringLiteral("infos"));
    solde->setObjectName(QStringLiteral("solde"));
    image->setFixedSize(32, 32);
    nom->setFont(makeListFont(true, false, 13));
    infos->setFont(makeListFont(false, false, 11));
    solde->setFont(makeListFont(true, false, 13));
    solde->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The names give way to the balance, which keeps room for the whole of its figure.
    nom->setMinimumWidth(kLeastNameWidth);
    infos->setMinimumWidth(kLeastNameWidth);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(nom);
    texts->addWidget(infos);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 10, 2);
    layout->addWidget(image);
    layout->addLayout(texts, 1);
    layout->addWidget(solde);
}

void CellTool::fill(const TOOL& tool, long devise, const DOCUMENT& doc)
{
    nom->setText(tool.nom);
    infos->setText(tool.infos);
    infos->setVisible(!tool.infos.isEmpty());
    solde->setText(montantToStringForDevise(tool.solde, devise, getDocDevise(&doc), true));
    int bType = tool.bType;
    if (tool.kind == kToolCompte)
        tool.compteToBType(&bType, &doc);
    QPalette colours = solde->palette();
    colours.setColor(QPalette::WindowText, soldeColor(tool.solde, bType));
    solde->setPalette(colours);
    const QIcon picture = PopCompte::getToolImage(tool, &doc);
    if (!picture.isNull())
        image->setPixmap(picture.pixmap(32, 32));
}

CellCompte::CellCompte(QWidget* parent)
    : CellTool(parent)
    , image_lock(new QLabel(this))
{
    image_lock->setObjectName(QStringLiteral("image_lock"));
    image_lock->setFixedSize(16, 16);
    image_lock->setPixmap(PopCompte::itemImage(QStringLiteral("cadenas")).pixmap(16, 16));
    static_cast<QHBoxLayout*>(layout())->insertWidget(1, image_lock);
}

void CellCompte::setLocked(bool locked)
{
    image_lock->setVisible(locked);
}
