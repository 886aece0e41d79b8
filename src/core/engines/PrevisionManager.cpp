#include "PrevisionManager.h"

#include "engines/PlanificatorWalk.h"
#include "model/DOCUMENT.h"
#include "model/idents.h"

// ---- The shared manager ---------------------------------------------------------------------------

PrevisionManager& PrevisionManager::sharedManager()
{
    static PrevisionManager manager;
    return manager;
}

// ---- Forecasts ------------------------------------------------------------------------------------

void PrevisionManager::enumeratePrevisionsUsingBlock(DOCUMENT* doc,
                                                     const std::function<void(Prevision&, qsizetype)>& block)
{
    if (!doc || !block)
        return;
    for (qsizetype i = 0; i < doc->previsionsArray.size(); ++i)
        block(doc->previsionsArray[i], i);
}

long PrevisionManager::newPrevisionIDInArray(const PrevisionList& list)
{
    return newRandomIdent([&list](long id) { return findPrevisionWithIdentInArray(id, nullptr, list) != nullptr; });
}

long PrevisionManager::newPrevisionID(const DOCUMENT* doc)
{
    if (!doc)
        return newPrevisionIDInArray(PrevisionList());
    return newPrevisionIDInArray(doc->previsionsArray);
}

bool PrevisionManager::getPrevisionInArray(PrevisionList& list, long ident, Prevision** prevision, qsizetype* index)
{
    Prevision* found = findPrevisionWithIdentInArray(ident, index, list);
    if (prevision)
        *prevision = found;
    return found != nullptr;
}

bool PrevisionManager::getPrevision(long ident, DOCUMENT* doc, Prevision** prevision, qsizetype* index)
{
    if (!doc) {
        if (prevision)
            *prevision = nullptr;
        if (index)
            *index = -1;
        return false;
    }
    return getPrevisionInArray(doc->previsionsArray, ident, prevision, index);
}

Prevision* PrevisionManager::getPrevisionWithIdent(long ident, DOCUMENT* doc)
{
    Prevision* prevision = nullptr;
    getPrevision(ident, doc, &prevision, nullptr);
    return prevision;
}

QString PrevisionManager::getPrevisionName(long ident, const DOCUMENT* doc)
{
    if (!doc)
        return QString();
    const Prevision* prevision = findPrevisionWithIdentInArray(ident, nullptr, doc->previsionsArray);
    return prevision ? prevision->name : QString();
}

void PrevisionManager::changePosteInPrevisions(long oldIdent, long newIdent, DOCUMENT* doc)
{
    enumeratePrevisionsUsingBlock(doc, [oldIdent, newIdent](Prevision& prevision, qsizetype) {
        if (prevision.transact.posteID == oldIdent)
            prevision.transact.posteID = newIdent;
    });
}

void PrevisionManager::addPrevision(const Prevision& prevision, PrevisionList* list)
{
    if (list)
        list->append(prevision);
}

// ---- The index ------------------------------------------------------------------------------------

void PrevisionManager::buildPrevisionIndex(DOCUMENT* doc)
{
    if (!doc)
        return;
    doc->previsionIndex.clear();
    for (const Prevision& prevision : doc->previsionsArray)
        insertIndexedPrevision(prevision, doc);
}

qsizetype PrevisionManager::insertIndexedPrevision(const Prevision& prevision, DOCUMENT* doc)
{
    if (!doc)
        return -1;
    QList<long>& idents = doc->previsionIndex;
    qsizetype position = idents.size();
    for (qsizetype i = 0; i < idents.size(); ++i) {
        const Prevision* indexed = findPrevisionWithIdentInArray(idents.at(i), nullptr, doc->previsionsArray);
        if (indexed && QString::compare(indexed->name, prevision.name, Qt::CaseSensitive) > 0) {
            position = i;
            break;
        }
    }
    idents.insert(position, prevision.ident);
    return position;
}

const QList<long>& PrevisionManager::thePrevisionIndex(const DOCUMENT* doc) const
{
    static const QList<long> none;
    return doc ? doc->previsionIndex : none;
}

void PrevisionManager::setThePrevisionIndex(const QList<long>& idents, DOCUMENT* doc)
{
    if (doc)
        doc->previsionIndex = idents;
}

void PrevisionManager::enumerateIndexedPrevisionsUsingBlock(DOCUMENT* doc,
                                                            const std::function<void(Prevision&, qsizetype)>& block)
{
    if (!block)
        return;
    // A copy: the block may change the index.
    const QList<long> idents = thePrevisionIndex(doc);
    for (qsizetype i = 0; i < idents.size(); ++i) {
        if (Prevision* prevision = getPrevisionWithIdent(idents.at(i), doc))
            block(*prevision, i);
    }
}

qsizetype PrevisionManager::nbIndexedPrevisions(const DOCUMENT* doc) const
{
    return thePrevisionIndex(doc).size();
}

long PrevisionManager::getIndexedPrevisionID(qsizetype position, const DOCUMENT* doc) const
{
    const QList<long>& idents = thePrevisionIndex(doc);
    return position >= 0 && position < idents.size() ? idents.at(position) : -1;
}

