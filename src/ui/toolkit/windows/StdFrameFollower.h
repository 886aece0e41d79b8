#pragma once
// The window manager has the last word on a window's frame. Where the program sets a frame (its
// frame memory, a slide, the placement beside a palette, keeping clear of the tool palette) and
// the manager refuses it or gives another one, the window takes the frame it really has and lays
// its controls out in it, rather than in the frame it asked for with stale pixels around.
//
// Taking the manager's frame is no new request: while a window takes it, its placements do not
// answer it (isFollowing), so a manager that keeps refusing a frame is asked for it once. A new
// frame is taken whole: what answers its size sees the window at its new place.
class QWidget;

class StdFrameFollower {
public:
    // Follows the manager's answers (and places every window before its size is answered) from
    // now on; done once, as the first window shows.
    static void watch();
    // Every shown window takes the frame the manager gave it.
    static void followAll();
    // The window takes the frame its native window has, when the two differ; answers whether it
    // had to.
    static bool follow(QWidget* window);
    // Whether the window is taking the manager's frame at this moment.
    static bool isFollowing(const QWidget* window);
};
