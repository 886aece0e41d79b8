// The whole life of a document, headless: start-up, creation, opening (password, version gate,
// unreadable member), the main timer's automatic save and new day, closing, quitting, and the
// windows kept with the document.
#include "app/ApplicationDelegate.h"
#include "app/FenNotifySauvegardeController.h"
#include "app/FenPasswordController.h"
#include "app/SorvApplication.h"
#include "app/WindowMemory.h"
#include "entities/FenFavoriController.h"
#include "graphs/FenBilanController.h"
#include "schedules/FenAwakeController.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/FenEditEcheancierController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/TransactPasteboard.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "engines/ChronoManager.h"
#include "engines/TransactClipboard.h"
#include "foundation/ISounds.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "support/TestEnvironment.h"
#include "sync/ServerAppDelegate.h"
#include "uisupport/AlertGrab.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>
#include <QTextBrowser>

#include <climits>
#include <string>
#include <vector>

namespace {

// Stands in for the document browser: counts what the application asks of it.
class FakeBrowser : public StdWindowController {
    Q_OBJECT
public:
    static inline int opened = 0;
    static inline int started = 0;
    static inline QStringList requests;
    FakeBrowser() { ++opened; }
    Q_INVOKABLE void start() { ++started; }
    Q_INVOKABLE void requestForPath(const QString& path) { requests << path; }
};

// A window kept with the document, opened again by its class name.
class KeptWindow : public StdWindowController {
    Q_OBJECT
protected:
    void buildInterface(StdWindow& window) override { window.resize(300, 200); }
};

class ModalProbe : public StdWindowController {
    Q_OBJECT
};

// Hears the broadcasts of the main timer.
class Listener : public QObject {
    Q_OBJECT
public:
    QList<double> newDays;
    int periodic = 0;
    Listener() { registerWindowController(this); }
    ~Listener() override { unregisterWindowController(this); }
    Q_INVOKABLE void notifyNewDay(const QVariant& previous, const QVariant&) { newDays << previous.toDouble(); }
    Q_INVOKABLE void periodicAction() { ++periodic; }
    int verified = 0;
    Q_INVOKABLE void didVerifyDocument() { ++verified; }
};

// Saves fail while failing is set: the staging package can't be made. A package named in
// readOnly can't be written, as for a user without the right (the tests run as root).
class FailingSaves : public FileSystemOps {
public:
    bool failing = false;
    QString readOnly;
    bool isWritable(const QString& path) override
    {
        return (readOnly.isEmpty() || !path.startsWith(readOnly)) && FileSystemOps::isWritable(path);
    }
    bool makeFolder(const QString& path, int* error) override
    {
        if (failing && path.endsWith(QLatin1String(kSavingPackageName))) {
            if (error)
                *error = EIO;
            return false;
        }
        return FileSystemOps::makeFolder(path, error);
    }
};

double paris(int year, int month, int day, int hour, int minute)
{
    const QDateTime time(QDate(year, month, day), QTime(hour, minute));
    return double(time.toSecsSinceEpoch()) - kReferenceDateOffset;
}

constexpr uint64_t kStartTicks = 1'000'000;

class ApplicationTest : public UiTestFixture {
protected:
    ApplicationTest()
    {
        BEFOREPARAM::setDigestIterationsForTesting(10);
        SystemClock::setNowForTesting(paris(2024, 3, 14, 10, 0));
        SystemClock::setTicksForTesting(kStartTicks);
        FileSystemOps::install(&saves);
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.nbSauvNew = 0;
        parameters.everyDaysManualSave = 100000; // no reminder to copy the document
        parameters.doAnimations = false;
        parameters.autoSaveWhenQuit = false;
        APPLIPARAM::saveAppliParam();
        FakeBrowser::opened = FakeBrowser::started = 0;
        FakeBrowser::requests.clear();
        WindowMemory::registerWindowClass(QStringLiteral("FenRecentController"), [](const PARAMFEN& record, bool) {
            return StdWindowController::push<FakeBrowser>(nullptr, record.devise, true);
        });
        WindowMemory::registerWindowClass(QStringLiteral("KeptWindow"), [](const PARAMFEN& record, bool appear) {
            return StdWindowController::push<KeptWindow>(nullptr, record.devise, appear);
        });
        folder = testenv::freshDir(QStringLiteral("documents"));
        delegate = std::make_unique<ApplicationDelegate>();
    }
    ~ApplicationTest() override
    {
        delegate->AFTER();
        delegate.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowMemory::unregisterWindowClass(QStringLiteral("FenRecentController"));
        WindowMemory::unregisterWindowClass(QStringLiteral("KeptWindow"));
        FileSystemOps::install(nullptr);
        SystemClock::setNowForTesting(std::nullopt);
        SystemClock::setTicksForTesting(std::nullopt);
        BEFOREPARAM::setDigestIterationsForTesting(std::nullopt);
    }

