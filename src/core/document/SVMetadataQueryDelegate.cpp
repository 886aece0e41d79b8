#include "SVMetadataQueryDelegate.h"

#include "document/ICloudContainer.h"
#include "document/ICloudDelegate.h"
#include "foundation/SystemClock.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

namespace {

// A package's size is walked again once its folder changes (a save puts a new folder in place)
// or once the remembered size is this old (files changed deeper inside).
constexpr uint64_t kSizeMaxAgeTicks = uint64_t {30} * 60;

struct CachedSize {
    QDateTime modified;
    uint64_t computedAt = 0;
    qint64 size = 0;
};

QHash<QString, CachedSize>& sizeCache()
{
    static QHash<QString, CachedSize> cache;
    return cache;
}

qint64 walkedSize(const QString& folder)
{
    qint64 size = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo file = it.fileInfo();
        if (!file.isSymLink())
            size += file.size();
    }
    return size;
}

std::optional<qint64> packageSize(const QString& url)
{
    const QFileInfo info(url);
    if (!info.exists()) {
        sizeCache().remove(url);
        return std::nullopt;
    }
    if (!info.isDir())
        return info.size();
    const uint64_t now = SystemClock::ticks();
    auto cached = sizeCache().constFind(url);
    if (cached != sizeCache().constEnd() && cached->modified == info.lastModified() && now >= cached->computedAt
        && now - cached->computedAt < kSizeMaxAgeTicks)
        return cached->size;
    const qint64 size = walkedSize(url);
    sizeCache().insert(url, CachedSize {info.lastModified(), now, size});
    return size;
}

} // namespace

SVMetadataItem SVMetadataItem::itemForUrl(const QString& url)
{
    SVMetadataItem item;
    item.url = url;
    item.displayName = QFileInfo(url).fileName();
    if (!url.isEmpty())
        item.fileSize = packageSize(url);
    return item;
}

SVMetadataQueryDelegate::SVMetadataQueryDelegate(const QString& url, int fileSystemTag,
                                                 SVMetadataQueryListener* delegate)
    : m_fileSystemTag(fileSystemTag)
    , m_url(url)
    , m_delegate(delegate)
{
    const bool ubiquitous = fileSystemTag == 0;
    m_query = cloudContainer().makeMetadataQuery(QStringLiteral("*.svd"), ubiquitous, ubiquitous ? QString() : url);
}

SVMetadataQueryDelegate::~SVMetadataQueryDelegate()
{
    stop();
}

void SVMetadataQueryDelegate::start()
{
    if (!m_query)
        return;
    m_query->didFinishGathering = [this] { queryDidFinishGathering(); };
    m_query->didUpdate = [this](const SVMetadataUpdate& update) { queryDidUpdate(update); };
    m_query->start();
}

void SVMetadataQueryDelegate::stop()
{
    if (!m_query)
        return;
    m_query->stop();
    m_query->didFinishGathering = nullptr;
    m_query->didUpdate = nullptr;
}

void SVMetadataQueryDelegate::goodbye()
{
    if (m_query)
        m_query->stop();
}

void SVMetadataQueryDelegate::queryDidFinishGathering()
{
    // The delegate may replace this query while it is told: nothing of it is read afterwards.
    const int tag = m_fileSystemTag;
    const QList<SVMetadataItem> results = m_query->results();
    if (m_delegate)
        m_delegate->didReceiveDocumentsList(results, tag);
    iCloudDelegate::sharedInstance().didFinishGathering(tag);
}

void SVMetadataQueryDelegate::queryDidUpdate(const SVMetadataUpdate& update)
{
    SVMetadataQueryListener* delegate = m_delegate;
    const int tag = m_fileSystemTag;
    if (!delegate)
        return;
    if (!update.added.isEmpty())
        delegate->didReceiveAddedItems(update.added, tag);
    if (!update.changed.isEmpty())
        delegate->didReceiveChangedItems(update.changed, tag);
    if (!update.removed.isEmpty())
        delegate->didReceiveRemovedItems(update.removed, tag);
}
