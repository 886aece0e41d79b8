#pragma once
// A field of a decimal number: digits, one decimal separator (typed as "." or ",", kept as ".")
// and a leading minus sign; the left and right arrows move the caret.
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

private:
    qint64 m_decimales = 2;
};
