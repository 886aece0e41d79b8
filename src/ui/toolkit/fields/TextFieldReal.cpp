#include "toolkit/fields/TextFieldReal.h"

#include "toolkit/windows/StdWindow.h"

#include "engines/SaisieInput.h"
#include "foundation/numbers.h"
#include "model/MONTANT.h"

#include <QLocale>

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
    return saisieMontantTextValue(text, value);
}

double TextFieldReal::valueOfText(const QString& text)
{
    double value = 0.0;
    readValue(text, &value);
    return value;
}

bool TextFieldReal::readStoredValue(double* value) const
{
    if (!readValue(toPlainText(), value))
        return false;
    if (m_storedDecimales >= 0)
        *value = storedValueOf(*value, m_storedDecimales);
    return true;
}

double TextFieldReal::storedValueOf(double value, long decimales)
{
    const double stored = storedMontantValue(value, decimales);
    return stored == 0.0 ? 0.0 : stored;
}

double TextFieldReal::storedValue() const
{
    double value = 0.0;
    readStoredValue(&value);
    return value;
}

bool TextFieldReal::shouldResignFistResponder()
{
    double typed = 0.0;
    double stored = 0.0;
    if (m_storedDecimales >= 0 && readValue(toPlainText(), &typed) && readStoredValue(&stored) && stored != typed)
        replaceText(textOfValue(stored, int(m_storedDecimales)));
    return TextFieldWithFilter::shouldResignFistResponder();
}

QString TextFieldReal::textOfValue(double value, int decimales)
{
    return QString::number(value, 'f', decimales).replace(u'.', QLocale().decimalPoint());
}

QString TextFieldReal::trimmedTextOfValue(double value, long decimales)
{
    return doubleToStringTrimmed(decimales, QLocale().decimalPoint().front(), value);
}
