#include "ECHEANCIER.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TransactOps.h"
#include "model/idents.h"

ECHEANCIER::ECHEANCIER(const DOCUMENT* doc)
    : transact(TRANSACT::allocNewTransact(doc))
    , nom(localizedMisc(QStringLiteral("kMisc_DefaultName")))
    , planificator(transact.when, Planificator::kTypeEcheancier)
{
}

ECHEANCIER ECHEANCIER::clonerEcheancier() const
{
    ECHEANCIER clone;
    clone.ident = ident;
    clone.nom = nom;
    clone.transact.setFromTransact(transact);
    clone.perso = PECHEANCIER::copyOfPersoArray(perso);
    clone.planificator = planificator.copyOfPlanificator();
    return clone;
}

// ---- Functions on schedules ---------------------------------------------------------------------

bool echeancierIsFinished(const ECHEANCIER& echeancier)
{
    return echeancier.planificator.isFinished() && echeancier.planificator.nbWritePEch >= echeancier.perso.size();
}

long echeancierPersoCount(const ECHEANCIER* echeancier)
{
    return echeancier ? echeancier->perso.size() : 0;
}

TRANSACT echeancierOccurrenceAtDate(const ECHEANCIER& echeancier, double date)
{
    TRANSACT occurrence = copyTransact(echeancier.transact);
    occurrence.when = date;
    occurrence.planifiedDate = date;
    occurrence.chronoID = echeancier.ident;
    return occurrence;
}

TRANSACT echeancierPersoOccurrence(const ECHEANCIER& echeancier, const PECHEANCIER& perso)
{
    TRANSACT occurrence = copyTransact(perso.transact);
    occurrence.chronoID = echeancier.ident;
    return occurrence;
}

PECHEANCIER* echeancierPersoAtIndex(ECHEANCIER& echeancier, long index)
{
    if (index < 0 || index >= echeancier.perso.size())
        return nullptr;
    return &echeancier.perso[index];
}

const PECHEANCIER* echeancierPersoAtIndex(const ECHEANCIER& echeancier, long index)
{
    return objectAtIndexOrNil(&echeancier.perso, index);
}

long echeancierInsertPersoSorted(ECHEANCIER& echeancier, const PECHEANCIER& perso)
{
    long index = 0;
    while (index < echeancier.perso.size() && !(echeancier.perso.at(index).transact.when > perso.transact.when))
        ++index;
    echeancier.perso.insert(index, perso);
    return index;
}

std::optional<PECHEANCIER> echeancierRemovePersoAtIndex(ECHEANCIER& echeancier, long index)
{
    if (index < 0 || index >= echeancier.perso.size())
        return std::nullopt;
    return echeancier.perso.takeAt(index);
}

void enumerateEcheanciers(DOCUMENT* doc, const std::function<void(ECHEANCIER&)>& block)
{
    if (!doc)
        return;
    for (ECHEANCIER& echeancier : doc->echeancierHdl)
        block(echeancier);
}

