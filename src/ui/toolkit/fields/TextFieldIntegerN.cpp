#include "toolkit/fields/TextFieldIntegerN.h"

bool TextFieldIntegerN::allowCharacter(char16_t c) const
{
    return c >= u'0' && c <= u'9';
}

bool TextFieldIntegerN::shouldResignFistResponder()
{
    if (toPlainText().isEmpty())
        replaceText(QStringLiteral("0"));
    return true;
}
