#include "engines/Critere.h"

#include "model/DOCPARAM.h"
#include "engines/CritereMatch.h"
#include "foundation/dates.h"
#include "model/TOOL.h"
#include "model/TRANSACT.h"

#include <utility>

Critere::Critere()
    : Critere(nullptr, false)
{
}

Critere::Critere(const DOCUMENT* doc, bool useDefault)
{
    initWithDocument(doc, useDefault);
}

void Critere::initWithDocument(const DOCUMENT* doc, bool useDefault)
{
    reference.clear();
    why.clear();
    whyImport.clear();
    defaultCritere(doc);
    if (useDefault)
        addDefaultElements(doc);
}

void Critere::defaultCritere(const DOCUMENT* doc)
{
    critereDate = critereMontant = criterePoste = 1;
    critereCompteDebit = critereCompteCredit = critereBanqueDebit = critereBanqueCredit = 1;
    critereCategorieDebit = critereCategorieCredit = 1;
    critereBoolCompte = critereBoolBanque = critereBoolCategorie = 2;
    criterePointe = critereTaxe = criterePlacement = critereChrono = critereMoyen = critereSynonyme = 1;
    critereDossier = critereReference = critereWhy = critereWhyImport = critereReleve = critereImport = 1;
    date1 = date2 = dateNow();
    montant1 = MONTANT();
    montant2 = MONTANT();
    devise = MONTANT::currentDeviseSlot();
    compteIDDebit = compteIDCredit = banqueIDDebit = banqueIDCredit = -1;
    categorieIDDebit = categorieIDCredit = -1;
    moyen = 0;
    synonymeID = -1;
    posteID = DOCPARAM::getDefaultPoste(doc);
    dossierID = DOCPARAM::getDefaultDossier(doc);
    taxeID = titreID = remunereID = empruntID = chronoID = releveID = -1;
    includesPrevisions = false;
    reference.clear();
    why.clear();
    whyImport.clear();
    computeCritere();
}

void Critere::addDefaultElements(const DOCUMENT* doc)
{
    compteIDDebit = compteIDCredit = DOCPARAM::getDefaultCompte(doc);
    banqueIDDebit = banqueIDCredit = kBanqueTiersSpeciauxID;
    categorieIDDebit = categorieIDCredit = kBanqueUser;
}

void Critere::replaceWithCritere(const Critere& other)
{
    if (&other != this)
        *this = other;
    computeCritere();
}

// ---- Compound setters ----------------------------------------------------------------------------

void Critere::setDateCritere(double date)
{
    critereDate = 2;
    date1 = endOfDay(date);
    computeCritere();
}

void Critere::setPeriodeCritere(double d1, double d2)
{
    critereDate = 7;
    date1 = startOfDay(d1);
    date2 = endOfDay(d2);
    computeCritere();
}

void Critere::setPeriodeInferieurACritere(double date)
{
    critereDate = 3;
    date1 = startOfDay(date);
    computeCritere();
}

void Critere::setPeriodeInferieurOuEgCritere(double date)
{
    critereDate = 4;
    date1 = endOfDay(date);
    computeCritere();
}

void Critere::setPeriodeSuperieurACritere(double date)
{
    critereDate = 5;
    date1 = endOfDay(date);
    computeCritere();
}

void Critere::setMontantCritere(const MONTANT& montant)
{
    critereMontant = 2;
    montant1.setFromMontant(montant);
    computeCritere();
}

void Critere::setPosteCritere(long ident)
{
    criterePoste = 2;
    posteID = ident;
    computeCritere();
}

void Critere::setDossierCritere(long ident)
{
    critereDossier = 2;
    dossierID = ident;
    computeCritere();
}

void Critere::setMoyenCritere(int family)
{
    critereMoyen = 2;
    moyen = family;
    computeCritere();
}

void Critere::setSynonymeCritere(long ident)
{
    critereSynonyme = 2;
    synonymeID = ident;
    computeCritere();
}

void Critere::setChronoCritere(long ident)
{
    critereChrono = 2;
    chronoID = ident;
    computeCritere();
}

void Critere::setTaxeCritere(long ident)
{
    critereTaxe = 2;
    taxeID = ident;
    computeCritere();
}

