#pragma once
// The sync server: while a document is open it listens on a port the system chooses, announces
// the document on the local network for the companion phone application, and answers the phone's
// requests, one request per connection, each a frame (QRunLoopOperation.h) holding a UTF-8 word:
//   "REQUESTSIGNATURE"                   the document's signature, in decimal
//   "REQUESTDOCPARAM" + one character + the phone's name
//                                        after the user agrees: the document's parameters (XML)
//   "REQUESTDOCMOYEN", "REQUESTDOCPOSTE", "REQUESTDOCDOSSIER", "REQUESTDOCBANQUE",
//   "REQUESTDOCCOMPTE", "REQUESTDOCDEVISE"   the payment means, categories, folders, banks,
//                                        accounts and currencies, as their member files hold them
//   "REQUESTSENDDOC" + one character + the phone's name
//                                        after the user agrees "OK" (else "NO"); the phone's next
//                                        message, on a new connection, is its transactions (a
//                                        property list, PhoneTransactions.h), answered "ACK" once
//                                        stored, "NO" when any of them can't be
//   "RECEIVED_DOC_OK", "RECEIVED_DOC_OK_NOCONFIRM"   the copy is over (the first tells the user)
// Anything else is logged ("Unknown request : ...") and left unanswered. A refused question
// answers "NO". Each connection is closed once answered, refused or given up.
//
// The protocol state is kept per phone (its address): it records the last request answered, and
// only "waiting for the transactions" changes how the next message is read. A new start forgets
// every phone's state, so transactions meant for one document never reach another. While a
// question or a message is open, no connection is accepted and finished requests wait for it to
// close, so questions never open inside questions.
//
// Nothing leaves the document for an address the user has not accepted: the first request from an
// address since the start asks the user (the question that copies the document, with the address
// and the phone's name when the request gives one; the questions of "REQUESTDOCPARAM" and
// "REQUESTSENDDOC" serve for it, though their no refuses only an address not heard yet), and the
// answer holds for that address until the next start. An address refused is not heard again: its
// connections are closed unanswered.
//
// A peer can't starve the program: at most kMaxConnections connections are open at once, of which
// addresses not accepted hold kMaxStrangerConnections at most, and one address kMaxConnectionsPerPeer
// (others are closed as soon as they are accepted), so an accepted phone always finds a place; an
// address receives one request at a time (its other connection waits its turn); a request that
// makes no progress for kReceiveIdleTimeoutMs is given up and its connection closed; a request's
// length is checked against what it may carry before anything is written (a few words, or a batch
// of transactions once the user agreed to take them) and the bodies being received together never
// exceed kMaxBytesInFlight.
#include "sync/ConnectionEntry.h"
#include "sync/PhoneTransactions.h"
#include "sync/ServicePublisher.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

#include <memory>

class DOCUMENT;

// Connections open at once; the ones beyond are closed as soon as they are accepted.
inline constexpr int kMaxConnections = 8;
// A phone makes one connection at a time; one more lets it start the next request while the last
// one closes.
inline constexpr int kMaxConnectionsPerPeer = 2;
// What the addresses the user has not accepted hold together: the rest stays free for the phones
// accepted.
inline constexpr int kMaxStrangerConnections = kMaxConnections - kMaxConnectionsPerPeer;
// A phone sends its request as soon as it connects: a connection whose request neither completes
// a part of its frame nor brings kReceiveProgressBytes in this time is closed.
inline constexpr int kReceiveIdleTimeoutMs = 5000;
// The longest request: a word and the phone's name.
inline constexpr qint64 kMaxRequestBody = qint64(64) * 1024;
// The longest batch of transactions. A year of a phone's transactions, twenty a day with labels
// of some forty characters, weighs 3.6 MB as an XML property list (1 MB in binary form): this
// leaves room for four years of them.
inline constexpr qint64 kMaxTransactionsBody = qint64(16) * 1024 * 1024;
// The bodies received and not yet read, all connections together.
inline constexpr qint64 kMaxBytesInFlight = 2 * kMaxTransactionsBody;

enum class PeerTrust {
    Unknown,
    Accepted,
    Refused,
};

enum class SyncState : long {
    Idle = 0,
    SignatureSent = 1,
    ParamSent = 2,
    MoyenSent = 3,
    PosteSent = 4,
    DossierSent = 5,
    BanqueSent = 6,
    CompteSent = 7,
    DeviseSent = 8,
    WaitingTransactions = 9,
    TransactionsReceived = 10,
};

class ServerAppDelegate : public QObject {
    Q_OBJECT
public:
    explicit ServerAppDelegate(std::unique_ptr<ServicePublisher> publisher, QObject* parent = nullptr);
    ~ServerAppDelegate() override;
    ServerAppDelegate(const ServerAppDelegate&) = delete;
    ServerAppDelegate& operator=(const ServerAppDelegate&) = delete;

