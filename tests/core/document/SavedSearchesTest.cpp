#include "document/SavedSearches.h"

#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "engines/Critere.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr double kNow = 732000000.0;

class SavedSearchesTest : public ::testing::Test {
protected:
    std::unique_ptr<DOCUMENT> doc;
    QString folder;

    void SetUp() override
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(kNow);
        const QString package = testenv::freshDir(QStringLiteral("searches")) + QStringLiteral("/Compte.svd");
        QDir().mkdir(package);
        ASSERT_TRUE(createPackageResources(package, nullptr, nullptr));
        doc = std::make_unique<DOCUMENT>(package, kFileSystemLocal);
        testenv::addDefaultDocParam(*doc);
        doc->deviseHdl = Devise::defaultDevises();
        packageResourcesURL(package, &folder);
        folder += QStringLiteral("/searches");
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    Critere loyer() const
    {
        Critere c(doc.get(), false);
        c.setWhyCritere(QStringLiteral("Loyer & charges"));
        c.setToolCritere(true, 7, 0);
        return c;
    }
};

} // namespace

TEST_F(SavedSearchesTest, ScanListsOnlyVisibleXmlFilesAndRemoveAnswersForAMissingFolder)
{
    EXPECT_TRUE(removeSearchesFolder(doc->documentUrl)) << "no folder to remove";
    EXPECT_FALSE(QFileInfo::exists(folder));
    DocContext::instance().savedSearchList = {QStringLiteral("/elsewhere/old.xml")};
    scanSavedSearches(doc.get());
    EXPECT_TRUE(DocContext::instance().savedSearchList.isEmpty());

    for (const char* name : {"b.xml", "a.xml", "C.XML", ".cache.xml", "notes.txt", "v.1.xml"})
        write(folder + QLatin1Char('/') + QLatin1String(name), "<CRITERE/>");
    scanSavedSearches(doc.get());
    EXPECT_EQ(DocContext::instance().savedSearchList,
              (QStringList {folder + QStringLiteral("/a.xml"), folder + QStringLiteral("/b.xml"),
                            folder + QStringLiteral("/v.1.xml")}));

    EXPECT_TRUE(removeSearchesFolder(doc->documentUrl));
    EXPECT_FALSE(QFileInfo::exists(folder));
    DOCUMENT none {testenv::freshDir(QStringLiteral("not-a-package")) + QStringLiteral("/x.svd"), kFileSystemLocal};
    scanSavedSearches(&none);
    EXPECT_TRUE(DocContext::instance().savedSearchList.isEmpty());
}

TEST_F(SavedSearchesTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    for (const QString& bad :
         {QString(), QStringLiteral("../evil.xml"), QStringLiteral(".."), QStringLiteral(".hidden.xml"),
          QStringLiteral("a/b.xml"), QStringLiteral("a") + QChar(0) + QStringLiteral(".xml")}) {
        QString url = QStringLiteral("stale");
        EXPECT_FALSE(savedSearchURL(bad, &url, doc.get()));
        EXPECT_TRUE(url.isEmpty());
        EXPECT_FALSE(saveCritereToSearches(loyer(), bad, doc.get(), &url));
    }
    EXPECT_TRUE(isSafeSearchFileName(QStringLiteral("Loyers 2024..xml")));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(doc->documentUrl).path() + QStringLiteral("/evil.xml")));
}

TEST_F(SavedSearchesTest, SavingReplacesTheFileAndLoadingRestoresTheCriterion)
{
    QString url;
    EXPECT_FALSE(savedSearchURL(QStringLiteral("Loyers.xml"), &url, doc.get()));
    EXPECT_EQ(url, folder + QStringLiteral("/Loyers.xml"));
    write(url, QByteArray(5000, 'x'));
    QString saved;
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Loyers.xml"), doc.get(), &saved));
    EXPECT_EQ(saved, url);
    EXPECT_TRUE(savedSearchURL(QStringLiteral("Loyers.xml"), &url, doc.get()));
    const QByteArray bytes = read(url);
    EXPECT_TRUE(bytes.contains("<CRITERE>"));
    EXPECT_FALSE(bytes.contains("xxxxx")) << "the old content is replaced whole";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left";

    Critere read(doc.get(), true);
    ASSERT_TRUE(loadCritereFromURL(read, url, doc.get()));
    EXPECT_EQ(read.why, QStringLiteral("Loyer & charges"));
    EXPECT_EQ(read.criterePointe, CriterePointe::NotTicked);
    EXPECT_EQ(read.compteIDDebit, 7);
    EXPECT_EQ(read.nbUsedCritere, 0);
}

