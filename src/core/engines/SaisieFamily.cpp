#include "engines/SaisieFamily.h"

#include <array>

namespace {

using enum SaisieMaskedSide;

constexpr const char* kChequier = "kMisc_ChequierUtilise";
constexpr const char* kRef = "kMisc_References2";
constexpr const char* kDebiteur = "kMisc_CompteDebiteur";
constexpr const char* kCrediteur = "kMisc_CompteCrediteur";
constexpr const char* kPorte = "kMisc_PorteUtilise";

constexpr long kUser = 1;
constexpr long kCash = 2;
constexpr long kPayees = 4;
constexpr long kAll = 7;

constexpr SaisieFamilyLabels kGeneral
    = {kChequier, "kMisc_MontantOperation", kDebiteur, kCrediteur, kRef, false, kAll, kAll, None};

// By family, 0 to 12.
constexpr std::array<SaisieFamilyLabels, 13> kRows = {{
    kGeneral,
    {kChequier, "kMisc_MontantVirement", "kMisc_DuCompte", "kMisc_AuCompte", kRef, true, kUser | kCash, kUser | kCash,
     None},
    {kChequier, "kMisc_MontantDeLAchat", kPorte, kCrediteur, kRef, false, kCash, kPayees, Debit},
    {kChequier, "kMisc_MontantEncaissement", kDebiteur, kPorte, kRef, false, kPayees, kCash, Credit},
    kGeneral,
    {kChequier, "kMisc_MontantRetrait", kDebiteur, kPorte, kRef, true, kUser, kCash, Debit},
    {kChequier, "kMisc_MontantDepot", kPorte, kCrediteur, kRef, false, kCash, kUser, Credit},
    {kChequier, "kMisc_MontantPrelevement", kDebiteur, kCrediteur, kRef, false, kUser, kPayees, Debit},
    {kChequier, "kMisc_MontantVirement", kDebiteur, kCrediteur, kRef, false, kPayees, kUser, Credit},
    {kChequier, "kMisc_MontantDeLAchat", kDebiteur, kCrediteur, "kMisc_NoDeCheque", true, kUser, kPayees, Debit},
    {kChequier, "kMisc_MontantRemise", kDebiteur, kCrediteur, kRef, false, kPayees, kUser, Credit},
    {"kMisc_CarteUtilisee", "kMisc_MontantDeLAchat", kDebiteur, kCrediteur, kRef, true, kUser, kPayees, Debit},
    {kChequier, "kMisc_MontantRemise", kDebiteur, kCrediteur, kRef, false, kPayees, kUser, Credit},
}};

} // namespace

const SaisieFamilyLabels& saisieFamilyLabels(int family)
{
    if (family < 0 || family >= int(kRows.size()))
        return kGeneral;
    return kRows[size_t(family)];
}

QString saisieVarianteImageName(int family)
{
    return family == 11 ? QStringLiteral("carte") : QStringLiteral("chequier");
}

bool saisieSideEnabled(const SaisieFamilyLabels& labels, SaisieMaskedSide side, bool accountsRebuilt, bool locked)
{
    if (locked)
        return false;
    return labels.masked != side || accountsRebuilt;
}
