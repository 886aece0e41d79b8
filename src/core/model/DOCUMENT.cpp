#include "DOCUMENT.h"

#include "foundation/SystemClock.h"
#include "foundation/xmlfileaccess.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"

#include <QDir>
#include <QFileInfo>

DOCUMENT::DOCUMENT(const QString& url, int tag)
    : documentUrl(url)
    , fileSystemTag(tag)
    , lastSave(SystemClock::ticks())
{
}

DOCUMENT::~DOCUMENT() = default;

QString DOCUMENT::getDocLoadName() const
{
    if (documentUrl.isEmpty())
        return QString();
    return QFileInfo(QDir::cleanPath(documentUrl)).fileName();
}

bool DOCUMENT::getFolderInDocument(QString* url, const QString& name, const QString& docURL)
{
    if (url)
        url->clear();
    if (docURL.isEmpty() || !QFileInfo(docURL).isDir())
        return false;
    QString resources;
    if (!packageResourcesURL(docURL, &resources) || !isRealFolder(resources))
        return false;
    const QString folder = resources + QLatin1Char('/') + name;
    const QFileInfo info(folder);
    // A link would lead the files written there out of the package.
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return false;
    if (!info.exists() && !QDir().mkdir(folder))
        return false;
    if (url)
        *url = folder;
    return true;
}
