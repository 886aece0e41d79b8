#include "DocumentMark.h"

#include "foundation/diagnostics.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// The user's own folder of marks, private to the user; empty when it can't be made.
QString marksFolder()
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    QString folder = runtime + QStringLiteral("/sorvanta-%1-documents").arg(::getuid());
    if (!QDir().mkpath(folder))
        return {};
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

// The package's place as the system resolves its folder: two paths to one package (a link, "..")
// give one mark, even while the package itself is absent in the middle of a save.
QString resolvedPlace(const QString& packageUrl)
{
    const QFileInfo info(QDir::cleanPath(QFileInfo(packageUrl).absoluteFilePath()));
    const QString folder = QFileInfo(info.path()).canonicalFilePath();
    return (folder.isEmpty() ? info.path() : folder) + QLatin1Char('/') + info.fileName();
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
    const QByteArray key = QCryptographicHash::hash(resolvedPlace(packageUrl).toUtf8(), QCryptographicHash::Sha256);
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
