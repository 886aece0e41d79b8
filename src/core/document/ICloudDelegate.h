#pragma once
// Follows the user's cloud identity, locates the program's cloud container, runs the query over
// the documents in it, moves documents into and out of it, removes them, and puts back into it the
// documents left in an identity's cache folder. One instance for the run, from start-up to
// goodbye at quit. The documents browser is its global delegate.
//
// Only the lookup of the container and the removal of a document run on a background thread;
// their results come back on the main thread. Everything else runs on the main thread.
#include "document/SVMetadataQueryDelegate.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

class RecentDocument;

// Codes of an identity change, delivered under "num_code" with a folder under "cache_url".
inline constexpr int kIdentitySignedOut = 1; // the cache folder of the identity that left
inline constexpr int kIdentitySameBack = 2; // the container's folder
inline constexpr int kIdentityFirst = 3; // the container's folder
inline constexpr int kIdentityOther = 4; // the container's folder

// The receiver of the cloud layer's news.
class ICloudGlobalDelegate : public SVMetadataQueryListener {
public:
    // The container's folder, once located. Only a receiver that works in the container needs
    // it; the documents browser shows the local documents and skips it.
    virtual void didReveiveICloudUrl(const QString& /*rootUrl*/) { }
    // {"num_code": code, "cache_url": folder}
    virtual void iCloudIdentityChanged(const QVariantMap& record) = 0;
};

class iCloudDelegate {
public:
    using Block = std::function<void()>;

    // Made on first use, and again after goodbye; starts following identity changes.
    static iCloudDelegate& sharedInstance();
    ~iCloudDelegate();
    iCloudDelegate(const iCloudDelegate&) = delete;
    iCloudDelegate& operator=(const iCloudDelegate&) = delete;

    // The identifier of the program's container.
    static QString containerIdentifier();
    // Waits for the background work started so far and delivers its results to the main thread;
    // call it from the main thread.
    static void waitForBackgroundWork();

    // Remembers the delegate; takes the identity in force when none is known yet; with one,
    // starts locating the container.
    void startWithDelegate(ICloudGlobalDelegate* delegate);
    ICloudGlobalDelegate* globalDelegate() const { return m_globalDelegate; }
    void setGlobalDelegate(ICloudGlobalDelegate* delegate) { m_globalDelegate = delegate; }
    // Also told the container's folder when it is located.
    void setApplicationDelegate(ICloudGlobalDelegate* delegate) { m_applicationDelegate = delegate; }

    // The container's folder, empty until located.
    QString rootUrl() const { return m_rootUrl; }
    // The container's documents folder, made when missing; false until the container is located.
    bool getDocumentsFolderUrl(QString* url, int* error = nullptr) const;
    // The cloud storage is never offered to the user: the browser shows the local documents.
    bool isICloudAvailable() const { return false; }
    QString currentToken() const { return m_currentToken; }
    QString previousToken() const { return m_previousToken; }
    SVMetadataQueryDelegate* query() const { return m_query.get(); }

    // Moves the document's package to the target made unique, into the cloud (becomesUbiquitous)
    // or out of it; before runs first, then ok or nok. All on the calling thread.
    void moveDocument(const RecentDocument& document, const QString& toUrl, bool becomesUbiquitous, const Block& before,
                      const Block& ok, const Block& nok);
    // Runs before, removes the document's package on a background thread (it is kept nowhere),
    // then ok or nok on the main thread.
    void removeDocument(const RecentDocument& document, const Block& before, const Block& ok, const Block& nok);

    void restartObservingMetadata();
    // Stops the query.
    void stop();
    // Stops everything, forgets the identities and the container, and forgets the shared
    // instance: this object is gone when it returns.
    void goodbye();

    // The cache folder of an identity (made when missing); empty when it has none.
    QString cacheFolderUrlForToken(const QString& token) const;
    // Puts the documents of the identity's cache folder into the container's documents folder.
    void flushDocumentsForToken(const QString& token);
    // The query of a storage has gathered: the current identity's cache is flushed into the
    // container.
    void didFinishGathering(int fileSystemTag);

private:
    iCloudDelegate();

    void ubiquityIdentityChanged();
    void startRequestForRootUrl();
    void didRequestForRootUrl(const QString& url);
    void sendIdentityChanged(int code, const QString& folder);
    void flushCachedDocument(const QString& cacheFolder, const QString& item, const QString& documents);

    QString m_currentToken;
    QString m_previousToken;
    QString m_rootUrl;
    std::unique_ptr<SVMetadataQueryDelegate> m_query;
    long m_waitingCode = -1;
    ICloudGlobalDelegate* m_globalDelegate = nullptr;
    ICloudGlobalDelegate* m_applicationDelegate = nullptr;
};
