#pragma once
// How a window comes and goes: the open sound and the slide in from the left edge of the screen,
// the shrink to its centre and the close sound on closing. The controller's hooks say which of
// them a window wants (animatesWhenAppear, soundWhenClose...) and the application parameters
// whether sounds and animations are on. One controller's life plays at most one shrinking and
// one close sound.
#include <functional>
#include <vector>

class StdWindowController;

class StdWindowMotion {
public:
    explicit StdWindowMotion(StdWindowController& controller);

    // The open sound, when the window and the parameters want it.
    void playOpenSound() const;
    // Shows the window (with its open sound), sliding in when animations are on: a window that
    // was not on screen slides once the window manager has shown it at its frame, so that the
    // frame the manager takes it at is that one, never a step of the slide. Then, when adjust is
    // set, adjustHeight(false); then didAnimate, without waiting for the slide.
    void appear(bool adjust, const std::function<void()>& didAnimate);
    // Shrinks the window to its centre and plays the close sound, unless animations are off or
    // the window is a sheet; then completion. The keys typed into the window while it shrinks go
    // to the window that has the keyboard once it has hidden (KeyboardReturn). Called again while
    // the window shrinks, it adds completion to the blocks run once the shrinking ends. A block
    // never runs once the controller is gone.
    void closeAnimation(std::function<void()> completion);
    // The window shrinks right now.
    bool isShrinking() const { return m_shrinking; }
    // The close sound, unless the shrinking has played it already.
    void playCloseSoundOnce();
    // Runs the close animation, or waits for the one under way, and returns once it has ended. Timers of the default
    // mode keep waiting meanwhile, as they do during the modal run itself.
    void waitForCloseAnimation();
    // The window has shrunk already: closing it must not shrink it a second time.
    void markCloseAnimationRun() { m_closeAnimationRun = true; }

private:
    void didShrink();

    StdWindowController& m_controller;
    bool m_closeAnimationRun = false;
    bool m_closeSoundPlayed = false;
    bool m_shrinking = false;
    std::vector<std::function<void()>> m_afterShrink;
};
