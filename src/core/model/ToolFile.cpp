#include "ToolFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/listmember.h"

#include <QHash>

#include <algorithm>

namespace {

constexpr int kDateDecimals = 6;

void appendScalars(pugi::xml_node record, const TOOL& tool)
{
    xmlAppendLong(record, "ident", tool.ident);
    xmlAppendLong(record, "kind", tool.kind);
    xmlAppendLong(record, "bType", tool.bType);
    xmlAppendLong(record, "ownerID", tool.ownerID);
    xmlAppendString(record, "nom", tool.nom);
    xmlAppendString(record, "infos", tool.infos);
    xmlAppendBool(record, "inited", tool.inited);
    xmlAppendLong(record, "dateReleve0", tool.dateReleve0);
    xmlAppendLong(record, "dateReleve1", tool.dateReleve1);
    xmlAppendLong(record, "dateReleve2", tool.dateReleve2);
    xmlAppendLong(record, "dateReleve3", tool.dateReleve3);
    xmlAppendLong(record, "posteID", tool.posteID);
    xmlAppendLong(record, "taxeID", tool.taxeID);
    xmlAppendLong(record, "devise", tool.devise);
    xmlAppendDouble(record, "locked_releve_to_date", kDateDecimals, tool.locked_releve_to_date);
    xmlAppendLong(record, "logoIdent", tool.logoIdent);
}

// False when an element or an amount can't be written.
bool appendRecord(pugi::xml_node root, const TOOL& tool, const DeviseList& devises, bool doReleves)
{
    pugi::xml_node record = xmlAppendElement(root, "record");
    if (!record)
        return false;
    appendScalars(record, tool);
    bool ok = tool.solde.XML_append_montant(record, "solde", devises);
    ok = tool.soldeSR.XML_append_montant(record, "soldeSR", devises) && ok;
    ok = tool.RsoldeSR.XML_append_montant(record, "RsoldeSR", devises) && ok;
    pugi::xml_node releves = xmlAppendElement(record, "relevelist");
    if (!releves)
        return false;
    if (doReleves) {
        for (const RELEVE& releve : tool.releves)
            ok = releve.appendReleveXML(releves, devises) && ok;
    }
    return ok;
}

void readScalars(pugi::xml_node record, TOOL& tool)
{
    tool.ident = static_cast<long>(xmlGetInt32(record, "ident", -1));
    tool.kind = static_cast<int>(xmlGetInt32(record, "kind", -1));
    tool.bType = static_cast<int>(xmlGetInt32(record, "bType", -1));
    tool.ownerID = static_cast<long>(xmlGetInt32(record, "ownerID", -1));
    tool.nom = xmlGetMutableString(record, "nom");
    loadToolInfo(record, tool);
    tool.inited = xmlGetBool(record, "inited", false);
    tool.dateReleve0 = static_cast<long>(xmlGetInt32(record, "dateReleve0", 0));
    tool.dateReleve1 = static_cast<long>(xmlGetInt32(record, "dateReleve1", 0));
    tool.dateReleve2 = static_cast<long>(xmlGetInt32(record, "dateReleve2", 0));
    tool.dateReleve3 = static_cast<long>(xmlGetInt32(record, "dateReleve3", 0));
    tool.posteID = static_cast<long>(xmlGetInt32(record, "posteID", -1));
    tool.taxeID = static_cast<long>(xmlGetInt32(record, "taxeID", -1));
    tool.devise = static_cast<long>(xmlGetInt32(record, "devise", 0));
    tool.locked_releve_to_date = xmlReadDate(record, "locked_releve_to_date", 0).value_or(0);
    tool.logoIdent = static_cast<long>(xmlGetInt32(record, "logoIdent", -1));
}

QString dateWords(const char* key, double date)
{
    return localizedDialogue(QLatin1String(key)).arg(dateToStringWithStyles(1, 0, date));
}

// The statements are listed newest first. One whose date can't be read takes the date of the
// older one after it, so that it keeps its place and is locked when that one is; the oldest takes
// the account's lock date, which keeps it locked, or else the date of the newer one before it;
// a lone statement of an account without a lock, today. Settled oldest first.
void settleReleveDates(TOOL& tool, const QList<std::pair<qsizetype, pugi::xml_node>>& unread, LoadIssues* issues)
{
    const auto isUnread = [&](qsizetype index) {
        return std::any_of(unread.begin(), unread.end(), [index](const auto& each) { return each.first == index; });
    };
    for (auto it = unread.rbegin(); it != unread.rend(); ++it) {
        const auto& [index, element] = *it;
        RELEVE& releve = tool.releves[index];
        const RELEVE* older = tool.releveAtIndex(index + 1);
        const RELEVE* newer = index > 0 && !isUnread(index - 1) ? tool.releveAtIndex(index - 1) : nullptr;
        QString words;
        if (older && older->date != 0) {
            releve.date = older->date;
            words = dateWords("kLoadIssue_dateAsOlderReleve", releve.date);
        } else if (tool.locked_releve_to_date > 0) {
            releve.date = tool.locked_releve_to_date;
            words = dateWords("kLoadIssue_dateAsLock", releve.date);
        } else if (newer && newer->date != 0) {
            releve.date = newer->date;
            words = dateWords("kLoadIssue_dateAsNewerReleve", releve.date);
        } else {
            words = unreadDateWords(UnreadDate::Today);
        }
        noteLoadIssue(issues,
                      localizedDialogue(QStringLiteral("kLoadIssue_releve"))
                          .arg(QString::number(releve.ident), unreadableDateText(element, "date", words)));
    }
}

// A lock date that can't be read locks every statement: unlocking one is the user's choice.
void settleLockDate(pugi::xml_node record, TOOL& tool, LoadIssues* issues)
{
    if (xmlReadDate(record, "locked_releve_to_date", 0))
        return;
    const RELEVE* newest = tool.releveAtIndex(0);
    tool.locked_releve_to_date = newest ? newest->date : 0;
    noteUnreadableDate(issues, record, "locked_releve_to_date",
                       newest ? dateWords("kLoadIssue_dateLockAll", newest->date) : unreadDateWords(UnreadDate::None));
}

void readReleves(pugi::xml_node record, TOOL& tool, LoadIssues* issues)
{
    const pugi::xml_node list = xmlFirstElementNamed(record, "relevelist");
    if (!list) {
        noteLoadIssue(issues,
                      localizedDialogue(QStringLiteral("kLoadIssue_listMissing")).arg(QStringLiteral("relevelist")));
        settleLockDate(record, tool, issues);
        return;
    }
    QList<std::pair<qsizetype, pugi::xml_node>> unread;
    for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        if (!xmlReadDate(child, "date", 0))
            unread.append({tool.releves.size(), child});
        tool.releves.append(RELEVE::loadReleveXML(child, issues));
    }
    settleReleveDates(tool, unread, issues);
    settleLockDate(record, tool, issues);
}

