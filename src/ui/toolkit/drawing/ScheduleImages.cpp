#include "toolkit/drawing/ScheduleImages.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/SaisieImages.h"

#include <QColor>
#include <QPainter>

#include <map>

namespace {

struct Badge {
    QString glyph;
    QColor colour;
};

const std::map<QString, Badge>& badges()
{
    static const std::map<QString, Badge> drawn = {
        {QStringLiteral("echeancier_reel"), {QStringLiteral("É"), QColor(200, 150, 30)}},
        {QStringLiteral("echeancier_prev"), {QStringLiteral("P"), QColor(190, 80, 170)}},
        {QStringLiteral("crayon"), {QStringLiteral("✎"), QColor(70, 120, 200)}},
        {QStringLiteral("checkmark"), {QStringLiteral("✓"), QColor(60, 150, 80)}},
        {QStringLiteral("groupee"), {QStringLiteral("≡"), QColor(120, 124, 134)}},
        {QStringLiteral("dossier"), {QStringLiteral("D"), QColor(150, 110, 60)}},
        {QStringLiteral("compte_special"), {QStringLiteral("★"), QColor(120, 124, 134)}},
    };
    return drawn;
}

QPixmap badgePicture(const Badge& badge, int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(badge.colour);
    painter.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    painter.setPen(Qt::white);
    painter.setFont(makeListFont(true, false, side * 0.55));
    painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, badge.glyph);
    return picture;
}

// Account pictures are named after the bank's type; without the images, the name's initial.
QPixmap accountPicture(const QString& name, int side)
{
    if (!name.startsWith(QLatin1String("compte")) && !name.startsWith(QLatin1String("banque")))
        return {};
    return badgePicture({name.mid(name.indexOf(u'_') + 1, 1).toUpper(), QColor(90, 110, 140)}, side);
}

} // namespace

QPixmap schedulePicture(const QString& name, int side)
{
    if (name.isEmpty())
        return {};
    if (const QPixmap own = QtAlertPresenter::namedImage(name, side); !own.isNull())
        return own;
    if (const auto badge = badges().find(name); badge != badges().end())
        return badgePicture(badge->second, side);
    if (name == QLatin1String("poste") || name == QLatin1String("supprimer"))
        return saisieImage(name, side);
    return accountPicture(name, side);
}
