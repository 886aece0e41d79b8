#include "toolkit/drawing/colorx.h"

float XredComponent(const QColor& color)
{
    return color.toRgb().redF();
}

float XgreenComponent(const QColor& color)
{
    return color.toRgb().greenF();
}

float XblueComponent(const QColor& color)
{
    return color.toRgb().blueF();
}

float XalphaComponent(const QColor& color)
{
    return color.alphaF();
}

QColor HTMLColorWithRed(float red, float green, float blue, float alpha)
{
    return QColor::fromRgbF(red / 255.0f, green / 255.0f, blue / 255.0f, alpha);
}
