#include "TOTAUX.h"

namespace {

const char* const kTotalNames[] = {"total1", "total2", "total3", "total4", "total5", "total6", "total7"};

} // namespace

void TOTAUX::defaultTotaux(const MONTANT* opening)
{
    n = 0;
    nTitre = 0;
    for (MONTANT TOTAUX::*total : kTotals)
        this->*total = MONTANT::zero();
    if (!opening)
        return;
    if (!opening->negativeMontant()) {
        total6 = *opening;
        total4 = *opening;
    } else {
        MONTANT opposite = *opening;
        MONTANT::invertMontant(opposite);
        total3 = opposite;
        total1 = opposite;
    }
}

void TOTAUX::addTotaux(const TOTAUX& a, TOTAUX& b)
{
    b.n += a.n;
    b.nTitre += a.nTitre;
    for (MONTANT TOTAUX::*total : kTotals)
        MONTANT::addMontant(a.*total, b.*total, b.*total);
}

void defaultTotaux(TOTAUX& totaux, const MONTANT* opening)
{
    totaux.defaultTotaux(opening);
}

bool XML_append_totaux(pugi::xml_node parent, const XmlName& key, const TOTAUX& totaux, const DeviseList& devises)
{
    pugi::xml_node element = xmlAppendElement(parent, key);
    if (!element)
        return false;
    xmlAppendLong(element, "n", totaux.n);
    xmlAppendDouble(element, "nTitre", 6, totaux.nTitre);
    bool ok = true;
    for (size_t k = 0; k < std::size(TOTAUX::kTotals); ++k)
        ok = (totaux.*TOTAUX::kTotals[k]).XML_append_montantWithDeviseDecimales(element, kTotalNames[k], devises) && ok;
    return ok;
}

bool XML_load_totaux(pugi::xml_node parent, const XmlName& key, TOTAUX& totaux)
{
    const pugi::xml_node element = xmlFirstElementNamed(parent, key);
    if (!element) {
        totaux.defaultTotaux(nullptr);
        return false;
    }
    totaux.n = xmlGetLong(element, "n", 0);
    totaux.nTitre = xmlGetDouble(element, "nTitre", 0.0);
    bool complete = true;
    for (size_t k = 0; k < std::size(TOTAUX::kTotals); ++k) {
        MONTANT scratch;
        complete = loadMontantFromXML(element, kTotalNames[k], scratch) && complete;
        totaux.*TOTAUX::kTotals[k] = scratch;
    }
    return complete;
}
