#include "LogoFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"

namespace {

const QString kLogoFileName = QStringLiteral("logo.xml");

// Text that holds nothing but white space is layout, not a record.
bool isLayout(pugi::xml_node node)
{
    if (node.type() != pugi::node_pcdata)
        return false;
    return QString::fromUtf8(node.value()).trimmed().isEmpty();
}

Logo readLogoRecord(pugi::xml_node record)
{
    Logo logo(static_cast<long>(xmlGetLong(record, "ident", -1)));
    logo.visibleName = xmlGetMutableString(record, "visibleName");
    logo.internalName = xmlGetMutableString(record, "internalName");
    return logo;
}

// -1 means "no logo" to every entity: a logo keeping it would be shown by all of them. Fresh
// idents are drawn once the whole file is read, so none can take an ident that comes later.
void giveIdentsToLogosWithout(LogoList& list)
{
    for (Logo& logo : list) {
        if (logo.ident < 0)
            logo.ident = Logo::newLogoIdent(list);
    }
}

} // namespace

LogoList loadLogo(const QString& packageURL, LoadIssues* issues)
{
    XmlDocPtr document;
    // A file that holds something but can't be read is noted by the loading.
    const pugi::xml_node root = loadXMLFromPackage(packageURL, kLogoFileName, &document, issues);
    LogoList list;
    if (!root)
        return list;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            list.append(readLogoRecord(child));
        } else if (!isLayout(child)) {
            svLog(QStringLiteral("loadLogo error !"));
            noteStrayNode(issues, child, list.size());
        }
    }
    giveIdentsToLogosWithout(list);
    return list;
}

XmlDocPtr makeDocLogoXML(const LogoList& list, bool* error)
{
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    if (!document || !root) {
        xmlSetError(error);
        return nullptr;
    }
    for (const Logo& logo : list) {
        pugi::xml_node record = xmlAppendElement(root, "record");
        if (!record) {
            xmlSetError(error);
            continue;
        }
        xmlAppendLong(record, "ident", logo.ident);
        xmlAppendString(record, "visibleName", logo.visibleName);
        xmlAppendString(record, "internalName", logo.internalName);
    }
    return document;
}

bool saveLogo(const QString& packageURL, const LogoList& list)
{
    bool error = false;
    const XmlDocPtr document = makeDocLogoXML(list, &error);
    return document && saveXMLInPackage(packageURL, document.get(), kLogoFileName);
}
