#include "BackupManager.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SavedSearches.h"
#include "document/SimulationFile.h"
#include "foundation/IAlerts.h"
#include "foundation/IAppShell.h"
#include "foundation/SystemClock.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/fileerrors.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GraphFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr int kStyleFull = 4;
const QLatin1String kBackupExtension(".svd");

struct Backup {
    QString name;
    double time = 0;
};

bool isPermissionError(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

bool existsAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

int lastErrorOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

// The time a backup's name tells. A name that is no date (made in another language, or not by
// us) counts as made now: the last to go, so nothing of unknown age is removed before its turn.
double backupTime(const QFileInfo& entry)
{
    QString text = entry.fileName();
    if (text.endsWith(kBackupExtension))
        text.chop(kBackupExtension.size());
    text.replace(u'_', u':');
    double time = 0;
    if (parseDateString(text, &time, kStyleFull, kStyleFull))
        return time;
    return SystemClock::now();
}

// The backups in listing order; nothing when the folder can't be listed.
std::optional<QList<Backup>> listBackups(const QString& folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable())
        return std::nullopt;
    QList<Backup> backups;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
        backups.append(Backup {entry.fileName(), backupTime(entry)});
    return backups;
}

// Names the package whose backups an archive folder holds, so that two documents of the same
// name never share one.
constexpr char kArchiveOwnerFile[] = ".document";
constexpr int kMaxArchiveFolders = 1000;

QString packageIdentity(const QString& package)
{
    return QDir::cleanPath(QFileInfo(package).absoluteFilePath());
}

// Whether the folder keeps the backups of that package: it does when it names it, and becomes
// its folder when it is new or names no package yet (a folder from before the names were kept
// goes to the first document of its name backed up).
bool claimArchiveFolder(const QString& folder, const QString& identity, int* error)
{
    const QString owner = folder + QLatin1Char('/') + QLatin1String(kArchiveOwnerFile);
    errno = 0;
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        *error = lastErrorOr(EIO);
        return false;
    }
    QFile file(owner);
    if (file.exists()) {
        if (file.open(QIODevice::ReadOnly))
            return QString::fromUtf8(file.readAll()).trimmed() == identity;
        return false;
    }
    // Unwritten, the name is only claimed again at the next backup.
    if (file.open(QIODevice::WriteOnly))
        file.write(identity.toUtf8());
    return true;
}

// Archives/<name>, or for a second document of that name Archives/<name> (2), (3)...
bool archiveFolder(const QString& package, QString* folder, int* error)
{
    QString archives;
    const QString name = documentNameFromURL(package);
    if (name.isEmpty() || !HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, error) || *error != 0) {
        *error = *error != 0 ? *error : EINVAL;
        return false;
    }
    const QString identity = packageIdentity(package);
    for (int n = 1; n <= kMaxArchiveFolders; ++n) {
        const QString candidate
            = archives + QLatin1Char('/') + (n == 1 ? name : QStringLiteral("%1 (%2)").arg(name).arg(n));
        if (claimArchiveFolder(candidate, identity, error)) {
            *folder = candidate;
            return true;
        }
        if (*error != 0)
            return false;
    }
    *error = EEXIST;
    return false;
}

// Member files (those of the resources folder and of the folders of searches, simulations and
// memorised windows) are only ever replaced by a rename, so a backup may share their bytes.
// Anything else is copied, whatever its name: an attached file "releve.xml" may be opened and
// changed where it lies, and the change must not reach the backup.
bool isMemberFile(const QString& resources, const QString& path)
{
    if (resources.isEmpty() || !path.endsWith(QLatin1String(".xml")) || !path.startsWith(resources + QLatin1Char('/')))
        return false;
    const QStringList parts = path.mid(resources.size() + 1).split(QLatin1Char('/'));
    static const QStringList folders
        = {QLatin1String(kSearchesFolderName), QLatin1String(kSimulationFolderName), QLatin1String(kGraphsFolderName),
           QLatin1String(kAnalyseFolderName), QLatin1String(kBudgetFolderName)};
    return parts.size() == 1 || (parts.size() == 2 && folders.contains(parts.first()));
}

// A backup is built under a hidden name, which no count of the backups sees, and takes its own
// name only once whole: a backup stopped midway is never counted among those kept.
const QLatin1String kPartialSuffix(".partial");

QString partialName(const QString& name)
{
    return QLatin1Char('.') + name + kPartialSuffix;
}

// What a stopped backup left behind goes before the next one is made.
void removePartialBackups(const QString& folder)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        int error = 0;
        if (name.startsWith(u'.') && name.endsWith(kPartialSuffix) && !ops.removeItem(dir.filePath(name), &error))
            svLog(QStringLiteral("Copie de secours interrompue %1 non supprimée (%2)").arg(name).arg(error));
    }
}