    QString newPackage(const QString& name)
    {
        const QString url = folder + QLatin1Char('/') + name;
        QDir().mkpath(url);
        return url;
    }
    // Its schedules came due long ago: unless asked, their due pass stays silent (as in an
    // archived year), so that opening it shows no due-occurrences window.
    QString completePackage(const QString& name, const QString& password = QString(), long version = 31,
                            bool dueSchedules = false)
    {
        const QString url = folder + QLatin1Char('/') + name;
        EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
        BEFOREPARAM before;
        before.version = version;
        before.setPassword(password);
        EXPECT_TRUE(BEFOREPARAM::saveBeforeParam(url, before));
        // Its windows are of a class these tests don't have: it keeps none, nor its analyses and
        // budgets.
        QDir(url + QStringLiteral("/Contents/Resources/analyse")).removeRecursively();
        QDir(url + QStringLiteral("/Contents/Resources/budget")).removeRecursively();
        bool error = false;
        const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
        param->documentWindows.clear();
        param->echInactive = dueSchedules ? 0 : 1;
        EXPECT_TRUE(param->saveDocParam(url));
        return url;
    }
    void setParameter(const std::function<void(APPLIPARAM&)>& change)
    {
        change(APPLIPARAM::loadAppliParam());
        APPLIPARAM::saveAppliParam();
    }
    void seconds(int n) { ui().advance(qint64(n) * 1000); }
    // The next due window must list exactly what the schedules' walk finds due; all of it is
    // written, and its dates are kept in written.
    void expectDueWindow(QList<double>& written)
    {
        ui().onModal<FenAwakeController>([this, &written](FenAwakeController& window) {
            AwakeList predicted;
            for (const ECHEANCIER& each : delegate->document()->echeancierHdl)
                collectAwakeForEcheancier(each, predicted);
            ASSERT_EQ(window.items().size(), predicted.size());
            ASSERT_FALSE(predicted.isEmpty());
            for (qsizetype i = 0; i < predicted.size(); ++i) {
                EXPECT_EQ(window.items().at(i).transact.when, predicted.at(i).transact.when) << i;
                written << predicted.at(i).transact.when;
            }
            ui().advance(500);
            window.perform(QStringLiteral("OUI:"));
            ui().answerAlert(QStringLiteral("kAlerte_AwakeDoneAll"), kAlertFirstButton);
            ui().advance(qint64(predicted.size() + 2) * 100);
        });
    }
    static QString dialogue(const char* key) { return localizedDialogue(QString::fromLatin1(key)); }

    FailingSaves saves;
    QString folder;
    std::unique_ptr<ApplicationDelegate> delegate;
};

} // namespace

TEST_F(ApplicationTest, StartsInOrderShowsTheBrowserAndHandsOverARequestedFile)
{
    EXPECT_FALSE(delegate->openFile(QStringLiteral("/tmp/Famille.svd")));
    EXPECT_EQ(FakeBrowser::opened, 0);
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(
        delegate->lifeCycleTrace(),
        QStringList({"setBankIsOpen", "initClassState", "initListFonts", "initConstants", "initListingLib",
                     "installSoundManager", "initLibCompte", "createSavedSearchList", "duringPointe", "loadAppliParam",
                     "syncServerCreate", "startMainTimer", "openRecentWindow", "requestedPath"}));
    EXPECT_EQ(FakeBrowser::opened, 1);
    EXPECT_EQ(FakeBrowser::started, 1);
    EXPECT_EQ(FakeBrowser::requests, QStringList {"/tmp/Famille.svd"});
    EXPECT_TRUE(delegate->requestedPath().isEmpty());
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(QSettings().value(QStringLiteral("NSInitialToolTipDelay")).toInt(), 1000);

    setParameter([](APPLIPARAM& p) { p.helpOn = false; });
    delegate->setToolTipDelay();
    EXPECT_EQ(QSettings().value(QStringLiteral("NSInitialToolTipDelay")).toInt(), INT_MAX);
    EXPECT_EQ(toolTipDelay(), INT_MAX);

    // With no document the timer does nothing; a later request goes straight to the browser.
    seconds(5);
    EXPECT_TRUE(ui().alertsShown().isEmpty());
    delegate->openFile(QStringLiteral("/tmp/Autre.svd"));
    EXPECT_EQ(FakeBrowser::requests.size(), 2);
    EXPECT_EQ(delegate->applicationShouldTerminate(), 1);
    delegate->applicationWillTerminate();
    EXPECT_EQ(delegate->lifeCycleTrace().last(), QStringLiteral("disposeClassState"));
}

