#include "toolkit/fields/textfieldx.h"

#include "model/MONTANT.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void colorizeForMontant(QWidget* field, const MONTANT& amount)
{
    if (!field)
        return;
    QColor colour = QColor::fromRgbF(0.0, 0.5, 0.0, 1.0);
    if (amount.nullMontant())
        colour = QColor::fromRgbF(0.0, 0.0, 0.5, 0.5);
    else if (amount.negativeMontant())
        colour = QColor::fromRgbF(0.5, 0.0, 0.0, 1.0);
    QPalette colours = field->palette();
    // Labels draw in the window-text role, editable fields in the text role.
    colours.setColor(QPalette::WindowText, colour);
    colours.setColor(QPalette::Text, colour);
    field->setPalette(colours);
}
