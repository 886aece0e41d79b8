#include "transactions/FenListingMetadataController.h"

#include "toolkit/drawing/SaisieImages.h"

#include <QLabel>

void FenListingMetadataController::fillTitle()
{
    if (QLabel* nom = fieldNom())
        nom->setText(QStringLiteral("Prévision rapprochée"));
    if (QLabel* date = fieldDate())
        date->setText(QStringLiteral("Reste = %1").arg(m_stringReste));
    if (QLabel* image = imageType())
        image->setPixmap(saisieImage(QStringLiteral("poste"), 24));
}
