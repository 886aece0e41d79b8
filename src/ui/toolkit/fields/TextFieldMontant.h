#pragma once
// The amount field: a decimal field bound to an amount (one value per currency slot) and to the
// slot it is typed in. Every key and every paste updates the amount: the typed value in the
// field's slot, converted into every other slot with the open document's rates.
#include "model/MONTANT.h"
#include "toolkit/fields/TextFieldReal.h"

#include <QPointer>

class ButtonCalculette;

class TextFieldMontant : public TextFieldReal {
    Q_OBJECT
public:
    using TextFieldReal::TextFieldReal;

    // Shows the amount in the slot with that currency's decimals.
    void fillMontant(const MONTANT& amount, qint64 slot);
    // Shows the slot's value with that many decimals, trailing zeros beyond the currency's own
    // decimals dropped.
    void fillMontant(const MONTANT& amount, qint64 slot, qint64 decimales);
    void readMontant(MONTANT& amount) const { amount.setFromMontant(m_montant); }
    // The amount from the text: its value in the field's slot, converted into every slot.
    void synchronizeMontant();
    // Shows the same amount in another slot.
    void SET_DEVISE(qint64 slot) { fillMontant(m_montant, slot); }

    const MONTANT& montant() const { return m_montant; }
    qint64 devise() const { return m_devise; }

    // The calculator button beside the field, when it has one; it follows the field's state.
    ButtonCalculette* button_calculette() const;
    void setButtonCalculette(ButtonCalculette* button);
    void setEnabled(bool flag) override;

    // The open document's currencies, those amounts are shown in; none without a document, where
    // every slot counts the same.
    static const DeviseList& openDocumentDevises();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void pasteText(const QString& text) override;

private:
    MONTANT m_montant;
    qint64 m_devise = 0;
    QPointer<ButtonCalculette> m_buttonCalculette;
};
