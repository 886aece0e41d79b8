#include "toolkit/fields/TextFieldMontant.h"

#include "model/DOCUMENT.h"
#include "document/DocContext.h"
#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// The open document's currencies; none without a document, where every slot counts the same.
const DeviseList& documentDevises()
{
    static const DeviseList none;
    const DOCUMENT* doc = currentDocument();
    return doc ? doc->deviseHdl : none;
}

} // namespace

void TextFieldMontant::fillMontant(const MONTANT& amount, qint64 slot)
{
    fillMontant(amount, slot, Devise::deviseDecimalesAtIndex(documentDevises(), long(slot)));
}

void TextFieldMontant::fillMontant(const MONTANT& amount, qint64 slot, qint64 decimales)
{
    m_montant.setFromMontant(amount);
    m_devise = slot;
    const int digits = int(std::clamp<qint64>(decimales, 0, 15));
    const QString text = QString::number(m_montant.getValueForDevise(long(slot)), 'f', digits);
    setPlainText(trimMontantZeros(text, long(slot), documentDevises()));
    setFont(systemFontOfSize(defaultFontSize()));
}

void TextFieldMontant::synchronizeMontant()
{
    m_montant.makeMontant(long(m_devise), valueOfText(toPlainText()), documentDevises());
}

double TextFieldMontant::valueOfText(const QString& text)
{
    // The cleaned forms without a digit on one side of the point ("1.", ".5", "-.5") are
    // numbers too.
    QString number = text.trimmed();
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
