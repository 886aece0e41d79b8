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

} // namespace testenv
