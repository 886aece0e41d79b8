// The channel through which a second launch hands its files to the running program belongs to one
// user and one display, and lies in that user's own runtime folder: two users whose home folders
// end alike never reach each other's program.
#include "app/SorvApplication.h"

#include <QStandardPaths>
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
    EXPECT_EQ(channel,
              QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                  + QStringLiteral("/sorvanta-%1-:7").arg(::getuid()));
    {
        const ScopedEnv home("HOME", "/home/ailleurs/marie");
        EXPECT_EQ(singleInstanceChannel(), channel);
    }
    const ScopedEnv other("DISPLAY", ":8");
    EXPECT_NE(singleInstanceChannel(), channel);
    const ScopedEnv session("WAYLAND_DISPLAY", "wayland-1");
    EXPECT_TRUE(singleInstanceChannel().endsWith(QStringLiteral("-wayland-1")));
}