Prevision* PrevisionManager::getIndexedPrevision(qsizetype position, DOCUMENT* doc)
{
    const long ident = getIndexedPrevisionID(position, doc);
    return ident < 0 ? nullptr : getPrevisionWithIdent(ident, doc);
}

bool PrevisionManager::findIndexedPrevisionWithIdent(long ident, qsizetype* position, const DOCUMENT* doc) const
{
    const qsizetype found = thePrevisionIndex(doc).indexOf(ident);
    if (position)
        *position = found;
    return found >= 0;
}

long PrevisionManager::addIndexedPrevisionReference(Prevision prevision, DOCUMENT* doc, long ident, qsizetype* position)
{
    if (position)
        *position = -1;
    if (!doc)
        return -1;
    if (ident < 0) {
        ident = newPrevisionID(doc);
        if (ident < 0)
            return -1;
    } else {
        qsizetype old = -1;
        if (findPrevisionWithIdentInArray(ident, &old, doc->previsionsArray))
            doc->previsionsArray.removeAt(old);
        // The replaced forecast leaves the index too, or the schedule window would list it twice.
        doc->previsionIndex.removeAll(ident);
    }
    prevision.ident = ident;
    doc->previsionsArray.append(prevision);
    const qsizetype inserted = insertIndexedPrevision(prevision, doc);
    if (position)
        *position = inserted;
    return ident;
}

void PrevisionManager::removeIndexedPrevisionReference(qsizetype position, DOCUMENT* doc)
{
    if (!doc || position < 0 || position >= doc->previsionIndex.size())
        return;
    const long ident = doc->previsionIndex.at(position);
    qsizetype found = -1;
    if (findPrevisionWithIdentInArray(ident, &found, doc->previsionsArray))
        doc->previsionsArray.removeAt(found);
    doc->previsionIndex.removeAt(position);
}

// ---- Matching -------------------------------------------------------------------------------------

namespace {

// Every occurrence of the forecast's rule up to maxDate whose window holds the date.
void collectCandidates(const Prevision& prevision, qsizetype position, double when, double maxDate,
                       QList<PrevisionCandidate>& candidates)
{
    if (!prevision.planificator)
        return;
    const Planificator& rule = *prevision.planificator;
    PlanificatorWalk walk(rule);
    const auto look = [&](bool, bool reconduction, double date, double) {
        if (reconduction)
            return;
        const double end = rule.computeValideToDate(date);
        if (date <= when && when <= end)
            candidates.append({position, date, end});
    };
    while (walk.chronoLoop(maxDate, look)) { }
}

} // namespace

const Prevision* PrevisionManager::findPrevisionMatchingTransact(const TRANSACT& trans, double maxDate, double* date1,
                                                                 double* date2, const DOCUMENT* doc)
{
    if (date1)
        *date1 = 0;
    if (date2)
        *date2 = 0;
    if (!doc)
        return nullptr;
    const PrevisionList& list = doc->previsionsArray;
    QList<PrevisionCandidate> candidates;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Prevision& prevision = list.at(i);
        if (prevision.planificator && trans.transactUsesPosteID(prevision.transact.posteID, nullptr))
            collectCandidates(prevision, i, trans.when, maxDate, candidates);
    }
    const std::optional<PrevisionCandidate> best = bestPrevisionDictionaryForTransact(trans, candidates, list);
    if (!best)
        return nullptr;
    if (date1)
        *date1 = best->date1;
    if (date2)
        *date2 = best->date2;
    return &list.at(best->index);
}

std::optional<PrevisionCandidate>
PrevisionManager::bestPrevisionDictionaryForTransact(const TRANSACT& trans, const QList<PrevisionCandidate>& candidates,
                                                     const PrevisionList& list)
{
    std::optional<PrevisionCandidate> best;
    for (const PrevisionCandidate& candidate : candidates) {
        if (previsionDictionaryIsBestThan(candidate, best ? &*best : nullptr, trans, list))
            best = candidate;
    }
    return best;
}

bool PrevisionManager::previsionDictionaryIsBestThan(const PrevisionCandidate& candidate,
                                                     const PrevisionCandidate* best, const TRANSACT& trans,
                                                     const PrevisionList& list)
{
    if (!best)
        return true;
    if (candidate.index < 0 || candidate.index >= list.size())
        return false;
    if (best->index < 0 || best->index >= list.size())
        return true;
    const TRANSACT& a = list.at(candidate.index).transact;
    const TRANSACT& b = list.at(best->index).transact;
    if (a.who1 == trans.who1 && a.who2 == trans.who2)
        return true;
    if (b.who1 == trans.who1 && b.who2 == trans.who2)
        return false;
    if (a.who1 == trans.who1)
        return true;
    if (b.who1 == trans.who1)
        return false;
    return a.who2 == trans.who2;
}

void PrevisionManager::previsionInterval(const Prevision& prevision, double refDate, double* l1, double* l2)
{
    if (l1)
        *l1 = refDate;
    // A forecast without a rule has no validity length: its window is the date itself.
    if (l2)
        *l2 = prevision.planificator ? prevision.planificator->computeValideToDate(refDate) : refDate;
}
