#pragma once
// The drawer's category field of the split lines: completes categories as the main category
// field does, telling its delegate (the drawer); Tab, Backtab and Return go to the drawer's amount.
#include "toolkit/fields/TextViewPoste.h"

class TextViewPosteDetail : public TextViewPoste {
    Q_OBJECT
public:
    using TextViewPoste::TextViewPoste;

    QWidget* partner() const { return m_partner; }
    void setPartner(QWidget* partner) { m_partner = partner; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void focusPartner();

    QWidget* m_partner = nullptr;
};
