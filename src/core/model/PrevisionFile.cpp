#include "PrevisionFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/PlanificatorXml.h"
#include "model/TransactFile.h"
#include "model/idents.h"
#include "model/listmember.h"

#include <QFileInfo>
#include <QSet>

namespace {

// The schedules' member file, where the older format kept forecasts too.
constexpr char kChronoFileName[] = "chrono.xml";

bool memberFileExists(const QString& packageURL, const char* fileName)
{
    QString resources;
    return packageResourcesURL(packageURL, &resources)
        && QFileInfo::exists(resources + QLatin1Char('/') + QString::fromLatin1(fileName));
}

// False when the record can't be made or written whole.
bool appendRecord(pugi::xml_node root, Prevision& prevision, const DeviseList& devises)
{
    pugi::xml_node record = xmlAppendElement(root, "record");
    if (!record)
        return false;
    xmlAppendLong(record, "ident", prevision.ident);
    xmlAppendString(record, "name", prevision.name);
    xmlAppendBool(record, "rattrapable", prevision.rattrapable);
    bool complete = XML_append_transact(record, "transact", prevision.transact, devises);
    if (!prevision.planificator || !prevision.planificator->appendXMLToTree(record, kPlanificatorElementName))
        complete = false;
    return complete;
}

Prevision readRecord(pugi::xml_node record, const DOCUMENT* doc, LoadIssues* issues)
{
    Prevision prevision = Prevision::newPrevision(doc);
    prevision.ident = xmlGetLong(record, "ident", -1);
    prevision.name = xmlGetMutableString(record, "name");
    prevision.rattrapable = xmlGetBool(record, "rattrapable", true);
    if (std::optional<TRANSACT> model = XML_load_transact(record, "transact", issues))
        prevision.transact = *model;
    prevision.planificator = Planificator::allocFromXMLTree(
        xmlFirstChild(record, kPlanificatorElementName), Planificator::kTypePrevision, issues, prevision.transact.when);
    if (!prevision.planificator)
        noteLoadIssue(
            issues,
            localizedDialogue(QStringLiteral("kLoadIssue_ruleMissing")).arg(QLatin1String(kPlanificatorElementName)));
    return prevision;
}

// A file that exists but can't be read is noted by its loading.
PrevisionList readPrevisionFile(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues)
{
    PrevisionList list;
    XmlDocPtr document;
    const pugi::xml_node root
        = loadXMLFromPackage(packageURL, QString::fromLatin1(kPrevisionFileName), &document, issues);
    forEachElementRecord(root, issues, [&](pugi::xml_node record) { list.append(readRecord(record, doc, issues)); });
    return list;
}

// ---- Takeover ---------------------------------------------------------------------------------------

bool isSimulRecord(pugi::xml_node node)
{
    return node.type() == pugi::node_element && xmlGetBool(node, "simul", false);
}

// The idents the older file gives its forecasts: a one-off forecast made from a custom occurrence
// must not take one that a later record brings.
QSet<long> simulIdents(pugi::xml_node root)
{
    QSet<long> idents;
    for (pugi::xml_node record = root.first_child(); record; record = record.next_sibling()) {
        if (isSimulRecord(record))
            idents.insert(xmlGetLong(record, "ident", -1));
    }
    return idents;
}

// The one-off forecast of a custom occurrence: its own model and date, the first forecast's rule
// reduced to that single occurrence.
void migratePerso(pugi::xml_node perso, const Prevision& first, const QSet<long>& reserved, const DOCUMENT* doc,
                  PrevisionList& list, LoadIssues* issues)
{
    Prevision prevision = Prevision::newPrevision(doc);
    if (!first.planificator || !extractTransactElements(perso, prevision, issues))
        return;
    prevision.ident = newRandomIdent(
        [&](long id) { return reserved.contains(id) || findPrevisionWithIdentInArray(id, nullptr, list); });
    prevision.name = availableNameForPrevision(first.name, list);
    Planificator rule = *first.planificator;
    rule.firstDate = prevision.transact.when;
    rule.repeatTimeUnitCount = 1;
    rule.nbEcheance = 1;
    rule.permanent = false;
    rule.reconductionType = 0;
    prevision.planificator = rule;
    list.append(prevision);
}

// A faulty record is left out with its custom occurrences, which are made from it; a faulty
// custom occurrence alone. Either way the records after it are still carried over.
void migrateRecord(pugi::xml_node record, const QSet<long>& reserved, const DOCUMENT* doc, PrevisionList& list,
                   LoadIssues* issues)
{
    Prevision first = Prevision::newPrevision(doc);
    if (!extractTransactElements(record, first, issues)) {
        svLog(QStringLiteral("*** Reprise des prévisions : enregistrement illisible (%1)")
                  .arg(xmlGetMutableString(record, "nom")));
        return;
    }
    extractChronoElements(record, first, issues);
    list.append(first);
    const pugi::xml_node persolist = xmlFirstChild(record, "persolist");
    if (!persolist) {
        noteLoadIssue(issues,
                      localizedDialogue(QStringLiteral("kLoadIssue_listMissing")).arg(QStringLiteral("persolist")));
        return;
    }
    for (pugi::xml_node perso = persolist.first_child(); perso; perso = perso.next_sibling()) {
        if (perso.type() == pugi::node_element)
            migratePerso(perso, first, reserved, doc, list, issues);
    }
}

} // namespace

