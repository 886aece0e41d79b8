#pragma once
// The top-level widget of every window of the program. It belongs to a window controller (a
// StdWindowController), which it tells when the user has finished moving it, and it dims or
// restores the other windows when it becomes the active one, so that a modal window stands out.
//
// The controller is called by name, as the broadcast calls it: it defines `windowDidMove()` and
// `didEndDraggingWindow()` as slots or Q_INVOKABLE methods.
#include "toolkit/host/UiHost.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

// The application's first look at every key typed in its windows (the macro keys): answers true
// when it consumed the key, and the window, table or field then does nothing more with it.
using KeyDownInterceptor = std::function<bool(QKeyEvent*)>;
void setKeyDownInterceptor(KeyDownInterceptor interceptor);
// Offers the key to the installed interceptor; false when there is none.
bool interceptKeyDownEvent(QKeyEvent* event);

// The program's code of a key: the arrows 0xF702 (left), 0xF703 (right), 0xF700 (up),
// 0xF701 (down); Return and Enter 13; Backspace and Delete 127; Tab 9; Backtab 25; Escape 27;
// any other key its first character (ignoring modifiers), 0 for a key without one.
enum : int {
    kKeyUpArrow = 0xF700,
    kKeyDownArrow = 0xF701,
    kKeyLeftArrow = 0xF702,
    kKeyRightArrow = 0xF703,
    kKeyReturn = 13,
    kKeyDelete = 127,
    kKeyTab = 9,
    kKeyBacktab = 25,
    kKeyEscape = 27,
};
int svKeyCode(const QKeyEvent* event);

class StdWindow : public QWidget {
    Q_OBJECT
public:
    explicit StdWindow(QWidget* parent = nullptr);

    // The window controller (a StdWindowController) that owns the window, set by the controller
    // itself; not owned here, forgotten when it is destroyed.
    void setController(QObject* controller) { m_controller = controller; }
    QObject* controller() const { return m_controller; }

    // Called by the controller once the window is built.
    void initialize();

    bool isDragging() const { return m_isDragging; }
    void setIsDragging(bool dragging) { m_isDragging = dragging; }
    // Told by the application on every left mouse-up in the window, before the event is handled:
    // ends a drag of the window, telling the controller.
    void didMouseUp();

    // What becoming the active window does to the windows' transparency: with the application
    // parameter flouter on, a modeless window brings every window back to full opacity and a
    // modal one (or a sheet) dims the others; this window itself is always fully opaque.
    void becomeKeyWindow();

    // The time between the last move the window is told of and the call of the controller's
    // windowDidMove; a window being dragged reports many moves, the controller wants the end of the drag.
    static constexpr int kMoveSettleMs = 250;

    // What the program moves in answer to a move (the window kept clear of the tool palette, a
    // palette placed beside its window) is moved inside this scope: such a move calls for no
    // answer, so a window manager that refuses it is not asked again and again.
    class AnswerScope {
    public:
        explicit AnswerScope(QWidget* window);
        ~AnswerScope();
        AnswerScope(const AnswerScope&) = delete;
        AnswerScope& operator=(const AnswerScope&) = delete;

    private:
        QPointer<StdWindow> m_window;
        bool m_wasAnswering = false;
    };

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool hasStdController() const;
    bool runsModally() const;
    void invokeController(const char* method);
    void didSettleAfterMove();

    QPointer<QObject> m_controller;
    bool m_isDragging = false;
    bool m_answering = false; // inside an AnswerScope
    IScheduler::Handle m_moveTimer = 0; // the pending windowDidMove, 0 for none
};
