#include "import/FenAskImportDeviseController.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/popups/PopDevise.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"

#include <QLayout>

FenAskImportDeviseController::FenAskImportDeviseController()
    : FenAskImportController({"FenAskImportDevise", "FenAskImportDevise_message", true})
{
}

void FenAskImportDeviseController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopDevise(&window);
    pop->setObjectName(QStringLiteral("pop_devise_import"));
    m_popDevise = pop;
    row.addWidget(pop);
    auto* name = new StdTextView(&window);
    name->setObjectName(QStringLiteral("field_devise"));
    name->setEnabled(false);
    name->setMinimumWidth(220);
    name->setFixedHeight(name->fontMetrics().height() + 10);
    name->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    name->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fieldDevise = name;
    row.addWidget(name);
}

void FenAskImportDeviseController::presetAnswer()
{
    FILL_DEVISE(devise());
}

void FenAskImportDeviseController::FILL_DEVISE(long slot)
{
    m_newDevise = slot;
    const DOCUMENT* doc = currentDocument();
    if (m_fieldDevise)
        m_fieldDevise->setPlainText(doc ? Devise::deviseToString(doc->deviseHdl, slot) : QString());
    if (m_popDevise)
        m_popDevise->setSelectedTag(slot);
}

void FenAskImportDeviseController::DEVISE(QObject* item)
{
    FILL_DEVISE(long(StdMenu::tagOf(item)));
}

std::optional<qint64> FenAskImportDeviseController::chosenAnswer() const
{
    const DOCUMENT* doc = currentDocument();
    if (!doc || m_newDevise < 0 || m_newDevise >= doc->deviseHdl.size()
        || !Devise::deviseUsedAtIndex(doc->deviseHdl, m_newDevise))
        return std::nullopt;
    return m_newDevise;
}

void FenAskImportDeviseController::ACCEDER(QObject*)
{
    acceder();
}
