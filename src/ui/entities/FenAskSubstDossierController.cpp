#include "entities/FenAskSubstDossierController.h"

#include "entities/FenAskSubstPosteController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopDossier.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kDossierID = QStringLiteral("dossierID");

} // namespace

void FenAskSubstDossierController::buildInterface(StdWindow& window)
{
    auto* pop = new PopDossier(&window);
    pop->setObjectName(QStringLiteral("pop_dossier"));
    auto* field = new QLabel(&window);
    field->setObjectName(QStringLiteral("field_dossier"));
    auto* choice = new QHBoxLayout;
    choice->addWidget(field, 1);
    choice->addWidget(pop);
    buildSubstDialog(*this, window, QStringLiteral("FenAskSubstDossier"), choice);
}

void FenAskSubstDossierController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    pickers().dossierID = DOCPARAM::getDefaultDossier(currentDocument());
}

void FenAskSubstDossierController::FILL()
{
    const DOCUMENT* doc = currentDocument();
    const long old = long(getData()->value(kDossierID).toLongLong());
    outlet<QLabel>(QStringLiteral("field_old"))->setText(doc ? DOSSIER::getDossierNameNS(old, *doc) : QString());
    StdWindowController::FILL();
}

bool FenAskSubstDossierController::READ()
{
    if (!StdWindowController::READ())
        return false;
    const long chosen = pickers().dossierID;
    const DOCUMENT* doc = currentDocument();
    if (chosen == getData()->value(kDossierID).toLongLong() || !doc || !DOSSIER::dossierWithIdent(chosen, *doc)) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_CannotSubstDossier")), QString(),
                    QStringLiteral("dossier"), 1);
        return false;
    }
    getData()->insert(kDossierID, qlonglong(chosen));
    return true;
}

bool askSubstDossier(StdWindowController* parent, long dossierID, long* replacement)
{
    WindowDataPtr data = makeWindowData({{kDossierID, qlonglong(dossierID)}});
    if (StdWindowController::pushModal<FenAskSubstDossierController>(parent, data, parent ? parent->devise() : 0) != 1)
        return false;
    *replacement = long(data->value(kDossierID).toLongLong());
    return true;
}
