// Import configurations: their property lists, and the document's list of them.
#include "import/ImportConfiguration.h"
#include "FakeImportServices.h"
#include "ImportDocument.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <plist/plist.h>

using namespace importdoc;

namespace {

ImportConfiguration sample()
{
    ImportConfiguration c;
    c.devises = {{QStringLiteral("$ US"), 2}};
    c.comptes = {{QStringLiteral("AT&T <mobile>"), kBoulangerie}, {QStringLiteral("Épargne"), kLivret}};
    c.postes = {{QStringLiteral("Courses"), kAlimentation}};
    c.moyens = {{QStringLiteral("CB"), 11}};
    c.taxes = {{QStringLiteral("TVA 20 %"), kTVA}};
    c.rubriques = {{0, ImportRubrique::DateJMA}, {2, ImportRubrique::MontantSeul}, {3, ImportRubrique::Contre}};
    return c;
}

TEST(ImportConfiguration, PropertyListRoundTrip)
{
    const QByteArray xml = sample().toPropertyList();
    EXPECT_TRUE(xml.contains("<!DOCTYPE plist"));
    EXPECT_TRUE(xml.contains("<key>AT&amp;T &lt;mobile&gt;</key>"));
    EXPECT_EQ(ImportConfiguration::fromPropertyList(xml), sample());

    // The same read from the binary form a copy from another machine may have.
    plist_t root = nullptr;
    plist_from_xml(xml.constData(), static_cast<uint32_t>(xml.size()), &root);
    char* binary = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &binary, &length);
    EXPECT_EQ(ImportConfiguration::fromPropertyList(QByteArray(binary, length)), sample());
    plist_to_bin_free(binary);
    plist_free(root);

    EXPECT_FALSE(ImportConfiguration::fromPropertyList("not a property list"));
    EXPECT_FALSE(
        ImportConfiguration::fromPropertyList("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>"));
}

TEST(ImportConfiguration, EntriesOfAnotherFormAreLeftOut)
{
    const QByteArray xml
        = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
          "<key>COMP</key><array><dict><key>a</key><integer>-1</integer></dict>"
          "<dict><key>b</key><string>x</string></dict>"
          "<dict><key>c</key><integer>1</integer><key>d</key><integer>2</integer></dict>"
          "<dict><key>e</key><real>7.0</real></dict></array>"
          "<key>RUBS</key><array><dict><key>ICOL</key><integer>1</integer><key>RUBR</key><integer>21</integer></dict>"
          "<dict><key>ICOL</key><integer>-2</integer><key>RUBR</key><integer>7</integer></dict>"
          "<dict><key>ICOL</key><integer>4</integer><key>RUBR</key><integer>15</integer></dict>"
          "<dict><key>RUBR</key><integer>7</integer></dict></array>"
          "</dict></plist>";
    const std::optional<ImportConfiguration> read = ImportConfiguration::fromPropertyList(xml);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->comptes, (ImportMappingList {{"a", -1}, {"e", 7}}));
    EXPECT_EQ(read->rubriques, (QList<ImportColumnRole> {{4, ImportRubrique::Info}}));
    EXPECT_TRUE(read->devises.isEmpty());
}

TEST(ImportConfiguration, MappingsToWhatTheDocumentLacksAreDropped)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    fill(doc);
    ImportConfiguration c = sample();
    c.devises.append({QStringLiteral("XYZ"), 4}); // an unused slot
    c.comptes.append({QStringLiteral("Gone"), 4242});
    c.postes.append({QStringLiteral("Gone"), 99});
    c.moyens.append({QStringLiteral("Gone"), 13});
    c.taxes.append({QStringLiteral("Gone"), 5});
    c.dropStaleMappings(doc);
    EXPECT_EQ(c, sample());
}

class ImportConfigurations : public ::testing::Test {
protected:
    FakeAlerts alerts;
    FakeImportServices services;
    QString resources;
    DOCUMENT doc {testenv::package(QStringLiteral("import-configurations"), &resources), kFileSystemLocal};
    ImportManager& manager = ImportManager::sharedInstance();

    void SetUp() override { fill(doc); }
    QString folder() const { return resources + QStringLiteral("/importConfigurations"); }
};

