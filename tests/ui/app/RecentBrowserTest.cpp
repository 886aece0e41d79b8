// The document browser over a Documents folder of real packages: listing, creating, deleting,
// renaming, duplicating, copying and taking in documents, the desktop's requests, and the cloud
// half against the test container.
#include "app/FenRecentController.h"

#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/FakeCloudContainer.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentMark.h"
#include "document/HelperSVLibraryFolder.h"
#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

struct RecordingOpener : IDocumentOpener {
    QStringList opened;
    QList<QPair<QString, int>> created;
    bool answer = true;

    bool openRecent(const RecentDocument& document) override
    {
        opened.append(document.url());
        return answer;
    }
    bool createDocument(const QString& url, int fileSystemTag) override
    {
        created.append({url, fileSystemTag});
        return answer;
    }
};

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// A package with one member file of that many bytes.
QString makeDocument(const QString& folder, const QString& name, int bytes)
{
    const QString url = folder + QLatin1Char('/') + name + QStringLiteral(".svd");
    QDir().mkpath(url);
    QString resources;
    createPackageResources(url, &resources, nullptr);
    QFile member(resources + QStringLiteral("/transact.xml"));
    EXPECT_TRUE(member.open(QIODevice::WriteOnly));
    member.write(QByteArray(bytes, 'x'));
    return url;
}

QAction* menuItem(PopRecent* popup, const char* action)
{
    for (QAction* item : popup->stdMenu()->actions()) {
        if (StdMenu::actionOf(item) == QLatin1String(action))
            return item;
    }
    ADD_FAILURE() << "no item " << action;
    return nullptr;
}

class RecentBrowserTest : public UiTestFixture {
protected:
    RecentBrowserTest()
    {
        QDir(documentsFolder()).removeRecursively();
        QDir().mkpath(documentsFolder());
        clearLists();
        FenRecentController::setStorageNoticeShown(true);
        FenRecentController::setDocumentOpener(&opener);
    }
    ~RecentBrowserTest() override
    {
        delete browser.data();
        iCloudDelegate::sharedInstance().goodbye();
        cloud.reset();
        FenRecentController::setDocumentOpener(nullptr);
        SystemClock::setNowForTesting(std::nullopt);
        clearLists();
    }
    static void clearLists()
    {
        SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemICloud);
        SVWorkspaceManager::sharedInstance().clearRecent(kFileSystemLocal);
    }

    FenRecentController* openBrowser()
    {
        browser = StdWindowController::push<FenRecentController>(nullptr, 0, true);
        browser->start();
        return browser;
    }
    QStringList rowNames() const
    {
        QStringList names;
        const StdTableModel* model = browser->table1()->tableModel();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(
                model->index(row, 0).data().toString().section(StdTableModel::kTextSeparator.toString(), 0, 0));
        return names;
    }
    std::string rowText(int row) const
    {
        return browser->table1()->tableModel()->index(row, 0).data().toString().toStdString();
    }
    void select(const QString& name) { ASSERT_TRUE(browser->GOTO_NAME(name)) << name.toStdString(); }
    void answerName(const QString& name)
    {
        ui().onModal<FenAskStringController>([name](FenAskStringController& question) {
            question.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(name);
            question.perform(QStringLiteral("OUI:"));
        });
    }
    void threeDocuments()
    {
        makeDocument(documentsFolder(), QStringLiteral("Comptes de la maison"), 48 * 1024);
        makeDocument(documentsFolder(), QStringLiteral("Association sportive"), 9 * 1024);
        makeDocument(documentsFolder(), QStringLiteral("Épargne des enfants"), 2600 * 1024);
    }

    RecordingOpener opener;
    QPointer<FenRecentController> browser;
    std::unique_ptr<FakeCloudContainer> cloud;
};

} // namespace

