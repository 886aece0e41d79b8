#include "TestEnvironment.h"

#include "foundation/runtimefolder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace {
std::unique_ptr<QTemporaryDir> g_home;
}

namespace testenv {

void setUpProcess()
{
    // Europe/Paris for daylight-saving cases.
    setenv("TZ", "Europe/Paris", 1);
    tzset();
    setenv("LANG", "fr_FR.UTF-8", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_home = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/sorvtest-XXXXXX"));
    const QString home = g_home->path();
    setenv("HOME", home.toLocal8Bit().constData(), 1);
    for (const char* var :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString dir = home + QLatin1Char('/') + QString::fromLatin1(var).toLower();
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv(var, dir.toLocal8Bit().constData(), 1);
    }
    QDir().mkpath(home + QStringLiteral("/Documents"));
    shareUserRuntimeOf(home);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void shareUserRuntimeOf(const QString& home)
{
    const QString root = home + QStringLiteral("/run-user");
    const QString own = root + QLatin1Char('/') + QString::number(::getuid());
    QDir().mkpath(own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setUserRuntimeRoots(root, home);
}

QString homeDir()
{
    return g_home ? g_home->path() : QString();
}

QString freshDir(const QString& name)
{
    const QString dir = homeDir() + QStringLiteral("/t/") + name + QLatin1Char('-')
        + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
    QDir().mkpath(dir);
    return dir;
}

} // namespace testenv