void Critere::setTitreCritere(long ident)
{
    criterePlacement = 2;
    titreID = ident;
    remunereID = empruntID = -1;
    computeCritere();
}

void Critere::setRemunereCritere(long ident)
{
    criterePlacement = 2;
    remunereID = ident;
    titreID = empruntID = -1;
    computeCritere();
}

void Critere::setEmpruntCritere(long ident)
{
    criterePlacement = 2;
    empruntID = ident;
    titreID = remunereID = -1;
    computeCritere();
}

void Critere::setImportCritere(long code)
{
    critereImport = code;
    computeCritere();
}

void Critere::setToolCritere(bool isCompte, long ident, long relID)
{
    if (isCompte) {
        critereCompteDebit = critereCompteCredit = 2;
        critereBoolCompte = 1;
        compteIDDebit = compteIDCredit = ident;
    } else {
        critereBanqueDebit = critereBanqueCredit = 2;
        critereBoolBanque = 1;
        banqueIDDebit = banqueIDCredit = ident;
    }
    if (relID < 0) {
        criterePointe = 1;
        critereReleve = 1;
    } else if (relID > 0) {
        critereReleve = 2;
        criterePointe = 2;
        releveID = relID;
    } else {
        critereReleve = 2;
        criterePointe = 3;
        releveID = -1;
    }
    computeCritere();
}

void Critere::setCompteProblemCritere()
{
    critereCompteDebit = critereCompteCredit = 8;
    critereBoolCompte = 1;
    computeCritere();
}

void Critere::setCategorieCritere(int type, long relID)
{
    critereCategorieDebit = critereCategorieCredit = 2;
    critereBoolCategorie = 1;
    categorieIDDebit = categorieIDCredit = type;
    if (relID >= 0) {
        critereReleve = 2;
        releveID = relID > 0 ? relID : -1;
    } else {
        critereReleve = 1;
    }
    computeCritere();
}

void Critere::setWhyCritere(const QString& text)
{
    critereWhy = 2;
    why = text;
    computeCritere();
}

void Critere::setWhyImportCritere(const QString& text)
{
    critereWhyImport = 2;
    whyImport = text;
    computeCritere();
}

// ---- Factories -----------------------------------------------------------------------------------

Critere Critere::makeProblemCritere(const DOCUMENT* doc)
{
    Critere critere(doc, false);
    critere.setCompteProblemCritere();
    return critere;
}

Critere Critere::makeToolCritere(bool isCompte, long ident, long relID, const DOCUMENT* doc)
{
    Critere critere(doc, false);
    critere.setToolCritere(isCompte, ident, relID);
    return critere;
}

Critere Critere::makeAVenirCritere(long compteID, long aVenir, const DOCUMENT* doc)
{
    Critere critere = makeToolCritere(true, compteID, -1, doc);
    const double tomorrow = addDaysToDate(1, dateNow());
    critere.setPeriodeCritere(tomorrow, addDaysToDate(aVenir, tomorrow));
    return critere;
}

Critere Critere::makeNonPointeesCritere(long compteID, const DOCUMENT* doc)
{
    Critere critere = makeToolCritere(true, compteID, 0, doc);
    critere.setPeriodeInferieurOuEgCritere(dateNow());
    return critere;
}

std::optional<Critere> Critere::makeMoyenCritere(int family, long compteID, const DOCUMENT* doc)
{
    if (compteID < 0)
        return std::nullopt;
    Critere critere = makeToolCritere(true, compteID, -1, doc);
    critere.setMoyenCritere(family);
    return critere;
}

namespace {

template <typename Setter> Critere madeWith(const DOCUMENT* doc, Setter set)
{
    Critere critere(doc, false);
    set(critere);
    return critere;
}

} // namespace

Critere Critere::makeSynonymeCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setSynonymeCritere(ident); });
}

Critere Critere::makePosteCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setPosteCritere(ident); });
}

Critere Critere::makeDossierCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setDossierCritere(ident); });
}

Critere Critere::makeChronoCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setChronoCritere(ident); });
}

Critere Critere::makeTitreCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setTitreCritere(ident); });
}

Critere Critere::makeRemunereCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setRemunereCritere(ident); });
}

