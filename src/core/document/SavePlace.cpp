#include "SavePlace.h"

#include "document/FileSystemOps.h"
#include "foundation/IAlerts.h"
#include "foundation/diagnostics.h"
#include "foundation/fileerrors.h"
#include "foundation/localized.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <cerrno>

QString setAsidePackageUrl(const QString& url)
{
    const QFileInfo info(QDir::cleanPath(url));
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.path() + QLatin1Char('/') + base + QStringLiteral(".old.svd");
}

QString unwritablePlaceForSave(const QString& url)
{
    FileSystemOps& ops = FileSystemOps::shared();
    QString package = QDir::cleanPath(url);
    QString folder = QFileInfo(package).path();
    if (!ops.isWritable(folder))
        return folder;
    if (!QFileInfo(package).isDir() || QFileInfo(package).isSymLink())
        return {};
    if (!ops.isWritable(package))
        return package;
    QDirIterator inside(package, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
    while (inside.hasNext()) {
        const QString place = inside.next();
        if (inside.fileInfo().isDir() && !inside.fileInfo().isSymLink() && !ops.isWritable(place))
            return place;
    }
    return {};
}

QString unwritablePlaceInformation(const QString& place)
{
    return fileErrorInformation(place, EACCES) + QStringLiteral("\n") + QDir::toNativeSeparators(place);
}

bool checkPlaceForSave(const QString& url, QObject* window)
{
    const QString unwritable = unwritablePlaceForSave(url);
    if (!unwritable.isEmpty()) {
        svLog(QStringLiteral("Enregistrement refusé : %1 ne peut pas être modifié").arg(unwritable));
        alertKeyWithInformation(QStringLiteral("kAlerte_CannotSaveDoc_ReadOnly"),
                                unwritablePlaceInformation(unwritable), window, 2, QStringLiteral("document"));
        return false;
    }
    // Left by a save that could not finish its work; the package under the document's own name is
    // the one to keep.
    FileSystemOps& ops = FileSystemOps::shared();
    const QString old = setAsidePackageUrl(url);
    int error = 0;
    if (!ops.exists(QDir::cleanPath(url)) || !ops.exists(old) || ops.removeItem(old, &error))
        return true;
    svLog(QStringLiteral("Ancien document impossible à supprimer (%1) : %2").arg(error).arg(old));
    alertKeyWithInformation(QStringLiteral("kAlerte_CannotRemoveOldPackage"),
                            fileErrorInformation(old, error != 0 ? error : EIO) + QStringLiteral("\n")
                                + QDir::toNativeSeparators(old),
                            window, 2, QStringLiteral("document"));
    return false;
}
