#include "engines/GraphGeometry.h"

#include "engines/GraphEngine.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "model/MONTANT.h"

#include <cmath>
#include <functional>

namespace {

constexpr SVColor kBlack {0, 0, 0, 1};
constexpr SVColor kWhite {1, 1, 1, 1};

constexpr SVColor grey(double level, double alpha = 1)
{
    return SVColor {level, level, level, alpha};
}

// The coloured choice, or the print's plain one.
SVColor pick(bool coloured, SVColor colour, SVColor plain)
{
    return coloured ? colour : plain;
}

double pointValue(const GRAPH& g, const DATAGRAPH& p, long devise)
{
    return (g.totalKind == 0 ? p.total : p.solde).getValueForDevise(devise);
}

bool inPass(double v, int pass)
{
    return pass == 0 ? v < 0 : v >= 0;
}

void addLine(GraphPicture& picture, QPointF a, QPointF b, SVColor colour, double width = 0.3)
{
    GraphShape s;
    s.kind = GraphShape::Kind::Line;
    s.points = {a, b};
    s.stroke = colour;
    s.lineWidth = width;
    picture.shapes.append(s);
}

void addPolygon(GraphPicture& picture, QList<QPointF> corners, std::optional<SVColor> fill,
                std::optional<SVColor> stroke, double width)
{
    GraphShape s;
    s.kind = GraphShape::Kind::Polygon;
    s.points = std::move(corners);
    s.fill = fill;
    s.stroke = stroke;
    s.lineWidth = width;
    picture.shapes.append(s);
}

GraphShape& addText(GraphPicture& picture, const QString& text, const QRectF& rect, double fontSize, int horizontal,
                    int vertical)
{
    GraphShape s;
    s.kind = GraphShape::Kind::Text;
    s.text = text;
    s.rect = rect;
    s.fontSize = fontSize;
    s.horizontal = horizontal;
    s.vertical = vertical;
    picture.shapes.append(s);
    return picture.shapes.last();
}

double monthStartAfter(double date, long months)
{
    double out = 0;
    dmyToDate(1, dateMonth(date) + months, dateYear(date), &out);
    return out;
}

// ---- Series ----------------------------------------------------------------------------------------

struct BarColours {
    SVColor front;
    SVColor top;
    SVColor side;
};

BarColours barColours(GraphPeriodState state)
{
    switch (state) {
    case GraphPeriodState::Past:
        return {{0, 0.733, 0, 1}, {0, 0.533, 0, 1}, {0, 0.467, 0, 1}};
    case GraphPeriodState::Current:
        return {{0.392, 0, 0, 1}, {1, 0.588, 0.588, 1}, {1, 0.392, 0.392, 1}};
    case GraphPeriodState::Future:
        return {{1, 0.8, 1, 1}, {1, 0.4, 0.6, 1}, {0.933, 0.541, 0.631, 1}};
    }
    return {};
}

void plotBar(GraphPicture& picture, const QRectF& bar, int plotKind, GraphPeriodState state,
             const GraphDrawOptions& options)
{
    const BarColours colours = barColours(state);
    const bool future = state == GraphPeriodState::Future;
    const SVColor stroke
        = pick(options.texts, future ? SVColor {0.392, 0.078, 0.196, 0.5} : SVColor {0, 0.196, 0, 0.5}, kBlack);
    addPolygon(picture, {bar.topLeft(), bar.topRight(), bar.bottomRight(), bar.bottomLeft()},
               pick(options.backgrounds, colours.front, kWhite), stroke, 0.3);
    if (plotKind != 1)
        return;
    drawGraphBoxTop(picture, bar.left(), bar.right(), bar.top(), pick(options.backgrounds, colours.top, kWhite),
                    stroke);
    drawGraphBoxSide(picture, bar.right(), bar.top(), bar.bottom(), pick(options.backgrounds, colours.side, kWhite),
                     stroke);
}

// The part of a curve segment each pass draws: both ends in one region go to the current
// point's pass; a segment crossing from one half-panel to the other is cut at the base lines.
void plotSegment(QPointF a, QPointF b, double v2, int pass, const GraphLayout& l,
                 const std::function<void(const QLineF&)>& draw)
{
    const bool aLower = a.y() >= l.N;
    const bool bLower = b.y() >= l.N;
    if (aLower == bLower) {
        if (inPass(v2, pass))
            draw(QLineF(a, b));
        return;
    }
    const double dx = b.x() - a.x();
    if (dx == 0)
        return;
    if (aLower && b.y() <= l.B) {
        const double s = ((b.y() - l.B) - (a.y() - l.N)) / dx;
        if (std::fabs(s) < 0.005)
            return;
        const double xc = a.x() + (l.N - a.y()) / s;
        draw(pass == 0 ? QLineF(a, QPointF(xc, l.N)) : QLineF(QPointF(xc, l.B), b));
    } else if (!aLower && a.y() <= l.B) {
        const double s = ((b.y() - l.N) - (a.y() - l.B)) / dx;
        if (std::fabs(s) < 0.005)
            return;
        const double xc = a.x() + (l.B - a.y()) / s;
        draw(pass == 1 ? QLineF(a, QPointF(xc, l.B)) : QLineF(QPointF(xc, l.N), b));
    }
}

// The table's rows select a period by its start, which is the 1st of the month even for a first
// period starting later in its month.
bool samePeriod(const GRAPH& g, double when, double date)
{
    if (g.timeKind == 1)
        return sameDay(when, date);
    return dateMonth(when) == dateMonth(date) && dateYear(when) == dateYear(date);
}

void plotHighlight(GraphPicture& picture, const GRAPHFILE& file, int pass, const GraphLayout& l,
                   const GraphDrawOptions& options)
{
    const GRAPH& g = file.header;
    if (!options.onScreen || g.hilite_date < l.date1 || g.hilite_date > l.date2)
        return;
    for (const DATAGRAPH& p : file.dataArray) {
        if (!samePeriod(g, p.when, g.hilite_date))
            continue;
        const double x1 = l.graphDateToX(p.when);
        const double x2 = l.graphDateToX(graphPeriodEnd(g, p.when));
        const double y1 = pass == 1 ? l.B - l.P + 1 : l.N;
        const double y2 = pass == 1 ? l.B + 1 : l.N + l.P;
        addPolygon(picture, {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, SVColor {1, 0, 0, 0.5}, std::nullopt, 0.3);
        if (g.plotKind == 1 || g.plotKind == 3) {
            drawGraphBoxTop(picture, x1, x2, y1, SVColor {1, 0, 0, 0.3}, std::nullopt);
            drawGraphBoxSide(picture, x2, y1, y2, SVColor {0.667, 0, 0, 0.3}, std::nullopt);
        }
    }
    if (pass != 1)
        return;
    for (const DATAGRAPH& p : file.dataArray) {
        if (p.when < startOfDay(g.hilite_date))
            continue;
        const double x1 = l.graphDateToX(p.when);
        const double x2 = l.graphDateToX(graphPeriodEnd(g, p.when));
        const MONTANT& amount = g.totalKind == 0 ? p.total : p.solde;
        GraphShape& text = addText(picture, montantToStringForDevise(amount, options.devise, options.devises, true),
                                   QRectF(x1 - 100, l.N, x2 - x1 + 200, l.P + 20), 10, 2, 0);
        text.textColor = SVColor {0, 0, 0.667, 0.8};
        break;
    }
}

// ---- Axes and labels -------------------------------------------------------------------------------

void drawAxis(GraphPicture& picture, const GraphLayout& l, bool relief, const GraphDrawOptions& o)
{
    const SVColor stroke = pick(o.texts, {0.392, 0.392, 0.784, 1}, kBlack);
    if (relief) {
        drawGraphBoxSide(picture, l.x0, l.B - l.P, l.B, pick(o.backgrounds, grey(0.784), kWhite), stroke);
        drawGraphBoxSide(picture, l.x0, l.N, l.N + l.P, pick(o.backgrounds, grey(0.784), kWhite), stroke);
    } else {
        addLine(picture, {l.x0, l.B - l.P}, {l.x0, l.B}, stroke);
        addLine(picture, {l.x0, l.N}, {l.x0, l.N + l.P}, stroke);
    }
}

void drawTick(GraphPicture& picture, const GraphLayout& l, double y, double value, const GraphDrawOptions& o)
{
    addLine(picture, {l.x0 - 5, y}, {l.x0, y}, pick(o.texts, {0.392, 0, 0, 1}, kBlack));
    addText(picture, MONTANT::montantToStringFromDouble(value, 0, QLatin1Char(',')),
            QRectF(l.x0 - 200, y - 16, 193, 32), 9, 1, 2);
}

void drawTicks(GraphPicture& picture, const GraphLayout& l, bool relief, const GraphDrawOptions& o)
{
    const SVColor axis = pick(o.texts, {0.392, 0.392, 0.784, 1}, kBlack);
    for (int i = 1; i <= 5; ++i) {
        for (const double value : {-i * l.S / 5, i * l.S / 5}) {
            const double y = l.graphValueToY(value);
            if (relief && i < 5)
                drawGraphBoxSide(picture, l.x0, y, y, std::nullopt, axis);
            drawTick(picture, l, y, value, o);
        }
    }
    drawTick(picture, l, l.B, 0, o);
    drawTick(picture, l, l.N, 0, o);
}

// Calls visit(k, month) for the start of every month of the graph up to its end date, k counting
// them from 0.
template <typename Visit> void forEachMonthStart(const GraphLayout& l, Visit visit)
{
    const double first = monthStartAfter(l.date1, 0);
    for (long k = 0;; ++k) {
        const double month = monthStartAfter(first, k);
        if (month > l.E)
            return;
        visit(k, month);
    }
}

// The line across the graph at height y: the top of a box in relief, a plain line otherwise.
void drawFloor(GraphPicture& picture, const GraphLayout& l, double y, bool relief, SVColor stroke, SVColor background)
{
    const double xE = l.graphDateToX(l.E);
    if (relief)
        drawGraphBoxTop(picture, l.x0, xE, y, background, stroke);
    else
        addLine(picture, {l.x0, y}, {xE, y}, stroke);
}

// The mark of a month that carries no label, from height y1 to y2.
void drawMonthTick(GraphPicture& picture, const GraphLayout& l, double month, double y1, double y2,
                   const GraphDrawOptions& o)
{
    const double x = l.graphDateToX(month);
    addLine(picture, {x, y1}, {x, y2}, pick(o.texts, {0, 0.392, 0, 1}, kBlack));
}

void drawLowerFloor(GraphPicture& picture, const GraphLayout& l, bool relief, const GraphDrawOptions& o)
{
    drawFloor(picture, l, l.N, relief, pick(o.texts, grey(0.275), kBlack),
              pick(o.backgrounds, grey(0.706, 0.8), kWhite));
    forEachMonthStart(l, [&](long k, double month) {
        if (k % l.step != 0)
            drawMonthTick(picture, l, month, l.N - 2, l.N, o);
    });
}

void drawMonthLabel(GraphPicture& picture, const GraphLayout& l, double month, bool relief, const GraphDrawOptions& o)
{
    const double x = l.graphDateToX(month);
    if (relief)
        drawGraphBoxSide(picture, x, l.B, l.N, pick(o.backgrounds, {1, 1, 0.667, 0.5}, kWhite),
                         pick(o.texts, grey(0.275), kBlack));
    else
        addLine(picture, {x, l.B}, {x, l.B + 50}, pick(o.texts, {0.392, 0, 0, 1}, kBlack));
    const QString label
        = QStringLiteral("%1/%2").arg(dateMonth(month)).arg(dateYear(month) % 100, 2, 10, QLatin1Char('0'));
    GraphShape& text = addText(picture, label, QRectF(x - 15, l.m - 10, 30, 20), 9, 2, 2);
    text.fill = pick(o.texts, {1, 0.937, 0.647, 1}, kWhite);
    text.stroke = pick(o.texts, grey(0.588), kBlack);
}

void drawUpperMonths(GraphPicture& picture, const GraphLayout& l, bool relief, const GraphDrawOptions& o)
{
    forEachMonthStart(l, [&](long k, double month) {
        if (k % l.step == 0) {
            drawMonthLabel(picture, l, month, relief, o);
        } else {
            drawMonthTick(picture, l, month, l.B, l.B + 2, o);
        }
    });
}

void drawUpperFloor(GraphPicture& picture, const GraphLayout& l, bool relief, const GraphDrawOptions& o)
{
    drawFloor(picture, l, l.B, relief, pick(o.texts, grey(0.392), kBlack),
              pick(o.backgrounds, grey(0.863, 0.8), kWhite));
}

double titleFontSize(double W)
{
    if (W < 200)
        return 6;
    if (W < 250)
        return 8;
    if (W < 300)
        return 9;
    return W < 350 ? 10 : 12;
}

void drawTitles(GraphPicture& picture, const GRAPHFILE& file, const GraphLayout& l, const GraphDrawOptions& o)
{
    const GRAPH& g = file.header;
    const QString unit = o.devises ? Devise::deviseUnitAtIndex(*o.devises, o.devise) : QString();
    GraphShape& title
        = addText(picture, QStringLiteral("%1 (%2)").arg(g.titre, unit), l.rect, titleFontSize(l.W), 2, 1);
    title.textColor = pick(o.texts, {0.392, 0, 0, 1}, kBlack);
    const QString footer = QStringLiteral("%1 - %2").arg(g.makeDoc, dateToStringWithStyles(4, 4, g.makeDate));
    GraphShape& foot = addText(picture, footer, l.rect.adjusted(2, 2, -2, -2), 9, 1, 0);
    foot.italic = true;
    foot.textColor = pick(o.texts, grey(0.267), kBlack);
}

} // namespace

// ---- Layout ----------------------------------------------------------------------------------------

double graphScaleMaximum(double M)
{
    if (!(M >= 10))
        M = 10;
    const double p = std::pow(10.0, std::floor(std::log10(M)));
    return (std::floor(M / p) + 1) * p;
}

long graphLabelStep(long months, double W)
{
    if (W <= 0)
        return 1;
    return std::max(1L, static_cast<long>(std::floor(static_cast<double>(months) * 34 / W)) + 1);
}

GraphLayout GraphLayout::compute(const GRAPHFILE& file, long devise, const QRectF& rect)
{
    const GRAPH& g = file.header;
    GraphLayout l;
    l.rect = rect;
    l.top = rect.y() + 40;
    l.H = rect.height() - 80;
    l.m = l.top + l.H / 2;
    l.B = l.m - 25;
    l.N = l.m + 25;
    l.P = (l.H - 50) / 2;
    l.x0 = rect.x() + 100;
    l.W = rect.width() - 150;
    l.date1 = g.graph_date1;
    l.date2 = g.graph_date2;
    l.E = monthStartAfter(g.graph_date2, 1);
    l.S = graphScaleMaximum((g.totalKind == 0 ? g.maxTot : g.maxSol).getValueForDevise(devise));
    l.months = monthCountBetween(g.graph_date1, g.graph_date2);
    l.step = graphLabelStep(l.months, l.W);
    return l;
}

double GraphLayout::graphValueToY(double v) const
{
    if (std::fabs(S) < 0.005)
        return B;
    return (v < 0 ? N : B) - P * v / S;
}

double GraphLayout::graphDateToX(double t) const
{
    if (date2 == date1 || E == date1)
        return x0;
    return x0 + (t - date1) * W / (E - date1);
}

GraphPeriodState graphPeriodState(double start, double end, double makeDate)
{
    if (end < makeDate)
        return GraphPeriodState::Past;
    return start > makeDate ? GraphPeriodState::Future : GraphPeriodState::Current;
}

// ---- Shapes ----------------------------------------------------------------------------------------

void drawGraphBoxSide(GraphPicture& picture, double x, double y1, double y2, std::optional<SVColor> fill,
                      std::optional<SVColor> stroke)
{
    const double r = kGraphRelief;
    addPolygon(picture, {{x, y1}, {x, y2}, {x + r, y2 - r}, {x + r, y1 - r}}, fill, stroke, 0.5);
}

void drawGraphBoxTop(GraphPicture& picture, double x1, double x2, double y, std::optional<SVColor> fill,
                     std::optional<SVColor> stroke)
{
    const double r = kGraphRelief;
    addPolygon(picture, {{x1, y}, {x2, y}, {x2 + r, y - r}, {x1 + r, y - r}}, fill, stroke, 0.5);
}

void drawGraphBar(GraphPicture& picture, const QLineF& segment, int plotKind, GraphPeriodState state,
                  const GraphDrawOptions& options)
{
    if (plotKind != 3) {
        addLine(picture, segment.p1(), segment.p2(), pick(options.texts, {0.588, 0, 0, 1}, kBlack));
        return;
    }
    SVColor fill = kWhite;
    if (options.backgrounds)
        fill = state == GraphPeriodState::Past   ? SVColor {0, 0.733, 0, 1}
            : state == GraphPeriodState::Current ? SVColor {1, 0.196, 0.196, 1}
                                                 : SVColor {1, 0.8, 1, 1};
    const SVColor stroke
        = pick(options.texts,
               state == GraphPeriodState::Future ? SVColor {0.588, 0.392, 0.392, 1} : SVColor {0, 0.196, 0, 1}, kBlack);
    const double r = kGraphRelief;
    const QPointF a = segment.p1();
    const QPointF b = segment.p2();
    addPolygon(picture, {a, b, {b.x() + r, b.y() - r}, {a.x() + r, a.y() - r}}, fill, stroke, 0.5);
}

void plotGraphSeries(GraphPicture& picture, const GRAPHFILE& file, int pass, const GraphLayout& l,
                     const GraphDrawOptions& options)
{
    const GRAPH& g = file.header;
    plotHighlight(picture, file, pass, l, options);
    const bool bars = g.plotKind == 0 || g.plotKind == 1;
    QPointF previous(l.x0, l.B);
    if (!bars && g.totalKind != 0 && !file.dataArray.isEmpty())
        previous.setY(l.graphValueToY(pointValue(g, file.dataArray.first(), options.devise)));
    for (const DATAGRAPH& p : file.dataArray) {
        const double v = pointValue(g, p, options.devise);
        const double end = graphPeriodEnd(g, p.when);
        const GraphPeriodState state = graphPeriodState(p.when, end, g.makeDate);
        const double x2 = l.graphDateToX(end);
        const double y = l.graphValueToY(v);
        if (bars) {
            if (inPass(v, pass)) {
                const double x1 = l.graphDateToX(p.when);
                plotBar(picture,
                        v >= 0 ? QRectF(QPointF(x1, y), QPointF(x2, l.B)) : QRectF(QPointF(x1, l.N), QPointF(x2, y)),
                        g.plotKind, state, options);
            }
            continue;
        }
        const QPointF current(x2, y);
        plotSegment(previous, current, v, pass, l,
                    [&](const QLineF& segment) { drawGraphBar(picture, segment, g.plotKind, state, options); });
        previous = current;
    }
}

GraphPicture makeGraphPicture(const GRAPHFILE& file, const GraphDrawOptions& options, const QRectF& rect)
{
    GraphPicture picture;
    const GraphLayout l = GraphLayout::compute(file, options.devise, rect);
    const bool relief = file.header.plotKind == 1 || file.header.plotKind == 3;
    drawAxis(picture, l, relief, options);
    drawTicks(picture, l, relief, options);
    plotGraphSeries(picture, file, 0, l, options);
    drawLowerFloor(picture, l, relief, options);
    drawUpperMonths(picture, l, relief, options);
    drawUpperFloor(picture, l, relief, options);
    plotGraphSeries(picture, file, 1, l, options);
    drawTitles(picture, file, l, options);
    return picture;
}
