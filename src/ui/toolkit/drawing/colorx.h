#pragma once
// What the program adds to the platform's colours: components as floats, and colours written as
// in web pages, 0 to 255 per component.
#include <QColor>

float XredComponent(const QColor& color);
float XgreenComponent(const QColor& color);
float XblueComponent(const QColor& color);
float XalphaComponent(const QColor& color);

// The RGB colour of red/255, green/255, blue/255 and the alpha (0 to 1) as it is.
QColor HTMLColorWithRed(float red, float green, float blue, float alpha);
