// The Avahi client runs on a threaded poll: its callbacks come on the poll's thread, which alone
// touches the session while the poll runs (the main thread takes the poll's lock or stops the
// poll first). Outcomes go back to the main thread as queued calls, tagged with their session so
// that a late one from a withdrawn announcement is dropped.
#include "sync/ServicePublisher.h"

#include "foundation/diagnostics.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/thread-watch.h>

namespace {

constexpr int kMaxLabelBytes = 63;
constexpr int kMaxRenames = 100;

class AvahiServicePublisher;

enum class Outcome {
    Published,
    NotPublished,
    Stopped,
};

struct Session {
    AvahiServicePublisher* owner = nullptr;
    quint64 generation = 0;
    QByteArray name;
    QByteArray type;
    quint16 port = 0;
    int renames = 0;
    AvahiThreadedPoll* poll = nullptr;
    AvahiClient* client = nullptr;
    AvahiEntryGroup* group = nullptr;
};

void report(Session* session, Outcome outcome, const QString& text);

void addService(Session* session);

void rename(Session* session)
{
    char* alternative = avahi_alternative_service_name(session->name.constData());
    session->name = QByteArray(alternative);
    avahi_free(alternative);
    ++session->renames;
}

void groupCallback(AvahiEntryGroup* group, AvahiEntryGroupState state, void* userdata)
{
    auto* session = static_cast<Session*>(userdata);
    session->group = group;
    switch (state) {
    case AVAHI_ENTRY_GROUP_ESTABLISHED:
        report(session, Outcome::Published, QString::fromUtf8(session->name));
        break;
    case AVAHI_ENTRY_GROUP_COLLISION:
        rename(session);
        avahi_entry_group_reset(group);
        addService(session);
        break;
    case AVAHI_ENTRY_GROUP_FAILURE:
        report(session, Outcome::NotPublished,
               QString::fromUtf8(avahi_strerror(avahi_client_errno(avahi_entry_group_get_client(group)))));
        break;
    case AVAHI_ENTRY_GROUP_UNCOMMITED:
    case AVAHI_ENTRY_GROUP_REGISTERING:
        break;
    }
}

void addService(Session* session)
{
    if (!session->group)
        session->group = avahi_entry_group_new(session->client, groupCallback, session);
    if (!session->group) {
        report(session, Outcome::NotPublished, QString::fromUtf8(avahi_strerror(avahi_client_errno(session->client))));
        return;
    }
    if (!avahi_entry_group_is_empty(session->group))
        return;
    int result = AVAHI_ERR_COLLISION;
    while (result == AVAHI_ERR_COLLISION && session->renames <= kMaxRenames) {
        result = avahi_entry_group_add_service(session->group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                               AvahiPublishFlags(0), session->name.constData(),
                                               session->type.constData(), nullptr, nullptr, session->port, nullptr);
        if (result == AVAHI_ERR_COLLISION)
            rename(session);
    }
    if (result >= 0)
        result = avahi_entry_group_commit(session->group);
    if (result < 0)
        report(session, Outcome::NotPublished, QString::fromUtf8(avahi_strerror(result)));
}

void clientCallback(AvahiClient* client, AvahiClientState state, void* userdata)
{
    auto* session = static_cast<Session*>(userdata);
    session->client = client;
    switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
        addService(session);
        break;
    case AVAHI_CLIENT_S_COLLISION:
    case AVAHI_CLIENT_S_REGISTERING:
        // The host's own name is being settled: the service is announced again once it is.
        if (session->group)
            avahi_entry_group_reset(session->group);
        break;
    case AVAHI_CLIENT_FAILURE:
        report(session, Outcome::Stopped, QString::fromUtf8(avahi_strerror(avahi_client_errno(client))));
        break;
    case AVAHI_CLIENT_CONNECTING:
        report(session, Outcome::NotPublished, QStringLiteral("le démon Avahi ne répond pas ; en attente"));
        break;
    }
}

class AvahiServicePublisher : public ServicePublisher {
public:
    ~AvahiServicePublisher() override { AvahiServicePublisher::stop(); }

    void publish(const QString& name, const QString& type, quint16 port) override
    {
        stop();
        m_session = std::make_unique<Session>();
        m_session->owner = this;
        m_session->generation = ++m_generation;
        m_session->name = serviceLabel(name);
        m_session->type = type.toUtf8();
        m_session->port = port;
        m_session->poll = avahi_threaded_poll_new();
        int error = AVAHI_ERR_NO_MEMORY;
        if (m_session->poll)
            m_session->client = avahi_client_new(avahi_threaded_poll_get(m_session->poll), AVAHI_CLIENT_NO_FAIL,
                                                 clientCallback, m_session.get(), &error);
        if (!m_session->client || avahi_threaded_poll_start(m_session->poll) < 0) {
            release();
            notify(m_generation, Outcome::NotPublished, QString::fromUtf8(avahi_strerror(error)));
        }
    }

    void stop() override
    {
        ++m_generation;
        release();
    }

    // From any thread: the outcome reaches the main thread unless the session was withdrawn by then.
    void notify(quint64 generation, Outcome outcome, const QString& text)
    {
        QMetaObject::invokeMethod(
            this,
            [this, generation, outcome, text] {
                if (generation != m_generation)
                    return;
                switch (outcome) {
                case Outcome::Published:
                    emit didPublish(text);
                    break;
                case Outcome::NotPublished:
                    emit didNotPublish(text);
                    break;
                case Outcome::Stopped:
                    emit didStop(text);
                    break;
                }
            },
            Qt::QueuedConnection);
    }

private:
    void release()
    {
        if (!m_session)
            return;
        if (m_session->poll)
            avahi_threaded_poll_stop(m_session->poll);
        // Frees the entry group with the client.
        if (m_session->client)
            avahi_client_free(m_session->client);
        if (m_session->poll)
            avahi_threaded_poll_free(m_session->poll);
        m_session.reset();
    }

    std::unique_ptr<Session> m_session;
    quint64 m_generation = 0;
};

void report(Session* session, Outcome outcome, const QString& text)
{
    session->owner->notify(session->generation, outcome, text);
}

} // namespace

QByteArray serviceLabel(const QString& name)
{
    QByteArray label = name.toUtf8();
    if (label.size() <= kMaxLabelBytes)
        return label;
    qsizetype cut = kMaxLabelBytes;
    // Never inside a character: back over its continuation bytes (10xxxxxx) to its first byte.
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80)
        --cut;
    label.truncate(cut);
    return label;
}

std::unique_ptr<ServicePublisher> makeAvahiServicePublisher()
{
    return std::make_unique<AvahiServicePublisher>();
}
