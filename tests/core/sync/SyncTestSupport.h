#pragma once
// What the sync tests share: a clock moved by hand, frames built byte by byte, a peer playing the
// phone over loopback, recorders in place of the windows and the publisher, the log line by line.
// Waits on the network end when their condition holds; the guard only ends a test gone wrong.
#include "sync/ISyncWindows.h"
#include "sync/ServicePublisher.h"
#include "sync/SyncClock.h"

#include <QStringList>
#include <QTcpSocket>
#include <QVariantMap>

#include <deque>
#include <functional>
#include <optional>
#include <set>

namespace synctest {

// Runs the event loop until done() holds; false when the guard (10 s unless given) ran out first.
bool spinUntil(const std::function<bool()>& done, int guardMs = 10000);
// Runs the event loop a few turns, for what is already on its way.
void settle();

QByteArray header(qint64 length);
// The frame of the body; its checksum's lowest bit flipped when asked.
QByteArray frame(const QByteArray& body, bool badChecksum = false);

class VirtualSyncClock : public ISyncClock {
public:
    VirtualSyncClock() { installSyncClock(this); }
    ~VirtualSyncClock() override { installSyncClock(nullptr); }
    std::unique_ptr<IIdleTimer> makeIdleTimer(std::function<void()> onTimeout) override;
    // Moves time on, firing every timer that runs out on the way.
    void advance(qint64 ms);

    qint64 now = 0;
    std::set<struct VirtualTimer*> timers;
};

// The phone: one connection per exchange.
class SyncPeer {
public:
    // From another loopback address, another phone.
    explicit SyncPeer(quint16 port, const QHostAddress& from = QHostAddress::LocalHost)
        : m_port(port)
    {
        m_socket.bind(from);
    }
    bool connectAndWrite(const QByteArray& bytes);
    bool write(const QByteArray& bytes);
    // The answer's body, read until the server closes; none when it closed without one.
    std::optional<QByteArray> awaitAnswer();
    QTcpSocket& socket() { return m_socket; }

private:
    quint16 m_port;
    QTcpSocket m_socket;
};

class FakeSyncWindows : public ISyncWindows {
public:
    FakeSyncWindows() { installSyncWindows(this); }
    ~FakeSyncWindows() override;
    bool confirmPhone(const PhoneQuestion& question) override;
    void informPhone(const QString& dialogueKey, int style) override;
    void showSyncListing(const Critere&, std::unique_ptr<LISTING> listing, const QString&, DOCUMENT&) override;

    std::deque<bool> answers;
    QStringList asked; // "key|name", or "key|" and the no-name text with the address
    QList<PhoneQuestion> questions;
    QStringList told; // "key|style"
    QList<long> listings; // the rows of each listing shown
    std::function<void()> whileAsking; // runs once, during the next question
    int depth = 0;
    int deepest = 0;
};

class FakePublisher : public ServicePublisher {
public:
    void publish(const QString& serviceName, const QString& serviceType, quint16 servicePort) override
    {
        name = serviceName;
        type = serviceType;
        port = servicePort;
    }
    void stop() override { ++stops; }
    QString name;
    QString type;
    quint16 port = 0;
    int stops = 0;
};

// The log lines, while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    qsizetype count(const QString& start) const;

private:
    QtMessageHandler m_previous;
};

// TMPDIR and the runtime folder pointed at fresh folders while it lives, so that leftovers are
// counted without another process's.
class PrivateTempDir {
public:
    PrivateTempDir();
    ~PrivateTempDir();
    // Every file under either folder, by its path from that folder.
    QStringList files() const;
    const QString& runtime() const { return m_runtime; }

private:
    QByteArray m_previous;
    QByteArray m_previousRuntime;
    QString m_path;
    QString m_runtime;
};

enum class PlistForm {
    Xml,
    Binary,
};
// The records as a property list: integers, doubles and texts as integers, reals and strings.
QByteArray phonePlist(const QList<QVariantMap>& records, PlistForm form);

int openFileDescriptors();
// The highest descriptor open now.
int highestFileDescriptor();

// The process's soft limit on descriptors lowered to the given value while it lives.
class DescriptorLimit {
public:
    explicit DescriptorLimit(long limit);
    ~DescriptorLimit();
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;
    bool applied() const { return m_applied; }

private:
    long m_previous = 0;
    bool m_applied = false;
};

} // namespace synctest
