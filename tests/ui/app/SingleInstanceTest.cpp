// The channel through which a second launch hands its files to the running program belongs to one
// user and one display, and lies in that user's private runtime folder: two users whose home
// folders end alike never reach each other's program, another user can't make it first, and a
// launch with another environment still finds it.
#include "app/SorvApplication.h"
#include "foundation/runtimefolder.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Sets a variable for the length of a scope (unset when value is null).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST(SingleInstance, TheChannelIsTheUsersAndTheDisplaysNeverTheHomeFolders)
{
    const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    const ScopedEnv display("DISPLAY", ":7");
    const QString channel = singleInstanceChannel();
    EXPECT_EQ(channel, userRuntimeFolder() + QStringLiteral("/instance-:7"));
    // A launch with another environment finds the same channel, in the user's private folder.
    const struct {
        const char* variable;
        const char* value;
    } environments[] = {{"HOME", "/home/ailleurs/marie"},
                        {"XDG_RUNTIME_DIR", nullptr},
                        {"XDG_RUNTIME_DIR", "/tmp"},
                        {"TMPDIR", "/var/tmp"}};
    for (const auto& each : environments) {
        const ScopedEnv changed(each.variable, each.value);
        EXPECT_EQ(singleInstanceChannel(), channel) << each.variable;
    }
    // A runtime folder another user made first is never the channel's: the one in the home is.
    const QString root = testenv::freshDir(QStringLiteral("run"));
    const QString taken = root + QLatin1Char('/') + QString::number(::getuid());
    ASSERT_TRUE(QDir().mkpath(taken));
    ASSERT_EQ(::chown(QFile::encodeName(taken).constData(), 65534, 65534), 0);
    setUserRuntimeRoots(root, testenv::homeDir());
    EXPECT_EQ(singleInstanceChannel(), testenv::homeDir() + QStringLiteral("/.sorvanta/instance-:7"));
    testenv::shareUserRuntimeOf(testenv::homeDir());
    const ScopedEnv other("DISPLAY", ":8");
    EXPECT_NE(singleInstanceChannel(), channel);
    const ScopedEnv session("WAYLAND_DISPLAY", "wayland-1");
    EXPECT_TRUE(singleInstanceChannel().endsWith(QStringLiteral("-wayland-1")));
}

// One display spelt two ways is one channel: a second launch on ":42.0" finds the program running
// on ":42" instead of opening the same documents beside it.
TEST(SingleInstance, OneDisplaySpeltAnyWayIsOneChannel)
{
    const struct {
        const char* display;
        const char* normalized;
    } cases[] = {
        {":42", ":42"},
        {":42.0", ":42"},
        {":42.3", ":42"},
        {":042", ":42"},
        {"unix:42", ":42"},
        {"unix:42.1", ":42"},
        {"unix/:42", ":42"},
        {"host/unix:42.0", ":42"},
        {"localhost:42.1", "localhost:42"},
        {"tcp/example.org:7", "example.org:7"},
        {"::1:5.0", "::1:5"},
        {"wayland-0", "wayland-0"},
        {"/tmp/.X11-unix/X42", "/tmp/.X11-unix/X42"},
        {":42.x", ":42.x"},
        {":", ":"},
        {"", ""},
    };
    for (const auto& each : cases)
        EXPECT_EQ(normalizedDisplayName(QString::fromLatin1(each.display)), QString::fromLatin1(each.normalized))
            << each.display;

    const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    const ScopedEnv plain("DISPLAY", ":42");
    const QString channel = singleInstanceChannel();
    const ScopedEnv withScreen("DISPLAY", "unix:42.0");
    EXPECT_EQ(singleInstanceChannel(), channel);
}