TEST_F(RecentBrowserTest, ListsTheLocalDocumentsAndSaysNoCloudIsAvailable)
{
    threeDocuments();
    APPLIPARAM::loadAppliParam().lastFileSystemUsed = kFileSystemICloud;
    openBrowser();
    WindowDriver window(*browser);

    EXPECT_FALSE(browser->isSegmentICloudEnabled());
    EXPECT_EQ(browser->selectedFileSystemTag(), kFileSystemLocal);
    EXPECT_TRUE(window.widget(QStringLiteral("text_no_cloud"))->isVisible());
    EXPECT_EQ(rowNames(),
              QStringList({"Association sportive", "Comptes de la maison", QStringLiteral("Épargne des enfants")}));
    EXPECT_FALSE(window.widget(QStringLiteral("button_creer"))->isEnabled());

    select(QStringLiteral("Comptes de la maison"));
    EXPECT_TRUE(window.widget(QStringLiteral("button_ouvrir"))->isEnabled());
    PopRecent* menu = browser->popupForRow(1);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menuItem(menu, "OUVRIR:")->isEnabled());
    EXPECT_TRUE(menuItem(menu, "SUPPRIMER:")->isEnabled());
    EXPECT_FALSE(menuItem(menu, "DEPLACER:")->isEnabled()) << "no cloud to move it to";
    EXPECT_FALSE(menuItem(menu, "SYNCHRONISER:")->isEnabled());
    window.grab(QStringLiteral("recent-browser.png"));
}

TEST_F(RecentBrowserTest, TheNewNameLosesSlashesAndLeadingDotsWithABeep)
{
    openBrowser();
    WindowDriver window(*browser);
    window.type(QStringLiteral("text_nouveau"), QStringLiteral("Mes/comptes"));
    EXPECT_EQ(window.text(QStringLiteral("text_nouveau")), QStringLiteral("Mescomptes"));
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    EXPECT_TRUE(window.widget(QStringLiteral("button_creer"))->isEnabled());

    window.type(QStringLiteral("text_nouveau"), QStringLiteral(".x"));
    EXPECT_EQ(window.text(QStringLiteral("text_nouveau")), QStringLiteral("x"));
    EXPECT_EQ(ui().desktopRequests().beeps, 2);
    window.type(QStringLiteral("text_nouveau"), QStringLiteral("/"));
    EXPECT_EQ(window.text(QStringLiteral("text_nouveau")), QString());
    EXPECT_FALSE(window.widget(QStringLiteral("button_creer"))->isEnabled());
}

TEST_F(RecentBrowserTest, CreatingMakesThePackageThenHandsItToTheApplication)
{
    makeDocument(documentsFolder(), QStringLiteral("Budget"), 10);
    openBrowser();
    WindowDriver window(*browser);

    window.type(QStringLiteral("text_nouveau"), QStringLiteral("budget"));
    ui().answerAlert(QStringLiteral("kAlerte_NameAlreadyExist"), kAlertFirstButton);
    window.click(QStringLiteral("CREER:"));
    EXPECT_TRUE(opener.created.isEmpty()) << "a name differing only in case is taken";
    EXPECT_EQ(static_cast<QLineEdit*>(window.widget(QStringLiteral("text_nouveau")))->selectedText(),
              QStringLiteral("budget"));

    window.type(QStringLiteral("text_nouveau"), QStringLiteral("Vacances 2025"));
    window.click(QStringLiteral("CREER:"));
    const QString expected = documentsFolder() + QStringLiteral("/Vacances 2025.svd");
    ASSERT_EQ(opener.created.size(), 1);
    EXPECT_EQ(opener.created.first(), qMakePair(expected, kFileSystemLocal));
    EXPECT_TRUE(QFileInfo(expected + QStringLiteral("/Contents/Resources")).isDir());
    EXPECT_EQ(rowNames(), QStringList({"Budget", "Vacances 2025"}));
}

