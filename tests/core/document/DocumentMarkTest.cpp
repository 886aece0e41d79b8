// A document open in one running copy of the program is not opened by another: two copies would
// each save it in turn, the last one dropping what the other had saved. The other copy is a real
// second process, this test program started again to do nothing but hold the document open. One
// document has one mark whatever path reaches it and however the copy was started.
#include "document/DocumentMark.h"
#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "document/SVDocumentManager.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/runtimefolder.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "support/FakeAlerts.h"
#include "support/SilentOpeningShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kHeldLine[] = "MARQUE TENUE";

} // namespace

// The second process: holds the mark of the package it is given until it is killed.
TEST(DocumentMarkHolder, HoldsTheMarkUntilKilled)
{
    const QString url = qEnvironmentVariable("SORV_MARK_HOLD");
    if (url.isEmpty())
        GTEST_SKIP() << "runs only as the second process of DocumentMark tests";
    testenv::shareUserRuntimeOf(qEnvironmentVariable("SORV_MARK_HOME"));
    DocumentMark mark(url);
    ASSERT_TRUE(mark.take());
    std::printf("%s\n", kHeldLine);
    std::fflush(stdout);
    while (std::getchar() != EOF) { }
}

TEST(DocumentMark, AnotherRunningProcessKeepsTheDocumentClosedUntilItEnds)
{
    const QString url = testenv::freshDir(QStringLiteral("mark")) + QStringLiteral("/Famille.svd");
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The same document reached through another spelling of its place.
    environment.insert(QStringLiteral("SORV_MARK_HOLD"),
                       QFileInfo(url).path() + QStringLiteral("/../") + QFileInfo(QFileInfo(url).path()).fileName()
                           + QStringLiteral("/Famille.svd"));
    environment.insert(QStringLiteral("SORV_MARK_HOME"), testenv::homeDir());
    // Its own temporary home lies inside this one's, which goes with it.
    environment.insert(QStringLiteral("TMPDIR"), testenv::freshDir(QStringLiteral("other")));
    other.setProcessEnvironment(environment);
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=DocumentMarkHolder.*")});
    QByteArray said;
    while (!said.contains(kHeldLine) && other.waitForReadyRead(30000))
        said += other.readAllStandardOutput();
    ASSERT_TRUE(said.contains(kHeldLine)) << said.toStdString();

    SilentOpeningShell shell;
    std::unique_ptr<DOCUMENT> doc;
    {
        FakeAlerts alerts;
        alerts.expect(kAlertFirstButton);
        EXPECT_FALSE(DocumentSession::open(url, &doc, false, kFileSystemLocal, shell));
        EXPECT_EQ(doc, nullptr);
        EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_DocumentAlreadyOpen")));
        EXPECT_EQ(alerts.shown.value(0).information,
                  QStringLiteral("« Famille », ouvert par le processus %1").arg(other.processId()));
    }

    // A process that ended without a word leaves its mark behind: it is taken over.
    other.kill();
    other.waitForFinished();
    ASSERT_TRUE(DocumentSession::open(url, &doc, false, kFileSystemLocal, shell));
    DocumentMark another(url);
    EXPECT_FALSE(another.take()); // held by this process now, until it closes the document
    DocumentSession::close(std::move(doc));
    EXPECT_TRUE(another.take());
}

