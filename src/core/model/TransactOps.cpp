#include "model/TransactOps.h"

#include "foundation/ISounds.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/selectors.h"
#include "model/AttachedDocuments.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"

#include <cmath>
#include <cstdint>

namespace {

// One account's statement to recompute: its position, or -1 for the part in no statement.
struct ReleveTarget {
    long compteID = -1;
    long position = -1;
    bool operator==(const ReleveTarget&) const = default;
};
using ReleveTargets = QList<ReleveTarget>;

const TOOL* compteOf(long ident, const DOCUMENT* doc)
{
    return getTool(kToolCompte, ident, doc);
}

// Where the statement of that ident stands in the account; -1 in no statement or for an ident
// the account doesn't have (such a side counts nowhere).
long relevePosition(const TOOL& compte, long releveID)
{
    long position = -1;
    return compte.findReleveID(releveID, &position) ? position : -1;
}

void addTarget(ReleveTargets& targets, long compteID, long position)
{
    const ReleveTarget target {compteID, position};
    if (!targets.contains(target))
        targets.append(target);
}

void recompute(const ReleveTargets& targets, DOCUMENT* doc)
{
    if (TransactBatch* batch = TransactBatch::openOn(doc)) {
        for (const ReleveTarget& target : targets)
            batch->deferReleve({target.compteID, target.position});
        return;
    }
    for (const ReleveTarget& target : targets) {
        if (TOOL* compte = getTool(kToolCompte, target.compteID, doc))
            computeReleve(*compte, target.position, doc);
    }
}

// The part in no statement of a side's account and, for a side already ticked, its statement.
// False when the account is missing.
bool addNewSide(ReleveTargets& targets, long compteID, long releveID, const DOCUMENT* doc)
{
    const TOOL* compte = compteOf(compteID, doc);
    if (!compte)
        return false;
    const long position = relevePosition(*compte, releveID);
    if (position >= 0)
        addTarget(targets, compteID, position);
    addTarget(targets, compteID, -1);
    return true;
}

// One side of a replaced transaction, before and after.
struct ReplacedSide {
    long oldCompte = -1;
    long oldPosition = -1; // of the statement that held the old version
    long oldReleve = -1;
    long newCompte = -1;
    long newReleve = -1;
};

// The statement that held the old version, then, when the side's account or statement changed,
// where the new version counts now. False when an account the side names is missing.
bool addReplacedSide(ReleveTargets& targets, const ReplacedSide& side, const DOCUMENT* doc)
{
    bool ok = compteOf(side.oldCompte, doc) != nullptr;
    if (ok)
        addTarget(targets, side.oldCompte, side.oldPosition);
    if (side.newCompte != side.oldCompte || side.newReleve != side.oldReleve)
        ok = addNewSide(targets, side.newCompte, side.newReleve, doc) && ok;
    return ok;
}

void playTransactSound()
{
    if (ISounds* player = sounds())
        player->playSoundTransact();
}

// The windows' general refresh, once the last transaction of a change is in place.
void sendFollowUps()
{
    sendToAllWindowDelegates(Sel::UPDATE_AVENIR);
    sendToAllWindowDelegates(Sel::COMPUTE_ANALYSE_NOTIFICATION);
    sendToAllWindowDelegates(Sel::DID_CHANGE_TRANSACT);
}

// The stored copies of a transaction's attached files go at the next save.
void queueAttachedDocuments(DOCUMENT* doc, const TRANSACT& trans)
{
    QStringList storeNames;
    for (const AttachedDocument& attached : trans.attachedDocuments) {
        if (!attached.docStoreName.isEmpty())
            storeNames.append(attached.docStoreName);
    }
    if (!storeNames.isEmpty())
        addStoredAttachedDocumentToDelete(*doc, storeNames);
}

TransactBatch* batchFor(const DOCUMENT* doc, TransactBatch::Change change)
{
    TransactBatch* batch = TransactBatch::openOn(doc);
    if (batch)
        batch->willChange(change);
    return batch;
}

QVariant position(long index)
{
    return QVariant::fromValue<qlonglong>(index);
}

} // namespace

bool makeTransact(const TRANSACT& trans, long* index, DOCUMENT* doc, bool notify, bool isLast)
{
    TransactBatch* batch = batchFor(doc, TransactBatch::Change::Make);
    const long stored = TRANSACT::allocTransact(trans, doc);
    if (index)
        *index = stored;
    if (stored < 0)
        return false;
    updateChequeNumbering(stored, doc);
    ReleveTargets targets;
    addNewSide(targets, trans.who1, trans.releveID1, doc);
    addNewSide(targets, trans.who2, trans.releveID2, doc);
    recompute(targets, doc);
    if (batch)
        batch->didMake(stored, notify, isLast);
    else if (notify && isLast)
        notifyMakeTransact(stored);
    return true;
}

