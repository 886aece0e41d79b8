#include "SyncTestSupport.h"

#include "support/TestEnvironment.h"

#include "engines/LISTING.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <zlib.h>

#include <sys/resource.h>

namespace synctest {

bool spinUntil(const std::function<bool()>& done, int guardMs)
{
    const QDeadlineTimer guard(guardMs);
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
    const auto crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size())));
    QByteArray trailer(4, '\0');
    qToBigEndian<quint32>(badChecksum ? crc ^ 1u : crc, trailer.data());
    return header(body.size()) + body + trailer;
}

struct VirtualTimer : IIdleTimer {
    VirtualTimer(VirtualSyncClock& owner, std::function<void()> fn)
        : clock(owner)
        , onTimeout(std::move(fn))
    {
    }
    ~VirtualTimer() override { clock.timers.erase(this); }
    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;
    void restart(int ms) override { due = clock.now + ms; }
    void stop() override { due = -1; }

    VirtualSyncClock& clock;
    std::function<void()> onTimeout;
    qint64 due = -1;
};

std::unique_ptr<IIdleTimer> VirtualSyncClock::makeIdleTimer(std::function<void()> onTimeout)
{
    auto timer = std::make_unique<VirtualTimer>(*this, std::move(onTimeout));
    timers.insert(timer.get());
    return timer;
}

void VirtualSyncClock::advance(qint64 ms)
{
    now += ms;
    // A time-out may drop timers: look again after each.
    for (;;) {
        const auto due = std::find_if(timers.begin(), timers.end(),
                                      [this](const VirtualTimer* t) { return t->due >= 0 && t->due <= now; });
        if (due == timers.end())
            return;
        (*due)->due = -1;
        const std::function<void()> fire = (*due)->onTimeout;
        fire();
    }
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

std::optional<QByteArray> SyncPeer::awaitAnswer()
{
    QByteArray received;
    // The guard only catches a server that never answers: storing a year of the phone's
    // transactions under the sanitizers, beside the other tests, takes more than ten seconds.
    constexpr int kAnswerGuardMs = 120000;
    EXPECT_TRUE(spinUntil(
        [&] {
            received += m_socket.readAll();
            return m_socket.state() == QAbstractSocket::UnconnectedState;
        },
        kAnswerGuardMs))
        << "the server kept the connection open";
    received += m_socket.readAll();
    if (received.isEmpty())
        return std::nullopt;
    const QByteArray body = received.mid(8, received.size() - 12);
    EXPECT_EQ(received, frame(body)) << "one frame, with its checksum, then the connection closes";
    return body;
}

FakeSyncWindows::~FakeSyncWindows()
{
    installSyncWindows(nullptr);
    EXPECT_TRUE(answers.empty()) << "questions expected but not asked: " << answers.size();
}

bool FakeSyncWindows::confirmPhone(const PhoneQuestion& question)
{
    const QString& dialogueKey = question.dialogueKey;
    asked.append(dialogueKey + QLatin1Char('|')
                 + (question.deviceName.isEmpty() ? phoneQuestionInformation(question) : question.deviceName));
    questions.append(question);
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

namespace {
QStringList g_log;
QtMessageHandler g_forward = nullptr;
} // namespace

LogCapture::LogCapture()
{
    g_log.clear();
    g_forward = m_previous
        = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
              g_log.append(text);
              g_forward(type, context, text);
          });
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
}

qsizetype LogCapture::count(const QString& start) const
{
    return std::count_if(g_log.begin(), g_log.end(), [&start](const QString& line) { return line.startsWith(start); });
}

PrivateTempDir::PrivateTempDir()
    : m_previous(qgetenv("TMPDIR"))
    , m_previousRuntime(qgetenv("XDG_RUNTIME_DIR"))
    , m_path(testenv::freshDir(QStringLiteral("tmp")))
    , m_runtime(testenv::freshDir(QStringLiteral("run")))
{
    QFile::setPermissions(m_runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("TMPDIR", m_path.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", m_runtime.toLocal8Bit());
}

PrivateTempDir::~PrivateTempDir()
{
    qputenv("TMPDIR", m_previous);
    qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
}

QStringList PrivateTempDir::files() const
{
    QStringList found;
    for (const QString& root : {m_path, m_runtime}) {
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(QDir(root).relativeFilePath(it.next()));
    }
    return found;
}

QByteArray phonePlist(const QList<QVariantMap>& records, PlistForm form)
{
    plist_t root = plist_new_array();
    for (const QVariantMap& record : records) {
        plist_t dict = plist_new_dict();
        for (auto it = record.begin(); it != record.end(); ++it) {
            const QVariant& v = it.value();
            plist_t node = v.typeId() == QMetaType::Double ? plist_new_real(v.toDouble())
                : v.typeId() == QMetaType::QString         ? plist_new_string(v.toString().toUtf8().constData())
                                                           : plist_new_uint(uint64_t(v.toLongLong()));
            plist_dict_set_item(dict, it.key().toUtf8().constData(), node);
        }
        plist_array_append_item(root, dict);
    }
    char* bytes = nullptr;
    uint32_t length = 0;
    (form == PlistForm::Xml ? plist_to_xml : plist_to_bin)(root, &bytes, &length);
    const QByteArray data(bytes, qsizetype(length));
    (form == PlistForm::Xml ? plist_to_xml_free : plist_to_bin_free)(bytes);
    plist_free(root);
    return data;
}

int openFileDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

int highestFileDescriptor()
{
    int highest = 0;
    for (const QString& name : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries))
        highest = std::max(highest, name.toInt());
    return highest;
}

DescriptorLimit::DescriptorLimit(long limit)
{
    rlimit current {};
    if (getrlimit(RLIMIT_NOFILE, &current) != 0 || rlim_t(limit) > current.rlim_max)
        return;
    m_previous = long(current.rlim_cur);
    current.rlim_cur = rlim_t(limit);
    m_applied = setrlimit(RLIMIT_NOFILE, &current) == 0;
}

DescriptorLimit::~DescriptorLimit()
{
    if (!m_applied)
        return;
    rlimit current {};
    getrlimit(RLIMIT_NOFILE, &current);
    current.rlim_cur = rlim_t(m_previous);
    setrlimit(RLIMIT_NOFILE, &current);
}

} // namespace synctest
