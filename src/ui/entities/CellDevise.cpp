#include "entities/CellDevise.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"

#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"

#include <QHBoxLayout>

DeviseRowLook deviseRowLook(const DOCUMENT& doc, long slot)
{
    DeviseRowLook look;
    const Devise* devise = Devise::deviseAtIndex(doc.deviseHdl, slot);
    if (!devise || !devise->used) {
        look.nom = localizedMisc(QStringLiteral("kMisc_Devise_inutilisee"));
        look.font = DeviseRowLook::Font::Italique;
        return look;
    }
    look.nom = devise->fullName;
    look.unit = devise->unit;
    look.coeur = doc.docParam && doc.docParam->defaultDevise == slot;
    if (slot == 0) {
        look.image = QStringLiteral("devise_principale");
        look.font = DeviseRowLook::Font::Gras;
        return look;
    }
    look.image = QStringLiteral("devise");
    look.taux = QStringLiteral("= %1 %2").arg(QString::asprintf("%.6f", devise->convert),
                                              Devise::deviseUnitAtIndex(doc.deviseHdl, 0));
    return look;
}

CellDevise::CellDevise(QWidget* parent)
    : StdCell(parent)
    , nom(new QLabel(this))
    , unit(new QLabel(this))
    , taux(new QLabel(this))
    , image(new QLabel(this))
    , coeur(new QLabel(this))
{
    nom->setObjectName(QStringLiteral("nom"));
    unit->setObjectName(QStringLiteral("unit"));
    taux->setObjectName(QStringLiteral("taux"));
    image->setObjectName(QStringLiteral("image"));
    coeur->setObjectName(QStringLiteral("coeur"));
    image->setFixedSize(22, 22);
    coeur->setText(QStringLiteral("\u2665"));
    coeur->setStyleSheet(QStringLiteral("color: #d0203a;"));
    taux->setFont(makeListFont(false, false, 13));
    taux->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->setSpacing(8);
    layout->addWidget(image);
    layout->addWidget(nom, 3);
    layout->addWidget(unit, 1);
    layout->addWidget(taux, 3);
    layout->addWidget(coeur);
}

void CellDevise::fill(const DeviseRowLook& look)
{
    const bool gras = look.font == DeviseRowLook::Font::Gras;
    const bool italique = look.font == DeviseRowLook::Font::Italique;
    const QFont font = makeListFont(gras, italique, italique ? 11 : 13);
    nom->setFont(font);
    unit->setFont(font);
    nom->setText(look.nom);
    unit->setText(look.unit);
    taux->setText(look.taux);
    image->setPixmap(
        look.image.isEmpty()
            ? QPixmap()
            : QtAlertPresenter::namedImage(look.image).scaled(22, 22, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image->setVisible(!look.image.isEmpty());
    // Hidden labels leave the row's texts; the heart keeps its place so the columns stay aligned.
    coeur->setText(look.coeur ? QStringLiteral("\u2665") : QString());
}
