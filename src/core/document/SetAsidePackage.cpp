#include "SetAsidePackage.h"

#include "document/FileSystemOps.h"
#include "document/SaveLeftovers.h"
#include "foundation/diagnostics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

constexpr int kMaxAttempts = 16;

} // namespace

SetAsidePackage::~SetAsidePackage()
{
    FileSystemOps& ops = FileSystemOps::shared();
    if (m_folder.isEmpty() || !ops.exists(m_folder))
        return;
    int error = 0;
    if (!QDir(m_folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        svLog(QStringLiteral("Le document reste sous le nom %1").arg(m_package));
    else if (!ops.removeItem(m_folder, &error))
        svLog(QStringLiteral("Impossible de supprimer le dossier %1 (%2)").arg(m_folder).arg(error));
}

bool SetAsidePackage::make(const QString& destination, int* error)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString clean = QDir::cleanPath(destination);
    int code = EEXIST;
    for (int n = 0; n < kMaxAttempts; ++n) {
        const QString folder = hiddenSaveFolderUrl(clean, kSetAsideFolderName, QCoreApplication::applicationPid(), n);
        if (ops.exists(folder))
            continue;
        if (!ops.makeFolder(folder, &code)) {
            if (error)
                *error = code;
            return false;
        }
        if (!m_lock.take(folder, &code) && (code == EWOULDBLOCK || code == ENOENT))
            continue;
        m_folder = folder;
        m_package = setAsidePackageUrl(folder, clean);
        return true;
    }
    if (error)
        *error = code;
    return false;
}

bool SetAsidePackage::discard(int* error)
{
    if (m_folder.isEmpty())
        return true;
    if (!FileSystemOps::shared().removeItem(m_folder, error))
        return false;
    m_folder.clear();
    return true;
}
