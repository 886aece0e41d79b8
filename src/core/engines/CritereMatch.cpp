#include "engines/CritereMatch.h"

#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"
#include "model/TOOL.h"
#include "model/TRANSACT.h"

#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// What each UTF-16 unit folds to; 0 for the combining marks that folding drops. Built once: the
// test of a transaction then folds its texts by table, without allocating.
using FoldTable = std::array<char16_t, 0x10000>;

bool isMark(QChar c)
{
    const QChar::Category cat = c.category();
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing;
}

// The base letter of a canonically decomposable character; the character itself when its
// decomposition holds more than one letter (Hangul syllables) or leaves the basic plane.
char16_t canonicalBase(char16_t unit)
{
    const QChar c(unit);
    if (c.decompositionTag() != QChar::Canonical)
        return unit;
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    if (decomposed.isEmpty() || decomposed.at(0).isSurrogate())
        return unit;
    for (qsizetype i = 1; i < decomposed.size(); ++i) {
        if (!isMark(decomposed.at(i)))
            return unit;
    }
    return decomposed.at(0).unicode();
}

std::unique_ptr<FoldTable> buildFoldTable()
{
    auto table = std::make_unique<FoldTable>();
    for (char32_t u = 0; u < 0x10000; ++u) {
        const auto unit = static_cast<char16_t>(u);
        const QChar c(unit);
        if (c.isSurrogate())
            (*table)[u] = unit;
        else if (isMark(c))
            (*table)[u] = 0;
        else
            (*table)[u] = QChar(canonicalBase(unit)).toCaseFolded().unicode();
    }
    return table;
}

const FoldTable& foldTable()
{
    static const std::unique_ptr<FoldTable> table = buildFoldTable();
    return *table;
}

using FoldBuffer = QVarLengthArray<char16_t, 256>;

void foldInto(const QString& text, FoldBuffer& out)
{
    const FoldTable& table = foldTable();
    out.clear();
    for (const QChar c : text) {
        const char16_t folded = table[c.unicode()];
        if (folded != 0)
            out.append(folded);
    }
}

const DeviseList& devisesFor(const DOCUMENT* doc, const DeviseList* devHdl)
{
    static const DeviseList defaults = Devise::defaultDevises();
    if (devHdl)
        return *devHdl;
    return doc ? doc->deviseHdl : defaults;
}

// A value of neither kind combines as AND.
bool combine(CritereBool boolOperator, bool debit, bool credit)
{
    return boolOperator == CritereBool::Or ? (debit || credit) : (debit && credit);
}

bool sameOrBelow(const MONTANT& a, const MONTANT& b, const DeviseList& devises)
{
    return MONTANT::infMontant(a, b) || MONTANT::sameMontant(a, b, false, devises);
}

bool sameOrAbove(const MONTANT& a, const MONTANT& b, const DeviseList& devises)
{
    return MONTANT::supMontant(a, b) || MONTANT::sameMontant(a, b, false, devises);
}

} // namespace

QString foldForCritere(const QString& text)
{
    FoldBuffer buffer;
    foldInto(text, buffer);
    return QString(reinterpret_cast<const QChar*>(buffer.constData()), buffer.size());
}

// ---- Preparation ---------------------------------------------------------------------------------

void CritereMatcher::IdentSet::seal()
{
    std::sort(m_idents.begin(), m_idents.end());
    m_idents.erase(std::unique(m_idents.begin(), m_idents.end()), m_idents.end());
}

bool CritereMatcher::IdentSet::contains(long ident) const
{
    return std::binary_search(m_idents.begin(), m_idents.end(), ident);
}

