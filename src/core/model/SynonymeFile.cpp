#include "SynonymeFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"

namespace {

const QString kSynonymeFileName = QStringLiteral("synonyme.xml");

// Payment-means families the default synonyms stand for.
constexpr int kVirementDebitFamily = 7;
constexpr int kCarteDebitFamily = 11;

// Text that holds nothing but white space is layout, not a record.
bool isLayout(pugi::xml_node node)
{
    if (node.type() != pugi::node_pcdata)
        return false;
    return QString::fromUtf8(node.value()).trimmed().isEmpty();
}

Synonyme readSynonymeRecord(pugi::xml_node record)
{
    Synonyme synonyme(static_cast<long>(xmlGetLong(record, "ident", -1)));
    synonyme.nom = xmlGetMutableString(record, "nom");
    synonyme.family = xmlGetInt(record, "family", 0);
    synonyme.logoID = static_cast<long>(xmlGetLong(record, "logoID", -1));
    return synonyme;
}

// -1 means "no synonym" to every transaction. Fresh idents are drawn once the whole file is
// read, so none can take an ident that comes later in the file.
void giveIdentsToSynonymesWithout(SynonymeList& list)
{
    for (Synonyme& synonyme : list) {
        if (synonyme.ident < 0)
            synonyme.ident = Synonyme::newSynonymeIdent(list);
    }
}

} // namespace

SynonymeList defaultSynonymes()
{
    SynonymeList list;
    Synonyme::loadSynonymeAux(localizedAppl(QStringLiteral("synonyme_virement_debit")), kVirementDebitFamily, list);
    Synonyme::loadSynonymeAux(localizedAppl(QStringLiteral("synonyme_apple_pay")), kCarteDebitFamily, list);
    Synonyme::loadSynonymeAux(localizedAppl(QStringLiteral("synonyme_paypal")), kVirementDebitFamily, list);
    return list;
}

SynonymeList loadSynonyme(const QString& packageURL, LoadIssues* issues)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, kSynonymeFileName, &document, issues);
    SynonymeList list;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            list.append(readSynonymeRecord(child));
        } else if (!isLayout(child)) {
            svLog(QStringLiteral("loadSynonyme error !"));
            noteStrayNode(issues, child, list.size());
        }
    }
    if (list.isEmpty())
        return defaultSynonymes();
    giveIdentsToSynonymesWithout(list);
    return list;
}

XmlDocPtr makeDocSynonymeXML(const SynonymeList& list, bool* error)
{
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    if (!document || !root) {
        xmlSetError(error);
        return nullptr;
    }
    for (const Synonyme& synonyme : list) {
        pugi::xml_node record = xmlAppendElement(root, "record");
        if (!record) {
            xmlSetError(error);
            continue;
        }
        xmlAppendLong(record, "ident", synonyme.ident);
        xmlAppendInt(record, "family", synonyme.family);
        xmlAppendString(record, "nom", synonyme.nom);
        xmlAppendLong(record, "logoID", synonyme.logoID);
    }
    return document;
}

bool saveSynonyme(const QString& packageURL, const SynonymeList& list)
{
    bool error = false;
    const XmlDocPtr document = makeDocSynonymeXML(list, &error);
    return document && saveXMLInPackage(packageURL, document.get(), kSynonymeFileName);
}
