#include "toolkit/windows/StdWindowMotion.h"

#include "toolkit/host/KeyboardReturn.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWindow>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kWindowAnimationMs = 250;
constexpr const char* kSlideAwaited = "sorv_slide_awaited";
constexpr const char* kSizedByManager = "sorv_sized_by_manager";

// The window comes in from beyond the left edge of the screen to its frame. The window manager
// may tell its real decorations on the way, when the frame was placed with guessed ones: the
// window is kept on screen with them as the slide ends.
void slideIn(StdWindow* window, QRect frame)
{
    StdWindowPlacement::setSliding(window, true);
    window->setGeometry(QRect(-frame.width(), frame.y(), frame.width(), frame.height()));
    QPointer<StdWindow> slid(window);
    UiHost::instance().animator().animateWidget(window, {{frame, kWindowAnimationMs}}, [slid] {
        StdWindowPlacement::setSliding(slid, false);
        if (slid && slid->isVisible() && !StdWindowPlacement::isWithinArea(slid))
            StdWindowPlacement::keepOnScreen(slid);
    });
}

// A window manager takes a new window where the window says it stands when the manager gets to
// it, some time after the program showed it, and a tiling one (i3) keeps that frame as the one
// it floats the window at later. A slide begun meanwhile would leave its start, off the screen,
// as that frame: the window slides only once the manager has shown it, and never again once the
// manager has given it a size of its own (a tile), where every step would be refused.
class SlideOnceShown : public QObject {
public:
    SlideOnceShown(StdWindow* window, const QRect& frame, const QSize& shownSize)
        : QObject(window)
        , m_window(window)
        , m_frame(frame)
        , m_shownSize(shownSize)
    {
        setObjectName(QLatin1String(kSlideAwaited));
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* handle = qobject_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !handle || !handle->isExposed())
            return false;
        handle->removeEventFilter(this);
        deleteLater();
        // The size the window had as it showed, or the one it asked right after (fitted to its
        // rows): the manager answers the requests in turn.
        const QSize given = handle->geometry().size();
        if (!m_window || !m_window->isVisible())
            return false;
        if (given == m_frame.size() || given == m_shownSize)
            slideIn(m_window, m_frame);
        else
            m_window->setProperty(kSizedByManager, true);
        return false;
    }

private:
    QPointer<StdWindow> m_window;
    QRect m_frame;
    QSize m_shownSize;
};

// A window already on screen slides at once; one just shown, once the manager has shown it. A
// slide still awaited gives way to the new one.
void slideWhenShown(StdWindow* window, bool wasOnScreen, const QSize& shownSize)
{
    delete window->findChild<QObject*>(QLatin1String(kSlideAwaited), Qt::FindDirectChildrenOnly);
    if (window->property(kSizedByManager).toBool())
        return;
    if (wasOnScreen || !window->windowHandle())
        slideIn(window, window->geometry());
    else
        new SlideOnceShown(window, window->geometry(), shownSize);
}

} // namespace

StdWindowMotion::StdWindowMotion(StdWindowController& controller)
    : m_controller(controller)
{
}

void StdWindowMotion::playOpenSound() const
{
    if (m_controller.soundWhenAppear() && APPLIPARAM::loadAppliParam().doSoundsOpen)
        SVSoundManager::sharedSVInstance().playSoundOpenWindow();
}

void StdWindowMotion::appear(bool adjust, const std::function<void()>& didAnimate)
{
    const StdWindow* before = m_controller.windowIfLoaded();
    const bool wasOnScreen
        = before && before->isVisible() && before->windowHandle() && before->windowHandle()->isExposed();
    playOpenSound();
    m_controller.orderFront();
    StdWindow* window = m_controller.windowIfLoaded();
    const QSize shownSize = window ? window->size() : QSize();
    // Fitted before it slides in: the slide ends on the frame it starts from, which would undo a
    // fitting made on the way.
    if (adjust)
        m_controller.adjustHeight(false);
    if (window && m_controller.animatesWhenAppear() && APPLIPARAM::loadAppliParam().doAnimations)
        slideWhenShown(window, wasOnScreen, shownSize);
    if (didAnimate)
        didAnimate();
}

void StdWindowMotion::closeAnimation(std::function<void()> completion)
{
    // A second close while the window shrinks waits for the shrinking: its block runs after the
    // first one's, never before the window has gone.
    if (m_shrinking) {
        if (completion)
            m_afterShrink.push_back(std::move(completion));
        return;
    }
    StdWindow* window = m_controller.windowIfLoaded();
    const bool animates
        = !m_closeAnimationRun && window && !m_controller.isSheet() && APPLIPARAM::loadAppliParam().doAnimations;
    if (!animates) {
        if (completion)
            completion();
        return;
    }
    m_closeAnimationRun = true;
    m_shrinking = true;
    UiHost::instance().runBeginsClosing(window);
    if (completion)
        m_afterShrink.push_back(std::move(completion));
    // The user is done with the window: what is typed from now on is for the one after it.
    KeyboardReturn::windowBeginsClosing(window);
    const QRectF frame(window->geometry());
    const QRect target(frame.center().toPoint(), QSize(0, 0));
    // The controller, and this with it, may be gone when the shrinking ends (a modeless window
    // deleted once the runs ended): the blocks handed over were its own, and go with it.
    QPointer<StdWindowController> alive(&m_controller);
    QPointer<StdWindow> shrinking(window);
    StdWindowPlacement::setSliding(window, true);
    const bool sound = m_controller.soundWhenClose();
    auto ended = [this, alive, shrinking, sound] {
        StdWindowPlacement::setSliding(shrinking, false);
        if (sound && APPLIPARAM::loadAppliParam().doSoundsClose) {
            SVSoundManager::sharedSVInstance().playSoundCloseWindow();
            if (alive)
                m_closeSoundPlayed = true;
        }
        if (alive)
            didShrink();
    };
    UiHost::instance().animator().animateWidget(window, {{target, kWindowAnimationMs}}, std::move(ended));
}

// A block may end the run, or close the window again: the shrinking is over before any runs.
void StdWindowMotion::didShrink()
{
    m_shrinking = false;
    const QPointer<StdWindowController> alive(&m_controller);
    std::vector<std::function<void()>> blocks = std::exchange(m_afterShrink, {});
    for (const std::function<void()>& block : blocks) {
        if (!alive)
            return;
        block();
    }
}

void StdWindowMotion::playCloseSoundOnce()
{
    if (m_closeSoundPlayed || !m_controller.soundWhenClose() || !APPLIPARAM::loadAppliParam().doSoundsClose)
        return;
    m_closeSoundPlayed = true;
    SVSoundManager::sharedSVInstance().playSoundCloseWindow();
}

void StdWindowMotion::waitForCloseAnimation()
{
    auto done = std::make_shared<bool>(false);
    QEventLoop loop;
    closeAnimation([done, &loop] {
        *done = true;
        loop.quit();
    });
    if (*done)
        return;
    // Input is not held back until the loop ends: the keys typed meanwhile would then reach the
    // window once it is gone. The shrinking window keeps them for the one after it and drops its
    // other input, so none of its buttons acts again.
    ModalRunScope scope;
    loop.exec();
}
