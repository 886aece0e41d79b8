#include "GraphFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/listmember.h"

namespace {

bool isElement(pugi::xml_node node)
{
    return node.type() == pugi::node_element;
}

bool appendAmounts(pugi::xml_node header, const GRAPH& g, const DeviseList& devises)
{
    bool ok = g.soldeInit.XML_append_montant(header, "soldeInit", devises);
    ok = g.maxTot.XML_append_montant(header, "maxTot", devises) && ok;
    return g.maxSol.XML_append_montant(header, "maxSol", devises) && ok;
}

void readKinds(pugi::xml_node e, GRAPH& g)
{
    g.mode = xmlGetInt(e, "mode", 0);
    g.plotKind = xmlGetInt(e, "plotKind", 0);
    g.totalKind = xmlGetInt(e, "totalKind", 0);
    g.timeKind = xmlGetInt(e, "timeKind", 0);
    g.modeDate = xmlGetInt(e, "modeDate", 0);
}

void readIdents(pugi::xml_node e, GRAPH& g, const DOCUMENT* doc)
{
    g.compteID = static_cast<long>(xmlGetLong(e, "compteID", DOCPARAM::getDefaultCompte(doc)));
    g.posteID = static_cast<long>(xmlGetLong(e, "posteID", DOCPARAM::getDefaultPoste(doc)));
    g.banqueID = static_cast<long>(xmlGetLong(e, "banqueID", DOCPARAM::getDefaultBanque(doc)));
    g.dossierID = static_cast<long>(xmlGetLong(e, "dossierID", DOCPARAM::getDefaultDossier(doc)));
}

void readFrame(pugi::xml_node e, GRAPH& g)
{
    g.left = static_cast<long>(xmlGetLong(e, "left", kGraphDefaultLeft));
    g.top = static_cast<long>(xmlGetLong(e, "top", kGraphDefaultTop));
    g.right = static_cast<long>(xmlGetLong(e, "right", kGraphDefaultRight));
    g.bottom = static_cast<long>(xmlGetLong(e, "bottom", kGraphDefaultBottom));
}

bool appendPoint(pugi::xml_node datalist, const DATAGRAPH& point, const DeviseList& devises)
{
    pugi::xml_node data = xmlAppendElement(datalist, "data");
    if (!data)
        return false;
    xmlAppendDouble(data, "when", 6, point.when);
    const bool ok = point.total.XML_append_montant(data, "total", devises);
    return point.solde.XML_append_montant(data, "solde", devises) && ok;
}

// False when an amount is missing: the point is kept with zero in its place.
bool readPoint(pugi::xml_node data, DATAGRAPH& point)
{
    point.when = xmlGetDate(data, "when", dateNow());
    const bool ok = loadMontantFromXML(data, "total", point.total);
    return loadMontantFromXML(data, "solde", point.solde) && ok;
}

bool removeFolder(const QString& docURL, const char* name)
{
    QString url;
    if (!DOCUMENT::getFolderInDocument(&url, QString::fromLatin1(name), docURL))
        return true;
    int error = 0;
    if (removeOrTrashItemAtURL(url, &error))
        return true;
    svLog(QStringLiteral("Impossible de supprimer %1 (%2)").arg(url).arg(error));
    return false;
}

} // namespace

bool appendGraphHeaderXML(pugi::xml_node parent, const GRAPH& g, const DeviseList& devises)
{
    pugi::xml_node e = xmlAppendElement(parent, "header");
    if (!e)
        return false;
    xmlAppendString(e, "nom", g.nom);
    xmlAppendString(e, "titre", g.titre);
    xmlAppendString(e, "makeDoc", g.makeDoc);
    xmlAppendLong(e, "mode", g.mode);
    xmlAppendLong(e, "plotKind", g.plotKind);
    xmlAppendLong(e, "totalKind", g.totalKind);
    xmlAppendLong(e, "timeKind", g.timeKind);
    xmlAppendLong(e, "compteID", g.compteID);
    xmlAppendLong(e, "posteID", g.posteID);
    xmlAppendLong(e, "banqueID", g.banqueID);
    xmlAppendLong(e, "dossierID", g.dossierID);
    xmlAppendDouble(e, "date1", 6, g.graph_date1);
    xmlAppendDouble(e, "date2", 6, g.graph_date2);
    xmlAppendInt(e, "modeDate", g.modeDate);
    xmlAppendBool(e, "forceMonth", g.forceMonth);
    xmlAppendBool(e, "autoCompute", g.autoCompute);
    const bool ok = appendAmounts(e, g, devises);
    xmlAppendBool(e, "simul", g.simul);
    xmlAppendDouble(e, "makeDate", 6, g.makeDate);
    xmlAppendLong(e, "left", g.left);
    xmlAppendLong(e, "top", g.top);
    xmlAppendLong(e, "right", g.right);
    xmlAppendLong(e, "bottom", g.bottom);
    return ok;
}

namespace {

// A missing amount reads as zero and is noted on issues (may be null).
bool readAmount(pugi::xml_node e, const char* key, MONTANT& m, LoadIssues* issues)
{
    if (loadMontantFromXML(e, key, m))
        return true;
    noteLoadIssue(issues, localizedDialogue(QStringLiteral("kLoadIssue_montantMissing")).arg(QLatin1String(key)));
    return false;
}

} // namespace

