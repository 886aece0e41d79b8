#include "toolkit/fields/TextFieldReal.h"

#include "toolkit/windows/StdWindow.h"

bool TextFieldReal::allowCharacter(char16_t c) const
{
    return (c >= u'0' && c <= u'9') || c == u',' || c == u'-' || c == u'.' || c == kKeyLeftArrow || c == kKeyRightArrow;
}

QString TextFieldReal::createCleanValueFromDirtyValue(const QString& text)
{
    QString clean;
    bool hasSeparator = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if ((c >= u'0' && c <= u'9') || (c == u'-' && i == 0)) {
            clean.append(c);
        } else if ((c == u'.' || c == u',') && !hasSeparator) {
            hasSeparator = true;
            clean.append(u'.');
        }
    }
    return clean;
}
