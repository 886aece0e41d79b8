#pragma once
// The small animator of views inside windows: it grows a view out of its centre, moves or
// resizes a view to a new frame, and slides a view in from or out to one side of an enclosing
// view, running an end block when the movement is over. Frames are Qt's (y down); the slides
// are computed from the bottom-left frames of the views, as their offsets are defined.
#include <QRect>

#include <functional>

class IAnimator;
class QWidget;

class BasicAnimationManager {
public:
    using Block = std::function<void()>;

    static BasicAnimationManager& sharedInstance();
    // Forgets the shared instance (at quit); the next sharedInstance makes a new one.
    static void goodbye();

    static double speedRatio() { return 1.0; }

    void changeFrameAnimation(QWidget* view, const QRect& newFrame, Block didEndAction = {});
    // Grows the view from nothing at its centre to 1.3 times its size, then back to its frame.
    void magnifyAnimation(QWidget* view, Block didEndAction = {});
    // `vertical` moves the view sideways (to the right, or to the left with leftToRight);
    // otherwise it moves downward.
    void slideViewAppearAnimation(QWidget* view, const QWidget* globalView, bool vertical, bool leftToRight,
                                  Block didEndAction = {});
    void slideViewDisappearAnimation(QWidget* view, const QWidget* globalView, bool vertical, bool leftToRight,
                                     Block didEndAction = {});

    // The animator the movements run on; the installed UiHost's unless set.
    void setAnimator(IAnimator* animator) { m_animator = animator; }

private:
    IAnimator* m_animator = nullptr;
};
