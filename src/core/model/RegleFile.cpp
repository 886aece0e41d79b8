#include "RegleFile.h"

#include "foundation/diagnostics.h"
#include "model/listmember.h"

#include <QDir>
#include <QFileInfo>

namespace {

REGLE readRegleRecord(pugi::xml_node record)
{
    REGLE regle;
    regle.importID = static_cast<long>(xmlGetLong(record, "importID", -1));
    regle.who1 = static_cast<long>(xmlGetLong(record, "who1", -1));
    regle.who2 = static_cast<long>(xmlGetLong(record, "who2", -1));
    regle.posteID = static_cast<long>(xmlGetLong(record, "posteID", -1));
    regle.moyen = static_cast<int>(xmlGetLong(record, "moyen", -1));
    regle.nb_operation = static_cast<long>(xmlGetLong(record, "nb_operation", 0));
    const pugi::xml_node mots = xmlFirstChild(record, "mots");
    for (pugi::xml_node mot = mots.first_child(); mot; mot = mot.next_sibling()) {
        if (mot.type() != pugi::node_element)
            continue;
        const QString word = xmlGetMutableString(mot, "mot");
        if (!word.isEmpty())
            regle.mots.append(word);
    }
    return regle;
}

bool appendRegleRecord(pugi::xml_node root, const REGLE& regle)
{
    pugi::xml_node record = xmlAppendElement(root, "record");
    if (!record)
        return false;
    xmlAppendLong(record, "importID", regle.importID);
    xmlAppendLong(record, "who1", regle.who1);
    xmlAppendLong(record, "who2", regle.who2);
    xmlAppendLong(record, "posteID", regle.posteID);
    xmlAppendLong(record, "moyen", regle.moyen);
    xmlAppendLong(record, "nb_operation", regle.nb_operation);
    pugi::xml_node mots = xmlAppendElement(record, "mots");
    if (!mots)
        return false;
    bool ok = true;
    for (const QString& word : regle.mots) {
        pugi::xml_node mot = xmlAppendElement(mots, "mot");
        ok = mot && xmlAppendString(mot, "mot", word) && ok;
    }
    return ok;
}

} // namespace

RegleList loadRegles(const QString& packageURL, LoadIssues* issues)
{
    RegleList list;
    QString resources;
    if (!packageResourcesURL(packageURL, &resources)
        || !QFileInfo::exists(QDir(resources).filePath(QLatin1String(kRegleFileName))))
        return list;
    XmlDocPtr document;
    // An unreadable file is noted: that keeps the next save from silently replacing the user's
    // rules by none.
    const pugi::xml_node root = loadXMLFromPackage(packageURL, QLatin1String(kRegleFileName), &document, issues);
    if (!root) {
        svLog(QStringLiteral("loadRegles : fichier illisible"));
        return list;
    }
    forEachListRecord(root, QStringLiteral("loadRegles error !"), issues,
                      [&](pugi::xml_node record) { list.append(readRegleRecord(record)); });
    return list;
}

XmlDocPtr makeDocReglesXML(const RegleList& list, bool* error)
{
    return makeListXMLDocument(
        list, [](pugi::xml_node root, const REGLE& regle) { return appendRegleRecord(root, regle); }, error);
}

bool saveRegles(const QString& packageURL, const RegleList& list)
{
    return saveListMember(packageURL, QLatin1String(kRegleFileName), makeDocReglesXML(list, nullptr));
}