// The most recent backup, whose files a new one may share; empty when there is none.
QString newestBackup(const QString& folder)
{
    const std::optional<QList<Backup>> backups = listBackups(folder);
    const Backup* newest = nullptr;
    for (const Backup& backup : backups.value_or(QList<Backup>())) {
        if (!newest || backup.time > newest->time)
            newest = &backup;
    }
    return newest ? folder + QLatin1Char('/') + newest->name : QString();
}

bool statFile(const QString& path, struct stat* info)
{
    return ::lstat(QFile::encodeName(path).constData(), info) == 0 && S_ISREG(info->st_mode);
}

// The file of the previous backup that holds the same bytes as an attached file of the package:
// the same place, size and modification time (copies keep it). Backups are never changed, so a
// new backup may share it; never a file that is the package's own (its changes would reach it).
QString sameFileInBackup(const QString& package, const QString& previous, const QString& source)
{
    if (previous.isEmpty() || !source.startsWith(package + QLatin1Char('/')))
        return QString();
    const QString candidate = previous + source.mid(package.size());
    struct stat mine { };
    struct stat theirs { };
    if (!statFile(source, &mine) || !statFile(candidate, &theirs))
        return QString();
    const bool sameInode = mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
    const bool sameTime
        = mine.st_mtim.tv_sec == theirs.st_mtim.tv_sec && mine.st_mtim.tv_nsec == theirs.st_mtim.tv_nsec;
    return !sameInode && sameTime && mine.st_size == theirs.st_size ? candidate : QString();
}

// A backup of the same name (made within the same second) is replaced only once the new copy is
// whole and on the disk, so a failed copy never costs one.
bool copyBackup(const QString& package, const QString& target, int* error)
{
    FileSystemOps& ops = FileSystemOps::shared();
    const QString folder = QFileInfo(target).path();
    removePartialBackups(folder);
    const QString staging = folder + QLatin1Char('/') + partialName(QFileInfo(target).fileName());
    const QString source = QDir::cleanPath(package);
    const QString previous = newestBackup(folder);
    PendingSyncs syncs;
    CloneOptions options;
    QString resources;
    packageResourcesURL(source, &resources);
    options.shareSource = [&resources](const QString& file) { return isMemberFile(resources, file); };
    options.sameBytesAt = [&](const QString& file) { return sameFileInBackup(source, previous, file); };
    options.syncs = &syncs;
    if (!ops.cloneItem(source, staging, options, error) || !syncs.flush(error)
        || (existsAt(target) && !ops.removeItem(target, error)) || !ops.moveItem(staging, target, error)) {
        if (existsAt(staging))
            ops.removeItem(staging, nullptr);
        return false;
    }
    return true;
}

// The one oldest backup, the one just made excepted. One goes per run, never more: backups beyond
// a lowered limit are only given up one opening at a time. A removal that fails only leaves one
// backup too many.
void removeOldestBackup(const QString& folder, const QString& keep)
{
    const std::optional<QList<Backup>> backups = listBackups(folder);
    if (!backups)
        return;
    const Backup* oldest = nullptr;
    for (const Backup& backup : *backups) {
        if (backup.name != keep && (!oldest || backup.time < oldest->time))
            oldest = &backup;
    }
    if (!oldest)
        return;
    int error = 0;
    if (!removeOrTrashItemAtURL(folder + QLatin1Char('/') + oldest->name, &error))
        svLog(QStringLiteral("Copie de secours %1 non supprimée (%2)").arg(oldest->name).arg(error));
}

// The new backup is made before any is removed, so a failed copy never costs one.
bool makeBackup(const QString& package, long limit, int* error)
{
    QString folder;
    if (!archiveFolder(package, &folder, error))
        return false;
    long count = 0;
    QString oldest;
    BackupManager::scanSauvFolder(folder, &count, &oldest);
    const QString name = BackupManager::backupNameForTime(SystemClock::now());
    if (!copyBackup(package, folder + QLatin1Char('/') + name, error))
        return false;
    if (count >= limit)
        removeOldestBackup(folder, name);
    return true;
}

