#include "transactions/SaisiePlacementPanel.h"

#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "engines/PlacementHelp.h"
#include "toolkit/fields/TextFieldReal.h"

#include "document/DocContext.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QColor kEnabledTitle(Qt::black);
const QColor kDisabledTitle = QColor::fromRgbF(1.0 / 3, 1.0 / 3, 1.0 / 3);

void tint(QLabel* title, bool enabled)
{
    QPalette colours = title->palette();
    colours.setColor(QPalette::WindowText, enabled ? kEnabledTitle : kDisabledTitle);
    title->setPalette(colours);
}

} // namespace

SaisiePlacementPanel::SaisiePlacementPanel(FenEditSaisieController& window)
    : m_window(window)
{
}

bool SaisiePlacementPanel::hasPlacement() const
{
    const StdWindowPickers& p = m_window.pickers();
    return p.titreID >= 0 || p.remunereID >= 0 || p.empruntID >= 0;
}

void SaisiePlacementPanel::fillQuote(int which, const MONTANT& value)
{
    const SaisieControls& c = m_window.controls();
    TextFieldMontant* fields[] = {c.field_quote1, c.field_quote2, c.field_quote3};
    fields[which - 1]->fillMontant(value, m_window.rec().devise);
}

void SaisiePlacementPanel::fillNTitre(double value)
{
    TextFieldReal* field = m_window.controls().field_nTitre;
    field->setPlainText(TextFieldReal::trimmedTextOfValue(value, 6));
    field->setFont(StdTextView::systemFontOfSize(13));
}

void SaisiePlacementPanel::FILL_TRANS_PLACEMENT()
{
    const TRANSACT& rec = m_window.rec();
    StdWindowPickers& p = m_window.pickers();
    p.titreID = rec.titreID;
    p.remunereID = rec.remunereID;
    p.empruntID = rec.empruntID;
    if (!hasPlacement()) {
        for (TextFieldMontant* field :
             {m_window.controls().field_quote1, m_window.controls().field_quote2, m_window.controls().field_quote3})
            field->setPlainText(QString());
        m_window.controls().field_nTitre->setPlainText(QString());
        setLayoutSaisiePlacement(false, false);
        return;
    }
    fillQuote(1, rec.quote1);
    fillQuote(2, rec.quote2);
    fillQuote(3, rec.quote3);
    fillNTitre(rec.nTitre);
    setLayoutSaisiePlacement(true, rec.titreID >= 0);
}

void SaisiePlacementPanel::COMPUTE_PLACEMENT(bool fromTitre)
{
    const SaisieControls& c = m_window.controls();
    if (!hasPlacement()) {
        for (TextFieldMontant* field : {c.field_quote1, c.field_quote2, c.field_quote3})
            field->setPlainText(QString());
        c.field_nTitre->setPlainText(QString());
        setLayoutSaisiePlacement(false, false);
        return;
    }
    fillQuote(1, FenEditSaisieController::montantOf(c.field_montant));
    fillQuote(2, MONTANT());
    fillQuote(3, MONTANT());
    if (m_window.pickers().titreID >= 0)
        fillNTitre(0);
    else
        c.field_nTitre->setPlainText(QString());
    setLayoutSaisiePlacement(true, fromTitre);
}

void SaisiePlacementPanel::setLayoutSaisiePlacement(bool enabled, bool titre)
{
    const SaisieControls& c = m_window.controls();
    for (TextFieldMontant* field : {c.field_quote1, c.field_quote2, c.field_quote3})
        field->setEnabled(enabled);
    for (QPushButton* button : {c.button_quote1, c.button_quote2, c.button_quote3})
        button->setVisible(enabled);
    for (QLabel* title : {c.titre_quote1, c.titre_quote2, c.titre_quote3})
        tint(title, enabled);
    c.field_nTitre->setEnabled(enabled && titre);
    tint(c.titre_nTitre, enabled && titre);
    c.pop_placement_help->setEnabled(enabled);
}

void SaisiePlacementPanel::SET_QUOTE(int which)
{
    const MONTANT amount = FenEditSaisieController::montantOf(m_window.controls().field_montant);
    fillQuote(which, solveQuote(which, amount, capital(), interets(), frais()));
}

void SaisiePlacementPanel::DEAL_HELP_PLAC(int tag)
{
    const SaisieControls& c = m_window.controls();
    const MONTANT amount = FenEditSaisieController::montantOf(c.field_montant);
    const std::optional<PlacementSplit> split = dealHelpPlac(tag, getPlacementCategorie(), amount);
    if (!split)
        return;
    const std::optional<MONTANT>* parts[] = {&split->capital, &split->interets, &split->frais};
    for (int which = 1; which <= 3; ++which) {
        if (const std::optional<MONTANT>& part = *parts[which - 1])
            fillQuote(which, *part);
    }
    if (split->nTitre)
        fillNTitre(*split->nTitre);
    QWidget* focus = c.field_quote1;
    switch (split->focus) {
    case PlacementFocus::Capital:
        break;
    case PlacementFocus::Interets:
        focus = c.field_quote2;
        break;
    case PlacementFocus::Frais:
        focus = c.field_quote3;
        break;
    case PlacementFocus::NTitre:
        focus = c.field_nTitre;
        break;
    }
    focus->setFocus(Qt::OtherFocusReason);
}

int SaisiePlacementPanel::getPlacementCategorie() const
{
    const StdWindowPickers& p = m_window.pickers();
    return ::getPlacementCategorie({p.titreID, p.remunereID, p.empruntID, p.compteDID, p.compteCID}, currentDocument());
}

MONTANT SaisiePlacementPanel::capital() const
{
    return FenEditSaisieController::montantOf(m_window.controls().field_quote1);
}

MONTANT SaisiePlacementPanel::interets() const
{
    return FenEditSaisieController::montantOf(m_window.controls().field_quote2);
}

MONTANT SaisiePlacementPanel::frais() const
{
    return FenEditSaisieController::montantOf(m_window.controls().field_quote3);
}

double SaisiePlacementPanel::nTitre() const
{
    return TextFieldReal::valueOfText(m_window.controls().field_nTitre->toPlainText());
}

void SaisiePlacementPanel::read(TRANSACT& rec) const
{
    rec.quote1 = capital();
    rec.quote2 = interets();
    rec.quote3 = frais();
    rec.nTitre = nTitre();
}
