#include "ServerAppDelegate.h"

#include "sync/ISyncWindows.h"
#include "sync/SyncTempFolder.h"

#include "foundation/diagnostics.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

ServerAppDelegate* g_server = nullptr;

constexpr char kServiceType[] = "_http._tcp";

} // namespace

// While it lives a question or a message is open: no connection is accepted, and requests that
// finish arriving wait until the last one closes.
class ServerAppDelegate::QuestionScope {
public:
    explicit QuestionScope(ServerAppDelegate& server)
        : m_server(server)
    {
        if (m_server.m_questionsOpen++ == 0)
            m_server.m_listener.pauseAccepting();
    }
    ~QuestionScope()
    {
        if (--m_server.m_questionsOpen > 0)
            return;
        m_server.m_listener.resumeAccepting();
        QMetaObject::invokeMethod(&m_server, &ServerAppDelegate::releaseHeldConnections, Qt::QueuedConnection);
    }
    QuestionScope(const QuestionScope&) = delete;
    QuestionScope& operator=(const QuestionScope&) = delete;

private:
    ServerAppDelegate& m_server;
};

ServerAppDelegate::ServerAppDelegate(std::unique_ptr<ServicePublisher> publisher, QObject* parent)
    : QObject(parent)
    , m_publisher(std::move(publisher))
{
    connect(&m_listener, &QTcpServer::newConnection, this, &ServerAppDelegate::connectionReceived);
    if (m_publisher) {
        connect(m_publisher.get(), &ServicePublisher::didPublish, this, &ServerAppDelegate::netServiceDidPublish);
        connect(m_publisher.get(), &ServicePublisher::didNotPublish, this, &ServerAppDelegate::netServiceDidNotPublish);
        connect(m_publisher.get(), &ServicePublisher::didStop, this, &ServerAppDelegate::netServiceDidStop);
    }
}

ServerAppDelegate::~ServerAppDelegate()
{
    stopWithStatus();
}

quint16 ServerAppDelegate::port() const
{
    return m_listener.isListening() ? m_listener.serverPort() : 0;
}

SyncState ServerAppDelegate::state(const QHostAddress& peer) const
{
    return stateOf(peerKey(peer));
}

PeerTrust ServerAppDelegate::trust(const QHostAddress& peer) const
{
    return m_trust.value(peerKey(peer), PeerTrust::Unknown);
}

void ServerAppDelegate::setTrust(const QString& peer, bool accepted)
{
    m_trust.insert(peer, accepted ? PeerTrust::Accepted : PeerTrust::Refused);
}

SyncState ServerAppDelegate::stateOf(const QString& peer) const
{
    return m_states.value(peer, SyncState::Idle);
}

void ServerAppDelegate::setState(const QString& peer, SyncState state)
{
    m_states.insert(peer, state);
}

void ServerAppDelegate::start(DOCUMENT* doc)
{
    if (m_running)
        return;
    m_states.clear();
    m_trust.clear();
    // Both families on one socket where the system has IPv6, IPv4 alone where it hasn't.
    if (!m_listener.listen(QHostAddress::Any, 0) && !m_listener.listen(QHostAddress::AnyIPv4, 0)) {
        svLog(QStringLiteral("Serveur de synchronisation : %1").arg(m_listener.errorString()));
        stopWithStatus(QStringLiteral("Failed to start up."));
        return;
    }
    m_document = doc;
    m_running = true;
    if (m_publisher)
        m_publisher->publish(serviceNameForDocumentCopy(doc), QString::fromLatin1(kServiceType),
                             m_listener.serverPort());
}

void ServerAppDelegate::stopWithStatus(const QString& status)
{
    Q_UNUSED(status);
    if (m_publisher)
        m_publisher->stop();
    m_publishedName.clear();
    m_listener.close();
    const QList<ConnectionEntry*> connections = m_connections;
    for (ConnectionEntry* connection : connections)
        closeConnection(connection);
    m_held.clear();
    m_document = nullptr;
    m_running = false;
}

QString ServerAppDelegate::serviceNameForDocumentCopy(const DOCUMENT* doc)
{
    if (doc && !doc->documentUrl.isEmpty()) {
        const QFileInfo package(QDir::cleanPath(doc->documentUrl));
        return QStringLiteral(".../%1/%2").arg(package.dir().dirName(), package.fileName());
    }
    if (doc && doc->docParam)
        return QString::number(doc->docParam->docSignature);
    return QStringLiteral("?");
}