void askAfterFailedBackup(const QString& url, int error, const BackupManager::Action& actionOK,
                          const BackupManager::Action& actionNOK)
{
    AlertRequest request;
    request.imageName = QStringLiteral("document");
    // Why, in words: a full disk is not a refused permission.
    request.information = fileErrorInformation(url, error != 0 ? error : EIO);
    if (isPermissionError(error)) {
        request.message = localizedDialogue(QStringLiteral("kConfirm_PbSauvegarde_Droit"));
        request.button1 = localizedDialogue(QStringLiteral("Button_Dont_Open"));
        request.button2 = localizedDialogue(QStringLiteral("Button_Dont_Save"));
    } else {
        request.message = localizedDialogue(QStringLiteral("kConfirm_PbSauvegarde"));
        request.button1 = localizedDialogue(QStringLiteral("LIB_BUTTON_NON"));
        request.button2 = localizedDialogue(QStringLiteral("LIB_BUTTON_OUI"));
    }
    // Either way the first answer leaves the document unopened.
    request.escapeButton = kAlertFirstButton;
    const BackupManager::Action& action = runAlert(request) == kAlertFirstButton ? actionNOK : actionOK;
    if (action)
        action();
}

// Written at once, unless the package is one the user keeps without saving: then in memory only.
void writeDocParam(const DOCPARAM& param, const QString& package)
{
    if (DocContext::mayWriteAt(package) && !param.saveDocParam(package))
        svLog(QStringLiteral("Paramètres du document non écrits dans %1").arg(package));
}

void recordManualSave(DOCPARAM& param, const QString& package)
{
    param.lastManualSave = SystemClock::now();
    param.lastManualSaveStarted = true;
    writeDocParam(param, package);
}

} // namespace

BackupManager& BackupManager::defaultManager()
{
    static BackupManager manager;
    return manager;
}

void BackupManager::sauvegardeAutomatique(const QString& url, long n, const Action& actionOK, const Action& actionNOK)
{
    int error = 0;
    if (makeBackup(url, std::clamp(n, 1L, kMaxBackups), &error)) {
        if (actionOK)
            actionOK();
        return;
    }
    svLog(QStringLiteral("Copie de secours de %1 impossible (%2)").arg(url).arg(error));
    askAfterFailedBackup(url, error, actionOK, actionNOK);
}

bool BackupManager::keepDamagedPackage(const QString& url)
{
    QString folder;
    int error = 0;
    if (!archiveFolder(url, &folder, &error)
        || !copyBackup(url, folder + QLatin1Char('/') + backupNameForTime(SystemClock::now()), &error)) {
        svLog(QStringLiteral("Copie du document endommagé %1 impossible (%2)").arg(url).arg(error));
        return false;
    }
    return true;
}

bool BackupManager::scanSauvFolder(const QString& folder, long* count, QString* minName)
{
    *count = 0;
    minName->clear();
    const std::optional<QList<Backup>> backups = listBackups(folder);
    if (!backups)
        return false;
    double oldest = 0;
    for (const Backup& backup : *backups) {
        if (*count == 0 || backup.time < oldest) {
            oldest = backup.time;
            *minName = backup.name;
        }
        ++*count;
    }
    return *count > 0;
}

QString BackupManager::backupNameForTime(double time)
{
    QString name = dateToStringWithStyles(kStyleFull, kStyleFull, time);
    name.replace(u':', u'_');
    name.replace(u'/', u'_');
    return name + kBackupExtension;
}

void BackupManager::alertForManualSave(DOCUMENT* doc)
{
    if (!doc || !doc->docParam)
        return;
    const long period = APPLIPARAM::loadAppliParam().everyDaysManualSave;
    if (SystemClock::now() < addDaysToDate(period, doc->docParam->lastManualSave))
        return;
    AlertRequest request;
    request.message = localizedDialogue(QStringLiteral("kConfirm_ManualSaveDoc")).arg(period);
    request.information = doc->getDocLoadName();
    request.button1 = localizedDialogue(QStringLiteral("kButton_Maintenant"));
    request.button2 = localizedDialogue(QStringLiteral("kButton_Prochain"));
    request.button3 = localizedDialogue(QStringLiteral("kButton_Ignorer"));
    // Asked again at the next close: the one answer that neither copies nor forgets the reminder.
    request.escapeButton = kAlertSecondButton;
    request.style = 0;
    const int choice = runAlert(request);
    if (choice == kAlertFirstButton) {
        if (IAppShell* shell = appShell())
            shell->ENREGISTRER_COPIE(nullptr);
    } else if (choice == kAlertThirdButton) {
        doc->docParam->lastManualSave = SystemClock::now();
        writeDocParam(*doc->docParam, doc->documentUrl);
    }
}

void BackupManager::didManualSaveForOpenedDocument(DOCUMENT* doc)
{
    if (doc && doc->docParam)
        recordManualSave(*doc->docParam, doc->documentUrl);
}

void BackupManager::didManualSaveForClosedDocumentAtUrl(const QString& url)
{
    bool error = false;
    const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
    if (param)
        recordManualSave(*param, url);
}