TEST_F(RecentBrowserTest, TheFirstDocumentOfANewAccountMakesTheDocumentsFolder)
{
    QDir(documentsFolder()).removeRecursively();
    openBrowser();
    WindowDriver window(*browser);
    window.type(QStringLiteral("text_nouveau"), QStringLiteral("Budget"));
    window.click(QStringLiteral("CREER:"));
    ASSERT_EQ(opener.created.size(), 1);
    EXPECT_TRUE(QFileInfo(documentsFolder() + QStringLiteral("/Budget.svd/Contents/Resources")).isDir());

    // A failure names the document and says why in words.
    QDir(documentsFolder()).removeRecursively();
    testenv::writeFile(documentsFolder(), "un fichier à la place du dossier");
    window.type(QStringLiteral("text_nouveau"), QStringLiteral("Épargne"));
    ui().answerAlert(QStringLiteral("kAlerte_PbCreerDoc"), kAlertFirstButton);
    window.click(QStringLiteral("CREER:"));
    EXPECT_EQ(opener.created.size(), 1);
    ASSERT_FALSE(ui().alertsShown().isEmpty());
    const QString information = ui().alertsShown().last().request.information;
    EXPECT_TRUE(information.startsWith(QStringLiteral("« "))) << information.toStdString();
    EXPECT_FALSE(information.contains(QRegularExpression(QStringLiteral("\\(\\d+\\)"))));
    QFile::remove(documentsFolder());
}

TEST_F(RecentBrowserTest, DeletingMovesThePackageToTheDeletedDocuments)
{
    makeDocument(documentsFolder(), QStringLiteral("Ancien"), 10);
    makeDocument(documentsFolder(), QStringLiteral("Courant"), 10);
    QString deleted;
    int error = 0;
    ASSERT_TRUE(HelperSVLibraryFolder::getSVLibraryDeletedFolderUrl(&deleted, &error));
    QDir(deleted).removeRecursively();
    QDir().mkpath(deleted + QStringLiteral("/Ancien.svd"));
    openBrowser();

    select(QStringLiteral("Ancien"));
    ui().answerAlert(QStringLiteral("kConfirm_SuppDocument"), kAlertFirstButton);
    EXPECT_FALSE(browser->SUPPRIMER_WITH_CONFIRM(true)) << "the first button keeps the document";
    EXPECT_EQ(rowNames().size(), 2);

    ui().answerAlert(QStringLiteral("kConfirm_SuppDocument"), kAlertSecondButton);
    EXPECT_TRUE(browser->SUPPRIMER_WITH_CONFIRM(true));
    EXPECT_EQ(rowNames(), QStringList({"Courant"}));
    EXPECT_FALSE(QFileInfo::exists(documentsFolder() + QStringLiteral("/Ancien.svd")));
    EXPECT_TRUE(QFileInfo(deleted + QStringLiteral("/Ancien-1.svd/Contents/Resources/transact.xml")).exists());
}

TEST_F(RecentBrowserTest, RenamingAndDuplicatingSelectTheDocumentWhereverItIsListed)
{
    makeDocument(documentsFolder(), QStringLiteral("Budget"), 10);
    makeDocument(documentsFolder(), QStringLiteral("Maison"), 10);
    openBrowser();

    select(QStringLiteral("Budget"));
    answerName(QStringLiteral("Zoo"));
    browser->perform(QStringLiteral("RENOMMER:"));
    EXPECT_EQ(rowNames(), QStringList({"Maison", "Zoo"}));
    EXPECT_EQ(browser->selectedDocument()->name(), QStringLiteral("Zoo"));
    EXPECT_TRUE(QFileInfo(documentsFolder() + QStringLiteral("/Zoo.svd")).isDir());

    // The duplicate sorts before the last row: it is the one selected.
    select(QStringLiteral("Maison"));
    ui().onModal<FenAskStringController>([](FenAskStringController& question) {
        EXPECT_EQ(question.outlet<QLineEdit>(QStringLiteral("field_texte"))->text(), QStringLiteral("Maison_2"));
        question.perform(QStringLiteral("OUI:"));
    });
    browser->perform(QStringLiteral("DUPLIQUER:"));
    EXPECT_EQ(rowNames(), QStringList({"Maison", "Maison_2", "Zoo"}));
    EXPECT_EQ(browser->selectedDocument()->name(), QStringLiteral("Maison_2"));
    EXPECT_TRUE(
        QFileInfo(documentsFolder() + QStringLiteral("/Maison_2.svd/Contents/Resources/transact.xml")).exists());
}

