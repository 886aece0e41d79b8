#include "schedules/ViewPlanificator.h"

#include "schedules/ViewPlanificatorController.h"

#include "engines/PlannerTimeline.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "toolkit/drawing/drawing.h"
#include "toolkit/drawing/geometry.h"
#include "toolkit/fields/StdTextView.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

const QColor kBackground(255, 255, 250);
const QColor kGridLine(210, 210, 210);
const QColor kYearText(128, 0, 0);
const QColor kShift(128, 0, 128);
const QColor kEtc(100, 100, 180);

// Lines between two points given from the bottom-left of a rectangle of that height.
void line(QPainter& painter, const QColor& color, double height, QPointF a, QPointF b, double width)
{
    a = fromBottomLeft(a, height);
    b = fromBottomLeft(b, height);
    drawLineCG(painter, color, false, a.x(), a.y(), b.x(), b.y(), width);
}

QColor spanColor(const PlannedSpan& span)
{
    if (span.obsolete)
        return span.first ? QColor(0, 0, 0) : QColor(128, 128, 128);
    if (span.main)
        return QColor(255, 0, 90);
    return span.first ? QColor(0, 140, 0) : QColor(100, 200, 100);
}

} // namespace

ViewPlanificator::ViewPlanificator(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("viewPlanificator"));
}

double ViewPlanificator::columnX(long month, double width)
{
    return (double(month - 1) * 50.0 + 60.0) / 670.0 * width;
}

double ViewPlanificator::xAtDate(double date, long year, const QRectF& rect)
{
    long d = 0;
    long m = 0;
    long y = 0;
    dateToDMY(&d, &m, &y, date);
    if (y != year) {
        svLog(QStringLiteral("Année invalide dans ViewPlanificator.xAtDate"));
        return -1;
    }
    const double left = rect.x() + columnX(m, rect.width());
    const double right = rect.x() + columnX(m + 1, rect.width());
    const double n = double(daysInMonth(m, y));
    return (double(d - 1) * right + (n + 1 - double(d)) * left) / n;
}

QFont ViewPlanificator::labelFont()
{
    QFont font = StdTextView::systemFontOfSize(10);
    font.setBold(true);
    return font;
}

void ViewPlanificator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawRect(painter, QRectF(rect()));
}

void ViewPlanificator::drawGrid(QPainter& painter, const QRectF& rect) const
{
    const double h = rect.height();
    for (long m = 1; m <= 13; ++m) {
        const double x = columnX(m, rect.width());
        line(painter, kGridLine, h, {x, 0}, {x, h}, 1);
    }
    const QRectF label(0, 1, 60.0 / 670.0 * rect.width() - 1, h - 2);
    drawStringInRect(painter, QString::number(m_year), labelFont(), 2, 2, kYearText, kBackground,
                     fromBottomLeft(label, h), QColor(), true);
    const bool lastRow = m_year >= m_firstYear + m_numberOfYears - 1;
    // The origin edge's line separates rows; the last of four or more rows goes without it.
    if (!(lastRow && m_numberOfYears >= 4))
        line(painter, kGridLine, h, {0, 1}, {rect.width(), 1}, 1);
}

void ViewPlanificator::drawRect(QPainter& painter, const QRectF& rect) const
{
    fillRectCG(painter, kBackground, false, rect);
    drawGrid(painter, rect);
    if (!m_delegate)
        return;
    const double h = rect.height();
    const double y = h / 2;
    const bool prevision = m_delegate->isPrevision();
    for (const PlannedSpan& span : m_delegate->spansOfYear(m_year)) {
        const QColor color = spanColor(span);
        const double x1 = xAtDate(span.d1, rect);
        if (!span.continuing && !span.shift)
            plotDateAtPoint(painter, {x1, y}, color, 1, prevision, h);
        const double x2 = xAtDate(span.d2, rect);
        if (prevision && x1 > 0 && x2 > 0 && !span.shift) {
            if (!span.etc)
                line(painter, color, h, {x1, y}, {x2, y}, 1);
            if (span.ending)
                line(painter, color, h, {x2, y - 5}, {x2, y + 5}, 1);
        }
        if (span.shift && x1 > 0 && x2 > 0)
            line(painter, kShift, h, {x1, 2}, {x2, 2}, 2);
        if (span.etc && x1 > 0 && x2 > 0)
            drawStringInRect(painter, QStringLiteral("Etc..."), labelFont(), 2, 2, kEtc, QColor(),
                             QRectF(x1, 0, x2 - x1, h), QColor(), true);
    }
}

void ViewPlanificator::plotDateAtPoint(QPainter& painter, const QPointF& point, const QColor& color, double width,
                                       bool prevision, double height)
{
    const double x = point.x();
    const double y = point.y();
    if (prevision) {
        line(painter, color, height, {x + 4, y + 5}, {x - 1, y}, width);
        line(painter, color, height, {x, y}, {x + 5, y - 5}, width);
        return;
    }
    line(painter, color, height, {x, y - 5}, {x, y + 5}, width);
    line(painter, color, height, {x - 5, y}, {x + 5, y}, width);
}
