#include "SVWorkspaceManager.h"

#include "document/PackageMembers.h"

#include "document/DocumentMark.h"
#include "document/ICloudContainer.h"
#include "document/ICloudDelegate.h"
#include "document/PackageCopy.h"
#include "document/SVDocumentManager.h"
#include "document/SaveLeftovers.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>

namespace {

// The codes the browser tells apart keep their platform values; 1 and 2 mean something else
// to it, so no system code may come out as either.
constexpr int kNoWritePermission = 513;
constexpr int kNoSuchFile = 4;

int fileErrorCode(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return kNoWritePermission;
    case ENOENT:
        return kNoSuchFile;
    default:
        return error != 0 ? error : EIO;
    }
}

bool existsAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Another item of the folder whose name is the path's, letter case ignored.
bool takenIgnoringCase(const QString& path, const QString& except = QString())
{
    const QFileInfo info(path);
    const QStringList names
        = info.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0 && info.dir().filePath(name) != except)
            return true;
    }
    return false;
}

// uniqueFileURL's "<name>-<n>.svd", free whatever the letter case.
QString uniqueIgnoringCase(const QString& path)
{
    if (!takenIgnoringCase(path))
        return path;
    const QFileInfo info(path);
    for (long n = 1;; ++n) {
        QString candidate
            = info.dir().filePath(QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
        if (!takenIgnoringCase(candidate))
            return candidate;
    }
}

// The copy is made under a hidden name and takes its own only when whole: the folder never lists
// a broken document, not even while the copy runs or after the process died in it.
bool copyPackage(const QString& from, const QString& to, int* error)
{
    PackageCopy copy(to);
    if (copy.copyFrom(from))
        return true;
    *error = copy.error();
    return false;
}

// Renames, or copies then removes the original when the destination is on another file system
// (the library and the Documents folder may be). Never replaces an existing item.
bool moveItem(const QString& from, const QString& to, int* error)
{
    *error = 0;
    if (from.isEmpty() || to.isEmpty() || existsAt(to)) {
        *error = existsAt(to) ? EEXIST : EINVAL;
        return false;
    }
    errno = 0;
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = errno != 0 ? errno : EIO;
    if (*error != EXDEV || !copyPackage(from, to, error))
        return false;
    // A removal that fails may have taken part of the original: the whole copy is then kept.
    return removeOrTrashItemAtURL(from, error);
}

// A running copy of the program (this one too) that has the document open would save it back
// where it was: its package stays as it is while the mark is held elsewhere. Held here, the mark
// keeps the document from being opened while its package moves.
bool markForMove(DocumentMark& mark, const QString& name, QString* heldOpen)
{
    if (mark.take())
        return true;
    if (heldOpen)
        *heldOpen = mark.heldInformation(name);
    return false;
}

} // namespace

SVWorkspaceManager& SVWorkspaceManager::sharedInstance()
{
    static SVWorkspaceManager manager;
    return manager;
}

QList<RecentDocumentPtr>* SVWorkspaceManager::listFor(int fileSystemTag)
{
    if (fileSystemTag == kFileSystemICloud)
        return &m_iCloudList;
    return fileSystemTag == kFileSystemLocal ? &m_localList : nullptr;
}

const QList<RecentDocumentPtr>* SVWorkspaceManager::listFor(int fileSystemTag) const
{
    return const_cast<SVWorkspaceManager*>(this)->listFor(fileSystemTag);
}

long SVWorkspaceManager::nbRecent(int fileSystemTag) const
{
    const QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    return list ? static_cast<long>(list->size()) : 0;
}

void SVWorkspaceManager::clearRecent(int fileSystemTag)
{
    if (QList<RecentDocumentPtr>* list = listFor(fileSystemTag))
        list->clear();
}

RecentDocumentPtr SVWorkspaceManager::documentAtIndex(long index, int fileSystemTag) const
{
    const QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    if (!list || index < 0 || index >= list->size())
        return nullptr;
    return list->at(index);
}

bool SVWorkspaceManager::findElementNamed(const QString& name, long* foundIndex, int fileSystemTag) const
{
    if (foundIndex)
        *foundIndex = 0;
    const QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    for (qsizetype i = 0; list && i < list->size(); ++i) {
        if (list->at(i)->name() == name) {
            if (foundIndex)
                *foundIndex = static_cast<long>(i);
            return true;
        }
    }
    return false;
}

bool SVWorkspaceManager::findElementAtUrl(const QString& url, long* foundIndex, int fileSystemTag) const
{
    const QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    const QString name = documentNameFromURL(url);
    qsizetype i = 0;
    bool found = false;
    for (; list && i < list->size(); ++i) {
        const int order = list->at(i)->name().compare(name, Qt::CaseInsensitive);
        if (order >= 0) {
            found = order == 0;
            break;
        }
    }
    if (foundIndex)
        *foundIndex = static_cast<long>(i);
    return found;
}

void SVWorkspaceManager::addRecentUrl(const QString& url, int fileSystemTag, qint64 size)
{
    QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    long index = 0;
    if (!list || url.isEmpty() || findElementAtUrl(url, &index, fileSystemTag))
        return;
    list->insert(index, std::make_shared<RecentDocument>(url, fileSystemTag, size));
}

void SVWorkspaceManager::removeRecentUrl(const QString& url, int fileSystemTag)
{
    QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    long index = 0;
    if (list && findElementAtUrl(url, &index, fileSystemTag))
        list->removeAt(index);
}

