// The name the service is announced under, and a real announcement, with a collision, where the
// machine has the daemon and its browser.
#include "SyncTestSupport.h"

#include "sync/ServicePublisher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUuid>

#include <gtest/gtest.h>

using namespace synctest;

TEST(ServicePublisher, CutsTheNameToALabelOnACharacterBoundary)
{
    const QString a62(62, QLatin1Char('a'));
    const struct {
        QString name;
        QByteArray label;
    } cases[] = {
        {QStringLiteral(".../Documents/Maison.svd"), ".../Documents/Maison.svd"},
        {QString(64, QLatin1Char('a')), QByteArray(63, 'a')},
        {a62 + QStringLiteral("é"), a62.toUtf8()}, // 64 bytes: the 2-byte character goes whole
        {a62.left(61) + QStringLiteral("€"), a62.left(61).toUtf8()}, // 3 bytes, from byte 62
        {a62.left(60) + QStringLiteral("😀"), a62.left(60).toUtf8()}, // 4 bytes, from byte 61
        {a62.left(59) + QStringLiteral("😀"), a62.left(59).toUtf8() + QStringLiteral("😀").toUtf8()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(serviceLabel(c.name), c.label) << c.name.toStdString();
        EXPECT_LE(serviceLabel(c.name).size(), 63);
    }
}

namespace {

// The name the publisher announced, or why it did not.
QString announce(ServicePublisher& publisher, const QString& name, quint16 port, QString* refused)
{
    QString published;
    QObject::connect(&publisher, &ServicePublisher::didPublish, [&](const QString& as) { published = as; });
    QObject::connect(&publisher, &ServicePublisher::didNotPublish, [&](const QString& why) { *refused = why; });
    publisher.publish(name, QStringLiteral("_http._tcp"), port);
    spinUntil([&] { return !published.isEmpty() || !refused->isEmpty(); });
    QObject::disconnect(&publisher, nullptr, nullptr, nullptr);
    return published;
}

} // namespace

TEST(ServicePublisher, AnnouncesForRealWhereTheDaemonRuns)
{
    const std::unique_ptr<ServicePublisher> publisher = makeAvahiServicePublisher();
    const std::unique_ptr<ServicePublisher> rival = makeAvahiServicePublisher();
    // Browsers escape spaces in what they print: none here.
    const QString name = QStringLiteral("Sorvanta-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    QString refused;
    if (announce(*publisher, name, 47111, &refused).isEmpty())
        GTEST_SKIP() << "no Avahi daemon answers here: " << refused.toStdString();
    EXPECT_EQ(announce(*rival, name, 47112, &refused), name + QStringLiteral(" #2"));
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("avahi-browse"));
    if (browser.isEmpty())
        GTEST_SKIP() << "published, but avahi-browse is not installed to find it (package avahi-utils)";
    QProcess browse;
    browse.start(browser, {QStringLiteral("-rtpk"), QStringLiteral("_http._tcp")});
    ASSERT_TRUE(browse.waitForFinished(20000));
    const QString output = QString::fromUtf8(browse.readAllStandardOutput());
    EXPECT_TRUE(output.contains(name + QStringLiteral(";_http._tcp;"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral(";47111;"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral(";47112;"))) << output.toStdString();
}
