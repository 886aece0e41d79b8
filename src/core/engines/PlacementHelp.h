#pragma once
// The investment side of an entry: which kind of investment movement a transaction is, from the
// investment chosen and the bank types of its two accounts, and the ready splits of its amount
// into capital, interest and fees that the help pop-up offers for that kind.
//
// Kinds: 1 a security sold to a third party, 2 a security bought from one, 3 and 5 money taken
// out of savings (to a third party, to another account), 4 and 6 money put into savings (from a
// third party, from another account), 7 and 8 a loan's movements towards and from a third party,
// 0 anything else.
#include "model/MONTANT.h"

#include <optional>

class DOCUMENT;

struct PlacementChoice {
    long titreID = -1;
    long remunereID = -1;
    long empruntID = -1;
    long who1 = -1;
    long who2 = -1;
};

int getPlacementCategorie(const PlacementChoice& choice, const DOCUMENT* doc);

// The control that takes the focus after a help item.
enum class PlacementFocus { Capital, Interets, Frais, NTitre };

// What a help item writes: each field with a value is set, the others stay as they are.
struct PlacementSplit {
    std::optional<MONTANT> capital;
    std::optional<MONTANT> interets;
    std::optional<MONTANT> frais;
    std::optional<double> nTitre;
    PlacementFocus focus = PlacementFocus::Capital;
};

// Item tag 1 or 2 of the kind, on the amount; none for a tag below 1.
std::optional<PlacementSplit> dealHelpPlac(int tag, int kind, const MONTANT& amount);

// One of the three parts solved from the amount and the two others (1 capital, 2 interest,
// 3 fees).
MONTANT solveQuote(int which, const MONTANT& amount, const MONTANT& capital, const MONTANT& interets,
                   const MONTANT& frais);
