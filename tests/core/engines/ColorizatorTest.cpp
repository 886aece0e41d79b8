#include "engines/Colorizator.h"
#include "foundation/xmlmember.h"

#include <gtest/gtest.h>

namespace {

constexpr SVColor kWhite {1, 1, 1, 1};

std::string childText(pugi::xml_node element, const char* name)
{
    return element.child(name).text().get();
}

} // namespace

TEST(Colorizator, StepsRunFromTheFirstToTheLastColour)
{
    const Colorizator titre = Colorizator::defaultColorisatorAnalyseTitre();
    ASSERT_EQ(titre.numberOfColors(), 4);
    const SVColor first = titre.colorAtIndex(1);
    EXPECT_FLOAT_EQ(static_cast<float>(first.red), 0.823587f);
    EXPECT_FLOAT_EQ(static_cast<float>(first.blue), 0.819615f);
    EXPECT_EQ(titre.colorAtIndex(4), kWhite);
    // The index is not shifted: 0 is one step before the first colour.
    EXPECT_FLOAT_EQ(static_cast<float>(titre.colorAtIndex(0).red), (4 * 0.823587f - 1) / 3);
    EXPECT_FLOAT_EQ(static_cast<float>(titre.colorAtIndex(2).red), 0.823587f + (1 - 0.823587f) / 3);

    // Beyond the ends the steps go on but stay colours.
    const Colorizator dark(SVColor {0.2, 0.2, 0.2, 1}, SVColor {0.6, 0.6, 0.6, 1}, 3);
    EXPECT_DOUBLE_EQ(dark.colorAtIndex(-5).red, 0.0);
    EXPECT_DOUBLE_EQ(dark.colorAtIndex(9).green, 1.0);

    // One step (what an element without "nb" gives) or none: the first colour, never nan.
    for (int64_t n : {1, 0, -3}) {
        const Colorizator flat(SVColor {0.25, 0.5, 0.75, 1}, kWhite, n);
        EXPECT_EQ(flat.colorAtIndex(2), (SVColor {0.25, 0.5, 0.75, 1})) << n;
    }
}

TEST(Colorizator, XmlFormWritesSixDecimalsAndZeroAndReadsDefaults)
{
    pugi::xml_node root;
    const XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    const Colorizator gradient(SVColor {0, 0.5, 0.823587, 1}, SVColor {1, 0, 0.25, 0.5}, 13);
    ASSERT_TRUE(gradient.appendXMLToTree(root, QStringLiteral("colorisatorBudgetDepense")));
    const pugi::xml_node element = root.child("colorisatorBudgetDepense");
    EXPECT_EQ(childText(element, "nb"), "13");
    EXPECT_EQ(childText(element, "r1"), "0");
    EXPECT_EQ(childText(element, "g1"), "0.500000");
    EXPECT_EQ(childText(element, "b1"), "0.823587");
    EXPECT_EQ(childText(element, "a1"), "1.000000");
    EXPECT_EQ(childText(element, "g2"), "0");
    EXPECT_EQ(std::string(element.first_child().name()), "nb");
    EXPECT_EQ(std::string(element.last_child().name()), "a2");

    const Colorizator back = Colorizator::allocFromXMLTree(element);
    EXPECT_EQ(back.numberOfColors(), 13);
    EXPECT_FLOAT_EQ(static_cast<float>(back.firstColor().blue), 0.823587f);
    EXPECT_EQ(back.lastColor(), gradient.lastColor());

    // Missing children take their defaults: one step, components 1.
    const pugi::xml_node onlyNb = root.append_child("g");
    xmlAppendInt(onlyNb, "nb", 5);
    const Colorizator white = Colorizator::allocFromXMLTree(onlyNb);
    EXPECT_EQ(white.numberOfColors(), 5);
    EXPECT_EQ(white.firstColor(), kWhite);
    EXPECT_EQ(white.lastColor(), kWhite);
    EXPECT_EQ(Colorizator::allocFromXMLTree(root.append_child("empty")).numberOfColors(), 1);

    EXPECT_FALSE(gradient.appendXMLToTree(pugi::xml_node(), QStringLiteral("x")));
    EXPECT_FALSE(gradient.appendXMLToTree(root, QString()));
}
