#include "toolkit/windows/StdWindowMotion.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/APPLIPARAM.h"

#include <QEventLoop>
#include <QPointer>

#include <memory>

namespace {

constexpr int kWindowAnimationMs = 250;

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
    playOpenSound();
    m_controller.orderFront();
    // Fitted before it slides in: the slide ends on the frame it starts from, which would undo a
    // fitting made on the way.
    if (adjust)
        m_controller.adjustHeight(false);
    StdWindow* window = m_controller.windowIfLoaded();
    if (window && m_controller.animatesWhenAppear() && APPLIPARAM::loadAppliParam().doAnimations) {
        const QRect frame = window->geometry();
        StdWindowPlacement::setSliding(window, true);
        window->setGeometry(QRect(-frame.width(), frame.y(), frame.width(), frame.height()));
        QPointer<StdWindow> slid(window);
        UiHost::instance().animator().animateWidget(window, {{frame, kWindowAnimationMs}},
                                                    [slid] { StdWindowPlacement::setSliding(slid, false); });
    }
    if (didAnimate)
        didAnimate();
}

void StdWindowMotion::closeAnimation(std::function<void()> completion)
{
    StdWindow* window = m_controller.windowIfLoaded();
    const bool animates
        = !m_closeAnimationRun && window && !m_controller.isSheet() && APPLIPARAM::loadAppliParam().doAnimations;
    if (!animates) {
        if (completion)
            completion();
        return;
    }
    m_closeAnimationRun = true;
    const QRectF frame(window->geometry());
    const QRect target(frame.center().toPoint(), QSize(0, 0));
    // The controller, and this with it, may be gone when a modeless window's shrinking ends.
    QPointer<StdWindowController> alive(&m_controller);
    QPointer<StdWindow> shrinking(window);
    StdWindowPlacement::setSliding(window, true);
    const bool sound = m_controller.soundWhenClose();
    auto didShrink = [this, alive, shrinking, sound, completion = std::move(completion)] {
        StdWindowPlacement::setSliding(shrinking, false);
        if (sound && APPLIPARAM::loadAppliParam().doSoundsClose) {
            SVSoundManager::sharedSVInstance().playSoundCloseWindow();
            if (alive)
                m_closeSoundPlayed = true;
        }
        if (completion)
            completion();
    };
    UiHost::instance().animator().animateWidget(window, {{target, kWindowAnimationMs}}, std::move(didShrink));
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
    ModalRunScope scope;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
