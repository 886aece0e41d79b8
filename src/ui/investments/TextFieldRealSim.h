#pragma once
// The simulator's payment field: a decimal number, except while the kind pop-up asks for a number
// of months, when neither "." nor "," may be typed.
#include "toolkit/fields/TextFieldReal.h"

#include <QPointer>

class QComboBox;

class TextFieldRealSim : public TextFieldReal {
    Q_OBJECT
public:
    using TextFieldReal::TextFieldReal;

    QComboBox* popup_kind_sim() const { return m_popupKind; }
    void setPopup_kind_sim(QComboBox* popup) { m_popupKind = popup; }

    bool allowCharacter(char16_t c) const override;

private:
    QPointer<QComboBox> m_popupKind;
};
