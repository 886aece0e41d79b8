#include "FileReceiveOperation.h"

#include "SyncTempFolder.h"

#include "foundation/diagnostics.h"

#include <QDir>
#include <QTemporaryFile>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cerrno>

FileReceiveOperation::FileReceiveOperation(QAbstractSocket* inputStream, QObject* parent)
    : QRunLoopOperation(parent)
    , m_inputStream(inputStream)
{
    SV_ASSERT(inputStream);
}

FileReceiveOperation::~FileReceiveOperation() = default;

void FileReceiveOperation::removeReceivedFile()
{
    m_fileStream.reset();
    m_finalFilePath.clear();
}

void FileReceiveOperation::operationDidStart()
{
    if (!m_inputStream) {
        finishWithError(SyncError::posix(EPIPE));
        return;
    }
    m_buffer.reserve(kFrameChunk);
    connect(m_inputStream, &QAbstractSocket::readyRead, this, &FileReceiveOperation::handleBytesAvailable);
    connect(m_inputStream, &QAbstractSocket::errorOccurred, this, &FileReceiveOperation::handleStreamError);
    connect(m_inputStream, &QAbstractSocket::disconnected, this, &FileReceiveOperation::handleEndOfStream);
    // What came before the operation started has been announced already.
    handleBytesAvailable();
    if (isExecuting() && m_inputStream->state() == QAbstractSocket::UnconnectedState)
        handleEndOfStream();
}

void FileReceiveOperation::operationWillFinish()
{
    if (m_fileStream) {
        m_fileStream->close();
        if (error())
            removeReceivedFile();
    }
    if (m_inputStream)
        disconnect(m_inputStream, nullptr, this, nullptr);
    m_buffer = QByteArray();
}

void FileReceiveOperation::handleStreamError(QAbstractSocket::SocketError socketError)
{
    if (socketError == QAbstractSocket::RemoteHostClosedError)
        handleEndOfStream();
    else if (isExecuting())
        finishWithError(socketSyncError(*m_inputStream, socketError));
}

void FileReceiveOperation::handleEndOfStream()
{
    handleBytesAvailable();
    if (isExecuting())
        finishWithError(SyncError::posix(EPIPE));
}

void FileReceiveOperation::handleBytesAvailable()
{
    if (debugStallReceive)
        return;
    while (isExecuting() && m_inputStream->bytesAvailable() > 0) {
        if (m_receiveState == FrameState::Start) {
            m_buffer.resize(8);
            m_receiveState = FrameState::Header;
        }
        const qint64 count = m_inputStream->read(m_buffer.data() + m_bufferOffset, m_buffer.size() - m_bufferOffset);
        if (count < 0) {
            finishWithError(socketSyncError(*m_inputStream, m_inputStream->error()));
            return;
        }
        if (count == 0) {
            finishWithError(SyncError::posix(EPIPE));
            return;
        }
        m_bufferOffset += count;
        noteBytesReceived(count);
        if (m_bufferOffset < m_buffer.size())
            continue;
        m_bufferOffset = 0;
        switch (m_receiveState) {
        case FrameState::Start:
        case FrameState::Header:
            processHeaderBuffer();
            break;
        case FrameState::Body:
            processBodyBuffer();
            break;
        case FrameState::Trailer:
            processTrailerBuffer();
            break;
        }
    }
}

// A peer that sends a byte now and then makes no progress: the idle count starts again only when a
// part of the frame is complete or a fair number of bytes came since it last started.
void FileReceiveOperation::noteBytesReceived(qint64 count)
{
    m_bytesSinceProgress += count;
    if (m_bufferOffset < m_buffer.size() && m_bytesSinceProgress < kReceiveProgressBytes)
        return;
    m_bytesSinceProgress = 0;
    noteProgress();
}

// A peer that never sends a whole header costs no file.
bool FileReceiveOperation::makeFileStream()
{
    const QString folder = syncReceiveFolder();
    if (folder.isEmpty())
        return false;
    m_fileStream = std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral("sorvanta-sync-XXXXXX.tmp")));
    if (!m_fileStream->open()) {
        m_fileStream.reset();
        return false;
    }
    // Asking for the name gives the file one where the system made it unnamed.
    m_finalFilePath = m_fileStream->fileName();
    return true;
}

void FileReceiveOperation::processHeaderBuffer()
{
    m_fileLength = qFromBigEndian<qint64>(m_buffer.constData());
    if (m_fileLength > kMaxFrameBody || (admitBody && !admitBody(m_fileLength))) {
        finishWithError(SyncError::posix(EMSGSIZE));
        return;
    }
    if (!makeFileStream()) {
        finishWithError(SyncError::transfer(kSyncErrorNoStream));
        return;
    }
    setupNextReceiveBuffer();
}

void FileReceiveOperation::processBodyBuffer()
{
    m_crc = quint32(crc32(m_crc, reinterpret_cast<const Bytef*>(m_buffer.constData()), uInt(m_buffer.size())));
    qint64 written = 0;
    while (written < m_buffer.size()) {
        const qint64 count = m_fileStream->write(m_buffer.constData() + written, m_buffer.size() - written);
        if (count < 1) {
            finishWithError(SyncError {QString::fromLatin1(kSyncErrorDomainFile), int(m_fileStream->error()),
                                       m_fileStream->errorString()});
            return;
        }
        written += count;
    }
    m_fileOffset += m_buffer.size();
    setupNextReceiveBuffer();
}

void FileReceiveOperation::processTrailerBuffer()
{
    quint32 received = qFromBigEndian<quint32>(m_buffer.constData());
    if (debugReceiveBadChecksum)
        received ^= 1u;
    if (received != m_crc) {
        finishWithError(SyncError::transfer(kSyncErrorBadChecksum));
        return;
    }
    // Everything written must be on disk before the owner reads the file.
    if (!m_fileStream->flush()) {
        finishWithError(SyncError {QString::fromLatin1(kSyncErrorDomainFile), int(m_fileStream->error()),
                                   m_fileStream->errorString()});
        return;
    }
    finishWithError(std::nullopt);
}

// A header whose length is 0 or negative is followed directly by the trailer.
void FileReceiveOperation::setupNextReceiveBuffer()
{
    if (m_fileOffset >= m_fileLength) {
        m_buffer.resize(4);
        m_receiveState = FrameState::Trailer;
    } else {
        m_buffer.resize(std::min(m_fileLength - m_fileOffset, kFrameChunk));
        m_receiveState = FrameState::Body;
    }
}