TEST_F(ApplicationTest, CreatesADocumentOnDiskAndClosesItWithoutSaving)
{
    delegate->BEFORE();
    const QString url = newPackage(QStringLiteral("Nouveau.svd"));
    // The first-run assistant, left at once.
    for (const char* action : {"NON:", "OUI:"})
        ui().onModal<FenAskPoursuivreController>(
            [action](FenAskPoursuivreController& w) { w.perform(QString::fromLatin1(action)); });
    ASSERT_TRUE(delegate->nouveauDocument(url, kFileSystemLocal));
    EXPECT_TRUE(delegate->bankIsOpen());
    EXPECT_EQ(currentDocument(), delegate->document());
    EXPECT_TRUE(QFileInfo::exists(url + QStringLiteral("/Contents/Resources/transact.xml")));
    EXPECT_EQ(delegate->recentWindow(), nullptr);
    EXPECT_NE(FenPaletteToolController::paletteOutils(), nullptr); // no windows kept: the standard ones
    ASSERT_NE(syncServer(), nullptr);
    EXPECT_EQ(syncServer()->document(), delegate->document()); // served to the phone while open
    // One document at a time; only ".svd", exactly, opens.
    EXPECT_FALSE(delegate->openSorvFile(url, kFileSystemLocal));
    EXPECT_FALSE(delegate->openSorvFile(folder + QStringLiteral("/Autre.SVD"), kFileSystemLocal));

    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    delegate->FERMER_DOCUMENT();
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(delegate->document(), nullptr);
    EXPECT_EQ(currentDocument(), nullptr);
    EXPECT_EQ(FakeBrowser::opened, 2); // shown again
    EXPECT_EQ(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_FALSE(syncServer()->isRunning());
}

TEST_F(ApplicationTest, ANewDocumentThatCantBeSavedIsTornDown)
{
    delegate->BEFORE();
    saves.failing = true;
    ui().answerAlert(dialogue("kAlerte_CannotSaveDoc"), kAlertFirstButton);
    EXPECT_FALSE(delegate->nouveauDocument(newPackage(QStringLiteral("Perdu.svd")), kFileSystemLocal));
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(currentDocument(), nullptr);
    EXPECT_NE(delegate->recentWindow(), nullptr);
    EXPECT_EQ(FakeBrowser::opened, 1);
}

TEST_F(ApplicationTest, OpensAProtectedDocumentWithItsPasswordOnly)
{
    delegate->BEFORE();
    const QString url = completePackage(QStringLiteral("Secret.svd"), QStringLiteral("Sesame"));
    ui().onModal<FenPasswordController>([this](FenPasswordController& window) {
        WindowDriver driver(window);
        driver.type(QStringLiteral("field_password0"), QStringLiteral("sesame"));
        ui().answerAlert(dialogue("kAlert_wrong_password"), kAlertFirstButton);
        driver.click(QStringLiteral("OUI:"));
        driver.type(QStringLiteral("field_password0"), QStringLiteral("Sesame"));
        driver.click(QStringLiteral("OUI:"));
    });
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    EXPECT_EQ(ui().modalRuns().size(), 1);
    EXPECT_TRUE(delegate->bankIsOpen());
    EXPECT_EQ(delegate->recentWindow(), nullptr);

    // Giving up at the password opens nothing, and the browser stays.
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    delegate->FERMER_DOCUMENT();
    ui().onModal<FenPasswordController>([](FenPasswordController& window) { WindowDriver(window).click("NON:"); });
    EXPECT_FALSE(delegate->openSorvFile(url, kFileSystemLocal));
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_NE(delegate->recentWindow(), nullptr);
}

TEST_F(ApplicationTest, AnotherVersionOrAnUnreadableMemberLeavesNoDocument)
{
    delegate->BEFORE();
    const QString old = completePackage(QStringLiteral("Ancien.svd"), QString(), 30);
    ui().answerAlert(dialogue("kAlerte_CannotMAJDocument"), kAlertFirstButton);
    EXPECT_FALSE(delegate->openSorvFile(old, kFileSystemLocal));
    EXPECT_FALSE(delegate->bankIsOpen());

    const QString broken = completePackage(QStringLiteral("Abime.svd"));
    QFile transactions(broken + QStringLiteral("/Contents/Resources/transact.xml"));
    ASSERT_TRUE(transactions.open(QIODevice::WriteOnly | QIODevice::Truncate));
    transactions.write("<list><transact>");
    transactions.close();
    ui().answerAlert(kAlertFirstButton); // do not open it
    EXPECT_FALSE(delegate->openSorvFile(broken, kFileSystemLocal));
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(delegate->document(), nullptr);
    EXPECT_EQ(currentDocument(), nullptr);
    EXPECT_NE(delegate->recentWindow(), nullptr);
}

TEST_F(ApplicationTest, SavesEveryMnMinutesButNeverDuringAModalRun)
{
    setParameter([](APPLIPARAM& p) { p.mn = 1; });
    delegate->BEFORE();
    ASSERT_TRUE(delegate->openSorvFile(completePackage(QStringLiteral("Famille.svd")), kFileSystemLocal));
    DOCUMENT* doc = delegate->document();
    EXPECT_EQ(doc->lastSave, kStartTicks);
    const size_t animations = ui().animations().recorded.size();

    SystemClock::setTicksForTesting(kStartTicks + 3600); // one minute exactly: not yet
    seconds(1);
    EXPECT_EQ(doc->lastSave, kStartTicks);
    SystemClock::setTicksForTesting(kStartTicks + 3601);
    seconds(1);
    EXPECT_EQ(doc->lastSave, kStartTicks + 3601);
    EXPECT_GE(ui().animations().recorded.size(), animations + 2); // the notice slid in and out
    EXPECT_EQ(findOpenWindowController(FenNotifySauvegardeController::staticMetaObject, -1, -1, -1, -1, -1, -1, -1, -1),
              nullptr);

    // Due during a modal run: the save waits for its end.
    ui().onModal(QStringLiteral("ModalProbe"), [this, doc](const ModalRequest& request) {
        SystemClock::setTicksForTesting(kStartTicks + 3 * 3600);
        seconds(10);
        EXPECT_EQ(doc->lastSave, kStartTicks + 3601);
        UiHost::instance().modal().endModal(request.window, 0);
    });
    StdWindowController::pushModal<ModalProbe>(nullptr, nullptr, 0);
    seconds(1);
    EXPECT_EQ(doc->lastSave, kStartTicks + 3 * 3600);

    // A save that fails is tried again a whole period later, not every second.
    saves.failing = true;
    SystemClock::setTicksForTesting(kStartTicks + 5 * 3600);
    const qsizetype alerts = ui().alertsShown().size();
    ui().answerAlert(dialogue("kAlerte_CannotSaveDoc"), kAlertFirstButton);
    seconds(30);
    EXPECT_EQ(ui().alertsShown().size(), alerts + 1);
    EXPECT_EQ(doc->lastSave, kStartTicks + 3 * 3600);
}

TEST_F(ApplicationTest, ANewDayRecomputesOnceAndIsBroadcastWithTheDayBefore)
{
    delegate->BEFORE();
    ASSERT_TRUE(delegate->openSorvFile(completePackage(QStringLiteral("Famille.svd")), kFileSystemLocal));
    Listener listener;
    const double opened = delegate->startedTime();
    seconds(3);
    EXPECT_TRUE(listener.newDays.isEmpty());
    EXPECT_EQ(listener.periodic, 3);
    SystemClock::setNowForTesting(paris(2024, 3, 15, 0, 0));
    seconds(5);
    EXPECT_EQ(listener.newDays, QList<double> {opened});
    EXPECT_EQ(delegate->startedTime(), paris(2024, 3, 15, 0, 0));
}

// The timer looks for a new day only once the time leaves the bounds of the day last seen: the
// day is found at local midnight whatever the day's length, and once the clock is set back into
// the day before, as every change of calendar day is, once each.
TEST_F(ApplicationTest, ANewDayIsFoundAtLocalMidnightOnceWhateverTheDaysLengthOrAClockSetBack)
{
    struct Step {
        double now;
        bool newDay;
    };
    struct Row {
        const char* name;
        double start;
        QList<Step> steps;
    };
    const double justAfterMidnight = 30;
    const Row rows[] = {
        {"the clock set back across midnight",
         paris(2024, 3, 14, 10, 0),
         {{paris(2024, 3, 15, 0, 0) + justAfterMidnight, true},
          {paris(2024, 3, 14, 23, 50), true},
          {paris(2024, 3, 14, 23, 55), false},
          {paris(2024, 3, 15, 0, 0), true},
          {paris(2024, 3, 15, 0, 10), false},
          {paris(2024, 3, 15, 0, 5), false}}}, // set back within the day
        {"a 23-hour day",
         paris(2024, 3, 31, 9, 0),
         {{paris(2024, 3, 31, 23, 59), false},
          {paris(2024, 4, 1, 0, 0), true}, // 23 hours after the day began
          {paris(2024, 4, 1, 1, 0), false}}},
        {"the clock set back across the start of a 23-hour day",
         paris(2024, 3, 30, 20, 0),
         {{paris(2024, 3, 31, 0, 0) + justAfterMidnight, true},
          {paris(2024, 3, 30, 23, 50), true},
          {paris(2024, 3, 31, 0, 0), true},
          {paris(2024, 3, 31, 23, 59), false}}},
        {"a 25-hour day",
         paris(2024, 10, 27, 9, 0),
         {{paris(2024, 10, 27, 23, 0), false}, // 24 hours after the day began
          {paris(2024, 10, 27, 23, 59), false},
          {paris(2024, 10, 28, 0, 0), true},
          {paris(2024, 10, 28, 1, 0), false}}},
    };
    // Local wall-clock times, offset included, read better than seconds in a failure.
    const auto local = [](const QList<double>& times) {
        std::vector<std::string> out;
        for (const double time : times) {
            const QDateTime wall = QDateTime::fromSecsSinceEpoch(qint64(time + kReferenceDateOffset));
            out.push_back(wall.toOffsetFromUtc(wall.offsetFromUtc()).toString(Qt::ISODate).toStdString());
        }
        return out;
    };
    delegate->BEFORE();
    const QString url = completePackage(QStringLiteral("Famille.svd"));
    Listener listener;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // Each row opens the document on its own first day: the bounds are worked out afresh.
        SystemClock::setNowForTesting(row.start);
        ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        listener.newDays.clear();
        QList<double> expected;
        double seen = row.start;
        for (const Step& step : row.steps) {
            SCOPED_TRACE(local({step.now}).front());
            SystemClock::setNowForTesting(step.now);
            seconds(2);
            if (step.newDay) {
                expected << seen;
                seen = step.now;
            }
            EXPECT_EQ(local(listener.newDays), local(expected));
            EXPECT_EQ(local({delegate->startedTime()}), local({seen}));
        }
        ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
        delegate->FERMER_DOCUMENT();
    }
}

