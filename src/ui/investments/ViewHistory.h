#pragma once
// The graph of a security's closing prices under its editor: a white plot with three rules and
// three values (highest, middle, lowest), a dark-red line through the points and a tick under each
// point, labelled with its date every 5 × nbMonth points counted back from the last. The layout is
// computed apart (HistoryGeometry) so that it can be checked by numbers; y grows downward.
#include <QJsonArray>
#include <QList>
#include <QPointF>
#include <QWidget>

class QPainter;

struct HistoryPoint {
    double date = 0;
    double cours = 0;
};
using HistoryPoints = QList<HistoryPoint>;

struct HistoryGeometry {
    static constexpr double kLeft = 40;
    static constexpr double kRight = 39;
    static constexpr double kTop = 14;
    static constexpr double kBottom = 25;

    double plotWidth = 0;
    double plotHeight = 0;
    double cMin = 0;
    double cMax = 0;
    QList<QPointF> points;
    QList<bool> labelled; // per point: a long tick with its date

    static HistoryGeometry compute(const HistoryPoints& points, double width, double height, long nbMonth);
};

// The lowest and highest price of the points; both 0 for none.
void deltaCours(const HistoryPoints& points, double* cMin, double* cMax);
// The points of a history answer (the service's "Date" and "Close" of each day), without those
// whose date or price is missing or unreadable, sorted by date.
HistoryPoints historyPointsFromQuotes(const QJsonArray& quotes);

class ViewHistory : public QWidget {
    Q_OBJECT
public:
    explicit ViewHistory(QWidget* parent = nullptr);

    const HistoryPoints& graphArray() const { return m_points; }
    void setGraph(const HistoryPoints& points, long nbMonth);
    long nbMonth() const { return m_nbMonth; }

    void draw(QPainter& painter, const QRectF& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HistoryPoints m_points;
    long m_nbMonth = 1;
};
