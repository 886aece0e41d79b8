#include "AttachedDocuments.h"

#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"
#include "model/TransactFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

QString errorDescription(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool existsAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Names come from the document's files: one read from a damaged file must never reach outside
// the folder.
bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/'));
}

void addNamesOf(const TRANSACT& transact, QSet<QString>& names)
{
    for (const AttachedDocument& attached : transact.attachedDocuments) {
        if (!attached.docStoreName.isEmpty())
            names.insert(attached.docStoreName);
    }
}

void removeStoredFile(const QString& folder, const QString& name)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (!existsAt(path)) {
        svLog(QStringLiteral("Delete Store attached Document Failure : %1").arg(path));
        return;
    }
    int error = 0;
    if (!removeOrTrashItemAtURL(path, &error))
        svLog(QStringLiteral("Delete Store attached Document Failure : %1").arg(errorDescription(error)));
}

bool hasWaitingFile(const DOCUMENT& document)
{
    for (const TRANSACT& transact : document.transact_array) {
        for (const AttachedDocument& attached : transact.attachedDocuments) {
            if (!attached.docUrl.isEmpty())
                return true;
        }
    }
    return false;
}

// "base.ext", or "base_n.ext" for the first n from 2 that is free; no dot without an extension.
QString freeStoreName(const QString& folder, const QString& chosenPath)
{
    const QFileInfo chosen(chosenPath);
    QString base = chosen.completeBaseName();
    QString ext = chosen.suffix();
    if (base.isEmpty()) { // ".profile": a hidden name, not an extension
        base = chosen.fileName();
        ext.clear();
    }
    base = cleanDocumentName(base);
    const auto nameWith = [&](const QString& stem) { return ext.isEmpty() ? stem : stem + QLatin1Char('.') + ext; };
    QString name = nameWith(base);
    for (long n = 2; existsAt(folder + QLatin1Char('/') + name); ++n)
        name = nameWith(QStringLiteral("%1_%2").arg(base).arg(n));
    return name;
}

void storeAttachedDocument(AttachedDocument& attached, const QString& folder)
{
    const QString name = freeStoreName(folder, attached.docUrl);
    int error = 0;
    if (!copyItemAtPath(attached.docUrl, folder + QLatin1Char('/') + name, &error)) {
        svLog(QStringLiteral("New Store attached Document Failure : %1 (%2)")
                  .arg(errorDescription(error), attached.docUrl));
        return;
    }
    attached.docUrl.clear();
    attached.docStoreName = name;
}

} // namespace

QSet<QString> attachedDocumentNamesInUse(const DOCUMENT& document)
{
    QSet<QString> names;
    for (const TRANSACT& transact : document.transact_array)
        addNamesOf(transact, names);
    for (const MACRO& macro : document.macroHdl) {
        if (macro.transact)
            addNamesOf(*macro.transact, names);
    }
    for (const ECHEANCIER& echeancier : document.echeancierHdl) {
        addNamesOf(echeancier.transact, names);
        for (const PECHEANCIER& perso : echeancier.perso)
            addNamesOf(perso.transact, names);
    }
    for (const Prevision& prevision : document.previsionsArray)
        addNamesOf(prevision.transact, names);
    return names;
}

QString attachedDocumentsFolder(const DOCUMENT& document)
{
    QString folder;
    if (!DOCUMENT::getFolderInDocument(&folder, QString::fromLatin1(kAttachedDocumentsFolderName),
                                       document.documentUrl))
        return QString();
    return folder;
}

QString storedAttachedDocumentPath(const DOCUMENT& document, const QString& storeName)
{
    const QString folder = isPlainFileName(storeName) ? attachedDocumentsFolder(document) : QString();
    if (folder.isEmpty())
        return QString();
    const QString path = folder + QLatin1Char('/') + storeName;
    const QFileInfo info(path);
    return info.isSymLink() || (info.exists() && !info.isFile()) ? QString() : path;
}

void addStoredAttachedDocumentToDelete(DOCUMENT& document, const QStringList& storeNames)
{
    document.storedDocToDeleteArray.append(storeNames);
}

void synchronizeAttachedDocuments(DOCUMENT& document)
{
    treatNewAttachedDocumentToStore(document);
}

void treatStoredAttachedDocumentsToDelete(DOCUMENT& document)
{
    const QStringList names = std::exchange(document.storedDocToDeleteArray, QStringList());
    if (names.isEmpty())
        return;
    const QSet<QString> inUse = attachedDocumentNamesInUse(document);
    QString folder;
    for (const QString& name : names) {
        if (inUse.contains(name) || !isPlainFileName(name))
            continue;
        if (folder.isEmpty())
            folder = attachedDocumentsFolder(document);
        if (folder.isEmpty())
            return;
        removeStoredFile(folder, name);
    }
}

void treatNewAttachedDocumentToStore(DOCUMENT& document)
{
    if (!hasWaitingFile(document))
        return;
    const QString folder = attachedDocumentsFolder(document);
    if (folder.isEmpty())
        return;
    for (TRANSACT& transact : document.transact_array) {
        for (AttachedDocument& attached : transact.attachedDocuments) {
            if (!attached.docUrl.isEmpty())
                storeAttachedDocument(attached, folder);
        }
    }
}

bool storeWaitingAttachedDocumentsInto(DOCUMENT& document, const QString& package)
{
    if (!hasWaitingFile(document))
        return true;
    QString resources;
    int error = 0;
    if (!packageResourcesURL(package, &resources)) {
        svLog(QStringLiteral("New Store attached Document Failure : %1").arg(package));
        return false;
    }
    const QString folder = resources + QLatin1Char('/') + QLatin1String(kAttachedDocumentsFolderName);
    errno = 0;
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        error = errno != 0 ? errno : EIO;
        svLog(QStringLiteral("New Store attached Document Failure : %1 (%2)").arg(errorDescription(error), folder));
        return false;
    }
    // The records name the copies only for the time the transactions are written there.
    QList<std::pair<AttachedDocument*, QString>> waiting;
    bool copied = true;
    for (TRANSACT& transact : document.transact_array) {
        for (AttachedDocument& attached : transact.attachedDocuments) {
            if (attached.docUrl.isEmpty())
                continue;
            const QString chosen = attached.docUrl;
            storeAttachedDocument(attached, folder);
            copied = copied && attached.docUrl.isEmpty();
            waiting.append({&attached, chosen});
        }
    }
    const bool written = copied && saveDataTransact(package, document);
    for (const auto& [attached, chosen] : waiting) {
        attached->docUrl = chosen;
        attached->docStoreName.clear();
    }
    return written;
}

QString cleanDocumentName(const QString& text)
{
    QString cleaned = text;
    while (cleaned.contains(QLatin1String("  ")))
        cleaned.replace(QLatin1String("  "), QLatin1String(" "));
    return cleaned;
}
