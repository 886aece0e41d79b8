#include "AnalyseConfigFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/listmember.h"

#include <QFileInfo>

namespace {

struct ListElement {
    const char* list;
    const char* item;
    AnaIdentList AnalyseConfiguration::*field;
};

const ListElement kListElements[] = {
    {"listpostes", "poste", &AnalyseConfiguration::postesArray},
    {"listdossiers", "dossier", &AnalyseConfiguration::dossiersArray},
    {"listcomptes", "compte", &AnalyseConfiguration::comptesArray},
    {"listbanques", "banque", &AnalyseConfiguration::banquesArray},
};

bool appendAnaDef(pugi::xml_node root, const AnalyseConfiguration& conf)
{
    pugi::xml_node e = xmlAppendElement(root, "anaDef");
    if (!e)
        return false;
    xmlAppendString(e, "nom", conf.nom);
    xmlAppendDouble(e, "date1", 6, conf.date1);
    xmlAppendDouble(e, "date2", 6, conf.date2);
    xmlAppendInt(e, "fiscalite", conf.fiscalite);
    xmlAppendBool(e, "showPoste", conf.showPoste);
    xmlAppendBool(e, "showDossier", conf.showDossier);
    xmlAppendBool(e, "showVirInt", conf.showVirInt);
    xmlAppendBool(e, "showMonth", conf.showMonth);
    xmlAppendBool(e, "forceMonth", conf.forceMonth);
    xmlAppendLong(e, "compteID", conf.compteID);
    xmlAppendInt(e, "modePoste", conf.modePoste);
    xmlAppendInt(e, "modeCompte", conf.modeCompte);
    xmlAppendInt(e, "modeDate", conf.modeDate);
    for (const ListElement& l : kListElements) {
        const AnaIdentList& idents = conf.*l.field;
        if (idents.isEmpty())
            continue;
        pugi::xml_node list = xmlAppendElement(e, l.list);
        if (!list)
            return false;
        for (long ident : idents)
            xmlAppendLong(list, l.item, ident);
    }
    return true;
}

// Every child element counts, whatever its name; an empty one stands for -1.
AnaIdentList readIdentList(pugi::xml_node e, const char* name)
{
    AnaIdentList idents;
    const pugi::xml_node list = xmlFirstElementNamed(e, name);
    for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            idents.append(static_cast<long>(xmlNodeIntegerValue(child, -1)));
    }
    return idents;
}

// Missing elements take the values older files relied on, which differ from a new
// configuration's: no month columns, and no date limit.
AnalyseConfiguration readAnaDef(pugi::xml_node e, const DOCUMENT* doc, LoadIssues* issues)
{
    AnalyseConfiguration conf;
    anaConfigSetDefaults(doc, conf);
    const double now = dateNow();
    conf.nom = xmlGetMutableString(e, "nom");
    conf.date1 = xmlGetDate(e, "date1", now, UnreadDate::Today, issues);
    conf.date2 = xmlGetDate(e, "date2", now, UnreadDate::Today, issues);
    conf.fiscalite = xmlGetInt(e, "fiscalite", kFiscaliteTTC);
    conf.showPoste = xmlGetBool(e, "showPoste", true);
    conf.showDossier = xmlGetBool(e, "showDossier", true);
    conf.showVirInt = xmlGetBool(e, "showVirInt", false);
    conf.showMonth = xmlGetBool(e, "showMonth", false);
    conf.forceMonth = xmlGetBool(e, "forceMonth", true);
    conf.compteID = static_cast<long>(xmlGetLong(e, "compteID", -1));
    conf.modePoste = xmlGetInt(e, "modePoste", kSelectionAll);
    conf.modeCompte = xmlGetInt(e, "modeCompte", kSelectionAll);
    conf.modeDate = xmlGetInt(e, "modeDate", kModeDateNoLimit);
    for (const ListElement& l : kListElements)
        conf.*l.field = readIdentList(e, l.list);
    if (!e.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
        noteLoadIssue(issues, localizedDialogue(QStringLiteral("kLoadIssue_emptyRecord")));
    return conf;
}

// The root of a member file; a file that exists but can't be read is noted, a missing one is not.
pugi::xml_node loadMember(const QString& packageURL, const char* name, XmlDocPtr* document, LoadIssues* issues)
{
    const QString fileName = QString::fromLatin1(name);
    const pugi::xml_node root = loadXMLFromPackage(packageURL, fileName, document, issues);
    QString resources;
    if (!root && packageResourcesURL(packageURL, &resources)
        && QFileInfo::exists(resources + QLatin1Char('/') + fileName))
        svLog(QStringLiteral("%1 illisible dans %2").arg(fileName, packageURL));
    return root;
}

AnalyseConfiguration namedDefaults(const DOCUMENT* doc, const char* key, bool showPoste)
{
    AnalyseConfiguration conf;
    anaConfigSetDefaults(doc, conf);
    conf.nom = localizedMisc(QString::fromLatin1(key));
    conf.fiscalite = kFiscaliteTTC;
    conf.showPoste = showPoste;
    conf.showDossier = true;
    conf.showVirInt = false;
    return conf;
}

} // namespace

AnalyseConfigList builtInAnaConfigs(const DOCUMENT* doc)
{
    AnalyseConfiguration empty;
    anaConfigSetDefaults(doc, empty);
    return {empty, namedDefaults(doc, "kMisc_AnalyseComplete", true),
            namedDefaults(doc, "kMisc_AnalyseSimplifiee", false)};
}

AnalyseConfigList loadAnaConfigs(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues)
{
    XmlDocPtr document;
    pugi::xml_node root = loadMember(packageURL, kAnaDefFileName, &document, issues);
    const bool legacy = !root;
    if (legacy)
        root = loadMember(packageURL, kAnaDefLegacyFileName, &document, issues);
    AnalyseConfigList list;
    forEachElementRecord(root, issues, [&](pugi::xml_node record) { list.append(readAnaDef(record, doc, issues)); });
    if (list.isEmpty())
        return builtInAnaConfigs(doc);
    if (legacy) {
        // Older files had no default configuration; position 0 must hold one.
        AnalyseConfiguration first;
        anaConfigSetDefaults(doc, first);
        list.prepend(first);
    }
    return list;
}

XmlDocPtr makeAnaConfigsXML(const AnalyseConfigList& list, bool* error)
{
    return makeOwnListXML(list, appendAnaDef, error);
}

bool saveAnaConfigs(const QString& packageURL, const AnalyseConfigList& list)
{
    bool error = false;
    const XmlDocPtr document = makeAnaConfigsXML(list, &error);
    return document && !error && saveXMLInPackage(packageURL, document.get(), QString::fromLatin1(kAnaDefFileName));
}

void disposeAnaConfigs(AnalyseConfigList& list)
{
    list.clear();
}
