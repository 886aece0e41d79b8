#include "engines/SplitEditor.h"

#include "engines/SaisieChecks.h"

SplitEditor::SplitEditor(TRANSACT& rec, const DeviseList& devises, SaisieDialogs& dialogs)
    : m_rec(rec)
    , m_devises(devises)
    , m_dialogs(dialogs)
{
}

MONTANT SplitEditor::lineMontant(double typed) const
{
    const long slot = m_rec.devise;
    MONTANT line;
    line.makeMontant(slot, storedMontantValue(typed, Devise::deviseDecimalesAtIndex(m_devises, slot)), m_devises);
    line.roundAsStored(m_devises);
    return line;
}

void SplitEditor::transformGroupee(bool on, long posteID, const MONTANT& montant)
{
    m_rec.deleteMulti();
    m_hasMontantReference = on;
    if (!on)
        return;
    // The amount as it stands, only rounded as stored: turning the split on leaves it unchanged.
    MONTANT reference = montant;
    reference.roundAsStored(m_devises);
    m_rec.addMultiWithPosteID(posteID, reference, QString());
    COMPUTE_TOTAUX_DETAIL();
}

bool SplitEditor::askTransformOff()
{
    if (!m_dialogs.ask(QStringLiteral("kConfirm_DeleteDetail"), QStringLiteral("LIB_BUTTON_OK"),
                       QStringLiteral("LIB_BUTTON_ANNULER"), QStringLiteral("groupee"), SaisieDialogs::Safe::Second))
        return false;
    m_rec.deleteMulti();
    m_hasMontantReference = false;
    return true;
}

bool SplitEditor::askDropReference()
{
    return m_dialogs.ask(QStringLiteral("kConfirm_SuppMontantReference"), QStringLiteral("LIB_BUTTON_OK"),
                         QStringLiteral("LIB_BUTTON_ANNULER"), QStringLiteral("plus"), SaisieDialogs::Safe::Second);
}

void SplitEditor::dropReference()
{
    m_rec.multis.removeFirst();
    m_hasMontantReference = false;
}

// The remainder is compared and worked out in the currency typed in: a line of 999 yen leaves 1 yen
// of a reference line of 1000 though both read 6.12 in euros.
SplitEditor::Result SplitEditor::ADD_DETAIL(long posteID, const MONTANT& montant)
{
    const MONTANT line = lineMontant(typedValue(montant));
    if (line.nullMontant())
        return Result::Refused;
    if (m_hasMontantReference && !m_rec.multis.isEmpty()) {
        const double left = typedValue(reference().montant);
        if (typedValue(line) < left) {
            reference().montant = lineMontant(left - typedValue(line));
        } else if (askDropReference()) {
            dropReference();
        } else {
            return Result::Cancelled;
        }
    }
    m_rec.addMultiWithPosteID(posteID, line, QString());
    COMPUTE_TOTAUX_DETAIL();
    return Result::Done;
}

SplitEditor::Result SplitEditor::MODIFIER_DETAIL(long row, long posteID, const MONTANT& montant)
{
    const MONTANT line = lineMontant(typedValue(montant));
    if (row < 0 || row >= m_rec.nbMultis() || line.nullMontant() || (m_hasMontantReference && row == 0))
        return Result::Refused;
    if (m_hasMontantReference) {
        const double available = typedValue(reference().montant) + typedValue(m_rec.multis[row].montant);
        if (!(typedValue(line) < available)) {
            if (!askDropReference())
                return Result::Cancelled;
            dropReference();
            COMPUTE_TOTAUX_DETAIL();
            return Result::ReferenceDropped;
        }
        reference().montant = lineMontant(available - typedValue(line));
    }
    MULTI& changed = m_rec.multis[row];
    changed.posteID = posteID;
    changed.montant = line;
    COMPUTE_TOTAUX_DETAIL();
    return Result::Done;
}

SplitEditor::Result SplitEditor::SUPPRIMER_DETAIL(long row)
{
    if (row < 0 || row >= m_rec.nbMultis())
        return Result::Refused;
    if (m_hasMontantReference) {
        if (row == 0) {
            if (!m_dialogs.ask(QStringLiteral("kConfirm_DeleteMontantReference"), QStringLiteral("LIB_BUTTON_OK"),
                               QStringLiteral("LIB_BUTTON_ANNULER"), QStringLiteral("plus"),
                               SaisieDialogs::Safe::Second))
                return Result::Cancelled;
            m_hasMontantReference = false;
        } else {
            reference().montant = lineMontant(typedValue(reference().montant) + typedValue(m_rec.multis[row].montant));
        }
    }
    m_rec.multis.removeAt(row);
    COMPUTE_TOTAUX_DETAIL();
    return Result::Done;
}

bool SplitEditor::canChangeDetail(long selectedRow) const
{
    if (selectedRow < 0 || selectedRow >= m_rec.nbMultis())
        return false;
    return m_hasMontantReference ? selectedRow > 0 : true;
}

void SplitEditor::COMPUTE_TOTAUX_DETAIL()
{
    MONTANT total;
    for (const MULTI& line : m_rec.multis)
        MONTANT::addMontant(total, line.montant, total);
    // Rounded as stored, the sum of stored lines is their exact decimal sum.
    total.roundAsStored(m_devises);
    m_rec.solde.setFromMontant(total);
}
