// Quitting (or saving, then quitting) while a modal window of an open document is answering: the
// command arrives from the event loop of that window's run, as a key equivalent typed in another
// window would. The runs are left to the user, the program quits once the user has closed them and
// they have returned, and nothing is used after it went with the document.
#include "app/ApplicationDelegate.h"
#include "app/FenPreferencesController.h"
#include "app/WindowMemory.h"
#include "import/FenAskImportCompteController.h"
#include "import/FenEditImportController.h"
#include "import/FenEditImportTABController.h"
#include "schedules/FenAwakeController.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenEditReleveController.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/FenReleveController.h"
#include "ui/app/ShellLaunch.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace {

class QuitBrowser : public StdWindowController {
    Q_OBJECT
public:
    Q_INVOKABLE void start() { }
    Q_INVOKABLE void requestForPath(const QString&) { }
};

constexpr long kCompteCourant = 1001;

class QuitDuringModalRun : public UiTestFixture {
protected:
    QuitDuringModalRun()
    {
        BEFOREPARAM::setDigestIterationsForTesting(10);
        SystemClock::setNowForTesting(double(QDateTime(QDate(2024, 6, 20), QTime(10, 0)).toSecsSinceEpoch())
                                      - kReferenceDateOffset);
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.nbSauvNew = 0;
        parameters.everyDaysManualSave = 100000;
        parameters.doAnimations = false;
        parameters.autoSaveWhenQuit = true;
        APPLIPARAM::saveAppliParam();
        standInBrowser<QuitBrowser>();
        folder = testenv::freshDir(QStringLiteral("documents"));
        start();
    }
    // A program started afresh on a copy of the household.
    void start()
    {
        if (delegate) {
            delegate->AFTER();
            delegate.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        delegate = std::make_unique<ApplicationDelegate>();
        delegate->BEFORE();
        url = folder + QStringLiteral("/Famille.svd");
        QDir(url).removeRecursively();
        copyQuietSample(url);
        QDir(url + QStringLiteral("/Contents/Resources/analyse")).removeRecursively();
        EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    }
    ~QuitDuringModalRun() override
    {
        delegate->AFTER();
        delegate.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowMemory::unregisterWindowClass(QStringLiteral("FenRecentController"));
        SystemClock::setNowForTesting(std::nullopt);
        BEFOREPARAM::setDigestIterationsForTesting(std::nullopt);
    }

    // Ctrl+S then Ctrl+Q, typed while the run is open: they arrive from its event loop. The run is
    // the user's to end, with Annuler: once the event loop has turned, nothing has ended it.
    void saveAndQuit(StdWindowController& window)
    {
        delegate->ENREGISTRER_DOCUMENT(nullptr);
        delegate->terminate();
        QCoreApplication::processEvents();
        EXPECT_TRUE(delegate->bankIsOpen()) << "nothing closes under an open modal run";
        EXPECT_EQ(UiHost::instance().modal().modalWindow(), window.windowIfLoaded()) << "still running";
        EXPECT_TRUE(ui().modalRunAwaitsUser(window.windowIfLoaded())) << "left to the user";
        window.perform(QStringLiteral("NON:"));
    }
    // What the event loop does once the runs have returned: the held quit, then the windows'
    // deferred deletions.
    void unwind()
    {
        ui().flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FenReleveController* releve() { return openReleveWindow(kCompteCourant, true, 0, *delegate->document()); }
    // Starts a tab import of the file from the statement window; answers its editor.
    FenEditImportTABController* startCsvImport(TestFilePanels& panels, TestScheduler& clock)
    {
        const QString path = folder + QStringLiteral("/releve.csv");
        testenv::writeFile(path,
                           QStringLiteral("Date;Libellé;Montant;Tiers\r\n"
                                          "02/06/2024;Pain;-12,50;Boulangerie du coin\r\n"
                                          "05/06/2024;Virement;1 800,00;Employeur\r\n")
                               .toUtf8());
        panels.openAnswers.push_back(path);
        QAction item;
        item.setData(kImportFormatCSV);
        releve()->perform(QStringLiteral("IMPORTER:"), &item);
        clock.advance(1000);
        return findOpenWindowController<FenEditImportTABController>(-1, -1, -1, -1, -1, -1, -1, -1);
    }
    static void giveRoles(FenEditImportTABController& editor)
    {
        editor.RUBRIQUE(ImportRubrique::DateJMA, 0, true);
        editor.RUBRIQUE(ImportRubrique::Info, 1, true);
        editor.RUBRIQUE(ImportRubrique::MontantSeul, 2, true);
        editor.RUBRIQUE(ImportRubrique::Contre, 3, true);
    }

    std::unique_ptr<ApplicationDelegate> delegate;
    QString folder;
    QString url;
};

TEST_F(QuitDuringModalRun, AQuestionOfTheTabImportEditorIsClosedByTheUserAndTheProgramQuits)
{
    auto* editor = startCsvImport(ui().panelsShown(), ui().clock());
    ASSERT_NE(editor, nullptr);
    QPointer<FenEditImportTABController> watched(editor);
    bool asked = false;
    ui().onModal<FenAskImportCompteController>([&](FenAskImportCompteController& question) {
        asked = true;
        saveAndQuit(question);
    });
    giveRoles(*editor);
    ASSERT_TRUE(asked);
    unwind();
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(ui().modalRuns().constLast().code, 0);
}

// The same with the question in a real event loop, the keys' commands queued as the menu bar
// queues them: they run inside the question's loop, and the user's Annuler after them.
TEST_F(QuitDuringModalRun, TheQuestionsOwnEventLoopRunsTheQuitSafely)
{
    UiHost::Services services = testServices();
    services.modal = std::make_unique<QtModalRunner>();
    auto& scheduler = static_cast<TestScheduler&>(*services.scheduler);
    auto& panels = static_cast<TestFilePanels&>(*services.panels);
    {
        UiHost looping(std::move(services));
        UiHost::install(&looping);
        FenEditImportTABController* editor = startCsvImport(panels, scheduler);
        ASSERT_NE(editor, nullptr);
        // The headless platform gives the keyboard to every palette it shows, the statement's too:
        // with the question up, it would hand the keys back and forth for ever.
        releve()->close();
        QMetaObject::invokeMethod(delegate.get(), "ENREGISTRER_DOCUMENT", Qt::QueuedConnection,
                                  Q_ARG(QObject*, nullptr));
        QMetaObject::invokeMethod(delegate.get(), "terminate", Qt::QueuedConnection, Q_ARG(QObject*, nullptr));
        QObject turn;
        bool waited = false;
        // After the commands, and once the question's event loop has turned again: a question the
        // quit ended would have returned by then, and this turn would find no loop to run it.
        const auto answer = [this, &waited] {
            QWidget* question = UiHost::instance().modal().modalWindow();
            ASSERT_NE(question, nullptr);
            waited = question->isVisible() && delegate->bankIsOpen();
            qobject_cast<StdWindowController*>(static_cast<StdWindow*>(question)->controller())
                ->perform(QStringLiteral("NON:"));
        };
        QMetaObject::invokeMethod(
            &turn, [&turn, answer] { QMetaObject::invokeMethod(&turn, answer, Qt::QueuedConnection); },
            Qt::QueuedConnection);
        giveRoles(*editor);
        scheduler.flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(waited) << "the question waited for the user";
        EXPECT_FALSE(delegate->bankIsOpen());
        UiHost::install(&ui());
    }
}

// Every other modal window of a document: the quit waits for the user to close it and goes on once
// it has returned.
TEST_F(QuitDuringModalRun, EveryOtherModalWindowIsClosedByTheUserFirst)
{
    struct Case {
        const char* name;
        std::function<void()> open;
        std::function<void()> expectModal;
    };
    const std::vector<Case> cases = {
        {"entry window", [this] { delegate->NOUVELLE_OPERATION(nullptr); },
         [this] {
             ui().onModal<FenEditSaisieController>([this](FenEditSaisieController& window) { saveAndQuit(window); });
         }},
        {"statement editor", [this] { releve()->perform(QStringLiteral("CREER_RELEVE:")); },
         [this] {
             ui().onModal<FenEditReleveController>([this](FenEditReleveController& window) { saveAndQuit(window); });
         }},
        {"preferences", [this] { delegate->PREFERENCES(nullptr); },
         [this] {
             ui().onModal<FenPreferencesController>([this](FenPreferencesController& window) { saveAndQuit(window); });
         }},
        {"due occurrences",
         [this] {
             delegate->document()->docParam->echInactive = 0;
             SystemClock::setNowForTesting(SystemClock::now() + 86400 * 400);
             ui().advance(2000);
         },
         [this] { ui().onModal<FenAwakeController>([this](FenAwakeController& window) { saveAndQuit(window); }); }},
        {"import review",
         [this] {
             const QString path = folder + QStringLiteral("/releve.qif");
             testenv::writeFile(path, QByteArrayLiteral("!Type:Bank\nD02/06/2024\nT-12,50\nPBoulangerie\n^\n"));
             ui().answerOpenPanel(path);
             QAction item;
             item.setData(kImportFormatQIF);
             releve()->perform(QStringLiteral("IMPORTER:"), &item);
             ui().advance(1000);
         },
         [this] {
             ui().onModal<FenEditImportController>([this](FenEditImportController& window) { saveAndQuit(window); });
         }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        if (!delegate->bankIsOpen())
            start();
        const qsizetype runs = ui().modalRuns().size();
        each.expectModal();
        each.open();
        ASSERT_EQ(ui().modalRuns().size(), runs + 1);
        EXPECT_EQ(ui().modalRuns().constLast().code, 0);
        unwind();
        EXPECT_FALSE(delegate->bankIsOpen());
    }
}

// A question left behind other windows (a sheet on a list, or a question of the application): a
// quit brings it to the front rather than doing nothing without a word; nothing is guessed for
// it, and the quit goes on once it is answered.
TEST_F(QuitDuringModalRun, AQuestionBehindOtherWindowsComesToTheFrontAndTheQuitFollowsItsAnswer)
{
    struct Case {
        const char* name;
        std::function<void()> ask;
    };
    const Case cases[] = {
        {"deleting a list's rows",
         [this] {
             FenReleveController* list = releve();
             list->table1()->selectAll();
             list->EFFACER(nullptr);
         }},
        {"the examples' address", [this] { delegate->EXAMPLES(nullptr); }},
    };
    UiHost::Services services = testServices();
    services.alerts = std::make_unique<QtAlertPresenter>();
    auto& scheduler = static_cast<TestScheduler&>(*services.scheduler);
    auto& desktop = static_cast<TestDesktop&>(*services.desktop);
    UiHost asking(std::move(services));
    UiHost::install(&asking);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        if (!delegate->bankIsOpen())
            start();
        const qsizetype transactions = delegate->document()->transact_array.size();
        QWidget* other = nullptr;
        for (QObject* object : registeredWindowControllers()) {
            if (object->inherits("FenBanqueController"))
                other = qobject_cast<StdWindowController*>(object)->window();
        }
        ASSERT_NE(other, nullptr);
        bool fronted = false;
        // Queued as the window system and the menu bar queue them: they run in the question's loop.
        QTimer::singleShot(0, other, [other] { other->activateWindow(); });
        // Pressed twice, as an impatient user does: one quit follows the answer.
        QTimer::singleShot(0, delegate.get(), [this] { delegate->terminate(); });
        QTimer::singleShot(0, delegate.get(), [this] { delegate->terminate(); });
        QTimer::singleShot(0, other, [&fronted] {
            QApplication::processEvents();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(window);
                if (!box || !box->isVisible())
                    continue;
                fronted = box->isActiveWindow();
                for (QAbstractButton* button : box->buttons()) {
                    if (button->text() == localizedDialogue(QStringLiteral("LIB_BUTTON_NON")))
                        button->click();
                }
            }
        });
        each.ask();
        EXPECT_TRUE(fronted);
        EXPECT_TRUE(delegate->bankIsOpen()) << "the quit waits for the answer";
        EXPECT_EQ(delegate->document()->transact_array.size(), transactions);
        EXPECT_TRUE(desktop.openedURLs.isEmpty());
        unwind();
        const qsizetype asked = delegate->lifeCycleTrace().count(QStringLiteral("applicationShouldTerminate"));
        scheduler.flush();
        EXPECT_FALSE(delegate->bankIsOpen()) << "then goes on";
        EXPECT_EQ(delegate->lifeCycleTrace().count(QStringLiteral("applicationShouldTerminate")), asked + 1);
    }
    UiHost::install(&ui());
}

} // namespace

#include "QuitDuringModalRunTest.moc"
