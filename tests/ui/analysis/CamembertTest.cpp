// The pie chart's model and layout: slice order and colours, the legend's two columns, the
// printed square.
#include "analysis/Camembert.h"
#include "analysis/ViewCamembert.h"

#include <gtest/gtest.h>

namespace {

QStringList order(const Camembert& c)
{
    QStringList names;
    for (const CamembertData& d : c.camembert_data())
        names << d.name;
    return names;
}

TEST(CamembertTest, SlicesKeepDecreasingOrderAnEqualValueGoingFirst)
{
    struct Case {
        QList<std::pair<const char*, double>> added;
        QStringList expected;
    };
    const Case cases[] = {
        {{{"a", 20}, {"b", 50}, {"c", 20}, {"d", 10}}, {"b", "c", "a", "d"}},
        {{{"a", 0}, {"b", 5}}, {"b"}},
        {{{"a", -3}, {"b", 5}, {"c", 1}}, {"b", "c", "a"}},
    };
    for (const Case& c : cases) {
        Camembert camembert(QStringLiteral("t"));
        for (const auto& [name, value] : c.added)
            camembert.addCamembertData(QString::fromLatin1(name), value);
        EXPECT_EQ(order(camembert), c.expected);
    }
}

TEST(CamembertTest, TwentyTwoColoursTakenInTurn)
{
    const Camembert camembert;
    ASSERT_EQ(camembert.camembert_colors().size(), 22);
    EXPECT_EQ(camembert.camembertPattern(22), camembert.camembertPattern(0));
    EXPECT_FLOAT_EQ(camembert.camembertPattern(11).alphaF(), 0.8f);
    EXPECT_EQ(camembert.camembertPattern(11).rgb(), camembert.camembertPattern(0).rgb());
}

TEST(CamembertTest, TheLegendSplitsItsRowsAndThePrintIsASquare)
{
    const CamembertLayout layout = CamembertLayout::compute(QRectF(0, 0, 400, 500), 5, 1);
    EXPECT_EQ(layout.leftRows, 3);
    ASSERT_EQ(layout.swatches.size(), 5);
    EXPECT_EQ(layout.swatches.at(2).x(), 20);
    EXPECT_EQ(layout.swatches.at(3).x(), 220);
    EXPECT_EQ(layout.swatches.at(3).y(), layout.swatches.at(0).y());
    EXPECT_DOUBLE_EQ(layout.legendTop, 500 - 4 * 12 - 20);
    EXPECT_LT(layout.pieCentre.y() + layout.pieRadius, layout.legendTop);
    EXPECT_EQ(camembertPrintSquare(QRectF(0, 0, 500, 700)), QRectF(0, 100, 500, 500));
}

} // namespace
