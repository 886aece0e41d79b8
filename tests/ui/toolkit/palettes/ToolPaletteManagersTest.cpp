// The tool palette among the window managers' ways. It never takes the keyboard from the document
// windows: whatever gives it the keyboard or a click, the window that had it keeps it, shortcuts
// (Ctrl+N) included, and a window opened from it takes it with its own palette. Hidden by a modal
// window and shown again, it comes back where it was, at its own size, whatever frame a manager
// that places each window it maps gives it; nothing is pushed and the entry window opens whole.
// Under a manager that tiles the windows it takes its room as a dock, which the tiles keep clear
// of. A window opened from it takes the keyboard, even when the palette is given the keyboard
// before that window is. While a statement ticks its transactions it is out of sight.
#include "app/WindowMemory.h"
#include "calculator/FenCalculetteController.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "transactions/FenEditReleveController.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/FenReleveController.h"
#include "ui/toolkit/palettes/PaletteManagersFixture.h"
#include "ui/toolkit/palettes/StandInTilingManager.h"
#include "uisupport/WindowDriver.h"

#include "model/ITransactionWindows.h"

#include <QApplication>
#include <QExposeEvent>
#include <QMenu>
#include <QScrollArea>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

class ToolPaletteManagersTest : public PaletteManagersFixture {
protected:
    ToolPaletteManagersTest()
        : PaletteManagersFixture(QStringLiteral("palette-wm"))
    {
        banques->activateWindow();
    }

    // Ctrl+N typed where the keyboard is: whether it opened a new transaction.
    bool ctrlNEnters()
    {
        bool entered = false;
        ui().onModal<FenEditSaisieController>([&entered](FenEditSaisieController& entry) {
            entered = true;
            entry.perform(QStringLiteral("NON:"));
        });
        QWidget* keyboard = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QTest::keyClick(keyboard, Qt::Key_N, Qt::ControlModifier);
        settle();
        return entered;
    }
    // What Qt's X11 platform does with a press in a window: it has the window made active, unless
    // the window refuses the focus.
    static void pressedAsOnX11(QWidget* window)
    {
        if (!window->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus))
            window->windowHandle()->requestActivate();
    }
    // The window manager gives the window that frame, and the program hears of it.
    static void managerGives(QWidget* window, const QRect& frame)
    {
        window->windowHandle()->setGeometry(frame);
        StdFrameFollower::followAll();
    }
    // A modal window hides the palette; once it is gone the banks window becomes main again.
    void modalRoundTrip()
    {
        tool->window()->hide();
        delegate->windowDidBecomeMain(banques);
    }
};

// The first category of the categories' menu.
QAction* firstCategory(const QMenu* menu)
{
    for (QAction* item : menu->actions()) {
        if (item->isSeparator() || !item->isEnabled())
            continue;
        if (const QMenu* submenu = item->menu()) {
            if (QAction* found = firstCategory(submenu))
                return found;
        } else if (StdMenu::actionOf(item) == QLatin1String("POSTE:")) {
            return item;
        }
    }
    return nullptr;
}

