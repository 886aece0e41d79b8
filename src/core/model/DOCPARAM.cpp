#include "DOCPARAM.h"

#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/random.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

namespace {

constexpr int kDateDecimals = 6;
constexpr int kDefaultChronoFilter = 307;

// Every element is read with the value already held as its default, so a missing one keeps
// the setting of a new document.
void readIdents(pugi::xml_node r, DOCPARAM& p)
{
    // Some settings have always been read as 32-bit values; the file holds them in full.
    p.echInactive = xmlGetInt32(r, "echInactive", p.echInactive);
    p.defaultDevise = xmlGetInt32(r, "defaultDevise", p.defaultDevise);
    p.defaultDossier = xmlGetLong(r, "defaultDossier", p.defaultDossier);
    p.defaultPoste = xmlGetLong(r, "defaultPoste", p.defaultPoste);
    p.defaultCompte = xmlGetLong(r, "defaultCompte", p.defaultCompte);
    p.defaultCompteUser = xmlGetLong(r, "defaultCompteUser", p.defaultCompteUser);
    p.defaultCompteHistorique = xmlGetLong(r, "defaultCompteHistorique", p.defaultCompteHistorique);
}

void readWindowsState(pugi::xml_node r, DOCPARAM& p)
{
    p.lastConfAnalyse = xmlGetMutableString(r, "lastConfAnalyse");
    p.lastConfRecherche = xmlGetMutableString(r, "lastConfRecherche");
    p.lastGraphique = xmlGetMutableString(r, "lastGraphique");
    p.lastAnalyseAnalyseMonth = xmlGetInt32(r, "lastAnalyseAnalyseMonth", p.lastAnalyseAnalyseMonth);
    p.multidevise = xmlGetBool(r, "multidevise", p.multidevise);
    p.chronoFilter = xmlGetInt(r, "chronoFilter", p.chronoFilter);
    p.autoComputeAnalyse = xmlGetBool(r, "autoComputeAnalyse", p.autoComputeAnalyse);
    p.autoComputeBudget = xmlGetBool(r, "autoComputeBudget", p.autoComputeBudget);
    p.autoComputeGraphique = xmlGetBool(r, "autoComputeGraphique", p.autoComputeGraphique);
    p.lastAnalyseDevise = xmlGetLong(r, "lastAnalyseDevise", p.lastAnalyseDevise);
    p.analyseShowEmpty = xmlGetBool(r, "analyseShowEmpty", p.analyseShowEmpty);
    p.budgetShowEmpty = xmlGetBool(r, "budgetShowEmpty", p.budgetShowEmpty);
    p.documentWindows = PARAMFEN::loadFenList(r);
}

void readSyncAndCopies(pugi::xml_node r, DOCPARAM& p, LoadIssues* issues)
{
    // The defaults already hold a fresh signature for a file without one.
    p.docSignature = xmlGetInt32(r, "docSignature", p.docSignature);
    p.docSignatureIsNew = xmlGetBool(r, "docSignatureIsNew", p.docSignatureIsNew);
    p.lastSynchro = xmlGetDate(r, "lastSynchro", p.lastSynchro, UnreadDate::None, issues);
    p.lastManualSave = xmlGetDate(r, "lastManualSave", p.lastManualSave, UnreadDate::Today, issues);
    p.lastManualSaveStarted = xmlGetBool(r, "lastManualSaveStarted", p.lastManualSaveStarted);
}

// The stored fields in the file's order, up to the window list.
bool appendFields(pugi::xml_node r, const DOCPARAM& p)
{
    bool ok = static_cast<bool>(xmlAppendLong(r, "echInactive", p.echInactive));
    ok = xmlAppendLong(r, "defaultDevise", p.defaultDevise) && ok;
    ok = xmlAppendLong(r, "defaultDossier", p.defaultDossier) && ok;
    ok = xmlAppendLong(r, "defaultPoste", p.defaultPoste) && ok;
    ok = xmlAppendLong(r, "defaultCompte", p.defaultCompte) && ok;
    ok = xmlAppendLong(r, "defaultCompteUser", p.defaultCompteUser) && ok;
    ok = xmlAppendLong(r, "defaultCompteHistorique", p.defaultCompteHistorique) && ok;
    ok = xmlAppendString(r, "lastConfAnalyse", p.lastConfAnalyse) && ok;
    ok = xmlAppendString(r, "lastConfRecherche", p.lastConfRecherche) && ok;
    ok = xmlAppendString(r, "lastGraphique", p.lastGraphique) && ok;
    ok = xmlAppendLong(r, "lastAnalyseAnalyseMonth", p.lastAnalyseAnalyseMonth) && ok;
    ok = xmlAppendLong(r, "docSignature", p.docSignature) && ok;
    ok = xmlAppendBool(r, "docSignatureIsNew", p.docSignatureIsNew) && ok;
    ok = xmlAppendDouble(r, "lastSynchro", kDateDecimals, p.lastSynchro) && ok;
    ok = xmlAppendBool(r, "multidevise", p.multidevise) && ok;
    ok = xmlAppendInt(r, "chronoFilter", p.chronoFilter) && ok;
    ok = xmlAppendBool(r, "autoComputeAnalyse", p.autoComputeAnalyse) && ok;
    ok = xmlAppendBool(r, "autoComputeBudget", p.autoComputeBudget) && ok;
    ok = xmlAppendBool(r, "autoComputeGraphique", p.autoComputeGraphique) && ok;
    ok = xmlAppendDouble(r, "lastManualSave", kDateDecimals, p.lastManualSave) && ok;
    ok = xmlAppendBool(r, "lastManualSaveStarted", p.lastManualSaveStarted) && ok;
    ok = xmlAppendLong(r, "lastAnalyseDevise", p.lastAnalyseDevise) && ok;
    ok = xmlAppendBool(r, "analyseShowEmpty", p.analyseShowEmpty) && ok;
    ok = xmlAppendBool(r, "budgetShowEmpty", p.budgetShowEmpty) && ok;
    return ok;
}

} // namespace