bool readGraphHeader(pugi::xml_node e, GRAPH& g, const DOCUMENT* doc, LoadIssues* issues)
{
    const double now = dateNow();
    g.nom = xmlGetMutableString(e, "nom");
    g.titre = xmlGetMutableString(e, "titre");
    g.makeDoc = xmlGetMutableString(e, "makeDoc");
    readKinds(e, g);
    readIdents(e, g, doc);
    g.graph_date1 = xmlGetDate(e, "date1", now, UnreadDate::Today, issues);
    g.graph_date2 = xmlGetDate(e, "date2", now, UnreadDate::Today, issues);
    g.forceMonth = xmlGetBool(e, "forceMonth", false);
    g.autoCompute = xmlGetBool(e, "autoCompute", false);
    g.simul = xmlGetBool(e, "simul", true);
    g.makeDate = xmlGetDate(e, "makeDate", now, UnreadDate::Today, issues);
    readFrame(e, g);
    bool ok = readAmount(e, "soldeInit", g.soldeInit, issues);
    ok = readAmount(e, "maxTot", g.maxTot, issues) && ok;
    return readAmount(e, "maxSol", g.maxSol, issues) && ok;
}

XmlDocPtr makeGraphDefsXML(const GraphList& list, const DeviseList& devises, bool* error)
{
    return makeOwnListXML(
        list, [&devises](pugi::xml_node root, const GRAPH& g) { return appendGraphHeaderXML(root, g, devises); },
        error);
}

bool saveGraphDefs(const QString& packageURL, const GraphList& list, const DeviseList& devises)
{
    bool error = false;
    const XmlDocPtr document = makeGraphDefsXML(list, devises, &error);
    return document && !error && saveXMLInPackage(packageURL, document.get(), QString::fromLatin1(kGraphDefFileName));
}

GraphList loadGraphDefs(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues)
{
    GraphList list;
    XmlDocPtr document;
    const pugi::xml_node root
        = loadXMLFromPackage(packageURL, QString::fromLatin1(kGraphDefFileName), &document, issues);
    forEachElementRecord(root, issues, [&](pugi::xml_node record) {
        list.append(GRAPH::newGraph(doc));
        readGraphHeader(record, list.last(), doc, issues);
    });
    return list;
}

XmlDocPtr makeGraphFileXML(const GRAPHFILE& file, const DeviseList& devises, bool* error)
{
    if (error)
        *error = false;
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    if (!document || !root) {
        xmlSetError(error);
        return nullptr;
    }
    xmlAppendLong(root, "version", file.version);
    if (!appendGraphHeaderXML(root, file.header, devises))
        xmlSetError(error);
    pugi::xml_node datalist = xmlAppendElement(root, "datalist");
    for (const DATAGRAPH& point : file.dataArray) {
        if (!appendPoint(datalist, point, devises))
            xmlSetError(error);
    }
    return document;
}

bool writeGraphFile(const GRAPHFILE& file, const QString& path, const DeviseList& devises)
{
    const XmlDocPtr document = makeGraphFileXML(file, devises, nullptr);
    return document && writeXMLToURL(path, document.get());
}

bool saveGraphFile(const GRAPHFILE& file, long n, const QString& packageURL, const DeviseList& devises)
{
    QString folder;
    if (!getGraphsFolder(&folder, packageURL))
        return false;
    return writeGraphFile(file, folder + QStringLiteral("/graph%1.xml").arg(n), devises);
}

bool loadGraphFile(const QString& path, GRAPHFILE& file, const DOCUMENT* doc)
{
    file.dataArray.clear();
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLRootFromURL(path, &document);
    if (!root)
        return false;
    file.version = static_cast<long>(xmlGetLong(root, "version", 2));
    const pugi::xml_node header = xmlFirstElementNamed(root, "header");
    if (!header || !readGraphHeader(header, file.header, doc))
        return false;
    const pugi::xml_node datalist = xmlFirstElementNamed(root, "datalist");
    if (!datalist)
        return false;
    bool damaged = false;
    for (pugi::xml_node data = datalist.first_child(); data; data = data.next_sibling()) {
        if (!isElement(data))
            continue;
        file.dataArray.append(DATAGRAPH());
        if (!readPoint(data, file.dataArray.last()))
            damaged = true;
    }
    if (damaged)
        svLog(QStringLiteral("loadGraphFile error ! %1").arg(path));
    return true;
}

bool getGraphsFolder(QString* url, const QString& docURL)
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kGraphsFolderName), docURL);
}

bool getAnalyseFolderInDocument(QString* url, const QString& docURL)
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kAnalyseFolderName), docURL);
}

bool getBudgetFolderInDocument(QString* url, const QString& docURL)
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kBudgetFolderName), docURL);
}

bool deleteGraphsFolder(const QString& docURL)
{
    return removeFolder(docURL, kGraphsFolderName);
}
bool removeAnalyseFolderInDocument(const QString& docURL)
{
    return removeFolder(docURL, kAnalyseFolderName);
}
bool removeBudgetFolderInDocument(const QString& docURL)
{
    return removeFolder(docURL, kBudgetFolderName);
}
