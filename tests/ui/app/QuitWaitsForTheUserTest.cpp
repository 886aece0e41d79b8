// A quit or a document's close that arrives while the user has editors and questions open, every
// run a real event loop: no run is ended on the user's behalf. Each editor (typed in or not,
// changed through a window it opened or not), question and alert comes forward in turn and is
// waited for, and the command goes on once the user has closed the last (what OK kept is saved).
#include "app/MainMenu.h"
#include "entities/FenBanqueController.h"
#include "entities/FenFavoriController.h"
#include "entities/FenTaxeController.h"
#include "entities/FenVarianteController.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/ScheduleEditors.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/host/WindowOrder.h"
#include "toolkit/palettes/FenPaletteSaisieController.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenReleveController.h"
#include "transactions/SaisieNotePanel.h"
#include "transactions/SaisieRoutine.h"
#include "transactions/TextFieldNote.h"
#include "ui/app/ShellFixture.h"

#include "document/favoris.h"
#include "engines/PrevisionManager.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/MOYEN.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr long kCourses = 12; // the household's forecast "Courses du mois"
constexpr long kCompteCourant = 1001;

class QuitWaitsForTheUser : public ShellFixture {
protected:
    // An entry window opened from the menu, from the statement's entry palette or from the tool
    // palette: each starts a series that offers the next entry once one is confirmed.
    enum class Editor { Entry, EntryFromStatement, EntryFromToolPalette, Account, Forecast, Favourite };
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
        case Editor::EntryFromStatement: {
            FenReleveController* releve = openReleveWindow(kCompteCourant, true, 0, doc());
            auto* palette = static_cast<FenPaletteSaisieController*>(releve->palette());
            palette->window();
            palette->outlet<QPushButton>(QStringLiteral("moyen_9"))->click();
            return;
        }
        case Editor::EntryFromToolPalette:
            openPaletteOutils(false)->perform(QStringLiteral("BUTTON_OPERATION:"));
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
    static bool isEntry(Editor editor)
    {
        return editor == Editor::Entry || editor == Editor::EntryFromStatement
            || editor == Editor::EntryFromToolPalette;
    }
    static const char* classOf(Editor editor)
    {
        switch (editor) {
        case Editor::Entry:
        case Editor::EntryFromStatement:
        case Editor::EntryFromToolPalette:
            return "FenEditSaisieController";
        case Editor::Account:
            return "FenEditCompteController";
        case Editor::Forecast:
            return "FenEditPrevisionController";
        case Editor::Favourite:
            return "FenEditFavoriController";
        }
        return nullptr;
    }
    static const char* fieldOf(Editor editor) { return isEntry(editor) ? "field_montant" : "field_nom"; }
    static QString typedIn(Editor editor)
    {
        return isEntry(editor) ? QStringLiteral("7777") : QStringLiteral("Vacances");
    }
    // Whether what the user typed is in the document (or, for a favourite, the favourites).
    bool holdsTyped(Editor editor, long favouritesBefore)
    {
        switch (editor) {
        case Editor::Entry:
        case Editor::EntryFromStatement:
        case Editor::EntryFromToolPalette:
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
        if (types && isEntry(editor)) {
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

    // One act of the user: once the window of that class is in front with the keyboard (a
    // QMessageBox for a question; any window when none is named), something done in it.
    struct Act {
        const char* front;
        std::function<void(QWidget* window)> act;
    };
    // The acts in turn, each from the event loop of the run open when the window it waits for has
    // come forward: the acts after one that opens a window run inside its run, as the user works in
    // it. Nothing waits inside an act, so a run the user ended can return.
    void play(std::vector<Act> acts)
    {
        m_turn = std::make_unique<QObject>();
        m_acts = std::move(acts);
        m_next = 0;
        m_tries = 0;
        m_seen = 0;
        playNext();
        m_turn.reset();
        EXPECT_EQ(m_next, m_acts.size()) << "the windows went before the user could act in them";
    }
    void playNext()
    {
        if (m_next >= m_acts.size()) {
            // Nothing the user does is left: a window still open waits for nobody.
            if (UiHost::instance().modalDepth() > 0 && ++m_tries >= 200) {
                ADD_FAILURE() << "a window is left open once the user is done";
                giveUp();
            } else if (UiHost::instance().modalDepth() > 0) {
                QTimer::singleShot(5, m_turn.get(), [this] { playNext(); });
            }
            return;
        }
        // What the last act queued (the menu bar queues its commands) is carried out first, as the
        // event loop does while the user looks at the screen.
        QCoreApplication::sendPostedEvents();
        const Act act = m_acts[m_next];
        QWidget* window = act.front ? inFront(act.front) : nullptr;
        // A user sees a window in front for a while before acting in it.
        m_seen = window ? m_seen + 1 : 0;
        if (act.front && m_seen < 2) {
            if (++m_tries < 200) {
                QTimer::singleShot(5, m_turn.get(), [this] { playNext(); });
                return;
            }
            const QWidget* active = QApplication::activeWindow();
            ADD_FAILURE() << act.front << " was not brought forward, "
                          << (active ? active->metaObject()->className() : "nothing") << " is in front";
            m_next = m_acts.size();
            giveUp();
            return;
        }
        m_tries = 0;
        m_seen = 0;
        ++m_next;
        QTimer::singleShot(5, m_turn.get(), [this] { playNext(); });
        act.act(window);
    }
    static QWidget* inFront(const char* className)
    {
        QWidget* active = QApplication::activeWindow();
        if (!active || !active->isVisible())
            return nullptr;
        if (auto* window = qobject_cast<StdWindow*>(active))
            return window->controller() && window->controller()->inherits(className) ? active : nullptr;
        return active->inherits(className) ? active : nullptr;
    }
    // Every run left ends, innermost first, so a case that went wrong does not hold the next ones.
    void giveUp()
    {
        QTimer::singleShot(5, m_turn.get(), [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->done(0);
            else if (QWidget* window = UiHost::instance().modal().modalWindow())
                UiHost::instance().modal().endModal(window, 0);
            else
                return;
            giveUp();
        });
    }
    static StdWindowController* controllerOf(QWidget* window)
    {
        return qobject_cast<StdWindowController*>(static_cast<StdWindow*>(window)->controller());
    }
    static Act press(const char* className, const char* action)
    {
        return {className, [action](QWidget* window) { controllerOf(window)->perform(QString::fromLatin1(action)); }};
    }
    static Act answer(const char* key)
    {
        return {"QMessageBox", [key](QWidget* box) { click(static_cast<QMessageBox*>(box), key); }};
    }
    // The quit key typed where the keyboard is in the window.
    static Act quitIn(const char* className)
    {
        return {className, [](QWidget* window) {
                    QWidget* focus = window->focusWidget();
                    QTest::keyClick(focus ? focus : window, Qt::Key_Q, Qt::ControlModifier);
                }};
    }
    // The user drags the window to the screen's bottom right corner, as far as a window manager lets
    // it go: only a corner of it stays on the screen.
    static Act dragToTheCorner(const char* className)
    {
        return {className, [](QWidget* window) {
                    window->move(UiHost::instance().screen().visibleFrame().bottomRight() - QPoint(211, 143));
                }};
    }
    // Brought forward, the window lies whole on the screen: what closes it is within reach.
    static Act wholeOnScreen(const char* className)
    {
        return {className, [](QWidget* window) {
                    const QRect frame = window->frameGeometry();
                    EXPECT_TRUE(UiHost::instance().screen().visibleFrame().contains(frame))
                        << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
                }};
    }
    // The user clicks the window of that class, which the manager lays over the question in front
    // while the question keeps the keyboard; then quits from the menu.
    Act quitOverQuestion(const char* className)
    {
        return {"QMessageBox", [this, className](QWidget*) {
                    for (QWidget* window : QApplication::topLevelWidgets()) {
                        auto* std = qobject_cast<StdWindow*>(window);
                        if (std && std->isVisible() && std->controller() && std->controller()->inherits(className)) {
                            window->raise();
                            EXPECT_EQ(WindowOrder::front(), window);
                            delegate->terminate(nullptr);
                            return;
                        }
                    }
                    ADD_FAILURE() << "no window " << className;
                }};
    }
    // The question is in front of every window, with the keyboard.
    static Act questionOnTop()
    {
        return {"QMessageBox", [](QWidget* box) { EXPECT_EQ(WindowOrder::front(), box); }};
    }
    static Act typeIn(const char* className, const char* field, const QString& text)
    {
        return {className, [field, text](QWidget* window) {
                    QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(field));
                    ASSERT_NE(control, nullptr) << field;
                    control->setFocus();
                    QTest::keyClick(control, Qt::Key_End, Qt::ControlModifier);
                    QTest::keyClicks(control, text);
                }};
    }

    QString url;
    std::unique_ptr<MainMenu> menu;
    std::unique_ptr<UiHost> real;
    TestScheduler* clock = nullptr;
    TestAlertPresenter* answers = nullptr;
    std::unique_ptr<QObject> m_turn; // the context of one case's acts, which go with it
    std::vector<Act> m_acts;
    std::size_t m_next = 0;
    int m_tries = 0;
    int m_seen = 0;
};

TEST_F(QuitWaitsForTheUser, AnEditorIsBroughtForwardAndWaitedFor)
{
    struct Case {
        const char* name;
        Editor editor;
        Way way;
        const char* user; // the button the user closes the editor with
        bool types = true;
    };
    const Case cases[] = {
        {"entry window, Ctrl+Q, OK", Editor::Entry, Way::CtrlQ, "OUI:"},
        {"entry window, Quitter, Annuler", Editor::Entry, Way::MenuQuit, "NON:"},
        {"entry window untouched, Ctrl+Q, Annuler", Editor::Entry, Way::CtrlQ, "NON:", false},
        {"account, document closed, OK", Editor::Account, Way::CloseDocument, "OUI:"},
        {"forecast, Ctrl+Q, Annuler", Editor::Forecast, Way::CtrlQ, "NON:"},
        {"forecast, document closed, OK", Editor::Forecast, Way::CloseDocument, "OUI:"},
        {"favourite, Quitter, OK", Editor::Favourite, Way::MenuQuit, "OUI:"},
        // A series of entries confirmed while the quit waits offers no next entry.
        {"entry window of the statement's palette, Ctrl+Q, OK", Editor::EntryFromStatement, Way::CtrlQ, "OUI:"},
        {"entry window of the tool palette, Quitter, OK", Editor::EntryFromToolPalette, Way::MenuQuit, "OUI:"},
    };
    runForReal(false);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        start(true);
        const long favourites = nbFavoris();
        bool waited = false;
        // Each act waits for its window in front a bounded while: a window that never comes, or one
        // left open once the user is done, fails the case instead of holding the test.
        play({{nullptr, [&](QWidget*) { open(each.editor); }},
              {classOf(each.editor), [&](QWidget*) { typeThenCommand(each.editor, each.way, each.types); }},
              // Later, in the editor's run still open: the user closes the editor.
              {classOf(each.editor), [&](QWidget* editor) {
                   waited = delegate->bankIsOpen();
                   controllerOf(editor)->perform(QString::fromLatin1(each.user));
               }}});
        clock->flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(waited);
        EXPECT_FALSE(delegate->bankIsOpen()) << "the command went on once the editor closed";
        const bool kept = QLatin1String(each.user) == QLatin1String("OUI:");
        if (each.editor == Editor::Favourite) {
            EXPECT_EQ(holdsTyped(each.editor, favourites), kept);
            continue;
        }
        start(false);
        EXPECT_EQ(holdsTyped(each.editor, favourites), kept) << "as saved";
    }
}

// With the save on quit off, the save question comes once the editor is closed; its "Annuler"
// leaves the document open with what the editor's OK put in it, and the windows as they were. A
// second quit then waits for the user as the first did: the editor open then, untouched, comes
// forward and is closed by the user before the save question comes again.
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

