#pragma once
// One year row of the planner's grid: the twelve month columns, the year, and the planned spans
// of that year (occurrence marks, forecast validity lines, the budget month underlined, the
// "Etc..." of a rule without end). The spans come from the planner pane.
//
// Geometry, for a row of width W: the year label takes the left 60/670 of the width and month m
// (1..12) the column from x(m) = ((m - 1) * 50 + 60) / 670 * W to x(m + 1). The drawing is
// written with the origin at the bottom-left and converted by the view-geometry helpers.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QWidget>

class ViewPlanificatorController;
class QPainter;

class ViewPlanificator : public QWidget {
    Q_OBJECT
public:
    explicit ViewPlanificator(QWidget* parent = nullptr);

    ViewPlanificatorController* delegate() const { return m_delegate; }
    void setDelegate(ViewPlanificatorController* delegate) { m_delegate = delegate; }
    long year() const { return m_year; }
    void setYear(long year) { m_year = year; }
    long numberOfYears() const { return m_numberOfYears; }
    void setNumberOfYears(long count) { m_numberOfYears = count; }
    long firstYear() const { return m_firstYear; }
    void setFirstYear(long year) { m_firstYear = year; }

    // The left line of month m's column (m = 13 is the right line of December).
    static double columnX(long month, double width);
    // Where a date lies in a row of that year and rectangle: day 1 on its month's left line and
    // each day one n-th of the column further (n the days of the month); -1 for another year.
    static double xAtDate(double date, long year, const QRectF& rect);
    double xAtDate(double date, const QRectF& rect) const { return xAtDate(date, m_year, rect); }

    // The 10-pixel bold face of the grid's labels.
    static QFont labelFont();

    // The whole row, in a painter whose rectangle is rect (y down).
    void drawRect(QPainter& painter, const QRectF& rect) const;
    void drawGrid(QPainter& painter, const QRectF& rect) const;
    // An occurrence mark at the point given from the bottom-left: a cross for a schedule, an
    // angle opening to the right for a forecast.
    static void plotDateAtPoint(QPainter& painter, const QPointF& point, const QColor& color, double width,
                                bool prevision, double height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ViewPlanificatorController* m_delegate = nullptr;
    long m_year = 0;
    long m_numberOfYears = 0;
    long m_firstYear = 0;
};
