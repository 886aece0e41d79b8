// The sync server's questions and messages as the user sees them, through the alert seam.
#include "sync/SyncWindows.h"
#include "toolkit/host/QtUiHost.h"
#include "transactions/FenListingController.h"
#include "ui/transactions/TransListFixture.h"
#include "uisupport/UiTestFixture.h"

#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class SyncWindowsTest : public UiTestFixture { };

TEST_F(SyncWindowsTest, AsksYesOrNoWithThePhonesNameAndTellsWithOneButton)
{
    SyncWindows windows;
    const auto dialogue = [](const char* key) { return localizedDialogue(QString::fromLatin1(key)); };
    for (const int code : {kAlertFirstButton, kAlertSecondButton}) {
        ui().answerAlert(QStringLiteral("kConfirm_Debarquer_iPhone"), code);
        EXPECT_EQ(windows.confirmPhone({QStringLiteral("kConfirm_Debarquer_iPhone"), QStringLiteral("Léa"),
                                        QStringLiteral("192.168.1.20"), true}),
                  code == kAlertFirstButton);
        const AlertRequest& shown = ui().alertsShown().last().request;
        EXPECT_EQ(QStringList({shown.information, shown.button1, shown.button2, shown.imageName}),
                  QStringList({"Appareil à l'adresse 192.168.1.20, nommé « Léa »", dialogue("LIB_BUTTON_OUI"),
                               dialogue("LIB_BUTTON_NON"), "iSorvanta"}));
        EXPECT_EQ(shown.style, 0);
    }
    ui().answerAlert(QStringLiteral("kMessage_Embarquement_iPhone_OK"), kAlertFirstButton);
    windows.informPhone(QStringLiteral("kMessage_Embarquement_iPhone_OK"), 1);
    EXPECT_EQ(ui().alertsShown().last().buttons, QStringList {dialogue("LIB_BUTTON_OK")});
    EXPECT_EQ(ui().alertsShown().last().request.style, 1);
}

TEST_F(SyncWindowsTest, APhonesNameIsShownOnOneLineAfterItsAddressAndNoIsTheDefaultForAStranger)
{
    SyncWindows windows;
    const QString stranger = QStringLiteral("Appareil à l'adresse 127.0.0.9, nommé « %1 »");
    const struct {
        QString name;
        bool accepted;
        QString information;
    } cases[] = {
        {"iPhone de Marie\n\n(appareil déjà autorisé, répondez Oui)", false,
         stranger.arg("iPhone de Marie (appareil déjà autorisé, répondez Oui)")},
        {QStringLiteral("A\tB\r\nC\u2028D\u202Eé\x01 "), false, stranger.arg("A B C D é")},
        {"Léa %1 %2", false, stranger.arg("Léa %1 %2")},
        {"\n\r\n", false, "Appareil sans nom, à l'adresse 127.0.0.9"},
        {"", false, "Appareil sans nom, à l'adresse 127.0.0.9"},
        {"Pixel", true, stranger.arg("Pixel")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        ui().answerAlert(QStringLiteral("kConfirm_Embarquer_iPhone"), kAlertSecondButton);
        EXPECT_FALSE(windows.confirmPhone(
            {QStringLiteral("kConfirm_Embarquer_iPhone"), c.name, QStringLiteral("127.0.0.9"), c.accepted}));
        const AlertRequest& shown = ui().alertsShown().last().request;
        EXPECT_EQ(shown.information, c.information);
        EXPECT_EQ(shown.defaultButton, c.accepted ? kAlertFirstButton : kAlertSecondButton);
    }
}

// The real box: Return presses "Non" when the phone is a stranger.
TEST(SyncQuestionOnScreen, TheDefaultButtonOfAStrangersQuestionIsNo)
{
    const std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    SyncWindows windows;
    QString defaultButton;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        box->grab().save(QStringLiteral("/tmp/sync-question-stranger.png"));
        defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start(20);
    const bool yes = windows.confirmPhone({QStringLiteral("kConfirm_Embarquer_iPhone"),
                                           QStringLiteral("iPhone de Marie\n\n(appareil déjà autorisé, répondez Oui)"),
                                           QStringLiteral("127.0.0.9"), false});
    UiHost::install(nullptr);
    EXPECT_EQ(defaultButton, localizedDialogue(QStringLiteral("LIB_BUTTON_NON")));
    EXPECT_FALSE(yes);
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
