#include "entities/CellRegle.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/StdPopUp.h"

#include "engines/RegleManager.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/TOOL.h"

#include <QGridLayout>

namespace {

constexpr int kIconSide = 16;

QLabel* makeLabel(QWidget* parent, const char* name, bool bold = false)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(bold, false, bold ? 13 : 11));
    // The columns line up from row to row whatever their texts.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

QLabel* makeImage(QWidget* parent, const char* name)
{
    QLabel* image = makeLabel(parent, name);
    image->setFixedSize(kIconSide, kIconSide);
    image->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return image;
}

} // namespace

CellRegle::CellRegle(QWidget* parent)
    : StdCell(parent)
    , field_titre(makeLabel(this, "field_titre", true))
    , field_mots(makeLabel(this, "field_mots"))
    , field_debit(makeLabel(this, "field_debit"))
    , field_credit(makeLabel(this, "field_credit"))
    , field_poste(makeLabel(this, "field_poste"))
    , field_moyen(makeLabel(this, "field_moyen"))
    , field_nb_opetations(makeLabel(this, "field_nb_opetations"))
    , image_debit(makeImage(this, "image_debit"))
    , image_credit(makeImage(this, "image_credit"))
    , image_moyen(makeImage(this, "image_moyen"))
{
    field_nb_opetations->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field_nb_opetations->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    field_nb_opetations->setMinimumWidth(120);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 3, 10, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    grid->addWidget(field_titre, 0, 0, 1, 4);
    grid->addWidget(field_mots, 0, 4, 1, 4);
    grid->addWidget(field_nb_opetations, 0, 8);
    grid->addWidget(image_debit, 1, 0);
    grid->addWidget(field_debit, 1, 1);
    grid->addWidget(image_credit, 1, 2);
    grid->addWidget(field_credit, 1, 3);
    grid->addWidget(field_poste, 1, 4, 1, 2);
    grid->addWidget(image_moyen, 1, 6);
    grid->addWidget(field_moyen, 1, 7, 1, 2);
    for (const auto& [column, stretch] : {std::pair {1, 3}, {3, 3}, {4, 2}, {5, 1}, {7, 2}, {8, 2}})
        grid->setColumnStretch(column, stretch);
}

void CellRegle::fill(const REGLE& regle, long row, const DOCUMENT& doc)
{
    field_titre->setText(regle.title.isEmpty() ? localizedAppl(QStringLiteral("FenRegles_numero")).arg(row)
                                               : regle.title);
    field_mots->setText(localizedAppl(QStringLiteral("FenRegles_mots")).arg(RegleManager::concatMots(regle)));
    field_debit->setText(getToolNameNS(kToolCompte, regle.who1, &doc));
    field_credit->setText(getToolNameNS(kToolCompte, regle.who2, &doc));
    image_debit->setPixmap(PopCompte::getCompteImage(regle.who1, &doc).pixmap(kIconSide, kIconSide));
    image_credit->setPixmap(PopCompte::getCompteImage(regle.who2, &doc).pixmap(kIconSide, kIconSide));
    field_poste->setText(POSTE::getPosteNameNS(regle.posteID, doc));
    field_moyen->setText(moyenNameForFamily(regle.moyen));
    image_moyen->setPixmap(StdPopUp::itemImage(familyIconName(regle.moyen)).pixmap(kIconSide, kIconSide));
    field_nb_opetations->setText(localizedAppl(QStringLiteral("FenRegles_nb")).arg(regle.nb_operation));
}
