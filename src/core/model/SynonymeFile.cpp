#include "SynonymeFile.h"

#include "foundation/localized.h"
#include "model/idents.h"
#include "model/listmember.h"

namespace {

const QString kSynonymeFileName = QStringLiteral("synonyme.xml");

// Payment-means families the default synonyms stand for.
constexpr int kVirementDebitFamily = 7;
constexpr int kCarteDebitFamily = 11;

Synonyme readSynonymeRecord(pugi::xml_node record)
{
    Synonyme synonyme(static_cast<long>(xmlGetLong(record, "ident", -1)));
    synonyme.nom = xmlGetMutableString(record, "nom");
    synonyme.family = xmlGetInt(record, "family", 0);
    synonyme.logoID = static_cast<long>(xmlGetLong(record, "logoID", -1));
    return synonyme;
}

void appendSynonymeFields(pugi::xml_node record, const Synonyme& synonyme)
{
    xmlAppendLong(record, "ident", synonyme.ident);
    xmlAppendInt(record, "family", synonyme.family);
    xmlAppendString(record, "nom", synonyme.nom);
    xmlAppendLong(record, "logoID", synonyme.logoID);
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
    SynonymeList list = loadRecordList(packageURL, kSynonymeFileName, QStringLiteral("loadSynonyme error !"), issues,
                                       readSynonymeRecord);
    if (list.isEmpty())
        return defaultSynonymes();
    // -1 means "no synonym" to every transaction.
    giveIdentsToEntriesWithout(list, &Synonyme::newSynonymeIdent);
    return list;
}

XmlDocPtr makeDocSynonymeXML(const SynonymeList& list, bool* error)
{
    return makeRecordListXML(list, appendSynonymeFields, error);
}

bool saveSynonyme(const QString& packageURL, const SynonymeList& list)
{
    return saveListMember(packageURL, kSynonymeFileName, makeDocSynonymeXML(list, nullptr));
}