// At the opening, then on new days past a month end and a year end, the due window opens by
// itself on exactly the occurrences the schedules' walk finds due, and writing them all stores
// those occurrences.
TEST_F(ApplicationTest, TheDueWindowOpensByItselfAtOpeningAndOnANewDay)
{
    delegate->BEFORE();
    QList<double> written;
    expectDueWindow(written);
    ASSERT_TRUE(
        delegate->openSorvFile(completePackage(QStringLiteral("Famille.svd"), QString(), 31, true), kFileSystemLocal));
    EXPECT_EQ(ui().modalRuns().size(), 1);
    const long before = long(delegate->document()->transact_array.size()) - long(written.size());
    for (const double now : {paris(2024, 3, 31, 23, 0), paris(2024, 12, 31, 23, 0)}) {
        SystemClock::setNowForTesting(now);
        expectDueWindow(written);
        seconds(2);
    }
    EXPECT_EQ(ui().modalRuns().size(), 3);
    const DOCUMENT& doc = *delegate->document();
    ASSERT_EQ(doc.transact_array.size(), before + written.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        EXPECT_EQ(doc.transact_array.at(before + i).when, written.at(i)) << i;
    AwakeList left;
    for (const ECHEANCIER& each : doc.echeancierHdl)
        collectAwakeForEcheancier(each, left);
    EXPECT_TRUE(left.isEmpty());
}

// A monthly schedule made in the schedules window, through its editor, on the 14th of March:
// its first occurrence is offered at once, the next ones on the new days past the month's end and
// the year's end, each time exactly as the walk predicts, and written as it predicts.
TEST_F(ApplicationTest, AScheduleMadeInItsWindowFallsDueOverAMonthAndAYearEnd)
{
    delegate->BEFORE();
    ASSERT_TRUE(delegate->openSorvFile(completePackage(QStringLiteral("Famille.svd")), kFileSystemLocal));
    DOCUMENT& doc = *delegate->document();
    doc.docParam->echInactive = 0;
    doc.echeancierHdl.clear();
    doc.echeancierIndex.clear();
    delegate->ECHEANCIERS();
    FenEcheancierController* window = FenEcheancierController::current();
    ASSERT_NE(window, nullptr);
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& entry) {
        WindowDriver(entry).type(QStringLiteral("field_montant"), QStringLiteral("45"));
        entry.perform(QStringLiteral("OUI:"));
    });
    ui().onModal<FenEditEcheancierController>([](FenEditEcheancierController& editor) {
        WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Cantine"));
        editor.perform(QStringLiteral("MODIFIER:"));
        editor.perform(QStringLiteral("OUI:"));
    });
    QList<double> written;
    expectDueWindow(written);
    window->perform(QStringLiteral("didChooseChrono:"), nullptr);
    ASSERT_EQ(doc.echeancierHdl.size(), 1);
    ASSERT_EQ(written.size(), 1);
    const long before = long(doc.transact_array.size()) - 1;
    for (const double now : {paris(2024, 4, 15, 9, 0), paris(2025, 1, 15, 9, 0)}) {
        SystemClock::setNowForTesting(now);
        expectDueWindow(written);
        seconds(2);
    }
    EXPECT_EQ(written.size(), 11) << "March, April, then May to January";
    ASSERT_EQ(doc.transact_array.size(), before + written.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        EXPECT_EQ(doc.transact_array.at(before + i).when, written.at(i)) << i;
    window->close();
}

