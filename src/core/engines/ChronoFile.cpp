#include "ChronoFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/localized.h"
#include "model/PlanificatorXml.h"
#include "model/TransactFile.h"
#include "model/listmember.h"

namespace {

bool appendPersoList(pugi::xml_node record, ECHEANCIER& echeancier, const DeviseList& devises)
{
    pugi::xml_node list = xmlAppendElement(record, "persolist");
    if (!list)
        return false;
    bool ok = true;
    for (PECHEANCIER& perso : echeancier.perso) {
        pugi::xml_node element = xmlAppendElement(list, "perso");
        if (!element) {
            ok = false;
            continue;
        }
        xmlAppendBool(element, "done", perso.done);
        ok = XML_append_transact(element, "transact", perso.transact, devises) && ok;
    }
    return ok;
}

// False when the record or one of its parts can't be fully written; what could be is kept.
bool appendRecord(pugi::xml_node root, ECHEANCIER& echeancier, const DeviseList& devises)
{
    pugi::xml_node record = xmlAppendElement(root, "record");
    if (!record)
        return false;
    xmlAppendLong(record, "ident", echeancier.ident);
    xmlAppendString(record, "nom", echeancier.nom);
    bool ok = echeancier.planificator.appendXMLToTree(record, kPlanificatorElementName);
    ok = XML_append_transact(record, "transact", echeancier.transact, devises) && ok;
    return appendPersoList(record, echeancier, devises) && ok;
}

void readPersoList(pugi::xml_node record, ECHEANCIER& echeancier, LoadIssues* issues)
{
    echeancier.perso.clear();
    const pugi::xml_node list = xmlFirstElementNamed(record, "persolist");
    if (!list) {
        noteLoadIssue(issues,
                      localizedDialogue(QStringLiteral("kLoadIssue_listMissing")).arg(QStringLiteral("persolist")));
        return;
    }
    for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::optional<TRANSACT> transact = XML_load_transact(child, "transact", issues);
        // An occurrence without its transaction would be one at the model's date and amount,
        // which the user never placed.
        if (!transact)
            continue;
        PECHEANCIER perso = allocNewPEcheancier(echeancier);
        perso.transact = transact->copyOfTransact();
        perso.done = xmlGetBool(child, "done", false);
        // Its date read as today would make it due now, when it may lie years ahead or have been
        // written by hand already.
        if (!perso.done && !xmlReadDate(xmlFirstElementNamed(child, "transact"), "when", 0)) {
            perso.done = true;
            noteLoadIssue(issues, localizedDialogue(QStringLiteral("kLoadIssue_persoDone")));
        }
        echeancierInsertPersoSorted(echeancier, perso);
    }
}

ECHEANCIER readRecord(pugi::xml_node record, LoadIssues* issues)
{
    ECHEANCIER echeancier(nullptr);
    echeancier.ident = xmlGetLong(record, "ident", -1);
    echeancier.nom = xmlGetMutableString(record, "nom");
    const std::optional<TRANSACT> model = XML_load_transact(record, "transact", issues);
    if (model)
        echeancier.transact.setFromTransact(*model);
    const pugi::xml_node rule = xmlFirstElementNamed(record, kPlanificatorElementName);
    if (std::optional<Planificator> read
        = Planificator::allocFromXMLTree(rule, Planificator::kTypeEcheancier, issues, echeancier.transact.when))
        echeancier.planificator = *read;
    else
        echeancier.planificator = Planificator::tryPlanificatorMigration(record, echeancier.transact,
                                                                         Planificator::kTypeEcheancier, issues);
    readPersoList(record, echeancier, issues);
    return echeancier;
}

} // namespace

XmlDocPtr makeDocChronoXML(EcheancierList& list, const DeviseList& devises, bool* error)
{
    return makeOwnListXML(
        list, [&](pugi::xml_node root, ECHEANCIER& echeancier) { return appendRecord(root, echeancier, devises); },
        error);
}

bool saveEcheanciers(const QString& packageURL, EcheancierList& list, const DeviseList& devises)
{
    bool error = false;
    const XmlDocPtr document = makeDocChronoXML(list, devises, &error);
    const bool written = document && saveXMLInPackage(packageURL, document.get(), QString::fromLatin1(kChronoFileName));
    return written && !error;
}

EcheancierList loadEcheanciers(const QString& packageURL, LoadIssues* issues)
{
    EcheancierList list;
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, QString::fromLatin1(kChronoFileName), &document, issues);
    forEachElementRecord(root, issues, [&](pugi::xml_node record) {
        // Simulated occurrences are the forecasts' business.
        if (!xmlGetBool(record, "simul", false))
            list.append(readRecord(record, issues));
    });
    return list;
}
