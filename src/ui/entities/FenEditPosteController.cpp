#include "entities/FenEditPosteController.h"

#include "entities/FenEditToolController.h"
#include "toolkit/popups/PopDossier.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

void FenEditPosteController::buildExtraRows(QFormLayout& form, QWidget& parent)
{
    auto* field = new QLabel(&parent);
    field->setObjectName(QStringLiteral("field_dossier"));
    auto* pop = new PopDossier(&parent);
    pop->setObjectName(QStringLiteral("pop_dossier"));
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(pop);
    form.addRow(localizedAppl(QStringLiteral("FenEditPoste_dossier")), row);
}

void FenEditPosteController::FILL()
{
    pickers().dossierID = edited().dossierID;
    FenEditDossierController::FILL();
}

bool FenEditPosteController::READ()
{
    FenEditDossierController::READ();
    edited().dossierID = pickers().dossierID;
    return true;
}

bool FenEditPosteController::nameTaken(const QString& name) const
{
    const PosteList& postes = document().posteHdl;
    return std::any_of(postes.begin(), postes.end(), [&name](const POSTE& p) { return p.nom == name; });
}

bool editPosteModal(StdWindowController* parent, POSTE& poste, DOCUMENT& doc)
{
    return StdWindowController::pushModal<FenEditPosteController>(parent, posteEditorData(poste, doc),
                                                                  parent ? parent->devise() : 0)
        == 1;
}

long createPosteWithDialog(StdWindowController* parent, long dossierID, DOCUMENT& doc)
{
    POSTE poste = POSTE::allocNewPoste(doc.posteHdl, -1);
    poste.nom.clear();
    poste.dossierID = dossierID;
    if (!editPosteModal(parent, poste, doc))
        return -1;
    POSTE::insertPoste(poste, doc.posteHdl);
    return poste.ident;
}
