#pragma once
// The day of a date typed as digits: two digits make a complete day, brought within days 1 to 31
// and written on two digits, and the focus moves on to the next field, as it does at a date separator.
#include "toolkit/fields/TextFieldIntegerNStar.h"

class TextFieldJour : public TextFieldIntegerNStar {
    Q_OBJECT
public:
    using TextFieldIntegerNStar::TextFieldIntegerNStar;

    QString createCleanValueFromDirtyValue(const QString& text) override;
    bool isDatePart() const override { return true; }

protected:
    bool endsAtDateSeparator() const override { return true; }
};
