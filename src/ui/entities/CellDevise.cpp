#include "entities/CellDevise.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"

#include "foundation/localized.h"
#include "foundation/numbers.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"

#include <QHBoxLayout>
#include <QPainter>

namespace {

// The named picture at the row's size; without one, a coin drawn in gold for the main currency
// and in silver for the others.
QPixmap deviseImage(const QString& name)
{
    QPixmap named = QtAlertPresenter::namedImage(name, 22);
    if (!named.isNull())
        return named;
    QPixmap coin(22, 22);
    coin.fill(Qt::transparent);
    QPainter painter(&coin);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const bool main = name == QLatin1String("devise_principale");
    painter.setPen(QPen(main ? QColor(176, 128, 20) : QColor(120, 130, 145), 1.5));
    painter.setBrush(main ? QColor(244, 200, 66) : QColor(205, 212, 222));
    painter.drawEllipse(QRectF(2, 2, 18, 18));
    return coin;
}

} // namespace

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
    look.taux = QStringLiteral("= %1 %2").arg(doubleToDisplayString(6, devise->convert),
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
    image->setPixmap(look.image.isEmpty() ? QPixmap() : deviseImage(look.image));
    image->setVisible(!look.image.isEmpty());
    // Hidden labels leave the row's texts; the heart keeps its place so the columns stay aligned.
    coeur->setText(look.coeur ? QStringLiteral("\u2665") : QString());
}
