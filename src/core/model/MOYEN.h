#pragma once
// The payment means of one account in one family, with the account's cheque books or cards.
// Every transaction names a family, 0 to 12; only cheques (9) and cards (11) drawn on the user's
// own accounts have variants, so the document keeps records for those alone, in creation order.
// Counter payments (5) and internal transfers (1) are entered with the cheque books of family 9.
#include "model/VARIANTE.h"

#include <QList>
#include <QString>

class DOCUMENT;
class MOYEN;
using MoyenList = QList<MOYEN>;

inline constexpr int kFamilyVirementInterne = 1;
inline constexpr int kFamilyGuichetDebit = 5;
inline constexpr int kFamilyCount = 13;

class MOYEN {
public:
    int kind = 0; // family
    long compte = -1; // ident of the account
    long lastVarianteID = -1; // the variant the next entry starts from
    VarianteList variantes; // in creation order

    bool operator==(const MOYEN&) const = default;

    void defaultMoyen(int family, long compteID);
    static MOYEN allocNewMoyen(int family, long compteID);

    // Null without a document.
    static MoyenList* getDocMoyen(DOCUMENT* doc);
    static long nbMoyen(const MoyenList* array);
    // Null outside 0..count - 1. The pointer lives until the list changes.
    static const MOYEN* moyenAtIndex(const MoyenList& array, long index);
    static MOYEN* moyenAtIndex(MoyenList& array, long index);

    // The family's localised name; "?" for 4 (no payment means) and any number outside 0..12.
    static QString newMoyenName(int family);
    // The first family among 0-3 and 5-12 whose name equals the text, case ignored.
    static bool findMoyenWithName(const QString& name, int* family);
    // The image name of the family's icon: its icon number in decimal; empty outside 0..12.
    static QString getActionIcone(int family);

    // Appends a new record and answers its index.
    static long creerMoyen(MoyenList& array, int family, long compteID);
    // The record of that family and account, appended when there is none, for families 9 and 11
    // only. A record is made only for an account of one of the user's own banks: any other
    // would be dropped, with its variants, at the next opening.
    static bool getMoyenIndex(MoyenList& array, int family, long compteID, long* index, const DOCUMENT* doc);
    // As getMoyenIndex, entry families 1 and 5 going to the cheque books of family 9.
    static bool getSaisieMoyenIndex(MoyenList& array, int family, long compteID, long* index, const DOCUMENT* doc);
    // In the document: the variants the entry of that family on that account offers (its record
    // found or made by getSaisieMoyenIndex); null when it has none or there is no document.
    static VarianteList* variantesArrayForFamily(int family, long compteID, DOCUMENT* doc);
    static VARIANTE* varianteForFamily(int family, long compteID, long varianteID, DOCUMENT* doc);

    // Removes every record of the account; nothing for an ident below 0.
    static void unappendAllMoyen(MoyenList& array, long compteIdent);
    static void disposeMoyen(MoyenList& array) { array.clear(); }
    // Run once a document is loaded: keeps, in their order, the records of families 9 and 11
    // whose account exists in one of the user's own banks.
    static void cleanMoyensAtOpen(DOCUMENT* doc);
};

// The same operations as plain functions.
inline const MOYEN* moyenAtIndex(const MoyenList& array, long index)
{
    return MOYEN::moyenAtIndex(array, index);
}
inline MOYEN* moyenAtIndex(MoyenList& array, long index)
{
    return MOYEN::moyenAtIndex(array, index);
}
inline QString moyenNameForFamily(int family)
{
    return MOYEN::newMoyenName(family);
}
inline bool getMoyenIndex(MoyenList& array, int family, long compteID, long* index, const DOCUMENT* doc)
{
    return MOYEN::getMoyenIndex(array, family, compteID, index, doc);
}