    bool waited = false;
    answers->answers.push_back({localizedDialogue(QStringLiteral("kConfirm_SaveDoc")), kAlertFirstButton});
    play({{nullptr, [this](QWidget*) { open(Editor::Entry); }},
          quitIn("FenEditSaisieController"),
          {"FenEditSaisieController", [&](QWidget* editor) {
               waited = delegate->bankIsOpen();
               controllerOf(editor)->perform(QStringLiteral("NON:"));
           }}});
    clock->flush();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(waited) << "the second quit waited for the editor";
    EXPECT_FALSE(delegate->bankIsOpen()) << "then went on";
    start(false);
    EXPECT_TRUE(holdsTyped(Editor::Entry, 0)) << "as saved";
}

// The quit or the close pressed again while the save question is up, from the question itself or
// through the menu: it brings the question forward and starts nothing, so "Annuler" (or Escape) ends
// the command and no question comes back.
TEST_F(QuitWaitsForTheUser, AnnulerAtTheSaveQuestionEndsTheCommandWhateverWasPressedMeanwhile)
{
    APPLIPARAM::loadAppliParam().autoSaveWhenQuit = false;
    APPLIPARAM::saveAppliParam();
    const Act quitMenu {"QMessageBox", [this](QWidget*) { delegate->terminate(nullptr); }};
    const Act closeMenu {"QMessageBox", [this](QWidget*) { delegate->FERMER_DOCUMENT(nullptr); }};
    const Act escape {"QMessageBox", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }};
    const struct {
        const char* name;
        Way way;
        std::vector<Act> acts;
    } cases[] = {
        {"Ctrl+Q twice in the question, Annuler",
         Way::MenuQuit,
         {quitIn("QMessageBox"), quitIn("QMessageBox"), answer("LIB_BUTTON_ANNULER")}},
        {"Quitter from the menu, Escape", Way::MenuQuit, {quitMenu, escape}},
        {"the close, then the quit and the close again, Annuler",
         Way::CloseDocument,
         {quitIn("QMessageBox"), closeMenu, answer("LIB_BUTTON_ANNULER")}},
    };
    runForReal(true);
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        start(true);
        std::vector<Act> acts {{nullptr, [&](QWidget*) { command(each.way, nullptr); }}};
        acts.insert(acts.end(), each.acts.begin(), each.acts.end());
        play(acts);
        // What the presses left waiting is carried out now: a question coming back is answered.
        QObject turn;
        bool askedAgain = false;
        QTimer::singleShot(20, &turn, [&askedAgain] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                askedAgain = true;
                click(box, "LIB_BUTTON_ANNULER");
            }
        });
        clock->flush();
        EXPECT_FALSE(askedAgain);
        EXPECT_TRUE(delegate->bankIsOpen());
    }
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