void DOCPARAM::defaultDocParam()
{
    echInactive = 0;
    defaultDevise = 0;
    defaultDossier = 1;
    defaultPoste = 1;
    defaultCompte = 3;
    defaultCompteUser = -1;
    defaultCompteHistorique = -1;
    lastConfAnalyse.clear();
    lastConfRecherche.clear();
    lastGraphique.clear();
    lastAnalyseAnalyseMonth = 0;
    docSignature = libraryRandom();
    docSignatureIsNew = false;
    lastSynchro = 0;
    multidevise = false;
    chronoFilter = kDefaultChronoFilter;
    currentRechercheTab = 0;
    autoComputeAnalyse = true;
    autoComputeBudget = true;
    autoComputeGraphique = true;
    lastManualSave = SystemClock::now();
    lastManualSaveStarted = false;
    lastAnalyseDevise = MONTANT::currentDeviseSlot();
    analyseShowEmpty = true;
    budgetShowEmpty = true;
    documentWindows.clear();
}

std::unique_ptr<DOCPARAM> DOCPARAM::loadDocParam(const QString& package, bool* error, LoadIssues* issues)
{
    if (error)
        *error = false;
    auto param = std::make_unique<DOCPARAM>();
    param->defaultDocParam();
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(package, QString::fromLatin1(kDocParamFileName), &document);
    if (root) {
        readIdents(root, *param);
        readWindowsState(root, *param);
        readSyncAndCopies(root, *param, issues);
    }
    return param;
}

XmlDocPtr DOCPARAM::makeDocParamXML(bool* error) const
{
    if (error)
        *error = false;
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    if (!document) {
        if (error)
            *error = true;
        return document;
    }
    const bool fieldsOk = appendFields(root, *this);
    const bool windowsOk = PARAMFEN::appendFenList(root, documentWindows);
    if (error)
        *error = !fieldsOk || !windowsOk;
    return document;
}

bool DOCPARAM::saveDocParam(const QString& package) const
{
    bool error = false;
    const XmlDocPtr document = makeDocParamXML(&error);
    return document && saveXMLInPackage(package, document.get(), QString::fromLatin1(kDocParamFileName));
}

void DOCPARAM::updateSignatureIfNecessary(const QString& package)
{
    if (docSignatureIsNew)
        return;
    docSignature = libraryRandom();
    docSignatureIsNew = true;
    if (!package.isEmpty() && !saveDocParam(package))
        svLog(QStringLiteral("updateSignatureIfNecessary fail !"));
}

long DOCPARAM::getDefaultDossier(const DOCUMENT* doc)
{
    return doc && doc->docParam ? doc->docParam->defaultDossier : 1;
}

long DOCPARAM::getDefaultPoste(const DOCUMENT* doc)
{
    return doc && doc->docParam ? doc->docParam->defaultPoste : 1;
}

long DOCPARAM::getDefaultCompte(const DOCUMENT* doc)
{
    return doc && doc->docParam ? doc->docParam->defaultCompte : kCompteAnonymeID;
}

long DOCPARAM::getDefaultCompteUser(const DOCUMENT* doc)
{
    return doc && doc->docParam ? doc->docParam->defaultCompteUser : -1;
}

long DOCPARAM::getDefaultBanque(const DOCUMENT* doc)
{
    if (!doc || !doc->docParam || doc->banqueHdl.isEmpty())
        return -1;
    for (const TOOL& banque : doc->banqueHdl) {
        if (banque.bType == kBanqueUser)
            return banque.ident;
    }
    return doc->banqueHdl.first().ident;
}

long DOCPARAM::getDefaultCompteHistorique(DOCUMENT* doc)
{
    if (!doc || !doc->docParam)
        return -1;
    if (doc->docParam->defaultCompteHistorique >= 0)
        return doc->docParam->defaultCompteHistorique;
    doc->docParam->defaultCompteHistorique = createCompteHistorique(doc);
    return doc->docParam->defaultCompteHistorique;
}

long DOCPARAM::createCompteHistorique(DOCUMENT* doc)
{
    const TOOL* initialisation = TOOL::getTool(kToolCompte, kCompteInitialisationID, doc);
    if (!initialisation)
        return -1;
    TOOL compte = TOOL::newToolHdl(kToolCompte, initialisation->ownerID, QStringLiteral("Historique"), kBanqueTiers,
                                   MONTANT::currentDeviseSlot(), doc);
    const long ident = TOOL::addToolToDocumentNoCopy(kToolCompte, compte, doc);
    sendToAllWindowDelegates(Sel::didCreateCompteHistorique, QVariant::fromValue<qlonglong>(ident));
    return ident;
}
