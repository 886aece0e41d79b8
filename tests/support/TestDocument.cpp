#include "TestDocument.h"

#include "TestFiles.h"
#include "model/DOCUMENT.h"

namespace testenv {

void addBanks(DOCUMENT& doc, std::initializer_list<long> userAccounts, std::initializer_list<long> payees)
{
    constexpr long kUserBank = 10;
    constexpr long kPayeeBank = 11;
    doc.banqueHdl = {tool(kToolBanque, kUserBank, kBanqueUser), tool(kToolBanque, kPayeeBank, kBanqueTiers)};
    doc.compteHdl.clear();
    for (long ident : userAccounts)
        doc.compteHdl.append(tool(kToolCompte, ident, kBanqueUser, kUserBank));
    for (long ident : payees)
        doc.compteHdl.append(tool(kToolCompte, ident, kBanqueTiers, kPayeeBank));
}

void useEuroDollarDinar(DOCUMENT& doc, bool dollarInUse)
{
    doc.deviseHdl = Devise::defaultDevises();
    doc.deviseHdl[1].used = dollarInUse;
    doc.deviseHdl[1].convert = 0.92;
    doc.deviseHdl[2].used = true;
    doc.deviseHdl[2].convert = 0.29;
    doc.deviseHdl[2].decimale = 3;
}

} // namespace testenv
