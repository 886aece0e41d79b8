#include "toolkit/fields/TextFieldMontant.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <cmath>

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

QString TextFieldMontant::textOfValue(double value, int decimales)
{
    return QString::number(value, 'f', decimales).replace(u'.', QLocale().decimalPoint());
}

QString TextFieldMontant::createCleanValueFromDirtyValue(const QString& text)
{
    return TextFieldReal::createCleanValueFromDirtyValue(text).replace(u'.', QLocale().decimalPoint());
}

double TextFieldMontant::valueOfText(const QString& text)
{
    // The cleaned forms without a digit on one side of the point ("1.", ".5", "-.5") are
    // numbers too.
    QString number = text.trimmed().replace(u',', u'.');
    if (number.endsWith(u'.'))
        number.append(u'0');
    const qsizetype point = number.indexOf(u'.');
    if (point == 0 || (point == 1 && number.startsWith(u'-')))
        number.insert(point, u'0');
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    // A value beyond a double would make every total it enters infinite.
    return ok && std::isfinite(value) ? value : 0.0;
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
