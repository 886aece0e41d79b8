#pragma once
// One live metadata query over the documents of a storage, handing what it finds to a delegate:
// the whole list once gathered, then the added, changed and removed items as they come.
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class IMetadataQuery;

// What the metadata tells of one file or package.
struct SVMetadataItem {
    QString url;
    QString displayName; // the file name
    std::optional<qint64> fileSize; // bytes; for a package, of every file in it

    // The item of the file or package at that path, with its size when it exists. Package sizes
    // are remembered while the package is unchanged, for the browser asks for them every second
    // and a package with many attached files is long to walk.
    static SVMetadataItem itemForUrl(const QString& url);
};

// One update of a running query; each list may be empty.
struct SVMetadataUpdate {
    QList<SVMetadataItem> added;
    QList<SVMetadataItem> changed;
    QList<SVMetadataItem> removed;
};

// The receiver of a query's results.
class SVMetadataQueryListener {
public:
    virtual ~SVMetadataQueryListener() = default;
    virtual void didReceiveDocumentsList(const QList<SVMetadataItem>& items, int fileSystemTag) = 0;
    virtual void didReceiveAddedItems(const QList<SVMetadataItem>& items, int fileSystemTag) = 0;
    virtual void didReceiveChangedItems(const QList<SVMetadataItem>& items, int fileSystemTag) = 0;
    virtual void didReceiveRemovedItems(const QList<SVMetadataItem>& items, int fileSystemTag) = 0;
};

class SVMetadataQueryDelegate {
public:
    // A query of the "*.svd" items over the cloud container's documents for tag 0, under the
    // folder url for any other tag; the query is made now and started by start.
    SVMetadataQueryDelegate(const QString& url, int fileSystemTag, SVMetadataQueryListener* delegate);
    ~SVMetadataQueryDelegate();
    SVMetadataQueryDelegate(const SVMetadataQueryDelegate&) = delete;
    SVMetadataQueryDelegate& operator=(const SVMetadataQueryDelegate&) = delete;

    int fileSystemTag() const { return m_fileSystemTag; }
    QString url() const { return m_url; }
    SVMetadataQueryListener* delegate() const { return m_delegate; }
    void setDelegate(SVMetadataQueryListener* delegate) { m_delegate = delegate; }
    // None when the platform can't search.
    IMetadataQuery* query() const { return m_query.get(); }

    // Listens to the query's notifications, then starts it.
    void start();
    // Stops the query and stops listening.
    void stop();
    void goodbye();

private:
    void queryDidFinishGathering();
    void queryDidUpdate(const SVMetadataUpdate& update);

    int m_fileSystemTag = 0;
    QString m_url;
    SVMetadataQueryListener* m_delegate = nullptr;
    std::unique_ptr<IMetadataQuery> m_query;
};
