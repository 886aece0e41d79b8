#include "TRANSACT.h"

#include "foundation/SystemClock.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <algorithm>
#include <atomic>
#include <tuple>

namespace {

// Every field the document stores, in declaration order; mark is not one.
auto storedFields(const TRANSACT& t)
{
    return std::tie(t.when, t.who1, t.who2, t.releveID1, t.releveID2, t.moyen, t.synonymeID, t.posteID, t.chronoID,
                    t.previsionID, t.taxeID, t.titreID, t.remunereID, t.empruntID, t.nTitre, t.isInit, t.planifiedDate,
                    t.importID, t.importTouched, t.importDoublon, t.synchroID, t.synchroDate, t.variante,
                    t.clotureMarkD, t.clotureMarkC, t.devise, t.annulation, t.solde, t.taxe, t.quote1, t.quote2,
                    t.quote3, t.ref, t.why, t.whyImport, t.note, t.multis, t.attachedDocuments);
}

template <typename List> auto* itemAt(List& list, long index)
{
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

bool isDebitFamily(int family)
{
    return family == 2 || family == 5 || family == 7 || family == 9 || family == 11;
}

bool isCreditFamily(int family)
{
    return family == 3 || family == 6 || family == 8 || family == 10 || family == 12;
}

// The variant the means starts from: its lastVarianteID when that is one of its variants.
const VARIANTE* defaultVarianteOf(const MOYEN& moyen)
{
    long index = 0;
    if (moyen.lastVarianteID < 0 || !VARIANTE::findVariante(moyen.lastVarianteID, moyen.variantes, &index))
        return nullptr;
    return &moyen.variantes[index];
}

struct SidesOfFamily {
    long user;
    long cash;
    long standard;
};

// Sets the two sides for the family; answers whether the family takes the current currency slot.
bool setSidesForFamily(TRANSACT& t, int family, const SidesOfFamily& s)
{
    const auto sides = [&t](long debit, long credit) {
        t.who1 = debit;
        t.who2 = credit;
    };
    switch (family) {
    case 1:
        sides(s.user, s.user);
        return true;
    case 2:
        sides(s.cash, s.standard);
        return false;
    case 3:
        sides(s.standard, s.cash);
        return false;
    case 5:
        sides(s.user, s.cash);
        return false;
    case 6:
        sides(s.cash, s.user);
        return false;
    case 7:
    case 9:
    case 11:
        sides(s.user, s.standard);
        return false;
    case 8:
    case 10:
    case 12:
        sides(s.standard, s.user);
        return false;
    default:
        sides(s.standard, s.standard);
        return true;
    }
}

} // namespace

// ---- Construction and copying ---------------------------------------------------------------------

void TRANSACT::defaultTransact(const DOCUMENT* doc)
{
    isInit = false;
    importID = -1;
    importTouched = false;
    importDoublon = false;
    synchroID = 0;
    synchroDate = 0;
    when = SystemClock::now();
    planifiedDate = when;
    who1 = DOCPARAM::getDefaultCompte(doc);
    who2 = who1;
    releveID1 = -1;
    releveID2 = -1;
    moyen = 0;
    synonymeID = -1;
    variante = -1;
    posteID = DOCPARAM::getDefaultPoste(doc);
    chronoID = -1;
    previsionID = -1;
    taxeID = -1;
    titreID = -1;
    remunereID = -1;
    empruntID = -1;
    clotureMarkD = 0;
    clotureMarkC = 0;
    devise = MONTANT::currentDeviseSlot();
    annulation = false;
    for (MONTANT* m : {&solde, &taxe, &quote1, &quote2, &quote3})
        m->setFromMontant(MONTANT::zero());
    nTitre = 0;
    for (QString* s : {&ref, &why, &whyImport, &note})
        s->clear();
    deleteMulti();
    deleteAttachedDocuments();
}

TRANSACT TRANSACT::allocNewTransact(const DOCUMENT* doc)
{
    TRANSACT t;
    t.defaultTransact(doc);
    return t;
}

bool TRANSACT::operator==(const TRANSACT& other) const
{
    return storedFields(*this) == storedFields(other);
}

std::uint64_t TRANSACT::newIdentity()
{
    // Atomic: cheap, and sound whatever thread makes a transaction.
    static std::atomic<std::uint64_t> last {0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

void TRANSACT::setFromTransact(const TRANSACT& other)
{
    const bool keptMark = mark;
    const std::uint64_t keptIdentity = identity;
    *this = other;
    mark = keptMark;
    identity = keptIdentity;
}

TRANSACT TRANSACT::copyOfTransact() const
{
    TRANSACT t = *this;
    t.mark = false;
    return t;
}

void TRANSACT::roundAmountsAsStored(const DeviseList& devises)
{
    for (MONTANT* m : {&solde, &taxe, &quote1, &quote2, &quote3})
        m->roundAsStored(devises);
    for (MULTI& multi : multis)
        multi.montant.roundAsStored(devises);
}

MultiList TRANSACT::copyOfMultiArray(const MultiList& multis)
{
    return multis;
}

AttachedDocumentList TRANSACT::copyOfAttachedDocumentsArray(const AttachedDocumentList& documents)
{
    return documents;
}

TRANSACT TRANSACT::initialisationTransact(long compteID, const MONTANT& montant, long deviseSlot, double date,
                                          const DOCUMENT* doc)
{
    TRANSACT t = allocNewTransact(doc);
    t.when = date;
    t.devise = deviseSlot;
    t.isInit = true;
    t.moyen = 0;
    t.solde.setFromMontant(montant);
    if (montant.negativeMontant()) {
        MONTANT::invertMontant(t.solde);
        t.who1 = compteID;
        t.who2 = kCompteInitialisationID;
    } else {
        t.who1 = kCompteInitialisationID;
        t.who2 = compteID;
    }
    return t;
}

TRANSACT TRANSACT::moyenToTrans(MoyenList& moyens, int family, long activeCompteID, double when, const DOCUMENT* doc)
{
    TRANSACT t = allocNewTransact(doc);
    t.when = when;
    if (activeCompteID >= 0) {
        if (const TOOL* compte = TOOL::getTool(kToolCompte, activeCompteID, doc))
            t.devise = compte->devise;
    }
    const SidesOfFamily sides {TOOL::defaultUserCompte(kBanqueUser, activeCompteID, doc),
                               TOOL::defaultUserCompte(kBanqueLiquide, activeCompteID, doc),
                               DOCPARAM::getDefaultCompte(doc)};
    if (setSidesForFamily(t, family, sides))
        t.devise = MONTANT::currentDeviseSlot();
    long index = 0;
    if ((family == kFamilyChequeDebit || family == kFamilyCarteDebit)
        && MOYEN::getMoyenIndex(moyens, family, sides.user, &index, doc))
        t.setTransactDefaultVariante(moyens, index);
    t.moyen = family;
    return t;
}

// ---- Split lines and attached files -------------------------------------------------------------

const MULTI* TRANSACT::multiAtIndex(long index) const
{
    return itemAt(multis, index);
}

MULTI* TRANSACT::multiAtIndex(long index)
{
    return itemAt(multis, index);
}

void TRANSACT::addMultiWithPosteID(long poste, const MONTANT& montant, const QString& multiNote)
{
    multis.append(MULTI(poste, montant, multiNote));
}

void TRANSACT::enumerateMultisUsingBlock(const std::function<void(MULTI&)>& block)
{
    for (MULTI& m : multis)
        block(m);
}

const AttachedDocument* TRANSACT::attachedDocumentAtIndex(long index) const
{
    return itemAt(attachedDocuments, index);
}

AttachedDocument* TRANSACT::attachedDocumentAtIndex(long index)
{
    return itemAt(attachedDocuments, index);
}

// ---- Queries and small changes ------------------------------------------------------------------

bool TRANSACT::transactUsesPosteID(long ident, long* multiIndex) const
{
    long found = -1;
    bool uses = false;
    if (multis.isEmpty()) {
        uses = posteID == ident;
    } else {
        for (long i = 0; i < multis.size(); ++i) {
            if (multis[i].posteID == ident)
                found = i;
        }
        uses = found >= 0;
    }
    if (multiIndex)
        *multiIndex = found;
    return uses;
}

void TRANSACT::changePosteInTransact(long oldID, long newID)
{
    if (posteID == oldID)
        posteID = newID;
    for (MULTI& m : multis) {
        if (m.posteID == oldID)
            m.posteID = newID;
    }
}

void TRANSACT::annulerTransact()
{
    annulation = true;
    solde.setFromMontant(MONTANT::zero());
    deleteMulti();
    taxeID = -1;
    titreID = -1;
    remunereID = -1;
    empruntID = -1;
}

void TRANSACT::markTransactImport(const QString& label, long compteID, bool canChangeInfo)
{
    importID = compteID;
    importTouched = false;
    if (canChangeInfo && why.isEmpty())
        why = label;
    whyImport = label;
}

bool TRANSACT::isTransactImportTouched(const DOCUMENT* doc) const
{
    if (importID < 0)
        return false;
    if (who1 != kCompteAnonymeID && who2 != kCompteAnonymeID)
        return true;
    if (posteID != DOCPARAM::getDefaultPoste(doc))
        return true;
    return moyen != 0;
}

long TRANSACT::transToMoyenCompte() const
{
    if (isDebitFamily(moyen))
        return who1;
    if (isCreditFamily(moyen))
        return who2;
    return -1;
}

namespace {

void setSides(bool* deb, bool* cre, bool debit, bool credit)
{
    if (deb)
        *deb = debit;
    if (cre)
        *cre = credit;
}

bool compteOwnedBy(long compteID, long banqueID, const DOCUMENT* doc)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, compteID, doc);
    return compte && compte->ownerID == banqueID;
}

} // namespace

void TRANSACT::checkDebitCreditCpt(long compteID, bool* deb, bool* cre) const
{
    setSides(deb, cre, who1 == compteID, who2 == compteID);
}

void TRANSACT::checkDebitCreditBanque(long banqueID, bool* deb, bool* cre, const DOCUMENT* doc) const
{
    setSides(deb, cre, compteOwnedBy(who1, banqueID, doc), compteOwnedBy(who2, banqueID, doc));
}

void TRANSACT::checkDebitCreditUser(bool* deb, bool* cre, const DOCUMENT* doc) const
{
    setSides(deb, cre, TOOL::compteIDBelongToUser(who1, doc), TOOL::compteIDBelongToUser(who2, doc));
}

void TRANSACT::checkDebitCredit(long compteID, bool* deb, bool* cre, const DOCUMENT* doc) const
{
    if (compteID < 0)
        checkDebitCreditUser(deb, cre, doc);
    else
        checkDebitCreditCpt(compteID, deb, cre);
}

void TRANSACT::checkDebitCreditB(long banqueID, bool* deb, bool* cre, const DOCUMENT* doc) const
{
    if (banqueID < 0) {
        checkDebitCreditUser(deb, cre, doc);
        return;
    }
    checkDebitCreditBanque(banqueID, deb, cre, doc);
}

void TRANSACT::setTransactDefaultVariante(const MoyenList& moyens, long index)
{
    const MOYEN* moyenRecord = MOYEN::moyenAtIndex(moyens, index);
    if (!moyenRecord)
        return;
    if (moyenRecord->kind != kFamilyCarteDebit && moyenRecord->kind != kFamilyChequeDebit)
        return;
    const VARIANTE* v = defaultVarianteOf(*moyenRecord);
    if (!v)
        return;
    variante = v->ident;
    if (moyenRecord->kind == kFamilyChequeDebit)
        ref = v->newReference();
}

// ---- The document's list ------------------------------------------------------------------------

long TRANSACT::nbTrans(const DOCUMENT* doc)
{
    return doc ? doc->transact_array.size() : 0;
}

TRANSACT* TRANSACT::transactAtIndexInDocument(long index, DOCUMENT* doc)
{
    return doc ? itemAt(doc->transact_array, index) : nullptr;
}

const TRANSACT* TRANSACT::transactAtIndexInDocument(long index, const DOCUMENT* doc)
{
    return doc ? itemAt(doc->transact_array, index) : nullptr;
}

std::optional<TRANSACT> TRANSACT::loadTransactCopy_from_file(long index, const DOCUMENT* doc)
{
    const TRANSACT* stored = transactAtIndexInDocument(index, doc);
    if (!stored)
        return std::nullopt;
    return stored->copyOfTransact();
}

long TRANSACT::allocTransact(const TRANSACT& trans, DOCUMENT* doc)
{
    if (!doc)
        return -1;
    const long index = doc->transact_array.size();
    doc->transact_array.append(trans.copyOfTransact());
    TRANSACT& added = doc->transact_array.last();
    // What is added is a copy (a paste, an import line, an occurrence), never the transaction it
    // was taken from, which may still be in the list.
    added.identity = newIdentity();
    added.roundAmountsAsStored(doc->deviseHdl);
    return index;
}

void TRANSACT::enumerateTransactsUsingBlock(DOCUMENT* doc, const std::function<void(TRANSACT&, long)>& block)
{
    if (!doc)
        return;
    TransactList& list = doc->transact_array;
    for (long i = 0; i < list.size(); ++i)
        block(list[i], i);
}

void TRANSACT::markAllTransact(bool flag, DOCUMENT* doc)
{
    if (!doc)
        return;
    for (TRANSACT& t : doc->transact_array)
        t.mark = flag;
}

void TRANSACT::getTransactExtremeDates(const DOCUMENT* doc, double* date1, double* date2)
{
    double first = 0;
    double last = 0;
    if (doc && !doc->transact_array.isEmpty()) {
        const auto [low, high]
            = std::minmax_element(doc->transact_array.cbegin(), doc->transact_array.cend(),
                                  [](const TRANSACT& a, const TRANSACT& b) { return a.when < b.when; });
        first = low->when;
        last = high->when;
    }
    if (date1)
        *date1 = first;
    if (date2)
        *date2 = last;
}