CritereMatcher::CritereMatcher(const Critere& critere, const DOCUMENT* doc, const DeviseList* devHdl, bool prepare)
    : m_critere(critere)
    , m_doc(doc)
    , m_devises(devisesFor(doc, devHdl))
    , m_prepared(prepare && doc)
    , m_pointeCompte(critere.getCritereCompte())
    , m_lastSynchro(doc && doc->docParam ? doc->docParam->lastSynchro : 0)
    , m_hasLastSynchro(doc && doc->docParam)
{
    // What computeCritere prepared is used unless a field changed since.
    const Critere::Prepared& p = critere.prepared();
    m_reference = p.referenceSource == critere.reference ? p.referenceFolded : foldForCritere(critere.reference);
    m_why = p.whySource == critere.why ? p.whyFolded : foldForCritere(critere.why);
    m_whyImport = p.whyImportSource == critere.whyImport ? p.whyImportFolded : foldForCritere(critere.whyImport);
    m_dayStart = p.dayStart;
    m_nextDayStart = p.nextDayStart;
    if (p.dayOf != critere.date1 && critere.critereDate == CritereCompare::Equal) {
        m_dayStart = startOfDay(critere.date1);
        m_nextDayStart = dateToDateTime(critere.date1).isValid() ? addDaysToDate(1, critere.date1) : 0;
    }
    if (m_prepared)
        prepareLookups();
}

void CritereMatcher::prepareLookups()
{
    const Critere& c = m_critere;
    constexpr auto on = CritereSwitch::On;
    const bool banques = c.critereBanqueDebit == on || c.critereBanqueCredit == on;
    const bool categories = c.critereCategorieDebit == on || c.critereCategorieCredit == on;
    const bool problem
        = c.critereCompteDebit == CritereCompte::Problem || c.critereCompteCredit == CritereCompte::Problem;
    // Lookups find the first account of an ident: later ones are left out here too.
    QSet<long> seen;
    for (const TOOL& compte : m_doc->compteHdl) {
        if (seen.contains(compte.ident))
            continue;
        seen.insert(compte.ident);
        if (banques && compte.ownerID == c.banqueIDDebit)
            m_banqueDebitAccounts.add(compte.ident);
        if (banques && compte.ownerID == c.banqueIDCredit)
            m_banqueCreditAccounts.add(compte.ident);
        int type = kBanqueUser;
        if (categories && compte.compteToBType(&type, m_doc)) {
            if (type == c.categorieIDDebit)
                m_categorieDebitAccounts.add(compte.ident);
            if (type == c.categorieIDCredit)
                m_categorieCreditAccounts.add(compte.ident);
        }
        if (problem) {
            m_knownAccounts.add(compte.ident);
            for (const RELEVE& releve : compte.releves)
                m_statements.emplace_back(compte.ident, releve.ident);
        }
    }
    std::sort(m_statements.begin(), m_statements.end());
    if (c.critereDossier == CritereSwitch::On) {
        QSet<long> postes;
        for (const POSTE& poste : m_doc->posteHdl) {
            if (!postes.contains(poste.ident) && poste.dossierID == c.dossierID)
                m_dossierPostes.add(poste.ident);
            postes.insert(poste.ident);
        }
    }
    for (IdentSet* set : {&m_banqueDebitAccounts, &m_banqueCreditAccounts, &m_categorieDebitAccounts,
                          &m_categorieCreditAccounts, &m_dossierPostes, &m_knownAccounts})
        set->seal();
}

// ---- The walk ------------------------------------------------------------------------------------

bool CritereMatcher::transFitCritere(const TRANSACT& trans, MONTANT* tot) const
{
    MONTANT scratch;
    MONTANT* total = tot ? tot : &scratch;
    total->setFromMontant(trans.solde);
    const long count = std::clamp(m_critere.nbUsedCritere, 0L, static_cast<long>(kCritereMaxCodes));
    for (long i = 0; i < count; ++i) {
        bool fit = true;
        switch (m_critere.usedCritere[static_cast<size_t>(i)]) {
        case CritereKind::Date:
            fit = transFitCritereDate(trans);
            break;
        case CritereKind::Montant:
            fit = transFitCritereMontant(trans);
            break;
        case CritereKind::Poste:
            fit = transFitCriterePoste(trans, total);
            break;
        case CritereKind::Compte:
            fit = transFitCritereCompte(trans);
            break;
        case CritereKind::Banque:
            fit = transFitCritereBanque(trans);
            break;
        case CritereKind::Categorie:
            fit = transFitCritereCategorie(trans);
            break;
        case CritereKind::Pointe:
            fit = transFitCriterePointe(trans);
            break;
        case CritereKind::Taxe:
            fit = transFitCritereTaxe(trans);
            break;
        case CritereKind::Placement:
            fit = transFitCriterePlac(trans);
            break;
        case CritereKind::Chrono:
            fit = transFitCritereChrono(trans);
            break;
        case CritereKind::Moyen:
            fit = transFitCritereMoyen(trans);
            break;
        case CritereKind::Synonyme:
            fit = transFitCritereSynonyme(trans);
            break;
        case CritereKind::Dossier:
            fit = transFitCritereDossier(trans, total);
            break;
        case CritereKind::Reference:
            fit = transFitCritereReference(trans);
            break;
        case CritereKind::Import:
            fit = transFitCritereImport(trans);
            break;
        case CritereKind::Why:
            fit = transFitCritereWhy(trans);
            break;
        case CritereKind::WhyImport:
            fit = transFitCritereWhyImport(trans);
            break;
        }
        // A code without a test (none is ever produced) leaves fit as it was: skipped.
        if (!fit)
            return false;
    }
    return true;
}

