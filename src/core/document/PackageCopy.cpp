#include "PackageCopy.h"

#include "document/DocumentMark.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "document/SaveFolderMark.h"
#include "document/SaveLeftovers.h"
#include "document/StagingPackage.h"
#include "foundation/MemberFileOutput.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"

#include <QDir>
#include <QDirIterator>

#include <cerrno>

namespace {

const char kContents[] = "/Contents";

// Every regular file of the package, for one wait for the disk before the package takes its
// place. A link is no file of the package's own: its target is never touched.
void addEveryFile(const QString& package, PendingSyncs& syncs)
{
    QDirIterator files(package, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext())
        syncs.add(files.next());
}

} // namespace

PackageCopy::PackageCopy(const QString& destination)
    : m_destination(QDir::cleanPath(destination))
{
}

bool PackageCopy::fail(int error)
{
    m_error = error != 0 ? error : EIO;
    return false;
}

bool PackageCopy::copyFrom(const QString& source)
{
    const QString from = QDir::cleanPath(source) + QLatin1String(kContents);
    return make([from](const QString& package, int* error) {
        // Each file on its way to the disk as it is copied; fillDurably waits for them all.
        PendingSyncs started;
        CloneOptions copied;
        copied.syncs = &started;
        return FileSystemOps::shared().cloneItem(from, package + QLatin1String(kContents), copied, error);
    });
}

bool PackageCopy::make(const Filler& fill)
{
    m_error = 0;
    m_heldOpen.clear();
    if (m_destination.isEmpty() || m_destination == QLatin1String("."))
        return fail(EINVAL);
    // Held until the copy is in place: no copy of the program opens the destination meanwhile.
    DocumentMark mark(m_destination);
    if (!mark.take()) {
        m_heldOpen = mark.heldInformation(documentNameFromURL(m_destination));
        svLog(QStringLiteral("Copie refusée : %1 est ouvert ailleurs").arg(m_destination));
        return fail(EBUSY);
    }
    // A document an ended save left aside is the one at the destination: back in place first, it
    // is replaced or refused like any other.
    int error = 0;
    if (!restoreSetAsideDocument(m_destination, &error))
        return fail(error);
    if (!m_replacing && FileSystemOps::shared().exists(m_destination))
        return fail(EEXIST);
    StagingPackage staging;
    if (!staging.make(m_destination, &error))
        return fail(error);
    return fillDurably(staging.url(), fill) && putInPlace(staging.url());
}

bool PackageCopy::fillDurably(const QString& package, const Filler& fill)
{
    int error = 0;
    bool filled = false;
    {
        // Members a save writes into the package are left to the one wait below.
        PendingSyncs members;
        const StagedMemberWrites staged(package, members);
        filled = fill(package, &error);
    }
    if (!filled) {
        svLog(QStringLiteral("Copie vers %1 impossible (%2)").arg(m_destination).arg(error));
        return fail(error);
    }
    PendingSyncs every;
    addEveryFile(package, every);
    if (!every.flush(&error)) {
        svLog(QStringLiteral("Copie vers %1 non écrite sur le disque (%2)").arg(m_destination).arg(error));
        return fail(error);
    }
    return true;
}

bool PackageCopy::putInPlace(const QString& package)
{
    int error = 0;
    // Without the user's word the rename itself refuses a document that came meanwhile.
    const bool placed = m_replacing
        ? SVDocumentManager::defaultManager().swapSavedBundles(m_destination, package, &error)
        : moveStagingPackage(package, m_destination, &error);
    if (!placed) {
        svLog(QStringLiteral("La copie ne prend pas la place de %1 (%2)").arg(m_destination).arg(error));
        return fail(error);
    }
    return true;
}
