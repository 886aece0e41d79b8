#include "engines/ConversionEditor.h"

#include <QLocale>

#include <cmath>

ConversionEditor::ConversionEditor(const MONTANT& montant, const DeviseList& devises, bool readOnly)
    : m_montant(montant)
    , m_devises(devises)
    , m_readOnly(readOnly)
{
    for (long slot = 0; slot < kDeviseSlotCount; ++slot)
        m_texts[size_t(slot)] = text(slot);
}

bool ConversionEditor::used(long slot) const
{
    return Devise::deviseUsedAtIndex(m_devises, slot);
}

QString ConversionEditor::text(long slot) const
{
    if (!used(slot))
        return QStringLiteral("-");
    return QString::asprintf("%.2f", m_montant.getValueForDevise(slot));
}

QString ConversionEditor::unit(long slot) const
{
    return used(slot) ? Devise::deviseUnitAtIndex(m_devises, slot) : QString();
}

void ConversionEditor::setText(long slot, const QString& value)
{
    if (slot >= 0 && slot < kDeviseSlotCount)
        m_texts[size_t(slot)] = value;
}

bool ConversionEditor::edited(long slot) const
{
    return slot >= 0 && slot < kDeviseSlotCount && m_texts[size_t(slot)] != text(slot);
}

double ConversionEditor::valueOfText(const QString& value, bool* ok)
{
    QString number = value.trimmed();
    number.replace(u',', u'.');
    bool parsed = false;
    const double result = QLocale::c().toDouble(number, &parsed);
    *ok = parsed && std::isfinite(result);
    return *ok ? result : 0.0;
}

bool ConversionEditor::READ(MONTANT& montant) const
{
    MONTANT result = montant;
    for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
        if (!editable(slot) || !edited(slot))
            continue;
        bool ok = false;
        const double value = valueOfText(m_texts[size_t(slot)], &ok);
        if (!ok)
            return false;
        result.setValueForDevise(slot, value);
    }
    montant = result;
    return true;
}
