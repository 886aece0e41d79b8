#include "ReferencePasses.h"

#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

bool namesCompte(const TRANSACT& t, long compteID)
{
    return t.who1 == compteID || t.who2 == compteID;
}

template <typename List, typename Pred> bool anyOf(const List& list, Pred pred)
{
    return std::any_of(list.begin(), list.end(), pred);
}

bool financeOnCompte(const FinanceList& list, long compteID)
{
    return anyOf(list, [compteID](const FINANCE& f) { return f.compteID == compteID; });
}

bool echeancierNamesCompte(const ECHEANCIER& e, long compteID)
{
    return namesCompte(e.transact, compteID)
        || anyOf(e.perso, [compteID](const PECHEANCIER& p) { return namesCompte(p.transact, compteID); });
}

bool analyseNamesCompte(const AnalyseConfiguration& conf, long compteID)
{
    return conf.compteID == compteID || conf.comptesArray.contains(compteID);
}

// Rewrites the transaction when asked; whether it used the category.
bool replaceInTransact(TRANSACT& t, long oldID, long newID)
{
    if (!transactUsesPoste(oldID, t))
        return false;
    if (newID >= 0)
        t.changePosteInTransact(oldID, newID);
    return true;
}

// Runs over the items, rewriting each when newID >= 0; a query stops at the first use.
template <typename List, typename Replace> bool replaceInList(List& list, long newID, Replace replace)
{
    bool used = false;
    for (auto& item : list) {
        used = replace(item) || used;
        if (used && newID < 0)
            break;
    }
    return used;
}

bool replaceIdent(long& field, long oldID, long newID)
{
    if (field != oldID)
        return false;
    if (newID >= 0)
        field = newID;
    return true;
}

bool replaceInIdents(AnaIdentList& idents, long oldID, long newID)
{
    bool used = false;
    for (long& ident : idents)
        used = replaceIdent(ident, oldID, newID) || used;
    return used;
}

bool replaceInGraphs(GraphList& graphs, int mode, long GRAPH::*field, long oldID, long newID)
{
    return replaceInList(graphs, newID,
                         [&](GRAPH& g) { return g.mode == mode && replaceIdent(g.*field, oldID, newID); });
}

using Step = std::pair<bool*, std::function<bool()>>;

// A query stops after the first step that found a use; a replacement runs them all.
void runSteps(const std::vector<Step>& steps, long newID)
{
    for (const auto& [flag, step] : steps) {
        *flag = step();
        if (*flag && newID < 0)
            return;
    }
}

std::vector<Step> posteSteps(long oldID, DOCUMENT* d, long newID, PosteUses& found)
{
    return {
        {&found.inPreferences, [=] { return d->docParam && replaceIdent(d->docParam->defaultPoste, oldID, newID); }},
        {&found.inMacro,
         [=] {
             return replaceInList(d->macroHdl, newID,
                                  [=](MACRO& m) { return m.transact && replaceInTransact(*m.transact, oldID, newID); });
         }},
        {&found.inTransact,
         [=] {
             return replaceInList(d->transact_array, newID,
                                  [=](TRANSACT& t) { return replaceInTransact(t, oldID, newID); });
         }},
        {&found.inCompte,
         [=] {
             return replaceInList(d->compteHdl, newID, [=](TOOL& c) { return replaceIdent(c.posteID, oldID, newID); });
         }},
        {&found.inEcheancier, [=] { return changePosteInEcheanciers(oldID, d, newID); }},
        {&found.inPrevision, [=] { return changePosteInPrevisions(oldID, d, newID); }},
        {&found.inAnalyse,
         [=] {
             return replaceInList(d->anadefHdl, newID, [=](AnalyseConfiguration& conf) {
                 return replaceInIdents(conf.postesArray, oldID, newID);
             });
         }},
        {&found.inGraphique,
         [=] { return replaceInGraphs(d->graphHdl, kGraphModePoste, &GRAPH::posteID, oldID, newID); }},
        {&found.inRegle,
         [=] {
             return replaceInList(d->reglesArray, newID,
                                  [=](REGLE& r) { return replaceIdent(r.posteID, oldID, newID); });
         }},
    };
}

bool dossierHasUsedPoste(long dossierID, DOCUMENT* d)
{
    return anyOf(d->posteHdl, [=](const POSTE& p) {
        return p.dossierID == dossierID && replacePosteEverywhere(p.ident, d, -1, nullptr);
    });
}

