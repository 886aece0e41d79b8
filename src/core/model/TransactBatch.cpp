#include "model/TransactBatch.h"

#include "foundation/broadcast.h"
#include "foundation/selectors.h"
#include "model/TransactOps.h"

#include <utility>

namespace {

TransactBatch* s_open = nullptr;

} // namespace

TransactBatch::TransactBatch(DOCUMENT* doc)
    : m_doc(doc)
    , m_outermost(s_open == nullptr)
{
    if (m_outermost)
        s_open = this;
}

// The batch is closed before the windows hear of it: what they change in turn is told at once.
TransactBatch::~TransactBatch()
{
    if (!m_outermost)
        return;
    s_open = nullptr;
    flush();
}

TransactBatch* TransactBatch::openOn(const DOCUMENT* doc)
{
    return s_open && doc && s_open->m_doc == doc ? s_open : nullptr;
}

void TransactBatch::flush()
{
    if (!m_outermost) {
        if (s_open)
            s_open->flush();
        return;
    }
    computeReleves(std::exchange(m_releves, {}), m_doc);
    tellWindows();
}

void TransactBatch::willChange(Change change)
{
    if (change != m_change)
        flush();
    m_change = change;
}

void TransactBatch::deferReleve(const ReleveSpot& spot)
{
    if (!m_releves.contains(spot))
        m_releves.append(spot);
}

void TransactBatch::didMake(long index, bool notify, bool isLast)
{
    if (!notify || !isLast)
        return;
    m_lastMade = index;
    m_last = true;
}

void TransactBatch::didReplace(long index, bool notify, bool isLast, bool keepSelection)
{
    if (!notify)
        return;
    m_positions.append(QVariant::fromValue<qlonglong>(index));
    m_keepSelection = keepSelection;
    m_last = m_last || isLast;
}

void TransactBatch::didDelete(long index, bool notify, bool isLast)
{
    if (!notify)
        return;
    m_positions.append(QVariant::fromValue<qlonglong>(index));
    m_last = m_last || isLast;
}

void TransactBatch::tellWindows()
{
    const QVariantList positions = std::exchange(m_positions, {});
    const long lastMade = std::exchange(m_lastMade, -1);
    const bool last = std::exchange(m_last, false);
    switch (m_change) {
    case Change::Make:
        if (lastMade >= 0)
            sendToAllWindowDelegates(Sel::MAKE_TRANSACT, QVariant::fromValue<qlonglong>(lastMade), QVariant(true));
        break;
    case Change::Replace:
        if (positions.size() == 1)
            sendToAllWindowDelegates(Sel::REPLACE_TRANSACT, positions.first(), QVariant(m_keepSelection));
        else if (!positions.isEmpty())
            sendToAllWindowDelegates(Sel::didReplaceTransactAtIndexes, positions, QVariant(m_keepSelection));
        break;
    case Change::Delete:
        if (positions.size() == 1)
            sendToAllWindowDelegates(Sel::DELETE_TRANSACT, positions.first(), QVariant(last));
        else if (!positions.isEmpty())
            sendToAllWindowDelegates(Sel::didDeleteTransactAtIndexes, positions, QVariant());
        break;
    }
    if (last)
        notifyTransactFollowUps();
}
