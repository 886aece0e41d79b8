#include "Colorizator.h"

#include "foundation/xmlmember.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr SVColor kWhite {1, 1, 1, 1};
// The children holding each colour's red, green, blue and alpha, as read and as written.
constexpr const char* kFirstColorNames[4] = {"r1", "g1", "b1", "a1"};
constexpr const char* kLastColorNames[4] = {"r2", "g2", "b2", "a2"};

double clampComponent(float value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(static_cast<double>(value), 0.0, 1.0);
}

// Components travel as single-precision floats, as the colour readers give them.
float component(const SVColor& color, int channel)
{
    const double values[] = {color.red, color.green, color.blue, color.alpha};
    return static_cast<float>(values[channel]);
}

SVColor readColor(pugi::xml_node element, const char* const names[4])
{
    return makeCalibratedColor(xmlGetFloat(element, names[0], 1.0f), xmlGetFloat(element, names[1], 1.0f),
                               xmlGetFloat(element, names[2], 1.0f), xmlGetFloat(element, names[3], 1.0f));
}

void appendColor(pugi::xml_node element, const SVColor& color, const char* const names[4])
{
    for (int channel = 0; channel < 4; ++channel)
        xmlAppendFloat(element, names[channel], 6, component(color, channel));
}

Colorizator towardsWhite(double red, double green, double blue, int64_t steps)
{
    return Colorizator(makeCalibratedColor(red, green, blue, 1.0), kWhite, steps);
}

} // namespace

Colorizator::Colorizator(const SVColor& firstColor, const SVColor& lastColor, int64_t numberOfColors)
    : m_numberOfColors(numberOfColors)
    , m_firstColor(firstColor)
    , m_lastColor(lastColor)
{
}

float Colorizator::linear(float i, float n, float val1, float valn)
{
    // With one step there is no slope: dividing by n - 1 would give inf or nan.
    if (n <= 1.0f)
        return val1;
    return (val1 * (n - i) - (1.0f - i) * valn) / (n - 1.0f);
}

SVColor Colorizator::colorAtIndex(int64_t i) const
{
    const auto n = static_cast<float>(m_numberOfColors);
    const auto index = static_cast<float>(i);
    double values[4];
    for (int channel = 0; channel < 4; ++channel)
        values[channel]
            = clampComponent(linear(index, n, component(m_firstColor, channel), component(m_lastColor, channel)));
    return makeCalibratedColor(values[0], values[1], values[2], values[3]);
}

Colorizator Colorizator::allocFromXMLTree(pugi::xml_node element)
{
    const SVColor first = readColor(element, kFirstColorNames);
    const SVColor last = readColor(element, kLastColorNames);
    return Colorizator(first, last, xmlGetLong(element, "nb", 1));
}

bool Colorizator::appendXMLToTree(pugi::xml_node parent, const QString& name) const
{
    if (name.isEmpty())
        return false;
    const pugi::xml_node element = xmlAppendElement(parent, name);
    if (!element)
        return false;
    xmlAppendInt(element, "nb", static_cast<int32_t>(m_numberOfColors));
    appendColor(element, m_firstColor, kFirstColorNames);
    appendColor(element, m_lastColor, kLastColorNames);
    return true;
}

Colorizator Colorizator::defaultColorisatorAnalyseTitre()
{
    return towardsWhite(0.823587, 0.768942, 0.819615, 4);
}

Colorizator Colorizator::defaultColorisatorAnalyseDepense()
{
    return towardsWhite(0.911131, 0.854351, 0.855635, 13);
}

Colorizator Colorizator::defaultColorisatorAnalyseRecette()
{
    return towardsWhite(0.781584, 0.757491, 0.8562, 13);
}

Colorizator Colorizator::defaultColorisatorAnalyseSolde()
{
    return towardsWhite(0.8, 0.8, 0.8, 5);
}

Colorizator Colorizator::defaultColorisatorBudgetTitre()
{
    return towardsWhite(0.762839, 0.750455, 0.850999, 4);
}

Colorizator Colorizator::defaultColorisatorBudgetDepense()
{
    return towardsWhite(0.77, 0.79, 0.87, 13);
}

Colorizator Colorizator::defaultColorisatorBudgetRecette()
{
    return towardsWhite(0.74457, 0.845554, 0.843851, 13);
}

Colorizator Colorizator::defaultColorisatorBudgetSolde()
{
    return towardsWhite(0.8, 0.8, 0.8, 5);
}
