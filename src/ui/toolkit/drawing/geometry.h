#pragma once
// View geometry: centring, scaling whole panels by a factor, a view's frame in its window,
// pictures of views, short animations, and the graphics state of a painter.
//
// Qt places rectangles from the top-left corner of their container, y growing downward. Many
// placement formulas of the program are written for a bottom-left origin, y growing upward;
// they are computed as written and converted here, and only here (fromBottomLeft, toBottomLeft,
// frameBottomLeft, setFrameBottomLeft), so their numbers stay recognisable.
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <functional>
#include <vector>

class IAnimator;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPainter;
class QPixmap;
class QWidget;
struct FrameMove;

// A rectangle or point given from the bottom-left corner of a container of that height, in Qt's
// coordinates; and back (the conversion is its own inverse).
QRectF fromBottomLeft(const QRectF& rect, double containerHeight);
QRectF toBottomLeft(const QRectF& rect, double containerHeight);
QPointF fromBottomLeft(const QPointF& point, double containerHeight);
QPointF toBottomLeft(const QPointF& point, double containerHeight);
// A window's content rectangle as documents keep it: from the bottom-left corner of the main
// screen's whole frame, y growing upward; and back to Qt's screen coordinates.
QRectF toScreenBottomLeft(const QRect& screenFrame);
QRect fromScreenBottomLeft(const QRectF& stored);
// A view's frame from the bottom-left corner of its parent. A window is its own content view:
// its frame is at (0, 0), and setting it only sizes the window (where a window goes on the
// screen is the screen's business). A missing view has an empty frame.
QRectF frameBottomLeft(const QWidget* view);
void setFrameBottomLeft(QWidget* view, const QRectF& frame);

// r1's size centred in r2.
QRectF centerRect(const QRectF& r1, const QRectF& r2);
// Origin and size multiplied by the factor.
QRectF applyFactorToFrame(const QRectF& frame, double factor);
void applyFactorToView(double factor, QWidget* view);
// The same font at its size times the factor.
QFont applyFactorToFont(const QFont& font, double factor);
// The control's frame and then its font times the factor.
void applyFactorToLabel(double factor, QLabel* label);
void applyFactorToTextField(double factor, QLineEdit* textField);
void applyFactorToButton(double factor, QAbstractButton* button);

// The frame changes of one animation, gathered by its animation block.
class AnimationGroup {
public:
    void setFrame(QWidget* view, const QRect& frame);
    const std::vector<FrameMove>& moves() const { return m_moves; }

private:
    std::vector<FrameMove> m_moves;
};
// Runs the animation block to gather frame changes, animates them together over the duration,
// then runs the end block (when given). The animator is the installed UiHost's unless given.
void XanimateWithDuration(double seconds, const std::function<void(AnimationGroup&)>& animationBlock,
                          std::function<void()> didEndBlock, IAnimator* animator = nullptr);
QImage XCGImage(const QPixmap& image);

// Moves the view so that its frame is centred in the rect, horizontally and/or vertically.
void centerInRect(QWidget* view, const QRect& rect, bool horizontal, bool vertical);
void centerInRect(QWidget* view, const QRect& rect);
// Centres the view inside its superview's area.
void centerInSuperview(QWidget* view, const QWidget* superview, bool horizontal, bool vertical);
void centerInSuperview(QWidget* view, const QWidget* superview);
// The centre of the view's frame; (0, 0) for no view.
QPointF centerPoint(const QWidget* view);
// The view's frame in its window's coordinates.
QRect globalFrame(const QWidget* view);
// A picture of the view; a null image when there is no view or it can't be drawn.
QImage convertToImage(QWidget* view);
// Calls the action with a mouse location given in the window's coordinates, made relative to the
// view.
void XMouseDown(const QWidget* view, const QPointF& windowLocation, const std::function<void(QPointF)>& actionBlock);
// Puts the view in front of its siblings.
void XmoveToFront(QWidget* view);

void saveGraphicsState(QPainter& painter);
void restoreGraphicsState(QPainter& painter);
void setShouldAntialias(QPainter& painter, bool antialias);