// A statement read without an ident would pass for the part of the account outside any statement
// (-1) and count its unticked transactions twice. Drawn once the whole list is read, so a fresh
// ident never takes one that comes later.
void giveIdentsToRelevesWithout(TOOL& tool)
{
    for (RELEVE& releve : tool.releves) {
        if (releve.ident < 0)
            releve.ident = tool.newReleveID();
    }
}

TOOL readRecord(pugi::xml_node record, const DOCUMENT* doc, LoadIssues* issues)
{
    TOOL tool = TOOL::newToolHdl(kToolBanque, 0, QString(), kBanqueLiquide, MONTANT::currentDeviseSlot(), doc);
    readScalars(record, tool);
    for (const auto& [key, amount] : {std::pair("solde", &tool.solde), std::pair("soldeSR", &tool.soldeSR),
                                      std::pair("RsoldeSR", &tool.RsoldeSR)}) {
        if (!loadMontantFromXML(record, key, *amount))
            noteLoadIssue(issues,
                          localizedDialogue(QStringLiteral("kLoadIssue_montantMissing")).arg(QLatin1String(key)));
    }
    tool.assumePosteIDIsValid(doc);
    readReleves(record, tool, issues);
    giveIdentsToRelevesWithout(tool);
    return tool;
}

// -1 means "no bank" or "no account" to every transaction and lookup. Fresh idents are drawn
// once the whole file is read, so none can take an ident that comes later in the file.
void giveIdentsToToolsWithout(ToolList& list)
{
    for (TOOL& tool : list) {
        if (tool.ident < 0)
            tool.ident = TOOL::newToolID(list);
    }
}

