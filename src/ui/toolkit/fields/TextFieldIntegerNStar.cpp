#include "toolkit/fields/TextFieldIntegerNStar.h"

#include <algorithm>

bool TextFieldIntegerNStar::shouldResignFistResponder()
{
    TextFieldIntegerN::shouldResignFistResponder();
    if (integerValue(toPlainText()) == 0)
        replaceText(QStringLiteral("1"));
    return true;
}

QString TextFieldIntegerNStar::cleanTwoDigitValue(const QString& text, long maximum)
{
    if (text.size() < 2)
        return text;
    requestFocusMove();
    return QStringLiteral("%1").arg(std::clamp(integerValue(text), 1L, maximum), 2, 10, QLatin1Char('0'));
}
