// A quit or a document's close that arrives while the user has editors and questions open, every
// run a real event loop: an editor holding what the user typed comes forward and is waited for,
// as a question is, and the command goes on once the user has closed it (what OK kept is saved);
// an untouched editor ends as cancelled; questions left come forward one after the other.
#include "app/MainMenu.h"
#include "entities/FenBanqueController.h"
#include "entities/FenFavoriController.h"
#include "schedules/ScheduleEditors.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/host/WindowOrder.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenListingPosteController.h"
#include "ui/app/ShellFixture.h"

#include "document/favoris.h"
#include "engines/PrevisionManager.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr long kCourses = 12; // the household's forecast "Courses du mois"

class QuitWaitsForTheUser : public ShellFixture {
protected:
    enum class Editor { Entry, Account, Forecast, Favourite };
    enum class Way { CtrlQ, MenuQuit, CloseDocument };

    QuitWaitsForTheUser()
    {
        APPLIPARAM::loadAppliParam().autoSaveWhenQuit = true;
        APPLIPARAM::saveAppliParam();
        url = testenv::freshDir(QStringLiteral("quit-waits")) + QStringLiteral("/Famille.svd");
    }
    ~QuitWaitsForTheUser() override
    {
        menu.reset();
        UiHost::install(&ui());
    }

    // Real runs; questions real too, or answered from the test's queue.
    void runForReal(bool realQuestions)
    {
        UiHost::Services services = testServices();
        services.modal = std::make_unique<QtModalRunner>();
        if (realQuestions)
            services.alerts = std::make_unique<QtAlertPresenter>();
        else
            answers = static_cast<TestAlertPresenter*>(services.alerts.get());
        clock = static_cast<TestScheduler*>(services.scheduler.get());
        real = std::make_unique<UiHost>(std::move(services));
        UiHost::install(real.get());
    }
    // A program started afresh, on a fresh copy of the household or on the document as saved.
    void start(bool freshCopy)
    {
        menu.reset();
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        endDelegate(delegate);
        delegate = launchDelegate<ShellBrowser>();
        menu = std::make_unique<MainMenu>(delegate.get());
        menu->install();
        if (freshCopy) {
            QDir(url).removeRecursively();
            copyQuietSample(url);
        }
        ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        closePaletteOutils();
    }
    DOCUMENT& doc() { return *delegate->document(); }