TEST_F(ApplicationTest, KeepsAWindowOnScreen)
{
    int banks = 0;
    WindowMemory::registerWindowClass(QStringLiteral("FenBanqueController"), [&banks](const PARAMFEN&, bool) {
        ++banks;
        return nullptr;
    });
    delegate->BEFORE();
    ASSERT_TRUE(delegate->openSorvFile(completePackage(QStringLiteral("Famille.svd")), kFileSystemLocal));
    EXPECT_EQ(banks, 1); // a standard window of a document that keeps none
    seconds(2);
    EXPECT_TRUE(ui().alertsShown().isEmpty()); // the tool palette is on screen
    FenPaletteToolController::paletteOutils()->close();
    EntityWindowRegistry::find(FenFavoriController::staticMetaObject)->close();
    FenBilanController::current()->close();
    ui().answerAlert(dialogue("kAlerte_NoWindow"), kAlertFirstButton);
    seconds(1);
    EXPECT_NE(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_EQ(banks, 2);
    WindowMemory::unregisterWindowClass(QStringLiteral("FenBanqueController"));
}

TEST_F(ApplicationTest, QuittingClosesTheDocumentOrIsCancelled)
{
    delegate->BEFORE();
    const QString url = completePackage(QStringLiteral("Famille.svd"));
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertThirdButton);
    EXPECT_EQ(delegate->applicationShouldTerminate(), 0);
    EXPECT_TRUE(delegate->bankIsOpen());

    // A save that fails cancels the quit: nothing is lost.
    saves.failing = true;
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    ui().answerAlert(dialogue("kAlerte_CannotSaveDoc"), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_CloseWithoutSaving"), kAlertFirstButton);
    EXPECT_EQ(delegate->applicationShouldTerminate(), 0);
    EXPECT_TRUE(delegate->bankIsOpen());

    saves.failing = false;
    setParameter([](APPLIPARAM& p) { p.autoSaveWhenQuit = true; });
    delegate->document()->docParam->lastGraphique = QStringLiteral("Dépenses 2024");
    EXPECT_EQ(delegate->applicationShouldTerminate(), 1); // saved without asking
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(FakeBrowser::opened, 1); // quitting shows no browser
    bool error = false;
    EXPECT_EQ(DOCPARAM::loadDocParam(url, &error)->lastGraphique, QStringLiteral("Dépenses 2024"));
}

// A document the user can't write where it is: said at opening, never saved behind the user's
// back, the save command refused naming it, and the program quits without asking again what the
// user answered at opening.
TEST_F(ApplicationTest, ADocumentThatCantBeSavedIsSaidSoAndStillLetsTheProgramQuit)
{
    setParameter([](APPLIPARAM& p) { p.mn = 1; });
    delegate->BEFORE();
    const QString url = completePackage(QStringLiteral("Famille.svd"));
    saves.readOnly = url;
    ui().answerAlert(dialogue("kConfirm_ReadOnlyDocument"), kAlertSecondButton);
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    SystemClock::setTicksForTesting(kStartTicks + 10 * 3600);
    seconds(2); // no automatic save: no alert
    ui().answerAlert(dialogue("kAlerte_CannotSaveDoc_ReadOnly"), kAlertFirstButton);
    delegate->ENREGISTRER_DOCUMENT();

    EXPECT_EQ(delegate->applicationShouldTerminate(), 1);
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList {QStringLiteral("Famille.svd")});
    ASSERT_EQ(ui().alertsShown().size(), 2);
    if (const QByteArray out = qgetenv("SORV_GRAB_DIR"); !out.isEmpty()) {
        for (const int shown : {0, 1})
            grabAlert(ui().alertsShown().at(shown).request)
                .save(QString::fromLocal8Bit(out) + QStringLiteral("/read-only-%1.png").arg(shown));
    }
}

