#include "toolkit/drawing/geometry.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/media/Animator.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cmath>

QRectF fromBottomLeft(const QRectF& rect, double containerHeight)
{
    return QRectF(rect.x(), containerHeight - rect.y() - rect.height(), rect.width(), rect.height());
}

QRectF toBottomLeft(const QRectF& rect, double containerHeight)
{
    return fromBottomLeft(rect, containerHeight);
}

QPointF fromBottomLeft(const QPointF& point, double containerHeight)
{
    return QPointF(point.x(), containerHeight - point.y());
}

QPointF toBottomLeft(const QPointF& point, double containerHeight)
{
    return fromBottomLeft(point, containerHeight);
}

namespace {

// Stored frames count from the main screen's bottom edge, panels included: the same place on
// every machine whatever its panels take.
double screenOriginHeight()
{
    const QRect screen = UiHost::instance().screen().fullFrame();
    return screen.y() + screen.height();
}

} // namespace

QRectF toScreenBottomLeft(const QRect& screenFrame)
{
    return toBottomLeft(QRectF(screenFrame), screenOriginHeight());
}

QRect fromScreenBottomLeft(const QRectF& stored)
{
    return fromBottomLeft(stored, screenOriginHeight()).toRect();
}

QRectF frameBottomLeft(const QWidget* view)
{
    if (!view)
        return QRectF();
    if (view->isWindow() || !view->parentWidget())
        return QRectF(0, 0, view->width(), view->height());
    return toBottomLeft(QRectF(view->geometry()), view->parentWidget()->height());
}

void setFrameBottomLeft(QWidget* view, const QRectF& frame)
{
    if (!view)
        return;
    if (view->isWindow() || !view->parentWidget()) {
        view->resize(frame.size().toSize());
        return;
    }
    view->setGeometry(fromBottomLeft(frame, view->parentWidget()->height()).toRect());
}

QRectF centerRect(const QRectF& r1, const QRectF& r2)
{
    return QRectF(r2.x() + (r2.width() - r1.width()) * 0.5, r2.y() + (r2.height() - r1.height()) * 0.5, r1.width(),
                  r1.height());
}

QRectF applyFactorToFrame(const QRectF& frame, double factor)
{
    return QRectF(frame.x() * factor, frame.y() * factor, frame.width() * factor, frame.height() * factor);
}

void applyFactorToView(double factor, QWidget* view)
{
    if (view)
        view->setGeometry(applyFactorToFrame(QRectF(view->geometry()), factor).toRect());
}

QFont applyFactorToFont(const QFont& font, double factor)
{
    QFont scaled(font);
    // The toolkit's fonts are sized in pixels (see makeListFont); others keep their points.
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
    else
        scaled.setPointSizeF(font.pointSizeF() * factor);
    return scaled;
}

namespace {

void applyFactorToControl(double factor, QWidget* control)
{
    if (!control)
        return;
    applyFactorToView(factor, control);
    control->setFont(applyFactorToFont(control->font(), factor));
}

} // namespace

void applyFactorToLabel(double factor, QLabel* label)
{
    applyFactorToControl(factor, label);
}
void applyFactorToTextField(double factor, QLineEdit* textField)
{
    applyFactorToControl(factor, textField);
}
void applyFactorToButton(double factor, QAbstractButton* button)
{
    applyFactorToControl(factor, button);
}

void AnimationGroup::setFrame(QWidget* view, const QRect& frame)
{
    m_moves.push_back(FrameMove {view, frame});
}

void XanimateWithDuration(double seconds, const std::function<void(AnimationGroup&)>& animationBlock,
                          std::function<void()> didEndBlock, IAnimator* animator)
{
    AnimationGroup group;
    if (animationBlock)
        animationBlock(group);
    IAnimator& target = animator ? *animator : UiHost::instance().animator();
    std::vector<AnimationStage> stages {AnimationStage {int(std::lround(seconds * 1000)), group.moves()}};
    target.animate(std::move(stages), std::move(didEndBlock));
}

QImage XCGImage(const QPixmap& image)
{
    return image.toImage();
}

void centerInRect(QWidget* view, const QRect& rect, bool horizontal, bool vertical)
{
    if (!view)
        return;
    QRect frame = view->geometry();
    if (horizontal)
        frame.moveLeft(rect.x() + int(std::lround((rect.width() - frame.width()) * 0.5)));
    if (vertical)
        frame.moveTop(rect.y() + int(std::lround((rect.height() - frame.height()) * 0.5)));
    view->setGeometry(frame);
}

void centerInRect(QWidget* view, const QRect& rect)
{
    centerInRect(view, rect, true, true);
}

void centerInSuperview(QWidget* view, const QWidget* superview, bool horizontal, bool vertical)
{
    // The superview's own area, not its frame in its parent: a superview placed away from its
    // parent's origin would otherwise push the view off centre by that offset.
    if (view && superview)
        centerInRect(view, superview->rect(), horizontal, vertical);
}

void centerInSuperview(QWidget* view, const QWidget* superview)
{
    centerInSuperview(view, superview, true, true);
}

QPointF centerPoint(const QWidget* view)
{
    if (!view)
        return QPointF(0, 0);
    const QRect frame = view->geometry();
    return QPointF(frame.x() + frame.width() * 0.5, frame.y() + frame.height() * 0.5);
}

QRect globalFrame(const QWidget* view)
{
    if (!view)
        return QRect();
    if (view->isWindow())
        return QRect(QPoint(0, 0), view->size());
    return QRect(view->mapTo(view->window(), QPoint(0, 0)), view->size());
}

QImage convertToImage(QWidget* view)
{
    if (!view)
        return QImage();
    return view->grab().toImage();
}

void XMouseDown(const QWidget* view, const QPointF& windowLocation, const std::function<void(QPointF)>& actionBlock)
{
    if (actionBlock)
        actionBlock(windowLocation - QPointF(globalFrame(view).topLeft()));
}

void XmoveToFront(QWidget* view)
{
    if (view)
        view->raise();
}

void saveGraphicsState(QPainter& painter)
{
    painter.save();
}
void restoreGraphicsState(QPainter& painter)
{
    painter.restore();
}
void setShouldAntialias(QPainter& painter, bool antialias)
{
    painter.setRenderHint(QPainter::Antialiasing, antialias);
}