void ServerAppDelegate::netServiceDidPublish(const QString& name)
{
    m_publishedName = name;
}

void ServerAppDelegate::netServiceDidNotPublish(const QString& reason)
{
    svLog(QStringLiteral("Service de synchronisation non publié : %1").arg(reason));
}

void ServerAppDelegate::netServiceDidStop(const QString& reason)
{
    m_publishedName.clear();
    svLog(QStringLiteral("Service de synchronisation retiré : %1").arg(reason));
}

// =============================================================================================
// A connection's life

void ServerAppDelegate::connectionReceived()
{
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        const QString why = refusalAtAccept(peerKey(socket->peerAddress()));
        if (!why.isEmpty()) {
            refuseAtAccept(socket, why);
            continue;
        }
        m_refusalLogged = false;
        auto* connection = new ConnectionEntry(socket, m_document, this);
        m_connections.append(connection);
        startNextReceive(connection->peer());
    }
}

QString ServerAppDelegate::refusalAtAccept(const QString& peer) const
{
    if (m_connections.size() >= kMaxConnections)
        return QStringLiteral("déjà %1 connexions ouvertes").arg(kMaxConnections);
    int fromPeer = 0;
    int fromStrangers = 0;
    for (const ConnectionEntry* connection : m_connections) {
        fromPeer += connection->peer() == peer ? 1 : 0;
        fromStrangers += m_trust.value(connection->peer()) == PeerTrust::Accepted ? 0 : 1;
    }
    if (fromPeer >= kMaxConnectionsPerPeer)
        return QStringLiteral("déjà %1 connexions de %2").arg(kMaxConnectionsPerPeer).arg(peer);
    if (m_trust.value(peer) != PeerTrust::Accepted && fromStrangers >= kMaxStrangerConnections)
        return QStringLiteral("déjà %1 connexions d'appareils non acceptés").arg(kMaxStrangerConnections);
    return QString();
}

// Logged once for a whole flood.
void ServerAppDelegate::refuseAtAccept(QTcpSocket* socket, const QString& why)
{
    if (!std::exchange(m_refusalLogged, true))
        svLog(QStringLiteral("Synchronisation : %1, celles qui arrivent sont fermées (%2)")
                  .arg(why, peerKey(socket->peerAddress())));
    socket->abort();
    socket->deleteLater();
}

void ServerAppDelegate::startNextReceive(const QString& peer)
{
    if (!m_listener.isListening())
        return;
    ConnectionEntry* next = nullptr;
    for (ConnectionEntry* connection : std::as_const(m_connections)) {
        if (connection->peer() != peer)
            continue;
        const FileReceiveOperation* receive = connection->getReceiveOperation();
        if (receive && !receive->isFinished())
            return;
        if (!receive && !next)
            next = connection;
    }
    if (next)
        startReceiveFromService(next, m_document);
}

bool ServerAppDelegate::admitBody(const ConnectionEntry* connection, qint64 length) const
{
    const bool transactions = stateOf(connection->peer()) == SyncState::WaitingTransactions;
    const qint64 limit = transactions ? kMaxTransactionsBody : kMaxRequestBody;
    if (length > limit) {
        svLog(QStringLiteral("Synchronisation : message de %1 octets de %2 refusé, au plus %3 octets pour %4")
                  .arg(length)
                  .arg(connection->peer())
                  .arg(limit)
                  .arg(transactions ? QStringLiteral("une liste d'opérations") : QStringLiteral("une requête")));
        return false;
    }
    const qint64 others = bytesInFlight(connection);
    if (length > 0 && others + length > kMaxBytesInFlight) {
        svLog(QStringLiteral("Synchronisation : message de %1 octets de %2 refusé, %3 octets déjà en réception "
                             "(au plus %4)")
                  .arg(length)
                  .arg(connection->peer())
                  .arg(others)
                  .arg(kMaxBytesInFlight));
        return false;
    }
    return true;
}

qint64 ServerAppDelegate::bytesInFlight(const ConnectionEntry* except) const
{
    qint64 total = 0;
    for (const ConnectionEntry* connection : m_connections) {
        const FileReceiveOperation* receive = connection->getReceiveOperation();
        if (connection == except || !receive)
            continue;
        const bool receiving = receive->isExecuting() && receive->receiveState() != FrameState::Start
            && receive->receiveState() != FrameState::Header;
        const bool unread = receive->isFinished() && !receive->finalFilePath().isEmpty();
        if (receiving || unread)
            total += std::max<qint64>(receive->fileLength(), 0);
    }
    return total;
}

