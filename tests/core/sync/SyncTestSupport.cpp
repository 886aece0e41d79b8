#include "SyncTestSupport.h"

#include "support/TestEnvironment.h"

#include "engines/LISTING.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <zlib.h>

namespace synctest {

bool spinUntil(const std::function<bool()>& done)
{
    QDeadlineTimer guard(10000);
    while (!done()) {
        if (guard.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QByteArray header(qint64 length)
{
    QByteArray bytes(8, '\0');
    qToBigEndian<qint64>(length, bytes.data());
    return bytes;
}

QByteArray frame(const QByteArray& body, bool badChecksum)
{
    quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size())));
    if (badChecksum)
        crc ^= 1u;
    QByteArray trailer(4, '\0');
    qToBigEndian<quint32>(crc, trailer.data());
    return header(body.size()) + body + trailer;
}

// ---- Virtual clock

class VirtualIdleTimer : public IIdleTimer {
public:
    VirtualIdleTimer(std::map<int, VirtualSyncClock::Timer>& timers, const qint64& now, int id)
        : m_timers(timers)
        , m_now(now)
        , m_id(id)
    {
    }
    ~VirtualIdleTimer() override { m_timers.erase(m_id); }
    VirtualIdleTimer(const VirtualIdleTimer&) = delete;
    VirtualIdleTimer& operator=(const VirtualIdleTimer&) = delete;
    void restart(int ms) override { m_timers[m_id].due = m_now + ms; }
    void stop() override { m_timers[m_id].due = -1; }

private:
    std::map<int, VirtualSyncClock::Timer>& m_timers;
    const qint64& m_now;
    int m_id;
};

std::unique_ptr<IIdleTimer> VirtualSyncClock::makeIdleTimer(std::function<void()> onTimeout)
{
    const int id = ++m_next;
    m_timers[id] = Timer {-1, std::move(onTimeout)};
    return std::make_unique<VirtualIdleTimer>(m_timers, m_now, id);
}

void VirtualSyncClock::advance(qint64 ms)
{
    m_now += ms;
    bool fired = true;
    while (fired) {
        fired = false;
        for (auto& [id, timer] : m_timers) {
            if (timer.due >= 0 && timer.due <= m_now) {
                timer.due = -1;
                const std::function<void()> fn = timer.onTimeout;
                fn();
                fired = true;
                break; // a time-out may drop timers
            }
        }
    }
}

// ---- The phone

SyncPeer::SyncPeer(quint16 port)
    : m_port(port)
{
}

bool SyncPeer::connectAndWrite(const QByteArray& bytes)
{
    m_socket.connectToHost(QHostAddress::LocalHost, m_port);
    return m_socket.waitForConnected(10000) && write(bytes);
}

bool SyncPeer::write(const QByteArray& bytes)
{
    m_socket.write(bytes);
    return spinUntil([this] { return m_socket.bytesToWrite() == 0; });
}

std::optional<QByteArray> SyncPeer::exchange(const QByteArray& request)
{
    if (!connectAndWrite(frame(request)))
        return std::nullopt;
    return awaitAnswer();
}

std::optional<QByteArray> SyncPeer::awaitAnswer()
{
    QByteArray received;
    const bool closed = spinUntil([&] {
        received += m_socket.readAll();
        return m_socket.state() == QAbstractSocket::UnconnectedState;
    });
    received += m_socket.readAll();
    EXPECT_TRUE(closed) << "the server kept the connection open";
    if (received.size() < 12)
        return std::nullopt;
    const qint64 length = qFromBigEndian<qint64>(received.constData());
    EXPECT_EQ(received.size(), length + 12) << "one frame, then the connection closes";
    const QByteArray body = received.mid(8, length);
    EXPECT_EQ(received, frame(body)) << "the answer's checksum";
    return body;
}

// ---- Recorders

FakeSyncWindows::~FakeSyncWindows()
{
    installSyncWindows(nullptr);
    EXPECT_TRUE(answers.empty()) << "questions expected but not asked: " << answers.size();
}

bool FakeSyncWindows::confirmPhone(const QString& dialogueKey, const QString& deviceName)
{
    asked.append(dialogueKey + QLatin1Char('|') + deviceName);
    deepest = std::max(deepest, ++depth);
    if (const std::function<void()> once = std::exchange(whileAsking, nullptr))
        once();
    --depth;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question " << dialogueKey.toStdString();
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeSyncWindows::informPhone(const QString& dialogueKey, int style)
{
    told.append(dialogueKey + QLatin1Char('|') + QString::number(style));
}

void FakeSyncWindows::showSyncListing(const Critere&, std::unique_ptr<LISTING> listing, const QString&, DOCUMENT&)
{
    listings.append(listingCount(listing.get()));
}

void FakePublisher::publish(const QString& serviceName, const QString& serviceType, quint16 servicePort)
{
    name = serviceName;
    type = serviceType;
    port = servicePort;
}

// ---- Log

LogCapture::LogCapture()
{
    s_current = this;
    m_previous = qInstallMessageHandler(&LogCapture::handle);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

void LogCapture::handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    s_current->m_lines.append(message);
    s_current->m_previous(type, context, message);
}

QStringList LogCapture::linesStartingWith(const QString& text) const
{
    QStringList found;
    for (const QString& line : m_lines) {
        if (line.startsWith(text))
            found.append(line);
    }
    return found;
}

// ---- Files

PrivateTempDir::PrivateTempDir()
    : m_previous(qgetenv("TMPDIR"))
    , m_path(testenv::freshDir(QStringLiteral("tmp")))
{
    qputenv("TMPDIR", m_path.toLocal8Bit());
}

PrivateTempDir::~PrivateTempDir()
{
    if (m_previous.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_previous);
}

QStringList PrivateTempDir::files() const
{
    return QDir(m_path).entryList(QDir::Files | QDir::Hidden);
}

QByteArray phonePlist(const QList<QVariantMap>& records, PlistForm form)
{
    plist_t root = plist_new_array();
    for (const QVariantMap& record : records) {
        plist_t dict = plist_new_dict();
        for (auto it = record.begin(); it != record.end(); ++it) {
            const QByteArray key = it.key().toUtf8();
            const QVariant& value = it.value();
            plist_t node = nullptr;
            if (value.typeId() == QMetaType::Double)
                node = plist_new_real(value.toDouble());
            else if (value.typeId() == QMetaType::QString)
                node = plist_new_string(value.toString().toUtf8().constData());
            else
                node = plist_new_uint(uint64_t(value.toLongLong()));
            plist_dict_set_item(dict, key.constData(), node);
        }
        plist_array_append_item(root, dict);
    }
    char* bytes = nullptr;
    uint32_t length = 0;
    if (form == PlistForm::Xml)
        plist_to_xml(root, &bytes, &length);
    else
        plist_to_bin(root, &bytes, &length);
    const QByteArray data(bytes, qsizetype(length));
    if (form == PlistForm::Xml)
        plist_to_xml_free(bytes);
    else
        plist_to_bin_free(bytes);
    plist_free(root);
    return data;
}

int openFileDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

} // namespace synctest
