// The user's private folder takes only what the user alone can reach: a folder another user made
// first, a link, or a folder others may enter is refused, said in the log, and the folder in the
// home serves instead. The tests run as root: "another user" is a folder given to nobody.
#include "foundation/runtimefolder.h"
#include "support/LogLines.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(UserRuntimeFolder, OnlyAFolderOfTheUserAloneIsTakenElseTheHomesOne)
{
    enum Place { Runtime, Program, HomeProgram, Nowhere };
    enum Fault { None, Missing, AnotherUser, OpenToOthers, Link };
    const struct {
        Place place;
        Fault fault;
        Place taken;
    } cases[] = {
        {Runtime, None, Program},
        {Runtime, Missing, HomeProgram},
        {Runtime, AnotherUser, HomeProgram},
        {Runtime, OpenToOthers, HomeProgram},
        {Runtime, Link, HomeProgram},
        {Program, AnotherUser, HomeProgram},
        {Program, OpenToOthers, HomeProgram},
        {Program, Link, HomeProgram},
        {HomeProgram, AnotherUser, Nowhere},
        {HomeProgram, Link, Nowhere},
    };
    for (const auto& each : cases) {
        const QString root = testenv::freshDir(QStringLiteral("run"));
        const QString home = testenv::freshDir(QStringLiteral("home"));
        const QString runtime = root + QLatin1Char('/') + QString::number(::getuid());
        const QString places[] = {runtime, runtime + "/sorvanta", home + "/.sorvanta", QString()};
        // The home serves when no login session made a runtime folder.
        if (each.place != HomeProgram) {
            QDir().mkpath(runtime);
            ::chmod(QFile::encodeName(runtime).constData(), 0700);
        }
        const QByteArray faulty = QFile::encodeName(places[each.place]);
        if (each.fault == Missing || each.fault == Link)
            QDir(places[each.place]).removeRecursively();
        if (each.fault == Link) {
            ASSERT_TRUE(QFile::link(testenv::freshDir(QStringLiteral("ailleurs")), places[each.place]));
        }
        if (each.fault == AnotherUser || each.fault == OpenToOthers) {
            QDir().mkpath(places[each.place]);
            ::chmod(faulty.constData(), each.fault == OpenToOthers ? 0750 : 0700);
            ::chown(faulty.constData(), each.fault == AnotherUser ? 65534 : ::getuid(), gid_t(-1));
        }
        setUserRuntimeRoots(root, home);
        LogLines log;
        const QString folder = userRuntimeFolder();
        EXPECT_EQ(folder.toStdString(), places[each.taken].toStdString()) << each.place << " " << each.fault;
        EXPECT_EQ(log.count(QStringLiteral("Dossier privé refusé")) > 0, each.fault > Missing);
        struct stat info { };
        EXPECT_TRUE(
            folder.isEmpty()
            || (::lstat(QFile::encodeName(folder).constData(), &info) == 0 && info.st_mode == (S_IFDIR | 0700)));
    }
    testenv::shareUserRuntimeOf(testenv::homeDir());
}

namespace {

// What each of n threads, let go at the same instant, is given as the folder.
QStringList foldersTakenAtOnce(int copies)
{
    std::atomic<int> waiting {0};
    std::atomic<bool> go {false};
    std::vector<QString> found(static_cast<size_t>(copies));
    std::vector<std::thread> threads;
    for (QString& folder : found) {
        threads.emplace_back([&waiting, &go, &folder] {
            waiting.fetch_add(1);
            while (!go.load()) { }
            folder = userRuntimeFolder();
        });
    }
    while (waiting.load() < copies) { }
    go.store(true);
    for (std::thread& thread : threads)
        thread.join();
    return QStringList(found.begin(), found.end());
}

} // namespace

// Two copies started together both look for the folder, find none and make it: the one whose
// making comes second finds it made, and takes it all the same when it is the user's private one.
// Each round lets several threads loose at once on a folder none has made; over the rounds many
// find it missing, then made by another.
TEST(UserRuntimeFolder, CopiesMakingItAtOnceAllMeetInIt)
{
    constexpr int kRounds = 40;
    const struct {
        const char* name;
        bool session;
        const char* place;
    } cases[] = {
        {"avec une session", true, "/sorvanta"},
        {"sans session", false, "/.sorvanta"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        qsizetype apart = 0;
        for (int round = 0; round < kRounds; ++round) {
            const QString root = testenv::freshDir(QStringLiteral("run"));
            const QString home = testenv::freshDir(QStringLiteral("home"));
            const QString runtime = root + QLatin1Char('/') + QString::number(::getuid());
            if (each.session) {
                QDir().mkpath(runtime);
                ::chmod(QFile::encodeName(runtime).constData(), 0700);
            }
            setUserRuntimeRoots(root, home);
            const QString expected = (each.session ? runtime : home) + QLatin1String(each.place);
            const QStringList found = foldersTakenAtOnce(4);
            apart += found.size() - found.count(expected);
        }
        EXPECT_EQ(apart, 0) << "copies refused the folder another had just made";
    }
    testenv::shareUserRuntimeOf(testenv::homeDir());
}
