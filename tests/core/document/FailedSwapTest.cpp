// A save whose new package can't take the document's place, and whose document can't go back
// either, leaves the document whole in the save's set-aside folder: the next opening puts it back.
#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "document/SaveLeftovers.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/SilentOpeningShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

// Every move out of a save's hidden folders fails.
class StuckMoves : public FileSystemOps {
public:
    StuckMoves() { FileSystemOps::install(this); }
    ~StuckMoves() override { FileSystemOps::install(nullptr); }
    StuckMoves(const StuckMoves&) = delete;
    StuckMoves& operator=(const StuckMoves&) = delete;

    bool moveItem(const QString& from, const QString& to, int* error) override
    {
        if (from.contains(QLatin1String(kSavingPackageName)) || from.contains(QLatin1String(kSetAsideFolderName))) {
            *error = EIO;
            return false;
        }
        return FileSystemOps::moveItem(from, to, error);
    }
};

} // namespace

TEST(FailedSwap, TheDocumentStaysAsideWholeAndTheNextOpeningPutsItBack)
{
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    const QString url = testenv::freshDir(QStringLiteral("failed-swap")) + QStringLiteral("/Maison.svd");
    ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    const auto before = testenv::filesUnder(url);
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    ASSERT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, *doc), DocError::None);
    doc->transact_array.removeLast();
    {
        FakeAlerts told;
        told.expect(kAlertFirstButton);
        const StuckMoves stuck;
        bool saved = true;
        SVDocumentManager::defaultManager().saveDocument(
            doc.get(), url, {}, [&saved] { saved = true; }, [&saved] { saved = false; });
        EXPECT_FALSE(saved);
        EXPECT_EQ(told.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotSaveDoc")));
    }
    const auto entries = [&url] {
        return QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList left = entries();
    ASSERT_EQ(left.size(), 1);
    const QString aside = QFileInfo(url).path() + '/' + left.first();
    EXPECT_TRUE(aside.endsWith(QLatin1String(kSetAsideFolderName)));
    EXPECT_EQ(testenv::filesUnder(setAsidePackageUrl(aside, url)).size(), before.size());

    FakeAlerts none;
    SilentOpeningShell shell;
    std::unique_ptr<DOCUMENT> opened;
    ASSERT_TRUE(DocumentSession::open(url, &opened, false, kFileSystemLocal, shell));
    EXPECT_EQ(opened->transact_array.size(), 7);
    DocumentSession::close(std::move(opened));
    EXPECT_EQ(entries(), QStringList {"Maison.svd"});
}
