#include "toolkit/dialogs/ViewCalendrier.h"

#include "toolkit/dialogs/FenCalendrierController.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/drawing.h"

#include "foundation/dates.h"
#include "foundation/localized.h"

#include <QDate>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kViewWidth = kCalendrierMargin + 4 * kCalendrierMonthStepX;
constexpr double kViewHeight = kCalendrierMargin + 3 * kCalendrierMonthStepY;

// The box the months are drawn on: dark, so that the light weekday letters and month names read.
const QColor kBoxColor = QColor::fromRgbF(0.196f, 0.212f, 0.235f);
const QColor kSymbolColor = QColor::fromRgbF(1, 1, 0.8f);
const QColor kMonthNameColor = QColor::fromRgbF(1, 0.784f, 1);
const QColor kSelectedText = QColor::fromRgbF(1, 1, 0.8f);
const QColor kSelectedFill = QColor::fromRgbF(0.145f, 0.388f, 0.443f);
const QColor kDayText = QColor::fromRgbF(0.267f, 0, 0);
const QColor kDayFill = QColor::fromRgbF(0.933f, 0.933f, 0.933f);

long floorDiv(double value, double step)
{
    return long(std::floor(value / step));
}

// The cell of the day in a month whose first day falls on weekday dow: a sixth week wraps into
// the first column.
QRectF dayRect(long day, long month, long dow)
{
    const QPointF origin = calendrierMonthOrigin(month);
    const long index = day + dow - 1;
    const long column = (index / 7) % 5;
    const long row = index % 7;
    return QRectF(origin.x() + double(column) * kCalendrierCellWidth + 1,
                  origin.y() + double(row) * kCalendrierCellHeight, kCalendrierCellWidth - 1,
                  kCalendrierCellHeight - 1);
}

// The locale's shortest name of the weekday of row r, Monday first.
QString weekdaySymbol(long row)
{
    return QLocale().standaloneDayName(int(row) + 1, QLocale::NarrowFormat);
}

} // namespace

QPointF calendrierMonthOrigin(long month)
{
    const long m = std::clamp(month, 1L, 12L);
    const long gridColumn = (m - 1) % 4;
    const long gridRow = (m - 1) / 4;
    return QPointF(kCalendrierMargin + double(gridColumn) * kCalendrierMonthStepX,
                   kCalendrierMargin + double(gridRow) * kCalendrierMonthStepY);
}

long firstWeekdayOfMonth(long month, long year)
{
    const QDate first(int(year), int(std::clamp(month, 1L, 12L)), 1);
    return first.isValid() ? first.dayOfWeek() - 1 : 0;
}

QRectF cellRect(long day, long month, long year)
{
    return dayRect(day, month, firstWeekdayOfMonth(month, year));
}

// A point beyond the last column or row of months stays in it, so a drag out of the view never
// jumps to a month of another row.
void point2jm(long* day, long* month, long year, const QPointF& point)
{
    const long column = std::clamp(floorDiv(point.x() - kCalendrierMargin, kCalendrierMonthStepX), 0L, 3L);
    const long row = std::clamp(floorDiv(point.y() - kCalendrierMargin, kCalendrierMonthStepY), 0L, 2L);
    const long m = column + 4 * row + 1;
    const QPointF origin = calendrierMonthOrigin(m);
    const long r = std::clamp(floorDiv(point.y() - origin.y() - 1, kCalendrierCellHeight), 0L, 6L);
    const long c = std::clamp(floorDiv(point.x() - origin.x() - 1, kCalendrierCellWidth), 0L, 4L);
    const long days = daysInMonth(m, year);
    const long w = firstWeekdayOfMonth(m, year);
    long d = std::min(days, r + 1 - w + 7 * c);
    if (d < 1) {
        const bool wrappedDay = days + w >= 36 && r + 1 + 7 * c <= days + w - 35;
        d = wrappedDay ? std::min(35 + d, days) : 1;
    }
    if (day)
        *day = d;
    if (month)
        *month = m;
}

// ---------------------------------------------------------------------------------------------

ViewCalendrier::ViewCalendrier(FenCalendrierController* calendrier, QWidget* parent)
    : QWidget(parent)
    , m_calendrier(calendrier)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

FenCalendrierController* ViewCalendrier::calendrier() const
{
    return m_calendrier;
}

QSize ViewCalendrier::sizeHint() const
{
    return QSize(int(kViewWidth), int(kViewHeight));
}

QFont ViewCalendrier::calendarFont() const
{
    return m_calendrier ? m_calendrier->fontCalendrier() : makeListFont(false, false, 10);
}

