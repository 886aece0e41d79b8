#include "model/listmember.h"

#include "foundation/LoadIssues.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

constexpr const char* kList
    = "<list>\n  stray <record><n>1</n></record>\n  <other><n>2</n></other><record><n>3</n></record>\n</list>";

struct Read {
    QStringList values; // each record's value and the record place issues held while it was read
    QList<long> strayPlaces;
};

Read readList(const char* recordName, bool quiet)
{
    pugi::xml_document document;
    document.load_string(kList);
    LoadIssues issues;
    Read read;
    const auto visit = [&](pugi::xml_node record) {
        read.values.append(QStringLiteral("%1@%2").arg(xmlGetMutableString(record, "n")).arg(issues.record()));
    };
    if (quiet)
        forEachElementRecord(document.document_element(), &issues, visit);
    else
        forEachListRecord(document.document_element(), QStringLiteral("test"), &issues, visit, recordName);
    for (const LoadIssue& issue : issues.items())
        read.strayPlaces.append(issue.record);
    return read;
}

} // namespace

TEST(ListMember, RecordsAreCountedAndWhatStandsBetweenThemIsNotedAtTheRecordBefore)
{
    const Read named = readList("record", false);
    EXPECT_EQ(named.values, QStringList({"1@1", "3@2"}));
    // The text before the first record, then the element of another name after it.
    EXPECT_EQ(named.strayPlaces, QList<long>({0, 1}));

    const Read anyElement = readList(nullptr, false);
    EXPECT_EQ(anyElement.values, QStringList({"1@1", "2@2", "3@3"}));
    EXPECT_EQ(anyElement.strayPlaces, QList<long>({0}));

    const Read quiet = readList(nullptr, true);
    EXPECT_EQ(quiet.values, anyElement.values);
    EXPECT_TRUE(quiet.strayPlaces.isEmpty());
}

TEST(ListMember, ARecordThatFailsRaisesTheFlagAndTheOthersAreWritten)
{
    bool error = false;
    const XmlDocPtr document = makeRecordListXML(
        QList<int> {1, 2, 3}, [](pugi::xml_node record, int n) { return xmlAppendInt(record, "n", n) && n != 2; },
        &error);
    ASSERT_TRUE(document);
    EXPECT_TRUE(error);
    EXPECT_EQ(xmlDocumentBytes(document.get()).count("<record><n>"), 3);

    error = false;
    makeRecordListXML(
        QList<int> {1}, [](pugi::xml_node record, int n) { xmlAppendInt(record, "n", n); }, &error);
    EXPECT_FALSE(error);
}
