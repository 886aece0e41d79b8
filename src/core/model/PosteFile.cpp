#include "PosteFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/idents.h"
#include "model/listmember.h"

namespace {

const QString kDossierFileName = QStringLiteral("dossier.xml");
const QString kPosteFileName = QStringLiteral("poste.xml");

struct DefaultPoste {
    const char* key;
    long ident;
    long dossierID;
};

// The categories of a new document, in the order they are made.
constexpr DefaultPoste kDefaultPostes[] = {
    {"kDefaultPoste_ALIQUO", 2, 4},   {"kDefaultPoste_RESTAU", 3, 4},   {"kDefaultPoste_CADEAU", 4, 2},
    {"kDefaultPoste_PRETS", 5, 2},    {"kDefaultPoste_ALIANI", 6, 3},   {"kDefaultPoste_SOIANI", 7, 3},
    {"kDefaultPoste_ACLASS", 1, 1},   {"kDefaultPoste_BEAUTE", 8, 1},   {"kDefaultPoste_LOISIR", 9, 1},
    {"kDefaultPoste_VETEME", 10, 1},  {"kDefaultPoste_RETRAI", 11, 1},  {"kDefaultPoste_SPORT", 12, 1},
    {"kDefaultPoste_MUSIQU", 13, 1},  {"kDefaultPoste_IMPFOR", 14, 5},  {"kDefaultPoste_IMPREV", 15, 5},
    {"kDefaultPoste_TAXHAB", 16, 5},  {"kDefaultPoste_TAXFON", 17, 5},  {"kDefaultPoste_LOGICI", 18, 6},
    {"kDefaultPoste_ORDINA", 19, 6},  {"kDefaultPoste_INTERN", 20, 6},  {"kDefaultPoste_ASSMAI", 21, 7},
    {"kDefaultPoste_DECORA", 22, 7},  {"kDefaultPoste_LOYER", 23, 7},   {"kDefaultPoste_TELEPH", 24, 7},
    {"kDefaultPoste_EMPMAI", 25, 7},  {"kDefaultPoste_PHARMA", 26, 9},  {"kDefaultPoste_MEDECI", 27, 9},
    {"kDefaultPoste_REMSAN", 28, 9},  {"kDefaultPoste_LOGEME", 29, 10}, {"kDefaultPoste_TRANSP", 30, 10},
    {"kDefaultPoste_ESSENC", 31, 11}, {"kDefaultPoste_REPARA", 32, 11}, {"kDefaultPoste_ASSVOI", 33, 11},
    {"kDefaultPoste_EMPVOI", 34, 11}, {"kDefaultPoste_AMENDE", 35, 11}, {"kDefaultPoste_SALAIR", 36, 8},
    {"kDefaultPoste_PRIMES", 37, 8},  {"kDefaultPoste_VENTES", 38, 8},
};

// Folder idents are their position in this list, from 1.
constexpr const char* kDefaultDossierKeys[] = {
    "kDefaultDossier_dossieraclasser", "kDefaultDossier_amis",    "kDefaultDossier_animaux",
    "kDefaultDossier_alimentation",    "kDefaultDossier_impots",  "kDefaultDossier_informatique",
    "kDefaultDossier_maison",          "kDefaultDossier_revenus", "kDefaultDossier_sante",
    "kDefaultDossier_vacances",        "kDefaultDossier_voiture",
};

// The fields folders and categories share; the others keep the values of a new entry.
void readCategoryFields(pugi::xml_node record, POSTE& entry)
{
    entry.ident = static_cast<long>(xmlGetLong(record, "ident", -1));
    entry.permanent = xmlGetBool(record, "permanent", false);
    entry.logoID = static_cast<long>(xmlGetLong(record, "logoID", -1));
    entry.nom = xmlGetMutableString(record, "nom");
}

DOSSIER readDossierRecord(pugi::xml_node record, const DossierList& list)
{
    DOSSIER d = DOSSIER::allocNewDossier(list, 0);
    readCategoryFields(record, d);
    // Folders are not nested, whatever the file says.
    d.dossierID = -1;
    return d;
}

POSTE readPosteRecord(pugi::xml_node record, const PosteList& list)
{
    POSTE p = POSTE::allocNewPoste(list, 0);
    readCategoryFields(record, p);
    p.dossierID = static_cast<long>(xmlGetLong(record, "dossierID", -1));
    return p;
}

// The folder that takes in categories whose own folder is gone; -1 when there is no folder.
long fallbackDossierID(const DossierList& dossiers, long defaultDossierID)
{
    for (const long candidate : {defaultDossierID, 1L}) {
        if (DOSSIER::findDossier(candidate, nullptr, dossiers))
            return candidate;
    }
    return dossiers.isEmpty() ? -1 : dossiers.first().ident;
}

// Dropping a category whose folder is missing would lose it at the next save while transactions
// still name it: it moves to the fallback folder instead. Answers whether one had to move; each
// one is logged when it came from the file.
bool attachToKnownDossiers(PosteList& list, const DossierList& dossiers, long defaultDossierID, bool logEach)
{
    const long fallback = fallbackDossierID(dossiers, defaultDossierID);
    bool moved = false;
    for (POSTE& p : list) {
        if (DOSSIER::findDossier(p.dossierID, nullptr, dossiers))
            continue;
        if (logEach)
            svLog(QStringLiteral("loadPoste dossier inconnu %1 pour le poste %2").arg(p.dossierID).arg(p.ident));
        moved = true;
        if (fallback >= 0)
            p.dossierID = fallback;
    }
    return moved;
}

// The fields both files begin with.
void appendIdentAndName(pugi::xml_node record, const POSTE& entry)
{
    xmlAppendLong(record, "ident", entry.ident);
    xmlAppendString(record, "nom", entry.nom);
}

// Each file keeps the order of elements it always had.
void appendDossierFields(pugi::xml_node record, const DOSSIER& d)
{
    appendIdentAndName(record, d);
    xmlAppendBool(record, "permanent", d.permanent);
    xmlAppendLong(record, "logoID", d.logoID);
    xmlAppendLong(record, "dossierID", -1);
}

void appendPosteFields(pugi::xml_node record, const POSTE& p)
{
    appendIdentAndName(record, p);
    xmlAppendLong(record, "dossierID", p.dossierID);
    xmlAppendLong(record, "logoID", p.logoID);
    xmlAppendBool(record, "permanent", p.permanent);
}

} // namespace