void ViewCalendrier::drawCalendrierTrame(QPainter& painter) const
{
    for (long month = 1; month <= 12; ++month) {
        const QPointF origin = calendrierMonthOrigin(month);
        CalendTrameMonthAtOx(painter, origin.x(), origin.y(), month);
    }
}

void ViewCalendrier::CalendTrameMonthAtOx(QPainter& painter, double ox, double oy, long month) const
{
    const QFont font = calendarFont();
    fillRectRGBA(painter, false, QRectF(ox, oy, kCalendrierGridWidth, kCalendrierGridHeight), 0.733, 0.733, 0.733, 1);
    for (int k = 0; k <= 7; ++k) {
        const double y = oy + kCalendrierCellHeight * k;
        drawLineRGBA(painter, false, ox, y, ox + kCalendrierGridWidth, y, 1, 0.533, 0.533, 0.533, 1);
    }
    for (long row = 0; row <= 6; ++row) {
        const QRectF square(ox - kCalendrierCellHeight, oy + kCalendrierCellHeight * double(row), kCalendrierCellHeight,
                            kCalendrierCellHeight);
        drawStringInRect(painter, weekdaySymbol(row), font, 2, 2, kSymbolColor, QColor(), square, QColor(), true);
    }
    for (int i = 0; i <= 5; ++i) {
        const double x = ox + kCalendrierCellWidth * i;
        drawLineRGBA(painter, false, x, oy, x, oy + kCalendrierGridHeight, 1, 0.533, 0.533, 0.533, 1);
    }
    const QRectF nameRect(ox, oy - kCalendrierCellHeight, kCalendrierGridWidth, kCalendrierCellHeight);
    drawStringInRect(painter, localizedMonthName(int(month)), font, 0, 2, kMonthNameColor, QColor(), nameRect, QColor(),
                     true);
}

void ViewCalendrier::fillCalendrierForMonth(QPainter& painter, long month, long year) const
{
    const long dow = firstWeekdayOfMonth(month, year);
    const long days = daysInMonth(month, year);
    for (long day = 1; day <= days; ++day)
        paintOneDay(painter, day, month, year, dow);
}

void ViewCalendrier::paintOneDay(QPainter& painter, long day, long month, long year, long dow) const
{
    const bool selected = m_calendrier && m_calendrier->isCalSelectedAtDay(day, month, year);
    drawStringInRect(painter, QString::number(day), calendarFont(), 2, 2, selected ? kSelectedText : kDayText,
                     selected ? kSelectedFill : kDayFill, dayRect(day, month, dow), QColor(), true);
}

void ViewCalendrier::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    fillRectWithColor(painter, kBoxColor, false, QRectF(rect()));
    drawCalendrierTrame(painter);
    if (!m_calendrier)
        return;
    for (long month = 1; month <= 12; ++month)
        fillCalendrierForMonth(painter, month, m_calendrier->year());
}

// ---------------------------------------------------------------------------------------------
// The mouse: the plain calendar only shows the year; the picker follows clicks and drags.

bool ViewCalendrier::followsMouse() const
{
    return m_calendrier && m_calendrier->getModal();
}

void ViewCalendrier::mousePressEvent(QMouseEvent* event)
{
    if (!followsMouse() || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    beginTracking(event);
}

void ViewCalendrier::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!followsMouse() || event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_calendrier->perform(QStringLiteral("OUI:"));
    if (m_calendrier)
        beginTracking(event);
}

void ViewCalendrier::mouseMoveEvent(QMouseEvent* event)
{
    if (m_tracking && followsMouse() && (event->buttons() & Qt::LeftButton))
        selectUpTo(event->position());
    else
        QWidget::mouseMoveEvent(event);
}

void ViewCalendrier::mouseReleaseEvent(QMouseEvent* event)
{
    m_tracking = false;
    QWidget::mouseReleaseEvent(event);
}

// With Shift held the range runs from the selection's first end as it was at the click.
void ViewCalendrier::beginTracking(const QMouseEvent* event)
{
    m_tracking = true;
    m_extends = event->modifiers() & Qt::ShiftModifier;
    m_anchorDay = m_calendrier->calDay1();
    m_anchorMonth = m_calendrier->calMon1();
    m_anchorYear = m_calendrier->calYea1();
    selectUpTo(event->position());
}

void ViewCalendrier::selectUpTo(const QPointF& point)
{
    const long year = m_calendrier->year();
    long day = 1;
    long month = 1;
    point2jm(&day, &month, year, point);
    if (m_extends)
        m_calendrier->setCalSelectionAtDay(m_anchorDay, m_anchorMonth, m_anchorYear, day, month, year, year);
    else
        m_calendrier->setCalSelectionAtDay(day, month, year, day, month, year, year);
    update();
}