std::vector<Step> dossierSteps(long oldID, DOCUMENT* d, long newID, DossierUses& found)
{
    return {
        {&found.inPreferences, [=] { return d->docParam && replaceIdent(d->docParam->defaultDossier, oldID, newID); }},
        {&found.inPostes,
         [=] {
             const bool used = dossierHasUsedPoste(oldID, d);
             if (newID >= 0)
                 POSTE::changeDossier(oldID, newID, *d);
             return used;
         }},
        {&found.inAnalyse,
         [=] {
             return replaceInList(d->anadefHdl, newID, [=](AnalyseConfiguration& conf) {
                 return replaceInIdents(conf.dossiersArray, oldID, newID);
             });
         }},
        {&found.inGraphique,
         [=] { return replaceInGraphs(d->graphHdl, kGraphModeDossier, &GRAPH::dossierID, oldID, newID); }},
    };
}

} // namespace

DOCPARAM* getDocParam(DOCUMENT* doc)
{
    return doc ? doc->docParam.get() : nullptr;
}
const DOCPARAM* getDocParam(const DOCUMENT* doc)
{
    return doc ? doc->docParam.get() : nullptr;
}
DeviseList* getDocDevise(DOCUMENT* doc)
{
    return doc ? &doc->deviseHdl : nullptr;
}
const DeviseList* getDocDevise(const DOCUMENT* doc)
{
    return doc ? &doc->deviseHdl : nullptr;
}

bool CompteUses::any() const
{
    return inTransact || inMacro || inRemunere || inEcheancier || inPrevision || inAnalyse || inGraphique
        || inPreferences || inFinance || inRegle;
}

bool PosteUses::any() const
{
    return inTransact || inMacro || inCompte || inEcheancier || inPrevision || inAnalyse || inGraphique || inPreferences
        || inRegle;
}

bool DossierUses::any() const
{
    return inPreferences || inPostes || inAnalyse || inGraphique;
}

bool compteWhereUsed(long compteID, const DOCUMENT* doc, CompteUses* uses)
{
    CompteUses found;
    if (doc && compteID >= 0) {
        const long id = compteID;
        found.inTransact = anyOf(doc->transact_array, [id](const TRANSACT& t) { return namesCompte(t, id); });
        found.inMacro
            = anyOf(doc->macroHdl, [id](const MACRO& m) { return m.transact && namesCompte(*m.transact, id); });
        found.inRemunere = financeOnCompte(doc->remunereHdl, id);
        found.inEcheancier
            = anyOf(doc->echeancierHdl, [id](const ECHEANCIER& e) { return echeancierNamesCompte(e, id); });
        found.inPrevision
            = anyOf(doc->previsionsArray, [id](const Prevision& p) { return namesCompte(p.transact, id); });
        found.inAnalyse
            = anyOf(doc->anadefHdl, [id](const AnalyseConfiguration& c) { return analyseNamesCompte(c, id); });
        found.inGraphique
            = anyOf(doc->graphHdl, [id](const GRAPH& g) { return g.mode == kGraphModeCompte && g.compteID == id; });
        found.inPreferences
            = doc->docParam && (doc->docParam->defaultCompte == id || doc->docParam->defaultCompteUser == id);
        found.inFinance = financeOnCompte(doc->titreHdl, id) || financeOnCompte(doc->empruntHdl, id)
            || financeOnCompte(doc->portfolioArray, id);
        found.inRegle = anyOf(doc->reglesArray,
                              [id](const REGLE& r) { return r.importID == id || r.who1 == id || r.who2 == id; });
    }
    if (uses)
        *uses = found;
    return found.any();
}

bool transactUsesPoste(long posteID, const TRANSACT& transact)
{
    return transact.posteID == posteID
        || anyOf(transact.multis, [posteID](const MULTI& m) { return m.posteID == posteID; });
}

bool changePosteInEcheanciers(long oldID, DOCUMENT* doc, long newID)
{
    if (!doc || oldID < 0)
        return false;
    return replaceInList(doc->echeancierHdl, newID, [&](ECHEANCIER& e) {
        bool used = replaceInTransact(e.transact, oldID, newID);
        if (used && newID < 0)
            return true;
        return replaceInList(e.perso, newID,
                             [&](PECHEANCIER& p) { return replaceInTransact(p.transact, oldID, newID); })
            || used;
    });
}

bool changePosteInPrevisions(long oldID, DOCUMENT* doc, long newID)
{
    if (!doc || oldID < 0)
        return false;
    return replaceInList(doc->previsionsArray, newID,
                         [&](Prevision& p) { return replaceInTransact(p.transact, oldID, newID); });
}

bool replacePosteEverywhere(long oldID, DOCUMENT* doc, long newID, PosteUses* uses)
{
    PosteUses found;
    if (doc && oldID >= 0)
        runSteps(posteSteps(oldID, doc, newID, found), newID);
    if (uses)
        *uses = found;
    return found.any();
}

bool replaceDossierEverywhere(long oldID, DOCUMENT* doc, long newID, DossierUses* uses)
{
    DossierUses found;
    if (doc && oldID >= 0)
        runSteps(dossierSteps(oldID, doc, newID, found), newID);
    if (uses)
        *uses = found;
    return found.any();
}
