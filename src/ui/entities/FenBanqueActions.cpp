#include "entities/FenBanqueActions.h"

#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReferencePasses.h"
#include "model/TOOL.h"

QString reservedCompteAlert(long compteID, const DOCUMENT& doc)
{
    const DOCPARAM* param = getDocParam(&doc);
    const long historique = param ? param->defaultCompteHistorique : -1;
    if (compteID == kCompteInitialisationID || (historique >= 0 && compteID == historique))
        return QStringLiteral("kAlerte_CantEffacerSpecial");
    if (param && compteID == param->defaultCompte)
        return QStringLiteral("kAlerte_CantEffacerDefault");
    return QString();
}

CompteDeletion planCompteDeletion(const TOOL& compte, const DOCUMENT& doc)
{
    CompteUses uses;
    if (!compteWhereUsed(compte.ident, &doc, &uses))
        return {CompteDeletion::Kind::Delete, QString()};
    int bType = kBanqueUser;
    compte.compteToBType(&bType, &doc);
    CompteUses others = uses;
    others.inTransact = false;
    if (bType == kBanqueTiers && uses.inTransact) {
        if (!others.any())
            return {CompteDeletion::Kind::Archive, QString()};
        // A payee's transactions could be archived: what refuses it is its other use.
        uses = others;
    }
    const std::pair<bool, const char*> alerts[] = {
        {uses.inTransact, "kAlerte_CantEffacerCompteTrans"}, {uses.inMacro, "kAlerte_CantEffacerCompteMacro"},
        {uses.inRemunere, "kAlerte_CantEffacerCompteRem"},   {uses.inEcheancier, "kAlerte_CantEffacerCompteEch"},
        {uses.inPrevision, "kAlerte_CantEffacerComptePrev"}, {uses.inAnalyse, "kAlerte_CantEffacerCompteAna"},
        {uses.inGraphique, "kAlerte_CantEffacerCompteGra"},  {uses.inPreferences, "kAlerte_CantEffacerComptePref"},
        {uses.inFinance, "kAlerte_CantEffacerCompteFin"},    {uses.inRegle, "kAlerte_CantEffacerCompteRegle"},
    };
    for (const auto& [used, key] : alerts) {
        if (used)
            return {CompteDeletion::Kind::Refuse, QString::fromLatin1(key)};
    }
    return {CompteDeletion::Kind::Refuse, QString()};
}

void showCompteInTree(long compteID, DOCUMENT& doc)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, compteID, &doc);
    long bankRow = 0;
    long row = 0;
    if (!compte || !findTool(&doc.toolTree, compte->ownerID, &bankRow))
        return;
    if (!findTool(&doc.toolTree[bankRow].liste, compteID, &row))
        insertDeal(kToolCompte, *compte, nullptr, &doc, false);
}

void deleteCompte(long compteID, DOCUMENT& doc)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, compteID, &doc);
    if (!compte)
        return;
    const long banqueID = compte->ownerID;
    unInsertDeal(kToolCompte, compteID, banqueID, &doc, false);
    TOOL::suppTool(compteID, kToolCompte, &doc);
    TOOL::computeBanqueSolde(banqueID, &doc);
}

bool archiveAndDeleteCompte(long compteID, DOCUMENT& doc)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, compteID, &doc);
    if (!compte)
        return false;
    const long historique = DOCPARAM::getDefaultCompteHistorique(&doc);
    if (historique < 0)
        return false;
    showCompteInTree(historique, doc);
    // The history account may just have been appended to the list: look the payee up again.
    compte = TOOL::getTool(kToolCompte, compteID, &doc);
    if (!compte || !TOOL::archiverCompteTiers(*compte, &doc))
        return false;
    deleteCompte(compteID, doc);
    return true;
}

bool canMoveComptesTo(const QList<long>& compteIDs, long banqueID, const DOCUMENT& doc)
{
    const TOOL* banque = TOOL::getTool(kToolBanque, banqueID, &doc);
    if (!banque || compteIDs.isEmpty())
        return false;
    for (long ident : compteIDs) {
        const TOOL* compte = TOOL::getTool(kToolCompte, ident, &doc);
        int bType = -1;
        if (!compte || !compte->compteToBType(&bType, &doc) || bType != banque->bType)
            return false;
    }
    return true;
}

int moveComptesToBanque(const QList<long>& compteIDs, long banqueID, DOCUMENT& doc)
{
    if (!canMoveComptesTo(compteIDs, banqueID, doc))
        return 0;
    int moved = 0;
    QList<long> fromBanques;
    for (long ident : compteIDs) {
        TOOL* compte = TOOL::getTool(kToolCompte, ident, &doc);
        if (!compte || compte->ownerID == banqueID)
            continue;
        fromBanques << compte->ownerID;
        unInsertDeal(kToolCompte, ident, compte->ownerID, &doc, false);
        compte->ownerID = banqueID;
        insertDeal(kToolCompte, *compte, nullptr, &doc, false);
        ++moved;
    }
    for (long ident : fromBanques)
        TOOL::computeBanqueSolde(ident, &doc);
    TOOL::computeBanqueSolde(banqueID, &doc);
    return moved;
}

int chercherCompteRow(QChar typed, const ToolNodeList& comptes, const DOCUMENT& doc)
{
    const bool taken
        = (typed >= u'0' && typed <= u'9') || (typed >= u'a' && typed <= u'z') || (typed >= u'A' && typed <= u'Z');
    if (!taken || comptes.isEmpty())
        return -1;
    const QString key(typed);
    int row = 0;
    for (; row < comptes.size(); ++row) {
        const int order
            = QString::compare(key, getToolNameNS(kToolCompte, comptes[row].ident, &doc), Qt::CaseInsensitive);
        if (order <= 0)
            break;
    }
    return std::min(int(comptes.size()) - 1, row);
}

QColor soldeColor(const MONTANT& solde, int bType)
{
    const bool debt = solde.negativeMontant() != (bType == kBanqueTiers);
    return debt ? QColor::fromRgbF(0.5f, 0.0f, 0.0f) : QColor::fromRgbF(0.0f, 0.3f, 0.0f);
}