void SVWorkspaceManager::addRecentList(const QList<SVMetadataItem>& items, int fileSystemTag, bool doClear)
{
    if (!listFor(fileSystemTag))
        return;
    if (doClear)
        clearRecent(fileSystemTag);
    for (const SVMetadataItem& item : items)
        addRecentUrl(item.url, fileSystemTag, item.fileSize.value_or(0));
}

void SVWorkspaceManager::removeRecentList(const QList<SVMetadataItem>& items, int fileSystemTag)
{
    for (const SVMetadataItem& item : items)
        removeRecentUrl(item.url, fileSystemTag);
}

void SVWorkspaceManager::updateMacMetadata(const QList<SVMetadataItem>& items)
{
    for (const SVMetadataItem& item : items) {
        long index = 0;
        if (item.fileSize && findElementNamed(documentNameFromURL(item.displayName), &index, kFileSystemLocal))
            m_localList.at(index)->setFileSize(*item.fileSize);
    }
}

bool SVWorkspaceManager::getRecentFolderUrl(QString* url, int fileSystemTag)
{
    if (url)
        url->clear();
    if (fileSystemTag == kFileSystemICloud)
        return iCloudDelegate::sharedInstance().getDocumentsFolderUrl(url);
    if (fileSystemTag != kFileSystemLocal)
        return false;
    // A new account or a minimal desktop may have no Documents folder yet: the program keeps its
    // documents there, so it makes the folder rather than fail the first creation.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    if (url)
        *url = folder;
    return true;
}

bool SVWorkspaceManager::isNameTaken(const QString& name, int fileSystemTag)
{
    const QString url = RecentDocument::theoricUrlForName(name, fileSystemTag);
    return !url.isEmpty() && takenIgnoringCase(url);
}

void SVWorkspaceManager::loadRecentMacData()
{
    m_localList.clear();
    QString folder;
    if (!getRecentFolderUrl(&folder, kFileSystemLocal))
        return;
    // A document a save left aside when it died is listed under its own name, and what ended saves
    // left no longer takes room until the next save of that document.
    clearSaveLeftovers(folder);
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.suffix() == QLatin1String("svd"))
            addRecentUrl(entry.filePath(), kFileSystemLocal,
                         SVMetadataItem::itemForUrl(entry.filePath()).fileSize.value_or(0));
    }
}

void SVWorkspaceManager::updateRecentMacData()
{
    for (const RecentDocumentPtr& document : std::as_const(m_localList)) {
        const SVMetadataItem item = SVMetadataItem::itemForUrl(document->url());
        if (item.fileSize)
            document->setFileSize(*item.fileSize);
    }
}

bool SVWorkspaceManager::renommerRecent(long* index, const QString& newName, int fileSystemTag, QString* heldOpen)
{
    const QString target = RecentDocument::theoricUrlForName(newName, fileSystemTag);
    QList<RecentDocumentPtr>* list = listFor(fileSystemTag);
    const RecentDocumentPtr document = index ? documentAtIndex(*index, fileSystemTag) : nullptr;
    if (target.isEmpty() || !list || !document || takenIgnoringCase(target, document->url()))
        return false;
    DocumentMark mark(document->url());
    DocumentMark targetMark(target);
    if (!markForMove(mark, document->name(), heldOpen) || !markForMove(targetMark, newName, heldOpen))
        return false;
    int error = 0;
    if (!moveItem(document->url(), target, &error))
        return false;
    document->changeUrl(target);
    list->removeAt(*index);
    long position = 0;
    findElementAtUrl(target, &position, fileSystemTag);
    list->insert(position, document);
    *index = position;
    return true;
}

bool SVWorkspaceManager::dupliquerRecent(long index, const QString& newName, int fileSystemTag)
{
    const QString target = RecentDocument::theoricUrlForName(newName, fileSystemTag);
    const RecentDocumentPtr document = documentAtIndex(index, fileSystemTag);
    if (target.isEmpty() || !document || takenIgnoringCase(target))
        return false;
    int error = 0;
    if (!copyPackage(document->url(), target, &error))
        return false;
    addRecentUrl(target, fileSystemTag);
    if (fileSystemTag == kFileSystemLocal)
        return true;
    return cloudContainer().startDownloadingUbiquitousItem(target, &error);
}

int SVWorkspaceManager::importerRecent(QString* url, int fileSystemTag)
{
    if (!url || url->isEmpty())
        return kNoSuchFile;
    const QString target
        = RecentDocument::theoricUrlForName(QFileInfo(QDir::cleanPath(*url)).fileName(), fileSystemTag);
    if (target.isEmpty())
        return kImportNotWritable;
    if (!isDocumentPackage(*url, nullptr))
        return kImportNotDocument;
    const QString unique = uniqueIgnoringCase(target);
    if (existsAt(unique))
        return kImportNameTaken;
    int error = 0;
    if (!copyPackage(*url, unique, &error))
        return fileErrorCode(error);
    if (fileSystemTag == kFileSystemICloud)
        cloudContainer().setUbiquitous(true, unique, unique, &error);
    *url = unique;
    return 0;
}

bool SVWorkspaceManager::supprimerRecentMac(long index, const QString& destUrl, QString* heldOpen)
{
    const RecentDocumentPtr document = documentAtIndex(index, kFileSystemLocal);
    if (!document || document->url().isEmpty())
        return false;
    DocumentMark mark(document->url());
    int error = 0;
    if (!markForMove(mark, document->name(), heldOpen) || !moveItem(document->url(), destUrl, &error))
        return false;
    m_localList.removeAt(index);
    return true;
}
