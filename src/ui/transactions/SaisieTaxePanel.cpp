#include "transactions/SaisieTaxePanel.h"

#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldMontantSaisie.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"

#include <QLabel>

SaisieTaxePanel::SaisieTaxePanel(FenEditSaisieController& window)
    : m_window(window)
{
}

void SaisieTaxePanel::FILL_TRANS_TAXE()
{
    const TRANSACT& rec = m_window.rec();
    const SaisieControls& c = m_window.controls();
    m_window.pickers().taxeID = rec.taxeID;
    if (rec.taxeID < 0) {
        c.field_montantTaxe->setPlainText(QString());
        c.field_montantHT->setPlainText(QString());
    } else {
        MONTANT ht;
        MONTANT::subMontant(rec.solde, rec.taxe, ht);
        c.field_montantTaxe->fillMontant(rec.taxe, rec.devise);
        c.field_montantHT->fillMontant(ht, rec.devise);
    }
    setLayoutSaisieTaxe(rec.taxeID >= 0);
}

void SaisieTaxePanel::COMPUTE_TAXE()
{
    const SaisieControls& c = m_window.controls();
    const long taxeID = m_window.pickers().taxeID;
    if (taxeID < 0) {
        c.field_montantTaxe->setPlainText(QString());
        c.field_montantHT->setPlainText(QString());
        setLayoutSaisieTaxe(false);
        return;
    }
    const DOCUMENT* doc = currentDocument();
    MONTANT ht;
    MONTANT tx;
    TAXE::applyTaxeToMontant(taxeID, FenEditSaisieController::montantOf(c.field_montant), ht, tx,
                             doc ? doc->taxeHdl : TaxeList());
    c.field_montantHT->fillMontant(ht, m_window.rec().devise);
    c.field_montantTaxe->fillMontant(tx, m_window.rec().devise);
    setLayoutSaisieTaxe(true);
}

void SaisieTaxePanel::fieldMontantDidChange(QObject* field)
{
    const SaisieControls& c = m_window.controls();
    if (field == c.field_montant) {
        COMPUTE_TAXE();
        return;
    }
    TextFieldMontant* changed = qobject_cast<TextFieldMontant*>(field);
    TextFieldMontant* other = changed == c.field_montantHT ? c.field_montantTaxe
        : changed == c.field_montantTaxe                   ? c.field_montantHT
                                                           : nullptr;
    if (!other)
        return;
    MONTANT rest;
    MONTANT::subMontant(FenEditSaisieController::montantOf(c.field_montant),
                        FenEditSaisieController::montantOf(changed), rest);
    other->fillMontant(rest, m_window.rec().devise);
}

void SaisieTaxePanel::setLayoutSaisieTaxe(bool hasTaxe)
{
    const SaisieControls& c = m_window.controls();
    for (TextFieldMontantSaisie* field : {c.field_montantHT, c.field_montantTaxe}) {
        field->setEnabled(false);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Text, hasTaxe ? QColor(Qt::black) : FenEditSaisieController::disabledTitleColor());
        field->setPalette(colours);
    }
    FenEditSaisieController::setTitleEnabled(c.titre_montantHT, hasTaxe);
    FenEditSaisieController::setTitleEnabled(c.titre_montantTaxe, hasTaxe);
}
