#include "toolkit/fields/TextFieldMois.h"

QString TextFieldMois::createCleanValueFromDirtyValue(const QString& text)
{
    return cleanTwoDigitValue(text, 12);
}
