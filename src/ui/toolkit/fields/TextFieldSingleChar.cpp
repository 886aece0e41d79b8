#include "toolkit/fields/TextFieldSingleChar.h"

QString TextFieldSingleChar::createCleanValueFromDirtyValue(const QString& text)
{
    // A character outside the basic plane is two code units: both make the last character.
    const bool pair = text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate();
    requestFocusMove();
    return text.right(pair ? 2 : 1);
}
