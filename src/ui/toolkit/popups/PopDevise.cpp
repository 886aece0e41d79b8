#include "toolkit/popups/PopDevise.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>

void PopDevise::FILL_MENU()
{
    if (m_associatedMontant)
        addItemToMenu(stdMenu(), localizedAppl(QStringLiteral("editer_conversions")),
                      QStringLiteral("EDIT_CONVERSION:"), stdMenu()->delegate(),
                      QVariant::fromValue<QObject*>(m_associatedMontant.data()), QStringLiteral("crayon"), true, false,
                      -1);
    const DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
        if (Devise::deviseUsedAtIndex(doc->deviseHdl, slot))
            addItemToMenu(stdMenu(), Devise::deviseToString(doc->deviseHdl, slot), QStringLiteral("DEVISE:"),
                          QStringLiteral("devise"), true, slot);
    }
}

void PopDevise::FILL_DEVISE(long slot)
{
    const DOCUMENT* doc = currentDocument();
    const QString unit = doc ? Devise::deviseUnitAtIndex(doc->deviseHdl, slot) : QString();
    if (m_showTitle)
        setTitle(unit);
    if (m_fieldUnit)
        m_fieldUnit->setText(unit);
}

void PopDevise::changeEvent(QEvent* event)
{
    StdPopUp::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateUnitOpacity();
}

void PopDevise::updateUnitOpacity()
{
    if (!m_fieldUnit)
        return;
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(m_fieldUnit->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(m_fieldUnit);
        m_fieldUnit->setGraphicsEffect(effect);
    }
    effect->setOpacity(isEnabled() ? 1.0 : kDisabledUnitOpacity);
}
