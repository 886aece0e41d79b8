#include "FileSendOperation.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cerrno>

SyncError socketSyncError(const QAbstractSocket& socket, QAbstractSocket::SocketError socketError)
{
    if (socketError == QAbstractSocket::RemoteHostClosedError)
        return SyncError::posix(EPIPE);
    return {QString::fromLatin1(kSyncErrorDomainSocket), int(socketError), socket.errorString()};
}

FileSendOperation::FileSendOperation(QByteArray dataToSend, QAbstractSocket* outputStream, QObject* parent)
    : QRunLoopOperation(parent)
    , m_dataToSend(std::move(dataToSend))
    , m_outputStream(outputStream)
{
}

void FileSendOperation::operationDidStart()
{
    if (!m_outputStream) {
        finishWithError(SyncError::posix(EPIPE));
        return;
    }
    m_fileLength = m_dataToSend.size();
    m_buffer.reserve(kFrameChunk);
    connect(m_outputStream, &QAbstractSocket::bytesWritten, this, [this] {
        noteProgress();
        handleSpaceAvailable();
    });
    connect(m_outputStream, &QAbstractSocket::errorOccurred, this, &FileSendOperation::handleStreamError);
    connect(m_outputStream, &QAbstractSocket::disconnected, this, [this] {
        if (isExecuting())
            finishWithError(SyncError::posix(EPIPE));
    });
    handleSpaceAvailable();
}

void FileSendOperation::operationWillFinish()
{
    if (m_outputStream)
        disconnect(m_outputStream, nullptr, this, nullptr);
    m_buffer = QByteArray();
}

void FileSendOperation::handleStreamError(QAbstractSocket::SocketError socketError)
{
    if (isExecuting())
        finishWithError(socketSyncError(*m_outputStream, socketError));
}

void FileSendOperation::handleSpaceAvailable()
{
    if (debugStallSend)
        return;
    while (isExecuting() && m_outputStream->bytesToWrite() < kFrameChunk) {
        if (m_bufferOffset == m_buffer.size()) {
            // Success is told only once the trailer has left the socket's buffer.
            if (m_sendState == FrameState::Trailer && m_outputStream->bytesToWrite() > 0)
                return;
            m_bufferOffset = 0;
            if (!prepareNextPart())
                return;
        }
        const qint64 written
            = m_outputStream->write(m_buffer.constData() + m_bufferOffset, m_buffer.size() - m_bufferOffset);
        if (written < 0) {
            finishWithError(socketSyncError(*m_outputStream, m_outputStream->error()));
            return;
        }
        if (written == 0)
            return;
        m_bufferOffset += written;
    }
}

bool FileSendOperation::prepareNextPart()
{
    switch (m_sendState) {
    case FrameState::Start:
        m_buffer.resize(8);
        qToBigEndian<qint64>(m_fileLength, m_buffer.data());
        m_sendState = FrameState::Header;
        return true;
    case FrameState::Header:
        m_sendState = FrameState::Body;
        return prepareNextPart();
    case FrameState::Body:
        if (m_fileOffset < m_fileLength) {
            const qint64 count = std::min(kFrameChunk, m_fileLength - m_fileOffset);
            m_buffer.resize(count);
            std::copy_n(m_dataToSend.constData() + m_fileOffset, count, m_buffer.data());
            m_crc = quint32(crc32(m_crc, reinterpret_cast<const Bytef*>(m_buffer.constData()), uInt(count)));
            m_fileOffset += count;
            return true;
        }
        m_buffer.resize(4);
        qToBigEndian<quint32>(debugSendBadChecksum ? m_crc ^ 1u : m_crc, m_buffer.data());
        m_sendState = FrameState::Trailer;
        return true;
    case FrameState::Trailer:
        finishWithError(std::nullopt);
        return false;
    }
    return false;
}
