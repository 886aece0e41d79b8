#pragma once
// A colour gradient: the analysis and budget windows tint their header boxes and cells with the
// steps of a gradient running from a first colour (step 1) to a last colour (step n) in n equal
// steps. The user may change both colours; the application parameters keep eight gradients.
#include "foundation/color.h"

#include <QString>
#include <cstdint>

namespace pugi {
class xml_node;
}

class Colorizator {
public:
    // White to white in one step: what an element without children reads as.
    Colorizator() = default;
    // From the first colour to the last in that many steps.
    Colorizator(const SVColor& firstColor, const SVColor& lastColor, int64_t numberOfColors);

    int64_t numberOfColors() const { return m_numberOfColors; }
    void setNumberOfColors(int64_t n) { m_numberOfColors = n; }
    SVColor firstColor() const { return m_firstColor; }
    void setFirstColor(const SVColor& color) { m_firstColor = color; }
    SVColor lastColor() const { return m_lastColor; }
    void setLastColor(const SVColor& color) { m_lastColor = color; }

    // The colour of step i (1 = the first colour, n = the last). Indexes outside 1..n continue the
    // steps; components are held to 0..1. A gradient of one step (or none) is its first colour.
    SVColor colorAtIndex(int64_t i) const;
    // One channel at step i of n, from val1 at step 1 to valn at step n, in single precision;
    // val1 when n <= 1.
    static float linear(float i, float n, float val1, float valn);

    // Reads the children "nb" (default 1) and "r1" ... "a2" (default 1.0 each).
    static Colorizator allocFromXMLTree(pugi::xml_node element);
    // Appends a child element of that name holding the gradient; false (nothing written) when the
    // element can't be made.
    bool appendXMLToTree(pugi::xml_node parent, const QString& name) const;

    static Colorizator defaultColorisatorAnalyseTitre();
    static Colorizator defaultColorisatorAnalyseDepense();
    static Colorizator defaultColorisatorAnalyseRecette();
    static Colorizator defaultColorisatorAnalyseSolde();
    static Colorizator defaultColorisatorBudgetTitre();
    static Colorizator defaultColorisatorBudgetDepense();
    static Colorizator defaultColorisatorBudgetRecette();
    static Colorizator defaultColorisatorBudgetSolde();

    bool operator==(const Colorizator&) const = default;

private:
    int64_t m_numberOfColors = 1;
    SVColor m_firstColor {1, 1, 1, 1};
    SVColor m_lastColor {1, 1, 1, 1};
};
