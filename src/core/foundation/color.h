#pragma once
// Colours in the core are plain RGBA components in 0..1; the window layer turns them into QColor.
struct SVColor {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    bool operator==(const SVColor&) const = default;
};

inline SVColor makeCalibratedColor(double red, double green, double blue, double alpha)
{
    return SVColor {red, green, blue, alpha};
}
