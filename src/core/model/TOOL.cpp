#include "TOOL.h"

#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/ReleveCompute.h"
#include "model/TOTAUX.h"
#include "model/TRANSACT.h"
#include "model/ToolTree.h"
#include "model/idents.h"

#include <QSet>
#include <algorithm>

namespace {

bool sameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Appends a new tool and answers it; the fixed ident, when given, replaces the drawn one.
long makeDefaultTool(DOCUMENT* doc, int kind, long owner, const QString& nom, int bTyp, long fixedIdent = -1)
{
    TOOL tool = TOOL::newToolHdl(kind, owner, nom, bTyp, MONTANT::currentDeviseSlot(), doc);
    const long ident = TOOL::addToolToDocumentNoCopy(kind, std::move(tool), doc);
    if (fixedIdent < 0)
        return ident;
    TOOL* added = TOOL::getTool(kind, ident, doc);
    if (added)
        added->ident = fixedIdent;
    return fixedIdent;
}

} // namespace

// ---- Making, finding, removing -----------------------------------------------------------------

TOOL TOOL::newToolHdl(int kind, long own, const QString& nom, int bTyp, long devise, const DOCUMENT* doc)
{
    TOOL tool;
    tool.nom = nom;
    tool.kind = kind;
    tool.posteID = DOCPARAM::getDefaultPoste(doc);
    tool.bType = bTyp;
    tool.ownerID = own;
    tool.devise = devise;
    return tool;
}

long TOOL::newToolID(const ToolList& list)
{
    // Idents 1 to 5 are never drawn: the fixed banks and accounts own them in every document.
    // A set keeps the walk over every ident of a nearly full list linear.
    QSet<long> used;
    used.reserve(list.size());
    for (const TOOL& tool : list)
        used.insert(tool.ident);
    return newRandomIdent([&used](long candidate) { return used.contains(candidate); });
}

long TOOL::addToolToDocumentNoCopy(int kind, TOOL tool, DOCUMENT* doc)
{
    ToolList* list = toolList(kind, doc);
    if (!list)
        return -1;
    const long ident = newToolID(*list);
    // A full list has no ident left; a tool kept with -1 would pass for "no account".
    if (ident < 0)
        return -1;
    tool.ident = ident;
    list->append(std::move(tool));
    return ident;
}

ToolList* TOOL::toolList(int kind, DOCUMENT* doc)
{
    if (!doc)
        return nullptr;
    return kind == kToolCompte ? &doc->compteHdl : &doc->banqueHdl;
}

const ToolList* TOOL::toolList(int kind, const DOCUMENT* doc)
{
    if (!doc)
        return nullptr;
    return kind == kToolCompte ? &doc->compteHdl : &doc->banqueHdl;
}

