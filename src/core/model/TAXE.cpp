#include "TAXE.h"

#include "foundation/HelperSVUtil.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/MACRO.h"
#include "model/MONTANT.h"
#include "model/Prevision.h"
#include "model/TOOL.h"
#include "model/TOTAUX.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this rate (percent) a tax is taken as no tax at all.
constexpr double kMinimumRate = 0.001;

int compareNames(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

} // namespace

void TAXE::initTaxe() { }

void TAXE::defaultTaxe(const TaxeList& list)
{
    nom.clear();
    ident = newTaxeID(list);
    rate = 0.0;
}

TAXE TAXE::allocNewTaxe(const TaxeList& list)
{
    TAXE t;
    t.defaultTaxe(list);
    return t;
}

long TAXE::newTaxeID(const TaxeList& list)
{
    long largest = 1;
    for (const TAXE& t : list)
        largest = std::max(largest, t.ident);
    return largest + 1;
}

long TAXE::nbTaxe(const TaxeList* list)
{
    return list ? static_cast<long>(list->size()) : 0;
}

const TAXE* TAXE::taxeAtIndex(const TaxeList& list, long index)
{
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

TAXE* TAXE::taxeAtIndex(TaxeList& list, long index)
{
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

bool TAXE::findTaxe(long ident, long* index, const TaxeList& list)
{
    if (ident >= 0) {
        for (long i = 0; i < list.size(); ++i) {
            if (list[i].ident == ident) {
                if (index)
                    *index = i;
                return true;
            }
        }
    }
    return false;
}

bool TAXE::findTaxeWithName(const QString& name, long* ident, const DOCUMENT& doc)
{
    for (const TAXE& t : doc.taxeHdl) {
        if (compareNames(t.nom, name) == 0) {
            if (ident)
                *ident = t.ident;
            return true;
        }
    }
    if (ident)
        *ident = -1;
    return false;
}

QString TAXE::getTaxeName(long ident, const DOCUMENT& doc)
{
    long index = 0;
    if (!findTaxe(ident, &index, doc.taxeHdl))
        return localizedMisc(QStringLiteral("kMisc_PasDeTaxe"));
    return doc.taxeHdl[index].nom;
}

long TAXE::insertTaxe(const TAXE& taxe, TaxeList& list)
{
    const long index = findInsertIndex(0, static_cast<long>(list.size()) - 1,
                                       [&](long i) { return compareNames(list[i].nom, taxe.nom); });
    list.insert(index, taxe.copyOfTaxe());
    return index;
}

void TAXE::unInsertTaxe(long index, TaxeList& list)
{
    if (SV_ASSERT(index >= 0 && index < list.size()))
        list.removeAt(index);
}

void TAXE::loadTaxeAux(const QString& name, long ident, double rate, TaxeList& list)
{
    TAXE t;
    t.nom = name;
    t.ident = ident;
    t.rate = rate;
    insertTaxe(t, list);
}

void TAXE::applyTaxeToMontant(long ident, const MONTANT& TTC, MONTANT& HT, MONTANT& TX, const TaxeList& list)
{
    // Work from a copy: the caller may pass one amount for several of the three.
    const MONTANT ttc = TTC;
    HT = ttc;
    TX = MONTANT::zero();
    long index = 0;
    if (!findTaxe(ident, &index, list))
        return;
    const double rate = list[index].rate;
    if (rate > kMinimumRate)
        MONTANT::divMontant(ttc, 100.0 / rate + 1.0, TX);
    MONTANT::subMontant(ttc, TX, HT);
}

void TAXE::computeTotauxLTaxe(bool debit, bool credit, const MONTANT& taxe, const MONTANT& solde, TOTAUX& totaux)
{
    MONTANT net;
    MONTANT::subMontant(solde, taxe, net);
    if (debit) {
        MONTANT::addMontant(totaux.total1, taxe, totaux.total1);
        MONTANT::addMontant(totaux.total2, net, totaux.total2);
    }
    if (credit) {
        MONTANT::addMontant(totaux.total4, taxe, totaux.total4);
        MONTANT::addMontant(totaux.total3, net, totaux.total3);
    }
}

void TAXE::repairTaxeIfNeeded(TaxeList& list)
{
    for (TAXE& t : list) {
        if (!t.nom.isEmpty())
            continue;
        switch (t.ident) {
        case 1:
            t.nom = localizedAppl(QStringLiteral("pTVA_1960"));
            break;
        case 2:
            t.nom = localizedAppl(QStringLiteral("TVA_0700"));
            break;
        case 3:
            t.nom = localizedAppl(QStringLiteral("TVA_0550"));
            break;
        case 4:
            t.nom = localizedAppl(QStringLiteral("TVA_revenu"));
            break;
        default:
            t.nom = QStringLiteral("?");
            break;
        }
    }
}

void TAXE::disposeTaxe(TaxeList& list)
{
    list.clear();
}

void TAXE::changeTaxeInDocument(long oldID, long newID, DOCUMENT& doc)
{
    if (oldID < 0)
        return;
    changeTaxe(oldID, newID, doc.transact_array);
    changeTaxe(oldID, newID, doc.compteHdl);
    for (MACRO& macro : doc.macroHdl) {
        if (macro.transact && macro.transact->taxeID == oldID)
            macro.transact->taxeID = newID;
    }
    for (ECHEANCIER& echeancier : doc.echeancierHdl) {
        if (echeancier.transact.taxeID == oldID)
            echeancier.transact.taxeID = newID;
        for (PECHEANCIER& perso : echeancier.perso) {
            if (perso.transact.taxeID == oldID)
                perso.transact.taxeID = newID;
        }
    }
    for (Prevision& prevision : doc.previsionsArray) {
        if (prevision.transact.taxeID == oldID)
            prevision.transact.taxeID = newID;
    }
}

bool TAXE::isValidRate(double rate)
{
    return std::isfinite(rate) && rate > -100.0;
}
