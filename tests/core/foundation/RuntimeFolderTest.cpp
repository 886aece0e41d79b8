// The user's private folder takes only what the user alone can reach: a folder another user made
// first, a link, or a folder others may enter is refused, said in the log, and the folder in the
// home serves instead. The tests run as root: "another user" is a folder given to nobody.
#include "foundation/runtimefolder.h"
#include "support/LogLines.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
