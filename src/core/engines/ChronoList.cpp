#include "ChronoManager.h"

#include "engines/PrevisionManager.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReferencePasses.h"

#include <QHash>

#include <algorithm>

// The schedules and forecasts of a document sorted into the groups the list shows, each group in
// the order of its index (names), so that a build walks the indexes once.
struct ChronoManager::Groups {
    QList<const ECHEANCIER*> split; // models with split lines: no single category holds them
    QHash<long, QList<const ECHEANCIER*>> echeanciers; // by the model's category
    QHash<long, QList<const Prevision*>> previsions; // by the model's category
};

namespace {

bool previsionIsFinished(const Prevision& prevision)
{
    return prevision.planificator && prevision.planificator->isFinished();
}

} // namespace

ChronoManager& ChronoManager::sharedManager()
{
    static ChronoManager manager;
    return manager;
}

void ChronoManager::hello(IChronoTable* table, DOCUMENT* doc)
{
    const DOCPARAM* param = getDocParam(doc);
    m_filter = param ? param->chronoFilter : kFilterAll;
    m_table = table;
    m_doc = doc;
    m_chronoList.clear();
    m_listBuilt = true;
    BUILD_LIST();
}

void ChronoManager::goodbye()
{
    m_chronoList.clear();
    m_listBuilt = false;
    // The table belongs to the closing window: a later rebuild must not reach it.
    m_table = nullptr;
    m_doc = nullptr;
}

void ChronoManager::BUILD_LIST()
{
    builChronoList(m_filter, m_doc);
}

void ChronoManager::REBUILD_LIST()
{
    const CHRONOLIST* selected = m_table ? chronolistAtIndex(m_table->selectedRow()) : nullptr;
    const std::optional<CHRONOLIST> kept
        = selected && selected->isChrono() ? std::optional<CHRONOLIST>(*selected) : std::nullopt;
    BUILD_LIST();
    long row = -1;
    if (kept)
        findChronoList(kept->kind, kept->ident, &row);
    if (m_table) {
        m_table->reloadData();
        m_table->GO(row);
    }
}

void ChronoManager::builChronoList(int filter, DOCUMENT* doc)
{
    m_parityReel = true;
    m_parityPrevision = true;
    m_lastType.reset();
    if (!m_listBuilt)
        return;
    m_chronoList.clear();
    if (!doc)
        return;
    const Groups groups = groupChronos(doc);
    appendNewReferenceToChronoList(CHRONOLIST::Kind::Poste, -1, filter, {});
    for (const ECHEANCIER* echeancier : groups.split)
        appendNewReferenceToChronoList(CHRONOLIST::Kind::Echeancier, echeancier->ident, filter, echeancier);
    dropEmptyHeader(0, filter);
    for (const DOSSIER& dossier : doc->dossierHdl) {
        const qsizetype dossierRow = m_chronoList.size();
        appendNewReferenceToChronoList(CHRONOLIST::Kind::Dossier, dossier.ident, filter, {});
        for (const POSTE& poste : doc->posteHdl) {
            if (poste.dossierID == dossier.ident)
                appendPosteRows(poste.ident, filter, groups);
        }
        dropEmptyHeader(dossierRow, filter);
    }
}

ChronoManager::Groups ChronoManager::groupChronos(DOCUMENT* doc)
{
    QHash<long, const ECHEANCIER*> byIdent;
    // The first schedule of an ident is the one every lookup by ident finds.
    for (const ECHEANCIER& echeancier : doc->echeancierHdl) {
        if (!byIdent.contains(echeancier.ident))
            byIdent.insert(echeancier.ident, &echeancier);
    }
    Groups groups;
    enumerateEcheancierIndex(doc, [&](long ident, long) {
        const ECHEANCIER* echeancier = byIdent.value(ident, nullptr);
        if (!echeancier)
            return;
        if (echeancier->transact.nbMultis() > 0)
            groups.split.append(echeancier);
        else
            groups.echeanciers[echeancier->transact.posteID].append(echeancier);
    });
    PrevisionManager::sharedManager().enumerateIndexedPrevisionsUsingBlock(doc, [&](Prevision& prevision, qsizetype) {
        groups.previsions[prevision.transact.posteID].append(&prevision);
    });
    return groups;
}

void ChronoManager::appendPosteRows(long posteID, int filter, const Groups& groups)
{
    const qsizetype posteRow = m_chronoList.size();
    appendNewReferenceToChronoList(CHRONOLIST::Kind::Poste, posteID, filter, {});
    for (const ECHEANCIER* echeancier : groups.echeanciers.value(posteID))
        appendNewReferenceToChronoList(CHRONOLIST::Kind::Echeancier, echeancier->ident, filter, echeancier);
    for (const Prevision* prevision : groups.previsions.value(posteID))
        appendNewReferenceToChronoList(CHRONOLIST::Kind::Prevision, prevision->ident, filter, prevision);
    dropEmptyHeader(posteRow, filter);
}

