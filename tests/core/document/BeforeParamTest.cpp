#include "document/BEFOREPARAM.h"
#include "document/UpgradeManager.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class BeforeParamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BEFOREPARAM::setDigestIterationsForTesting(1000);
        package = testenv::freshDir(QStringLiteral("before")) + QStringLiteral("/Compte.svd");
        QDir().mkdir(package);
        ASSERT_TRUE(createPackageResources(package, nullptr, nullptr));
    }
    void TearDown() override { BEFOREPARAM::setDigestIterationsForTesting(std::nullopt); }

    QByteArray member(const QByteArray& replacement = QByteArray())
    {
        QFile file(package + QStringLiteral("/Contents/Resources/beforeparam.xml"));
        if (replacement.isEmpty())
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(replacement);
        return replacement;
    }

    QString package;
};

// Which completion the gate ran.
QString gate(long version, QObject* window = nullptr)
{
    QString ran;
    UpgradeManager::doUpgrade(
        version, QString(), window, [&] { ran += QStringLiteral("OK"); }, [&] { ran += QStringLiteral("NOK"); });
    return ran;
}

} // namespace

TEST_F(BeforeParamTest, MissingFileVersionOrPasswordReadsAsAnOpenableUnprotectedDocument)
{
    bool error = true;
    EXPECT_EQ(BEFOREPARAM::loadBeforeParam(package, &error).version, 31);
    EXPECT_FALSE(error);

    member("<?xml version=\"1.0\"?><record><password></password></record>");
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(package, &error);
    EXPECT_FALSE(error);
    EXPECT_FALSE(before.hasPassword()) << "an empty password element is no password";
    EXPECT_TRUE(before.passwordMatches(QString()));
    EXPECT_FALSE(before.passwordMatches(QStringLiteral("x")));
    FakeAlerts alerts; // any alert fails the test
    EXPECT_EQ(gate(before.version), QStringLiteral("OK"));
}

TEST_F(BeforeParamTest, OlderAndNewerVersionsAreRefusedWithTheirOwnMessage)
{
    FakeAlerts alerts;
    QObject window;
    alerts.expect(kAlertFirstButton);
    EXPECT_EQ(gate(30, &window), QStringLiteral("NOK"));
    alerts.expect(kAlertFirstButton);
    EXPECT_EQ(gate(32), QStringLiteral("NOK"));
    ASSERT_EQ(alerts.shown.size(), 2);
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_CannotMAJDocument")));
    EXPECT_EQ(alerts.shown[0].window, &window);
    EXPECT_EQ(alerts.shown[0].imageName, QStringLiteral("document"));
    EXPECT_EQ(alerts.shown[0].style, 2);
    EXPECT_EQ(alerts.shown[1].message, localizedDialogue(QStringLiteral("kAlerte_VersionTropRecente")));
    EXPECT_NE(alerts.shown[1].message, QStringLiteral("kAlerte_VersionTropRecente")) << "key missing from its table";
}

TEST_F(BeforeParamTest, PasswordIsStoredOnlyAsASaltedDigest)
{
    const QString typed = QStringLiteral("mot<de>&passe\"é'");
    BEFOREPARAM before;
    before.version = 30;
    before.setPassword(typed);
    ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(package, before));
    EXPECT_FALSE(member().contains("passe")) << "the typed text never reaches the file";

    const BEFOREPARAM read = BEFOREPARAM::loadBeforeParam(package, nullptr);
    EXPECT_EQ(read.version, 30);
    EXPECT_TRUE(read.password().startsWith(QStringLiteral("pbkdf2-sha256$1000$")));
    EXPECT_TRUE(read.passwordMatches(typed));
    EXPECT_FALSE(read.passwordMatches(typed.chopped(1)));

    BEFOREPARAM again;
    again.setPassword(typed);
    EXPECT_NE(again.password(), before.password()) << "each digest has its own salt";
    again.setPassword(QString());
    EXPECT_FALSE(again.hasPassword());
}

TEST_F(BeforeParamTest, PasswordWrittenAsTypedIsHonouredThenReplacedByItsDigest)
{
    member("<record><version>31</version><password><![CDATA[s3<&cret]]></password></record>");
    BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(package, nullptr);
    EXPECT_TRUE(before.passwordMatches(QStringLiteral("s3<&cret")));
    EXPECT_FALSE(before.passwordMatches(QStringLiteral("s3<&cre")));

    ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(package, before));
    EXPECT_FALSE(member().contains("cret"));
    EXPECT_TRUE(BEFOREPARAM::loadBeforeParam(package, nullptr).passwordMatches(QStringLiteral("s3<&cret")));

    // A text that only looks like a digest (a count beyond the bound) stays a typed password.
    const QString lookalike = QStringLiteral("pbkdf2-sha256$999999999$c2FsdA==$a2V5");
    member("<record><password>" + lookalike.toUtf8() + "</password></record>");
    EXPECT_TRUE(BEFOREPARAM::loadBeforeParam(package, nullptr).passwordMatches(lookalike));
}
