// A member file written into a package being built goes straight to its place and waits for the
// package's single flush; it never writes through a name it shares with another package, and a
// write that fails leaves nothing half made.
#include "foundation/MemberFileOutput.h"
#include "foundation/files.h"
#include "foundation/xmlmember.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

XmlDocPtr memberDocument()
{
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    root.append_child("note").append_child(pugi::node_pcdata).set_value("deux\rlignes");
    return document;
}

} // namespace

TEST(StagedMemberWrites, AMembersPlaceIsReplacedNeverWrittenThroughAndItsSyncWaitsForTheFlush)
{
    const QString dir = testenv::freshDir(QStringLiteral("staged"));
    const QString live = dir + QStringLiteral("/live.xml");
    const QString staged = dir + QStringLiteral("/staged.xml");
    testenv::writeFile(live, "<list/>");
    ASSERT_EQ(::link(QFile::encodeName(live).constData(), QFile::encodeName(staged).constData()), 0);
    const XmlDocPtr document = memberDocument();

    PendingSyncs syncs;
    {
        const StagedMemberWrites scope(dir, syncs);
        ASSERT_TRUE(writeXMLToURL(staged, document.get()));
        // Outside the package being staged a file is written alone, whatever the scope.
        ASSERT_TRUE(
            writeXMLToURL(testenv::freshDir(QStringLiteral("elsewhere")) + QStringLiteral("/m.xml"), document.get()));
    }
    EXPECT_EQ(testenv::readFile(live), QByteArray("<list/>"));
    EXPECT_EQ(testenv::readFile(staged), xmlDocumentBytes(document.get()));
    EXPECT_EQ(syncs.size(), 1);
    EXPECT_TRUE(syncs.flush());

    // Once the scope is gone, a member file is written alone again and made durable at once.
    ASSERT_TRUE(writeXMLToURL(dir + QStringLiteral("/alone.xml"), document.get()));
    EXPECT_EQ(syncs.size(), 0);
}

TEST(StagedMemberWrites, AWriteLeftUnfinishedLeavesNothingStagedAndThePreviousVersionAlone)
{
    const QString dir = testenv::freshDir(QStringLiteral("staged-cancel"));
    const QString previous = dir + QStringLiteral("/previous.xml");
    testenv::writeFile(previous, "<list/>");
    {
        MemberFileOutput alone(previous);
        ASSERT_TRUE(alone.open(nullptr));
        ASSERT_TRUE(alone.write("<list><cut", 10, nullptr));
    }
    EXPECT_EQ(testenv::readFile(previous), QByteArray("<list/>"));

    PendingSyncs syncs;
    const StagedMemberWrites scope(dir, syncs);
    const QString staged = dir + QStringLiteral("/staged.xml");
    {
        MemberFileOutput output(staged);
        ASSERT_TRUE(output.open(nullptr));
        ASSERT_TRUE(output.write("<list><cut", 10, nullptr));
    }
    EXPECT_FALSE(QFile::exists(staged));
    EXPECT_EQ(syncs.size(), 0);
}

TEST(StagedMemberWrites, AFolderWhoseNameOnlyBeginsAsThePackagesIsOutsideIt)
{
    const QString dir = testenv::freshDir(QStringLiteral("staged-sibling"));
    const QString package = dir + QStringLiteral("/X.saving");
    const QString sibling = dir + QStringLiteral("/X.saving2");
    ASSERT_TRUE(QDir().mkpath(package));
    ASSERT_TRUE(QDir().mkpath(sibling));
    const XmlDocPtr document = memberDocument();
    PendingSyncs syncs;
    const StagedMemberWrites scope(package, syncs);
    ASSERT_TRUE(writeXMLToURL(sibling + QStringLiteral("/m.xml"), document.get()));
    EXPECT_EQ(syncs.size(), 0); // written alone, durable at once
    ASSERT_TRUE(writeXMLToURL(package + QStringLiteral("/m.xml"), document.get()));
    EXPECT_EQ(syncs.size(), 1);
}
