#include "toolkit/fields/TextFieldMontant.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>
#include <QTextDocument>

#include <algorithm>

TextFieldMontant::TextFieldMontant(QWidget* parent)
    : TextFieldReal(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, &TextFieldMontant::textDidChange);
}

const DeviseList& TextFieldMontant::openDocumentDevises()
{
    static const DeviseList none;
    const DOCUMENT* doc = currentDocument();
    return doc ? doc->deviseHdl : none;
}

void TextFieldMontant::fillMontant(const MONTANT& amount, qint64 slot)
{
    fillMontant(amount, slot, Devise::deviseDecimalesAtIndex(openDocumentDevises(), long(slot)));
}

void TextFieldMontant::fillMontant(const MONTANT& amount, qint64 slot, qint64 decimales)
{
    const MONTANT shown = amount; // the amount may be this field's own
    m_devise = slot;
    const int digits = int(std::clamp<qint64>(decimales, 0, 15));
    const QString text = textOfValue(shown.getValueForDevise(long(slot)), digits);
    m_filling = true;
    setPlainText(trimMontantZeros(text, long(slot), openDocumentDevises()));
    m_filling = false;
    m_montant.setFromMontant(shown);
    setFont(systemFontOfSize(defaultFontSize()));
}

void TextFieldMontant::SET_DEVISE(qint64 slot)
{
    if (toPlainText().isEmpty())
        m_devise = slot;
    else
        fillMontant(m_montant, slot);
}

double TextFieldMontant::slotStoredValue(double value, long slot) const
{
    const long decimales
        = storedDecimales() >= 0 ? storedDecimales() : Devise::deviseDecimalesAtIndex(openDocumentDevises(), slot);
    return storedValueOf(value, decimales);
}

// The typed value is rounded first, so the other slots are converted from the figure the user
// sees, not from digits that will never be stored.
void TextFieldMontant::synchronizeMontant()
{
    const DeviseList& devises = openDocumentDevises();
    const long slot = long(m_devise);
    m_montant.makeMontant(slot, slotStoredValue(valueOfText(toPlainText()), slot), devises);
    for (long other = 0; other < kDeviseSlotCount; ++other) {
        if (other != slot)
            m_montant.setValueForDevise(other, slotStoredValue(m_montant.getValueForDevise(other), other));
    }
}

// A change the program makes (setPlainText, clear) replaces the document with its undo stack off;
// every change the user makes, by the keys, the menu, undo and redo or a drop, is undoable. Only
// the user's changes are edits the window hears of: the program filling one field from another
// must not start the same again.
void TextFieldMontant::textDidChange()
{
    if (m_filling)
        return;
    synchronizeMontant();
    if (!document()->isUndoRedoEnabled())
        return;
    if (m_keyDepth > 0) {
        m_editedDuringKey = true;
        return;
    }
    montantEdited();
}

bool TextFieldMontant::shouldResignFistResponder()
{
    double typed = 0;
    const long slot = long(m_devise);
    if (readValue(toPlainText(), &typed) && typed != m_montant.getValueForDevise(slot)) {
        const MONTANT read = m_montant;
        if (storedDecimales() >= 0)
            fillMontant(read, slot, storedDecimales());
        else
            fillMontant(read, slot);
    }
    return TextFieldReal::shouldResignFistResponder();
}

ButtonCalculette* TextFieldMontant::button_calculette() const
{
    return m_buttonCalculette;
}

void TextFieldMontant::setButtonCalculette(ButtonCalculette* button)
{
    m_buttonCalculette = button;
}

void TextFieldMontant::setEnabled(bool flag)
{
    TextFieldReal::setEnabled(flag);
    if (m_buttonCalculette)
        m_buttonCalculette->setEnabled(flag && ButtonCalculette::hasCalculetteRunner());
}

void TextFieldMontant::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    if (m_keyDepth++ == 0)
        m_editedDuringKey = false;
    filterKeyDown(event);
    if (--m_keyDepth == 0 && m_editedDuringKey) {
        m_editedDuringKey = false;
        montantEdited();
    }
}
