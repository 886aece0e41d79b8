#include "engines/PlacementHelp.h"

#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "model/FinanceCompute.h"
#include "model/TOOL.h"

namespace {

long remunereCompte(long remunereID, const DOCUMENT* doc)
{
    long index = 0;
    if (!doc || !findFinanceWithIdent(remunereID, &index, &doc->remunereHdl))
        return -1;
    return FINANCE::financeAtIndex(&doc->remunereHdl, index)->compteID;
}

int remunereCategorie(long compteID, long who1, long who2, bool debitTiers, bool creditTiers)
{
    if (compteID >= 0 && compteID == who1)
        return creditTiers ? 3 : 5;
    if (compteID >= 0 && compteID == who2)
        return debitTiers ? 4 : 6;
    return 0;
}

} // namespace

int getPlacementCategorie(const PlacementChoice& choice, const DOCUMENT* doc)
{
    int debitType = 0;
    int creditType = 0;
    if (!TOOL::compteIDToBType(choice.who1, &debitType, doc) || !TOOL::compteIDToBType(choice.who2, &creditType, doc))
        return 0;
    const bool debitTiers = debitType == kBanqueTiers;
    const bool creditTiers = creditType == kBanqueTiers;
    if (choice.titreID >= 0)
        return debitTiers ? 2 : (creditTiers ? 1 : 0);
    if (choice.remunereID >= 0)
        return remunereCategorie(remunereCompte(choice.remunereID, doc), choice.who1, choice.who2, debitTiers,
                                 creditTiers);
    if (choice.empruntID >= 0)
        return debitTiers ? 8 : (creditTiers ? 7 : 0);
    return 0;
}

std::optional<PlacementSplit> dealHelpPlac(int tag, int kind, const MONTANT& amount)
{
    if (tag < 1)
        return std::nullopt;
    PlacementSplit split;
    const MONTANT zero;
    if (tag == 1) {
        split.capital = amount;
        split.interets = zero;
        split.frais = zero;
        const bool titre = kind == 1 || kind == 2;
        if (!titre)
            split.nTitre = 0.0;
        split.focus = titre ? PlacementFocus::NTitre : PlacementFocus::Capital;
        return split;
    }
    if (tag == 2 && kind >= 1 && kind <= 4) {
        const bool asFrais = kind == 1 || kind == 3;
        split.capital = zero;
        split.interets = asFrais ? zero : amount;
        split.frais = asFrais ? amount : zero;
        split.nTitre = 0.0;
        split.focus = asFrais ? PlacementFocus::Frais : PlacementFocus::Interets;
    }
    return split;
}

MONTANT solveQuote(int which, const MONTANT& amount, const MONTANT& capital, const MONTANT& interets,
                   const MONTANT& frais)
{
    const MONTANT* others[2] = {&interets, &frais};
    if (which == 2)
        others[0] = &capital;
    else if (which == 3)
        others[1] = &capital;
    MONTANT result;
    MONTANT::subMontant(amount, *others[0], result);
    MONTANT::subMontant(result, *others[1], result);
    return result;
}
