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
    return true;
}
