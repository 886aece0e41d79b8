#pragma once
// Writes one data buffer as a frame (QRunLoopOperation.h) to a connected socket: the header, the
// body in chunks, the checksum. It finishes once the last byte has left the socket's buffer; the
// socket stays open for its owner to close.
#include "sync/QRunLoopOperation.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QPointer>

// Where a transfer stands in its frame; the body state repeats once per chunk.
enum class FrameState {
    Start = 0,
    Header = 1,
    Body = 2,
    Trailer = 3,
};

class FileSendOperation : public QRunLoopOperation {
    Q_OBJECT
public:
    FileSendOperation(QByteArray dataToSend, QAbstractSocket* outputStream, QObject* parent = nullptr);

    const QByteArray& dataToSend() const { return m_dataToSend; }
    QAbstractSocket* outputStream() const { return m_outputStream; }
    FrameState sendState() const { return m_sendState; }

    // For trying a peer: nothing is written at all; the checksum sent has its lowest bit flipped.
    bool debugStallSend = false;
    bool debugSendBadChecksum = false;

protected:
    void operationDidStart() override;
    void operationWillFinish() override;

private:
    // The socket can take more: writes what the frame needs next, chunk after chunk, as long as
    // the socket's own buffer holds less than a chunk.
    void handleSpaceAvailable();
    void handleStreamError(QAbstractSocket::SocketError socketError);
    // Fills the buffer with the next part of the frame; false once the operation has finished.
    bool prepareNextPart();

    QByteArray m_dataToSend;
    QPointer<QAbstractSocket> m_outputStream;
    FrameState m_sendState = FrameState::Start;
    QByteArray m_buffer; // the part being written: header, one chunk or trailer
    qint64 m_bufferOffset = 0; // bytes of the buffer written already
    qint64 m_fileLength = 0;
    qint64 m_fileOffset = 0; // body bytes taken into the buffer so far
    quint32 m_crc = 0;
};

// The error a socket reports, as a transfer error: a peer gone away is EPIPE, as a stream that
// ends before the frame does.
SyncError socketSyncError(const QAbstractSocket& socket, QAbstractSocket::SocketError socketError);
