// A statement's entry palette among the window managers' ways. A stacking manager leaves it beside
// its window, as the program places it. A manager that tiles the windows gives the statement its
// whole tile, where a palette beside it would lie over its menu bar: the palette is a dock whose
// room the tiles keep clear of, along the bottom of the screen, every one of its controls whole on
// the screen; it never takes the keyboard, and once the statement closes no room stays reserved.
#include "toolkit/popups/PopCompte.h"
#include "ui/toolkit/palettes/PaletteManagersFixture.h"
#include "ui/toolkit/palettes/StandInTilingManager.h"

#include <QAbstractButton>
#include <QApplication>

#include <optional>

namespace {

class EntryPaletteManagersTest : public PaletteManagersFixture {
protected:
    EntryPaletteManagersTest()
        : PaletteManagersFixture(QStringLiteral("entry-palette-wm"))
    {
    }

    // The statement of the current account, opened as a user does from the tool palette.
    static StdWindowController* openStatement(FenPaletteToolController& tool)
    {
        tool.pop_compteD()->rebuild();
        EXPECT_TRUE(tool.pop_compteD()->activateTag(kCompteCourant));
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<StdWindow*>(shown);
            auto* controller = window ? qobject_cast<StdWindowController*>(window->controller()) : nullptr;
            if (controller && controller->inherits("FenReleveController") && window->isVisible())
                return controller;
        }
        return nullptr;
    }
};

TEST_F(EntryPaletteManagersTest, TheEntryPaletteCoversNoWindowAndShowsEveryControl)
{
    TestScreenInfo& screen = ui().screenInfo();
    const struct {
        const char* name;
        std::optional<bool> tilesStretchingDocks; // none: a stacking manager
    } cases[] = {
        {"a stacking manager", {}},
        {"a manager that stretches a dock across the screen (i3)", true},
        {"a manager that leaves a dock its frame (herbstluftwm)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        screen.tiles = c.tilesStretchingDocks.has_value();
        screen.strips.clear();
        screen.bottomStrips.clear();
        const StandInTilingManager manager {screen, c.tilesStretchingDocks.value_or(false), true};
        reopenPalette();
        StdWindowController* statement = openStatement(*tool);
        ASSERT_NE(statement, nullptr);
        settle();
        StdWindow* entry = statement->palette() ? statement->palette()->windowIfLoaded() : nullptr;
        ASSERT_NE(entry, nullptr);
        // The manager answers what the program asks of the tiled window with its tile, again.
        for (int round = 0; screen.tiles && round < 2; ++round) {
            manager.placePalette(tool->window());
            manager.placePalette(entry);
            manager.tile(statement->window());
            settle();
        }
        // Opened fresh, the statement leaves its palette room beside it (or the dock room below).
        EXPECT_FALSE(entry->geometry().intersects(statement->window()->geometry())) << "opened under its palette";
        // Widened across the screen and dragged to its left edge, the statement stays there; with
        // no room beside it, its palette lies over its corner.
        if (!screen.tiles) {
            StdWindow* window = statement->window();
            const int sides = window->frameGeometry().width() - window->width();
            const QRect dragged(window->geometry().left() - window->x(), window->geometry().top(),
                                screen.fullFrame().width() - sides, window->height());
            window->resize(dragged.size());
            window->move(0, window->y());
            settle();
            EXPECT_EQ(window->geometry(), dragged);
            EXPECT_EQ(entry->geometry().topLeft(), dragged.topLeft() - QPoint(0, 1));
        }
        EXPECT_TRUE(entry->isVisible());
        EXPECT_EQ(QApplication::activeWindow(), statement->window()) << "the palette took the keyboard";
        const QRect placed = entry->geometry();
        EXPECT_TRUE(!screen.tiles || !placed.intersects(statement->window()->geometry()))
            << "over the statement's menu bar or list";
        EXPECT_FALSE(placed.intersects(tool->window()->frameGeometry())) << "over the tool palette";
        for (const QAbstractButton* control : entry->findChildren<QAbstractButton*>()) {
            SCOPED_TRACE(control->text().toStdString());
            EXPECT_TRUE(control->isVisible());
            EXPECT_TRUE(screen.fullFrame().contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size())));
        }
        EXPECT_EQ(screen.bottomStrips.empty(), !screen.tiles);
        WindowDriver(entry).grab(QStringLiteral("entry-palette-%1.png").arg(&c - cases));

        // Hidden while another window has the keyboard, then gone with the statement, the palette
        // leaves no room reserved.
        const auto tileReachesTheBottom = [&] {
            manager.tile(banques);
            return banques->frameGeometry().bottom() == screen.fullFrame().bottom();
        };
        banques->activateWindow();
        settle();
        EXPECT_FALSE(entry->isVisible());
        EXPECT_TRUE(!screen.tiles || tileReachesTheBottom()) << "room kept while the palette hides";
        statement->close();
        settle();
        EXPECT_TRUE(!screen.tiles || tileReachesTheBottom()) << "room kept once the statement closed";
    }
}

} // namespace
