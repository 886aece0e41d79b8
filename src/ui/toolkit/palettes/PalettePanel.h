#pragma once
// What makes a palette's window a panel that the user drags by any point of its background, not
// only by its title bar. A press on the background (or on a control that leaves the press to the
// window, such as a label) asks the window system to move the window; where it can't, the panel
// remembers where the mouse went down (pt0) and watches the application's mouse events until the
// button comes up: each drag moves the window by the mouse's offset from pt0 and goes no further,
// the mouse-up ends the watch and goes on as usual.
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

    // A left press at that place of the window: starts a drag of the window.
    void mouseDown(const QPointF& location);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installDragHandler();
    void removeDragHandler();
    // What the watch does with an event anywhere in the application; true swallows it.
    bool monitorEvent(QEvent* event);

    QPointer<QWidget> m_window;
    QPointF m_pt0;
    bool m_dragHandler = false;
};