bool Critere::transFitCritere(const TRANSACT& trans, MONTANT* tot, const DOCUMENT* doc, long /*devise*/,
                              const DeviseList* devHdl) const
{
    return CritereMatcher(*this, doc, devHdl, false).transFitCritere(trans, tot);
}

// ---- Dates and amounts ---------------------------------------------------------------------------

bool CritereMatcher::transFitCritereDate(const TRANSACT& trans) const
{
    const double when = trans.when;
    const double d1 = m_critere.date1;
    switch (m_critere.critereDate) {
    case CritereCompare::Off:
        return true;
    case CritereCompare::Equal:
        if (m_nextDayStart == 0)
            return sameDay(when, d1);
        return m_dayStart <= when && when < m_nextDayStart;
    case CritereCompare::Below:
        return when < d1;
    case CritereCompare::BelowOrEqual:
        return when <= d1;
    case CritereCompare::Above:
        return when > d1;
    case CritereCompare::AboveOrEqual:
        return when >= d1;
    case CritereCompare::Between:
        return d1 <= when && when <= m_critere.date2;
    }
    return true;
}

bool CritereMatcher::transFitCritereMontant(const TRANSACT& trans) const
{
    const MONTANT& solde = trans.solde;
    const MONTANT& m1 = m_critere.montant1;
    switch (m_critere.critereMontant) {
    case CritereCompare::Off:
        return true;
    case CritereCompare::Equal:
        return MONTANT::sameMontant(solde, m1, false, m_devises);
    case CritereCompare::Below:
        return MONTANT::infMontant(solde, m1);
    case CritereCompare::BelowOrEqual:
        return sameOrBelow(solde, m1, m_devises);
    case CritereCompare::Above:
        return MONTANT::supMontant(solde, m1);
    case CritereCompare::AboveOrEqual:
        return sameOrAbove(solde, m1, m_devises);
    case CritereCompare::Between:
        return sameOrAbove(solde, m1, m_devises) && sameOrBelow(solde, m_critere.montant2, m_devises);
    }
    return true;
}

// ---- Accounts, banks and bank types --------------------------------------------------------------

bool CritereMatcher::compteFitCritere(const CompteSide& side, const CompteTest& test, const DOCUMENT* doc)
{
    switch (test.crit) {
    case CritereCompte::Off:
        return true;
    case CritereCompte::On:
        return side.compte == test.ident && (test.critRel != CritereSwitch::On || side.releveID == test.relID);
    case CritereCompte::Problem: {
        const TOOL* account = getTool(kToolCompte, side.compte, doc);
        return !account || (side.releveID >= 0 && !account->findReleveID(side.releveID, nullptr));
    }
    }
    return true;
}

bool CritereMatcher::compteFitCritereB(long compte, CritereSwitch crit, long ident, const DOCUMENT* doc)
{
    return crit != CritereSwitch::On || TOOL::compteInBanque(compte, ident, doc);
}

bool CritereMatcher::compteFitCritereCat(long compte, CritereSwitch crit, int ident, const DOCUMENT* doc)
{
    return crit != CritereSwitch::On || TOOL::compteInCategorie(compte, ident, doc);
}

bool CritereMatcher::problemSide(long compte, long transID) const
{
    if (!m_knownAccounts.contains(compte))
        return true;
    return transID >= 0 && !std::binary_search(m_statements.begin(), m_statements.end(), std::pair(compte, transID));
}

