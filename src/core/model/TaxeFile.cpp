#include "TaxeFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"

namespace {

const QString kTaxeFileName = QStringLiteral("taxe.xml");

// Text that holds nothing but white space is layout, not a record.
bool isLayout(pugi::xml_node node)
{
    if (node.type() != pugi::node_pcdata)
        return false;
    return QString::fromUtf8(node.value()).trimmed().isEmpty();
}

TAXE readTaxeRecord(pugi::xml_node record)
{
    TAXE t;
    t.nom = xmlGetMutableString(record, "nom");
    t.ident = static_cast<long>(xmlGetLong(record, "ident", -1));
    t.rate = xmlGetDouble(record, "rate", 0.0);
    return t;
}

// A negative ident means "no tax" to every transaction: a tax that kept one would tax all the
// untaxed transactions. Fresh idents are drawn once the whole file is read, so none can collide
// with an ident that comes later in the file.
void giveIdentsToTaxesWithout(TaxeList& list)
{
    for (TAXE& t : list) {
        if (t.ident < 0)
            t.ident = TAXE::newTaxeID(list);
    }
}

} // namespace

TaxeList defaultTaxes()
{
    TaxeList list;
    TAXE::loadTaxeAux(localizedAppl(QStringLiteral("TVA_1960")), 1, 19.6, list);
    TAXE::loadTaxeAux(localizedAppl(QStringLiteral("TVA_0700")), 2, 7.0, list);
    TAXE::loadTaxeAux(localizedAppl(QStringLiteral("TVA_0550")), 3, 5.5, list);
    TAXE::loadTaxeAux(localizedAppl(QStringLiteral("TVA_revenu")), 4, 0.0, list);
    return list;
}

TaxeList loadTaxe(const QString& packageURL, LoadIssues* issues)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, kTaxeFileName, &document, issues);
    TaxeList list;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            list.append(readTaxeRecord(child));
        } else if (!isLayout(child)) {
            svLog(QStringLiteral("loadTaxe taxe invalide !"));
            noteStrayNode(issues, child, list.size());
        }
    }
    if (list.isEmpty())
        return defaultTaxes();
    // Names first: the default names go by the idents the file gave, not by fresh ones.
    TAXE::repairTaxeIfNeeded(list);
    giveIdentsToTaxesWithout(list);
    return list;
}

XmlDocPtr makeDocTaxeXML(const TaxeList& list, bool* error)
{
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    if (!document || !root) {
        if (error)
            *error = true;
        return nullptr;
    }
    for (const TAXE& t : list) {
        pugi::xml_node record = xmlAppendElement(root, "record");
        if (!record) {
            if (error)
                *error = true;
            continue;
        }
        xmlAppendLong(record, "ident", t.ident);
        xmlAppendString(record, "nom", t.nom);
        xmlAppendDouble(record, "rate", 6, t.rate);
    }
    return document;
}

bool saveTaxe(const QString& packageURL, const TaxeList& list)
{
    bool error = false;
    const XmlDocPtr document = makeDocTaxeXML(list, &error);
    return document && saveXMLInPackage(packageURL, document.get(), kTaxeFileName);
}