// A document that a running copy of the program holds open stays where it is: renaming or
// deleting it is refused with the reason, naming the document and the process.
TEST_F(RecentBrowserTest, RenamingOrDeletingADocumentHeldOpenIsRefusedNamingIt)
{
    makeDocument(documentsFolder(), QStringLiteral("Budget"), 10);
    openBrowser();
    DocumentMark heldElsewhere(documentsFolder() + QStringLiteral("/Budget.svd"));
    ASSERT_TRUE(heldElsewhere.take());
    const struct {
        const char* action;
        const char* message;
    } cases[] = {{"RENOMMER:", "kAlerte_DocumentOpen_CantRename"}, {"SUPPRIMER:", "kAlerte_DocumentOpen_CantDelete"}};
    for (const auto& each : cases) {
        select(QStringLiteral("Budget"));
        if (QLatin1String(each.action) == QLatin1String("RENOMMER:"))
            answerName(QStringLiteral("Zoo"));
        else
            ui().answerAlert(QStringLiteral("kConfirm_SuppDocument"), kAlertSecondButton);
        ui().answerAlert(QString::fromLatin1(each.message), kAlertFirstButton);
        browser->perform(QString::fromLatin1(each.action));
        ASSERT_FALSE(ui().alertsShown().isEmpty());
        const AlertRequest& shown = ui().alertsShown().last().request;
        EXPECT_EQ(shown.message, localizedDialogue(QString::fromLatin1(each.message))) << each.action;
        EXPECT_EQ(shown.information,
                  QStringLiteral("« Budget », ouvert par le processus %1").arg(QCoreApplication::applicationPid()));
        EXPECT_EQ(rowNames(), QStringList {"Budget"});
        EXPECT_TRUE(
            QFileInfo(documentsFolder() + QStringLiteral("/Budget.svd/Contents/Resources/transact.xml")).exists());
    }
}

TEST_F(RecentBrowserTest, ASavedCopyIsMadeOrRefusedButNeverIntoItself)
{
    const QString url = makeDocument(documentsFolder(), QStringLiteral("Budget"), 10);
    const QString elsewhere = testenv::freshDir(QStringLiteral("copies"));
    openBrowser();
    select(QStringLiteral("Budget"));

    ui().answerSavePanel(elsewhere + QStringLiteral("/Budget copie"));
    ui().answerAlert(QStringLiteral("kAlerte_SaveCopyOK"), kAlertFirstButton);
    browser->perform(QStringLiteral("ENREGISTRER_COPIE:"));
    EXPECT_TRUE(QFileInfo(elsewhere + QStringLiteral("/Budget copie.svd/Contents/Resources/transact.xml")).exists());

    makeDocument(elsewhere, QStringLiteral("Vieux"), 3);
    QFile(elsewhere + QStringLiteral("/Vieux.svd/Contents/Resources/transact.xml")).remove();
    ui().answerSavePanel(elsewhere + QStringLiteral("/Vieux.svd"));
    ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg(QStringLiteral("Vieux")),
                     kAlertSecondButton);
    ui().answerAlert(QStringLiteral("kAlerte_SaveCopyOK"), kAlertFirstButton);
    browser->perform(QStringLiteral("ENREGISTRER_COPIE:"));
    EXPECT_TRUE(QFileInfo(elsewhere + QStringLiteral("/Vieux.svd/Contents/Resources/transact.xml")).exists());

    ui().answerSavePanel(url + QStringLiteral("/Contents/Budget.svd"));
    ui().answerAlert(QStringLiteral("kAlerte_CantSaveCopy"), kAlertFirstButton);
    browser->perform(QStringLiteral("ENREGISTRER_COPIE:"));
    EXPECT_FALSE(QFileInfo::exists(url + QStringLiteral("/Contents/Budget.svd")));
}

