#pragma once
// A field of a number from 1 up: digits only; left empty or at 0, it shows 1.
#include "toolkit/fields/TextFieldIntegerN.h"

class TextFieldIntegerNStar : public TextFieldIntegerN {
    Q_OBJECT
public:
    using TextFieldIntegerN::TextFieldIntegerN;

    bool shouldResignFistResponder() override;

protected:
    // For the day and month fields: once two digits are typed, the value brought within
    // 1..maximum on two digits, and the focus moves on; a shorter text is kept as it is.
    QString cleanTwoDigitValue(const QString& text, long maximum);
};