// Whatever path reaches a package, it has one mark: through a link to it or to its folder, a link
// to a link, "..", and while a save has set the package aside. Another package has its own.
TEST(DocumentMark, EveryPathToOnePackageGivesItsOneMark)
{
    const QString root = testenv::freshDir(QStringLiteral("paths"));
    const QString documents = root + QStringLiteral("/Documents");
    const QString own = documents + QStringLiteral("/X.svd");
    ASSERT_TRUE(testenv::makePackage(own));
    ASSERT_TRUE(testenv::makePackage(documents + QStringLiteral("/Y.svd")));
    ASSERT_TRUE(QFile::link(QStringLiteral("X.svd"), documents + QStringLiteral("/Lien.svd")));
    ASSERT_TRUE(QFile::link(own, documents + QStringLiteral("/Absolu.svd")));
    ASSERT_TRUE(QFile::link(QStringLiteral("Lien.svd"), documents + QStringLiteral("/Chaine.svd")));
    ASSERT_TRUE(QFile::link(QStringLiteral("Y.svd"), documents + QStringLiteral("/Autre.svd")));
    ASSERT_TRUE(QFile::link(documents, root + QStringLiteral("/Dossier")));
    const struct {
        const char* path;
        bool sameDocument;
        bool setAside; // the package renamed away, as between the renames of a save
    } cases[] = {
        {"Documents/X.svd", true, false},
        {"Documents/Lien.svd", true, false},
        {"Documents/Absolu.svd", true, false},
        {"Documents/Chaine.svd", true, false},
        {"Dossier/X.svd", true, false},
        {"Dossier/Lien.svd", true, false},
        {"Documents/../Dossier/X.svd", true, false},
        {"Documents/X.svd/", true, false},
        {"Documents/Lien.svd", true, true},
        {"Dossier/X.svd", true, true},
        {"Dossier/Chaine.svd", true, true},
        {"Documents/Y.svd", false, false},
        {"Documents/Autre.svd", false, false},
        {"Dossier/Autre.svd", false, true},
    };
    for (const auto& each : cases) {
        const QString path = root + QLatin1Char('/') + QString::fromLatin1(each.path);
        if (each.setAside) {
            ASSERT_TRUE(QDir().rename(own, own + QStringLiteral(".old")));
        }
        EXPECT_EQ(DocumentMark::markPath(path) == DocumentMark::markPath(own), each.sameDocument) << each.path;
        EXPECT_EQ(DocumentMark::packagePlace(path) == own, each.sameDocument) << each.path;
        if (each.setAside) {
            ASSERT_TRUE(QDir().rename(own + QStringLiteral(".old"), own));
        }
    }
}

// Opened through a link, the document is the package the link leads to: its mark is held, its
// saves go into it, and the link stays a link.
TEST(DocumentMark, ADocumentOpenedThroughALinkIsSavedWhereTheLinkLeads)
{
    const QString folder = testenv::freshDir(QStringLiteral("link"));
    const QString own = folder + QStringLiteral("/Famille.svd");
    const QString link = folder + QStringLiteral("/Lien.svd");
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), own));
    ASSERT_TRUE(QFile::link(QStringLiteral("Famille.svd"), link));
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    SilentOpeningShell shell;
    std::unique_ptr<DOCUMENT> doc;
    ASSERT_TRUE(DocumentSession::open(link, &doc, false, kFileSystemLocal, shell));
    EXPECT_EQ(doc->documentUrl, own);
    EXPECT_FALSE(DocumentMark(own).take());
    doc->banqueHdl.append(testenv::tool(kToolBanque, 9999, QStringLiteral("Banque du lien"), 0));
    bool saved = false;
    SVDocumentManager::defaultManager().saveDocument(doc.get(), doc->documentUrl, {}, [&saved] { saved = true; }, {});
    EXPECT_TRUE(saved);
    DocumentSession::close(std::move(doc));

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), own);
    DOCUMENT reread(own, kFileSystemLocal);
    EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(own, reread), DocError::None);
    EXPECT_TRUE(std::any_of(reread.banqueHdl.cbegin(), reread.banqueHdl.cend(),
                            [](const TOOL& tool) { return tool.nom == QStringLiteral("Banque du lien"); }));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              (QStringList {QStringLiteral("Famille.svd"), QStringLiteral("Lien.svd")}));
}

// Two copies of the program started with different environments meet at one mark: it lies in the
// user's private folder, whatever XDG_RUNTIME_DIR says.
TEST(DocumentMark, TheMarkDependsOnTheUserAloneNotOnTheEnvironment)
{
    const QString url = testenv::freshDir(QStringLiteral("env")) + QStringLiteral("/Famille.svd");
    const QString mark = DocumentMark::markPath(url);
    EXPECT_TRUE(mark.startsWith(userRuntimeFolder() + QLatin1Char('/'))) << mark.toStdString();
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    for (const QString& other : {QString(), testenv::freshDir(QStringLiteral("ailleurs"))}) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other));
        EXPECT_EQ(DocumentMark::markPath(url), mark) << other.toStdString();
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
}
