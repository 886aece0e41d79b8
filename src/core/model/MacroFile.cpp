#include "MacroFile.h"

#include "model/TransactFile.h"
#include "model/listmember.h"

namespace {

// False when the record can't be made or its template can't be fully written.
bool appendRecord(pugi::xml_node root, MACRO& macro, const DeviseList& devises)
{
    pugi::xml_node record = xmlAppendElement(root, "record");
    if (!record)
        return false;
    xmlAppendString(record, "nom", macro.nom);
    xmlAppendInt(record, "ch", macro.ch);
    if (!macro.transact)
        return true;
    return XML_append_transact(record, "transact", *macro.transact, devises);
}

MACRO readRecord(pugi::xml_node record, LoadIssues* issues)
{
    MACRO macro = allocNewMacro();
    macro.nom = xmlGetMutableString(record, "nom");
    macro.ch = static_cast<char16_t>(xmlGetInt(record, "ch", 0));
    macro.transact = XML_load_transact(record, "transact", issues);
    return macro;
}

} // namespace

XmlDocPtr makeDocMacroXML(MacroList& list, const DeviseList& devises, bool* error)
{
    return makeOwnListXML(
        list, [&](pugi::xml_node root, MACRO& macro) { return appendRecord(root, macro, devises); }, error);
}

bool saveMacro(const QString& packageURL, MacroList& list, const DeviseList& devises)
{
    return saveListMember(packageURL, QString::fromLatin1(kMacroFileName), makeDocMacroXML(list, devises, nullptr));
}

MacroList loadMacro(const QString& packageURL, LoadIssues* issues)
{
    MacroList list;
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, QString::fromLatin1(kMacroFileName), &document, issues);
    forEachElementRecord(root, issues, [&](pugi::xml_node record) {
        MACRO macro = readRecord(record, issues);
        list.insert(findMacroInsertIndex(&list, macro), macro);
    });
    return list;
}