DossierList defaultDossiers()
{
    DossierList list;
    long ident = 1;
    for (const char* key : kDefaultDossierKeys)
        DOSSIER::loadDossierAux(list, QString::fromLatin1(key), ident++);
    return list;
}

PosteList defaultPostes()
{
    PosteList list;
    for (const DefaultPoste& d : kDefaultPostes)
        POSTE::loadPosteAux(list, QString::fromLatin1(d.key), d.ident, d.dossierID);
    return list;
}

DossierList loadDossier(const QString& packageURL, LoadIssues* issues)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, kDossierFileName, &document, issues);
    DossierList list;
    forEachListRecord(
        root, QStringLiteral("loadDossier dossier invalide !"), issues,
        [&](pugi::xml_node record) { DOSSIER::insertDossier(readDossierRecord(record, list), list); }, "record");
    if (list.isEmpty())
        return defaultDossiers();
    giveIdentsToEntriesWithout(list, &DOSSIER::newDossierID);
    return list;
}

PosteList loadPoste(const QString& packageURL, const DossierList& dossiers, LoadIssues* issues, long defaultDossierID)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, kPosteFileName, &document, issues);
    PosteList list;
    forEachListRecord(
        root, QStringLiteral("loadPoste poste invalide !"), issues,
        [&](pugi::xml_node record) {
            POSTE poste = readPosteRecord(record, list);
            if (!DOSSIER::findDossier(poste.dossierID, nullptr, dossiers))
                noteLoadIssue(issues,
                              localizedDialogue(QStringLiteral("kLoadIssue_posteDossier"))
                                  .arg(poste.nom, QString::number(poste.dossierID)));
            POSTE::insertPoste(poste, list);
        },
        "record");
    if (list.isEmpty()) {
        // An empty file is no damage: the defaults are settled silently in the folders there are.
        list = defaultPostes();
        if (!dossiers.isEmpty())
            attachToKnownDossiers(list, dossiers, defaultDossierID, false);
        return list;
    }
    giveIdentsToEntriesWithout(list, &POSTE::newPosteID<POSTE>);
    attachToKnownDossiers(list, dossiers, defaultDossierID, true);
    return list;
}

XmlDocPtr makeDocDossierXML(const DossierList& list, bool* error)
{
    return makeRecordListXML(list, appendDossierFields, error);
}

XmlDocPtr makeDocPosteXML(const PosteList& list, bool* error)
{
    return makeRecordListXML(list, appendPosteFields, error);
}

bool saveDossier(const QString& packageURL, const DossierList& list)
{
    return saveListMember(packageURL, kDossierFileName, makeDocDossierXML(list, nullptr));
}

bool savePoste(const QString& packageURL, const PosteList& list)
{
    return saveListMember(packageURL, kPosteFileName, makeDocPosteXML(list, nullptr));
}