TEST_F(ToolPaletteManagersTest, KeysAndShortcutsStayWithTheActiveWindow)
{
    if (!QTest::qWaitForWindowActive(banques))
        GTEST_SKIP() << "this platform gives no window the focus";
    StdWindow* palette = tool->window();
    const struct {
        const char* name;
        std::function<void()> act;
    } cases[] = {
        {"shown again after a modal window, the platform giving it the keyboard", [&] { modalRoundTrip(); }},
        {"a click on its background",
         [&] {
             pressedAsOnX11(palette);
             QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(palette->width() - 2, palette->height() / 2));
         }},
        {"its categories' menu gone through with the arrows and left with Escape",
         [&] {
             pressedAsOnX11(palette);
             QMenu* list = tool->pop_poste()->stdMenu();
             list->popup(tool->pop_poste()->mapToGlobal(QPoint(0, 30)));
             settle();
             QTest::keyClick(list, Qt::Key_Down);
             EXPECT_NE(list->activeAction(), nullptr);
             QTest::keyClick(list, Qt::Key_Escape);
         }},
        {"a statement opened from its accounts, active before its entry palette is placed",
         [&] {
             pressedAsOnX11(palette);
             tool->pop_compteD()->rebuild();
             EXPECT_TRUE(tool->pop_compteD()->activateTag(kCompteCourant));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        settle();
        EXPECT_TRUE(palette->isVisible());
        auto* key = qobject_cast<StdWindow*>(QApplication::activeWindow());
        auto* controller = key ? qobject_cast<StdWindowController*>(key->controller()) : nullptr;
        ASSERT_NE(controller, nullptr);
        EXPECT_NE(key, palette) << "the palette took the keyboard";
        const bool opened = key != banques && key != palette;
        if (opened) {
            EXPECT_TRUE(controller->inherits("FenReleveController"));
            StdWindowController* entryPalette = controller->palette();
            EXPECT_TRUE(entryPalette && entryPalette->window()->isVisible()) << "its entry palette shows";
        }
        EXPECT_TRUE(ctrlNEnters()) << "Ctrl+N reached the window's menu";
        if (opened)
            controller->close();
        banques->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(banques));
    }
}

TEST_F(ToolPaletteManagersTest, ComesBackWhereItWasWhateverFrameTheManagerGivesIt)
{
    StdWindow* palette = tool->window();
    const QRect corner = palette->geometry();
    ASSERT_EQ(corner.topLeft(), QPoint(0, 0));
    const struct {
        const char* name;
        std::optional<QPoint> dragged; // where the user moved it (through the manager) first
        std::optional<QRect> placed; // the frame the manager gives it as it maps it again
        std::optional<QPoint> movedLater; // where the user moves it once the manager placed it
    } cases[] = {
        {"a manager that places it in a free spot", {}, QRect(1, 426, corner.width(), corner.height()), {}},
        {"a manager that centres it, taller", {}, QRect(151, 357, corner.width(), 50), {}},
        {"dragged by the user, then placed elsewhere", QPoint(300, 200), QRect(1, 22, corner.width(), 31), {}},
        {"a manager that leaves it, the user moving it later", {}, {}, QPoint(200, 500)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect standing(c.dragged.value_or(corner.topLeft()), corner.size());
        delegate->windowDidBecomeMain(banques);
        settle();
        managerGives(palette, standing);
        settle();
        const QRect banks = banques->geometry();
        modalRoundTrip();
        ASSERT_TRUE(palette->isVisible());
        if (c.placed)
            managerGives(palette, *c.placed);
        settle();
        EXPECT_EQ(palette->geometry(), standing);
        EXPECT_EQ(palette->windowHandle()->geometry(), standing);
        EXPECT_EQ(banques->geometry(), banks) << "the banks window moved or shrank";
        if (c.movedLater) {
            managerGives(palette, QRect(*c.movedLater, corner.size()));
            settle();
            EXPECT_EQ(palette->geometry().topLeft(), *c.movedLater);
            managerGives(palette, standing);
            settle();
        }
        ui().onModal<FenEditSaisieController>([&](FenEditSaisieController& entry) {
            const QRect frame = entry.window()->frameGeometry();
            EXPECT_TRUE(ui().screenInfo().visibleFrame().contains(frame)) << frame.y() << "+" << frame.height();
            EXPECT_GT(frame.top(), standing.bottom());
            EXPECT_EQ(entry.window()->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName)), nullptr);
            entry.perform(QStringLiteral("NON:"));
        });
        delegate->NOUVELLE_OPERATION(nullptr);
        WindowDriver(palette).grab(QStringLiteral("palette-shown-again-%1.png").arg(&c - cases));
    }
}

