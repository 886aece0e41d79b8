// A document open in one running copy of the program is not opened by another: two copies would
// each save it in turn, the last one dropping what the other had saved. The other copy is a real
// second process, this test program started again to do nothing but hold the document open.
#include "document/DocumentMark.h"
#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr char kHeldLine[] = "MARQUE TENUE";

class Shell : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

} // namespace

// The second process: holds the mark of the package it is given until it is killed.
TEST(DocumentMarkHolder, HoldsTheMarkUntilKilled)
{
    const QString url = qEnvironmentVariable("SORV_MARK_HOLD");
    if (url.isEmpty())
        GTEST_SKIP() << "runs only as the second process of DocumentMark tests";
    qputenv("XDG_RUNTIME_DIR", qgetenv("SORV_MARK_RUNTIME"));
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
    environment.insert(QStringLiteral("SORV_MARK_RUNTIME"), qEnvironmentVariable("XDG_RUNTIME_DIR"));
    // Its own temporary home lies inside this one's, which goes with it.
    environment.insert(QStringLiteral("TMPDIR"), testenv::freshDir(QStringLiteral("other")));
    other.setProcessEnvironment(environment);
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=DocumentMarkHolder.*")});
    QByteArray said;
    while (!said.contains(kHeldLine) && other.waitForReadyRead(30000))
        said += other.readAllStandardOutput();
    ASSERT_TRUE(said.contains(kHeldLine)) << said.toStdString();

    Shell shell;
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
