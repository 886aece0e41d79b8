#include "toolkit/fields/TextFieldAnnee.h"

#include "foundation/dates.h"

QString TextFieldAnnee::createCleanValueFromDirtyValue(const QString& text)
{
    if (text.size() < 4)
        return text;
    requestFocusMove();
    return QString::number(integerValue(text));
}

bool TextFieldAnnee::shouldResignFistResponder()
{
    TextFieldIntegerN::shouldResignFistResponder();
    replaceText(QString::number(expandTwoDigitYear(integerValue(toPlainText()))));
    return true;
}