// Reopened with the document's windows, the palette slides in, and a manager that maps it at a
// free spot low on the screen (fluxbox) has Qt hold it there until the slide's next step. A window
// put back or framed meanwhile keeps its size, clear of the palette once it stands in its corner
// (a statement narrower than its controls included: they scroll); a palette dragged low leaves a
// window its least size.
TEST_F(ToolPaletteManagersTest, WindowsComingBackAsItSlidesInKeepTheirSize)
{
    const struct {
        const char* name;
        bool sliding, framed; // the banks window framed by the manager, else a window put back
        bool statement = false; // the statement put back, narrower than its controls, else the calculator
    } cases[] = {{"the calculator put back", true, false},
                 {"the banks window framed", true, true},
                 {"the calculator put back under it, dragged low", false, false},
                 {"a statement moved narrower than its controls", true, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        closePaletteOutils();
        settle();
        ui().animations().setSpeed(c.sliding ? 1 : 0);
        tool = openPaletteOutils(true);
        managerGives(tool->window(), QRect(QPoint(0, 600), tool->window()->size()));
        StdWindow* window = banques;
        QRect given(QPoint(120, 0), banques->size() + QSize(6, 0)); // against the top of the screen
        if (c.framed) {
            banques->windowHandle()->setGeometry(given); // heard through the event loop, as from a display
            QCoreApplication::processEvents();
        } else {
            PARAMFEN record = WindowMemory::recordForClass(
                QLatin1String(c.statement ? "FenReleveController" : "FenCalculetteController"));
            record.ID1 = kCompteCourant;
            WindowMemory::storeFrame(record, given = QRect(200, 0, 720, 580));
            delegate->document()->docParam->documentWindows = {record};
            WindowMemory::restoreDocumentWindows(delegate->document());
            window = c.statement
                ? openReleveWindow(kCompteCourant, false, MONTANT::currentDeviseSlot(), *delegate->document())->window()
                : FenCalculetteController::openCalculette(MONTANT::currentDeviseSlot(), false)->window();
        }
        ui().animations().finishAll();
        ui().animations().setSpeed(0);
        settle();
        EXPECT_EQ(window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName)) != nullptr,
                  c.statement);
        EXPECT_EQ(window->width(), given.width());
        EXPECT_EQ(window->height(), c.sliding ? given.height() : StdWindowPlacement::leastSize(window).height());
        EXPECT_TRUE(ui().screenInfo().visibleFrame().contains(window->frameGeometry()));
        if (c.sliding) {
            EXPECT_GT(window->frameGeometry().top(), tool->window()->geometry().bottom());
        }
        if (window != banques)
            window->close();
    }
}

TEST_F(ToolPaletteManagersTest, UnderATilingManagerItTakesItsRoomAsADockAndKeepsIt)
{
    const struct {
        const char* name;
        bool stretchesDocks;
    } cases[] = {
        {"a manager that stretches a dock across the screen (i3)", true},
        {"a manager that leaves a dock its frame (herbstluftwm)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui().screenInfo().tiles = true;
        ui().screenInfo().strips.clear();
        const StandInTilingManager manager {ui().screenInfo(), c.stretchesDocks};
        reopenPalette();
        StdWindow* palette = tool->window();
        manager.place(palette, banques);
        settle();
        const QRect docked = palette->geometry();
        EXPECT_EQ(docked.topLeft(), QPoint(0, 0));
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE(round);
            modalRoundTrip();
            ASSERT_TRUE(palette->isVisible());
            manager.place(palette, banques);
            settle();
            EXPECT_EQ(palette->geometry(), docked) << "the palette came back elsewhere or at another size";
            EXPECT_GT(banques->frameGeometry().top(), docked.bottom()) << "a tile lies under the palette";
            ui().onModal<FenEditSaisieController>([&](FenEditSaisieController& entry) {
                const QRect frame = entry.window()->frameGeometry();
                EXPECT_TRUE(ui().screenInfo().visibleFrame().contains(frame)) << frame.y() << "+" << frame.height();
                EXPECT_GT(frame.top(), docked.bottom());
                entry.perform(QStringLiteral("NON:"));
            });
            delegate->NOUVELLE_OPERATION(nullptr);
        }
    }
}

