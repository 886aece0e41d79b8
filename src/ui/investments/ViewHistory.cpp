#include "investments/ViewHistory.h"

#include "quotes/PortfolioManager.h"
#include "toolkit/drawing/Constants.h"

#include "foundation/dates.h"
#include "foundation/numbers.h"

#include <QJsonObject>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor kRuleColor = QColor::fromRgbF(0.753f, 0.753f, 0.753f);
const QColor kTextColor = QColor::fromRgbF(0.502f, 0.502f, 0.502f);
const QColor kLabelTickColor = QColor::fromRgbF(0.376f, 0.376f, 0.376f);
const QColor kLineColor = QColor::fromRgbF(0.502f, 0.188f, 0.188f);

bool closeValue(const QJsonValue& value, double* close)
{
    bool ok = value.isDouble();
    double parsed = value.toDouble();
    if (value.isString())
        parsed = value.toString().trimmed().toDouble(&ok);
    if (ok && std::isfinite(parsed))
        *close = parsed;
    return ok && std::isfinite(parsed);
}

QFont graphFont()
{
    QFont font = makeListFont(false, false, 9);
    font.setPixelSize(9);
    return font;
}

} // namespace

void deltaCours(const HistoryPoints& points, double* cMin, double* cMax)
{
    *cMin = 0;
    *cMax = 0;
    if (points.isEmpty())
        return;
    *cMin = points.first().cours;
    *cMax = points.first().cours;
    for (const HistoryPoint& point : points) {
        *cMin = std::min(*cMin, point.cours);
        *cMax = std::max(*cMax, point.cours);
    }
}

HistoryPoints historyPointsFromQuotes(const QJsonArray& quotes)
{
    HistoryPoints points;
    for (const auto& value : quotes) {
        const QJsonObject quote = value.toObject();
        HistoryPoint point;
        point.date = PortfolioManager::extractDate(quote.value(QLatin1String("Date")).toString());
        if (point.date != 0 && closeValue(quote.value(QLatin1String("Close")), &point.cours))
            points.append(point);
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const HistoryPoint& a, const HistoryPoint& b) { return a.date < b.date; });
    return points;
}

HistoryGeometry HistoryGeometry::compute(const HistoryPoints& points, double width, double height, long nbMonth)
{
    HistoryGeometry g;
    g.plotWidth = width - kLeft - kRight;
    g.plotHeight = height - kTop - kBottom;
    deltaCours(points, &g.cMin, &g.cMax);
    const qsizetype n = points.size();
    const double step = n > 1 ? g.plotWidth / double(n - 1) : g.plotWidth;
    const long m = 5 * std::max(1L, nbMonth);
    for (qsizetype i = 0; i < n; ++i) {
        const double x = kLeft + double(i) * step;
        const double y
            = g.cMax > g.cMin ? kTop + g.plotHeight * (1.0 - (points[i].cours - g.cMin) / (g.cMax - g.cMin)) : 28.0;
        g.points.append(QPointF(x, y));
        g.labelled.append((m - (long(n - 1) % m) + long(i)) % m == 0);
    }
    return g;
}

ViewHistory::ViewHistory(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("view_history"));
    setMinimumSize(360, 150);
}

void ViewHistory::setGraph(const HistoryPoints& points, long nbMonth)
{
    m_points = points;
    m_nbMonth = nbMonth;
    update();
}

void ViewHistory::draw(QPainter& painter, const QRectF& rect) const
{
    const HistoryGeometry g = HistoryGeometry::compute(m_points, rect.width(), rect.height(), m_nbMonth);
    const double left = HistoryGeometry::kLeft;
    const double top = HistoryGeometry::kTop;
    painter.save();
    painter.translate(rect.topLeft());
    painter.fillRect(QRectF(left, top, g.plotWidth, g.plotHeight), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kRuleColor, 1));
    for (const double y : {top, top + g.plotHeight / 2, top + g.plotHeight})
        painter.drawLine(QPointF(36, y), QPointF(left + g.plotWidth, y));
    painter.setFont(graphFont());
    painter.setPen(kTextColor);
    const double bandWidth = rect.width();
    painter.drawText(QRectF(0, 6, bandWidth, g.plotHeight), Qt::AlignLeft | Qt::AlignTop,
                     doubleToDisplayString(2, g.cMax));
    painter.drawText(QRectF(0, 11, bandWidth, g.plotHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     doubleToDisplayString(2, (g.cMin + g.cMax) / 2));
    painter.drawText(QRectF(0, 18, bandWidth, g.plotHeight), Qt::AlignLeft | Qt::AlignBottom,
                     doubleToDisplayString(2, g.cMin));
    const double bottom = top + g.plotHeight;
    for (qsizetype i = 0; i < g.points.size(); ++i) {
        const QPointF& p = g.points[i];
        if (i > 0) {
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(kLineColor, 1));
            painter.drawLine(g.points[i - 1], p);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
        if (!g.labelled[i]) {
            painter.setPen(QPen(kTextColor, 1));
            painter.drawLine(QPointF(p.x(), bottom), QPointF(p.x(), bottom + 4));
            continue;
        }
        painter.setPen(QPen(kLabelTickColor, 1));
        painter.drawLine(QPointF(p.x(), bottom), QPointF(p.x(), bottom + 6));
        painter.setPen(kTextColor);
        const QString date = QLocale().toString(dateToDateTime(m_points[i].date).date(), QLocale::ShortFormat);
        painter.drawText(QRectF(p.x() - 30, bottom + 10, 80, 14), Qt::AlignLeft | Qt::AlignTop, date);
    }
    painter.restore();
}

void ViewHistory::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    draw(painter, QRectF(rect()));
}
