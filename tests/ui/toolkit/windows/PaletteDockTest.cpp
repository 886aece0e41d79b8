// Keeping clear of the tool palette, as numbers: a window reaching into the palette's frame (and
// 2 points under it) moves down below it, and one pushed past the bottom of the screen is
// shortened instead, down to its least height. Rectangles in Qt's coordinates.
#include "toolkit/windows/StdPaletteDock.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteDockTest, AWindowUnderTheToolPaletteMovesDownOrShrinks)
{
    const QRect screen(0, 0, 1440, 900);
    const QRect belowMenuBar(0, 25, 1440, 875);
    const struct {
        QRect screen;
        int paletteHeight;
        QRect frame;
        QRect expected;
        int leastHeight = 0;
        int paletteBelowTop = 0; // how far below the screen's top the palette stands
    } cases[] = {
        // The top at 850 of a 900-point screen, under a palette 100 high: down by 52.
        {screen, 100, QRect(10, 50, 380, 160), QRect(10, 102, 380, 160)},
        {screen, 100, QRect(10, 102, 380, 160), QRect(10, 102, 380, 160)}, // just clear
        {screen, 100, QRect(10, 300, 380, 160), QRect(10, 300, 380, 160)},
        {screen, 100, QRect(10, 50, 380, 840), QRect(10, 102, 380, 798)}, // kept on the screen
        {belowMenuBar, 100, QRect(10, 60, 380, 160), QRect(10, 127, 380, 160)},
        {screen, 0, QRect(10, 0, 380, 160), QRect(10, 2, 380, 160)},
        // Where the palette really stands: dragged 300 below the top, it is kept clear of there.
        {screen, 100, QRect(10, 350, 380, 160), QRect(10, 402, 380, 160), 0, 300},
        // Shortened no further than its least height, its bottom on the screen's.
        {screen, 100, QRect(10, 50, 380, 840), QRect(10, 80, 380, 820), 820},
    };
    for (const auto& c : cases) {
        const QRect palette(c.screen.x(), c.screen.y() + c.paletteBelowTop, 200, c.paletteHeight);
        EXPECT_EQ(StdPaletteDock::assumedBound(c.screen, palette, c.frame, c.leastHeight), c.expected) << c.frame.y();
    }
}

} // namespace