XmlDocPtr makeDocPrevisionXML(PrevisionList& list, const DeviseList& devises, bool* error)
{
    return makeOwnListXML(
        list, [&](pugi::xml_node root, Prevision& prevision) { return appendRecord(root, prevision, devises); }, error);
}

bool savePrevision(const QString& packageURL, PrevisionList& list, const DeviseList& devises, bool* recordError)
{
    bool error = false;
    const XmlDocPtr document = makeDocPrevisionXML(list, devises, &error);
    if (recordError)
        *recordError = error;
    return document && saveXMLInPackage(packageURL, document.get(), QString::fromLatin1(kPrevisionFileName));
}

bool extractTransactElements(pugi::xml_node element, Prevision& prevision, LoadIssues* issues)
{
    LoadIssues faults;
    if (issues) {
        faults.setMember(issues->member());
        faults.setRecord(issues->record());
    }
    const std::optional<TRANSACT> model = XML_load_transact(element, "transact", &faults);
    for (const LoadIssue& fault : faults.items()) {
        if (issues)
            issues->add(fault);
    }
    if (!model)
        return false;
    prevision.transact = *model;
    if (!prevision.planificator)
        prevision.planificator = Planificator(model->when, Planificator::kTypePrevision);
    prevision.planificator->firstDate = model->when;
    return faults.isEmpty();
}

void extractChronoElements(pugi::xml_node record, Prevision& prevision0, LoadIssues* issues)
{
    prevision0.ident = xmlGetLong(record, "ident", -1);
    prevision0.name = xmlGetMutableString(record, "nom");
    prevision0.planificator
        = Planificator::tryPlanificatorMigration(record, prevision0.transact, Planificator::kTypePrevision, issues);
}

std::optional<PrevisionList> tryMigrationIfNecessary(const QString& packageURL, const DOCUMENT* doc,
                                                     const DeviseList& devises, LoadIssues* issues)
{
    if (memberFileExists(packageURL, kPrevisionFileName) || !memberFileExists(packageURL, kChronoFileName))
        return std::nullopt;
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, QString::fromLatin1(kChronoFileName), &document, issues);
    // Writing prevision.xml now would end the takeover for good with nothing taken over (the
    // loading noted why there is no root).
    if (!root)
        return std::nullopt;
    const QSet<long> reserved = simulIdents(root);
    PrevisionList list;
    forEachElementRecord(root, issues, [&](pugi::xml_node record) {
        if (isSimulRecord(record))
            migrateRecord(record, reserved, doc, list, issues);
    });
    if (!savePrevision(packageURL, list, devises) && issues) {
        issues->setMember(QString::fromLatin1(kPrevisionFileName));
        issues->note(localizedDialogue(QStringLiteral("kLoadIssue_notWritten")));
    }
    return list;
}

PrevisionList loadPrevision(const QString& packageURL, const DOCUMENT* doc, const DeviseList& devises,
                            LoadIssues* issues)
{
    std::optional<PrevisionList> migrated = tryMigrationIfNecessary(packageURL, doc, devises, issues);
    // The forecasts taken over are read back as the next opening will read them; when they could
    // not be written they are kept as they are, so the document's next save still holds them.
    if (migrated && !memberFileExists(packageURL, kPrevisionFileName))
        return std::move(*migrated);
    return readPrevisionFile(packageURL, doc, issues);
}