bool CritereMatcher::compteSide(const CompteSide& side, CritereCompte crit, long ident) const
{
    if (crit == CritereCompte::Problem && m_prepared)
        return problemSide(side.compte, side.releveID);
    return compteFitCritere(side, {crit, ident, m_critere.critereReleve, m_critere.releveID}, m_doc);
}

bool CritereMatcher::transFitCritereCompte(const TRANSACT& trans) const
{
    const Critere& c = m_critere;
    const bool debit = compteSide({trans.who1, trans.releveID1}, c.critereCompteDebit, c.compteIDDebit);
    const bool credit = compteSide({trans.who2, trans.releveID2}, c.critereCompteCredit, c.compteIDCredit);
    return combine(c.critereBoolCompte, debit, credit);
}

bool CritereMatcher::banqueSide(long compte, CritereSwitch crit, long banqueID, const IdentSet& accounts) const
{
    if (crit != CritereSwitch::On || !m_prepared)
        return compteFitCritereB(compte, crit, banqueID, m_doc);
    return accounts.contains(compte);
}

bool CritereMatcher::transFitCritereBanque(const TRANSACT& trans) const
{
    const Critere& c = m_critere;
    const bool debit = banqueSide(trans.who1, c.critereBanqueDebit, c.banqueIDDebit, m_banqueDebitAccounts);
    const bool credit = banqueSide(trans.who2, c.critereBanqueCredit, c.banqueIDCredit, m_banqueCreditAccounts);
    return combine(c.critereBoolBanque, debit, credit);
}

bool CritereMatcher::categorieSide(long compte, CritereSwitch crit, int type, const IdentSet& accounts) const
{
    if (crit != CritereSwitch::On || !m_prepared)
        return compteFitCritereCat(compte, crit, type, m_doc);
    return accounts.contains(compte);
}

bool CritereMatcher::transFitCritereCategorie(const TRANSACT& trans) const
{
    const Critere& c = m_critere;
    const bool debit = categorieSide(trans.who1, c.critereCategorieDebit, c.categorieIDDebit, m_categorieDebitAccounts);
    const bool credit
        = categorieSide(trans.who2, c.critereCategorieCredit, c.categorieIDCredit, m_categorieCreditAccounts);
    return combine(c.critereBoolCategorie, debit, credit);
}

// ---- Plain equalities ----------------------------------------------------------------------------

bool CritereMatcher::transFitCritereMoyen(const TRANSACT& trans) const
{
    return m_critere.critereMoyen != CritereSwitch::On || trans.moyen == m_critere.moyen;
}

bool CritereMatcher::transFitCritereSynonyme(const TRANSACT& trans) const
{
    return m_critere.critereSynonyme != CritereSwitch::On || trans.synonymeID == m_critere.synonymeID;
}

bool CritereMatcher::transFitCritereTaxe(const TRANSACT& trans) const
{
    return m_critere.critereTaxe != CritereSwitch::On || trans.taxeID == m_critere.taxeID;
}

bool CritereMatcher::transFitCriterePlac(const TRANSACT& trans) const
{
    const Critere& c = m_critere;
    if (c.criterePlacement != CritereSwitch::On)
        return true;
    if (c.titreID >= 0)
        return trans.titreID == c.titreID;
    if (c.remunereID >= 0)
        return trans.remunereID == c.remunereID;
    if (c.empruntID >= 0)
        return trans.empruntID == c.empruntID;
    return trans.empruntID == c.empruntID && trans.remunereID == c.remunereID && trans.titreID == c.titreID;
}

bool CritereMatcher::transFitCritereChrono(const TRANSACT& trans) const
{
    return m_critere.critereChrono != CritereSwitch::On || trans.chronoID == m_critere.chronoID;
}

// ---- Categories and folders ----------------------------------------------------------------------

bool CritereMatcher::posteInDossier(long poste) const
{
    if (m_prepared)
        return m_dossierPostes.contains(poste);
    const POSTE* found = m_doc ? POSTE::posteWithIdent(poste, *m_doc) : nullptr;
    return found && found->dossierID == m_critere.dossierID;
}

bool CritereMatcher::lineFitPoste(long poste, bool dossier) const
{
    return dossier ? posteInDossier(poste) : poste == m_critere.posteID;
}

