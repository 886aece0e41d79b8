#pragma once
// What makes a palette's window a panel that the user drags by any point of its background, not
// only by its title bar. A press on the background (or on a control that leaves the press to the
// window, such as a label) makes the panel remember where the mouse went down (pt0) and watch the
// application's mouse events until the button comes up. Once the mouse has moved with the button
// down, the window system is asked to move the window; where it can't, each drag moves the window
// by the mouse's offset from pt0 and goes no further. The mouse-up ends the watch and goes on as
// usual; a click that does not move the mouse moves nothing.
//
// A palette hidden and shown again comes back where it was. Some window managers place a window
// anew each time it is mapped (in a free spot, centred, at a least size of their own): the first
// frame the manager gives after a show, when it is not the one the palette stands at, is answered
// by asking for that one again, once. A press on the palette, or the time a manager takes to
// place a window, ends that wait: what the manager does later (a move the user makes through it,
// a frame it holds to) stands.
//
// A docked panel (a dock whose room a tiling manager keeps clear) stands where the manager holds
// it: it is neither dragged nor asked back.
#include "toolkit/host/UiHost.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QMouseEvent;

class PalettePanel : public QObject {
    Q_OBJECT
public:
    // The window becomes draggable by its background; the panel belongs to the window.
    explicit PalettePanel(QWidget* window);
    ~PalettePanel() override;

    QWidget* window() const { return m_window; }
    // Where the mouse went down, in the window's coordinates.
    QPointF pt0() const { return m_pt0; }
    // Whether the drag watch is installed.
    bool dragHandler() const { return m_dragHandler; }

    // A left press at that place of the window: the watch for a drag of the window begins.
    void mouseDown(const QPointF& location);
    void setDocked(bool docked) { m_docked = docked; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installDragHandler();
    void removeDragHandler();
    // What the watch does with an event anywhere in the application; true swallows it.
    bool monitorEvent(QEvent* event);
    // The mouse at that place of the window, its button down: starts the drag once it has moved
    // far enough from pt0, and answers whether it has.
    bool startDrag(const QPointF& location);
    // The window's shows, hides and frames: where it stands, and the manager's placing.
    void followFrame(const QEvent* event);
    void frameChanged(const QEvent* event);
    void awaitPlacing();
    void putBack();

    // Shown, the window waits for the manager to place it (Awaited); a frame the manager gave
    // instead of the standing one is to be asked back (PutBack).
    enum class Placing { None, Awaited, PutBack };

    QPointer<QWidget> m_window;
    QPointF m_pt0;
    bool m_dragHandler = false;
    bool m_dragging = false; // the mouse has moved since the press
    bool m_docked = false;
    // The frame the window stands at: the program's last, or one the manager gave outside a wait.
    QRect m_standing;
    Placing m_placing = Placing::None;
    IScheduler::Handle m_placingTimer = 0;
};
