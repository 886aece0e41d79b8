#include "ICloudDelegate.h"

#include "document/HelperSVLibraryFolder.h"
#include "document/ICloudContainer.h"
#include "document/RecentDocument.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QThreadPool>
#include <cerrno>

namespace {

std::unique_ptr<iCloudDelegate>& sharedSlot()
{
    static std::unique_ptr<iCloudDelegate> shared;
    return shared;
}

// Each container lookup is numbered; an answer that comes back after a newer lookup started, or
// after goodbye, belongs to an identity no longer in force and is dropped.
unsigned long g_lookup = 0;

QThreadPool& backgroundQueue()
{
    static QThreadPool pool;
    return pool;
}

void postToMainThread(std::function<void()> work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        svLog(QStringLiteral("iCloud : aucun fil principal pour rendre un résultat"));
        return;
    }
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

bool removeItem(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return false;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

} // namespace

iCloudDelegate& iCloudDelegate::sharedInstance()
{
    std::unique_ptr<iCloudDelegate>& shared = sharedSlot();
    if (!shared)
        shared.reset(new iCloudDelegate());
    return *shared;
}

iCloudDelegate::iCloudDelegate()
{
    cloudContainer().setIdentityObserver([this] { ubiquityIdentityChanged(); });
}

iCloudDelegate::~iCloudDelegate()
{
    cloudContainer().setIdentityObserver(nullptr);
}

QString iCloudDelegate::containerIdentifier()
{
    return QStringLiteral("SORVANTA.org.sorvanta.Sorvanta");
}

void iCloudDelegate::waitForBackgroundWork()
{
    backgroundQueue().waitForDone();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

void iCloudDelegate::startWithDelegate(ICloudGlobalDelegate* delegate)
{
    m_globalDelegate = delegate;
    if (m_currentToken.isEmpty()) {
        m_currentToken = cloudContainer().ubiquityIdentityToken();
        m_previousToken = m_currentToken;
    }
    if (!m_currentToken.isEmpty())
        startRequestForRootUrl();
}

bool iCloudDelegate::getDocumentsFolderUrl(QString* url, int* error) const
{
    if (url)
        url->clear();
    if (error)
        *error = 0;
    if (m_rootUrl.isEmpty())
        return false;
    const QString folder = m_rootUrl + QLatin1Char('/') + HelperSVLibraryFolder::SORVANTA_ICLOUD_DOCUMENTS_FOLDER_();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder) && error)
        *error = EIO;
    if (url)
        *url = folder;
    return true;
}

void iCloudDelegate::startRequestForRootUrl()
{
    const unsigned long lookup = ++g_lookup;
    ICloudContainer* container = &cloudContainer();
    const QString identifier = containerIdentifier();
    backgroundQueue().start([container, identifier, lookup] {
        const QString url = container->urlForUbiquityContainer(identifier);
        if (url.isEmpty())
            return;
        postToMainThread([url, lookup] {
            if (lookup == g_lookup && sharedSlot())
                sharedSlot()->didRequestForRootUrl(url);
        });
    });
}

void iCloudDelegate::didRequestForRootUrl(const QString& url)
{
    if (url.isEmpty())
        return;
    m_rootUrl = url;
    if (m_globalDelegate)
        m_globalDelegate->didReveiveICloudUrl(url);
    if (m_applicationDelegate)
        m_applicationDelegate->didReveiveICloudUrl(url);
    if (m_waitingCode >= 0) {
        const int code = static_cast<int>(m_waitingCode);
        m_waitingCode = -1;
        sendIdentityChanged(code, url);
    }
    QString documents;
    if (!getDocumentsFolderUrl(&documents))
        return;
    if (m_query)
        m_query->stop();
    m_query = std::make_unique<SVMetadataQueryDelegate>(documents, 0, m_globalDelegate);
    m_query->start();
}

void iCloudDelegate::sendIdentityChanged(int code, const QString& folder)
{
    if (m_globalDelegate)
        m_globalDelegate->iCloudIdentityChanged(
            QVariantMap {{QStringLiteral("num_code"), code}, {QStringLiteral("cache_url"), folder}});
}