TEST_F(SavedSearchesTest, AnUnreadableSearchLeavesTheCriterionAndItsFileAlone)
{
    const QString damaged = folder + QStringLiteral("/Abimée.xml");
    QDir().mkpath(folder);
    // Cut short before its amounts: the tolerant reader gets the operators only.
    const QByteArray bytes = "<?xml version=\"1.0\"?><CRITERE><critereDate>2</critereDate><critereWhy>3";
    write(damaged, bytes);
    Critere c = loyer();
    EXPECT_FALSE(loadCritereFromURL(c, damaged, doc.get()));
    EXPECT_EQ(c.critereDate, CritereCompare::Off);
    EXPECT_EQ(c.why, QStringLiteral("Loyer & charges"));
    EXPECT_FALSE(loadCritereFromURL(c, folder + QStringLiteral("/absent.xml"), doc.get()));

    doc->docParam->lastConfRecherche = QStringLiteral("Abimée");
    DocContext::instance().selectedSavedSearch = 4;
    scanSavedSearches(doc.get());
    restoreLastSearch(doc.get());
    EXPECT_EQ(DocContext::instance().selectedSavedSearch, -1);
    ASSERT_TRUE(DocContext::instance().currentSearchCritere.has_value());
    EXPECT_EQ(DocContext::instance().currentSearchCritere->critereDate, CritereCompare::Off);
    EXPECT_EQ(read(damaged), bytes);
}

TEST_F(SavedSearchesTest, RestoreLoadsTheLastSearchByNameOrKeepsTheDefaults)
{
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Autre.xml"), doc.get(), nullptr));
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Loyers.2024.xml"), doc.get(), nullptr));

    doc->docParam->lastConfRecherche = QStringLiteral("Loyers.2024");
    scanSavedSearches(doc.get());
    restoreLastSearch(doc.get());
    const DocContext& context = DocContext::instance();
    ASSERT_TRUE(context.currentSearchCritere.has_value());
    EXPECT_EQ(context.selectedSavedSearch, 1);
    EXPECT_EQ(context.currentSearchCritere->why, QStringLiteral("Loyer & charges"));

    doc->docParam->lastConfRecherche = QStringLiteral("Supprimée");
    restoreLastSearch(doc.get());
    EXPECT_EQ(context.selectedSavedSearch, -1);
    EXPECT_TRUE(context.currentSearchCritere->why.isEmpty());
    EXPECT_EQ(context.currentSearchCritere->compteIDDebit, DOCPARAM::getDefaultCompte(doc.get()));

    doc->docParam->lastConfRecherche.clear();
    restoreLastSearch(doc.get());
    EXPECT_EQ(context.selectedSavedSearch, -1);
}

// The list is the open document's own: read when it opens, whether or not it names a last search,
// and gone when it closes, so another document never sees (or writes into) these files.
TEST_F(SavedSearchesTest, OpeningListsTheDocumentsSearchesAndClosingForgetsThem)
{
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Loyers.xml"), doc.get(), nullptr));
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Autre.xml"), doc.get(), nullptr));
    DocContext::instance().savedSearchList = {QStringLiteral("/autre/document/x.xml")};
    for (const QString& last : {QString(), QStringLiteral("Loyers")}) {
        doc->docParam->lastConfRecherche = last;
        DocumentSession::adopt(*doc);
        const DocContext& context = DocContext::instance();
        EXPECT_EQ(context.savedSearchList,
                  (QStringList {folder + QStringLiteral("/Autre.xml"), folder + QStringLiteral("/Loyers.xml")}));
        EXPECT_EQ(context.selectedSavedSearch, last.isEmpty() ? -1 : 1);
        DocumentSession::close();
        EXPECT_TRUE(DocContext::instance().savedSearchList.isEmpty());
        EXPECT_FALSE(DocContext::instance().currentSearchCritere.has_value());
    }
}

TEST_F(SavedSearchesTest, NamesRenamesAndRemovals)
{
    struct Case {
        QString name;
        QString fileName;
    };
    for (const Case& c : {Case {QStringLiteral("Loyers"), QStringLiteral("Loyers.xml")},
                          Case {QStringLiteral("Été 2024"), QStringLiteral("Été 2024.xml")}, Case {QString(), {}},
                          Case {QStringLiteral("  "), {}}, Case {QStringLiteral("a/b"), {}},
                          Case {QStringLiteral(".cache"), {}}, Case {QStringLiteral(".."), {}}})
        EXPECT_EQ(savedSearchFileName(c.name), c.fileName) << c.name.toStdString();
    EXPECT_EQ(savedSearchName(folder + QStringLiteral("/Loyers.2024.xml")), QStringLiteral("Loyers.2024"));

    QString loyers;
    QString autre;
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Loyers.xml"), doc.get(), &loyers));
    ASSERT_TRUE(saveCritereToSearches(loyer(), QStringLiteral("Autre.xml"), doc.get(), &autre));
    const QByteArray before = read(autre);
    QString moved = QStringLiteral("stale");
    for (const QString& refused : {QStringLiteral("Autre.xml"), QStringLiteral("../Evadée.xml"), QString()}) {
        EXPECT_FALSE(renameSavedSearch(loyers, refused, &moved)) << refused.toStdString();
        EXPECT_TRUE(moved.isEmpty());
    }
    EXPECT_EQ(read(autre), before) << "another search is never written over";
    ASSERT_TRUE(renameSavedSearch(loyers, QStringLiteral("Logement.xml"), &moved));
    EXPECT_EQ(moved, folder + QStringLiteral("/Logement.xml"));
    EXPECT_FALSE(QFileInfo::exists(loyers));
    EXPECT_FALSE(renameSavedSearch(loyers, QStringLiteral("Encore.xml"), nullptr)) << "the file is gone";

    EXPECT_TRUE(removeSavedSearch(moved));
    EXPECT_FALSE(QFileInfo::exists(moved));
    EXPECT_TRUE(QFileInfo::exists(autre));
}
