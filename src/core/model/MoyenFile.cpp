#include "MoyenFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/idents.h"
#include "model/listmember.h"

namespace {

const QString kMoyenFileName = QStringLiteral("moyen.xml");

VARIANTE readVariante(pugi::xml_node element, const MOYEN& moyen, LoadIssues* issues)
{
    VARIANTE v = VARIANTE::allocNewVariante(moyen.kind, moyen.variantes);
    v.ident = static_cast<long>(xmlGetInt32(element, "ident", -1));
    v.nom = xmlGetMutableString(element, "nom");
    v.numero = xmlGetMutableString(element, "numero");
    v.lastNumero = static_cast<long>(xmlGetInt32(element, "lastNumero", -1));
    v.nombre = static_cast<long>(xmlGetInt32(element, "nombre", 50));
    v.limite = xmlGetDate(element, "limite", dateNow(), UnreadDate::Today, issues);
    v.alerte = static_cast<long>(xmlGetInt32(element, "alerte", 0));
    v.alerteDone = xmlGetBool(element, "alerteDone", false);
    v.logoID = static_cast<long>(xmlGetInt32(element, "logoID", -1));
    v.moyenType = moyen.kind;
    return v;
}

void readVariantes(pugi::xml_node record, MOYEN& moyen, LoadIssues* issues)
{
    const pugi::xml_node list = xmlFirstChild(record, "variantelist");
    for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            moyen.variantes.append(readVariante(child, moyen, issues));
        } else if (!isListLayout(child)) {
            svLog(QStringLiteral("loadMoyen variante invalide !"));
            noteLoadIssue(issues,
                          localizedDialogue(QStringLiteral("kLoadIssue_strayInList"))
                              .arg(QStringLiteral("variantelist"), xmlStrayText(child)));
        }
    }
    // A transaction with no cheque book or card names -1: a variant left with it would be the one
    // of every such transaction.
    giveIdentsToEntriesWithout(moyen.variantes, &VARIANTE::newVarianteID);
}

MOYEN readMoyen(pugi::xml_node record, LoadIssues* issues)
{
    MOYEN m = MOYEN::allocNewMoyen(0, -1);
    m.compte = static_cast<long>(xmlGetInt32(record, "compte", -1));
    m.kind = static_cast<int>(xmlGetInt(record, "kind", 0));
    m.lastVarianteID = static_cast<long>(xmlGetInt32(record, "lastVarianteID", -1));
    readVariantes(record, m, issues);
    return m;
}

void appendVariante(pugi::xml_node list, const VARIANTE& v, bool* error)
{
    pugi::xml_node element = xmlAppendElement(list, "variante");
    if (!element) {
        xmlSetError(error);
        return;
    }
    xmlAppendLong(element, "ident", v.ident);
    xmlAppendString(element, "nom", v.nom);
    xmlAppendString(element, "numero", v.numero);
    xmlAppendLong(element, "lastNumero", v.lastNumero);
    xmlAppendLong(element, "nombre", v.nombre);
    xmlAppendDouble(element, "limite", 6, v.limite);
    xmlAppendLong(element, "alerte", v.alerte);
    xmlAppendBool(element, "alerteDone", v.alerteDone);
    xmlAppendLong(element, "logoID", v.logoID);
}

// The record's fields and its variants; false when the variants' list can't be made.
bool appendMoyenFields(pugi::xml_node record, const MOYEN& m, bool* error)
{
    xmlAppendLong(record, "compte", m.compte);
    xmlAppendInt(record, "kind", m.kind);
    xmlAppendLong(record, "lastVarianteID", m.lastVarianteID);
    pugi::xml_node list = xmlAppendElement(record, "variantelist");
    if (!list)
        return false;
    for (const VARIANTE& v : m.variantes)
        appendVariante(list, v, error);
    return true;
}

} // namespace

MoyenList loadMoyen(const QString& packageURL, LoadIssues* issues)
{
    return loadRecordList(packageURL, kMoyenFileName, QStringLiteral("loadMoyen moyen invalide !"), issues,
                          [issues](pugi::xml_node record) { return readMoyen(record, issues); });
}

XmlDocPtr makeDocMoyenXML(const MoyenList& list, bool* error)
{
    return makeRecordListXML(
        list, [error](pugi::xml_node record, const MOYEN& m) { return appendMoyenFields(record, m, error); }, error);
}

bool saveMoyen(const QString& packageURL, const MoyenList& list)
{
    return saveListMember(packageURL, kMoyenFileName, makeDocMoyenXML(list, nullptr));
}
