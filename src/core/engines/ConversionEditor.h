#pragma once
// The values of one amount in each of the document's currencies, as the conversion editor shows
// and edits them: a used slot shows its value with two decimals beside its unit, editable unless
// the amount is read-only; an unused slot shows "-" and takes nothing.
//
// Only the slots whose text the user changed are written back: a value with more precision than
// the two decimals shown (a converted value, a currency with three decimals) is kept as it is
// when its text is left alone. Slots are written independently, without the rates.
#include "model/Devise.h"
#include "model/MONTANT.h"

#include <array>

class ConversionEditor {
public:
    ConversionEditor(const MONTANT& montant, const DeviseList& devises, bool readOnly);

    bool used(long slot) const;
    bool editable(long slot) const { return used(slot) && !m_readOnly; }
    // The text first shown for the slot: "%.2f" of its value, "-" for an unused slot.
    QString text(long slot) const;
    QString unit(long slot) const;

    // The text of a slot as the user left it.
    void setText(long slot, const QString& text);
    bool edited(long slot) const;

    // The amount with every edited, editable slot set to the number its text holds; false, with
    // the amount unchanged, when such a text is not a number (or too large for one).
    bool READ(MONTANT& montant) const;

    static double valueOfText(const QString& text, bool* ok);

private:
    MONTANT m_montant;
    const DeviseList& m_devises;
    bool m_readOnly;
    std::array<QString, kDeviseSlotCount> m_texts;
};