// Without the header bit a header stays only when rows were added under it; headers under a
// folder that lost every row were dropped already, so a folder keeps only headers with rows.
void ChronoManager::dropEmptyHeader(qsizetype headerIndex, int filter)
{
    if (!(filter & kFilterPostes) && m_chronoList.size() == headerIndex + 1)
        removeLastReference();
}

const CHRONOLIST* ChronoManager::chronolistAtIndex(long index) const
{
    if (!m_listBuilt || index < 0 || index >= m_chronoList.size())
        return nullptr;
    return &m_chronoList.at(index);
}

long ChronoManager::numberOfRows() const
{
    return m_listBuilt ? m_chronoList.size() : 0;
}

long ChronoManager::numberOfChronos() const
{
    if (!m_listBuilt)
        return 0;
    return std::count_if(m_chronoList.cbegin(), m_chronoList.cend(),
                         [](const CHRONOLIST& row) { return row.isChrono(); });
}

bool ChronoManager::findChronoList(CHRONOLIST::Kind kind, long ident, long* idx) const
{
    const long count = numberOfRows();
    for (long i = 0; i < count; ++i) {
        const CHRONOLIST& row = m_chronoList.at(i);
        if (row.kind == kind && row.ident == ident) {
            if (idx)
                *idx = i;
            return true;
        }
    }
    if (idx)
        *idx = -1;
    return false;
}

bool ChronoManager::filterAccepts(int filter, bool finished, int activeBit, int finishedBit) const
{
    if (filter == kFilterNone)
        return false;
    if (filter == kFilterAll)
        return true;
    return (filter & (finished ? finishedBit : activeBit)) != 0;
}

// The shading restarts on whenever the kind of row changes; headers don't interrupt a run.
bool ChronoManager::nextParity(CHRONOLIST::Kind kind)
{
    bool& parity = kind == CHRONOLIST::Kind::Echeancier ? m_parityReel : m_parityPrevision;
    if (m_lastType != kind)
        parity = true;
    const bool rowParity = parity;
    parity = !parity;
    m_lastType = kind;
    return rowParity;
}

bool ChronoManager::acceptsChrono(CHRONOLIST::Kind kind, int filter, const ChronoReference& reference) const
{
    switch (kind) {
    case CHRONOLIST::Kind::Echeancier: {
        const auto* echeancier = std::get_if<const ECHEANCIER*>(&reference);
        return echeancier && *echeancier
            && filterAccepts(filter, echeancierIsFinished(**echeancier), kFilterReelActif, kFilterReelEchu);
    }
    case CHRONOLIST::Kind::Prevision: {
        const auto* prevision = std::get_if<const Prevision*>(&reference);
        return prevision && *prevision
            && filterAccepts(filter, previsionIsFinished(**prevision), kFilterPrevisionActif, kFilterPrevisionEchu);
    }
    case CHRONOLIST::Kind::Dossier:
    case CHRONOLIST::Kind::Poste:
        return true;
    }
    return false;
}

bool ChronoManager::appendNewReferenceToChronoList(CHRONOLIST::Kind kind, long ident, int filter,
                                                   const ChronoReference& reference)
{
    if (!m_listBuilt || !acceptsChrono(kind, filter, reference))
        return false;
    CHRONOLIST row {.kind = kind, .ident = ident, .parity = true};
    if (row.isChrono())
        row.parity = nextParity(kind);
    m_chronoList.append(row);
    return true;
}

void ChronoManager::removeLastReference()
{
    if (!m_chronoList.isEmpty())
        m_chronoList.removeLast();
}

void ChronoManager::didChooseFilter(int tag)
{
    updateCurrentFilter(tag);
    REBUILD_LIST();
    if (DOCPARAM* param = getDocParam(m_doc))
        param->chronoFilter = m_filter;
}

void ChronoManager::updateCurrentFilter(int tag)
{
    constexpr int reel = kFilterReelActif | kFilterReelEchu;
    constexpr int prevision = kFilterPrevisionActif | kFilterPrevisionEchu;
    if (tag == kFilterNone || tag == kFilterAll)
        m_filter = tag;
    else if (tag == kTagReelAll)
        m_filter |= reel;
    else if (tag == kTagReelToggle)
        m_filter ^= reel;
    else if (tag == kTagPrevisionAll)
        m_filter |= prevision;
    else if (tag == kTagPrevisionToggle)
        m_filter ^= prevision;
    else
        swapFilter(tag);
}

void ChronoManager::swapFilter(int bits)
{
    // Toggling bits none of which is set sets them.
    m_filter ^= bits;
}
