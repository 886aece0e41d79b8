#include "Logo.h"

#include "foundation/diagnostics.h"
#include "model/DOCUMENT.h"
#include "model/entitylist.h"
#include "model/idents.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

const QString kLogoFolderName = QStringLiteral("logo");
// Far more than the logos of one document; the cache starts over beyond it.
constexpr qsizetype kMaxCachedPictures = 512;

struct CachedPicture {
    QDateTime modified;
    qint64 size = 0;
    QByteArray png;
};

// Main thread only, like every model operation.
QHash<QString, CachedPicture>& pictureCache()
{
    static QHash<QString, CachedPicture> cache;
    return cache;
}

// Names come from logo.xml: anything that could lead out of the folder is refused.
bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".")
        && name != QLatin1String("..");
}

// Whether a logo of the document other than the one of that ident names the file.
bool isNamedByAnotherLogo(const QString& name, long ident, const DOCUMENT& document)
{
    for (const Logo& other : document.logoArray) {
        if (other.ident != ident && other.internalName == name)
            return true;
    }
    return false;
}

bool pathIsFree(const QString& path)
{
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

// The name itself unless another logo names it; else "<base>-<n>.<ext>" for the first n at which
// there is neither a file nor another logo's claim.
QString nameForPicture(const QString& folder, const QString& name, long ident, const DOCUMENT& document)
{
    if (!isNamedByAnotherLogo(name, ident, document))
        return name;
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? name : info.completeBaseName();
    for (long n = 1;; ++n) {
        QString candidate = QStringLiteral("%1-%2").arg(base).arg(n);
        if (!suffix.isEmpty())
            candidate += QLatin1Char('.') + suffix;
        if (pathIsFree(folder + QLatin1Char('/') + candidate) && !isNamedByAnotherLogo(candidate, ident, document))
            return candidate;
    }
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    svLog(QStringLiteral("storeImage %1: %2").arg(path, file.errorString()));
    return false;
}

} // namespace

Logo::Logo(long anIdent)
    : ident(anIdent)
{
    defaultLogo();
}

void Logo::defaultLogo()
{
    internalName.clear();
    visibleName.clear();
}

Logo Logo::copyOfLogo() const
{
    Logo copy(ident);
    copy.internalName = internalName;
    copy.visibleName = visibleName;
    return copy;
}

QString Logo::getLogoUrl(const DOCUMENT& document) const
{
    QString folder;
    if (!isPlainFileName(internalName) || !getLogoFolderUrl(document, &folder))
        return QString();
    return folder + QLatin1Char('/') + internalName;
}

bool Logo::logoIsStored(const DOCUMENT& document) const
{
    const QString path = getLogoUrl(document);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QByteArray Logo::loadImage(const DOCUMENT& document) const
{
    const QString path = getLogoUrl(document);
    if (path.isEmpty())
        return QByteArray();
    QHash<QString, CachedPicture>& cache = pictureCache();
    const QFileInfo info(path);
    if (!info.isFile()) {
        cache.remove(path);
        return QByteArray();
    }
    const auto hit = cache.constFind(path);
    if (hit != cache.constEnd() && hit->modified == info.lastModified() && hit->size == info.size())
        return hit->png;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    CachedPicture picture {info.lastModified(), info.size(), file.readAll()};
    if (cache.size() >= kMaxCachedPictures)
        cache.clear();
    cache.insert(path, picture);
    return picture.png;
}

bool Logo::storeImage(const QByteArray& png, const DOCUMENT& document)
{
    QString folder;
    if (png.isEmpty() || !isPlainFileName(internalName) || !getLogoFolderUrl(document, &folder))
        return false;
    const QString name = nameForPicture(folder, internalName, ident, document);
    const QString path = folder + QLatin1Char('/') + name;
    if (!writeWhole(path, png))
        return false;
    // A rewrite within the same clock tick and of the same size would look unchanged to the cache.
    pictureCache().remove(path);
    internalName = name;
    return true;
}

bool Logo::removeImage(const DOCUMENT& document) const
{
    const QString path = getLogoUrl(document);
    if (path.isEmpty() || !QFileInfo(path).isFile() || isNamedByAnotherLogo(internalName, ident, document))
        return true;
    pictureCache().remove(path);
    QFile file(path);
    if (file.remove())
        return true;
    svLog(QStringLiteral("removeImage %1: %2").arg(path, file.errorString()));
    return false;
}

long Logo::newLogoIdent(const LogoList& list)
{
    return newRandomIdent([&list](long id) { return findLogoWithIdent(id, nullptr, list); });
}

bool Logo::findLogoWithIdent(long anIdent, long* index, const LogoList& list)
{
    return anIdent >= 0 && findEntityIndex(anIdent, index, list);
}

const Logo* Logo::logoWithIdent(long anIdent, const LogoList& list)
{
    return anIdent >= 0 ? entityWithIdent(anIdent, list) : nullptr;
}

QByteArray Logo::logoImageWithIdent(long anIdent, const DOCUMENT& document)
{
    const Logo* logo = logoWithIdent(anIdent, document.logoArray);
    return logo ? logo->loadImage(document) : QByteArray();
}

QString Logo::getLogoVisibleName(long anIdent, const LogoList& list)
{
    const Logo* logo = logoWithIdent(anIdent, list);
    return logo ? logo->visibleName : QStringLiteral("?");
}

long Logo::nbLogo(const LogoList* list)
{
    return entityCount(list);
}

const Logo* Logo::logoAtIndex(long index, const LogoList& list)
{
    return entityAtIndex(index, list);
}

Logo* Logo::logoAtIndex(long index, LogoList& list)
{
    return entityAtIndex(index, list);
}

long Logo::findLogoPosition(const Logo& logo, bool* exist, const LogoList& list)
{
    return caseInsensitivePosition(logo.visibleName, &Logo::visibleName, exist, list);
}

long Logo::insertLogo(const Logo& logo, LogoList& list)
{
    const long index = findLogoPosition(logo, nullptr, list);
    list.insert(index, logo.copyOfLogo());
    return index;
}

void Logo::unInsertLogo(long index, LogoList& list)
{
    if (isEntityIndex(index, list))
        list.removeAt(index);
}

bool Logo::getLogoFolderUrl(const DOCUMENT& document, QString* url)
{
    return DOCUMENT::getFolderInDocument(url, kLogoFolderName, document.documentUrl);
}