TEST_F(RecentBrowserTest, TheDesktopsRequestOpensAListedDocumentOrOffersToTakeItIn)
{
    const QString local = makeDocument(documentsFolder(), QStringLiteral("Budget"), 10);
    const QString outside = makeDocument(testenv::freshDir(QStringLiteral("usb")), QStringLiteral("Club"), 10);
    openBrowser();

    // No cloud list will ever come: the request is handled at once.
    ui().answerAlert(QStringLiteral("kConfirm_openDocFromFinder"), kAlertFirstButton);
    browser->requestForPath(testenv::homeDir() + QStringLiteral("/Budget.svd"));
    EXPECT_EQ(opener.opened, QStringList({local}));
    EXPECT_TRUE(FenRecentController::storageNoticeShown());

    ui().answerAlert(QStringLiteral("kConfirm_importDocFromFinder"), kAlertFirstButton);
    ui().answerAlert(QStringLiteral("kAlerte_RecentNoErr"), kAlertFirstButton);
    browser->requestForPath(outside);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(rowNames(), QStringList({"Budget", "Club"}));
    EXPECT_EQ(browser->selectedDocument()->name(), QStringLiteral("Club"));

    // Gone from the place named: the opening, not the import, tells the user.
    const QString gone = testenv::homeDir() + QStringLiteral("/ailleurs/Parti.svd");
    browser->requestForPath(gone);
    EXPECT_EQ(opener.opened.last(), gone);

    // The panel chooses folders (a document is one), half a second after the command.
    ui().answerOpenPanel(testenv::freshDir(QStringLiteral("pas un document")));
    ui().answerAlert(QStringLiteral("kAlerte_RecentNotDocument"), kAlertFirstButton);
    browser->perform(QStringLiteral("CHERCHER:"));
    EXPECT_TRUE(ui().panelsShown().opens.isEmpty());
    ui().advance(500);
    ASSERT_EQ(ui().panelsShown().opens.size(), 1);
    EXPECT_TRUE(ui().panelsShown().opens.first().folders);
    EXPECT_EQ(rowNames().size(), 2);
}

