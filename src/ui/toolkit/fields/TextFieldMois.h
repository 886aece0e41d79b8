#pragma once
// The month of a date typed as digits: two digits make a complete month, brought within months 1 to 12
// and written on two digits, and the focus moves on to the next field, as it does at a date separator.
#include "toolkit/fields/TextFieldIntegerNStar.h"

class TextFieldMois : public TextFieldIntegerNStar {
    Q_OBJECT
public:
    using TextFieldIntegerNStar::TextFieldIntegerNStar;

    QString createCleanValueFromDirtyValue(const QString& text) override;
    bool isDatePart() const override { return true; }

protected:
    bool endsAtDateSeparator() const override { return true; }
};
