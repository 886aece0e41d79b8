#pragma once
// A whole year on one view: three rows of four months, each month a grid whose columns are weeks
// and whose rows are the weekdays, Monday at the top. Only five week columns exist: the days of a
// sixth week wrap into the first column, where the cells before the month's first day are empty.
// The view follows the mouse to pick a day or a range while its calendar runs modally.
//
// Positions are in view units from the top-left corner of the view. The free functions below are
// the whole of the layout, so where a day is drawn and which day a click hits are one computation.
#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QWidget>

class FenCalendrierController;
class QPainter;

inline constexpr double kCalendrierMargin = 16; // origin of month 1
inline constexpr double kCalendrierMonthStepX = 116;
inline constexpr double kCalendrierMonthStepY = 121;
inline constexpr double kCalendrierCellWidth = 20;
inline constexpr double kCalendrierCellHeight = 15;
inline constexpr double kCalendrierGridWidth = 100; // five week columns
inline constexpr double kCalendrierGridHeight = 105; // seven weekday rows

// The top-left corner of the month's grid (months outside 1..12 are brought within it).
QPointF calendrierMonthOrigin(long month);
// The weekday of the month's first day, 0 for Monday to 6 for Sunday; 0 for a month that has no
// place in the calendar.
long firstWeekdayOfMonth(long month, long year);
// The rectangle the day's number is drawn in.
QRectF cellRect(long day, long month, long year);
// The day of the shown year under the point: a point between or beside the months goes to the
// nearest month and cell, an empty cell before the month's first day to the 1st.
void point2jm(long* day, long* month, long year, const QPointF& point);

class ViewCalendrier : public QWidget {
    Q_OBJECT
public:
    explicit ViewCalendrier(FenCalendrierController* calendrier, QWidget* parent = nullptr);

    FenCalendrierController* calendrier() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The pieces of the picture, each drawn with the calendar's font.
    void drawCalendrierTrame(QPainter& painter) const;
    void CalendTrameMonthAtOx(QPainter& painter, double ox, double oy, long month) const;
    void fillCalendrierForMonth(QPainter& painter, long month, long year) const;
    // dow: the weekday of the month's first day.
    void paintOneDay(QPainter& painter, long day, long month, long year, long dow) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont calendarFont() const;
    bool followsMouse() const;
    void beginTracking(const QMouseEvent* event);
    void selectUpTo(const QPointF& point);

    QPointer<FenCalendrierController> m_calendrier;
    bool m_tracking = false;
    bool m_extends = false; // Shift was held at the click: the range keeps its first end
    long m_anchorDay = 0;
    long m_anchorMonth = 0;
    long m_anchorYear = 0;
};
