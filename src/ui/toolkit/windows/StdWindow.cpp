#include "toolkit/windows/StdWindow.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"
#include "foundation/diagnostics.h"
#include "foundation/selectors.h"
#include "toolkit/fields/shownorder.h"
#include "toolkit/windows/StdFrameFollower.h"
#include "toolkit/windows/windowutils.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>

#include <utility>

namespace {

KeyDownInterceptor& installedInterceptor()
{
    static KeyDownInterceptor interceptor;
    return interceptor;
}

// The code of a key that has a character of its own: the typed character when it is a printable
// one, else the key's own character (Control turns letters into control characters).
int characterCode(const QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty()) {
        const char16_t c = text.at(0).unicode();
        if (c >= 0x20 && c != 0x7F)
            return c;
    }
    const int key = event->key();
    if (key <= 0 || key >= Qt::Key_Escape)
        return 0;
    const QChar c(static_cast<char16_t>(key));
    return (event->modifiers() & Qt::ShiftModifier) ? c.toUpper().unicode() : c.toLower().unicode();
}

} // namespace

void setKeyDownInterceptor(KeyDownInterceptor interceptor)
{
    installedInterceptor() = std::move(interceptor);
}

bool interceptKeyDownEvent(QKeyEvent* event)
{
    const KeyDownInterceptor& interceptor = installedInterceptor();
    return event && interceptor && interceptor(event);
}

int svKeyCode(const QKeyEvent* event)
{
    if (!event)
        return 0;
    switch (event->key()) {
    case Qt::Key_Left:
        return kKeyLeftArrow;
    case Qt::Key_Right:
        return kKeyRightArrow;
    case Qt::Key_Up:
        return kKeyUpArrow;
    case Qt::Key_Down:
        return kKeyDownArrow;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyReturn;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return kKeyDelete;
    case Qt::Key_Tab:
        return kKeyTab;
    case Qt::Key_Backtab:
        return kKeyBacktab;
    case Qt::Key_Escape:
        return kKeyEscape;
    default:
        return characterCode(event);
    }
}

// ---------------------------------------------------------------------------------------------

StdWindow::StdWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
}

void StdWindow::initialize()
{
    m_isDragging = false;
}

void StdWindow::didMouseUp()
{
    if (m_isDragging && hasStdController())
        invokeController("didEndDraggingWindow");
    m_isDragging = false;
}

// Only a window controller makes itself the controller of its window.
bool StdWindow::hasStdController() const
{
    return !m_controller.isNull();
}

bool StdWindow::runsModally() const
{
    return windowModality() != Qt::NonModal || isModalWindow(this);
}

void StdWindow::invokeController(const char* method)
{
    if (!m_controller)
        return;
    const bool invoked = QMetaObject::invokeMethod(m_controller, method, Qt::DirectConnection);
    SV_ASSERT(invoked);
}

void StdWindow::becomeKeyWindow()
{
    if (!APPLIPARAM::loadAppliParam().flouter) {
        setWindowOpacity(1.0);
        return;
    }
    if (!hasStdController())
        return;
    if (!runsModally()) {
        sendToAllWindowDelegates(Sel::upAlpha);
        return;
    }
    sendToAllWindowDelegates(Sel::downAlphaIfNotEquals, QVariant::fromValue<QObject*>(m_controller.data()));
    setWindowOpacity(1.0);
}

// Tab and Shift+Tab walk the chain in the order the window shows its controls, put in order again
// first for the controls a window builds once open.
bool StdWindow::focusNextPrevChild(bool next)
{
    QWidget* stop = tabStopBeside(this, next);
    if (!stop)
        return false;
    stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void StdWindow::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StdWindow::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton)
        m_isDragging = true;
}

void StdWindow::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    m_isDragging = false;
}

// The window manager moves a window by its title bar without telling the program when the drag
// ends: the end is taken to be a short while without further moves.
void StdWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Neither a move the program made in answer to a move, nor the place the window manager gave
    // instead of one the program asked, is the end of a drag.
    if (event->pos() == event->oldPos() || !isVisible() || m_answering || StdFrameFollower::isFollowing(this))
        return;
    IScheduler& scheduler = UiHost::instance().scheduler();
    if (m_moveTimer)
        scheduler.cancel(m_moveTimer);
    m_moveTimer = scheduler.after(
        kMoveSettleMs, IScheduler::Mode::Default, [this] { didSettleAfterMove(); }, this);
}

StdWindow::AnswerScope::AnswerScope(QWidget* window)
    : m_window(qobject_cast<StdWindow*>(window))
{
    if (m_window)
        m_wasAnswering = std::exchange(m_window->m_answering, true);
}

StdWindow::AnswerScope::~AnswerScope()
{
    if (m_window)
        m_window->m_answering = m_wasAnswering;
}

void StdWindow::didSettleAfterMove()
{
    m_moveTimer = 0;
    if (hasStdController())
        invokeController("windowDidMove");
}

void StdWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        becomeKeyWindow();
}
