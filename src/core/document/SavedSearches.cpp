#include "document/SavedSearches.h"

#include "document/DocContext.h"
#include "engines/Critere.h"
#include "engines/CritereXml.h"
#include "foundation/files.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString documentURL(const DOCUMENT* doc)
{
    return doc ? doc->documentUrl : QString();
}

} // namespace

void createSavedSearchList()
{
    DocContext::instance().savedSearchList.clear();
}

void releaseSavedSearchList()
{
    DocContext::instance().savedSearchList.clear();
}

bool searchesFolderInDocument(QString* url, const QString& docURL)
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kSearchesFolderName), docURL);
}

bool removeSearchesFolder(const QString& docURL)
{
    QString resources;
    if (!packageResourcesURL(docURL, &resources))
        return true;
    const QString folder = resources + QLatin1Char('/') + QString::fromLatin1(kSearchesFolderName);
    if (!QFileInfo::exists(folder))
        return true;
    return removeOrTrashItemAtURL(folder);
}

void scanSavedSearches(const DOCUMENT* doc)
{
    QStringList& list = DocContext::instance().savedSearchList;
    list.clear();
    QString folder;
    if (!searchesFolderInDocument(&folder, documentURL(doc)))
        return;
    // Hidden files are left out by QDir unless asked for; the extension test is case-sensitive.
    const QFileInfoList items
        = QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QFileInfo& item : items) {
        if (item.suffix() == QLatin1String("xml"))
            list.append(item.filePath());
    }
}

bool isSafeSearchFileName(const QString& fileName)
{
    return !fileName.isEmpty() && !fileName.startsWith(QLatin1Char('.')) && !fileName.contains(QLatin1Char('/'))
        && !fileName.contains(QChar(0));
}

bool savedSearchURL(const QString& fileName, QString* url, const DOCUMENT* doc)
{
    if (url)
        url->clear();
    QString folder;
    if (!isSafeSearchFileName(fileName) || !searchesFolderInDocument(&folder, documentURL(doc)))
        return false;
    const QString path = folder + QLatin1Char('/') + fileName;
    if (url)
        *url = path;
    return QFileInfo::exists(path);
}

bool saveCritereToSearches(const Critere& critere, const QString& fileName, const DOCUMENT* doc, QString* url)
{
    QString path;
    savedSearchURL(fileName, &path, doc);
    if (url)
        *url = path;
    if (path.isEmpty() || !DocContext::mayWriteAt(path))
        return false;
    bool error = false;
    const XmlDocPtr xml = critere_to_XML(critere, doc, &error);
    if (!xml || error)
        return false;
    // Written beside and renamed over: a failed write keeps the search saved before.
    return writeXMLToURL(path, xml.get());
}

QString savedSearchFileName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QString();
    const QString fileName = name + QStringLiteral(".xml");
    return isSafeSearchFileName(fileName) ? fileName : QString();
}

QString savedSearchName(const QString& url)
{
    return QFileInfo(url).completeBaseName();
}

bool renameSavedSearch(const QString& url, const QString& fileName, QString* newURL)
{
    if (newURL)
        newURL->clear();
    if (!isSafeSearchFileName(fileName) || !DocContext::mayWriteAt(url))
        return false;
    const QString target = QFileInfo(url).path() + QLatin1Char('/') + fileName;
    // Another saved search is never written over.
    if (QFileInfo::exists(target) || !QFile::rename(url, target))
        return false;
    if (newURL)
        *newURL = target;
    return true;
}

bool removeSavedSearch(const QString& url)
{
    return DocContext::mayWriteAt(url) && removeOrTrashItemAtURL(url) && !QFileInfo::exists(url);
}

bool loadCritereFromURL(Critere& critere, const QString& url, const DOCUMENT* doc)
{
    XmlDocPtr xml;
    const pugi::xml_node root = loadXMLRootFromURL(url, &xml);
    if (!root)
        return false;
    Critere read = critere;
    if (!XML_to_critere(read, root, doc))
        return false;
    critere = read;
    return true;
}

void restoreLastSearch(const DOCUMENT* doc)
{
    DocContext& context = DocContext::instance();
    context.currentSearchCritere.emplace(doc, true);
    context.selectedSavedSearch = -1;
    const QString name = doc && doc->docParam ? doc->docParam->lastConfRecherche : QString();
    if (name.isEmpty())
        return;
    for (long i = 0; i < context.savedSearchList.size(); ++i) {
        const QString& url = context.savedSearchList[i];
        if (QFileInfo(url).completeBaseName() != name)
            continue;
        if (loadCritereFromURL(*context.currentSearchCritere, url, doc))
            context.selectedSavedSearch = i;
        return;
    }
}
