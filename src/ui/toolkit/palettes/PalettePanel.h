#pragma once
// What makes a palette's window a panel that the user drags by any point of its background, not
// only by its title bar. A press on the background (or on a control that leaves the press to the
// window, such as a label) makes the panel remember where the mouse went down (pt0) and watch the
// application's mouse events until the button comes up. Once the mouse has moved with the button
// down, the window system is asked to move the window; where it can't, each drag moves the window
// by the mouse's offset from pt0 and goes no further. The mouse-up ends the watch and goes on as
// usual; a click that does not move the mouse moves nothing.
#include <QObject>
#include <QPointF>
#include <QPointer>
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

    QPointer<QWidget> m_window;
    QPointF m_pt0;
    bool m_dragHandler = false;
    bool m_dragging = false; // the mouse has moved since the press
};