bool CritereMatcher::transFitPosteOrDossier(const TRANSACT& trans, MONTANT* tot, bool dossier) const
{
    if (trans.multis.isEmpty())
        return lineFitPoste(trans.posteID, dossier);
    // A split transaction is judged by its lines alone; the selected part is their sum.
    MONTANT sum;
    bool any = false;
    for (const MULTI& line : trans.multis) {
        if (lineFitPoste(line.posteID, dossier)) {
            MONTANT::addMontant(sum, line.montant, sum);
            any = true;
        }
    }
    if (any && tot)
        tot->setFromMontant(sum);
    return any;
}

bool CritereMatcher::transFitCriterePoste(const TRANSACT& trans, MONTANT* tot) const
{
    return m_critere.criterePoste != CritereSwitch::On || transFitPosteOrDossier(trans, tot, false);
}

bool CritereMatcher::transFitCritereDossier(const TRANSACT& trans, MONTANT* tot) const
{
    return m_critere.critereDossier != CritereSwitch::On || transFitPosteOrDossier(trans, tot, true);
}

// ---- Ticked and import states --------------------------------------------------------------------

bool CritereMatcher::transFitCriterePointe(const TRANSACT& trans) const
{
    switch (m_critere.criterePointe) {
    case CriterePointe::Off:
        return true;
    case CriterePointe::Ticked:
        return rowIsTicked(trans);
    case CriterePointe::NotTicked:
        return !rowIsTicked(trans);
    }
    return true;
}

bool CritereMatcher::rowIsTicked(const TRANSACT& trans) const
{
    bool ticked = trans.releveID1 >= 0 || trans.releveID2 >= 0;
    if (m_pointeCompte >= 0) {
        bool debit = false;
        bool credit = false;
        trans.checkDebitCredit(m_pointeCompte, &debit, &credit, m_doc);
        ticked = (trans.releveID1 >= 0 && debit) || (trans.releveID2 >= 0 && credit);
    }
    return ticked;
}

bool CritereMatcher::transFitCritereImport(const TRANSACT& trans) const
{
    const bool imported = trans.importID >= 0;
    switch (m_critere.critereImport) {
    case CritereImport::Off:
        return true;
    case CritereImport::Imported:
        return imported;
    case CritereImport::ImportedTouched:
        return imported && trans.importTouched;
    case CritereImport::ImportedUntouched:
        return imported && !trans.importTouched;
    case CritereImport::ImportedDoublon:
        return imported && trans.importDoublon;
    case CritereImport::Synchro:
        return trans.synchroID > 0;
    case CritereImport::LastSynchro:
        // Exact: the sync stores the very same time in the transaction and the document.
        return trans.synchroID >= 1 && m_hasLastSynchro && trans.synchroDate == m_lastSynchro;
    }
    return true;
}

// ---- Texts ---------------------------------------------------------------------------------------

bool CritereMatcher::foldedFit(const QString& text, CritereText crit, const QString& needle)
{
    const auto folded = [&text](FoldBuffer& buffer) {
        foldInto(text, buffer);
        return QStringView(buffer.constData(), buffer.size());
    };
    FoldBuffer buffer;
    // The platform finds no empty text, at the start or anywhere: an empty "begins with" or
    // "contains" selects nothing (the import's duplicate test relies on it).
    switch (crit) {
    case CritereText::Off:
        return true;
    case CritereText::BeginsWith:
        return !needle.isEmpty() && folded(buffer).startsWith(needle);
    case CritereText::Contains:
        return !needle.isEmpty() && folded(buffer).contains(needle);
    case CritereText::Equals:
        return folded(buffer) == QStringView(needle);
    }
    return true;
}

bool CritereMatcher::stringFitCritere(const QString& str, CritereText crit, const QString& critStr)
{
    return foldedFit(str, crit, foldForCritere(critStr));
}

bool CritereMatcher::transFitCritereReference(const TRANSACT& trans) const
{
    return foldedFit(trans.ref, m_critere.critereReference, m_reference);
}

bool CritereMatcher::transFitCritereWhy(const TRANSACT& trans) const
{
    return foldedFit(trans.why, m_critere.critereWhy, m_why);
}

bool CritereMatcher::transFitCritereWhyImport(const TRANSACT& trans) const
{
    return foldedFit(trans.whyImport, m_critere.critereWhyImport, m_whyImport);
}
