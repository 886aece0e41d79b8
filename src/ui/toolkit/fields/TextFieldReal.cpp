#include "toolkit/fields/TextFieldReal.h"

#include "toolkit/windows/StdWindow.h"

#include "foundation/numbers.h"

#include <QLocale>

#include <cmath>

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
            clean.append(QLocale().decimalPoint());
        }
    }
    return clean;
}

bool TextFieldReal::readValue(const QString& text, double* value)
{
    // The cleaned forms without a digit on one side of the point ("1.", ".5", "-.5") are
    // numbers too.
    QString number = text.trimmed().replace(u',', u'.');
    if (number.endsWith(u'.'))
        number.append(u'0');
    const qsizetype point = number.indexOf(u'.');
    if (point == 0 || (point == 1 && number.startsWith(u'-')))
        number.insert(point, u'0');
    bool ok = false;
    const double parsed = QLocale::c().toDouble(number, &ok);
    // A value beyond a double would make every total it enters infinite.
    ok = ok && std::isfinite(parsed);
    *value = ok ? parsed : 0.0;
    return ok;
}

double TextFieldReal::valueOfText(const QString& text)
{
    double value = 0.0;
    readValue(text, &value);
    return value;
}

QString TextFieldReal::textOfValue(double value, int decimales)
{
    return QString::number(value, 'f', decimales).replace(u'.', QLocale().decimalPoint());
}

QString TextFieldReal::trimmedTextOfValue(double value, long decimales)
{
    return doubleToStringTrimmed(decimales, QLocale().decimalPoint().front(), value);
}