    // Opens the editor as the user does; returns once its run has ended.
    void open(Editor editor)
    {
        switch (editor) {
        case Editor::Entry:
            delegate->NOUVELLE_OPERATION(nullptr);
            return;
        case Editor::Account: {
            FenBanqueController* banques = showBanques(true);
            banques->table1()->GO(0);
            banques->table2()->GO(0);
            banques->perform(QStringLiteral("VOIRC:"));
            return;
        }
        case Editor::Forecast:
            editIndexedPrevision(nullptr, doc(), kCourses);
            return;
        case Editor::Favourite:
            FenFavoriController::openFavoris()->perform(QStringLiteral("NOUVEAU:"));
            return;
        }
    }
    static const char* fieldOf(Editor editor) { return editor == Editor::Entry ? "field_montant" : "field_nom"; }
    static QString typedIn(Editor editor)
    {
        return editor == Editor::Entry ? QStringLiteral("7777") : QStringLiteral("Vacances");
    }
    // Whether what the user typed is in the document (or, for a favourite, the favourites).
    bool holdsTyped(Editor editor, long favouritesBefore)
    {
        switch (editor) {
        case Editor::Entry:
            return std::any_of(doc().transact_array.begin(), doc().transact_array.end(),
                               [](const TRANSACT& t) { return std::abs(std::abs(t.solde.values[0]) - 7777) < 0.005; });
        case Editor::Account:
            return std::any_of(TOOL::toolList(kToolCompte, &doc())->begin(), TOOL::toolList(kToolCompte, &doc())->end(),
                               [](const TOOL& t) { return t.nom == QLatin1String("Vacances"); });
        case Editor::Forecast:
            return PrevisionManager::getPrevisionName(kCourses, &doc()) == QLatin1String("Vacances");
        case Editor::Favourite:
            return nbFavoris() == favouritesBefore + 1;
        }
        return false;
    }
    void command(Way way, QWidget* field)
    {
        switch (way) {
        case Way::CtrlQ:
            QTest::keyClick(field, Qt::Key_Q, Qt::ControlModifier);
            return;
        case Way::MenuQuit:
            delegate->terminate(nullptr);
            return;
        case Way::CloseDocument:
            delegate->FERMER_DOCUMENT(nullptr);
            return;
        }
    }
    // The user types into the editor's field, then gives the command there.
    QWidget* typeThenCommand(Editor editor, Way way, bool types)
    {
        QWidget* window = UiHost::instance().modal().modalWindow();
        auto* field = window->findChild<QWidget*>(QString::fromLatin1(fieldOf(editor)));
        EXPECT_NE(field, nullptr);
        QApplication::setActiveWindow(window);
        field->setFocus();
        if (types && editor == Editor::Entry) {
            // An entry needs its two accounts besides its amount: the current account, the landlord.
            for (const auto& [pop, tag] : {std::pair {"pop_compteD", 1001}, std::pair {"pop_compteC", 2002}}) {
                auto* popUp = window->findChild<StdPopUp*>(QString::fromLatin1(pop));
                popUp->rebuild();
                EXPECT_TRUE(popUp->activateTag(tag)) << pop;
            }
        }
        if (types) {
            // What the field showed is replaced, as a click into it selects it for typing.
            QMetaObject::invokeMethod(field, "selectAll");
            QTest::keyClicks(field, typedIn(editor));
        }
        command(way, field);
        QApplication::processEvents();
        return window;
    }
    static void click(QMessageBox* box, const char* key)
    {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == localizedDialogue(QString::fromLatin1(key)))
                button->click();
        }
    }

    QString url;
    std::unique_ptr<MainMenu> menu;
    std::unique_ptr<UiHost> real;
    TestScheduler* clock = nullptr;
    TestAlertPresenter* answers = nullptr;
};

TEST_F(QuitWaitsForTheUser, AnEditorHoldingTypedInputIsBroughtForwardAndWaitedFor)
{
    struct Case {
        const char* name;
        Editor editor;
        Way way;
        const char* user; // the button the user closes the editor with; null: typed nothing
    };
    const Case cases[] = {
        {"entry window, Ctrl+Q, OK", Editor::Entry, Way::CtrlQ, "OUI:"},
        {"entry window, Quitter, Annuler", Editor::Entry, Way::MenuQuit, "NON:"},
        {"entry window untouched, Ctrl+Q", Editor::Entry, Way::CtrlQ, nullptr},
        {"account, document closed, OK", Editor::Account, Way::CloseDocument, "OUI:"},
        {"forecast, Ctrl+Q, Annuler", Editor::Forecast, Way::CtrlQ, "NON:"},
        {"forecast, document closed, OK", Editor::Forecast, Way::CloseDocument, "OUI:"},
        {"favourite, Quitter, OK", Editor::Favourite, Way::MenuQuit, "OUI:"},
    };
    runForReal(false);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        start(true);
        const long favourites = nbFavoris();
        QObject turn;
        bool waited = false;
        QTimer::singleShot(0, &turn, [&] {
            QWidget* editor = typeThenCommand(each.editor, each.way, each.user != nullptr);
            if (!each.user)
                return;
            // Later, in the editor's run still open: the user closes the editor.
            QTimer::singleShot(0, &turn, [&, editor] {
                waited = editor->isVisible() && QApplication::activeWindow() == editor && delegate->bankIsOpen();
                qobject_cast<StdWindowController*>(static_cast<StdWindow*>(editor)->controller())
                    ->perform(QString::fromLatin1(each.user));
            });
        });
        open(each.editor);
        clock->flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(waited, each.user != nullptr);
        EXPECT_FALSE(delegate->bankIsOpen()) << "the command went on once the editor closed";
        const bool kept = each.user && QLatin1String(each.user) == QLatin1String("OUI:");
        if (each.editor == Editor::Favourite) {
            EXPECT_EQ(holdsTyped(each.editor, favourites), kept);
            continue;
        }
        start(false);
        EXPECT_EQ(holdsTyped(each.editor, favourites), kept) << "as saved";
    }
}