TEST_F(ImportConfigurations, OnlyPropertyListFilesAreListed)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    for (const char* name : {"b.plist", "a.plist", "c.PLIST", "d.txt", "e.plist.txt"})
        testenv::writeFile(folder() + u'/' + QString::fromLatin1(name), sample().toPropertyList());
    manager.openDocImport(&doc);
    EXPECT_EQ(manager.allImportConfigurations(), (QStringList {folder() + "/a.plist", folder() + "/b.plist"}));
    long index = -1;
    EXPECT_TRUE(manager.findImportConfigurationWithName(QStringLiteral("b"), &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(manager.findImportConfigurationWithName(QStringLiteral("B"), &index));
    EXPECT_EQ(index, 2);
}

TEST_F(ImportConfigurations, SaveLoadAndDelete)
{
    manager.openDocImport(&doc);
    services.names = {QStringLiteral("Banque Populaire")};
    EXPECT_EQ(manager.saveCurrentImportConfiguration(nullptr, sample()), QStringLiteral("Banque Populaire"));
    ASSERT_EQ(manager.allImportConfigurations().size(), 1);
    EXPECT_TRUE(QFileInfo::exists(folder() + QStringLiteral("/Banque Populaire.plist")));

    // Saving again under the name replaces the file; the list keeps one entry.
    ImportConfiguration changed = sample();
    changed.rubriques.removeLast();
    EXPECT_TRUE(manager.replaceConfigurationWithName(QStringLiteral("Banque Populaire"), changed));
    EXPECT_EQ(manager.allImportConfigurations().size(), 1);
    QString name;
    EXPECT_EQ(manager.loadConfigurationAtIndex(0, &name, &doc), changed);
    EXPECT_EQ(name, QStringLiteral("Banque Populaire"));
    EXPECT_FALSE(manager.loadConfigurationAtIndex(1, &name, &doc));
    EXPECT_TRUE(name.isEmpty());

    manager.deleteImportConfiguration(nullptr, QStringLiteral("Banque Populaire"));
    EXPECT_TRUE(manager.allImportConfigurations().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder() + QStringLiteral("/Banque Populaire.plist")));
}

TEST_F(ImportConfigurations, ATakenOrUnsafeNameIsAskedAgain)
{
    manager.openDocImport(&doc);
    ASSERT_TRUE(manager.saveImportConfigurationWithName(QStringLiteral("LCL"), sample()));
    services.names = {QStringLiteral("LCL"), QStringLiteral("../../escape"), QStringLiteral(".hidden"), QString(),
                      QStringLiteral("LCL 2")};
    for (int i = 0; i < 4; ++i)
        alerts.expect(kAlertFirstButton);
    EXPECT_EQ(manager.saveCurrentImportConfiguration(nullptr, sample()), QStringLiteral("LCL 2"));
    ASSERT_EQ(alerts.shown.size(), 4);
    EXPECT_EQ(alerts.shown[0].message, localizedDialogue(QStringLiteral("kAlerte_ImportConfigurationAlreadyExist")));
    EXPECT_EQ(alerts.shown[0].information, QStringLiteral("LCL"));
    EXPECT_EQ(alerts.shown[1].message, localizedDialogue(QStringLiteral("kAlerte_ImportConfigurationNameNotValid")));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), (QStringList {"LCL 2.plist", "LCL.plist"}));
    EXPECT_FALSE(QFileInfo::exists(resources + QStringLiteral("/escape.plist")));

    // Cancelling writes nothing.
    EXPECT_TRUE(manager.saveCurrentImportConfiguration(nullptr, sample()).isEmpty());
    EXPECT_EQ(manager.allImportConfigurations().size(), 2);
}

TEST_F(ImportConfigurations, AFailedWriteIsSaidAndListsNothing)
{
    manager.openDocImport(&doc);
    // Something that is not a folder stands where the configurations go.
    testenv::writeFile(folder(), "not a folder");
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(manager.saveImportConfigurationWithName(QStringLiteral("LCL"), sample()));
    EXPECT_EQ(alerts.shown.value(0).message,
              localizedDialogue(QStringLiteral("kAlerte_ImportConfigurationWriteFailed")));
    EXPECT_TRUE(manager.allImportConfigurations().isEmpty());
}

} // namespace
