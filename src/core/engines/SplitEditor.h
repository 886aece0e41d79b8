#pragma once
// The split lines of the transaction being entered: each line gives part of the amount to a
// category, and whenever the lines change the transaction's amount becomes their sum.
//
// A transaction split in the entry window starts with one line holding the whole amount: the
// reference line (row 0), the remainder not yet given to another line. While it is there, a new
// or changed line takes its amount from the reference, so the total stays as typed in the
// transaction's currency (another currency's slot moves only by the rounding of the lines it
// converts); a line that would take it all (or more) asks first to drop the reference line. A stored split transaction
// reopens without one: its lines then simply add up.
//
// A line holds, from the moment it is made or changed, the amount it will be stored with: the
// value in the transaction's currency (the one the user types in) rounded as the file holds it,
// every other slot converted from that value and rounded in turn. The reference line is worked
// out in that currency too. So equal lines are equal in every slot, and the total, which is the
// sum of the lines, is in every slot what the lines shown and saved add up to.
#include "model/Devise.h"
#include "model/TRANSACT.h"

class SaisieDialogs;

class SplitEditor {
public:
    enum class Result {
        Done, // the lines changed
        Refused, // nothing changed; the window beeps and goes back to the category
        Cancelled, // a question was answered no: nothing changed
        ReferenceDropped, // the reference line went; the line asked for was not changed
    };

    SplitEditor(TRANSACT& rec, const DeviseList& devises, SaisieDialogs& dialogs);

    bool hasMontantReference() const { return m_hasMontantReference; }
    // The split box: on makes one reference line with the category and the amount in place of
    // any lines; off removes every line.
    void transformGroupee(bool on, long posteID, const MONTANT& montant);
    // The split box turned off: asks, then removes the lines; false when the user kept them.
    bool askTransformOff();

    Result ADD_DETAIL(long posteID, const MONTANT& montant);
    Result MODIFIER_DETAIL(long row, long posteID, const MONTANT& montant);
    // Nothing for a row outside the lines.
    Result SUPPRIMER_DETAIL(long row);
    // Whether the row selected (-1 none) may be changed: any line but the reference.
    bool canChangeDetail(long selectedRow) const;
    // The amount := the sum of the lines.
    void COMPUTE_TOTAUX_DETAIL();

private:
    // The line of that value in the transaction's currency, as it will be stored.
    MONTANT lineMontant(double typed) const;
    double typedValue(const MONTANT& montant) const { return montant.getValueForDevise(m_rec.devise); }
    bool askDropReference();
    void dropReference();
    MULTI& reference() { return m_rec.multis[0]; }

    TRANSACT& m_rec;
    const DeviseList& m_devises;
    SaisieDialogs& m_dialogs;
    bool m_hasMontantReference = false;
};
