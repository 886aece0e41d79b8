#include "ConnectionEntry.h"

#include "model/DOCUMENT.h"

ConnectionEntry::ConnectionEntry(QTcpSocket* socket, DOCUMENT* document, QObject* parent)
    : QObject(parent)
    , m_fd(socket->socketDescriptor())
    , m_stream(socket)
    , m_peer(peerKey(socket->peerAddress()))
    , m_document(document)
    , m_documentLifetime(document ? document->lifetime() : std::weak_ptr<const void>())
{
    socket->setParent(this);
}

ConnectionEntry::~ConnectionEntry()
{
    cancelOperations();
}

DOCUMENT* ConnectionEntry::getDocument() const
{
    return m_documentLifetime.expired() ? nullptr : m_document;
}

void ConnectionEntry::setReceiveOperation(std::unique_ptr<FileReceiveOperation> operation)
{
    if (m_receiveOperation)
        m_receiveOperation->cancel();
    m_receiveOperation = std::move(operation);
}

void ConnectionEntry::setSendOperation(std::unique_ptr<FileSendOperation> operation)
{
    if (m_sendOperation)
        m_sendOperation->cancel();
    m_sendOperation = std::move(operation);
}

void ConnectionEntry::cancelOperations()
{
    if (m_receiveOperation)
        m_receiveOperation->cancel();
    if (m_sendOperation)
        m_sendOperation->cancel();
}

void ConnectionEntry::close()
{
    cancelOperations();
    m_stream->disconnectFromHost();
    if (m_stream->state() != QAbstractSocket::UnconnectedState)
        m_stream->abort();
}

QString peerKey(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}