// Transactions copied belong to the document they came from: opening or closing one empties the
// program's clipboard, whatever the desktop's clipboard holds.
TEST_F(ApplicationTest, TheTransactionClipboardEmptiesWhenADocumentOpensOrCloses)
{
    delegate->BEFORE();
    ASSERT_NE(transactClipboard(), nullptr);
    TRANSACT copied;
    copied.why = QStringLiteral("Pain");
    copyTransactsToPasteboard({copied});
    EXPECT_TRUE(canPasteTransactFromPasteboard());
    // The first-run assistant, left at once.
    for (const char* action : {"NON:", "OUI:"})
        ui().onModal<FenAskPoursuivreController>(
            [action](FenAskPoursuivreController& w) { w.perform(QString::fromLatin1(action)); });
    ASSERT_TRUE(delegate->nouveauDocument(newPackage(QStringLiteral("Nouveau.svd")), kFileSystemLocal));
    EXPECT_FALSE(canPasteTransactFromPasteboard());
    copyTransactsToPasteboard({copied});
    EXPECT_TRUE(canPasteTransactFromPasteboard());
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
    delegate->FERMER_DOCUMENT();
    EXPECT_FALSE(canPasteTransactFromPasteboard());
    if (StdWindowController* browser = delegate->recentWindow())
        browser->close(); // shown again by the close: no window of the next document
}

