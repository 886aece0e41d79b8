#pragma once
// A manager that tiles the windows, played as i3 and herbstluftwm were seen to do: it holds a dock
// where it stood as it mapped (i3 stretches it across the screen, a dock along the bottom against
// the bottom edge) and tiles the other windows between the rooms the docks reserve (i3 forgets a
// dock it no longer shows, herbstluftwm keeps its room until it says none or goes); any other
// window of the palette's kind it floats, centring it at least 50 high each time it maps at the
// screen's corner (i3), over the tiles.
#include "toolkit/windows/StdFrameFollower.h"
#include "uisupport/TestUiHost.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>

struct StandInTilingManager {
    TestScreenInfo& screen;
    bool stretchesDocks; // and forgets a hidden one (i3)
    bool tilesFullWidth = false; // a tile as wide as the screen (one window in its row), else half

    // The manager's answer once the windows have shown.
    void place(QWidget* palette, QWidget* tiled) const
    {
        placePalette(palette);
        tile(tiled);
    }
    void placePalette(QWidget* palette) const
    {
        const QRect full = screen.fullFrame();
        const auto top = screen.strips.find(palette);
        const auto bottom = screen.bottomStrips.find(palette);
        if (top != screen.strips.end()) {
            const QRect room = top->second;
            give(palette, stretchesDocks ? QRect(full.x(), room.y(), full.width(), room.height()) : room);
        } else if (bottom != screen.bottomStrips.end()) {
            const QRect room = bottom->second;
            give(palette,
                 stretchesDocks ? QRect(full.x(), full.bottom() + 1 - room.height(), full.width(), room.height())
                                : room);
        } else if (palette->geometry().topLeft() == full.topLeft()) {
            QRect floated(QPoint(), QSize(palette->width(), std::max(50, palette->height())));
            floated.moveCenter(full.center());
            give(palette, floated);
        }
    }
    void tile(QWidget* tiled) const
    {
        const QRect full = screen.fullFrame();
        int top = full.top();
        int bottom = full.bottom();
        for (const auto& [window, room] : screen.strips) {
            if (reserves(window))
                top = std::max(top, room.bottom() + 1);
        }
        for (const auto& [window, room] : screen.bottomStrips) {
            if (reserves(window))
                bottom = std::min(bottom, room.top() - 1);
        }
        const QRect tile(full.x(), top, tilesFullWidth ? full.width() : full.width() / 2, bottom + 1 - top);
        give(tiled, tile.marginsRemoved(tiled->windowHandle()->frameMargins()));
    }

    static void give(QWidget* window, const QRect& frame)
    {
        window->windowHandle()->setGeometry(frame);
        StdFrameFollower::followAll();
    }
    // Whether the dock's room is kept from the tiles; a window closed since it was told may be gone.
    bool reserves(const QWidget* window) const
    {
        return QApplication::topLevelWidgets().contains(window) && (window->isVisible() || !stretchesDocks);
    }
};
