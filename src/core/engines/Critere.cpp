#include "engines/Critere.h"

#include "engines/CritereMatch.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
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
    critereDate = critereMontant = CritereCompare::Off;
    critereCompteDebit = critereCompteCredit = CritereCompte::Off;
    criterePoste = critereBanqueDebit = critereBanqueCredit = CritereSwitch::Off;
    critereCategorieDebit = critereCategorieCredit = CritereSwitch::Off;
    critereBoolCompte = critereBoolBanque = critereBoolCategorie = CritereBool::And;
    criterePointe = CriterePointe::Off;
    critereTaxe = criterePlacement = critereChrono = critereMoyen = critereSynonyme = CritereSwitch::Off;
    critereDossier = critereReleve = CritereSwitch::Off;
    critereReference = critereWhy = critereWhyImport = CritereText::Off;
    critereImport = CritereImport::Off;
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
    critereDate = CritereCompare::Equal;
    date1 = endOfDay(date);
    computeCritere();
}

void Critere::setPeriodeCritere(double d1, double d2)
{
    critereDate = CritereCompare::Between;
    date1 = startOfDay(d1);
    date2 = endOfDay(d2);
    computeCritere();
}

void Critere::setPeriodeInferieurACritere(double date)
{
    critereDate = CritereCompare::Below;
    date1 = startOfDay(date);
    computeCritere();
}

void Critere::setPeriodeInferieurOuEgCritere(double date)
{
    critereDate = CritereCompare::BelowOrEqual;
    date1 = endOfDay(date);
    computeCritere();
}

void Critere::setPeriodeSuperieurACritere(double date)
{
    critereDate = CritereCompare::Above;
    date1 = endOfDay(date);
    computeCritere();
}

void Critere::setMontantCritere(const MONTANT& montant)
{
    critereMontant = CritereCompare::Equal;
    montant1.setFromMontant(montant);
    computeCritere();
}

void Critere::setPosteCritere(long ident)
{
    criterePoste = CritereSwitch::On;
    posteID = ident;
    computeCritere();
}

void Critere::setDossierCritere(long ident)
{
    critereDossier = CritereSwitch::On;
    dossierID = ident;
    computeCritere();
}

void Critere::setMoyenCritere(int family)
{
    critereMoyen = CritereSwitch::On;
    moyen = family;
    computeCritere();
}

void Critere::setSynonymeCritere(long ident)
{
    critereSynonyme = CritereSwitch::On;
    synonymeID = ident;
    computeCritere();
}

void Critere::setChronoCritere(long ident)
{
    critereChrono = CritereSwitch::On;
    chronoID = ident;
    computeCritere();
}

void Critere::setTaxeCritere(long ident)
{
    critereTaxe = CritereSwitch::On;
    taxeID = ident;
    computeCritere();
}

void Critere::setTitreCritere(long ident)
{
    criterePlacement = CritereSwitch::On;
    titreID = ident;
    remunereID = empruntID = -1;
    computeCritere();
}

void Critere::setRemunereCritere(long ident)
{
    criterePlacement = CritereSwitch::On;
    remunereID = ident;
    titreID = empruntID = -1;
    computeCritere();
}

void Critere::setEmpruntCritere(long ident)
{
    criterePlacement = CritereSwitch::On;
    empruntID = ident;
    titreID = remunereID = -1;
    computeCritere();
}

void Critere::setImportCritere(CritereImport code)
{
    critereImport = code;
    computeCritere();
}

void Critere::setToolCritere(bool isCompte, long ident, long relID)
{
    if (isCompte) {
        critereCompteDebit = critereCompteCredit = CritereCompte::On;
        critereBoolCompte = CritereBool::Or;
        compteIDDebit = compteIDCredit = ident;
    } else {
        critereBanqueDebit = critereBanqueCredit = CritereSwitch::On;
        critereBoolBanque = CritereBool::Or;
        banqueIDDebit = banqueIDCredit = ident;
    }
    if (relID < 0) {
        criterePointe = CriterePointe::Off;
        critereReleve = CritereSwitch::Off;
    } else if (relID > 0) {
        critereReleve = CritereSwitch::On;
        criterePointe = CriterePointe::Ticked;
        releveID = relID;
    } else {
        critereReleve = CritereSwitch::On;
        criterePointe = CriterePointe::NotTicked;
        releveID = -1;
    }
    computeCritere();
}