bool findEcheancierByName(const QString& name, const DOCUMENT* doc, long* index)
{
    if (index)
        *index = -1;
    if (!doc)
        return false;
    for (long i = 0; i < doc->echeancierHdl.size(); ++i) {
        if (doc->echeancierHdl.at(i).nom.compare(name, Qt::CaseInsensitive) == 0) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

namespace {

long findEcheancierPosition(long ident, const DOCUMENT* doc)
{
    if (!doc)
        return -1;
    for (long i = 0; i < doc->echeancierHdl.size(); ++i) {
        if (doc->echeancierHdl.at(i).ident == ident)
            return i;
    }
    return -1;
}

} // namespace

bool findEcheancier(long ident, DOCUMENT* doc, ECHEANCIER** echeancier, long* index)
{
    const long position = findEcheancierPosition(ident, doc);
    if (echeancier)
        *echeancier = position < 0 ? nullptr : &doc->echeancierHdl[position];
    if (index)
        *index = position;
    return position >= 0;
}

bool findEcheancier(long ident, const DOCUMENT* doc, const ECHEANCIER** echeancier, long* index)
{
    const long position = findEcheancierPosition(ident, doc);
    if (echeancier)
        *echeancier = position < 0 ? nullptr : &doc->echeancierHdl.at(position);
    if (index)
        *index = position;
    return position >= 0;
}

QString echeancierNameForIdent(long ident, const DOCUMENT* doc)
{
    if (ident == -1)
        return localizedMisc(QStringLiteral("kMisc_PasDEcheancier"));
    const ECHEANCIER* echeancier = nullptr;
    if (findEcheancier(ident, doc, &echeancier, nullptr))
        return echeancier->nom;
    return QStringLiteral("?");
}

void detachTransactsFromEcheancier(long ident, DOCUMENT* doc)
{
    TRANSACT::enumerateTransactsUsingBlock(doc, [ident](TRANSACT& transact, long) {
        if (transact.chronoID == ident)
            transact.chronoID = -1;
    });
}

// Every schedule of the document, not only the indexed ones: a schedule missing from the index
// must not keep a category that no longer exists.
void replacePosteInEcheanciers(long oldID, long newID, DOCUMENT* doc)
{
    enumerateEcheanciers(doc, [oldID, newID](ECHEANCIER& echeancier) {
        echeancier.transact.changePosteInTransact(oldID, newID);
        for (PECHEANCIER& perso : echeancier.perso)
            perso.transact.changePosteInTransact(oldID, newID);
    });
}

// ---- The schedule ident index ---------------------------------------------------------------------

namespace {

const QList<long>& echeancierIdents(const DOCUMENT* doc)
{
    static const QList<long> none;
    return doc ? doc->echeancierIndex : none;
}

} // namespace

void buildEcheancierIndex(DOCUMENT* doc)
{
    if (!doc)
        return;
    doc->echeancierIndex.clear();
    for (const ECHEANCIER& echeancier : doc->echeancierHdl)
        insertEcheancierInIndex(echeancier.ident, doc);
}

long insertEcheancierInIndex(long ident, DOCUMENT* doc)
{
    if (!doc)
        return -1;
    QList<long>& idents = doc->echeancierIndex;
    long position = idents.size();
    const ECHEANCIER* echeancier = nullptr;
    if (findEcheancier(ident, doc, &echeancier, nullptr)) {
        for (long i = 0; i < idents.size(); ++i) {
            const ECHEANCIER* other = nullptr;
            if (findEcheancier(idents.at(i), doc, &other, nullptr)
                && other->nom.compare(echeancier->nom, Qt::CaseInsensitive) > 0) {
                position = i;
                break;
            }
        }
    }
    idents.insert(position, ident);
    return position;
}

bool findEcheancierIndexPosition(long ident, long* position, const DOCUMENT* doc)
{
    const long found = echeancierIdents(doc).indexOf(ident);
    if (position)
        *position = found;
    return found >= 0;
}

bool echeancierAtIndexPosition(long position, ECHEANCIER** echeancier, DOCUMENT* doc)
{
    if (echeancier)
        *echeancier = nullptr;
    const QList<long>& idents = echeancierIdents(doc);
    if (position < 0 || position >= idents.size() || idents.at(position) < 0)
        return false;
    return findEcheancier(idents.at(position), doc, echeancier, nullptr);
}

bool echeancierAtIndexPosition(long position, const ECHEANCIER** echeancier, const DOCUMENT* doc)
{
    if (echeancier)
        *echeancier = nullptr;
    const QList<long>& idents = echeancierIdents(doc);
    if (position < 0 || position >= idents.size() || idents.at(position) < 0)
        return false;
    return findEcheancier(idents.at(position), doc, echeancier, nullptr);
}

long echeancierIndexCount(const DOCUMENT* doc)
{
    return echeancierIdents(doc).size();
}

const QList<long>& echeancierIndexArray(const DOCUMENT* doc)
{
    return echeancierIdents(doc);
}

void enumerateEcheancierIndex(const DOCUMENT* doc, const std::function<void(long ident, long position)>& block)
{
    const QList<long> idents = echeancierIdents(doc);
    for (long i = 0; i < idents.size(); ++i)
        block(idents.at(i), i);
}

long addEcheancier(const ECHEANCIER& echeancier, DOCUMENT* doc, long ident, long* position)
{
    if (position)
        *position = -1;
    if (!doc)
        return -1;
    if (ident < 0)
        ident = newRandomIdent([doc](long id) { return findEcheancierPosition(id, doc) >= 0; });
    if (ident < 0)
        return -1;
    doc->echeancierHdl.append(echeancier);
    doc->echeancierHdl.last().ident = ident;
    const long inserted = insertEcheancierInIndex(ident, doc);
    if (position)
        *position = inserted;
    return ident;
}

void removeEcheancierAtIndexPosition(long position, DOCUMENT* doc)
{
    if (!doc || position < 0 || position >= doc->echeancierIndex.size())
        return;
    long arrayIndex = -1;
    if (findEcheancier(doc->echeancierIndex.at(position), doc, static_cast<ECHEANCIER**>(nullptr), &arrayIndex))
        doc->echeancierHdl.removeAt(arrayIndex);
    // The position goes even when its schedule is missing, so the index never names it again.
    doc->echeancierIndex.removeAt(position);
}
