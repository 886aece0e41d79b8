#include "toolkit/fields/TextFieldSingleChar.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

QString TextFieldSingleChar::createCleanValueFromDirtyValue(const QString& text)
{
    // A character outside the basic plane is two code units: both make the last character.
    const bool pair = text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate();
    requestFocusMove();
    return text.right(pair ? 2 : 1);
}

// Shift pressed on its way to a capital makes no character: the field waits for the character
// instead of moving on empty.
void TextFieldSingleChar::keyPressEvent(QKeyEvent* event)
{
    if (svKeyCode(event) == 0) {
        standardKeyDown(event);
        return;
    }
    TextFieldWithFilter::keyPressEvent(event);
}
