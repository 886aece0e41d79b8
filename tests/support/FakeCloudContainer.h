#pragma once
// A cloud container for tests: an identity the test signs in and out, a folder standing for the
// container, moves into and out of it, transfer states the test sets, and queries the test makes
// gather and update. Installed for its lifetime; it waits for the cloud layer's background work
// before going.
#include "document/ICloudContainer.h"
#include "document/ICloudDelegate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <cerrno>

class FakeCloudContainer;

class FakeMetadataQuery : public IMetadataQuery {
public:
    FakeMetadataQuery(QList<FakeMetadataQuery*>* live, QString queryFolder, QString namePattern)
        : folder(std::move(queryFolder))
        , pattern(std::move(namePattern))
        , m_live(live)
    {
        m_live->append(this);
    }
    ~FakeMetadataQuery() override { m_live->removeAll(this); }

    const QString folder;
    const QString pattern;
    bool running = false;
    QList<SVMetadataItem> items;

    void start() override
    {
        running = true;
        items.clear();
        for (const QString& name : QDir(folder).entryList({pattern}, QDir::AllEntries | QDir::NoDotAndDotDot))
            items.append(SVMetadataItem::itemForUrl(folder + QLatin1Char('/') + name));
    }
    void stop() override { running = false; }
    QList<SVMetadataItem> results() const override { return items; }

    // The platform's notifications, as a running query sends them.
    void finishGathering()
    {
        const std::function<void()> notify = didFinishGathering;
        if (running && notify)
            notify();
    }
    void postUpdate(const SVMetadataUpdate& update)
    {
        const std::function<void(const SVMetadataUpdate&)> notify = didUpdate;
        if (running && notify)
            notify(update);
    }

private:
    QList<FakeMetadataQuery*>* m_live;
};

class FakeCloudContainer : public ICloudContainer {
public:
    explicit FakeCloudContainer(QString rootFolder)
        : root(std::move(rootFolder))
    {
        installCloudContainer(this);
    }
    ~FakeCloudContainer() override
    {
        iCloudDelegate::waitForBackgroundWork();
        installCloudContainer(nullptr);
    }
    FakeCloudContainer(const FakeCloudContainer&) = delete;
    FakeCloudContainer& operator=(const FakeCloudContainer&) = delete;

    QString root; // the container's folder; empty: the lookup finds none
    QString token;
    std::atomic<int> lookups {0};
    std::atomic<bool> lookupOnMainThread {false};
    QStringList downloads;
    bool downloadsSucceed = true;
    int setUbiquitousFailures = 0; // the next calls that fail
    QHash<QString, UbiquitousItemStates> states;

    void signIn(const QString& newToken)
    {
        token = newToken;
        if (m_observer)
            m_observer();
    }
    void signOut() { signIn(QString()); }
    // The query made last and still alive, or null.
    FakeMetadataQuery* lastQuery() const { return m_queries.isEmpty() ? nullptr : m_queries.last(); }

    QString ubiquityIdentityToken() const override { return token; }
    void setIdentityObserver(std::function<void()> observer) override { m_observer = std::move(observer); }
    QString urlForUbiquityContainer(const QString&) override
    {
        ++lookups;
        lookupOnMainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        return root;
    }
    bool setUbiquitous(bool, const QString& item, const QString& destination, int* error) override
    {
        if (setUbiquitousFailures > 0) {
            --setUbiquitousFailures;
            *error = EIO;
            return false;
        }
        const bool moved = !QFileInfo::exists(destination) && QDir().rename(item, destination);
        *error = moved ? 0 : EEXIST;
        return moved;
    }
    bool startDownloadingUbiquitousItem(const QString& url, int* error) override
    {
        downloads.append(url);
        *error = downloadsSucceed ? 0 : EIO;
        return downloadsSucceed;
    }
    UbiquitousItemStates resourceStates(const QString& url) const override
    {
        return states.contains(url) ? states.value(url) : NoCloudContainer::localItemStates(url);
    }
    std::unique_ptr<IMetadataQuery> makeMetadataQuery(const QString& namePattern, bool ubiquitousScope,
                                                      const QString& folder) override
    {
        const QString scope = ubiquitousScope ? root + QStringLiteral("/Documents") : folder;
        return std::make_unique<FakeMetadataQuery>(&m_queries, scope, namePattern);
    }

private:
    std::function<void()> m_observer;
    QList<FakeMetadataQuery*> m_queries;
};
