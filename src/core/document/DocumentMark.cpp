#include "DocumentMark.h"

#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/runtimefolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <climits>
#include <unistd.h>

namespace {

// Links to links are followed as far as the system itself would.
constexpr int kMaxLinkHops = 40;

// The user's own folder of marks, private to the user; empty when it can't be made.
QString marksFolder()
{
    const QString runtime = userRuntimeFolder();
    if (runtime.isEmpty())
        return {};
    QString folder = runtime + QStringLiteral("/documents");
    // Inside the user's private folder: no one else can have put anything in its place.
    if (!QDir().mkpath(folder))
        return {};
    return folder;
}

// Where a link points, read against the link's own folder as the system resolves it.
QString linkTarget(const QString& folder, const QString& link)
{
    const QByteArray bytes = QFile::encodeName(link);
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const ssize_t length = ::readlink(bytes.constData(), target.data(), size_t(target.size()));
    if (length <= 0)
        return {};
    target.truncate(length);
    const QString path = QFile::decodeName(target);
    return QDir::isAbsolutePath(path) ? path : folder + QLatin1Char('/') + path;
}

} // namespace

DocumentMark::DocumentMark(const QString& packageUrl)
{
    const QString path = markPath(packageUrl);
    if (path.isEmpty())
        return;
    m_lock = std::make_unique<QLockFile>(path);
    // A document stays open for hours: only a holder that has ended makes a mark stale.
    m_lock->setStaleLockTime(0);
}

DocumentMark::~DocumentMark() = default;

QString DocumentMark::markPath(const QString& packageUrl)
{
    const QString folder = marksFolder();
    if (folder.isEmpty())
        return {};
    const QByteArray key = QCryptographicHash::hash(packagePlace(packageUrl).toUtf8(), QCryptographicHash::Sha256);
    return folder + QLatin1Char('/') + QString::fromLatin1(key.toHex()) + QStringLiteral(".lock");
}

bool DocumentMark::take()
{
    m_holder = 0;
    if (!m_lock) {
        svLog(QStringLiteral("Aucun dossier pour marquer les documents ouverts : le document n'est pas marqué"));
        return true;
    }
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return true;
    if (m_lock->error() != QLockFile::LockFailedError) {
        svLog(QStringLiteral("Marque du document impossible (%1) : le document n'est pas marqué").arg(m_lock->error()));
        return true;
    }
    QString host;
    QString application;
    if (!m_lock->getLockInfo(&m_holder, &host, &application))
        m_holder = 0;
    return false;
}

// A package that is there is where the system resolves it. One that is not (in the middle of a
// save, or reached through a link whose package is in the middle of its own) is where its links
// lead, in its folder as the system resolves that: the same place either way.
QString DocumentMark::packagePlace(const QString& packageUrl)
{
    // Never cleaned by spelling: ".." after a link leads where the system says, not back up the path.
    QString path = QDir::isAbsolutePath(packageUrl) ? packageUrl : QDir::currentPath() + QLatin1Char('/') + packageUrl;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty())
            return resolved;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString parent = slash > 0 ? path.left(slash) : QStringLiteral("/");
        const QString canonicalParent = QFileInfo(parent).canonicalFilePath();
        const QString folder = canonicalParent.isEmpty() ? QDir::cleanPath(parent) : canonicalParent;
        const QString here = QDir::cleanPath(folder + QLatin1Char('/') + path.mid(slash + 1));
        const QString target = QFileInfo(here).isSymLink() ? linkTarget(folder, here) : QString();
        if (target.isEmpty())
            return here;
        path = target;
    }
    return QDir::cleanPath(path);
}

QString DocumentMark::heldInformation(const QString& documentName) const
{
    return m_holder > 0 ? localizedDialogue(QStringLiteral("kInfo_DocumentHolder")).arg(documentName).arg(m_holder)
                        : QStringLiteral("« %1 »").arg(documentName);
}
