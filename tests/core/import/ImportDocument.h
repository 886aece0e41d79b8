#pragma once
// The document the import tests bring files into: the fixed accounts of every document (3 the
// anonymous payee), the user's current account 7 "Compte courant" (the one imported into) and
// savings 9 "Livret" in bank 10, the payee 22 "Boulangerie" in bank 11, categories 1 "Divers"
// and 2 "Alimentation", the tax 1 "TVA" at 20 %, and currencies € (slot 0), F (1) and USD (2).
class DOCUMENT;

namespace importdoc {

inline constexpr long kCompte = 7;
inline constexpr long kLivret = 9;
inline constexpr long kBoulangerie = 22;
inline constexpr long kAlimentation = 2;
inline constexpr long kTVA = 1;
inline constexpr double kNow = 700000000.0; // mid-March 2023

void fill(DOCUMENT& doc);

} // namespace importdoc
