#include "SaveLeftovers.h"

#include "document/FileSystemOps.h"
#include "document/PackageLock.h"
#include "document/PackageMembers.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <optional>

namespace {

// Room for the number, "-<n>" and the kind, whatever the name: every hidden name fits in the
// 255 bytes a file name may take.
constexpr qsizetype kPrefixBytes = 64;
// Names tried beside the destination before a save gives up: one is taken only by a save still
// running, or by a folder that could not be cleared.
constexpr int kMaxFolderAttempts = 16;

const char kDocumentExtension[] = ".svd";
constexpr QDir::Filters kEverything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

enum class Kind { None, Staging, SetAside };

// What the name of a hidden folder says: the kind of save folder and the prefix of its document.
struct HiddenName {
    Kind kind = Kind::None;
    QString prefix;
};

// A hidden folder judged to be a save's own; package is the one a set-aside folder holds, empty
// when it holds nothing.
struct Leftover {
    QString path;
    Kind kind = Kind::None;
    QString package;
};

// The document's name without its extension.
QString documentStem(const QFileInfo& document)
{
    return document.fileName().endsWith(QLatin1String(kDocumentExtension))
        ? document.fileName().chopped(int(qstrlen(kDocumentExtension)))
        : document.fileName();
}

// The part of a document's name its hidden folders carry.
QString hiddenPrefix(const QString& stem)
{
    return safeFileName(stem, kPrefixBytes);
}

// The number is the last one of the name: a prefix may hold digits and dots of its own.
HiddenName parseHiddenName(const QString& name)
{
    static const QRegularExpression hidden(QStringLiteral("^\\.(.+)\\.\\d+(?:-\\d+)?(%1|%2)$")
                                               .arg(QRegularExpression::escape(QLatin1String(kSavingPackageName)),
                                                    QRegularExpression::escape(QLatin1String(kSetAsideFolderName))));
    const QRegularExpressionMatch match = hidden.match(name);
    if (!match.hasMatch())
        return {};
    const Kind kind = match.captured(2) == QLatin1String(kSavingPackageName) ? Kind::Staging : Kind::SetAside;
    return {kind, match.captured(1)};
}

// The prefixes of the folder's documents and of the destination about to be written there.
QSet<QString> documentPrefixes(const QString& folder, const QString& destination)
{
    QSet<QString> prefixes;
    for (const QString& name : QDir(folder).entryList(kEverything)) {
        if (name.endsWith(QLatin1String(kDocumentExtension)))
            prefixes.insert(hiddenPrefix(documentStem(QFileInfo(name))));
    }
    if (!destination.isEmpty())
        prefixes.insert(hiddenPrefix(documentStem(QFileInfo(QDir::cleanPath(destination)))));
    return prefixes;
}

bool isRealFolder(const QFileInfo& item)
{
    return !item.isSymLink() && item.isDir();
}

// Nothing, or only a real folder of that name.
bool holdsAtMost(const QString& path, const QString& name)
{
    const QFileInfoList inside = QDir(path).entryInfoList(kEverything);
    return inside.isEmpty()
        || (inside.size() == 1 && inside.first().fileName() == name && isRealFolder(inside.first()));
}

// Nothing under the folder but files and folders: links are not followed, they fail the test.
bool holdsOnlyFilesAndFolders(const QString& path)
{
    QDirIterator inside(path, kEverything, QDirIterator::Subdirectories);
    while (inside.hasNext()) {
        inside.next();
        const QFileInfo item = inside.fileInfo();
        if (item.isSymLink() || !(item.isFile() || item.isDir()))
            return false;
    }
    return true;
}

bool isStagingWork(const QString& path)
{
    const QString contents = path + QStringLiteral("/Contents");
    return holdsAtMost(path, QStringLiteral("Contents"))
        && (!QFileInfo(contents).isDir() || holdsAtMost(contents, QStringLiteral("Resources")))
        && holdsOnlyFilesAndFolders(path);
}

// A package as a save sets the document's aside: the folder of the member files, reached
// without a link, holding some of them.
bool looksLikeDocument(const QString& package)
{
    return isRealFolder(QFileInfo(package + QStringLiteral("/Contents")))
        && isRealFolder(QFileInfo(package + QStringLiteral("/Contents/Resources")))
        && isDocumentPackage(package, nullptr);
}

bool isEmptyFolder(const QString& path)
{
    return QDir(path).isEmpty(kEverything);
}

// What a folder that has a save's name holds, when it is provably a save's own (see the header).
std::optional<Leftover> judgeContents(const QString& path, const HiddenName& name, const QSet<QString>& documents)
{
    if (name.kind == Kind::Staging) {
        if (documents.contains(name.prefix) && isStagingWork(path))
            return Leftover {path, Kind::Staging, {}};
        return std::nullopt;
    }
    const QFileInfoList inside = QDir(path).entryInfoList(kEverything);
    if (inside.isEmpty())
        return documents.contains(name.prefix) ? std::optional(Leftover {path, Kind::SetAside, {}}) : std::nullopt;
    const QFileInfo& package = inside.first();
    if (inside.size() == 1 && isRealFolder(package) && hiddenPrefix(package.fileName()) == name.prefix
        && (looksLikeDocument(package.filePath())
            || (documents.contains(name.prefix) && isEmptyFolder(package.filePath()))))
        return Leftover {path, Kind::SetAside, package.filePath()};
    return std::nullopt;
}

// The hidden folder, judged once its lock is held: nullopt when it is none of a save's, or a
// save still runs in it.
std::optional<Leftover> judge(const QFileInfo& entry, const QSet<QString>& documents, PackageLock& ended)
{
    const HiddenName name = parseHiddenName(entry.fileName());
    if (name.kind == Kind::None)
        return std::nullopt;
    std::optional<Leftover> leftover;
    if (isRealFolder(entry)) {
        // A save still running holds its folder: nothing to judge yet, nor to say.
        if (!ended.take(entry.filePath(), nullptr))
            return std::nullopt;
        leftover = judgeContents(entry.filePath(), name, documents);
    }
    if (!leftover)
        svLog(QStringLiteral("Dossier caché laissé en place, il n'est pas celui d'un enregistrement : %1")
                  .arg(entry.filePath()));
    return leftover;
}

QFileInfoList hiddenEntries(const QString& folder)
{
    return QDir(folder).entryInfoList(kEverything, QDir::Name);
}

void removeLogged(const QString& path, const QString& what)
{
    int error = 0;
    if (FileSystemOps::shared().removeItem(path, &error))
        svLog(QStringLiteral("%1 d'un enregistrement terminé supprimé : %2").arg(what, path));
    else
        svLog(QStringLiteral("%1 d'un enregistrement terminé non supprimé (%2) : %3").arg(what).arg(error).arg(path));
}

// A set-aside folder goes with the version its save replaced once the document is in place; the
// only copy of a missing document stays.
void clearSetAside(const Leftover& aside)
{
    const QString document = QFileInfo(aside.path).path() + QLatin1Char('/') + QFileInfo(aside.package).fileName()
        + QLatin1String(kDocumentExtension);
    if (!aside.package.isEmpty() && !FileSystemOps::shared().exists(document)) {
        svLog(QStringLiteral("Dossier d'enregistrement laissé en place, %1 manque : %2").arg(document, aside.path));
        return;
    }
    removeLogged(aside.path, QStringLiteral("Version précédente"));
}

// The documents of the folder that saves left aside only, each the name of the package a hidden
// set-aside folder holds where no document has it.
QStringList documentsLeftAside(const QString& folder)
{
    QStringList missing;
    for (const QFileInfo& entry : hiddenEntries(folder)) {
        if (parseHiddenName(entry.fileName()).kind != Kind::SetAside || !isRealFolder(entry))
            continue;
        for (const QString& name : QDir(entry.filePath()).entryList(kEverything)) {
            const QString document = folder + QLatin1Char('/') + name + QLatin1String(kDocumentExtension);
            if (!FileSystemOps::shared().exists(document) && !missing.contains(document))
                missing.append(document);
        }
    }
    return missing;
}

} // namespace

