#pragma once
// A field of one character: the last character typed replaces the content, and the focus moves
// on to the next field at once.
#include "toolkit/fields/TextFieldWithFilter.h"

class TextFieldSingleChar : public TextFieldWithFilter {
    Q_OBJECT
public:
    using TextFieldWithFilter::TextFieldWithFilter;

    QString createCleanValueFromDirtyValue(const QString& text) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
