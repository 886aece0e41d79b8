#pragma once
// What the mouse is doing in a spreadsheet grid, from a press to its release: the zone (a resize
// handle or a selection drag), the objects it works on and the guards of dragging and automatic
// scrolling.
#include <QPointF>

class CellObject;

struct MouseStateObject {
    enum Zone : int {
        kNone = 0,
        kColumnWidth = 1, // the handle on a column's right edge
        kColumnHeaderHeight = 2, // the handle on the top edge of the row headers
        kRowHeaderWidth = 3, // the handle on the left edge of the column headers
        kRowHeight = 4, // the handle on a row's bottom edge
        kDragColumnHeaders = 5,
        kDragRowHeaders = 6,
        kDragContent = 7,
    };

    bool isDragging = false;
    bool draggingSemaphoreOn = false; // a drag event is being handled
    bool autoscrollSemaphoreOn = false; // automatic scrolling is off (set on release)
    int zone = kNone;
    // A resize: object 1 is the header whose handle is under the mouse. A selection drag: object
    // 1 is where the press began, object 2 the object reached last. Not owned.
    CellObject* associatedObject1 = nullptr;
    CellObject* associatedObject2 = nullptr;
    // Where the last press was, in the main view's coordinates.
    QPointF lastClickedPoint;
};
