#include "LogoFile.h"

#include "model/idents.h"
#include "model/listmember.h"

namespace {

const QString kLogoFileName = QStringLiteral("logo.xml");

Logo readLogoRecord(pugi::xml_node record)
{
    Logo logo(static_cast<long>(xmlGetLong(record, "ident", -1)));
    logo.visibleName = xmlGetMutableString(record, "visibleName");
    logo.internalName = xmlGetMutableString(record, "internalName");
    return logo;
}

void appendLogoFields(pugi::xml_node record, const Logo& logo)
{
    xmlAppendLong(record, "ident", logo.ident);
    xmlAppendString(record, "visibleName", logo.visibleName);
    xmlAppendString(record, "internalName", logo.internalName);
}

} // namespace

LogoList loadLogo(const QString& packageURL, LoadIssues* issues)
{
    LogoList list
        = loadRecordList(packageURL, kLogoFileName, QStringLiteral("loadLogo error !"), issues, readLogoRecord);
    // -1 means "no logo" to every entity: a logo keeping it would be shown by all of them.
    giveIdentsToEntriesWithout(list, &Logo::newLogoIdent);
    return list;
}

XmlDocPtr makeDocLogoXML(const LogoList& list, bool* error)
{
    return makeRecordListXML(list, appendLogoFields, error);
}

bool saveLogo(const QString& packageURL, const LogoList& list)
{
    return saveListMember(packageURL, kLogoFileName, makeDocLogoXML(list, nullptr));
}
