#include "GRAPH.h"

#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/POSTE.h"
#include "model/TOOL.h"

namespace {

std::optional<GRAPH>& currentGraphStorage()
{
    static std::optional<GRAPH> graph;
    return graph;
}

long selectedIdent(const GRAPH& g)
{
    switch (g.mode) {
    case kGraphModePoste:
        return g.posteID;
    case kGraphModeBanque:
        return g.banqueID;
    case kGraphModeDossier:
        return g.dossierID;
    default:
        return g.compteID;
    }
}

QString followedName(const GRAPH& g, const DOCUMENT* doc)
{
    switch (g.mode) {
    case kGraphModePoste:
        return doc ? POSTE::getPosteNameNS(g.posteID, *doc) : QString();
    case kGraphModeBanque:
        return getToolNameNS(kToolBanque, g.banqueID, doc);
    case kGraphModeDossier:
        return doc ? DOSSIER::getDossierNameNS(g.dossierID, *doc) : QString();
    default:
        return getToolNameNS(kToolCompte, g.compteID, doc);
    }
}

QString titleKey(int mode)
{
    switch (mode) {
    case kGraphModePoste:
        return QStringLiteral("kMisc_GraphName2");
    case kGraphModeBanque:
        return QStringLiteral("kMisc_GraphNameBanque");
    case kGraphModeDossier:
        return QStringLiteral("kMisc_GraphNameDossier");
    default:
        return QStringLiteral("kMisc_GraphName1");
    }
}

} // namespace

GRAPH GRAPH::newGraph(const DOCUMENT* doc)
{
    GRAPH graph;
    graph.defaultGraphique(doc);
    return graph;
}

void GRAPH::defaultGraphique(const DOCUMENT* doc)
{
    nom = localizedAppl(QStringLiteral("POPUP_GRAPH_EMPTY"));
    titre.clear();
    makeDoc = doc ? doc->getDocLoadName() : QString();
    mode = kGraphModeCompte;
    plotKind = 0;
    totalKind = 0;
    timeKind = 0;
    compteID = TOOL::defaultUserCompte(kBanqueUser, -1, doc);
    posteID = DOCPARAM::getDefaultPoste(doc);
    banqueID = DOCPARAM::getDefaultBanque(doc);
    dossierID = DOCPARAM::getDefaultDossier(doc);
    firstDayOfCurrentYear(&graph_date1);
    graph_date2 = dateNow();
    modeDate = 2;
    forceMonth = true;
    autoCompute = false;
    simul = true;
    soldeInit = MONTANT();
    maxTot = MONTANT();
    maxSol = MONTANT();
    hilite_date = 0;
    makeDate = dateNow();
}

GraphList* getGraphHdl(DOCUMENT* doc)
{
    return doc ? &doc->graphHdl : nullptr;
}
const GraphList* getGraphHdl(const DOCUMENT* doc)
{
    return doc ? &doc->graphHdl : nullptr;
}

long nbGraph(const GraphList* list)
{
    return list ? list->size() : 0;
}

GRAPH* graphAtIndex(GraphList* list, long index)
{
    if (!list || index < 0 || index >= list->size())
        return nullptr;
    return &(*list)[index];
}

const GRAPH* graphAtIndex(const GraphList* list, long index)
{
    if (!list || index < 0 || index >= list->size())
        return nullptr;
    return &list->at(index);
}

bool findGraphByName(const GraphList* list, const QString& name, long* index)
{
    if (index)
        *index = -1;
    for (long i = 0; i < nbGraph(list); ++i) {
        const QString& nom = list->at(i).nom;
        if (!nom.isEmpty() && nom == name) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

bool copyGraphDef(const GRAPH& source, GRAPH& destination)
{
    destination = source;
    return true;
}

bool isSameGraphDef(const GRAPH& a, const GRAPH& b)
{
    const bool sameKinds
        = a.mode == b.mode && a.plotKind == b.plotKind && a.totalKind == b.totalKind && a.timeKind == b.timeKind;
    const bool sameDates = a.modeDate == b.modeDate
        && (a.modeDate != 0 || (a.graph_date1 == b.graph_date1 && a.graph_date2 == b.graph_date2));
    return a.nom == b.nom && sameKinds && selectedIdent(a) == selectedIdent(b) && sameDates
        && a.forceMonth == b.forceMonth && a.simul == b.simul;
}

void makeGraphTitle(GRAPHFILE& file, const DOCUMENT* doc)
{
    const GRAPH& g = file.header;
    const QChar blank = QLatin1Char(' ');
    const QChar quote = QLatin1Char('"');
    file.header.titre = localizedMisc(titleKey(g.mode)) + blank + quote + followedName(g, doc) + quote + blank
        + localizedMisc(QStringLiteral("kMisc_GraphName3")) + blank + dateToStringWithStyles(1, 0, g.graph_date1)
        + blank + localizedMisc(QStringLiteral("kMisc_GraphName4")) + blank
        + dateToStringWithStyles(1, 0, g.graph_date2);
}

void disposeGraphDefs(GraphList& list)
{
    list.clear();
}

long graphFileDataCount(const GRAPHFILE& file)
{
    return file.dataArray.size();
}

const DATAGRAPH* graphFileDataAtIndex(long index, const GRAPHFILE& file)
{
    if (index < 1 || index > file.dataArray.size())
        return nullptr;
    return &file.dataArray.at(index - 1);
}

void initCurrentGraph(const DOCUMENT* doc)
{
    currentGraphStorage() = GRAPH::newGraph(doc);
}

void disposeCurrentGraph()
{
    currentGraphStorage().reset();
}

GRAPH* currentGraph()
{
    std::optional<GRAPH>& graph = currentGraphStorage();
    return graph ? &*graph : nullptr;
}
