#include "schedules/ViewPlanificatorTitle.h"

#include "schedules/ViewPlanificator.h"

#include "foundation/localized.h"
#include "toolkit/drawing/drawing.h"
#include "toolkit/drawing/geometry.h"

#include <QPainter>

namespace {

const QColor kStrip(64, 64, 150);

} // namespace

ViewPlanificatorTitle::ViewPlanificatorTitle(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("view_title"));
    setMinimumHeight(18);
}

void ViewPlanificatorTitle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawRect(painter, QRectF(rect()));
}

void ViewPlanificatorTitle::drawRect(QPainter& painter, const QRectF& rect) const
{
    fillRectCG(painter, kStrip, false, rect);
    drawGrid(painter, rect);
}

QString ViewPlanificatorTitle::monthLabel(int month)
{
    return localizedShortMonthName(month);
}

void ViewPlanificatorTitle::drawGrid(QPainter& painter, const QRectF& rect) const
{
    const double h = rect.height();
    for (long m = 1; m <= 12; ++m) {
        const double x = ViewPlanificator::columnX(m, rect.width());
        const QRectF box(x - 20, 0, 40, h);
        drawStringInRect(painter, monthLabel(int(m)), ViewPlanificator::labelFont(), 2, 2, Qt::white, kStrip,
                         fromBottomLeft(box, h), QColor(), true);
        const QPointF a = fromBottomLeft(QPointF(x, 0), h);
        const QPointF b = fromBottomLeft(QPointF(x, 5), h);
        drawLineCG(painter, Qt::white, false, a.x(), a.y(), b.x(), b.y(), 1);
    }
    const QPointF a = fromBottomLeft(QPointF(0, 1), h);
    const QPointF b = fromBottomLeft(QPointF(rect.width(), 1), h);
    drawLineCG(painter, QColor(210, 210, 210), false, a.x(), a.y(), b.x(), b.y(), 1);
}