// With the save on quit off, the save question comes once the editor is closed; its "Annuler"
// leaves the document open with what the editor's OK put in it, and the windows as they were.
TEST_F(QuitWaitsForTheUser, CancellingTheSaveQuestionKeepsWhatTheEditorTook)
{
    APPLIPARAM::loadAppliParam().autoSaveWhenQuit = false;
    APPLIPARAM::saveAppliParam();
    runForReal(false);
    start(true);
    const QPointer<FenBanqueController> banques = showBanques(true);
    QObject turn;
    qsizetype askedWhileOpen = -1;
    QTimer::singleShot(0, &turn, [&] {
        QWidget* editor = typeThenCommand(Editor::Entry, Way::CtrlQ, true);
        askedWhileOpen = answers->records.size();
        answers->answers.push_back({localizedDialogue(QStringLiteral("kConfirm_SaveDoc")), kAlertThirdButton});
        qobject_cast<StdWindowController*>(static_cast<StdWindow*>(editor)->controller())
            ->perform(QStringLiteral("OUI:"));
    });
    open(Editor::Entry);
    clock->flush();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(askedWhileOpen, 0);
    EXPECT_EQ(answers->records.size(), 1);
    ASSERT_TRUE(delegate->bankIsOpen());
    EXPECT_TRUE(holdsTyped(Editor::Entry, 0));
    EXPECT_TRUE(banques && banques->window()->isVisible());
}

// Two lists' delete questions, the second asked over the first: a quit brings the second forward,
// and once it is answered the first comes forward at once, with its list, over the second list
// that stood above it. The quit goes on after both.
TEST_F(QuitWaitsForTheUser, WaitingQuestionsComeForwardOneAfterTheOther)
{
    runForReal(true);
    start(true);
    QList<long> postes;
    for (const TRANSACT& t : doc().transact_array) {
        if (t.posteID >= 0 && !postes.contains(t.posteID))
            postes.append(t.posteID);
    }
    ASSERT_GE(postes.size(), 2);
    const qsizetype transactions = doc().transact_array.size();
    FenListingPosteController* first = openListingPoste(doc(), postes[0], 0, true);
    FenListingPosteController* second = openListingPoste(doc(), postes[1], 0, true);
    StdWindow* banques = showBanques(true)->window();
    const auto activeBox = [] { return qobject_cast<QMessageBox*>(QApplication::activeWindow()); };
    QObject turn;
    QPointer<QMessageBox> firstBox;
    bool secondInFront = false;
    bool firstInFront = false;
    QTimer::singleShot(0, &turn, [&] {
        firstBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QTimer::singleShot(0, &turn, [&] {
            QPointer<QWidget> secondBox = QApplication::activeModalWidget();
            banques->activateWindow();
            delegate->terminate(nullptr);
            secondInFront = QTest::qWaitFor([&] { return secondBox && activeBox() == secondBox; }, 1000);
            click(activeBox(), "LIB_BUTTON_NON");
        });
        second->table1()->selectAll();
        second->EFFACER(nullptr);
        // The first list comes up over the second with its question, which takes the keyboard.
        QTimer::singleShot(0, &turn, [&] {
            firstInFront = QTest::qWaitFor(
                [&] {
                    const QList<QWidget*> order = WindowOrder::frontToBack();
                    return firstBox && activeBox() == firstBox
                        && order.indexOf(first->window()) < order.indexOf(second->window());
                },
                1000);
            if (firstBox)
                click(firstBox, "LIB_BUTTON_NON");
        });
    });
    first->table1()->selectAll();
    first->EFFACER(nullptr);
    clock->flush();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(secondInFront);
    EXPECT_TRUE(firstInFront);
    EXPECT_FALSE(delegate->bankIsOpen());
    start(false);
    EXPECT_EQ(doc().transact_array.size(), transactions);
}

} // namespace