QString setAsidePackageUrl(const QString& folder, const QString& destination)
{
    return folder + QLatin1Char('/') + documentStem(QFileInfo(QDir::cleanPath(destination)));
}

QString hiddenSaveFolderUrl(const QString& destination, const char* kind, qint64 process, int n)
{
    const QFileInfo info(QDir::cleanPath(destination));
    QString name = QLatin1Char('.') + hiddenPrefix(documentStem(info)) + QLatin1Char('.') + QString::number(process);
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

void clearSaveLeftovers(const QString& folder, const QString& destination)
{
    // Several saves that died may have left copies of one document: the most recent goes back
    // first, then the others are only older versions.
    for (const QString& document : documentsLeftAside(folder)) {
        int error = 0;
        if (!restoreSetAsideDocument(document, &error))
            svLog(
                QStringLiteral("Enregistrement interrompu : %1 ne reprend pas sa place (%2)").arg(document).arg(error));
    }
    const QSet<QString> documents = documentPrefixes(folder, destination);
    for (const QFileInfo& entry : hiddenEntries(folder)) {
        // Held while it is cleared, so that no save takes the folder meanwhile.
        PackageLock ended;
        const std::optional<Leftover> leftover = judge(entry, documents, ended);
        if (!leftover)
            continue;
        if (leftover->kind == Kind::Staging)
            removeLogged(leftover->path, QStringLiteral("Paquet"));
        else
            clearSetAside(*leftover);
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
    const QString stem = documentStem(document);
    const QSet<QString> documents = documentPrefixes(document.path(), document.filePath());
    QString newest;
    for (const QFileInfo& entry : hiddenEntries(document.path())) {
        const HiddenName name = parseHiddenName(entry.fileName());
        if (name.kind != Kind::SetAside || name.prefix != hiddenPrefix(stem))
            continue;
        PackageLock ended;
        const std::optional<Leftover> leftover = judge(entry, documents, ended);
        if (leftover && QFileInfo(leftover->package).fileName() == stem && looksLikeDocument(leftover->package)
            && (newest.isEmpty() || QFileInfo(leftover->package).lastModified() > QFileInfo(newest).lastModified()))
            newest = leftover->package;
    }
    // Held while the package goes back, so that no clearing of the folder takes it meanwhile.
    PackageLock ended;
    if (newest.isEmpty() || !ended.take(QFileInfo(newest).path(), nullptr))
        return true;
    svLog(QStringLiteral("Enregistrement interrompu : %1 reprend sa place").arg(document.filePath()));
    if (!ops.moveItem(newest, document.filePath(), error))
        return false;
    const QString aside = QFileInfo(newest).path();
    if (isEmptyFolder(aside))
        removeLogged(aside, QStringLiteral("Dossier"));
    return true;
}