void ServerAppDelegate::startReceiveFromService(ConnectionEntry* connection, DOCUMENT* doc)
{
    Q_UNUSED(doc);
    auto operation = std::make_unique<FileReceiveOperation>(connection->stream());
    operation->setIdleTimeout(kReceiveIdleTimeoutMs);
    operation->admitBody = [this, connection](qint64 length) { return admitBody(connection, length); };
    // Told after the operation's own work is done; never for a connection gone by then.
    connect(
        operation.get(), &QRunLoopOperation::finished, connection,
        [this, connection] { didFinishReceiveOperation(connection); }, Qt::QueuedConnection);
    FileReceiveOperation* started = operation.get();
    connection->setReceiveOperation(std::move(operation));
    started->start();
}

void ServerAppDelegate::didFinishReceiveOperation(ConnectionEntry* connection)
{
    startNextReceive(connection->peer());
    if (m_questionsOpen > 0) {
        m_held.append(connection);
        return;
    }
    FileReceiveOperation* operation = connection->getReceiveOperation();
    if (operation->error())
        svLog(QStringLiteral("Receive : %1").arg(operation->error()->text));
    if (!m_connections.contains(connection))
        return;
    if (operation->finalFilePath().isEmpty()) {
        closeConnection(connection);
        return;
    }
    QByteArray data;
    QFile file(operation->finalFilePath());
    const bool read = file.open(QIODevice::ReadOnly);
    if (read)
        data = file.readAll();
    file.close();
    operation->removeReceivedFile();
    if (!read) {
        svLog(QStringLiteral("Receive : %1").arg(file.errorString()));
        closeConnection(connection);
        return;
    }
    dealWithReceivedData(connection, data, connection->getDocument());
}

void ServerAppDelegate::releaseHeldConnections()
{
    while (m_questionsOpen == 0 && !m_held.isEmpty()) {
        const QPointer<ConnectionEntry> connection = m_held.takeFirst();
        if (connection)
            didFinishReceiveOperation(connection);
    }
}

void ServerAppDelegate::pushDataToSend(ConnectionEntry* connection, DOCUMENT* doc, const QByteArray& data)
{
    Q_UNUSED(doc);
    auto operation = std::make_unique<FileSendOperation>(data, connection->stream());
    connect(
        operation.get(), &QRunLoopOperation::finished, connection,
        [this, connection] { didFinishSendOperation(connection); }, Qt::QueuedConnection);
    FileSendOperation* started = operation.get();
    connection->setSendOperation(std::move(operation));
    started->start();
}

// Whether the answer went out or not, the exchange is over.
void ServerAppDelegate::didFinishSendOperation(ConnectionEntry* connection)
{
    closeConnection(connection);
}

void ServerAppDelegate::closeConnection(ConnectionEntry* connection)
{
    if (!m_connections.removeOne(connection))
        return;
    connection->close();
    connection->deleteLater();
    startNextReceive(connection->peer());
}

bool ServerAppDelegate::stillServing(const QPointer<ConnectionEntry>& connection) const
{
    return connection && m_connections.contains(connection.data()) && connection->getDocument();
}

bool ServerAppDelegate::askPhone(const ConnectionEntry* connection, const QString& dialogueKey,
                                 const QString& deviceName)
{
    ISyncWindows* windows = syncWindows();
    if (!windows)
        return false;
    const QString& peer = connection->peer();
    const PhoneQuestion question {dialogueKey, deviceName, peer, m_trust.value(peer) == PeerTrust::Accepted};
    QuestionScope scope(*this);
    return windows->confirmPhone(question);
}

void ServerAppDelegate::tellPhone(const QString& dialogueKey, int style)
{
    if (ISyncWindows* windows = syncWindows()) {
        QuestionScope scope(*this);
        windows->informPhone(dialogueKey, style);
    }
}

// =============================================================================================
// The one server

void syncServerCreate()
{
    if (g_server)
        return;
    // What a run killed in mid-transfer left behind.
    removeStaleSyncFolders();
    g_server = new ServerAppDelegate(makeAvahiServicePublisher());
}

void syncServerStart(DOCUMENT* doc)
{
    if (g_server)
        g_server->start(doc);
}

void syncServerStop()
{
    if (g_server)
        g_server->stopWithStatus();
}

void syncServerRelease()
{
    delete g_server;
    g_server = nullptr;
    removeSyncReceiveFolder();
}

ServerAppDelegate* syncServer()
{
    return g_server;
}
