#pragma once
// What the cloud layer needs of the platform's cloud storage: the user's identity, the container
// of the program's documents, moving items into and out of it, their transfer states and a live
// query over its documents. This platform has no cloud storage: the production container reports
// a signed-out user and no container, so the rest of the layer runs and nothing further happens.
// Tests install a container of their own to play one.
#include "document/SVMetadataQueryDelegate.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The transfer states of an item; a state the platform can't tell stays unknown.
struct UbiquitousItemStates {
    std::optional<bool> downloading;
    std::optional<bool> downloaded; // the local copy is the current one
    std::optional<bool> uploading;
    std::optional<bool> uploaded;
    std::optional<bool> conflictual; // unresolved versions exist
};

// A live search of the platform's metadata: it gathers the items present when started, then
// reports the changes until stopped. Its notifications arrive on the main thread.
class IMetadataQuery {
public:
    virtual ~IMetadataQuery() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    // The items found so far, in the query's order.
    virtual QList<SVMetadataItem> results() const = 0;

    std::function<void()> didFinishGathering;
    std::function<void(const SVMetadataUpdate&)> didUpdate;
};

class ICloudContainer {
public:
    virtual ~ICloudContainer() = default;

    // The identity in force; empty when the user is signed out.
    virtual QString ubiquityIdentityToken() const = 0;
    // Called when the identity changes; nullptr stops the calls. Main thread.
    virtual void setIdentityObserver(std::function<void()> observer) = 0;
    // The root folder of the container of that identifier; empty when there is none. Called on a
    // background thread: the platform may take long to answer.
    virtual QString urlForUbiquityContainer(const QString& identifier) = 0;
    // Moves the item to the destination, which becomes a cloud item (flag set) or a plain local
    // one (flag clear). False with the system's code when nothing moved.
    virtual bool setUbiquitous(bool flag, const QString& item, const QString& destination, int* error) = 0;
    // Asks for the current version of a cloud item to be fetched.
    virtual bool startDownloadingUbiquitousItem(const QString& url, int* error) = 0;
    virtual UbiquitousItemStates resourceStates(const QString& url) const = 0;
    // A query of the items whose file name matches the pattern, over the container's documents
    // (ubiquitousScope) or under the folder given; nullptr when the platform can't search.
    virtual std::unique_ptr<IMetadataQuery> makeMetadataQuery(const QString& namePattern, bool ubiquitousScope,
                                                              const QString& folder)
        = 0;
};

// The installed container, or the production one (no container).
ICloudContainer& cloudContainer();
// Installs a container for the whole process; nullptr puts the production one back. The
// container must outlive every background lookup started while it is installed.
void installCloudContainer(ICloudContainer* container);

// The production container: signed out, no container, nothing to search. Items that exist are
// plain local files, present and current.
class NoCloudContainer : public ICloudContainer {
public:
    QString ubiquityIdentityToken() const override { return QString(); }
    void setIdentityObserver(std::function<void()>) override { }
    QString urlForUbiquityContainer(const QString&) override { return QString(); }
    bool setUbiquitous(bool flag, const QString& item, const QString& destination, int* error) override;
    bool startDownloadingUbiquitousItem(const QString& url, int* error) override;
    UbiquitousItemStates resourceStates(const QString& url) const override;
    std::unique_ptr<IMetadataQuery> makeMetadataQuery(const QString&, bool, const QString&) override { return nullptr; }

    // The states of an item that is no cloud item: nothing known when it does not exist.
    static UbiquitousItemStates localItemStates(const QString& url);
};
