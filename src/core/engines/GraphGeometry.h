#pragma once
// The picture of a computed graph as plain shapes: an amount scale, two half-panels (values of
// zero and above over the upper base line, negative values under the lower one, 50 points
// apart), month labels, bars or curves, flat or in relief, coloured by whether a period lies
// before, around or after the time of computation, the highlighted period, the title and a
// footer. Coordinates are those of a flipped view (y grows downward); the window layer only
// paints the shapes in order, so the same picture serves the screen, the printer and the tests.
#include "foundation/color.h"
#include "model/Devise.h"
#include "model/GRAPH.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

// Relief of 3-D shapes: this far right and up.
inline constexpr double kGraphRelief = 12;

struct GraphDrawOptions {
    long devise = 0; // currency slot drawn
    const DeviseList* devises = nullptr;
    bool backgrounds = true; // coloured fills, else white
    bool texts = true; // coloured lines and texts, else black
    bool onScreen = true; // the highlighted period is drawn on screen only
};

struct GraphShape {
    enum class Kind { Line, Polygon, Text };
    Kind kind = Kind::Line;
    QList<QPointF> points; // a line's two ends, a polygon's corners
    std::optional<SVColor> fill; // polygons; texts: the box behind the text
    std::optional<SVColor> stroke; // lines and outlines; texts: the box's frame
    double lineWidth = 0.3;
    // Texts: on one line in rect, by the drawing helpers' alignment codes (horizontal 1 right,
    // 2 centre, else left; vertical 1 top, 2 middle, else bottom).
    QString text;
    QRectF rect;
    SVColor textColor;
    double fontSize = 9; // points of the system font
    bool italic = false;
    int horizontal = 2;
    int vertical = 2;
};

struct GraphPicture {
    QList<GraphShape> shapes; // in painting order
};

// Where things go in the rectangle given to the drawing.
struct GraphLayout {
    QRectF rect;
    double top = 0; // of the plot
    double H = 0; // plot height
    double m = 0; // middle
    double B = 0; // upper base line: zero of the values of zero and above
    double N = 0; // lower base line: zero of the negative values
    double P = 0; // half-panel height
    double x0 = 0; // left axis
    double W = 0; // plot width
    double date1 = 0;
    double date2 = 0;
    double E = 0; // the 1st of the month after graph_date2's
    double S = 0; // scale maximum
    long months = 0; // calendar months of the dates, both ends counted
    long step = 1; // one month label in every step

    static GraphLayout compute(const GRAPHFILE& file, long devise, const QRectF& rect);
    double graphValueToY(double v) const;
    double graphDateToX(double t) const;
};

// M raised to 10, then the next multiple of its leading power of ten: 1,234 gives 2,000.
double graphScaleMaximum(double M);
// One month in every step is labelled so that labels keep about 34 points apart.
long graphLabelStep(long months, double W);

enum class GraphPeriodState { Past, Current, Future };
// Past when the period ends before makeDate, future when it starts after it.
GraphPeriodState graphPeriodState(double start, double end, double makeDate);

// The 3-D faces: a side from (x, y1) to (x, y2) and a top from (x1, y) to (x2, y), each with its
// far edge kGraphRelief right and up; lines 0.5 wide.
void drawGraphBoxSide(GraphPicture& picture, double x, double y1, double y2, std::optional<SVColor> fill,
                      std::optional<SVColor> stroke);
void drawGraphBoxTop(GraphPicture& picture, double x1, double x2, double y, std::optional<SVColor> fill,
                     std::optional<SVColor> stroke);
// One segment of a curve: a line (plot kind 2) or a ribbon in relief (3).
void drawGraphBar(GraphPicture& picture, const QLineF& segment, int plotKind, GraphPeriodState state,
                  const GraphDrawOptions& options);
// One sign of the series: pass 0 the negative values, pass 1 those of zero and above.
void plotGraphSeries(GraphPicture& picture, const GRAPHFILE& file, int pass, const GraphLayout& layout,
                     const GraphDrawOptions& options);
GraphPicture makeGraphPicture(const GRAPHFILE& file, const GraphDrawOptions& options, const QRectF& rect);
