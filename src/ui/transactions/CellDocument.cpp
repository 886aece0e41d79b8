#include "transactions/CellDocument.h"

#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/drawing/Constants.h"

#include "model/TRANSACT.h"

#include <QHBoxLayout>

namespace {
constexpr int kIconSide = 18;
}

CellDocument::CellDocument(QWidget* parent)
    : StdCell(parent)
    , image(new QLabel(this))
    , fieldName(new QLabel(this))
    , button_supprimer(new QToolButton(this))
{
    setObjectName(QStringLiteral("DOCUMENT"));
    image->setObjectName(QStringLiteral("image"));
    image->setFixedSize(kIconSide, kIconSide);
    image->setPixmap(saisieImage(QStringLiteral("document"), kIconSide));
    fieldName->setObjectName(QStringLiteral("fieldName"));
    fieldName->setFont(makeListFont(false, false, 13));
    button_supprimer->setObjectName(QStringLiteral("button_supprimer"));
    button_supprimer->setAutoRaise(true);
    button_supprimer->setIcon(saisieIcon(QStringLiteral("supprimer")));
    button_supprimer->setFixedSize(kIconSide + 4, kIconSide + 4);
    QSizePolicy keepPlace = button_supprimer->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    button_supprimer->setSizePolicy(keepPlace);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(image);
    layout->addWidget(fieldName, 1);
    layout->addWidget(button_supprimer);
}

void CellDocument::fill(const AttachedDocument& document, bool selected)
{
    fieldName->setText(document.docVisibleName);
    button_supprimer->setVisible(selected);
}

QRect CellDocument::supprimerRectInRow(const QSize& rowSize)
{
    resize(rowSize);
    if (layout())
        layout()->activate();
    return button_supprimer->geometry();
}
