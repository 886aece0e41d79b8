#pragma once
// Every message to or from the phone travels as one frame over its own TCP connection:
//   8 bytes   body length L, a signed integer, big-endian
//   L bytes   the body
//   4 bytes   CRC-32 of the body (zlib's crc32 from 0), big-endian
// An operation moves one frame. It is started once, does its work on the main thread as the
// socket reports progress, and finishes once, with no error or with the first error it met; its
// finished() signal then tells the owner, who reads error() (and, for a receive, the file).
// Nothing here knows what the bodies mean.
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class IIdleTimer;

// Where an error comes from: the transfer's own failures, the system's error numbers (errno),
// the socket (QAbstractSocket::SocketError) or the file a body goes to (QFileDevice::FileError).
inline constexpr char kSyncErrorDomainTransfer[] = "transfer";
inline constexpr char kSyncErrorDomainPosix[] = "posix";
inline constexpr char kSyncErrorDomainSocket[] = "socket";
inline constexpr char kSyncErrorDomainFile[] = "file";

// Codes of the transfer's own domain.
inline constexpr int kSyncErrorNoStream = 4; // the file the body goes to can't be made
inline constexpr int kSyncErrorBadChecksum = 259;
inline constexpr int kSyncErrorCancelled = 3072;

struct SyncError {
    QString domain;
    int code = 0;
    QString text; // the description the log shows

    bool operator==(const SyncError& other) const { return domain == other.domain && code == other.code; }

    static SyncError transfer(int code);
    static SyncError posix(int code);
};

// The body moves in chunks of this size through one buffer.
inline constexpr qint64 kFrameChunk = 32768;
// The longest body taken from a peer; a longer frame is refused as soon as its header is read.
inline constexpr qint64 kMaxFrameBody = qint64(64) * 1024 * 1024;
// A transfer that moves no byte for this long is given up (ETIMEDOUT).
inline constexpr int kFrameIdleTimeoutMs = 30000;

enum class OperationState {
    Inited = 0,
    Executing = 1,
    Finished = 2,
};

class QRunLoopOperation : public QObject {
    Q_OBJECT
public:
    explicit QRunLoopOperation(QObject* parent = nullptr);
    ~QRunLoopOperation() override;
    QRunLoopOperation(const QRunLoopOperation&) = delete;
    QRunLoopOperation& operator=(const QRunLoopOperation&) = delete;

    // Only ever increases.
    OperationState state() const { return m_state; }
    bool isExecuting() const { return m_state == OperationState::Executing; }
    bool isFinished() const { return m_state == OperationState::Finished; }
    bool isCancelled() const { return m_cancelled; }
    // None on success.
    const std::optional<SyncError>& error() const { return m_error; }

    // How long the transfer may make no progress before it is given up; kFrameIdleTimeoutMs
    // unless set before start().
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }

    // Once. The operation executes at once; its work begins when the event loop next runs.
    void start();
    // An executing operation finishes with the cancellation error, unless it stored an error
    // already; one not started yet finishes so as soon as it starts; a finished one is left as it is.
    void cancel();
    // Stores the error when none is stored yet, lets the subclass let go of its streams, then
    // finishes and tells the owner.
    void finishWithError(const std::optional<SyncError>& error);

signals:
    void finished();

protected:
    // The subclass begins its transfer: the operation executes, nothing is moved yet.
    virtual void operationDidStart() = 0;
    // The subclass lets go of its streams and buffer; error() is already final.
    virtual void operationWillFinish() = 0;
    // The transfer moved on: the idle count starts again.
    void noteProgress();

private:
    void startOnRunLoopThread();
    void cancelOnRunLoopThread();
    void changeState(OperationState state);

    OperationState m_state = OperationState::Inited;
    bool m_cancelled = false;
    std::optional<SyncError> m_error;
    std::unique_ptr<IIdleTimer> m_idle;
    int m_idleTimeoutMs = kFrameIdleTimeoutMs;
};
