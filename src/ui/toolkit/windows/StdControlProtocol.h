#pragma once
// What a control answers to be drawn by the table print: whether it prints at all and the picture
// it prints in its place (a null image for none). The program's buttons, pop-ups, views and boxes
// answer it; a control that does not is printed by its kind alone (text, image) or not at all.
#include <QImage>

class StdControlProtocol {
public:
    virtual ~StdControlProtocol() = default;
    virtual bool canPrint() const = 0;
    virtual QImage printImage() const = 0;
};