bool TOOL::findToolWithIdentInArray(long ident, const ToolList& list, long* index)
{
    for (long i = 0; i < list.size(); ++i) {
        if (list[i].ident == ident) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (index)
        *index = list.size();
    return false;
}

TOOL* TOOL::getTool(int kind, long ident, DOCUMENT* doc, long* index)
{
    return const_cast<TOOL*>(getTool(kind, ident, static_cast<const DOCUMENT*>(doc), index));
}

const TOOL* TOOL::getTool(int kind, long ident, const DOCUMENT* doc, long* index)
{
    const ToolList* list = toolList(kind, doc);
    if (!list) {
        if (index)
            *index = 0;
        return nullptr;
    }
    long position = 0;
    const bool found = findToolWithIdentInArray(ident, *list, &position);
    if (index)
        *index = position;
    return found ? &(*list)[position] : nullptr;
}

void TOOL::suppTool(long ident, int kind, DOCUMENT* doc)
{
    ToolList* list = toolList(kind, doc);
    long index = 0;
    if (!list || !findToolWithIdentInArray(ident, *list, &index))
        return;
    list->removeAt(index);
    if (kind == kToolCompte)
        MOYEN::unappendAllMoyen(doc->moyenHdl, ident);
}

long TOOL::countTool(int kind, const DOCUMENT* doc)
{
    const ToolList* list = toolList(kind, doc);
    return list ? list->size() : 0;
}

bool TOOL::getToolAtIndexInDocument(int kind, long index, const DOCUMENT* doc, const TOOL** tool, long* ident)
{
    const ToolList* list = toolList(kind, doc);
    if (!list || index < 0 || index >= list->size())
        return false;
    if (tool)
        *tool = &(*list)[index];
    if (ident)
        *ident = (*list)[index].ident;
    return true;
}

bool TOOL::findCompteWithName(const QString& name, long* ident, const DOCUMENT* doc)
{
    if (ident)
        *ident = -1;
    if (!doc)
        return false;
    for (const TOOL& compte : doc->compteHdl) {
        if (sameName(compte.nom, name)) {
            if (ident)
                *ident = compte.ident;
            return true;
        }
    }
    return false;
}

bool TOOL::findCompteWithNameAndOwnerID(long banqueID, const QString& nom, long* k, int kind, const DOCUMENT* doc)
{
    const ToolNodeList* tree = &toolTree(doc);
    long bankIndex = 0;
    const ToolNodeList* list = findTool(tree, banqueID, &bankIndex) ? toolIndexToList(tree, bankIndex) : tree;
    const long count = nbTools(list);
    for (long i = 0; i < count; ++i) {
        const int order
            = QString::compare(nom, getToolNameNS(kind, toolIndexToIdent(list, i), doc), Qt::CaseInsensitive);
        if (order <= 0) {
            if (k)
                *k = i;
            return order == 0;
        }
    }
    if (k)
        *k = count;
    return false;
}

QString TOOL::getToolNameNS(int kind, long ident, const DOCUMENT* doc)
{
    if (ident < 0)
        return QString();
    const TOOL* tool = getTool(kind, ident, doc);
    return tool ? tool->nom : QString();
}

// ---- Types ---------------------------------------------------------------------------------------

const TOOL* TOOL::compteToBanque(const DOCUMENT* doc) const
{
    return getTool(kToolBanque, ownerID, doc);
}

bool TOOL::compteInBanque(long compteID, long banqueID, const DOCUMENT* doc)
{
    const TOOL* compte = getTool(kToolCompte, compteID, doc);
    return compte && compte->ownerID == banqueID;
}

bool TOOL::compteToBType(int* typ, const DOCUMENT* doc) const
{
    const TOOL* banque = compteToBanque(doc);
    if (typ)
        *typ = banque ? banque->bType : kBanqueUser;
    return banque != nullptr;
}

bool TOOL::compteIDToBType(long compteID, int* typ, const DOCUMENT* doc)
{
    const TOOL* compte = compteID < 0 ? nullptr : getTool(kToolCompte, compteID, doc);
    if (!compte) {
        if (typ)
            *typ = kBanqueUser;
        return false;
    }
    return compte->compteToBType(typ, doc);
}

bool TOOL::compteIDBelongToUser(long compteID, const DOCUMENT* doc)
{
    int typ = kBanqueUser;
    return compteIDToBType(compteID, &typ, doc) && typ != kBanqueTiers;
}

bool TOOL::compteInCategorie(long compteID, int banqueType, const DOCUMENT* doc)
{
    int typ = kBanqueUser;
    return compteIDToBType(compteID, &typ, doc) && typ == banqueType;
}

bool TOOL::banqueFitFilter(long banqueID, long sel, const DOCUMENT* doc)
{
    const TOOL* banque = getTool(kToolBanque, banqueID, doc);
    if (!banque)
        return false;
    long bit = 0;
    switch (banque->bType) {
    case kBanqueUser:
        bit = kFilterBanqueUser;
        break;
    case kBanqueLiquide:
        bit = kFilterBanqueLiquide;
        break;
    case kBanqueTiers:
        bit = kFilterBanqueTiers;
        break;
    default:
        return false;
    }
    return sel == 0 || (sel & bit) != 0;
}

void TOOL::assumePosteIDIsValid(const DOCUMENT* doc)
{
    if (doc) {
        for (const POSTE& poste : doc->posteHdl) {
            if (poste.ident == posteID)
                return;
        }
    }
    posteID = DOCPARAM::getDefaultPoste(doc);
}

long TOOL::defaultUserCompte(const ToolList& list)
{
    for (const TOOL& tool : list) {
        if (tool.bType == kBanqueUser)
            return tool.ident;
    }
    return -1;
}

long TOOL::defaultUserCompte(int typ, long compteID, const DOCUMENT* doc)
{
    if (compteID >= 0 && compteInCategorie(compteID, typ, doc))
        return compteID;
    const long banques = nbBanque(doc);
    for (long b = 0; b < banques; ++b) {
        const TOOL* banque = getTool(kToolBanque, banqueIndexToID(b, doc), doc);
        if (banque && banque->bType == typ && banqueIndexToNbCompte(b, doc) > 0)
            return compteIndexToID(b, 0, doc);
    }
    return -1;
}

long TOOL::historiqueOf(const DOCUMENT* doc)
{
    return doc && doc->docParam ? doc->docParam->defaultCompteHistorique : -1;
}

void TOOL::appendArchiveReason(QString& why, const QString& nom)
{
    if (!why.isEmpty())
        why += QStringLiteral(" - ");
    why += QStringLiteral("Archive du compte ") + nom;
}

bool TOOL::archiverCompteTiers(const TOOL& compte, DOCUMENT* doc)
{
    const long historique = historiqueOf(doc);
    if (historique < 0)
        return false;
    // Copies: the account may live in the list the recomputation writes to.
    const long ident = compte.ident;
    const QString nom = compte.nom;
    for (TRANSACT& t : doc->transact_array) {
        if (t.who1 != ident && t.who2 != ident)
            continue;
        if (t.who1 == ident)
            t.who1 = historique;
        if (t.who2 == ident)
            t.who2 = historique;
        appendArchiveReason(t.why, nom);
    }
    recomputeAllReleves(doc);
    return true;
}

void TOOL::initContrepartie(DOCUMENT* doc)
{
    // Random idents are drawn outside 1..5, so the fixed idents set afterwards can't collide.
    const long liquide = makeDefaultTool(doc, kToolBanque, -1, localizedMisc(QStringLiteral("NAME_BANQUE_LIQUIDE")),
                                         kBanqueLiquide, kBanqueLiquideID);
    makeDefaultTool(doc, kToolCompte, liquide, localizedMisc(QStringLiteral("NAME_COMPTE_PORTE_MONNAIE")),
                    kBanqueLiquide);
    makeDefaultTool(doc, kToolCompte, liquide, localizedMisc(QStringLiteral("NAME_COMPTE_COFFRE_FORT")),
                    kBanqueLiquide);
    const long speciaux
        = makeDefaultTool(doc, kToolBanque, -1, localizedMisc(QStringLiteral("NAME_BANQUE_TIERS_SPECIAUX")),
                          kBanqueTiers, kBanqueTiersSpeciauxID);
    makeDefaultTool(doc, kToolCompte, speciaux, localizedMisc(QStringLiteral("NAME_COMPTE_ANONYME")), kBanqueTiers,
                    kCompteAnonymeID);
    makeDefaultTool(doc, kToolCompte, speciaux, localizedMisc(QStringLiteral("NAME_COMPTE_INITIALISATION")),
                    kBanqueTiers, kCompteInitialisationID);
    const long depenses = makeDefaultTool(doc, kToolBanque, -1,
                                          localizedMisc(QStringLiteral("NAME_BANQUE_TIERS_DEPENSES")), kBanqueTiers);
    for (const QString& nom :
         {localizedMisc(QStringLiteral("NAME_COMPTE_EDF")), localizedMisc(QStringLiteral("NAME_COMPTE_SNCF")),
          localizedMisc(QStringLiteral("NAME_COMPTE_TELECOM")),
          localizedMisc(QStringLiteral("NAME_COMPTE_TRESOR_PUBLIC")),
          localizedMisc(QStringLiteral("NAME_COMPTE_BAILLEUR"))})
        makeDefaultTool(doc, kToolCompte, depenses, nom, kBanqueTiers);
    const long recettes = makeDefaultTool(doc, kToolBanque, -1,
                                          localizedMisc(QStringLiteral("NAME_BANQUE_TIERS_RECETTES")), kBanqueTiers);
    makeDefaultTool(doc, kToolCompte, recettes, localizedMisc(QStringLiteral("NAME_COMPTE_EMPLOYEUR")), kBanqueTiers);
    const long autres = makeDefaultTool(doc, kToolBanque, -1, localizedMisc(QStringLiteral("NAME_BANQUE_TIERS_AUTRES")),
                                        kBanqueTiers);
    makeDefaultTool(doc, kToolCompte, autres, localizedMisc(QStringLiteral("NAME_COMPTE_MOI")), kBanqueTiers);
}

// ---- Pictures and colours ----------------------------------------------------------------------

QString TOOL::getBanquePictureName(int typ)
{
    if (typ == kBanqueTiers)
        return QStringLiteral("banque_contre");
    if (typ == kBanqueLiquide)
        return QStringLiteral("banque_liquide");
    return QStringLiteral("banque_user");
}

QString TOOL::getCompteBTypePictureName(int typ)
{
    if (typ == kBanqueTiers)
        return QStringLiteral("compte_contre");
    if (typ == kBanqueLiquide)
        return QStringLiteral("compte_liquide");
    return QStringLiteral("compte_user");
}

QString TOOL::getComptePictureName(long compteID, const DOCUMENT* doc)
{
    const long historique = historiqueOf(doc);
    if ((historique >= 0 && compteID == historique) || compteID == kCompteAnonymeID
        || compteID == kCompteInitialisationID)
        return QStringLiteral("compte_special");
    int typ = kBanqueUser;
    if (!compteIDToBType(compteID, &typ, doc))
        return QString();
    return getCompteBTypePictureName(typ);
}

QString TOOL::getToolPictureName(const DOCUMENT* doc) const
{
    if (kind != kToolCompte)
        return getBanquePictureName(bType);
    // An account being created is not in the document yet: its bank tells its type.
    int typ = kBanqueUser;
    if (!getTool(kToolCompte, ident, doc) && compteToBType(&typ, doc))
        return getCompteBTypePictureName(typ);
    return getComptePictureName(ident, doc);
}

QString toolPictureName(const TOOL* tool, const DOCUMENT* doc)
{
    return tool ? tool->getToolPictureName(doc) : QStringLiteral("compte_special");
}

std::optional<SVColor> TOOL::getToolPattern(const DOCUMENT* doc) const
{
    int typ = bType;
    if (kind == kToolCompte && !compteToBType(&typ, doc))
        return std::nullopt;
    constexpr double kAlpha = 0.6;
    if (typ == kBanqueLiquide)
        return makeCalibratedColor(1.0, 1.0, 220 / 255.0, kAlpha);
    if (typ == kBanqueTiers)
        return makeCalibratedColor(1.0, 240 / 255.0, 240 / 255.0, kAlpha);
    return makeCalibratedColor(202 / 255.0, 234 / 255.0, 234 / 255.0, kAlpha);
}

// ---- Statements and balances --------------------------------------------------------------------

RELEVE* TOOL::releveAtIndex(long index)
{
    return index >= 0 && index < releves.size() ? &releves[index] : nullptr;
}

const RELEVE* TOOL::releveAtIndex(long index) const
{
    return index >= 0 && index < releves.size() ? &releves[index] : nullptr;
}

void TOOL::findReleve(const RELEVE& releve, long* index) const
{
    if (releve.date == 0 || !index)
        return;
    long position = 0;
    while (position < releves.size() && releves[position].date != 0 && releves[position].date >= releve.date)
        ++position;
    *index = position;
}

void TOOL::appendReleve(const RELEVE& releve, long* index, DOCUMENT* doc)
{
    long position = index ? *index : 0;
    findReleve(releve, &position);
    position = std::clamp<long>(position, 0, releves.size());
    releves.insert(position, releve);
    if (index)
        *index = position;
    computeReleve(*this, position, doc);
}

void TOOL::unappendReleve(long index)
{
    if (index >= 0 && index < releves.size())
        releves.removeAt(index);
}

long TOOL::newReleveID() const
{
    long highest = 0;
    for (const RELEVE& releve : releves)
        highest = std::max(highest, releve.ident);
    return highest + 1;
}

bool TOOL::findReleveID(long releveID, long* index) const
{
    long position = releveID < 0 ? -1 : 0;
    bool found = releveID < 0;
    while (!found && position < releves.size()) {
        found = releves[position].ident == releveID;
        if (!found)
            ++position;
    }
    if (index)
        *index = position;
    return found;
}

QString TOOL::getReleveStringNS(long releveID) const
{
    long position = 0;
    const RELEVE* releve = findReleveID(releveID, &position) ? releveAtIndex(position) : nullptr;
    if (!releve)
        return QString();
    if (!releve->nom_v3.isEmpty())
        return releve->nom_v3;
    constexpr int kShortStyle = 1;
    constexpr int kNoStyle = 0;
    return dateToStringWithStyles(kShortStyle, kNoStyle, releve->date);
}

bool TOOL::releveCanPointer(long index) const
{
    const RELEVE* releve = releveAtIndex(index);
    return !releve || releve->date > locked_releve_to_date;
}

double TOOL::getNewReleveDate() const
{
    const long days[] = {dateReleve0, dateReleve1, dateReleve2, dateReleve3};
    constexpr long kDayCount = 4;
    if (days[0] == 0)
        return SystemClock::now();
    // The newest dated statement; without one, the first statement is proposed around today.
    double base = 0;
    for (const RELEVE& releve : releves) {
        if (releve.date != 0) {
            base = releve.date;
            break;
        }
    }
    const bool afterStatement = base != 0;
    long d = 0, m = 0, y = 0;
    dateToDMY(&d, &m, &y, afterStatement ? base : SystemClock::now());
    long i = 0;
    while (i < kDayCount && days[i] != 0 && days[i] <= d)
        ++i;
    const bool found = i < kDayCount && days[i] > d;
    long day = 0;
    if (afterStatement && found) {
        day = days[i];
    } else if (afterStatement) {
        day = days[0];
        nextMonthMY(&day, &m, &y);
    } else if (i == 0) {
        while (i + 1 < kDayCount && days[i + 1] != 0)
            ++i;
        day = days[i];
        previousMonthMY(&day, &m, &y);
    } else {
        day = days[i - 1];
    }
    double date = 0;
    dmyToDate(day, m, y, &date);
    return date;
}

void TOOL::computeBanqueSolde(long banqueID, DOCUMENT* doc)
{
    TOOL* banque = getTool(kToolBanque, banqueID, doc);
    long index = 0;
    if (!banque || !findTool(&toolTree(doc), banqueID, &index))
        return;
    const ToolNodeList* comptes = toolIndexToList(&toolTree(doc), index);
    MONTANT total;
    for (long i = 0; i < nbTools(comptes); ++i) {
        if (const TOOL* compte = toolIndexToTool(comptes, kToolCompte, i, doc))
            MONTANT::addMontant(total, compte->solde, total);
    }
    banque->solde = total;
}

void TOOL::computeBalance(const DOCUMENT* doc, MONTANT* balance, MONTANT* actif)
{
    MONTANT total, assets;
    const ToolNodeList* tree = &toolTree(doc);
    for (long i = 0; i < nbTools(tree); ++i) {
        const TOOL* banque = toolIndexToTool(tree, kToolBanque, i, doc);
        if (!banque)
            continue;
        MONTANT::addMontant(total, banque->solde, total);
        if (banque->bType != kBanqueTiers)
            MONTANT::addMontant(assets, banque->solde, assets);
    }
    if (balance)
        *balance = total;
    if (actif)
        *actif = assets;
}

void TOOL::computeTotauxLReleve(const ReleveRow& row, TOTAUX& tot, long tID, long bID, const DOCUMENT* doc)
{
    const TRANSACT* transact = row.transact;
    const MONTANT* montant = row.montant;
    const MONTANT* report = row.report;
    tot.total3 = MONTANT();
    tot.total6 = MONTANT();
    if (report && report->negativeMontant()) {
        tot.total3 = *report;
        MONTANT::invertMontant(tot.total3);
    } else if (report) {
        tot.total6 = *report;
    }
    if (transact && montant) {
        bool deb = false, cre = false;
        if (bID >= 0)
            transact->checkDebitCreditB(bID, &deb, &cre, doc);
        else
            transact->checkDebitCredit(tID, &deb, &cre, doc);
        if (deb)
            MONTANT::addMontant(tot.total2, *montant, tot.total2);
        if (cre)
            MONTANT::addMontant(tot.total5, *montant, tot.total5);
    }
    MONTANT b;
    MONTANT::subMontant(tot.total5, tot.total2, b);
    MONTANT::addMontant(b, tot.total6, b);
    MONTANT::subMontant(b, tot.total3, b);
    tot.total1 = MONTANT();
    tot.total4 = MONTANT();
    if (b.negativeMontant()) {
        tot.total1 = b;
        MONTANT::invertMontant(tot.total1);
    } else {
        tot.total4 = b;
    }
}
