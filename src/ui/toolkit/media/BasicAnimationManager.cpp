#include "toolkit/media/BasicAnimationManager.h"

#include "toolkit/drawing/geometry.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace {

std::unique_ptr<BasicAnimationManager>& sharedSlot()
{
    static std::unique_ptr<BasicAnimationManager> shared;
    return shared;
}

constexpr double kMagnifySeconds = 0.5;
constexpr double kSlideSeconds = 0.5;
constexpr double kFrameSeconds = 0.4;
constexpr double kMagnifyOvershoot = 1.3;

// Where a sliding view starts (appearing) or ends (disappearing), from the bottom-left frames of
// the view (v) and of the enclosing view (g).
QRectF slideOffsetFrame(const QRectF& v, const QRectF& g, bool vertical, bool leftToRight, bool appearing)
{
    if (!vertical)
        return QRectF(v.x(), v.y() - (g.y() + v.height()), v.width(), v.height());
    if (!leftToRight)
        return QRectF(v.x() + g.x() + v.width(), v.y(), v.width(), v.height());
    const double widths = appearing ? v.width() : 2 * v.width();
    return QRectF(v.x() - (g.x() + widths), v.y(), v.width(), v.height());
}

// The bottom-left frame back in the view's own parent, in Qt's coordinates.
QRect qtFrameOf(const QWidget* view, const QRectF& bottomLeft)
{
    if (!view || view->isWindow() || !view->parentWidget())
        return bottomLeft.toRect();
    return fromBottomLeft(bottomLeft, view->parentWidget()->height()).toRect();
}

// The view (when there is one) moves to the frame; the end block runs when the movement is over.
void animateTo(IAnimator* animator, double seconds, QWidget* view, const QRect& frame,
               BasicAnimationManager::Block didEndAction)
{
    XanimateWithDuration(
        seconds,
        [view, frame](AnimationGroup& group) {
            if (view)
                group.setFrame(view, frame);
        },
        std::move(didEndAction), animator);
}

} // namespace

BasicAnimationManager& BasicAnimationManager::sharedInstance()
{
    auto& shared = sharedSlot();
    if (!shared)
        shared = std::make_unique<BasicAnimationManager>();
    return *shared;
}

void BasicAnimationManager::goodbye()
{
    sharedSlot().reset();
}

void BasicAnimationManager::changeFrameAnimation(QWidget* view, const QRect& newFrame, Block didEndAction)
{
    animateTo(m_animator, speedRatio() * kFrameSeconds, view, newFrame, std::move(didEndAction));
}

void BasicAnimationManager::magnifyAnimation(QWidget* view, Block didEndAction)
{
    const QRect frame = view ? view->geometry() : QRect();
    const QPointF centre = centerPoint(view);
    const QSizeF bigSize = QSizeF(frame.size()) * kMagnifyOvershoot;
    const QRect big = QRectF(centre - QPointF(bigSize.width(), bigSize.height()) * 0.5, bigSize).toRect();
    if (view)
        view->setGeometry(QRectF(centre, QSizeF(0, 0)).toRect());
    const double seconds = speedRatio() * kMagnifySeconds;
    // The second stage starts from the first one's end; the manager may be gone by then.
    IAnimator* animator = m_animator;
    animateTo(animator, seconds, view, big,
              [animator, view = QPointer<QWidget>(view), frame, seconds, didEndAction = std::move(didEndAction)] {
                  animateTo(animator, seconds, view, frame, didEndAction);
              });
}

void BasicAnimationManager::slideViewAppearAnimation(QWidget* view, const QWidget* globalView, bool vertical,
                                                     bool leftToRight, Block didEndAction)
{
    const QRectF v = frameBottomLeft(view);
    const QRectF offset = slideOffsetFrame(v, frameBottomLeft(globalView), vertical, leftToRight, true);
    if (view)
        view->setGeometry(qtFrameOf(view, offset));
    animateTo(m_animator, speedRatio() * kSlideSeconds, view, qtFrameOf(view, v), std::move(didEndAction));
}

void BasicAnimationManager::slideViewDisappearAnimation(QWidget* view, const QWidget* globalView, bool vertical,
                                                        bool leftToRight, Block didEndAction)
{
    const QRectF offset
        = slideOffsetFrame(frameBottomLeft(view), frameBottomLeft(globalView), vertical, leftToRight, false);
    animateTo(m_animator, speedRatio() * kSlideSeconds, view, qtFrameOf(view, offset), std::move(didEndAction));
}
