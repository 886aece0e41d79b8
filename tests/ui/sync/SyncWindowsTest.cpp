// The sync server's questions and messages as the user sees them, through the alert seam.
#include "sync/SyncWindows.h"
#include "transactions/FenListingController.h"
#include "ui/transactions/TransListFixture.h"
#include "uisupport/UiTestFixture.h"

#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

class SyncWindowsTest : public UiTestFixture { };

TEST_F(SyncWindowsTest, AsksYesOrNoWithThePhonesNameAndTellsWithOneButton)
{
    SyncWindows windows;
    const auto dialogue = [](const char* key) { return localizedDialogue(QString::fromLatin1(key)); };
    for (const int code : {kAlertFirstButton, kAlertSecondButton}) {
        ui().answerAlert(QStringLiteral("kConfirm_Debarquer_iPhone"), code);
        EXPECT_EQ(windows.confirmPhone(QStringLiteral("kConfirm_Debarquer_iPhone"), QStringLiteral("Léa")),
                  code == kAlertFirstButton);
        const AlertRequest& shown = ui().alertsShown().last().request;
        EXPECT_EQ(QStringList({shown.information, shown.button1, shown.button2, shown.imageName}),
                  QStringList({"Léa", dialogue("LIB_BUTTON_OUI"), dialogue("LIB_BUTTON_NON"), "iSorvanta"}));
        EXPECT_EQ(shown.style, 0);
    }
    ui().answerAlert(QStringLiteral("kMessage_Embarquement_iPhone_OK"), kAlertFirstButton);
    windows.informPhone(QStringLiteral("kMessage_Embarquement_iPhone_OK"), 1);
    EXPECT_EQ(ui().alertsShown().last().buttons, QStringList {dialogue("LIB_BUTTON_OK")});
    EXPECT_EQ(ui().alertsShown().last().request.style, 1);
}

class SyncListingTest : public translist::TransListTest { };

TEST_F(SyncListingTest, TheTransactionsJustReceivedOpenAsAListing)
{
    SyncWindows sync;
    const Critere critere = Critere::makeImportCritere(CritereImport::LastSynchro, &doc);
    sync.showSyncListing(critere, newListing(ListingSort::Date1), QStringLiteral("Reçues"), doc);
    FenListingController* opened = nullptr;
    for (QObject* controller : registeredWindowControllers())
        if (auto* list = qobject_cast<FenListingController*>(controller))
            opened = list;
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowIfLoaded()->windowTitle(), QStringLiteral("Reçues"));
    opened->close();
}