void Critere::setCompteProblemCritere()
{
    critereCompteDebit = critereCompteCredit = CritereCompte::Problem;
    critereBoolCompte = CritereBool::Or;
    computeCritere();
}

void Critere::setCategorieCritere(int type, long relID)
{
    critereCategorieDebit = critereCategorieCredit = CritereSwitch::On;
    critereBoolCategorie = CritereBool::Or;
    categorieIDDebit = categorieIDCredit = type;
    if (relID >= 0) {
        critereReleve = CritereSwitch::On;
        releveID = relID > 0 ? relID : -1;
    } else {
        critereReleve = CritereSwitch::Off;
    }
    computeCritere();
}

void Critere::setWhyCritere(const QString& text)
{
    critereWhy = CritereText::BeginsWith;
    why = text;
    computeCritere();
}

void Critere::setWhyImportCritere(const QString& text)
{
    critereWhyImport = CritereText::BeginsWith;
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

Critere Critere::makeImportCritere(CritereImport code, const DOCUMENT* doc)
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
    const bool one = critereCompteDebit == CritereCompte::On && critereCompteCredit == CritereCompte::On
        && critereBoolCompte == CritereBool::Or && compteIDDebit == compteIDCredit;
    return one ? compteIDDebit : -1;
}

long Critere::getCritereBanque() const
{
    const bool one = critereBanqueDebit == CritereSwitch::On && critereBanqueCredit == CritereSwitch::On
        && critereBoolBanque == CritereBool::Or && banqueIDDebit == banqueIDCredit;
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
        *pID = criterePoste != CritereSwitch::Off ? posteID : -1;
    if (dID)
        *dID = critereDossier != CritereSwitch::Off ? dossierID : -1;
}

std::optional<double> Critere::ownHorizon() const
{
    switch (critereDate) {
    case CritereCompare::Equal:
    case CritereCompare::Below:
    case CritereCompare::BelowOrEqual:
        return date1;
    case CritereCompare::Between:
        return date2;
    case CritereCompare::Off:
    case CritereCompare::Above:
    case CritereCompare::AboveOrEqual:
        break;
    }
    return std::nullopt;
}

bool Critere::critereCanFutur(double* date, const DOCUMENT* doc) const
{
    if (const std::optional<double> own = ownHorizon()) {
        if (date)
            *date = *own;
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
    constexpr auto off = CritereSwitch::Off;
    const std::pair<bool, CritereKind> order[] = {
        {critereDate != CritereCompare::Off, CritereKind::Date},
        {critereMontant != CritereCompare::Off, CritereKind::Montant},
        {critereCompteDebit != CritereCompte::Off || critereCompteCredit != CritereCompte::Off, CritereKind::Compte},
        {critereBanqueDebit != off || critereBanqueCredit != off, CritereKind::Banque},
        {critereCategorieDebit != off || critereCategorieCredit != off, CritereKind::Categorie},
        {critereMoyen != off, CritereKind::Moyen},
        {critereSynonyme != off, CritereKind::Synonyme},
        {criterePoste != off, CritereKind::Poste},
        {critereTaxe != off, CritereKind::Taxe},
        {criterePointe != CriterePointe::Off, CritereKind::Pointe},
        {critereImport != CritereImport::Off, CritereKind::Import},
        {criterePlacement != off, CritereKind::Placement},
        {critereChrono != off, CritereKind::Chrono},
        {critereDossier != off, CritereKind::Dossier},
        {critereReference != CritereText::Off, CritereKind::Reference},
        {critereWhy != CritereText::Off, CritereKind::Why},
        {critereWhyImport != CritereText::Off, CritereKind::WhyImport},
    };
    usedCritere = {};
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