void notifyMakeTransact(long index)
{
    playTransactSound();
    sendToAllWindowDelegates(Sel::MAKE_TRANSACT, position(index), QVariant(true));
    sendFollowUps();
}

void notifyTransactFollowUps()
{
    playTransactSound();
    sendFollowUps();
}

bool replaceTransact(const TRANSACT& trans, long index, DOCUMENT* doc, bool notify, bool isLast, bool keepSelection)
{
    TransactBatch* batch = batchFor(doc, TransactBatch::Change::Replace);
    const TRANSACT* current = transactAtIndex(index, doc);
    if (!current) {
        svLog(QStringLiteral("replaceTransactData index out of bound !"));
        return false;
    }
    const TRANSACT old = *current;
    long r1 = -1;
    long r2 = -1;
    findTransactReleveIndexes(index, doc, &r1, &r2);
    replaceTransactData(doc, index, trans);
    updateChequeNumbering(index, doc);

    ReleveTargets targets;
    const bool debit = addReplacedSide(targets, {old.who1, r1, old.releveID1, trans.who1, trans.releveID1}, doc);
    const bool credit = addReplacedSide(targets, {old.who2, r2, old.releveID2, trans.who2, trans.releveID2}, doc);
    recompute(targets, doc);

    if (batch) {
        batch->didReplace(index, notify, isLast, keepSelection);
    } else if (notify) {
        sendToAllWindowDelegates(Sel::REPLACE_TRANSACT, position(index), QVariant(keepSelection));
        if (isLast)
            notifyTransactFollowUps();
    }
    return debit && credit;
}

bool deleteTransact(long index, DOCUMENT* doc, bool notify, bool isLast)
{
    TransactBatch* batch = batchFor(doc, TransactBatch::Change::Delete);
    const TRANSACT* current = transactAtIndex(index, doc);
    if (!current)
        return false;
    const long who1 = current->who1;
    const long who2 = current->who2;
    long r1 = -1;
    long r2 = -1;
    findTransactReleveIndexes(index, doc, &r1, &r2);
    deleteTransactData(doc, index);

    const bool ok = compteOf(who1, doc) && compteOf(who2, doc);
    ReleveTargets targets;
    addTarget(targets, who1, r1);
    addTarget(targets, who2, r2);
    recompute(targets, doc);

    if (batch) {
        batch->didDelete(index, notify, isLast);
    } else if (notify) {
        sendToAllWindowDelegates(Sel::DELETE_TRANSACT, position(index), QVariant(isLast));
        if (isLast)
            notifyTransactFollowUps();
    }
    return ok;
}

// Removing transactions one at a time from the middle of a long list moves every later one each
// time: a batch of tens of thousands would take minutes. They are told one by one, then the list
// is rebuilt once, before the batch tells the statements and the windows.
bool deleteTransacts(const std::vector<long>& positions, DOCUMENT* doc, bool notify, bool isLast)
{
    if (!doc)
        return false;
    bool ok = true;
    {
        const TransactBatch batch(doc);
        TransactBatch* open = batchFor(doc, TransactBatch::Change::Delete);
        const long count = long(doc->transact_array.size());
        std::vector<bool> gone(size_t(count), false);
        std::vector<long> valid;
        for (const long index : positions) {
            if (index >= 0 && index < count && !gone[size_t(index)]) {
                gone[size_t(index)] = true;
                valid.push_back(index);
            }
        }
        for (size_t k = 0; k < valid.size(); ++k) {
            const long index = valid[k];
            const TRANSACT& current = doc->transact_array[index];
            const long who1 = current.who1;
            const long who2 = current.who2;
            long r1 = -1;
            long r2 = -1;
            findTransactReleveIndexes(index, doc, &r1, &r2);
            queueAttachedDocuments(doc, doc->transact_array[index]);
            ok = compteOf(who1, doc) && compteOf(who2, doc) && ok;
            ReleveTargets targets;
            addTarget(targets, who1, r1);
            addTarget(targets, who2, r2);
            recompute(targets, doc);
            open->didDelete(index - long(k), notify, isLast && k + 1 == valid.size());
        }
        TransactList kept;
        kept.reserve(count - long(valid.size()));
        for (long index = 0; index < count; ++index) {
            if (!gone[size_t(index)])
                kept.append(std::move(doc->transact_array[index]));
        }
        doc->transact_array = std::move(kept);
    }
    return ok;
}

