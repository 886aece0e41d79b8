#include "QRunLoopOperation.h"

#include "SyncClock.h"

#include "foundation/diagnostics.h"

#include <QThread>

#include <cerrno>
#include <cstring>

SyncError SyncError::transfer(int code)
{
    switch (code) {
    case kSyncErrorNoStream:
        return {QString::fromLatin1(kSyncErrorDomainTransfer), code, QStringLiteral("fichier de réception impossible")};
    case kSyncErrorBadChecksum:
        return {QString::fromLatin1(kSyncErrorDomainTransfer), code, QStringLiteral("somme de contrôle fausse")};
    case kSyncErrorCancelled:
        return {QString::fromLatin1(kSyncErrorDomainTransfer), code, QStringLiteral("transfert annulé")};
    default:
        return {QString::fromLatin1(kSyncErrorDomainTransfer), code, QStringLiteral("erreur %1").arg(code)};
    }
}

SyncError SyncError::posix(int code)
{
    return {QString::fromLatin1(kSyncErrorDomainPosix), code, QString::fromLocal8Bit(std::strerror(code))};
}

QRunLoopOperation::QRunLoopOperation(QObject* parent)
    : QObject(parent)
{
}

QRunLoopOperation::~QRunLoopOperation()
{
    SV_ASSERT(m_state != OperationState::Executing);
}

void QRunLoopOperation::start()
{
    if (!SV_ASSERT(m_state == OperationState::Inited))
        return;
    changeState(OperationState::Executing);
    QMetaObject::invokeMethod(this, &QRunLoopOperation::startOnRunLoopThread, Qt::QueuedConnection);
}

void QRunLoopOperation::cancel()
{
    const bool wasCancelled = m_cancelled;
    m_cancelled = true;
    if (!wasCancelled && m_state == OperationState::Executing)
        cancelOnRunLoopThread();
}

void QRunLoopOperation::startOnRunLoopThread()
{
    SV_ASSERT(QThread::currentThread() == thread());
    if (m_state != OperationState::Executing)
        return;
    if (m_cancelled) {
        finishWithError(SyncError::transfer(kSyncErrorCancelled));
        return;
    }
    m_idle = syncClock().makeIdleTimer([this] { finishWithError(SyncError::posix(ETIMEDOUT)); });
    m_idle->restart(m_idleTimeoutMs);
    operationDidStart();
}

void QRunLoopOperation::cancelOnRunLoopThread()
{
    if (m_state == OperationState::Executing)
        finishWithError(SyncError::transfer(kSyncErrorCancelled));
}

void QRunLoopOperation::noteProgress()
{
    if (m_idle && m_state == OperationState::Executing)
        m_idle->restart(m_idleTimeoutMs);
}

void QRunLoopOperation::finishWithError(const std::optional<SyncError>& error)
{
    if (m_state != OperationState::Executing)
        return;
    if (!m_error)
        m_error = error;
    if (m_idle)
        m_idle->stop();
    operationWillFinish();
    changeState(OperationState::Finished);
}

void QRunLoopOperation::changeState(OperationState state)
{
    if (!SV_ASSERT(state > m_state))
        return;
    m_state = state;
    if (state == OperationState::Finished)
        emit finished();
}
