#include "engines/SplitEditor.h"

#include "engines/SaisieChecks.h"

#include <cmath>

SplitEditor::SplitEditor(TRANSACT& rec, const DeviseList& devises, SaisieDialogs& dialogs)
    : m_rec(rec)
    , m_devises(devises)
    , m_dialogs(dialogs)
{
}

void SplitEditor::roundToDecimales(MONTANT& montant, const DeviseList& devises)
{
    for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
        const double scale = std::pow(10.0, double(Devise::deviseDecimalesAtIndex(devises, slot)));
        double& value = montant.values[size_t(slot)];
        if (std::isfinite(value))
            value = std::round(value * scale) / scale;
    }
}

void SplitEditor::transformGroupee(bool on, long posteID, const MONTANT& montant)
{
    m_rec.deleteMulti();
    m_hasMontantReference = on;
    if (!on)
        return;
    m_rec.addMultiWithPosteID(posteID, montant, QString());
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

SplitEditor::Result SplitEditor::ADD_DETAIL(long posteID, const MONTANT& montant)
{
    if (montant.nullMontant())
        return Result::Refused;
    if (m_hasMontantReference && !m_rec.multis.isEmpty()) {
        if (MONTANT::infMontant(montant, reference().montant)) {
            MONTANT::subMontant(reference().montant, montant, reference().montant);
            roundToDecimales(reference().montant, m_devises);
        } else if (askDropReference()) {
            dropReference();
        } else {
            return Result::Cancelled;
        }
    }
    m_rec.addMultiWithPosteID(posteID, montant, QString());
    COMPUTE_TOTAUX_DETAIL();
    return Result::Done;
}

SplitEditor::Result SplitEditor::MODIFIER_DETAIL(long row, long posteID, const MONTANT& montant)
{
    if (row < 0 || row >= m_rec.nbMultis() || montant.nullMontant() || (m_hasMontantReference && row == 0))
        return Result::Refused;
    MULTI& line = m_rec.multis[row];
    if (m_hasMontantReference) {
        MONTANT available;
        MONTANT::addMontant(reference().montant, line.montant, available);
        if (!MONTANT::infMontant(montant, available)) {
            if (!askDropReference())
                return Result::Cancelled;
            dropReference();
            COMPUTE_TOTAUX_DETAIL();
            return Result::ReferenceDropped;
        }
        MONTANT::subMontant(available, montant, reference().montant);
        roundToDecimales(reference().montant, m_devises);
    }
    // The reference line changes above: take the line again by its row.
    MULTI& changed = m_rec.multis[row];
    changed.posteID = posteID;
    changed.montant.setFromMontant(montant);
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
            MONTANT::addMontant(reference().montant, m_rec.multis[row].montant, reference().montant);
            roundToDecimales(reference().montant, m_devises);
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
    roundToDecimales(total, m_devises);
    m_rec.solde.setFromMontant(total);
}
