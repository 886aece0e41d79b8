#pragma once
// The amount field: a decimal field bound to an amount (one value per currency slot) and to the
// slot it is typed in. Whatever changes the text (a key, a paste, a drop, the context menu's cut,
// delete, undo and redo) changes the amount with it: the typed value in the field's slot,
// converted into every other slot with the open document's rates, each value held at the
// precision it is stored with, so what the field shows is what every check reads and what is
// saved. Only the amount the program shows (fillMontant) is kept as it was given, all its slots
// untouched, as long as the user does not change the text.
#include "model/MONTANT.h"
#include "toolkit/fields/TextFieldReal.h"

#include <QPointer>

class ButtonCalculette;

class TextFieldMontant : public TextFieldReal {
    Q_OBJECT
public:
    explicit TextFieldMontant(QWidget* parent = nullptr);

    // Shows the amount in the slot with that currency's decimals.
    void fillMontant(const MONTANT& amount, qint64 slot);
    // Shows the slot's value with that many decimals, trailing zeros beyond the currency's own
    // decimals dropped.
    void fillMontant(const MONTANT& amount, qint64 slot, qint64 decimales);
    void readMontant(MONTANT& amount) const { amount.setFromMontant(m_montant); }
    // The amount from the text: its value in the field's slot, converted into every slot, as stored.
    void synchronizeMontant();
    // Shows the same amount in another slot; an empty field stays empty, what is typed next read in
    // that slot.
    void SET_DEVISE(qint64 slot);

    const MONTANT& montant() const { return m_montant; }
    qint64 devise() const { return m_devise; }

    // The calculator button beside the field, when it has one; it follows the field's state.
    ButtonCalculette* button_calculette() const;
    void setButtonCalculette(ButtonCalculette* button);
    void setEnabled(bool flag) override;

    // The open document's currencies, those amounts are shown in; none without a document, where
    // every slot counts the same.
    static const DeviseList& openDocumentDevises();

    // Once the field is left, a figure typed with more decimals than it is stored with shows the
    // value it was read as.
    bool shouldResignFistResponder() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The user changed the text, and with it the amount; once per key, whatever the key did.
    virtual void montantEdited() { }

private:
    void textDidChange();
    // value held as the stored figure of the slot: at the stored decimals given to the field (a
    // figure its record writes with a fixed precision, a quote), else at the slot currency's.
    double slotStoredValue(double value, long slot) const;

    MONTANT m_montant;
    qint64 m_devise = 0;
    bool m_filling = false;
    int m_keyDepth = 0;
    bool m_editedDuringKey = false;
    QPointer<ButtonCalculette> m_buttonCalculette;
};
