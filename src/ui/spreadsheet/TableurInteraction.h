#pragma once
// How a spreadsheet grid answers the mouse. Its bands pass every press, move and release here,
// with the point in the main view's coordinates:
// - resize handles: moving over a column's right edge, a row's bottom edge, the top edge of the
//   row headers or the left edge of the column headers shows a resize cursor; a drag from there
//   resizes, within the grid's limits;
// - selection: a press in the column headers, the row headers or the content selects (Shift
//   extends, Ctrl adds or removes, as Command does elsewhere), a drag with the button held
//   follows the mouse and scrolls by 10 points a step while the mouse is outside the band; the
//   right button (a Control-click elsewhere) asks the window for its menu.
// Only Shift, Ctrl, Alt and Meta count: Caps Lock or the keypad never turn a click into another.
#include "spreadsheet/MouseStateObject.h"
#include "spreadsheet/tableurgeometry.h"
#include "toolkit/host/UiHost.h"

#include <QPointF>
#include <QPointer>

#include <vector>

class FenTableurController;
class QMouseEvent;
class QWidget;
class ViewTableur;

class TableurInteraction {
public:
    // The modifier value of a press or drag, compared as a whole.
    enum class Modifier {
        None,
        Shift,
        Command, // Ctrl
        Control, // the right button, or Meta: asks for a menu
        Other, // any two together, Alt
    };

    explicit TableurInteraction(FenTableurController& controller);
    ~TableurInteraction();
    TableurInteraction(const TableurInteraction&) = delete;
    TableurInteraction& operator=(const TableurInteraction&) = delete;

    const MouseStateObject& mouseStateObject() const { return m_state; }
    // Back to no zone, no object, no drag, no handles (a new grid).
    void reset();

    // ---- Events from the bands (and the corner box).

    void mousePress(QWidget* source, const QMouseEvent& event);
    void mouseMove(QWidget* source, const QMouseEvent& event);
    void mouseRelease(QWidget* source, const QMouseEvent& event);
    void mouseLeave();

    static Modifier modifierOf(Qt::KeyboardModifiers modifiers, Qt::MouseButton button);

    // ---- The operations behind them, on main-view points.

    void mouseEntered(const TableurHandle& handle);
    void mouseExited();
    void mouseDown(const QPointF& point, Modifier modifier, const QPoint& globalPos);
    void mouseDragged(const QPointF& point, Modifier modifier);
    void mouseUp();
    void didMouseDownAtPoint(const QPointF& point, Modifier modifier, const QPoint& globalPos);
    void didMouseDownInColumnHeaderAtPoint(const QPointF& point, Modifier modifier, const QPoint& globalPos);
    void didMouseDownInRowHeaderAtPoint(const QPointF& point, Modifier modifier, const QPoint& globalPos);
    void didMouseDownInContentAtPoint(const QPointF& point, Modifier modifier, const QPoint& globalPos);
    void didDragInContentAtPoint(const QPointF& point, Modifier modifier);
    // One step of automatic scrolling toward the point; false when nothing moved.
    bool mouseDraggedAutoScroll(const QPointF& point);
    // The display column (row of the current page) under a main-view point: past the last
    // column the last one; below the last row of the page (or on an empty page) -1.
    long findColumnIndexAtLocalPoint(const QPointF& point) const;
    long findRowIndexAtLocalPoint(const QPointF& point) const;
    // A point of a band (or of any widget of the window) in the main view's coordinates.
    QPointF globalPointToLocalPoint(const QWidget* source, const QPointF& point) const;

    // ---- Resize handles.

    void resetColumnTrackingWidthAreas();
    void resetRowTrackingHeightAreas();
    void removeAllColumnsTrackingWidthAreas() { m_columnHandles.clear(); }
    void removeAllRowsTrackingWidthAreas() { m_rowHandles.clear(); }
    void resetTrackingAreas();
    void removeAllTrackingWidthAreas();
    // The handle under a main-view point, where the band shows it; null for none.
    const TableurHandle* handleAtPoint(const QPointF& point) const;
    const std::vector<TableurHandle>& columnHandles() const { return m_columnHandles; }
    const std::vector<TableurHandle>& rowHandles() const { return m_rowHandles; }
    bool autoscrolls() const { return m_autoscroll != 0; }

private:
    void beginResize();
    void dragResize(const QPointF& delta);
    void dragInColumnHeaders(const QPointF& point, Modifier modifier);
    void dragInRowHeaders(const QPointF& point, Modifier modifier);
    void keepAutoscrolling(const QPointF& point, Modifier modifier);
    void stopAutoscroll();
    ViewTableur* bandOfZone(int zone) const;
    QRectF frameOf(const QWidget* band) const;
    void showResizeCursor(bool horizontal);

    FenTableurController& m_controller;
    MouseStateObject m_state;
    std::vector<TableurHandle> m_columnHandles; // in the column headers' document
    std::vector<TableurHandle> m_rowHandles; // in the row headers' document
    bool m_onHandle = false;
    float m_initialWidth = 0;
    float m_initialHeight = 0;
    IScheduler::Handle m_autoscroll = 0;
    QPointF m_autoscrollPoint;
    Modifier m_autoscrollModifier = Modifier::None;
};