// A document taken in twice gets a free name the second time, and its alert names it so: the user
// looks for "B-1" in the list, not for a second "B".
TEST_F(RecentBrowserTest, ADocumentTakenInTwiceIsNamedInItsAlertAsItIsListed)
{
    const QString outside = makeDocument(testenv::freshDir(QStringLiteral("usb")), QStringLiteral("B"), 10);
    openBrowser();
    for (int time = 0; time < 2; ++time) {
        ui().answerOpenPanel(outside);
        ui().answerAlert(QStringLiteral("kAlerte_RecentNoErr"), kAlertFirstButton);
        browser->perform(QStringLiteral("CHERCHER:"));
        ui().advance(500);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    QStringList named;
    for (const TestAlertPresenter::Record& alert : ui().alertsShown())
        named.append(alert.request.information);
    EXPECT_EQ(named, QStringList({"B", "B-1"}));
    EXPECT_EQ(rowNames(), QStringList({"B", "B-1"}));
    EXPECT_EQ(browser->selectedDocument()->name(), QStringLiteral("B-1"));
}

TEST_F(RecentBrowserTest, TheEmptyStorageNoticeShowsOnceAndNeverAfterAnOpen)
{
    FenRecentController::setStorageNoticeShown(false);
    openBrowser();
    QString page;
    ui().onModal<FenAskPoursuivreController>([&page](FenAskPoursuivreController& notice) {
        page = notice.getData()->value(QStringLiteral("resName")).toString();
        WindowDriver(notice).grab(QStringLiteral("recent-empty-notice.png"));
        notice.perform(QStringLiteral("OUI:"));
    });
    browser->changeFileSystemTagTo(kFileSystemLocal);
    EXPECT_EQ(page, QStringLiteral("ASSIST042"));
    EXPECT_FALSE(FenAskPoursuivreController::assistantPagePath(page).isEmpty());
    browser->changeFileSystemTagTo(kFileSystemLocal);
    EXPECT_EQ(ui().modalRuns().size(), 1);
    EXPECT_EQ(APPLIPARAM::loadAppliParam().lastFileSystemUsed, kFileSystemLocal);
}

TEST_F(RecentBrowserTest, OnlyADocumentAtRestAndUpToDateCanBeOpened)
{
    openBrowser();
    RecentDocument local;
    local.setFileSystemTag(kFileSystemLocal);
    EXPECT_TRUE(browser->canOpenDocument(local));
    local.setBuzy(true);
    EXPECT_TRUE(browser->isDocumentBuzy(local));
    EXPECT_FALSE(browser->canOpenDocument(local));

    RecentDocument online;
    online.setFileSystemTag(kFileSystemICloud);
    online.setDownloaded(true);
    online.setUploaded(true);
    EXPECT_TRUE(browser->canOpenDocument(online));
    online.setUploading(true);
    EXPECT_FALSE(browser->canOpenDocument(online)) << "busy while it uploads";
    online.setUploading(false);
    online.setUploaded(false);
    EXPECT_FALSE(browser->canOpenDocument(online));
    APPLIPARAM::loadAppliParam().acceptNotSynchro = true;
    EXPECT_TRUE(browser->canOpenDocument(online));
    online.setDownloaded(false);
    EXPECT_FALSE(browser->canOpenDocument(online));
}

TEST_F(RecentBrowserTest, TheCloudListArrivesAfterTheSignInAndGoesAtTheSignOut)
{
    const QString root = testenv::freshDir(QStringLiteral("cloud"));
    cloud = std::make_unique<FakeCloudContainer>(root);
    const QString waiting = makeDocument(root + QStringLiteral("/Documents"), QStringLiteral("Partagé"), 10);
    openBrowser();
    iCloudDelegate::sharedInstance().startWithDelegate(browser);

    // A file handed over before the cloud list came waits for it.
    ui().answerAlert(QStringLiteral("kAlerte_kIdentityFirstConnexion"), kAlertFirstButton);
    cloud->signIn(QStringLiteral("moi"));
    iCloudDelegate::waitForBackgroundWork();
    EXPECT_TRUE(browser->isSegmentICloudEnabled());
    browser->requestForPath(QStringLiteral("/ailleurs/Partagé.svd"));
    EXPECT_EQ(browser->requestedPath(), QStringLiteral("/ailleurs/Partagé.svd"));

    ui().answerAlert(QStringLiteral("kConfirm_openDocFromFinder"), kAlertFirstButton);
    ASSERT_TRUE(cloud->lastQuery());
    cloud->lastQuery()->finishGathering();
    EXPECT_TRUE(browser->requestedPath().isEmpty());
    EXPECT_EQ(browser->selectedFileSystemTag(), kFileSystemICloud);
    EXPECT_EQ(opener.opened, QStringList({waiting}));
    EXPECT_EQ(rowNames(), QStringList({QStringLiteral("Partagé")}));

    ui().answerAlert(QStringLiteral("kAlerte_IdentityDropConnexion"), kAlertFirstButton);
    cloud->signOut();
    EXPECT_FALSE(browser->isSegmentICloudEnabled());
    EXPECT_EQ(browser->selectedFileSystemTag(), kFileSystemLocal);
}

TEST_F(RecentBrowserTest, TheRefreshAsksForALateDownloadOnceEveryTenSecondsWhileKey)
{
    const QString root = testenv::freshDir(QStringLiteral("cloud"));
    cloud = std::make_unique<FakeCloudContainer>(root);
    const QString waiting = makeDocument(root + QStringLiteral("/Documents"), QStringLiteral("Partagé"), 10);
    UbiquitousItemStates pending;
    pending.downloaded = false;
    cloud->states.insert(waiting, pending);
    SystemClock::setNowForTesting(1000.0);
    openBrowser();
    iCloudDelegate::sharedInstance().startWithDelegate(browser);
    ui().answerAlert(QStringLiteral("kAlerte_kIdentityFirstConnexion"), kAlertFirstButton);
    cloud->signIn(QStringLiteral("moi"));
    iCloudDelegate::waitForBackgroundWork();
    cloud->lastQuery()->finishGathering();
    browser->changeFileSystemTagTo(kFileSystemICloud);
    ASSERT_EQ(rowNames().size(), 1);

    QApplication::setActiveWindow(nullptr);
    SystemClock::setNowForTesting(1011.0);
    ui().advance(1000);
    EXPECT_TRUE(cloud->downloads.isEmpty()) << "the refresh waits while the window is not key";

    browser->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(browser->window()));
    ui().advance(1000);
    SystemClock::setNowForTesting(1012.0);
    ui().advance(1000);
    EXPECT_EQ(cloud->downloads, QStringList({waiting}));
    SystemClock::setNowForTesting(1022.0);
    ui().advance(1000);
    EXPECT_EQ(cloud->downloads.size(), 2);
}

