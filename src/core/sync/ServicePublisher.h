#pragma once
// Announces a service on the local network (DNS-SD over multicast DNS), so that the phone finds
// the open document without being told an address. The program publishes through the Avahi
// daemon; tests put a fake in its place. Publishing is a courtesy: when it fails (no daemon, say)
// the service still answers on its port.
#include <QObject>
#include <QString>

#include <memory>

class ServicePublisher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Announces the service, in place of what was announced before; how it went comes later, on
    // the main thread, through the signals. The name is cut to a DNS label (serviceLabel).
    virtual void publish(const QString& name, const QString& type, quint16 port) = 0;
    // Withdraws the announcement; no signal comes from it any more.
    virtual void stop() = 0;

signals:
    // Announced, under that name: the one asked for or, when another service had it, the
    // alternative the daemon proposed.
    void didPublish(const QString& name);
    void didNotPublish(const QString& reason);
    // The announcement went away without a stop (the daemon left).
    void didStop(const QString& reason);
};

// The name as a DNS-SD instance label: its UTF-8 form cut to at most 63 bytes, on a character
// boundary.
QByteArray serviceLabel(const QString& name);

// The publisher that goes through the Avahi daemon, with its own polling thread.
std::unique_ptr<ServicePublisher> makeAvahiServicePublisher();