TRANSACT* replaceTransactData(DOCUMENT* doc, long index, const TRANSACT& trans)
{
    TRANSACT* stored = transactAtIndex(index, doc);
    if (!stored) {
        svLog(QStringLiteral("replaceTransactData index out of bound !"));
        return nullptr;
    }
    // The edited version is the same transaction, whatever copy it was written on.
    const std::uint64_t identity = stored->identity;
    *stored = trans.copyOfTransact();
    stored->identity = identity;
    stored->roundAmountsAsStored(doc->deviseHdl);
    return stored;
}

bool deleteTransactData(DOCUMENT* doc, long index)
{
    const TRANSACT* stored = transactAtIndex(index, doc);
    if (!stored)
        return false;
    queueAttachedDocuments(doc, *stored);
    doc->transact_array.removeAt(index);
    return true;
}

bool goodTransactMontant(TRANSACT& trans)
{
    if (std::isfinite(trans.solde.getValueForDevise(MONTANT::currentDeviseSlot())))
        return true;
    trans.solde.setFromMontant(MONTANT::zero());
    return false;
}

bool goodTransactPoste(const TRANSACT& trans)
{
    return trans.posteID >= 0;
}

bool goodTransactMoyen(const TRANSACT& trans, long moyenIndex, const DOCUMENT* doc)
{
    if (trans.moyen != kFamilyChequeDebit && trans.moyen != kFamilyCarteDebit)
        return true;
    const MOYEN* moyen = doc ? MOYEN::moyenAtIndex(doc->moyenHdl, moyenIndex) : nullptr;
    return moyen && VARIANTE::findVariante(trans.variante, moyen->variantes, nullptr);
}

bool goodTransactCompte(const TRANSACT& trans, const DOCUMENT* doc, int* err)
{
    int code = 0;
    if (!compteOf(trans.who1, doc) || !compteOf(trans.who2, doc))
        code = kBadTransNoCompte;
    else if (trans.who1 == trans.who2)
        code = kBadTransSameCompte;
    if (err)
        *err = code;
    return code == 0;
}

int goodTransact(TRANSACT& trans, long moyenIndex, const DOCUMENT* doc)
{
    if (!goodTransactMontant(trans))
        return kBadTransMontant;
    if (!goodTransactPoste(trans))
        return kBadTransPoste;
    if (!goodTransactMoyen(trans, moyenIndex, doc))
        return kBadTransMoyen;
    int code = 0;
    goodTransactCompte(trans, doc, &code);
    return code;
}

QString transErrToKey(int code)
{
    switch (code) {
    case kBadTransMontant:
        return QStringLiteral("kAlerte_BadTransMontant");
    case kBadTransPoste:
        return QStringLiteral("kAlerte_BadTransPoste");
    case kBadTransMoyen:
        return QStringLiteral("kAlerte_BadTransMoyen");
    case kBadTransNoCompte:
        return QStringLiteral("kAlerte_BadTransNoCompte");
    case kBadTransSameCompte:
        return QStringLiteral("kAlerte_BadTransSameCompte");
    default:
        return QStringLiteral("kAlerte_BadTrans");
    }
}

void updateChequeNumbering(long index, DOCUMENT* doc)
{
    const TRANSACT* trans = transactAtIndex(index, doc);
    if (!trans || trans->ref.isEmpty())
        return;
    if (trans->moyen != kFamilyChequeDebit && trans->moyen != kFamilyGuichetDebit
        && trans->moyen != kFamilyVirementInterne)
        return;
    const QString reference = trans->ref;
    const long varianteID = trans->variante;
    long moyenIndex = -1;
    if (!MOYEN::getMoyenIndex(doc->moyenHdl, kFamilyChequeDebit, trans->who1, &moyenIndex, doc))
        return;
    VarianteList& chequiers = doc->moyenHdl[moyenIndex].variantes;
    long varianteIndex = -1;
    if (!VARIANTE::findVariante(varianteID, chequiers, &varianteIndex))
        return;
    const long numero = VARIANTE::referenceNumber(reference);
    if (numero > chequiers[varianteIndex].lastNumero)
        chequiers[varianteIndex].lastNumero = numero;
}

void findTransactReleveIndexes(long index, DOCUMENT* doc, long* r1, long* r2)
{
    if (r1)
        *r1 = -1;
    if (r2)
        *r2 = -1;
    const TRANSACT* trans = transactAtIndex(index, doc);
    if (!trans)
        return;
    TOOL* debit = getTool(kToolCompte, trans->who1, doc);
    TOOL* credit = getTool(kToolCompte, trans->who2, doc);
    if (trans->isInit) {
        for (TOOL* compte : {debit, credit}) {
            if (compte)
                compte->inited = false;
        }
    }
    if (debit && r1)
        *r1 = relevePosition(*debit, trans->releveID1);
    if (credit && r2)
        *r2 = relevePosition(*credit, trans->releveID2);
}
