#pragma once
// Where a list window goes on the screen when its height is fitted to its rows. Frames and the
// screen are Qt's (y down, the outer frame of a window); the formulas are worked with the
// screen's bottom as origin, as they are written, and converted by the view geometry helpers.
#include <QRect>

// The window's frame once its height has changed by heightChange (what its lists lack, or less
// than zero what they have too much). The window keeps its top edge and its bottom stays on the
// screen; a window too tall for the screen takes the whole height of the screen, or with keepTop
// keeps its top and stops at the screen's bottom.
QRect fittedListWindowFrame(const QRect& screen, const QRect& frame, double heightChange, bool keepTop);
