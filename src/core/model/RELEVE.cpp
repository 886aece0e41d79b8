#include "RELEVE.h"

#include "foundation/LoadIssues.h"
#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "model/TOOL.h"

namespace {
constexpr int kDateDecimals = 6;
}

void RELEVE::initForCompte(const TOOL* compte)
{
    initDefault();
    date = compte ? compte->getNewReleveDate() : SystemClock::now();
}

bool RELEVE::appendReleveXML(pugi::xml_node parent, const DeviseList& devises) const
{
    pugi::xml_node element = xmlAppendElement(parent, "releve");
    if (!element)
        return false;
    xmlAppendString(element, "nom_v3", nom_v3);
    xmlAppendLong(element, "ident", ident);
    xmlAppendDouble(element, "date", kDateDecimals, date);
    const bool soldeOk = solde.XML_append_montant(element, "solde", devises);
    const bool rsoldeOk = Rsolde.XML_append_montant(element, "Rsolde", devises);
    return soldeOk && rsoldeOk;
}

RELEVE RELEVE::loadReleveXML(pugi::xml_node element, LoadIssues* issues)
{
    RELEVE releve;
    releve.nom_v3 = xmlGetMutableString(element, "nom_v3");
    releve.ident = static_cast<long>(xmlGetInt32(element, "ident", -1));
    // One that can't be read is the account's to settle: it knows the statements around it.
    const double now = SystemClock::now();
    releve.date = xmlReadDate(element, "date", now).value_or(now);
    for (const auto& [key, amount] : {std::pair("solde", &releve.solde), std::pair("Rsolde", &releve.Rsolde)}) {
        if (!loadMontantFromXML(element, key, *amount))
            noteLoadIssue(issues,
                          localizedDialogue(QStringLiteral("kLoadIssue_releveMontant"))
                              .arg(QString::number(releve.ident), QLatin1String(key)));
    }
    return releve;
}
