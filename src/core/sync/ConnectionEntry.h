#pragma once
// One connection accepted from a phone: one request comes in, at most one answer goes out, then
// the connection is closed. It refers to the document it was accepted for without owning it, and
// knows when that document has been closed.
#include "sync/FileReceiveOperation.h"
#include "sync/FileSendOperation.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>

#include <memory>

class DOCUMENT;

class ConnectionEntry : public QObject {
    Q_OBJECT
public:
    // Takes the socket.
    ConnectionEntry(QTcpSocket* socket, DOCUMENT* document, QObject* parent = nullptr);
    ~ConnectionEntry() override;
    ConnectionEntry(const ConnectionEntry&) = delete;
    ConnectionEntry& operator=(const ConnectionEntry&) = delete;

    // The connection's native socket and its stream, read for the request and written for the
    // answer.
    qintptr fd() const { return m_fd; }
    QTcpSocket* stream() const { return m_stream; }
    // The phone at the other end: its address, the same for all its connections.
    const QString& peer() const { return m_peer; }
    // The document the connection came for; null once that document has been closed.
    DOCUMENT* getDocument() const;

    FileReceiveOperation* getReceiveOperation() const { return m_receiveOperation.get(); }
    FileSendOperation* getSendOperation() const { return m_sendOperation.get(); }
    void setReceiveOperation(std::unique_ptr<FileReceiveOperation> operation);
    void setSendOperation(std::unique_ptr<FileSendOperation> operation);

    // Ends the transfers with the cancellation error (their finished() signals still come).
    void cancelOperations();
    // Closes the socket, after what was written has gone out.
    void close();

private:
    qintptr m_fd = -1;
    QTcpSocket* m_stream = nullptr;
    QString m_peer;
    DOCUMENT* m_document = nullptr;
    std::weak_ptr<const void> m_documentLifetime;
    std::unique_ptr<FileReceiveOperation> m_receiveOperation;
    std::unique_ptr<FileSendOperation> m_sendOperation;
};

// The address of a peer as one text for IPv4 and its IPv6-mapped form alike.
QString peerKey(const QHostAddress& address);
