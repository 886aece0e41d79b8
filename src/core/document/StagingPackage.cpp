#include "StagingPackage.h"

#include "document/FileSystemOps.h"
#include "foundation/diagnostics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

// Names tried beside the destination before the save gives up: one is taken only by a save still
// running, or by a folder that could not be cleared.
constexpr int kMaxAttempts = 16;

} // namespace

StagingPackage::~StagingPackage()
{
    FileSystemOps& ops = FileSystemOps::shared();
    int error = 0;
    if (!m_url.isEmpty() && ops.exists(m_url) && !ops.removeItem(m_url, &error))
        svLog(QStringLiteral("Impossible de supprimer le paquet d'enregistrement %1 (%2)").arg(m_url).arg(error));
}

QString StagingPackage::urlFor(const QString& destination, qint64 process)
{
    return hiddenSaveFolderUrl(destination, kSavingPackageName, process);
}

bool StagingPackage::make(const QString& destination, int* error)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString clean = QDir::cleanPath(destination);
    clearSaveLeftovers(QFileInfo(clean).path());
    int code = EEXIST;
    for (int n = 0; n < kMaxAttempts; ++n) {
        const QString staging = hiddenSaveFolderUrl(clean, kSavingPackageName, QCoreApplication::applicationPid(), n);
        if (ops.exists(staging))
            continue;
        if (!ops.makeFolder(staging, &code)) {
            if (error)
                *error = code;
            return false;
        }
        // Between its making and its lock, a clearing of the folder may take the empty package
        // for one left behind: then another name.
        if (!m_lock.take(staging, &code) && (code == EWOULDBLOCK || code == ENOENT))
            continue;
        // A file system without locks still saves; its leftovers are only never judged ended.
        if (!m_lock.held())
            svLog(QStringLiteral("Paquet d'enregistrement non verrouillé (%1) : %2").arg(code).arg(staging));
        m_url = staging;
        return true;
    }
    if (error)
        *error = code;
    return false;
}
