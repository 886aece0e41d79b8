// The sync server's questions and messages as the user sees them, through the alert seam.
#include "sync/SyncWindows.h"
#include "uisupport/UiTestFixture.h"

#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

namespace {

class SyncWindowsTest : public UiTestFixture {
protected:
    SyncWindows windows;
};

QString dialogue(const char* key)
{
    return localizedDialogue(QString::fromLatin1(key));
}

} // namespace

TEST_F(SyncWindowsTest, AsksYesOrNoWithThePhonesNameAndTellsWithOneButton)
{
    const struct {
        const char* key;
        int code;
        bool yes;
    } cases[] = {
        {"kConfirm_Embarquer_iPhone", kAlertFirstButton, true},
        {"kConfirm_Embarquer_iPhone", kAlertSecondButton, false},
        {"kConfirm_Debarquer_iPhone", kAlertFirstButton, true},
    };
    for (const auto& c : cases) {
        ui().answerAlert(QString::fromLatin1(c.key), c.code);
        EXPECT_EQ(windows.confirmPhone(QString::fromLatin1(c.key), QStringLiteral("Téléphone de Léa")), c.yes);
        const TestAlertPresenter::Record& shown = ui().alertsShown().last();
        EXPECT_EQ(shown.request.message, dialogue(c.key));
        EXPECT_EQ(shown.request.information, QStringLiteral("Téléphone de Léa"));
        EXPECT_EQ(shown.buttons, QStringList({dialogue("LIB_BUTTON_OUI"), dialogue("LIB_BUTTON_NON")}));
        EXPECT_EQ(shown.request.imageName, QStringLiteral("iSorvanta"));
        EXPECT_EQ(shown.request.style, 0);
        EXPECT_FALSE(shown.sheet);
    }
    ui().answerAlert(QStringLiteral("kMessage_Debarquement_iPhone_OK"), kAlertFirstButton);
    windows.informPhone(QStringLiteral("kMessage_Debarquement_iPhone_OK"), 0);
    EXPECT_EQ(ui().alertsShown().last().buttons, QStringList {dialogue("LIB_BUTTON_OK")});
    EXPECT_EQ(ui().alertsShown().last().request.imageName, QStringLiteral("iSorvanta"));
}

TEST_F(SyncWindowsTest, TheListingOfReceivedTransactionsIsNotBuiltYetAndSaysSo)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    const Critere critere = Critere::makeImportCritere(CritereImport::LastSynchro, &doc);
    windows.showSyncListing(critere, newListing(ListingSort::Date1), QStringLiteral("Reçues"), doc);
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
}
