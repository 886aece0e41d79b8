#pragma once
// How the entry window dresses itself for a payment family: the titles of its variant, amount,
// account and reference fields (keys of table "Misc"), whether a cheque book or card may be
// chosen, which accounts each side's picker offers, and which side the family fixes.
//
// Filters are masks of bank types as the account pop-ups take them: 1 the user's own banks,
// 2 cash, 4 third parties, 7 every bank.
#include <QString>

enum class SaisieMaskedSide { None, Debit, Credit };

struct SaisieFamilyLabels {
    const char* variante;
    const char* montant;
    const char* debit;
    const char* credit;
    const char* reference;
    bool varianteUsable;
    long debitFilter;
    long creditFilter;
    // The side the family fixes (the user's account the means belongs to): disabled on every
    // fill, enabled only after a change of means rebuilt the accounts.
    SaisieMaskedSide masked;
};

// The row of the family; the general row for 0, 4 and any number outside the families.
const SaisieFamilyLabels& saisieFamilyLabels(int family);

// The picture of the variant pop-up's first item: "carte" for cards (11), else "chequier".
QString saisieVarianteImageName(int family);

// Whether a side's picker is enabled: never in a locked window; a masked side only once the
// accounts have been rebuilt for the family.
bool saisieSideEnabled(const SaisieFamilyLabels& labels, SaisieMaskedSide side, bool accountsRebuilt, bool locked);
