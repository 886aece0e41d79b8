#pragma once
// The drawer's category field of the split lines: completes categories as the main category
// field does, telling its delegate (the drawer); Tab, Backtab and Return go to the drawer's amount.
#include "toolkit/fields/TextViewPoste.h"
#include "transactions/DrawerPartnerField.h"

class TextViewPosteDetail : public DrawerPartnerField<TextViewPoste> {
    Q_OBJECT
public:
    using DrawerPartnerField<TextViewPoste>::DrawerPartnerField;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
