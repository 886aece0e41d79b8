#include "SaveLeftovers.h"

#include "document/FileSystemOps.h"
#include "document/PackageLock.h"
#include "document/PackageMembers.h"
#include "document/SaveFolderMark.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

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

// A hidden folder judged to be a save's: package is the one a set-aside folder holds, empty when
// it holds nothing; mark is the stamp of the program's mark, when the folder carries one.
struct Leftover {
    QString path;
    Kind kind = Kind::None;
    QString package;
    std::optional<SaveFolderStamp> mark;
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

const char* kindName(Kind kind)
{
    return kind == Kind::Staging ? kSavingPackageName : kSetAsideFolderName;
}

bool isRealFolder(const QFileInfo& item)
{
    return !item.isSymLink() && item.isDir();
}

// What the folder holds, its mark aside when it carries the program's.
QFileInfoList contentsOf(const QString& path, bool marked)
{
    QFileInfoList inside = QDir(path).entryInfoList(kEverything);
    if (marked)
        inside.removeIf([](const QFileInfo& item) { return item.fileName() == QLatin1String(kSaveFolderMarkName); });
    return inside;
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

// Beside its mark, nothing or the "Contents" folder a copy writes, with no link anywhere under it.
bool isStagingWork(const QString& path)
{
    const QFileInfoList inside = contentsOf(path, true);
    return (inside.isEmpty()
            || (inside.size() == 1 && inside.first().fileName() == QLatin1String("Contents")
                && isRealFolder(inside.first())))
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

// What a folder that has a save's name holds, when it is a save's own (see the header): marked
// by the program, or a set-aside folder holding a document, which may be all an earlier version
// of the program left of it.
std::optional<Leftover> judgeContents(const QString& path, const HiddenName& name)
{
    const std::optional<SaveFolderStamp> mark = saveFolderMark(path, kindName(name.kind));
    if (name.kind == Kind::Staging) {
        if (mark && isStagingWork(path))
            return Leftover {path, Kind::Staging, {}, mark};
        return std::nullopt;
    }
    const QFileInfoList inside = contentsOf(path, mark.has_value());
    if (inside.isEmpty())
        return mark ? std::optional(Leftover {path, Kind::SetAside, {}, mark}) : std::nullopt;
    const QFileInfo& package = inside.first();
    if (inside.size() == 1 && isRealFolder(package) && hiddenPrefix(package.fileName()) == name.prefix
        && (looksLikeDocument(package.filePath()) || (mark && isEmptyFolder(package.filePath()))))
        return Leftover {path, Kind::SetAside, package.filePath(), mark};
    return std::nullopt;
}

void logLeftInPlace(const QString& path)
{
    svLog(QStringLiteral("Dossier caché laissé en place, il n'est pas celui d'un enregistrement : %1").arg(path));
}

// The hidden folder, judged once its lock is held: nullopt when it is none of a save's, or a
// save still runs in it.
std::optional<Leftover> judge(const QFileInfo& entry, PackageLock& ended)
{
    const HiddenName name = parseHiddenName(entry.fileName());
    if (name.kind == Kind::None)
        return std::nullopt;
    std::optional<Leftover> leftover;
    if (isRealFolder(entry)) {
        // A save still running holds its folder: nothing to judge yet, nor to say.
        if (!ended.take(entry.filePath(), nullptr))
            return std::nullopt;
        leftover = judgeContents(entry.filePath(), name);
    }
    if (!leftover)
        logLeftInPlace(entry.filePath());
    return leftover;
}

QFileInfoList hiddenEntries(const QString& folder)
{
    return QDir(folder).entryInfoList(kEverything, QDir::Name);
}

void removeLogged(const QString& path, const QString& what)
{
    int error = 0;
    if (removeSaveFolder(path, &error))
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
    if (!aside.package.isEmpty() && looksLikeDocument(aside.package) && !FileSystemOps::shared().exists(document)) {
        svLog(QStringLiteral("Dossier d'enregistrement laissé en place, %1 manque : %2").arg(document, aside.path));
        return;
    }
    removeLogged(aside.path, QStringLiteral("Version précédente"));
}

// Of two copies of a document that ended saves left aside, whether the first is the more recent:
// by their marks' stamps, a marked copy before any an earlier version of the program left, and
// between two of those by their packages' times, all there is to go by.
bool isMoreRecent(const Leftover& copy, const Leftover& other)
{
    if (copy.mark.has_value() != other.mark.has_value())
        return copy.mark.has_value();
    if (copy.mark)
        return *copy.mark > *other.mark;
    return QFileInfo(copy.package).lastModified() > QFileInfo(other.package).lastModified();
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
            if (name != QLatin1String(kSaveFolderMarkName) && !FileSystemOps::shared().exists(document)
                && !missing.contains(document))
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
        // Between its making and its lock, a clearing of the folder may hold it a moment to judge
        // it: then another name, and this one, empty and unmarked, would stay for good.
        if (!lock.take(folder, &code) && (code == EWOULDBLOCK || code == ENOENT)) {
            QDir().rmdir(folder);
            continue;
        }
        // A file system without locks still saves; its leftovers are only never judged ended.
        if (!lock.held())
            svLog(QStringLiteral("Dossier d'enregistrement non verrouillé (%1) : %2").arg(code).arg(folder));
        // Unmarked, what a process killed in it leaves would never be known as the program's.
        if (!writeSaveFolderMark(folder, kind, &code)) {
            lock.release();
            QDir().rmdir(folder);
            break;
        }
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
    // Several saves that died may have left copies of one document: the most recent goes back
    // first, then the others are only older versions.
    for (const QString& document : documentsLeftAside(folder)) {
        int error = 0;
        if (!restoreSetAsideDocument(document, &error))
            svLog(
                QStringLiteral("Enregistrement interrompu : %1 ne reprend pas sa place (%2)").arg(document).arg(error));
    }
    for (const QFileInfo& entry : hiddenEntries(folder)) {
        // Held while it is cleared, so that no save takes the folder meanwhile.
        PackageLock ended;
        const std::optional<Leftover> leftover = judge(entry, ended);
        if (!leftover)
            continue;
        // An unmarked folder may only give its document back: nothing proves the rest is a save's.
        if (!leftover->mark)
            logLeftInPlace(leftover->path);
        else if (leftover->kind == Kind::Staging)
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
    std::optional<Leftover> newest;
    for (const QFileInfo& entry : hiddenEntries(document.path())) {
        const HiddenName name = parseHiddenName(entry.fileName());
        if (name.kind != Kind::SetAside || name.prefix != hiddenPrefix(stem))
            continue;
        PackageLock ended;
        const std::optional<Leftover> leftover = judge(entry, ended);
        if (leftover && QFileInfo(leftover->package).fileName() == stem && looksLikeDocument(leftover->package)
            && (!newest || isMoreRecent(*leftover, *newest)))
            newest = leftover;
    }
    // Held while the package goes back, so that no clearing of the folder takes it meanwhile.
    PackageLock ended;
    if (!newest || !ended.take(newest->path, nullptr))
        return true;
    svLog(QStringLiteral("Enregistrement interrompu : %1 reprend sa place").arg(document.filePath()));
    if (!ops.moveItem(newest->package, document.filePath(), error))
        return false;
    if (newest->mark ? holdsOnlyItsMark(newest->path) : isEmptyFolder(newest->path))
        removeLogged(newest->path, QStringLiteral("Dossier"));
    return true;
}
