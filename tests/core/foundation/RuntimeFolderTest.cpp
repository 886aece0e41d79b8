// The user's private folder takes only what the user alone can reach: anything that another user
// made first, a link, or a folder others may enter is refused, said in the log, and the folder in
// the home serves instead. The tests run as root: "another user" is a folder given to nobody.
#include "foundation/runtimefolder.h"
#include "support/LogLines.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kAnotherUser = 65534;

void makeFolder(const QString& path, mode_t mode, uid_t owner = ::getuid())
{
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), owner, gid_t(-1)), 0);
}

void makeLink(const QString& target, const QString& link)
{
    ASSERT_TRUE(QFile::link(target, link));
}

mode_t modeOf(const QString& path)
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

TEST(UserRuntimeFolder, OnlyAFolderOfTheUserAloneIsTakenElseTheHomesOne)
{
    enum Where { Runtime, Home, Nowhere };
    const struct {
        const char* what;
        std::function<void(const QString& runtime, const QString& home)> arrange;
        Where where;
        bool logged;
    } cases[] = {
        {"the user's runtime folder", [](const QString& r, const QString&) { makeFolder(r, 0700); }, Runtime, false},
        {"no login session", [](const QString&, const QString&) {}, Home, false},
        {"the runtime folder of another user",
         [](const QString& r, const QString&) { makeFolder(r, 0700, kAnotherUser); }, Home, true},
        {"a runtime folder others may enter", [](const QString& r, const QString&) { makeFolder(r, 0755); }, Home,
         true},
        {"a link to a folder of the user",
         [](const QString& r, const QString& h) {
             makeFolder(h + "/ailleurs", 0700);
             makeLink(h + "/ailleurs", r);
         },
         Home, true},
        {"the program's folder made first by another user",
         [](const QString& r, const QString&) {
             makeFolder(r, 0700);
             makeFolder(r + "/sorvanta", 0700, kAnotherUser);
         },
         Home, true},
        {"the program's folder as a link",
         [](const QString& r, const QString& h) {
             makeFolder(r, 0700);
             makeFolder(h + "/ailleurs", 0700);
             makeLink(h + "/ailleurs", r + "/sorvanta");
         },
         Home, true},
        {"the program's folder open to its group",
         [](const QString& r, const QString&) {
             makeFolder(r, 0700);
             makeFolder(r + "/sorvanta", 0770);
         },
         Home, true},
        {"the home's folder of another user",
         [](const QString&, const QString& h) { makeFolder(h + "/.sorvanta", 0700, kAnotherUser); }, Nowhere, true},
        {"the home's folder as a link",
         [](const QString&, const QString& h) {
             makeFolder(h + "/ailleurs", 0700);
             makeLink(h + "/ailleurs", h + "/.sorvanta");
         },
         Nowhere, true},
    };
    for (const auto& each : cases) {
        const QString root = testenv::freshDir(QStringLiteral("run"));
        const QString home = testenv::freshDir(QStringLiteral("home"));
        const QString runtime = root + QLatin1Char('/') + QString::number(::getuid());
        each.arrange(runtime, home);
        setUserRuntimeRoots(root, home);
        LogLines log;
        const QString folder = userRuntimeFolder();
        const QString expected[] = {runtime + "/sorvanta", home + "/.sorvanta", QString()};
        EXPECT_EQ(folder, expected[each.where]) << each.what;
        EXPECT_EQ(!log.containing(QStringLiteral("Dossier privé refusé")).isEmpty(), each.logged) << each.what;
        if (!folder.isEmpty()) {
            EXPECT_EQ(modeOf(folder), mode_t(S_IFDIR | 0700)) << each.what;
            EXPECT_EQ(userRuntimeFolder(), folder) << each.what;
        }
    }
    testenv::shareUserRuntimeOf(testenv::homeDir());
}