Critere Critere::makeEmpruntCritere(long ident, const DOCUMENT* doc)
{
    return madeWith(doc, [ident](Critere& c) { c.setEmpruntCritere(ident); });
}

Critere Critere::makeImportCritere(long code, const DOCUMENT* doc)
{
    return madeWith(doc, [code](Critere& c) { c.setImportCritere(code); });
}

Critere Critere::makeTaxeCritere(long long first, long long last, long taxe, const DOCUMENT* doc)
{
    Critere critere(doc, false);
    critere.setPeriodeCritere(static_cast<double>(first), static_cast<double>(last));
    critere.setTaxeCritere(taxe);
    return critere;
}

// ---- Queries -------------------------------------------------------------------------------------

long Critere::getCritereCompte() const
{
    const bool one = critereCompteDebit == 2 && critereCompteCredit == 2 && critereBoolCompte == 1
        && compteIDDebit == compteIDCredit;
    return one ? compteIDDebit : -1;
}

long Critere::getCritereBanque() const
{
    const bool one = critereBanqueDebit == 2 && critereBanqueCredit == 2 && critereBoolBanque == 1
        && banqueIDDebit == banqueIDCredit;
    return one ? banqueIDDebit : -1;
}

bool Critere::isCritereCompte() const
{
    return getCritereCompte() >= 1;
}

bool Critere::isCritereBanque() const
{
    return getCritereBanque() >= 1;
}

void Critere::getCriterePosteValue(long* pID, long* dID) const
{
    if (pID)
        *pID = criterePoste != 1 ? posteID : -1;
    if (dID)
        *dID = critereDossier != 1 ? dossierID : -1;
}

bool Critere::critereCanFutur(double* date, const DOCUMENT* doc) const
{
    if (critereDate == 2 || critereDate == 3 || critereDate == 4 || critereDate == 7) {
        if (date)
            *date = critereDate == 7 ? date2 : date1;
        return true;
    }
    if (!date)
        return false;
    TRANSACT::getTransactExtremeDates(doc, nullptr, date);
    return true;
}

// ---- Evaluation list -----------------------------------------------------------------------------

void Critere::computeCritere()
{
    // Cheap tests first, lookups later: the matcher stops at the first failing test.
    const std::pair<bool, long> order[] = {
        {critereDate != 1, kCritereCodeDate},
        {critereMontant != 1, kCritereCodeMontant},
        {critereCompteDebit != 1 || critereCompteCredit != 1, kCritereCodeCompte},
        {critereBanqueDebit != 1 || critereBanqueCredit != 1, kCritereCodeBanque},
        {critereCategorieDebit != 1 || critereCategorieCredit != 1, kCritereCodeCategorie},
        {critereMoyen != 1, kCritereCodeMoyen},
        {critereSynonyme != 1, kCritereCodeSynonyme},
        {criterePoste != 1, kCritereCodePoste},
        {critereTaxe != 1, kCritereCodeTaxe},
        {criterePointe != 1, kCritereCodePointe},
        {critereImport != 1, kCritereCodeImport},
        {criterePlacement != 1, kCritereCodePlacement},
        {critereChrono != 1, kCritereCodeChrono},
        {critereDossier != 1, kCritereCodeDossier},
        {critereReference != 1, kCritereCodeReference},
        {critereWhy != 1, kCritereCodeWhy},
        {critereWhyImport != 1, kCritereCodeWhyImport},
    };
    usedCritere.fill(0);
    nbUsedCritere = 0;
    for (const auto& [inUse, code] : order) {
        if (inUse)
            usedCritere[static_cast<size_t>(nbUsedCritere++)] = code;
    }
    prepareForMatching();
}

void Critere::prepareForMatching()
{
    Prepared& p = m_prepared;
    p.referenceSource = reference;
    p.referenceFolded = foldForCritere(reference);
    p.whySource = why;
    p.whyFolded = foldForCritere(why);
    p.whyImportSource = whyImport;
    p.whyImportFolded = foldForCritere(whyImport);
    p.dayOf = date1;
    p.dayStart = startOfDay(date1);
    p.nextDayStart = dateToDateTime(date1).isValid() ? addDaysToDate(1, date1) : 0;
}