TEST_F(ToolPaletteManagersTest, AWindowOpenedFromThePaletteTakesTheKeyboardGivenToThePaletteMeanwhile)
{
    if (!QTest::qWaitForWindowActive(banques))
        GTEST_SKIP() << "this platform gives no window the focus";
    StdWindow* palette = tool->window();
    const struct {
        const char* name;
        std::function<void()> open;
    } cases[] = {
        {"a category from the categories' menu",
         [&] {
             tool->pop_poste()->rebuild();
             QAction* category = firstCategory(tool->pop_poste()->stdMenu());
             ASSERT_NE(category, nullptr);
             category->trigger();
         }},
        {"an account from the accounts' menu",
         [&] {
             tool->pop_compteD()->rebuild();
             EXPECT_TRUE(tool->pop_compteD()->activateTag(kCompteCourant));
         }},
        {"the calculator, from its button", [&] { tool->perform(QStringLiteral("CALCULETTE:")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QWidgetList before = QApplication::topLevelWidgets();
        c.open();
        // What X11 makes of the manager giving the palette the keyboard (the click on it, its menu
        // closing) before the new window has mapped and taken it.
        QApplication::setActiveWindow(palette);
        settle();
        QWidget* key = QApplication::activeWindow();
        ASSERT_NE(key, nullptr);
        EXPECT_NE(key, banques) << "the keyboard went back to the banks window";
        EXPECT_NE(key, palette);
        EXPECT_FALSE(before.contains(key)) << "the window opened does not have the keyboard";
        if (!before.contains(key))
            key->close();
        settle();
        banques->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(banques));
    }
}

// While a statement ticks, the tool palette is out of sight like the entry palette, whichever
// window becomes main meanwhile; both come back after, the tool palette where it was. Whatever the
// manager made of the entry palette's maps, it is on the display while the statement is key and
// only then.
TEST_F(ToolPaletteManagersTest, OutOfSightWhileAStatementTicks)
{
    const auto becomesMain = [this](QWidget* window) { // as a manager makes it main
        settle();
        window->activateWindow();
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(window);
        settle();
    };
    // Whether the manager withdraws the entry palette the program shows again (awesome).
    enum class Withdrawal { None, AsItShows, AfterwardsHeard };
    using Maps = TestScreenInfo::Maps;
    // Whether the manager maps the statement and its palette while Qt shows them, once ticking ended.
    enum class ShownMapped { No, BackFromAnotherDesktop, RestoredFromAnIcon };
    const struct {
        const char* name;
        bool tiles, fromEditor, clickBehind;
        bool activatedAfter = true; // the manager makes it main again as its modality changes back
        Withdrawal withdrawal = Withdrawal::None;
        Maps maps = Maps::AtOnce; // how the manager carries out the maps asked of it
        ShownMapped shownMapped = ShownMapped::No;
    } cases[] = {
        {"asked from the new statement's editor, which hid the palette", false, true, false},
        {"asked by the statement's button", false, false, false},
        {"docked by a tiling manager (i3), the banks window clicked meanwhile", true, false, true},
        {"made main while it ticked, the keys left on it after (awesome)", false, true, false, false},
        {"the palette withdrawn as ticking ends is mapped again (awesome)", false, false, false, false,
         Withdrawal::AsItShows},
        {"the palette withdrawn once ticking ended comes back as Qt hears of it (awesome)", false, true, false, false,
         Withdrawal::AfterwardsHeard},
        {"the maps carried out after the hide that followed them: map, unmap, map (xfwm4)", false, false, false, false,
         Withdrawal::AsItShows, Maps::Late},
        {"withdrawn again at every map, three maps again per activation, then none", false, false, false, false,
         Withdrawal::AsItShows, Maps::Refused},
        {"the statement and its palette mapped as their desktop shows again", false, false, false, true,
         Withdrawal::None, Maps::AtOnce, ShownMapped::BackFromAnotherDesktop},
        {"the statement mapped as it is restored from an icon, its palette shown again", false, false, false, true,
         Withdrawal::None, Maps::AtOnce, ShownMapped::RestoredFromAnIcon},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestScreenInfo& screen = ui().screenInfo();
        screen.playManager(c.maps);
        screen.tiles = c.tiles;
        reopenPalette();
        auto* statement = qobject_cast<FenReleveController*>(openCompteWindow(kCompteCourant, true));
        ASSERT_NE(statement, nullptr);
        becomesMain(statement->window());
        StdWindow* entry = statement->palette()->window();
        const QRect toolFrame = tool->window()->geometry();
        ui().onModal<FenEditReleveController>([&](FenEditReleveController& editor) {
            WindowDriver(editor).type(QStringLiteral("field_nom"), QStringLiteral("Juin"));
            if (c.fromEditor)
                becomesMain(editor.window());
            WindowDriver(editor).click(c.fromEditor ? QStringLiteral("POINTER:") : QStringLiteral("OUI:"));
        });
        ui().onModal<FenReleveController>([&](FenReleveController& ticking) {
            becomesMain(c.clickBehind ? banques : ticking.window());
            EXPECT_FALSE(tool->window()->isVisible());
            EXPECT_FALSE(entry->isVisible());
            if (c.withdrawal == Withdrawal::AsItShows) // the manager withdraws its next show
                screen.withdrawn.insert(entry);
            ticking.POINTER_RELEVE(nullptr);
        });
        statement->CREER_RELEVE(nullptr);
        if (!c.fromEditor)
            statement->POINTER_RELEVE(nullptr);
        EXPECT_TRUE(tool->window()->isVisible()) << "back as ticking ends";
        if (c.activatedAfter)
            becomesMain(statement->window()); // as its modality changes back
        if (c.withdrawal == Withdrawal::AfterwardsHeard) {
            settle();
            screen.withdrawn.insert(entry);
            QExposeEvent unmapped {QRegion()}; // what Qt makes of the unmap
            QCoreApplication::sendEvent(entry->windowHandle(), &unmapped);
        }
        settle();
        EXPECT_TRUE(entry->isVisible());
        if (c.maps == Maps::AtOnce) {
            EXPECT_TRUE(screen.onDisplay(entry)) << "the display shows no palette";
        }
        EXPECT_EQ(tool->window()->geometry(), toolFrame);
        if (c.shownMapped != ShownMapped::No) {
            QWidget* window = statement->window();
            const bool fromIcon = c.shownMapped == ShownMapped::RestoredFromAnIcon;
            if (fromIcon) {
                window->showMinimized();
                becomesMain(banques);
                window->showNormal();
            }
            screen.managerMaps(window);
            if (fromIcon)
                becomesMain(window);
            screen.managerMaps(entry);
            settle();
            EXPECT_TRUE(screen.onDisplay(window)) << "the statement was withdrawn as the manager mapped it";
            EXPECT_TRUE(screen.onDisplay(entry)) << "the palette was withdrawn as the manager mapped it";
        }

        // The statement resigns key at once, the manager then carrying out what it was asked for
        // late: the show's map as ticking ended, and the map again.
        becomesMain(banques);
        if (c.maps == Maps::Late)
            screen.managerMaps(entry);
        settle();
        EXPECT_FALSE(entry->isVisible());
        EXPECT_FALSE(screen.onDisplay(entry)) << "the palette stays on the display over every window";
        // Key again. Against a manager that refuses every map the program spends its three maps
        // again, then maps no more however often it hears of the unmap.
        screen.mapsAgain = 0;
        becomesMain(statement->window());
        if (c.maps == Maps::Refused) {
            const int maps = screen.mapsAgain;
            EXPECT_GE(maps, 3) << "given up before its three maps again";
            for (int heard = 0; heard < 3; ++heard) {
                QExposeEvent unmapped {QRegion()};
                QCoreApplication::sendEvent(entry->windowHandle(), &unmapped);
                settle();
            }
            EXPECT_EQ(screen.mapsAgain, maps) << "mapped again past three";
        } else {
            EXPECT_TRUE(screen.onDisplay(entry)) << "the display shows no palette while the statement is key";
        }
        statement->close();
    }
}

} // namespace
