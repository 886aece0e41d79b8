#pragma once
// A field of a decimal number: digits, one decimal separator (typed as "." or ",", shown as the
// program's decimal comma, as the amount fields show it) and a leading minus sign; the left and
// right arrows move the caret.
#include "toolkit/fields/TextFieldWithFilter.h"

class TextFieldReal : public TextFieldWithFilter {
    Q_OBJECT
public:
    using TextFieldWithFilter::TextFieldWithFilter;

    bool allowCharacter(char16_t c) const override;
    QString createCleanValueFromDirtyValue(const QString& text) override;

    // The decimals the field is meant to show.
    qint64 decimales() const { return m_decimales; }
    void setDecimales(qint64 decimales) { m_decimales = decimales; }

    // A field of a figure stored with that many decimals: it is read as stored (storedValue), and
    // once the field is left a text with more decimals shows that value. Without it (-1) the
    // figure is read as typed.
    void setStoredDecimales(long decimales) { m_storedDecimales = decimales; }
    // The text's number as stored; false (and 0) as readValue.
    bool readStoredValue(double* value) const;
    double storedValue() const;
    // The value as a figure written with that many decimals reads back, never "-0".
    static double storedValueOf(double value, long decimales);

    bool shouldResignFistResponder() override;

    // The number a text stands for, with a decimal comma or point; false (and 0) for a text
    // without digits ("", "-") and for a value too large for a double.
    static bool readValue(const QString& text, double* value);
    // The same, 0 when there is no number.
    static double valueOfText(const QString& text);
    // The text of a value as the field shows it: with the program's decimal comma.
    static QString textOfValue(double value, int decimales);
    // The same without trailing zeros, nor the separator for a whole number.
    static QString trimmedTextOfValue(double value, long decimales);

protected:
    long storedDecimales() const { return m_storedDecimales; }

private:
    qint64 m_decimales = 2;
    long m_storedDecimales = -1;
};
