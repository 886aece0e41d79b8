#include "TaxeFile.h"

#include "foundation/localized.h"
#include "model/idents.h"
#include "model/listmember.h"

namespace {

const QString kTaxeFileName = QStringLiteral("taxe.xml");

TAXE readTaxeRecord(pugi::xml_node record)
{
    TAXE t;
    t.nom = xmlGetMutableString(record, "nom");
    t.ident = static_cast<long>(xmlGetLong(record, "ident", -1));
    t.rate = xmlGetDouble(record, "rate", 0.0);
    return t;
}

void appendTaxeFields(pugi::xml_node record, const TAXE& t)
{
    xmlAppendLong(record, "ident", t.ident);
    xmlAppendString(record, "nom", t.nom);
    xmlAppendDouble(record, "rate", TAXE::kRateDecimals, t.rate);
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
    TaxeList list
        = loadRecordList(packageURL, kTaxeFileName, QStringLiteral("loadTaxe taxe invalide !"), issues, readTaxeRecord);
    if (list.isEmpty())
        return defaultTaxes();
    // Names first: the default names go by the idents the file gave, not by fresh ones.
    TAXE::repairTaxeIfNeeded(list);
    // A negative ident means "no tax" to every transaction: a tax that kept one would tax all the
    // untaxed transactions.
    giveIdentsToEntriesWithout(list, &TAXE::newTaxeID);
    return list;
}

XmlDocPtr makeDocTaxeXML(const TaxeList& list, bool* error)
{
    return makeRecordListXML(list, appendTaxeFields, error);
}

bool saveTaxe(const QString& packageURL, const TaxeList& list)
{
    return saveListMember(packageURL, kTaxeFileName, makeDocTaxeXML(list, nullptr));
}
