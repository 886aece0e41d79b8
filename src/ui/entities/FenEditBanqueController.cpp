#include "entities/FenEditBanqueController.h"

#include "entities/FenEditCompteController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

void FenEditBanqueController::FILL()
{
    FenEditToolController::FILL();
    switch (tool().bType) {
    case kBanqueLiquide:
        setTexts(QStringLiteral("TITLE_BANQUE_LIQUIDE"), QStringLiteral("STATIC_BANQUE_LIQUIDE_INFO"));
        break;
    case kBanqueTiers:
        setTexts(QStringLiteral("TITLE_BANQUE_TIERS"), QStringLiteral("STATIC_BANQUE_TIERS_INFO"));
        break;
    case kBanqueUser:
        setTexts(QStringLiteral("TITLE_BANQUE_USER"), QStringLiteral("STATIC_BANQUE_USER_INFO"));
        break;
    default:
        break;
    }
}

long editBanqueDialog(StdWindowController* parent, TOOL& banque, DOCUMENT& doc)
{
    return StdWindowController::pushModal<FenEditBanqueController>(parent, toolEditorData(banque, doc), banque.devise);
}

bool createBanqueWithDialog(StdWindowController* parent, int bType, long* index, DOCUMENT& doc)
{
    TOOL banque = TOOL::newToolHdl(kToolBanque, -1, QString(), bType, MONTANT::currentDeviseSlot(), &doc);
    if (editBanqueDialog(parent, banque, doc) != 1)
        return false;
    const long banqueID = TOOL::addToolToDocumentNoCopy(kToolBanque, banque, &doc);
    if (banqueID < 0)
        return false;
    const TOOL* added = getTool(kToolBanque, banqueID, &doc);
    long place = 0;
    insertDeal(kToolBanque, *added, &place, &doc, false);
    if (index)
        *index = place;
    long answer = 0;
    askPoursuivre(parent, QStringLiteral("ASSIST007"), QString(), true, false, [&](long a) { answer = a; });
    while (answer != 0) {
        long compteID = -1;
        if (!createCompteWithDialog(parent, banqueID, bType, &compteID, doc))
            break;
        answer = 0;
        askPoursuivre(parent, QStringLiteral("ASSIST008"), localizedDialogue(QStringLiteral("kConfirm_AutreCompte")),
                      true, false, [&](long a) { answer = a == 2 ? 1 : 0; });
    }
    return true;
}
