#pragma once
// Running totals: a count, a number of securities and seven amounts. The record gives no meaning
// to its totals; each user does (debits and credits of a statement, the figures of an
// investment, the rows of a loan simulation, the footers of list windows).
#include "model/MONTANT.h"

#include <cstdint>
#include <iterator>

class TOTAUX {
public:
    int64_t n = 0;
    double nTitre = 0;
    MONTANT total1;
    MONTANT total2;
    MONTANT total3;
    MONTANT total4;
    MONTANT total5;
    MONTANT total6;
    MONTANT total7;

    // Everything zero; then an opening amount, when given, goes to total4 and total6 when it is
    // not negative, else its opposite to total1 and total3.
    void defaultTotaux(const MONTANT* opening);
    void setFromTotaux(const TOTAUX& other) { *this = other; }
    // Adds a into b, every field and every currency slot; a is left unchanged.
    static void addTotaux(const TOTAUX& a, TOTAUX& b);

    // The seven totals in order, for code that treats them alike.
    static constexpr MONTANT TOTAUX::*kTotals[] = {&TOTAUX::total1, &TOTAUX::total2, &TOTAUX::total3, &TOTAUX::total4,
                                                   &TOTAUX::total5, &TOTAUX::total6, &TOTAUX::total7};
};

void defaultTotaux(TOTAUX& totaux, const MONTANT* opening);

// Appends the record under an element named by the key: "n", "nTitre", then "total1" to
// "total7". False when the key element or one of the amounts can't be written.
bool XML_append_totaux(pugi::xml_node parent, const XmlName& key, const TOTAUX& totaux, const DeviseList& devises);
// Reads the record from the first child element of that name. A missing element resets the
// record and answers false; a missing total reads as zero and answers false, the others read.
bool XML_load_totaux(pugi::xml_node parent, const XmlName& key, TOTAUX& totaux);
