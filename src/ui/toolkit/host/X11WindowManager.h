#pragma once
// What the program tells an X11 window manager, and hears from it, where Qt says otherwise or
// nothing. Elsewhere (the headless platform, Wayland) every call does nothing.
//
// - Qt offers every window the focus protocol (WM_TAKE_FOCUS), even one that refuses the keyboard:
//   a manager that honours the offer (awesome gives the keyboard to each window it maps) takes
//   the keyboard from the window a palette serves each time the palette shows.
// - Qt tells the widgets of a new frame only when it differs from the last one it was told: a
//   manager that refuses a frame the program set, and answers with the one the window already
//   had, leaves the window laid out in the frame it asked for.
// - A manager that tiles the windows (i3, herbstluftwm) keeps them clear only of a dock's room,
//   which nothing Qt says can claim; it places a floating window mapped again anew, and lies it
//   over the tiles.
// - Qt hands the keyboard from a window blocked by a modal one to the modal window by asking the
//   manager as an application does: a manager that refuses such requests to prevent focus
//   stealing (herbstluftwm) leaves it on the blocked window, where Qt drops every key.
// - Qt takes a window for active as soon as a manager offers it the keyboard (WM_TAKE_FOCUS), even
//   when the display then leaves the keyboard where it was: the window closing, Qt is left with no
//   active window, though the display still gives the keys to another of the program's windows.
// - Qt hides a window by unmapping it and telling the manager of its withdrawal (ICCCM), and shows
//   it again at once, without waiting for the manager to have carried the withdrawal out. A manager
//   that maps the window for an earlier show meanwhile (awesome) finds the second map already done,
//   then withdraws the window: the display shows nothing where Qt takes the window for shown.
// - Qt's hide unmaps the window at once and tells the manager of the withdrawal, whatever map of
//   it the manager has yet to carry out: a manager that carries out a map asked for just before
//   after the unmap, and takes no notice of the withdrawal meanwhile (xfwm4), leaves the window on
//   the display while Qt holds it hidden, unpainted, over every window.
// - Qt knows neither whether a manager runs (without one, nothing gives the keyboard to a window
//   when the one that had it closes) nor in which order the windows lie on the screen.
#include <QList>

#include <functional>
#include <optional>

class QWidget;

class X11WindowManager {
public:
    // A window made not to accept the focus tells the manager it never takes it. Done before the
    // window is mapped (as it shows), once for each native window.
    static void refuseFocus(QWidget* window);

    // The window, hidden, is no longer modal: Qt only adds the modal state to what the window
    // still says as it shows again, and a manager that keeps a withdrawn window's states (awesome)
    // would go on treating it as a modal dialog.
    static void forgetModalState(QWidget* window);

    // Called on the main thread, after the event that brought it has been handled, each time the
    // manager has told any window of the program its frame. One listener: a new one replaces it.
    static void setFrameListener(std::function<void()> listener);

    // Whether the manager places the windows itself, side by side. No property of the managers'
    // protocols tells it: the manager is known by the name it gives itself.
    static bool managerTilesWindows();
    // The window becomes a dock whose room, from the top of the screen down to the window's
    // bottom across its width, the manager keeps clear of the windows it places. Done before the
    // window is mapped (as it shows), and again whenever its frame changes.
    static void reserveTopStrip(QWidget* window);
    // The same along the bottom edge: the room from the window's top down to the bottom of the
    // screen, across its width.
    static void reserveBottomStrip(QWidget* window);
    // The dock, hidden, says it takes no room: herbstluftwm keeps the room of a dock it no longer
    // shows until the dock says so or goes.
    static void releaseStrip(QWidget* window);

    // Called on the main thread, after the event that brought it has been handled, each time the
    // manager has given the keyboard to a window of the program, with that window. One listener: a
    // new one replaces it.
    static void setFocusListener(std::function<void(QWidget* window)> listener);
    // Asks the manager to bring the window to the front and give it the keyboard as a user's own
    // act (a pager's request), which no focus-stealing prevention refuses.
    static void activateAsUser(QWidget* window);

    // Whether the display has withdrawn the window: unmapped, and not iconified (its WM_STATE
    // says Withdrawn, or nothing, or still Normal while the manager has yet to hear of the unmap).
    // Nullopt where there is no X11.
    static std::optional<bool> isWithdrawn(const QWidget* window);
    // Maps the window again as it stands, without the withdrawal a hide tells the manager first.
    static void mapAgain(QWidget* window);
    // Withdraws the window as Qt's hide does: unmapped, and the manager told of the withdrawal
    // (ICCCM), which it may carry out later. What Qt holds of the window is left as it is.
    static void withdraw(QWidget* window);
    // Called on the main thread, after the event that brought it has been handled, each time the
    // display has mapped a window of the program, with that window. One listener: a new one
    // replaces it, an empty one stops the calls.
    static void setMapListener(std::function<void(QWidget* window)> listener);

    // Whether the left mouse button is down with the pointer over the window's frame (its title
    // bar, borders or content): the user is pressing on it, perhaps dragging it through the
    // manager, which holds the keyboard meanwhile. Nullopt where there is no X11.
    static std::optional<bool> pressedOn(const QWidget* window);

    // Whether the program shows its windows on an X11 display.
    static bool onX11();
    // Whether a manager runs on the display; nullopt where there is no X11.
    static std::optional<bool> managerRuns();
    // Those of the windows that the screen shows (mapped, their frame too), the one in front
    // first, in the order the screen stacks them; nullopt where there is no X11.
    static std::optional<QList<QWidget*>> frontToBack(const QList<QWidget*>& windows);
    // The window of the program that the display gives the keys to now: null when it is another
    // program's, or none; nullopt where there is no X11.
    static std::optional<QWidget*> keyboardWindow();
};
