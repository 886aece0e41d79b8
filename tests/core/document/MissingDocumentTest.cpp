// A document gone from its folder is said to be missing, with its folder; the user's document of
// its name with ".old" beside it takes its name only on the user's word, and otherwise nothing in
// the folder is made, renamed or changed.
#include "document/APPLIPARAM.h"
#include "document/DocumentMark.h"
#include "document/DocumentSession.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/FakeAlerts.h"
#include "support/SilentOpeningShell.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

} // namespace

TEST(MissingDocument, IsSaidMissingAndItsOldNamesakeTakesItsNameOnlyOnTheUsersWord)
{
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM::loadAppliParam().nbSauvNew = 0;
    const struct {
        const char* name;
        bool oldBeside;
        bool oldOpenElsewhere;
        QList<int> answers;
        const char* thenSaid; // the alert after the question
        bool opened;
    } cases[] = {
        {"nothing beside", false, false, {kAlertFirstButton}, nullptr, false},
        {"the old one beside, kept", true, false, {kAlertFirstButton}, nullptr, false},
        {"the old one beside, taken", true, false, {kAlertSecondButton}, nullptr, true},
        {"the old one open in another copy",
         true,
         true,
         {kAlertSecondButton, kAlertFirstButton},
         "kAlerte_DocumentOpen_CantRename",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = testenv::freshDir(QStringLiteral("missing"));
        const QString url = folder + QStringLiteral("/Maison.svd");
        const QString old = folder + QStringLiteral("/Maison.old.svd");
        if (c.oldBeside) {
            ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), old));
        }
        const auto before = testenv::filesUnder(folder);
        auto elsewhere = std::make_unique<DocumentMark>(old);
        ASSERT_TRUE(!c.oldOpenElsewhere || elsewhere->take());
        FakeAlerts alerts;
        alerts.answers = c.answers;
        SilentOpeningShell shell;
        std::unique_ptr<DOCUMENT> doc;
        EXPECT_EQ(DocumentSession::open(url, &doc, false, kFileSystemLocal, shell), c.opened);
        const QString said = c.oldBeside
            ? localizedDialogue(QStringLiteral("kConfirm_DocumentNotFoundTakeOld")).arg("Maison", folder, "Maison.old")
            : localizedDialogue(QStringLiteral("kAlerte_DocumentNotFound")).arg("Maison", folder);
        EXPECT_EQ(alerts.shown.value(0).message, said);
        if (c.thenSaid) {
            EXPECT_EQ(alerts.shown.value(1).message, localizedDialogue(QLatin1String(c.thenSaid)));
        }
        if (c.opened) {
            EXPECT_EQ(doc->transact_array.size(), 7);
            DocumentSession::close(std::move(doc));
            EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList {"Maison.svd"});
        } else {
            EXPECT_EQ(testenv::filesUnder(folder), before);
            EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      c.oldBeside ? QStringList {"Maison.old.svd"} : QStringList {});
        }
    }
}
