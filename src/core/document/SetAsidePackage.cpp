#include "SetAsidePackage.h"

#include "document/FileSystemOps.h"
#include "document/SaveFolderMark.h"
#include "document/SaveLeftovers.h"
#include "foundation/diagnostics.h"

#include <QDir>

SetAsidePackage::~SetAsidePackage()
{
    FileSystemOps& ops = FileSystemOps::shared();
    if (m_folder.isEmpty() || !ops.exists(m_folder))
        return;
    int error = 0;
    if (!holdsOnlyItsMark(m_folder))
        svLog(QStringLiteral("Le document reste sous le nom %1").arg(m_package));
    else if (!removeSaveFolder(m_folder, &error))
        svLog(QStringLiteral("Impossible de supprimer le dossier %1 (%2)").arg(m_folder).arg(error));
}

bool SetAsidePackage::make(const QString& destination, int* error)
{
    const QString clean = QDir::cleanPath(destination);
    m_folder = makeLockedSaveFolder(clean, kSetAsideFolderName, m_lock, error);
    if (m_folder.isEmpty())
        return false;
    m_package = setAsidePackageUrl(m_folder, clean);
    return true;
}

bool SetAsidePackage::discard(int* error)
{
    if (m_folder.isEmpty())
        return true;
    if (!removeSaveFolder(m_folder, error))
        return false;
    m_folder.clear();
    return true;
}
