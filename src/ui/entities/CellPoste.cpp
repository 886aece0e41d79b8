#include "entities/CellPoste.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/popups/StdPopUp.h"

#include <QHBoxLayout>

namespace {

constexpr int kIconSide = 20;
constexpr int kMarkSide = 14;

} // namespace

CellPoste::CellPoste(QWidget* parent)
    : StdCell(parent)
    , icone(new QLabel(this))
    , nom(new QLabel(this))
    , icone_permanent(new QLabel(this))
    , icone_cadenas(new QLabel(this))
{
    icone->setObjectName(QStringLiteral("icone"));
    nom->setObjectName(QStringLiteral("nom"));
    icone_permanent->setObjectName(QStringLiteral("icone_permanent"));
    icone_cadenas->setObjectName(QStringLiteral("icone_cadenas"));
    icone->setFixedSize(kIconSide, kIconSide);
    icone_permanent->setFixedSize(kMarkSide, kMarkSide);
    icone_cadenas->setFixedSize(kMarkSide, kMarkSide);
    icone_permanent->setPixmap(StdPopUp::itemImage(QStringLiteral("checkmark")).pixmap(kMarkSide, kMarkSide));
    icone_cadenas->setPixmap(StdPopUp::itemImage(QStringLiteral("cadenas")).pixmap(kMarkSide, kMarkSide));
    nom->setFont(makeListFont(false, false, 13));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->setSpacing(6);
    layout->addWidget(icone);
    layout->addWidget(nom, 1);
    layout->addWidget(icone_permanent);
    layout->addWidget(icone_cadenas);
}

void CellPoste::fill(const QString& name, const QIcon& image, bool permanent, bool locked)
{
    nom->setText(name);
    icone->setPixmap(image.pixmap(kIconSide, kIconSide));
    icone_permanent->setVisible(permanent);
    icone_cadenas->setVisible(locked);
}
