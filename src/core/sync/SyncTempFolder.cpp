#include "SyncTempFolder.h"

#include "foundation/diagnostics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString syncRoot()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/sorvanta-sync");
}

bool makePrivateFolder(const QString& path)
{
    return QDir().mkpath(path) && QFile::setPermissions(path, kOwnerOnly);
}

// A process that no longer exists; a process of another user is still running (EPERM).
bool processGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

QString syncReceiveFolder()
{
    const QString root = syncRoot();
    if (root.isEmpty())
        return QString();
    QString folder = root + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid());
    if (!makePrivateFolder(root) || !makePrivateFolder(folder)) {
        svLog(QStringLiteral("Synchronisation : dossier de réception %1 impossible").arg(folder));
        return QString();
    }
    return folder;
}

void removeStaleSyncFolders()
{
    const QString root = syncRoot();
    if (root.isEmpty())
        return;
    const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        bool isPid = false;
        const qint64 pid = name.toLongLong(&isPid);
        // At start, a folder of this process's own number was left by another with the same.
        if (isPid && pid != QCoreApplication::applicationPid() && !processGone(pid))
            continue;
        const QString path = root + QLatin1Char('/') + name;
        const bool removed = QFileInfo(path).isDir() && !QFileInfo(path).isSymLink() ? QDir(path).removeRecursively()
                                                                                     : QFile::remove(path);
        if (!removed)
            svLog(QStringLiteral("Synchronisation : %1 n'a pas pu être supprimé").arg(path));
    }
}

void removeSyncReceiveFolder()
{
    const QString root = syncRoot();
    if (!root.isEmpty())
        QDir(root + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid())).removeRecursively();
}