TEST_F(ApplicationTest, WindowsOpenAgainWhereTheyWereAfterASavingClose)
{
    delegate->BEFORE();
    const QString url = completePackage(QStringLiteral("Famille.svd"));
    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    KeptWindow* kept = StdWindowController::push<KeptWindow>(nullptr, 2, true);
    kept->window()->setGeometry(100, 150, 300, 200);
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    delegate->FERMER_DOCUMENT();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    bool error = false;
    const ParamFenList records = DOCPARAM::loadDocParam(url, &error)->documentWindows;
    // The tool palette, the favourites, the balance sheet and the banks window, opened as standard
    // windows, and the kept window.
    QStringList classes;
    for (const PARAMFEN& each : records)
        classes << each.fenclass;
    ASSERT_EQ(classes.size(), 5);
    EXPECT_TRUE(classes.contains(QStringLiteral("FenBanqueController")));
    EXPECT_TRUE(classes.contains(QStringLiteral("FenBilanController")));
    EXPECT_TRUE(classes.contains(QStringLiteral("FenFavoriController")));
    const PARAMFEN& record = records.at(int(classes.indexOf(QStringLiteral("KeptWindow"))));
    EXPECT_EQ(record.devise, 2);
    // Stored from the screen's bottom edge: 900 - 150 - 200.
    EXPECT_EQ(QRectF(record.x, record.y, record.width, record.height), QRectF(100, 550, 300, 200));

    ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    auto* again = findOpenWindowController(KeptWindow::staticMetaObject, -1, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->window()->geometry(), QRect(100, 150, 300, 200));
    EXPECT_EQ(again->devise(), 2);
}

TEST_F(ApplicationTest, TheCheckRunsOnlyWhenTheUserGoesOnAndIsBroadcast)
{
    delegate->BEFORE();
    ASSERT_TRUE(delegate->openSorvFile(completePackage(QStringLiteral("Famille.svd")), kFileSystemLocal));
    Listener listener;
    for (const char* answer : {"NON:", "OUI:"}) {
        ui().onModal<FenAskPoursuivreController>([answer](FenAskPoursuivreController& question) {
            EXPECT_FALSE(question.outlet<QTextBrowser>(QStringLiteral("content"))->toPlainText().isEmpty());
            WindowDriver(question).click(QString::fromLatin1(answer));
        });
        if (answer[0] == 'O')
            ui().answerAlert(dialogue("kAlerte_noProblem"), kAlertFirstButton);
        delegate->VERIFIER();
    }
    EXPECT_EQ(listener.verified, 1);

    // A document opened with a transaction whose account is gone is offered the check at once.
    delegate->document()->transact_array[0].who1 = 999999;
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    delegate->FERMER_DOCUMENT();
    for (const int answer : {kAlertSecondButton, kAlertFirstButton}) {
        ui().answerAlert(dialogue("kConfirm_BadTrans"), answer);
        if (answer == kAlertFirstButton)
            ui().onModal<FenAskPoursuivreController>(
                [](FenAskPoursuivreController& q) { WindowDriver(q).click("NON:"); });
        ASSERT_TRUE(delegate->openSorvFile(folder + QStringLiteral("/Famille.svd"), kFileSystemLocal));
        ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertSecondButton);
        delegate->FERMER_DOCUMENT();
    }
    EXPECT_EQ(ui().modalRuns().size(), 3); // the two checks asked for above, and the one at the second opening
}

TEST_F(ApplicationTest, TheTransactionSoundPlaysOnlyWhenTheUserHasItOn)
{
    delegate->BEFORE();
    ASSERT_NE(sounds(), nullptr);
    setParameter([](APPLIPARAM& p) { p.doSoundsTransact = false; });
    sounds()->playSoundTransact();
    EXPECT_EQ(ui().sounds().playedNames().count(QStringLiteral("Transact")), 0);
    setParameter([](APPLIPARAM& p) { p.doSoundsTransact = true; });
    sounds()->playSoundTransact();
    EXPECT_EQ(ui().sounds().playedNames().count(QStringLiteral("Transact")), 1);
}

