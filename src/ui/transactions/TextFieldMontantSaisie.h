#pragma once
// The amount fields of the entry window (the amount, the amount before tax, the tax). Whatever
// the user does to their text, a key, a paste, a drop or the context menu, the window is told
// (fieldMontantDidChange:) with the field, so the tax split follows the amount as it is shown.
#include "toolkit/fields/TextFieldMontant.h"
#include "transactions/DrawerPartnerField.h"

class TextFieldMontantSaisie : public TextFieldMontant {
    Q_OBJECT
public:
    using TextFieldMontant::TextFieldMontant;

protected:
    void montantEdited() override;
};

// The drawer's amount field of the split lines: Tab and Backtab go to the drawer's category
// field, Return adds the line (the delegate's ADD_DETAIL:).
class TextFieldMontantDetail : public DrawerPartnerField<TextFieldMontant> {
    Q_OBJECT
public:
    using DrawerPartnerField<TextFieldMontant>::DrawerPartnerField;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