    // Listening, whether the announcement went through or not.
    bool isRunning() const { return m_running; }
    // The port listened on; 0 when not running.
    quint16 port() const;
    DOCUMENT* document() const { return m_document; }
    SyncState state(const QHostAddress& peer) const;
    PeerTrust trust(const QHostAddress& peer) const;
    // Connections open now.
    int connectionCount() const { return int(m_connections.size()); }
    // The name the service is announced under; empty until the announcement went through.
    const QString& publishedName() const { return m_publishedName; }

    // Starts listening and announcing for the document; nothing when running already. A failure
    // to listen leaves the server stopped.
    void start(DOCUMENT* doc);
    // Withdraws the announcement, stops listening and ends every connection; the status says why
    // and is not used.
    void stopWithStatus(const QString& status = QString());
    // The announced name: ".../<folder>/<package>" for a document with a package, else its
    // signature in decimal, else "?".
    static QString serviceNameForDocumentCopy(const DOCUMENT* doc);

    // ---- A connection's life

    // Takes every connection waiting to be accepted.
    void connectionReceived();
    void startReceiveFromService(ConnectionEntry* connection, DOCUMENT* doc);
    void didFinishReceiveOperation(ConnectionEntry* connection);
    // Answers on the connection; it closes once the answer is out.
    void pushDataToSend(ConnectionEntry* connection, DOCUMENT* doc, const QByteArray& data);
    void didFinishSendOperation(ConnectionEntry* connection);
    void dealWithReceivedData(ConnectionEntry* connection, const QByteArray& data, DOCUMENT* doc);
    // Checks and stores the phone's transactions, answers, and tells the user when asked to.
    void performSynchronize(ConnectionEntry* connection, const QByteArray& data, DOCUMENT* doc);

    // ---- The announcement's outcome; the server serves on its port in every case

    void netServiceDidPublish(const QString& name);
    void netServiceDidNotPublish(const QString& reason);
    void netServiceDidStop(const QString& reason);

private:
    class QuestionScope;

    void setState(const QString& peer, SyncState state);
    SyncState stateOf(const QString& peer) const;
    void setTrust(const QString& peer, bool accepted);
    // Why a connection from that address is not taken now; empty when it is.
    QString refusalAtAccept(const QString& peer) const;
    void refuseAtAccept(QTcpSocket* socket, const QString& why);
    // Starts the receive of the peer's next connection waiting for its turn, unless one of its
    // connections is receiving.
    void startNextReceive(const QString& peer);
    // Whether a body of that length may come on the connection; logs why not.
    bool admitBody(const ConnectionEntry* connection, qint64 length) const;
    // What the connections other than the one given are receiving or hold unread.
    qint64 bytesInFlight(const ConnectionEntry* except) const;
    void closeConnection(ConnectionEntry* connection);
    void releaseHeldConnections();
    // The question about the connection's phone; the name empty when it gave none.
    bool askPhone(const ConnectionEntry* connection, const QString& dialogueKey, const QString& deviceName);
    void tellPhone(const QString& dialogueKey, int style);
    // Whether the connection and its document are both still there after a question.
    bool stillServing(const QPointer<ConnectionEntry>& connection) const;

    // Asks about an address not heard yet; false, with the connection closed, unless accepted.
    bool acceptPeer(ConnectionEntry* connection);
    void noteAnswer(const QString& peer, bool yes);
    void requestDocParam(ConnectionEntry* connection, const QString& deviceName, DOCUMENT* doc);
    void requestSendDoc(ConnectionEntry* connection, const QString& deviceName, DOCUMENT* doc);
    bool requestList(ConnectionEntry* connection, const QString& request, DOCUMENT* doc);
    void answerXml(ConnectionEntry* connection, DOCUMENT* doc, const QByteArray& xml);
    void refuseTransactions(ConnectionEntry* connection, DOCUMENT* doc, const QString& reason);
    void storeTransactions(const PhoneTransactionList& list, DOCUMENT* doc);
    void showReceivedTransactions(DOCUMENT* doc);

    std::unique_ptr<ServicePublisher> m_publisher;
    QTcpServer m_listener;
    bool m_running = false;
    DOCUMENT* m_document = nullptr;
    QString m_publishedName;
    QHash<QString, SyncState> m_states;
    QHash<QString, PeerTrust> m_trust;
    bool m_refusalLogged = false;
    QList<ConnectionEntry*> m_connections;
    int m_questionsOpen = 0;
    QList<QPointer<ConnectionEntry>> m_held;
};

// The one server of the program, made at launch and released at quit; start and stop follow the
// open document. The preferences can stop and start it too.
void syncServerCreate();
void syncServerStart(DOCUMENT* doc);
void syncServerStop();
void syncServerRelease();
// The server, or null before syncServerCreate and after syncServerRelease.
ServerAppDelegate* syncServer();
