#include "toolkit/fields/TextFieldJour.h"

QString TextFieldJour::createCleanValueFromDirtyValue(const QString& text)
{
    return cleanTwoDigitValue(text, 31);
}
