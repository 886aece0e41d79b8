#include "schedules/CellAwake.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/ScheduleImages.h"

#include "foundation/localized.h"

#include <QHBoxLayout>

#include <iterator>

namespace {

constexpr int kImageSide = 20;

QLabel* makeField(const char* name, QWidget* parent, int stretch, QHBoxLayout* layout)
{
    auto* field = new QLabel(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFont(makeListFont(false, false, 13));
    layout->addWidget(field, stretch);
    return field;
}

} // namespace

CellAwake::CellAwake(QWidget* parent)
    : StdCell(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, kPopUpWidth + 8, 0);
    layout->setSpacing(10);
    image = makeField("image", this, 0, layout);
    image->setFixedSize(kImageSide, kImageSide);
    nom = makeField("nom", this, 4, layout);
    date = makeField("date", this, 2, layout);
    montant = makeField("montant", this, 2, layout);
    montant->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    annulee = makeField("annulee", this, 2, layout);
    annulee->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    annulee->setText(localizedMisc(QStringLiteral("kMisc_AwakeAnnulee")));
    QFont italic = annulee->font();
    italic.setItalic(true);
    annulee->setFont(italic);
}

QString CellAwake::imageNameForStatus(long status)
{
    static const char* const kImages[] = {"crayon", "echeancier_reel", "supprimer", "checkmark", "checkmark"};
    if (status < 0 || status >= long(std::size(kImages)))
        return QString();
    return QString::fromLatin1(kImages[status]);
}

void CellAwake::fill(const Content& content)
{
    image->setPixmap(schedulePicture(content.imageName, kImageSide));
    nom->setText(content.nom);
    date->setText(content.date);
    montant->setText(content.montant);
    montant->setVisible(!content.cancelled);
    annulee->setVisible(content.cancelled);
}

QStringList CellAwake::rowTexts() const
{
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (!label->isHidden() && label->pixmap().isNull())
            texts.append(label->text());
    }
    return texts;
}
