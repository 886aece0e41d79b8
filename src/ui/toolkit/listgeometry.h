#pragma once
// Where a list window goes on the screen: its frame when its height is fitted to its rows, and
// the frame of the details palette beside it. Frames and the screen are Qt's (y down, the outer
// frame of a window); the formulas are worked with the screen's bottom as origin, as they are
// written, and converted by the view geometry helpers.
#include <QRect>

// The window's frame once its list, listHeight high, has become wanted high. The window keeps its
// top edge and its bottom stays on the screen; a window too tall for the screen takes the whole
// height of the screen, or with keepTop keeps its top and stops at the screen's bottom.
QRect fittedListWindowFrame(const QRect& screen, const QRect& frame, double listHeight, double wanted, bool keepTop);

// The palette's frame right of the parent's, tops lined up, kept clear of the screen's right edge.
QRect paletteFrameRightOf(const QRect& screen, const QRect& parent, const QSize& palette);
