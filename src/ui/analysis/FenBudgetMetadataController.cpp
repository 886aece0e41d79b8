#include "analysis/FenBudgetMetadataController.h"

#include "toolkit/drawing/ScheduleImages.h"

#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/POSTE.h"

#include <QLabel>

void FenBudgetMetadataController::fillTitle()
{
    const DOCUMENT* doc = document();
    if (QLabel* date = fieldDate())
        date->setText(m_periode);
    const bool poste = m_kind != 0;
    if (QLabel* nom = fieldNom(); nom && doc)
        nom->setText(poste ? POSTE::getPosteNameNS(m_ident, *doc) : DOSSIER::getDossierNameNS(m_ident, *doc));
    if (QLabel* image = imageType())
        image->setPixmap(schedulePicture(poste ? QStringLiteral("poste") : QStringLiteral("dossier"), 24));
}
