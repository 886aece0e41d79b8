#include "engines/GraphGeometry.h"

#include "foundation/dates.h"

#include <gtest/gtest.h>

namespace {

double at(long d, long m, long y, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(d, m, y, hour, minute, second, &t);
    return t;
}

// Twelve months of 2024 with the given monthly totals, computed in mid-June.
GRAPHFILE yearOf(std::initializer_list<double> totals, int plotKind = 0)
{
    GRAPHFILE file;
    GRAPH& g = file.header;
    g.plotKind = plotKind;
    g.graph_date1 = at(1, 1, 2024);
    g.graph_date2 = at(31, 12, 2024, 23, 59, 59);
    g.makeDate = at(15, 6, 2024);
    long month = 1;
    for (const double total : totals) {
        DATAGRAPH p;
        p.when = at(1, month++, 2024);
        p.total.setValueForDevise(0, total);
        g.maxTot.setValueForDevise(0, std::max(g.maxTot.getValueForDevise(0), std::fabs(total)));
        file.dataArray.append(p);
    }
    return file;
}

QList<GraphShape> polygons(const GraphPicture& picture, std::optional<SVColor> fill)
{
    QList<GraphShape> out;
    for (const GraphShape& s : picture.shapes)
        if (s.kind == GraphShape::Kind::Polygon && s.fill == fill)
            out.append(s);
    return out;
}

const QRectF kRect(0, 0, 600, 400); // x0 100, W 450, B 175, N 225, P 135

TEST(GraphGeometryTest, ScaleMaximumIsTheNextLeadingMultiple)
{
    const std::pair<double, double> cases[] = {{1234, 2000}, {10, 20}, {99, 100}, {0, 20}, {5, 20}, {100, 200}};
    for (const auto& [M, S] : cases)
        EXPECT_DOUBLE_EQ(graphScaleMaximum(M), S) << M;
}

TEST(GraphGeometryTest, LabelStepKeepsLabelsApart)
{
    const std::tuple<long, double, long> cases[] = {{13, 200, 3}, {12, 450, 1}, {60, 450, 5}, {12, 0, 1}};
    for (const auto& [months, W, step] : cases)
        EXPECT_EQ(graphLabelStep(months, W), step) << months << " in " << W;
}

TEST(GraphGeometryTest, LayoutPlacesValuesAndDates)
{
    const GraphLayout l = GraphLayout::compute(yearOf({1234}), 0, kRect);
    EXPECT_DOUBLE_EQ(l.B, 175);
    EXPECT_DOUBLE_EQ(l.N, 225);
    EXPECT_DOUBLE_EQ(l.P, 135);
    EXPECT_DOUBLE_EQ(l.x0, 100);
    EXPECT_DOUBLE_EQ(l.W, 450);
    EXPECT_DOUBLE_EQ(l.S, 2000);
    EXPECT_DOUBLE_EQ(l.E, at(1, 1, 2025));
    const std::pair<double, double> ys[] = {{400, 148}, {-400, 252}, {0, 175}, {2000, 40}, {-2000, 360}};
    for (const auto& [v, y] : ys)
        EXPECT_DOUBLE_EQ(l.graphValueToY(v), y) << v;
    EXPECT_DOUBLE_EQ(l.graphDateToX(l.date1), 100);
    EXPECT_DOUBLE_EQ(l.graphDateToX(l.E), 550);
}

TEST(GraphGeometryTest, TicksShowFiveStepsEachWayAndTheZeros)
{
    const GraphPicture picture = makeGraphPicture(yearOf({1234}), {}, kRect);
    QStringList ticks;
    for (const GraphShape& s : picture.shapes)
        if (s.kind == GraphShape::Kind::Text && s.rect.x() == -100)
            ticks << QStringLiteral("%1@%2").arg(s.text).arg(s.rect.center().y());
    EXPECT_EQ(ticks.join(u' ').toStdString(),
              "-400@252 400@148 -800@279 800@121 -1 200@306 1 200@94 "
              "-1 600@333 1 600@67 -2 000@360 2 000@40 0@175 0@225");
}

TEST(GraphGeometryTest, BarsRiseFromTheirBaseLineInTheColourOfTheirPeriod)
{
    GRAPHFILE file = yearOf({100, 0, -50, 0, 0, 20, 30});
    const GraphPicture picture = makeGraphPicture(file, {}, kRect);
    const QList<GraphShape> past = polygons(picture, SVColor {0, 0.733, 0, 1});
    ASSERT_EQ(past.size(), 5); // January to May; the zero totals too
    // S = 200: 100 is half a panel above B; a zero total is a bar of no height on B.
    EXPECT_DOUBLE_EQ(past.at(1).points.at(0).y(), 175 - 67.5);
    EXPECT_DOUBLE_EQ(past.at(2).points.at(0).y(), 175);
    EXPECT_DOUBLE_EQ(past.at(2).points.at(2).y(), 175);
    // March's -50 hangs under N and is drawn in the first pass.
    EXPECT_DOUBLE_EQ(past.at(0).points.at(0).y(), 225);
    EXPECT_DOUBLE_EQ(past.at(0).points.at(2).y(), 225 + 33.75);
    const QList<GraphShape> current = polygons(picture, SVColor {0.392, 0, 0, 1});
    ASSERT_EQ(current.size(), 1);
    EXPECT_NEAR(current.at(0).points.at(0).x(), 100 + 450 * (152.0 / 366), 0.1); // 1 June
    EXPECT_EQ(polygons(picture, SVColor {1, 0.8, 1, 1}).size(), 1); // July
}

TEST(GraphGeometryTest, PrintingWithoutColoursIsWhiteAndBlack)
{
    GRAPHFILE file = yearOf({100, -40, 60}, 1);
    file.header.hilite_date = at(1, 2, 2024);
    const GraphPicture picture
        = makeGraphPicture(file, {.backgrounds = false, .texts = false, .onScreen = false}, kRect);
    const SVColor black {0, 0, 0, 1};
    const SVColor white {1, 1, 1, 1};
    for (const GraphShape& s : picture.shapes) {
        EXPECT_EQ(s.fill.value_or(white), white) << s.text.toStdString();
        EXPECT_EQ(s.stroke.value_or(black), black) << s.text.toStdString();
        EXPECT_EQ(s.textColor, black) << s.text.toStdString();
    }
}

TEST(GraphGeometryTest, TheHighlightFillsBothHalfPanelsOnScreenOnly)
{
    GRAPHFILE file = yearOf({100, -40, 60});
    file.header.hilite_date = at(1, 2, 2024);
    const SVColor red {1, 0, 0, 0.5};
    const GraphPicture screen = makeGraphPicture(file, {}, kRect);
    const QList<GraphShape> filled = polygons(screen, red);
    ASSERT_EQ(filled.size(), 2);
    EXPECT_DOUBLE_EQ(filled.at(0).points.at(0).y(), 225); // pass 0: N to N + P
    EXPECT_DOUBLE_EQ(filled.at(1).points.at(0).y(), 175 - 135 + 1);
    const auto value = std::find_if(screen.shapes.begin(), screen.shapes.end(), [](const GraphShape& s) {
        return s.textColor == SVColor {0, 0, 0.667, 0.8};
    });
    ASSERT_NE(value, screen.shapes.end());
    EXPECT_TRUE(value->text.startsWith(QStringLiteral("-40"))) << value->text.toStdString();
    EXPECT_TRUE(polygons(makeGraphPicture(file, {.onScreen = false}, kRect), red).isEmpty());
}

TEST(GraphGeometryTest, ACurveCrossingZeroIsCutAtTheBaseLines)
{
    // S = 200 over twelve months of 30.5 days: each point at the end of its month.
    GRAPHFILE file = yearOf({100, -100}, 2);
    const GraphPicture picture = makeGraphPicture(file, {}, kRect);
    QList<QLineF> lines;
    for (const GraphShape& s : picture.shapes)
        if (s.kind == GraphShape::Kind::Line && s.stroke == SVColor {0.588, 0, 0, 1})
            lines.append(QLineF(s.points.at(0), s.points.at(1)));
    ASSERT_EQ(lines.size(), 3);
    const GraphLayout l = GraphLayout::compute(file, 0, kRect);
    const double x1 = l.graphDateToX(at(1, 2, 2024));
    const double x2 = l.graphDateToX(at(1, 3, 2024));
    // Pass 0 draws the lower part of the falling segment first: from the cut at N down to March.
    const double xc = x1 + (175 - 107.5) / (((292.5 - 225) - (107.5 - 175)) / (x2 - x1));
    EXPECT_EQ(lines.at(0), QLineF(QPointF(xc, 225), QPointF(x2, 292.5)));
    EXPECT_EQ(lines.at(1), QLineF(QPointF(100, 175), QPointF(x1, 107.5)));
    EXPECT_EQ(lines.at(2), QLineF(QPointF(x1, 107.5), QPointF(xc, 175)));
}

TEST(GraphGeometryTest, ReliefFacesLeanRightAndUp)
{
    GraphPicture picture;
    drawGraphBoxSide(picture, 10, 50, 80, SVColor {}, std::nullopt);
    drawGraphBoxTop(picture, 10, 40, 50, std::nullopt, SVColor {});
    ASSERT_EQ(picture.shapes.size(), 2);
    EXPECT_EQ(picture.shapes.at(0).points, (QList<QPointF> {{10, 50}, {10, 80}, {22, 68}, {22, 38}}));
    EXPECT_EQ(picture.shapes.at(1).points, (QList<QPointF> {{10, 50}, {40, 50}, {52, 38}, {22, 38}}));
    EXPECT_DOUBLE_EQ(picture.shapes.at(1).lineWidth, 0.5);
}

} // namespace
