#include "toolkit/fields/TextFieldMontant.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

#include <algorithm>

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
    m_montant.setFromMontant(amount);
    m_devise = slot;
    const int digits = int(std::clamp<qint64>(decimales, 0, 15));
    const QString text = textOfValue(m_montant.getValueForDevise(long(slot)), digits);
    setPlainText(trimMontantZeros(text, long(slot), openDocumentDevises()));
    setFont(systemFontOfSize(defaultFontSize()));
}

void TextFieldMontant::synchronizeMontant()
{
    m_montant.makeMontant(long(m_devise), valueOfText(toPlainText()), openDocumentDevises());
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
    filterKeyDown(event);
    synchronizeMontant();
}

void TextFieldMontant::pasteText(const QString& text)
{
    TextFieldReal::pasteText(text);
    synchronizeMontant();
}
