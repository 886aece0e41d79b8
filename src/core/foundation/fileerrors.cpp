#include "foundation/fileerrors.h"

#include "foundation/localized.h"

#include <QFileInfo>

#include <cerrno>
#include <utility>

QString fileErrorReason(int error)
{
    static const std::pair<int, const char*> kReasons[] = {
        {ENOENT, "kErreurFichier_Introuvable"},   {ENOTDIR, "kErreurFichier_Introuvable"},
        {EACCES, "kErreurFichier_Droits"},        {EPERM, "kErreurFichier_Droits"},
        {EROFS, "kErreurFichier_LectureSeule"},   {ENOSPC, "kErreurFichier_DisquePlein"},
        {EDQUOT, "kErreurFichier_DisquePlein"},   {EEXIST, "kErreurFichier_Existe"},
        {ENOTEMPTY, "kErreurFichier_Existe"},     {EISDIR, "kErreurFichier_EstDossier"},
        {ENAMETOOLONG, "kErreurFichier_NomLong"}, {EINVAL, "kErreurFichier_NomInvalide"},
        {EIO, "kErreurFichier_Lecture"},          {EBUSY, "kErreurFichier_Occupe"},
        {EXDEV, "kErreurFichier_AutreDisque"},    {EMFILE, "kErreurFichier_TropOuverts"},
        {ENFILE, "kErreurFichier_TropOuverts"},
    };
    for (const auto& [code, key] : kReasons) {
        if (code == error)
            return localizedDialogue(QString::fromLatin1(key));
    }
    return localizedDialogue(QStringLiteral("kErreurFichier_Autre")).arg(error);
}

QString fileErrorInformation(const QString& path, int error)
{
    const QString name = QFileInfo(path).fileName();
    return QStringLiteral("« %1 » : %2").arg(name.isEmpty() ? path : name, fileErrorReason(error));
}
