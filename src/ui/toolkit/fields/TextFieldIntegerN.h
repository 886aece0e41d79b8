#pragma once
// A field of a natural number: digits only; left empty, it shows 0.
#include "toolkit/fields/TextFieldWithFilter.h"

class TextFieldIntegerN : public TextFieldWithFilter {
    Q_OBJECT
public:
    using TextFieldWithFilter::TextFieldWithFilter;

    bool allowCharacter(char16_t c) const override;
    bool shouldResignFistResponder() override;
};