void appendLineIfAny(QString& text, pugi::xml_node record, const char* key)
{
    const QString line = xmlGetMutableString(record, key);
    if (!line.isEmpty())
        text += line + QLatin1Char('\r');
}

} // namespace

XmlDocPtr makeDocToolXML(const ToolList& list, const DeviseList& devises, const QString& keyRoot, bool doReleves,
                         bool* error)
{
    if (error)
        *error = false;
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(keyRoot, &root);
    if (!document || !root) {
        xmlSetError(error);
        return nullptr;
    }
    for (const TOOL& tool : list) {
        if (!appendRecord(root, tool, devises, doReleves))
            xmlSetError(error);
    }
    return document;
}

XmlDocPtr makeDocBanqueXML(const ToolList& list, const DeviseList& devises, bool doReleves, bool* error)
{
    return makeDocToolXML(list, devises, QStringLiteral("list"), doReleves, error);
}

XmlDocPtr makeDocCompteXML(const ToolList& list, const DeviseList& devises, bool doReleves, bool* error)
{
    return makeDocToolXML(list, devises, QStringLiteral("list"), doReleves, error);
}

bool saveTool(const QString& packageURL, const ToolList& list, const DeviseList& devises, const QString& keyRoot,
              const QString& fileName, bool doReleves)
{
    bool error = false;
    const XmlDocPtr document = makeDocToolXML(list, devises, keyRoot, doReleves, &error);
    return document && saveXMLInPackage(packageURL, document.get(), fileName);
}

bool saveBanque(const QString& packageURL, const ToolList& list, const DeviseList& devises)
{
    return saveTool(packageURL, list, devises, QStringLiteral("list"), QString::fromLatin1(kBanqueFileName), true);
}

bool saveCompte(const QString& packageURL, const ToolList& list, const DeviseList& devises)
{
    return saveTool(packageURL, list, devises, QStringLiteral("list"), QString::fromLatin1(kCompteFileName), true);
}

namespace {

// Two records of one ident: every lookup finds the first, so the second's transactions show
// under it. Nothing is renumbered (which of them the transactions meant is not known): the
// user is told where.
void noteSharedIdents(const ToolList& list, LoadIssues* issues)
{
    if (!issues)
        return;
    QHash<long, long> firstRecord;
    for (long record = 1; record <= list.size(); ++record) {
        const long ident = list[record - 1].ident;
        if (ident < 0)
            continue;
        const auto found = firstRecord.constFind(ident);
        if (found == firstRecord.cend()) {
            firstRecord.insert(ident, record);
            continue;
        }
        issues->setRecord(record);
        issues->note(localizedDialogue(QStringLiteral("kLoadIssue_sameIdent"))
                         .arg(QString::number(ident), QString::number(found.value())));
    }
}

} // namespace

ToolList loadTool(const QString& packageURL, const QString& fileName, const DOCUMENT* doc, LoadIssues* issues)
{
    ToolList list;
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, fileName, &document, issues);
    forEachElementRecord(root, issues, [&](pugi::xml_node record) { list.append(readRecord(record, doc, issues)); });
    noteSharedIdents(list, issues);
    giveIdentsToToolsWithout(list);
    return list;
}

ToolList loadBanque(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues)
{
    return loadTool(packageURL, QString::fromLatin1(kBanqueFileName), doc, issues);
}

ToolList loadCompte(const QString& packageURL, DOCUMENT* doc, LoadIssues* issues)
{
    ToolList list = loadTool(packageURL, QString::fromLatin1(kCompteFileName), doc, issues);
    if (doc && doc->docParam && doc->docParam->defaultCompteUser < 0)
        doc->docParam->defaultCompteUser = TOOL::defaultUserCompte(list);
    return list;
}

void loadToolInfo(pugi::xml_node record, TOOL& tool)
{
    tool.infos = xmlGetMutableString(record, "infos");
    if (!tool.infos.isEmpty() || !xmlFirstElementNamed(record, "personne"))
        return;
    for (const char* key : {"personne", "adresse1", "adresse2", "adresse3", "telephone"})
        appendLineIfAny(tool.infos, record, key);
}
