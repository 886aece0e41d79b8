#include "analysis/Camembert.h"

Camembert::Camembert(const QString& title)
    : m_title(title)
{
    initCamembertColors();
}

void Camembert::addCamembertData(const QString& name, double value)
{
    if (value == 0)
        return;
    m_data.insert(findCamembertData(value), CamembertData {name, value});
}

qsizetype Camembert::findCamembertData(double value) const
{
    for (qsizetype i = 0; i < m_data.size(); ++i) {
        if (m_data.at(i).value <= value)
            return i;
    }
    return m_data.size();
}

QColor Camembert::camembertPattern(qsizetype index) const
{
    if (m_colors.isEmpty())
        return Qt::white;
    return m_colors.at(index % m_colors.size());
}

void Camembert::initCamembertColors()
{
    static const double rgb[11][3] = {
        {0.8, 0.6, 0.6},        {1.0, 0.6, 0.6}, {1.0, 0.8, 0.8},        {0.6, 0.6, 0.8},
        {0.4, 0.8, 0.8},        {1.0, 0.4, 0.6}, {0.78431374, 1.0, 1.0}, {0.2, 0.6, 0.4},
        {0.46666667, 0.0, 0.0}, {0.0, 0.4, 0.2}, {0.0, 0.8, 0.4},
    };
    m_colors.clear();
    for (double alpha : {1.0, 0.8}) {
        for (const auto& c : rgb)
            m_colors.append(QColor::fromRgbF(float(c[0]), float(c[1]), float(c[2]), float(alpha)));
    }
}
