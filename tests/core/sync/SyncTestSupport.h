#pragma once
// What the sync tests share: a clock moved by hand, frames built byte by byte, a peer that plays
// the phone over loopback, the windows and the publisher replaced by recorders, and the log seen
// line by line. Waits on the network are bounded by a guard that only ends a test gone wrong.
#include "sync/ISyncWindows.h"
#include "sync/ServicePublisher.h"
#include "sync/SyncClock.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTcpSocket>
#include <QVariantMap>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace synctest {

// Runs the event loop until done() holds; false when the guard (10 s) ran out first.
bool spinUntil(const std::function<bool()>& done);
// Runs the event loop a few times round, for what is already on its way.
void settle();

// The frame of a body; the checksum's lowest bit flipped when asked.
QByteArray frame(const QByteArray& body, bool badChecksum = false);
// A header announcing that length, as a hostile peer may send.
QByteArray header(qint64 length);

class VirtualSyncClock : public ISyncClock {
public:
    VirtualSyncClock() { installSyncClock(this); }
    ~VirtualSyncClock() override { installSyncClock(nullptr); }
    VirtualSyncClock(const VirtualSyncClock&) = delete;
    VirtualSyncClock& operator=(const VirtualSyncClock&) = delete;

    std::unique_ptr<IIdleTimer> makeIdleTimer(std::function<void()> onTimeout) override;
    // Moves time on, firing every timer whose count runs out on the way.
    void advance(qint64 ms);

    struct Timer {
        qint64 due = -1; // -1: stopped
        std::function<void()> onTimeout;
    };

private:
    std::map<int, Timer> m_timers;
    int m_next = 0;
    qint64 m_now = 0;
    friend class VirtualIdleTimer;
};

// The phone: one connection per exchange, as the real one does.
class SyncPeer {
public:
    explicit SyncPeer(quint16 port);

    // Connects and writes the bytes.
    bool connectAndWrite(const QByteArray& bytes);
    // Writes more on the open connection.
    bool write(const QByteArray& bytes);
    // Sends the request's frame and waits for the answer's frame; none when the server closed the
    // connection without one.
    std::optional<QByteArray> exchange(const QByteArray& request);
    // After connectAndWrite: the answer, read until the server closes.
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
    FakeSyncWindows(const FakeSyncWindows&) = delete;
    FakeSyncWindows& operator=(const FakeSyncWindows&) = delete;

    bool confirmPhone(const QString& dialogueKey, const QString& deviceName) override;
    void informPhone(const QString& dialogueKey, int style) override;
    void showSyncListing(const Critere& critere, std::unique_ptr<LISTING> listing, const QString& title,
                         DOCUMENT& doc) override;

    std::deque<bool> answers;
    QStringList asked; // "key|name"
    QStringList told; // "key|style"
    QList<long> listings; // the row count of each listing shown
    // Runs once, while the next question is open, as the user takes time to answer.
    std::function<void()> whileAsking;
    int depth = 0;
    int deepest = 0;
};

class FakePublisher : public ServicePublisher {
public:
    void publish(const QString& name, const QString& type, quint16 port) override;
    void stop() override { ++stops; }

    QString name;
    QString type;
    quint16 port = 0;
    int stops = 0;
};

// The log while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines that begin with the text.
    QStringList linesStartingWith(const QString& text) const;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);
    static inline LogCapture* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
};

// A private temporary folder for the length of a test, so that leftover files are counted
// without another process's.
class PrivateTempDir {
public:
    PrivateTempDir();
    ~PrivateTempDir();
    PrivateTempDir(const PrivateTempDir&) = delete;
    PrivateTempDir& operator=(const PrivateTempDir&) = delete;

    QStringList files() const;

private:
    QByteArray m_previous;
    QString m_path;
};

// The phone's transactions as a property list in XML or binary form: each record's integers,
// doubles and texts become integers, reals and strings.
enum class PlistForm {
    Xml,
    Binary,
};
QByteArray phonePlist(const QList<QVariantMap>& records, PlistForm form);

// The descriptors the process holds open.
int openFileDescriptors();

} // namespace synctest