TEST_F(RecentBrowserTest, ACloudDeletionShowsTheDocumentBusyUntilItEnds)
{
    const QString root = testenv::freshDir(QStringLiteral("cloud"));
    cloud = std::make_unique<FakeCloudContainer>(root);
    makeDocument(root + QStringLiteral("/Documents"), QStringLiteral("Partagé"), 10);
    openBrowser();
    iCloudDelegate::sharedInstance().startWithDelegate(browser);
    ui().answerAlert(QStringLiteral("kAlerte_kIdentityFirstConnexion"), kAlertFirstButton);
    cloud->signIn(QStringLiteral("moi"));
    iCloudDelegate::waitForBackgroundWork();
    cloud->lastQuery()->finishGathering();
    browser->changeFileSystemTagTo(kFileSystemICloud);
    select(QStringLiteral("Partagé"));

    const RecentDocumentPtr document = browser->selectedDocument();
    EXPECT_TRUE(browser->SUPPRIMER_WITH_CONFIRM(false));
    EXPECT_TRUE(browser->isDocumentBuzy(*document));
    EXPECT_FALSE(browser->canOpenDocument(*document));
    iCloudDelegate::waitForBackgroundWork();
    EXPECT_FALSE(document->buzy());
    EXPECT_TRUE(rowNames().isEmpty());
}

TEST_F(RecentBrowserTest, AnEmptyFolderNamedLikeADocumentIsRefusedWithItsReason)
{
    const QString empty = testenv::freshDir(QStringLiteral("usb-vide")) + QStringLiteral("/x.svd");
    ASSERT_TRUE(QDir().mkpath(empty));
    openBrowser();
    ui().answerAlert(QStringLiteral("kConfirm_importDocFromFinder"), kAlertFirstButton);
    ui().answerAlert(QStringLiteral("kAlerte_NotADocument"), kAlertFirstButton);
    browser->requestForPath(empty);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    const AlertRequest& refused = ui().alertsShown().last().request;
    EXPECT_EQ(refused.information, "« x.svd » : " + localizedDialogue(QStringLiteral("kPackage_noMembers")));
    EXPECT_TRUE(rowNames().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(documentsFolder() + QStringLiteral("/x.svd")));
}
