#include "StagingPackage.h"

#include "document/FileSystemOps.h"
#include "document/SaveFolderMark.h"
#include "foundation/diagnostics.h"

#include <QDir>
#include <QFileInfo>

StagingPackage::~StagingPackage()
{
    FileSystemOps& ops = FileSystemOps::shared();
    int error = 0;
    if (!m_url.isEmpty() && ops.exists(m_url) && !removeSaveFolder(m_url, &error))
        svLog(QStringLiteral("Impossible de supprimer le paquet d'enregistrement %1 (%2)").arg(m_url).arg(error));
}

QString StagingPackage::urlFor(const QString& destination, qint64 process)
{
    return hiddenSaveFolderUrl(destination, kSavingPackageName, process);
}

bool StagingPackage::make(const QString& destination, int* error)
{
    const QString clean = QDir::cleanPath(destination);
    clearSaveLeftovers(QFileInfo(clean).path());
    m_url = makeLockedSaveFolder(clean, kSavingPackageName, m_lock, error);
    return !m_url.isEmpty();
}
