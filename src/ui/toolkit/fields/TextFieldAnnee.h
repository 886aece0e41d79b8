#pragma once
// The year of a date typed as digits: four digits make a complete year and the focus moves on;
// a shorter year is completed when the field is left (98 becomes 1998, 5 becomes 2005).
#include "toolkit/fields/TextFieldIntegerN.h"

class TextFieldAnnee : public TextFieldIntegerN {
    Q_OBJECT
public:
    using TextFieldIntegerN::TextFieldIntegerN;

    QString createCleanValueFromDirtyValue(const QString& text) override;
    bool isDatePart() const override { return true; }
    bool shouldResignFistResponder() override;
};
