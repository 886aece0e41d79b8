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

// The faces scripts/install-deps puts on every machine, and only those: a developer's extra fonts
// must not make room that a fresh machine lacks, nor a face of theirs stand in for Helvetica.
void pinFonts(const QString& home)
{
    const QString own = home + QStringLiteral("/fonts");
    QDir().mkpath(own);
    const QString dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    for (const char* face : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf",
                             "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"})
        QFile::link(dejavu + QLatin1String(face), own + QLatin1Char('/') + QLatin1String(face));
    const QString config = home + QStringLiteral("/fonts.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                              "  <dir>%1</dir>\n  <dir>/usr/share/fonts/opentype/urw-base35</dir>\n"
                              "  <cachedir>%2/fonts-cache</cachedir>\n"
                              "  <include ignore_missing=\"yes\">/etc/fonts/conf.d</include>\n</fontconfig>\n")
                   .arg(own, home)
                   .toUtf8());
    file.close();
    setenv("FONTCONFIG_FILE", config.toLocal8Bit().constData(), 1);
}
} // namespace

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
    pinFonts(home);
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