void iCloudDelegate::ubiquityIdentityChanged()
{
    const QString token = cloudContainer().ubiquityIdentityToken();
    m_rootUrl.clear();
    if (token.isEmpty()) {
        const QString cache = cacheFolderUrlForToken(m_currentToken);
        m_currentToken.clear();
        stop();
        if (!cache.isEmpty() && QFileInfo(cache).isDir())
            sendIdentityChanged(kIdentitySignedOut, cache);
        return;
    }
    cacheFolderUrlForToken(token);
    const QString previous = m_previousToken;
    m_previousToken = token;
    m_currentToken = token;
    if (previous.isEmpty())
        m_waitingCode = kIdentityFirst;
    else
        m_waitingCode = previous == token ? kIdentitySameBack : kIdentityOther;
    startWithDelegate(m_globalDelegate);
}

void iCloudDelegate::moveDocument(const RecentDocument& document, const QString& toUrl, bool becomesUbiquitous,
                                  const Block& before, const Block& ok, const Block& nok)
{
    const QString source = document.url();
    const QString target = uniqueFileURL(toUrl);
    if (before)
        before();
    int error = 0;
    const bool moved = !source.isEmpty() && !target.isEmpty()
        && cloudContainer().setUbiquitous(becomesUbiquitous, source, target, &error);
    if (moved && ok)
        ok();
    else if (!moved && nok)
        nok();
}

void iCloudDelegate::removeDocument(const RecentDocument& document, const Block& before, const Block& ok,
                                    const Block& nok)
{
    const QString url = document.url();
    if (before)
        before();
    // The blocks go back to the main thread: the browser redraws its rows from them.
    backgroundQueue().start([url, ok, nok] {
        const Block& done = removeItem(url) ? ok : nok;
        if (done)
            postToMainThread(done);
    });
}

void iCloudDelegate::restartObservingMetadata()
{
    if (!m_query)
        return;
    m_query->stop();
    m_query->start();
}

void iCloudDelegate::stop()
{
    if (m_query)
        m_query->stop();
}

void iCloudDelegate::goodbye()
{
    stop();
    cloudContainer().setIdentityObserver(nullptr);
    m_currentToken.clear();
    m_previousToken.clear();
    m_rootUrl.clear();
    ++g_lookup;
    if (sharedSlot().get() == this)
        sharedSlot().reset();
}

QString iCloudDelegate::cacheFolderUrlForToken(const QString& token) const
{
    QString url;
    int error = 0;
    if (token.isEmpty() || !HelperSVLibraryFolder::getSVICloudCacheFolderUrl(&url, token, &error))
        return QString();
    return url;
}

void iCloudDelegate::flushDocumentsForToken(const QString& token)
{
    const QString cache = cacheFolderUrlForToken(token);
    QString documents;
    if (cache.isEmpty() || !getDocumentsFolderUrl(&documents))
        return;
    const QStringList names = QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (QFileInfo(name).suffix() == QLatin1String("svd"))
            flushCachedDocument(cache, name, documents);
    }
}

void iCloudDelegate::flushCachedDocument(const QString& cacheFolder, const QString& item, const QString& documents)
{
    const QString target = documents + QLatin1Char('/') + item;
    int error = 0;
    if (QFileInfo::exists(target)) {
        const QString aside = uniqueFileURL(cacheFolder + QStringLiteral("/temp"));
        if (!cloudContainer().setUbiquitous(false, target, aside, &error) || !removeOrTrashItemAtURL(aside, &error)) {
            svLog(QStringLiteral("iCloud : %1 reste dans le cache (%2)").arg(item).arg(error));
            return;
        }
    }
    if (!cloudContainer().setUbiquitous(true, cacheFolder + QLatin1Char('/') + item, target, &error))
        svLog(QStringLiteral("iCloud : %1 n'a pas pu rejoindre le conteneur (%2)").arg(item).arg(error));
}

void iCloudDelegate::didFinishGathering(int fileSystemTag)
{
    if (fileSystemTag == 0 && !m_currentToken.isEmpty())
        flushDocumentsForToken(m_currentToken);
}