// Nothing tells whether the user worked in a window: a change made through a window it opened, a
// pick in a pop-up, a question run as a window, a window opened once a question was answered, an
// alert the quit key was typed in. Each waits in front for the user, innermost first, whole on the
// screen wherever the user dragged it; what the user's OK kept is in the saved document.
TEST_F(QuitWaitsForTheUser, NoRunIsEndedOnTheUsersBehalf)
{
    constexpr long kLoyer = 40;
    constexpr qsizetype kTransactions = 7; // the household's
    const QString cardNumber = QStringLiteral("49701234");
    const Act variantes {nullptr, [this](QWidget*) { editVariantesOfCompte(nullptr, kCompteCourant, true, doc()); }};
    const Act openCard {"FenVarianteController", [](QWidget* window) {
                            auto* lists = static_cast<FenVarianteController*>(controllerOf(window));
                            lists->table(2)->selectRow(0);
                            lists->perform(QStringLiteral("OUVRIR2:"));
                        }};
    const Act typeCard {"FenEditVarianteCarteController", [cardNumber](QWidget* window) {
                            QWidget* numero = window->findChild<QWidget*>(QStringLiteral("field_numero"));
                            QMetaObject::invokeMethod(numero, "selectAll");
                            QTest::keyClicks(numero, cardNumber);
                        }};
    const Act schedule {nullptr, [this](QWidget*) { editEcheancierClone(nullptr, doc(), kLoyer); }};
    // "TVA 5,5 %", the second row, deleted: its question, then the window of its replacement.
    const Act deleteTax {nullptr, [](QWidget*) {
                             FenTaxeController* taxes = FenTaxeController::openTaxes(0);
                             taxes->table1()->GO(1);
                             taxes->perform(QStringLiteral("SUPPRIMER:"));
                         }};
    const Act pickReplacement {"FenAskSubstTaxeController", [](QWidget* window) {
                                   auto* pop = window->findChild<PopTaxe*>(QStringLiteral("pop_taxe"));
                                   pop->rebuild();
                                   EXPECT_TRUE(pop->activateTag(2)); // "TVA 20 %"
                               }};
    const Act deleteSchedule {nullptr, [](QWidget*) {
                                  FenEcheancierController* window = FenEcheancierController::openEcheanciers(0);
                                  for (int row = 0; row < window->table1()->numberOfRows(); ++row) {
                                      const StdCell* cell = window->viewForTableColumn1(window->table1(), row);
                                      if (cell && cell->rowTexts().constFirst() == QLatin1String("Loyer"))
                                          window->table1()->GO(row);
                                  }
                                  window->perform(QStringLiteral("SUPPRIMER:"));
                              }};
    const Act newEntry {nullptr, [this](QWidget*) { delegate->NOUVELLE_OPERATION(nullptr); }};
    // "Loyer février", edited as a double-click in its account's list opens it.
    const Act editEntry {nullptr, [this](QWidget*) {
                             const TRANSACT& loyer = doc().transact_array.at(2);
                             openSaisieTransact(nullptr, loyer.moyen, loyer.synonymeID, loyer.transToMoyenCompte(), 2,
                                                nullptr, nullptr, true, false, false, false, false);
                         }};
    // The note typed, then put away as a click out of it does.
    const Act typeNote {"FenEditSaisieController", [](QWidget* window) {
                            auto* entry = static_cast<FenEditSaisieController*>(controllerOf(window));
                            entry->perform(QStringLiteral("NOTE:"));
                            auto* note = window->findChild<TextFieldNote*>();
                            ASSERT_NE(note, nullptr);
                            QTest::keyClicks(note, QStringLiteral("EditNoteQ"));
                            entry->note().hideNote({});
                        }};
    const Act returnKey {"QMessageBox", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }};
    // The current account's first statement in tick mode, the window running on itself.
    const Act tick {nullptr, [this](QWidget*) {
                        FenReleveController* releve = openReleveWindow(kCompteCourant, true, 0, doc());
                        releve->table2()->GO(kFirstReleveRow);
                        releve->perform(QStringLiteral("POINTER_RELEVE:"));
                    }};
    const auto taxReplaced = [this] {
        return doc().taxeHdl.size() == 1
            && std::none_of(doc().transact_array.begin(), doc().transact_array.end(),
                            [](const TRANSACT& t) { return t.taxeID == 3; });
    };
    struct Case {
        const char* name;
        std::vector<Act> acts;
        std::function<bool()> saved;
    };
    const std::vector<Case> cases = {
        {"a card's number, typed in the card's editor",
         {variantes, openCard, typeCard, press("FenEditVarianteCarteController", "OUI:"),
          quitIn("FenVarianteController"), press("FenVarianteController", "OUI:")},
         [this, cardNumber] {
             return std::any_of(doc().moyenHdl.begin(), doc().moyenHdl.end(), [&cardNumber](const MOYEN& moyen) {
                 return std::any_of(moyen.variantes.begin(), moyen.variantes.end(),
                                    [&cardNumber](const VARIANTE& v) { return v.numero == cardNumber; });
             });
         }},
        {"a schedule's transaction retyped, the quit typed in the transaction's window",
         {schedule, press("FenEditEcheancierController", "MODIFIER:"),
          typeIn("FenEditSaisieController", "field_information", QStringLiteral(" CtlTyped")),
          quitIn("FenEditSaisieController"), press("FenEditSaisieController", "OUI:"),
          press("FenEditEcheancierController", "OUI:")},
         [this] { return doc().echeancierHdl.constFirst().transact.why.endsWith(QLatin1String(" CtlTyped")); }},
        {"a tax's replacement picked",
         {deleteTax, answer("LIB_BUTTON_OK"), pickReplacement, quitIn("FenAskSubstTaxeController"),
          press("FenAskSubstTaxeController", "OUI:")},
         taxReplaced},
        {"a tax's replacement dragged to the screen's corner",
         {deleteTax, answer("LIB_BUTTON_OK"), dragToTheCorner("FenAskSubstTaxeController"), pickReplacement,
          quitIn("FenAskSubstTaxeController"), wholeOnScreen("FenAskSubstTaxeController"),
          press("FenAskSubstTaxeController", "OUI:")},
         taxReplaced},
        {"a statement ticking, dragged to the screen's corner",
         {tick, dragToTheCorner("FenReleveController"), quitIn("FenReleveController"),
          wholeOnScreen("FenReleveController"), press("FenReleveController", "POINTER_RELEVE:")},
         [this] { return doc().transact_array.size() == kTransactions; }},
        {"a tax's question answered while the quit waits",
         {deleteTax, quitIn("QMessageBox"), answer("LIB_BUTTON_OK"), pickReplacement,
          press("FenAskSubstTaxeController", "OUI:")},
         taxReplaced},
        {"a tax's question, the quit chosen with its list lying over it",
         {deleteTax, quitOverQuestion("FenTaxeController"), questionOnTop(), answer("LIB_BUTTON_OK"), pickReplacement,
          press("FenAskSubstTaxeController", "OUI:")},
         taxReplaced},
        {"a schedule's question run as a window, a tax's question asked over it",
         {deleteSchedule, deleteTax, quitIn("QMessageBox"), answer("LIB_BUTTON_ANNULER"),
          press("FenAskPoursuivreController", "OUI:")},
         [this] { return doc().echeancierHdl.isEmpty() && doc().taxeHdl.size() == 2; }},
        {"a note typed in the entry window",
         {editEntry, typeNote, quitIn("FenEditSaisieController"), press("FenEditSaisieController", "OUI:")},
         [this] {
             return std::any_of(doc().transact_array.begin(), doc().transact_array.end(),
                                [](const TRANSACT& t) { return t.note.contains(QLatin1String("EditNoteQ")); });
         }},
        {"an alert over the entry window",
         {newEntry, press("FenEditSaisieController", "OUI:"), quitIn("QMessageBox"), returnKey,
          press("FenEditSaisieController", "NON:")},
         [this] { return doc().transact_array.size() == kTransactions; }},
    };
    runForReal(true);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        start(true);
        play(each.acts);
        clock->flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(delegate->bankIsOpen()) << "the quit went on once the user had closed every window";
        start(false);
        EXPECT_TRUE(each.saved()) << "as saved";
    }
}

} // namespace
