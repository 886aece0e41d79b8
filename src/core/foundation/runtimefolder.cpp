#include "runtimefolder.h"

#include "foundation/diagnostics.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QString g_systemRuntimeRoot;
QString g_home;

QString systemRuntimeRoot()
{
    return g_systemRuntimeRoot.isEmpty() ? QStringLiteral("/run/user") : g_systemRuntimeRoot;
}

// The home the system records for the user: $HOME may name any folder, another user's too.
QString userHome()
{
    if (!g_home.isEmpty())
        return g_home;
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    int result = 0;
    while ((result = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (size_t(1) << 20))
        buffer.resize(buffer.size() * 2);
    if (result != 0 || !found || !found->pw_dir || !*found->pw_dir)
        return {};
    return QFile::decodeName(found->pw_dir);
}

// Why the folder is not the user's private one: empty when it is (a real folder, not a link, of
// the user, mode 0700).
QString refusal(const struct stat& info)
{
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("c'est un lien");
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("ce n'est pas un dossier");
    if (info.st_uid != ::getuid())
        return QStringLiteral("il appartient à l'utilisateur %1").arg(info.st_uid);
    if ((info.st_mode & 07777) != 0700)
        return QStringLiteral("ses droits sont %1 au lieu de 700").arg(info.st_mode & 07777, 0, 8);
    return {};
}

void logImpossible(const QString& path, int error)
{
    svLog(QStringLiteral("Dossier privé impossible : %1 (%2)").arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

// The folder, made private when missing; false, logged, when something else stands there.
bool privateFolder(const QString& path, bool make)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info { };
    if (::lstat(name.constData(), &info) != 0) {
        const int error = errno;
        if (error != ENOENT)
            logImpossible(path, error);
        if (error != ENOENT || !make)
            return false;
        // Only the user can write where the folders are made: no one can slip in between. Another
        // copy of the program starting at the same time may make it first.
        const bool made = ::mkdir(name.constData(), 0700) == 0;
        if (!made && errno != EEXIST) {
            logImpossible(path, errno);
            return false;
        }
        // The user's mask of modes may have taken the owner's own rights away.
        if (made)
            ::chmod(name.constData(), 0700);
        return privateFolder(path, false);
    }
    const QString why = refusal(info);
    if (why.isEmpty())
        return true;
    svLog(QStringLiteral("Dossier privé refusé : %1 (%2)").arg(path, why));
    return false;
}

// The home may be reached through a link; what matters is that no one but the user (or the system)
// can rename what lies in it.
bool homeIsTheUsers(const QString& home)
{
    struct stat info { };
    const QString resolved = QFileInfo(home).canonicalFilePath();
    if (resolved.isEmpty() || ::stat(QFile::encodeName(resolved).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    if ((info.st_uid == ::getuid() || info.st_uid == 0) && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return true;
    svLog(QStringLiteral("Dossier personnel refusé pour les fichiers privés : %1").arg(home));
    return false;
}

} // namespace

QString userRuntimeFolder()
{
    const QString runtime = systemRuntimeRoot() + QLatin1Char('/') + QString::number(::getuid());
    // Without a login session the system's folder is missing: the home serves, without a word.
    if (privateFolder(runtime, false) && privateFolder(runtime + QStringLiteral("/sorvanta"), true))
        return runtime + QStringLiteral("/sorvanta");
    const QString home = userHome();
    if (!home.isEmpty() && homeIsTheUsers(home) && privateFolder(home + QStringLiteral("/.sorvanta"), true))
        return home + QStringLiteral("/.sorvanta");
    svLog(QStringLiteral("Aucun dossier privé pour les marques des documents ouverts et le canal du programme"));
    return {};
}

void setUserRuntimeRoots(const QString& systemRuntimeRoot, const QString& home)
{
    g_systemRuntimeRoot = systemRuntimeRoot;
    g_home = home;
}
