#pragma once
// Reads one frame (QRunLoopOperation.h) from a connected socket into a new temporary file, chunk
// by chunk, so the body is never held whole in memory. The file is made only once a header has
// been read and its length admitted, in the program's receive folder (SyncTempFolder.h), with an
// unpredictable name readable by its owner only; a failed receive removes it, and so does the
// owner, through removeReceivedFile, once it has read it. The socket stays open for its owner to
// close.
#include "sync/FileSendOperation.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QTemporaryFile;

// Received bytes that count as progress for the idle time-out when no part of the frame completes
// with them.
inline constexpr qint64 kReceiveProgressBytes = 1024;

class FileReceiveOperation : public QRunLoopOperation {
    Q_OBJECT
public:
    explicit FileReceiveOperation(QAbstractSocket* inputStream, QObject* parent = nullptr);
    ~FileReceiveOperation() override;

    QAbstractSocket* inputStream() const { return m_inputStream; }
    // The file holding the body after a success; empty after a failure and once removed.
    const QString& finalFilePath() const { return m_finalFilePath; }
    // Removes the received file.
    void removeReceivedFile();
    FrameState receiveState() const { return m_receiveState; }
    qint64 fileLength() const { return m_fileLength; }

    // Asked once the header is read, with the body's length: false refuses the frame, which
    // ends with EMSGSIZE before any file is made. Unset, every length up to kMaxFrameBody goes.
    std::function<bool(qint64 length)> admitBody;

    // For trying a peer: nothing is read at all; the checksum read has its lowest bit flipped.
    bool debugStallReceive = false;
    bool debugReceiveBadChecksum = false;

protected:
    void operationDidStart() override;
    void operationWillFinish() override;

private:
    // Reads what has come, never beyond the part of the frame being read, and acts on each part
    // once it is complete.
    void handleBytesAvailable();
    // The peer closed its side: what came before still counts; a frame left incomplete is EPIPE.
    void handleEndOfStream();
    void handleStreamError(QAbstractSocket::SocketError socketError);
    void noteBytesReceived(qint64 count);
    void processHeaderBuffer();
    void processBodyBuffer();
    void processTrailerBuffer();
    void setupNextReceiveBuffer();
    bool makeFileStream();

    QPointer<QAbstractSocket> m_inputStream;
    QString m_finalFilePath;
    std::unique_ptr<QTemporaryFile> m_fileStream;
    FrameState m_receiveState = FrameState::Start;
    QByteArray m_buffer; // the part being read; its size is the number of bytes wanted
    qint64 m_bufferOffset = 0; // bytes of the buffer filled already
    qint64 m_fileLength = 0;
    qint64 m_fileOffset = 0; // body bytes written to the file
    quint32 m_crc = 0;
    qint64 m_bytesSinceProgress = 0;
};