// Without a document no macro has a key: Alt and a key goes on to the field that has the keyboard.
TEST_F(ApplicationTest, AltKeysAreMacroKeysOnlyWithADocument)
{
    QKeyEvent altA(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier, QStringLiteral("a"));
    QKeyEvent altReturn(QEvent::KeyPress, Qt::Key_Return, Qt::AltModifier, QStringLiteral("\r"));
    QKeyEvent controlAltA(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier | Qt::ControlModifier, QStringLiteral("a"));
    QKeyEvent plainA(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_FALSE(delegate->interceptKeyDownEvent(&altA));
    EXPECT_FALSE(delegate->interceptKeyDownEvent(&altReturn));
    EXPECT_FALSE(delegate->interceptKeyDownEvent(&controlAltA));
    EXPECT_FALSE(delegate->interceptKeyDownEvent(&plainA));
    EXPECT_FALSE(delegate->MACRO_FROM_KEY(u'a', true)); // no document
}

TEST_F(ApplicationTest, ALeftMouseUpEndsTheDragOfItsWindowFirst)
{
    StdWindow window;
    auto* child = new QWidget(&window);
    window.setIsDragging(true);
    const QMouseEvent right(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::RightButton, Qt::NoButton,
                            Qt::NoModifier);
    SorvApplication::willDispatch(child, &right);
    EXPECT_TRUE(window.isDragging());
    const QMouseEvent left(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                           Qt::NoModifier);
    SorvApplication::willDispatch(child, &left);
    EXPECT_FALSE(window.isDragging());
}

// Creating, closing, opening and quitting run their steps in their documented order.
TEST_F(ApplicationTest, OpeningClosingAndQuittingRunTheirStepsInOrder)
{
    delegate->BEFORE();
    setParameter([](APPLIPARAM& p) { p.doTruc = false; });
    qsizetype mark = delegate->lifeCycleTrace().size();
    const auto stepsSinceMark = [this, &mark] {
        const QStringList steps = delegate->lifeCycleTrace().mid(mark);
        mark = delegate->lifeCycleTrace().size();
        return steps;
    };
    for (const char* action : {"NON:", "OUI:"})
        ui().onModal<FenAskPoursuivreController>(
            [action](FenAskPoursuivreController& w) { w.perform(QString::fromLatin1(action)); });
    ASSERT_TRUE(delegate->nouveauDocument(newPackage(QStringLiteral("Exercice.svd")), kFileSystemLocal));
    EXPECT_EQ(stepsSinceMark(),
              QStringList({"closeRecentWindow", "firstRunAssistant", "recomputeAllReleves", "restoreDocumentWindows",
                           "openDocument", "syncServerStart"}));

    const QStringList tearDown {"closeDocumentWindows", "syncServerStop",   "clearTransactClipboard",
                                "closePaletteOutils",   "portfolioGoodbye", "importGoodbye",
                                "disposeDocument"};
    ui().answerAlert(dialogue("kConfirm_SaveDoc"), kAlertFirstButton);
    delegate->FERMER_DOCUMENT();
    EXPECT_EQ(stepsSinceMark(),
              QStringList({"askSaveDocument", "memoriseDocumentWindows", "saveDocument", "alertForManualSave"})
                  + tearDown + QStringList {"openRecentWindow"});

    ASSERT_TRUE(delegate->openSorvFile(completePackage(QStringLiteral("Ancien.svd")), kFileSystemLocal));
    EXPECT_EQ(stepsSinceMark(),
              QStringList({"closeRecentWindow", "restoreDocumentWindows", "openDocument", "offerDocumentCheck",
                           "actualizeExternalData", "syncServerStart"}));

    setParameter([](APPLIPARAM& p) { p.autoSaveWhenQuit = true; });
    EXPECT_EQ(delegate->applicationShouldTerminate(), 1);
    delegate->applicationWillTerminate();
    EXPECT_EQ(
        stepsSinceMark(),
        QStringList({"applicationShouldTerminate", "memoriseDocumentWindows", "saveDocument", "alertForManualSave"})
            + tearDown
            + QStringList({"memoriseApplicationWindows", "stopMainTimer", "syncServerRelease", "iCloudGoodbye",
                           "releaseSavedSearchList", "disposeLibCompte", "disposeListingLib", "uninstallSounds",
                           "disposeClassState"}));
}

#include "ApplicationTest.moc"
