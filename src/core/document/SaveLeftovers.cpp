#include "SaveLeftovers.h"

#include "document/FileSystemOps.h"
#include "document/PackageLock.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

namespace {

// Room for the number, "-<n>" and the kind, whatever the name: every hidden name fits in the
// 255 bytes a file name may take.
constexpr qsizetype kPrefixBytes = 64;
// Names tried beside the destination before a save gives up: one is taken only by a save still
// running, or by a folder that could not be cleared.
constexpr int kMaxFolderAttempts = 16;

const char kDocumentExtension[] = ".svd";

enum class Kind { None, Staging, SetAside };

// The document's name without its extension.
QString documentStem(const QFileInfo& document)
{
    return document.fileName().endsWith(QLatin1String(kDocumentExtension))
        ? document.fileName().chopped(int(qstrlen(kDocumentExtension)))
        : document.fileName();
}

Kind kindOf(const QString& name)
{
    static const QRegularExpression hidden(QStringLiteral("^\\..*\\.\\d+(-\\d+)?(%1|%2)$")
                                               .arg(QRegularExpression::escape(QLatin1String(kSavingPackageName)),
                                                    QRegularExpression::escape(QLatin1String(kSetAsideFolderName))));
    if (!hidden.match(name).hasMatch())
        return Kind::None;
    return name.endsWith(QLatin1String(kSavingPackageName)) ? Kind::Staging : Kind::SetAside;
}

// Whether a folder of that name holds only what a save puts there: a staging package its
// "Contents", a set-aside folder packages. A hidden folder of the user's that happens to be named
// so is never taken for one.
bool holdsOnlyASavesWork(const QFileInfo& entry, Kind kind)
{
    const QFileInfoList inside
        = QDir(entry.filePath()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& item : inside) {
        if (item.isSymLink() || !item.isDir()
            || (kind == Kind::Staging && item.fileName() != QLatin1String("Contents")))
            return false;
    }
    return true;
}

// The hidden folders of saves in the folder: folders, never a link.
QStringList hiddenSaveFolders(const QString& folder, Kind kind)
{
    QStringList found;
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const Kind entryKind = kindOf(entry.fileName());
        if (!entry.isSymLink() && entryKind != Kind::None && (kind == Kind::None || entryKind == kind)
            && holdsOnlyASavesWork(entry, entryKind))
            found.append(entry.filePath());
    }
    return found;
}

// Whether a running save holds the folder, or nobody can tell.
bool isHeld(const QString& path)
{
    PackageLock lock;
    return !lock.take(path, nullptr);
}

void removeLogged(const QString& path, const QString& what)
{
    int error = 0;
    if (FileSystemOps::shared().removeItem(path, &error))
        svLog(QStringLiteral("%1 d'un enregistrement terminé supprimé : %2").arg(what, path));
    else
        svLog(QStringLiteral("%1 d'un enregistrement terminé non supprimé (%2) : %3").arg(what).arg(error).arg(path));
}

// The packages of a set-aside folder go back where their document is missing; the folder goes
// once nothing in it is the only copy of a document.
void clearSetAside(const QString& aside)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString folder = QFileInfo(aside).path();
    bool keep = false;
    for (const QString& name :
         QDir(aside).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString document = folder + QLatin1Char('/') + name + QLatin1String(kDocumentExtension);
        if (ops.exists(document))
            continue;
        int error = 0;
        if (ops.moveItem(aside + QLatin1Char('/') + name, document, &error)) {
            svLog(QStringLiteral("Enregistrement interrompu : %1 reprend sa place").arg(document));
        } else {
            svLog(
                QStringLiteral("Enregistrement interrompu : %1 ne reprend pas sa place (%2)").arg(document).arg(error));
            keep = true;
        }
    }
    if (!keep)
        removeLogged(aside, QStringLiteral("Version précédente"));
}

} // namespace

QString setAsidePackageUrl(const QString& folder, const QString& destination)
{
    return folder + QLatin1Char('/') + documentStem(QFileInfo(QDir::cleanPath(destination)));
}

QString hiddenSaveFolderUrl(const QString& destination, const char* kind, qint64 process, int n)
{
    const QFileInfo info(QDir::cleanPath(destination));
    QString name = QLatin1Char('.') + safeFileName(documentStem(info), kPrefixBytes) + QLatin1Char('.')
        + QString::number(process);
    if (n > 0)
        name += QLatin1Char('-') + QString::number(n);
    return info.path() + QLatin1Char('/') + name + QLatin1String(kind);
}

QString makeLockedSaveFolder(const QString& destination, const char* kind, PackageLock& lock, int* error)
{
    FileSystemOps& ops = FileSystemOps::shared();
    int code = EEXIST;
    for (int n = 0; n < kMaxFolderAttempts; ++n) {
        const QString folder = hiddenSaveFolderUrl(destination, kind, QCoreApplication::applicationPid(), n);
        if (ops.exists(folder))
            continue;
        if (!ops.makeFolder(folder, &code))
            break;
        // Between its making and its lock, a clearing of the folder may take the empty folder for
        // one left behind: then another name.
        if (!lock.take(folder, &code) && (code == EWOULDBLOCK || code == ENOENT))
            continue;
        // A file system without locks still saves; its leftovers are only never judged ended.
        if (!lock.held())
            svLog(QStringLiteral("Dossier d'enregistrement non verrouillé (%1) : %2").arg(code).arg(folder));
        if (error)
            *error = 0;
        return folder;
    }
    if (error)
        *error = code;
    return {};
}

void clearSaveLeftovers(const QString& folder)
{
    for (const QString& path : hiddenSaveFolders(folder, Kind::None)) {
        // Held while it is cleared, so that no save takes the folder meanwhile.
        PackageLock ended;
        if (!ended.take(path, nullptr))
            continue;
        if (kindOf(QFileInfo(path).fileName()) == Kind::Staging)
            removeLogged(path, QStringLiteral("Paquet"));
        else
            clearSetAside(path);
    }
}

bool restoreSetAsideDocument(const QString& url, int* error)
{
    if (error)
        *error = 0;
    FileSystemOps& ops = FileSystemOps::shared();
    const QFileInfo document(QDir::cleanPath(url));
    if (ops.exists(document.filePath()))
        return true;
    QString newest;
    for (const QString& aside : hiddenSaveFolders(document.path(), Kind::SetAside)) {
        const QString package = setAsidePackageUrl(aside, document.filePath());
        if (QFileInfo(package).isDir() && !isHeld(aside)
            && (newest.isEmpty() || QFileInfo(package).lastModified() > QFileInfo(newest).lastModified()))
            newest = package;
    }
    // Held while the package goes back, so that no clearing of the folder takes it meanwhile.
    PackageLock ended;
    if (newest.isEmpty() || !ended.take(QFileInfo(newest).path(), nullptr))
        return true;
    svLog(QStringLiteral("Enregistrement interrompu : %1 reprend sa place").arg(document.filePath()));
    if (!ops.moveItem(newest, document.filePath(), error))
        return false;
    const QString aside = QFileInfo(newest).path();
    if (QDir(aside).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        removeLogged(aside, QStringLiteral("Dossier"));
    return true;
}
