#include "StagingPackage.h"

#include "document/FileSystemOps.h"
#include "foundation/diagnostics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <limits>

namespace {

const QLatin1String kStagingEnd(kSavingPackageName);

// Whether a process of that number runs (one of another user still counts).
bool processRuns(qint64 process)
{
    if (process <= 0 || process > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

void removeLogged(const QString& url)
{
    int error = 0;
    if (!FileSystemOps::shared().removeItem(url, &error))
        svLog(QStringLiteral("Impossible de supprimer le paquet d'enregistrement %1 (%2)").arg(url).arg(error));
}

} // namespace

StagingPackage::~StagingPackage()
{
    if (!m_url.isEmpty() && FileSystemOps::shared().exists(m_url))
        removeLogged(m_url);
}

QString StagingPackage::urlFor(const QString& destination, qint64 process)
{
    const QFileInfo info(QDir::cleanPath(destination));
    return info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') + QString::number(process)
        + kStagingEnd;
}

void StagingPackage::clearStale(const QString& destination)
{
    const QFileInfo info(QDir::cleanPath(destination));
    const QRegularExpression staging(
        QStringLiteral("^\\.%1\\.(\\d+)%2$")
            .arg(QRegularExpression::escape(info.fileName()), QRegularExpression::escape(kStagingEnd)));
    const QStringList names = QDir(info.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = staging.match(name);
        if (!match.hasMatch() || processRuns(match.captured(1).toLongLong()))
            continue;
        svLog(QStringLiteral("Paquet d'un enregistrement interrompu supprimé : %1").arg(name));
        removeLogged(info.path() + QLatin1Char('/') + name);
    }
}

bool StagingPackage::make(const QString& destination, QString* url, int* error)
{
    FileSystemOps& ops = FileSystemOps::shared();
    url->clear();
    clearStale(destination);
    // Named for this process, which saves one document at a time: one already there was left by
    // an earlier save of it, or of a dead process that had its number.
    const QString staging = urlFor(destination, QCoreApplication::applicationPid());
    if ((ops.exists(staging) && !ops.removeItem(staging, error)) || !ops.makeFolder(staging, error))
        return false;
    *url = staging;
    return true;
}
