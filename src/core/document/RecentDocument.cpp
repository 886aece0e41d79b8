#include "RecentDocument.h"

#include "document/HelperSVFiles.h"
#include "document/ICloudContainer.h"
#include "document/SVMetadataQueryDelegate.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"

namespace {

// A name the lists would show and the folder would keep as one visible item.
bool isDocumentFileName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') && !name.contains(QChar(0));
}

} // namespace

RecentDocument::RecentDocument(const QString& url, int fileSystemTag, qint64 size)
    : m_url(HelperSVFiles::cleanSVURL(url))
    , m_fileSystemTag(fileSystemTag)
    , m_fileSize(size)
{
    computeName();
    updateStates();
}

RecentDocument RecentDocument::initWithDocument(const RecentDocument& other)
{
    RecentDocument copy;
    other.copyToDocument(copy);
    return copy;
}

void RecentDocument::copyToDocument(RecentDocument& other) const
{
    other.changeUrl(m_url);
    other.m_name = m_name;
    other.m_fileSystemTag = m_fileSystemTag;
    other.m_buzy = m_buzy;
    other.m_uploading = m_uploading;
    other.m_uploaded = m_uploaded;
    other.m_downloading = m_downloading;
    other.m_downloaded = m_downloaded;
    other.m_conflictual = m_conflictual;
    other.m_fileSize = m_fileSize;
}

bool RecentDocument::sameMetadataAs(const RecentDocument& other) const
{
    return m_buzy == other.m_buzy && m_downloading == other.m_downloading && m_downloaded == other.m_downloaded
        && m_uploading == other.m_uploading && m_uploaded == other.m_uploaded && m_conflictual == other.m_conflictual
        && m_fileSize == other.m_fileSize;
}

void RecentDocument::changeUrl(const QString& url)
{
    m_url = url;
    computeName();
    updateStates();
}

void RecentDocument::computeName()
{
    if (!m_url.isEmpty())
        m_name = documentNameFromURL(m_url);
}

void RecentDocument::updateStates()
{
    if (m_url.isEmpty())
        return;
    const UbiquitousItemStates states = cloudContainer().resourceStates(m_url);
    m_downloading = states.downloading.value_or(m_downloading);
    m_downloaded = states.downloaded.value_or(m_downloaded);
    m_uploading = states.uploading.value_or(m_uploading);
    m_uploaded = states.uploaded.value_or(m_uploaded);
    m_conflictual = states.conflictual.value_or(m_conflictual);
    const SVMetadataItem item = SVMetadataItem::itemForUrl(m_url);
    if (item.fileSize)
        m_fileSize = *item.fileSize;

    if (m_downloaded) {
        m_timeNotDownloaded0 = -1;
        m_timeNotDownloaded = 0;
    } else if (m_timeNotDownloaded0 == -1) {
        m_timeNotDownloaded0 = SystemClock::now();
        m_timeNotDownloaded = 0;
    } else {
        m_timeNotDownloaded = SystemClock::now() - m_timeNotDownloaded0;
    }
}

QString RecentDocument::theoricUrlForName(const QString& name, int fileSystemTag)
{
    QString folder;
    if (!isDocumentFileName(name) || !SVWorkspaceManager::getRecentFolderUrl(&folder, fileSystemTag))
        return QString();
    // The name as typed, dots included ("Budget 2026.v2", "Maison.old"): only the type is added.
    // Cleaned as a path, the part after its last dot would be taken for an extension and the
    // name would become another document's.
    const QString extension = QStringLiteral(".svd");
    return folder + QLatin1Char('/') + (name.endsWith(extension) ? name : name + extension);
}
