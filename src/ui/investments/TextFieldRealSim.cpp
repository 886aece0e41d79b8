#include "investments/TextFieldRealSim.h"

#include "engines/Simulation.h"

#include <QComboBox>

bool TextFieldRealSim::allowCharacter(char16_t c) const
{
    const bool months = m_popupKind && m_popupKind->currentData().toLongLong() == kSimulationConstantPayment;
    if (months && (c == u'.' || c == u','))
        return false;
    return TextFieldReal::allowCharacter(c);
}
