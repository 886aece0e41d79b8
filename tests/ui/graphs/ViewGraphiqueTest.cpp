// The graph's painting: pixels of a rendered picture where the geometry puts a bar, the
// highlight and the floors, on screen and in a print without colours.
#include "graphs/ViewGraphique.h"

#include "foundation/dates.h"
#include "toolkit/print/PrintInfo.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

double at(long d, long m, long y)
{
    double t = 0;
    dmyToDate(d, m, y, &t);
    return t;
}

// Six months of 2024, computed in mid-April: January to March past, April current.
GRAPHFILE sixMonths(int plotKind)
{
    GRAPHFILE file;
    GRAPH& g = file.header;
    g.plotKind = plotKind;
    g.titre = QStringLiteral("Compte \"Courant\"");
    g.graph_date1 = at(1, 1, 2024);
    g.graph_date2 = at(30, 6, 2024);
    g.makeDate = at(15, 4, 2024);
    g.maxTot.setValueForDevise(0, 100);
    const double totals[] = {100, -60, 40, 80, -20, 10};
    for (long month = 1; month <= 6; ++month) {
        DATAGRAPH p;
        p.when = at(1, month, 2024);
        p.total.setValueForDevise(0, totals[month - 1]);
        file.dataArray.append(p);
    }
    return file;
}

QImage render(const GRAPHFILE& file, const PrintInfo* printing)
{
    QImage image(600, 400, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawGraph(painter, file, 0, nullptr, printing, QRectF(0, 0, 600, 400));
    painter.end();
    return image;
}

// A point well inside the bar of a month: its middle, halfway between the base line and its top.
QPoint insideBar(const GRAPHFILE& file, long month)
{
    const GraphLayout l = GraphLayout::compute(file, 0, QRectF(0, 0, 600, 400));
    const double x = (l.graphDateToX(at(1, month, 2024)) + l.graphDateToX(at(1, month + 1, 2024))) / 2;
    const double v = file.dataArray.at(month - 1).total.getValueForDevise(0);
    const double base = v >= 0 ? l.B : l.N;
    return QPoint(int(x), int((base + l.graphValueToY(v)) / 2));
}

TEST(ViewGraphiqueTest, BarsArePaintedInTheColourOfTheirPeriod)
{
    const GRAPHFILE file = sixMonths(0);
    const QImage image = render(file, nullptr);
    image.save(QStringLiteral("/tmp/graph_bars.png"));
    const std::pair<long, QColor> probes[] = {
        {1, QColor::fromRgbF(0, 0.733f, 0)}, // past, above
        {2, QColor::fromRgbF(0, 0.733f, 0)}, // past, below
        {4, QColor::fromRgbF(0.392f, 0, 0)}, // current
        {6, QColor::fromRgbF(1, 0.8f, 1)}, // future
    };
    for (const auto& [month, colour] : probes)
        EXPECT_EQ(image.pixelColor(insideBar(file, month)).name(), colour.name()) << month;
}

TEST(ViewGraphiqueTest, TheHighlightTintsThePeriodOnScreenOnly)
{
    GRAPHFILE file = sixMonths(2);
    file.header.hilite_date = at(1, 5, 2024);
    const GraphLayout l = GraphLayout::compute(file, 0, QRectF(0, 0, 600, 400));
    const QPoint upper(int((l.graphDateToX(at(1, 5, 2024)) + l.graphDateToX(at(1, 6, 2024))) / 2), int(l.B - 100));
    const QColor screen = render(file, nullptr).pixelColor(upper);
    EXPECT_EQ(screen.red(), 255);
    EXPECT_NEAR(screen.green(), 128, 2);
    PrintInfo print;
    print.svOptionFondsColores = print.svOptionTextesColores = true;
    EXPECT_EQ(render(file, &print).pixelColor(upper), QColor(Qt::white));
}

TEST(ViewGraphiqueTest, APrintWithoutColoursHasOnlyGreys)
{
    PrintInfo print;
    print.svOptionFondsColores = print.svOptionTextesColores = false;
    const QImage image = render(sixMonths(1), &print);
    image.save(QStringLiteral("/tmp/graph_print.png"));
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            const QColor c = image.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
        }
}

} // namespace
