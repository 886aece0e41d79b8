#include "toolkit/tables/CellTransactExtraTaxeController.h"

#include "model/TRANSACT.h"

CellTransactExtraTaxeController::CellTransactExtraTaxeController(CellTransact* cell, QWidget* parent)
    : CellTransactExtraController(cell, parent, Bare {})
    , field_montant_HT_deb(addField(RowText::field_montant_HT_deb))
    , field_montant_HT_cre(addField(RowText::field_montant_HT_cre))
    , field_montant_TX_deb(addField(RowText::field_montant_TX_deb))
    , field_montant_TX_cre(addField(RowText::field_montant_TX_cre))
{
}

void CellTransactExtraTaxeController::paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc)
{
    const TRANSACT& t = *line.rec;
    const LineSides sides = lineDebitCredit(line, doc);
    MONTANT ht;
    MONTANT::subMontant(t.solde, t.taxe, ht);
    MONTANT tx = t.taxe;
    if (!line.isMain) {
        const double ratio = splitRatio(line.solde, t.solde);
        MONTANT::multMontant(ht, ratio, ht);
        MONTANT::multMontant(tx, ratio, tx);
    }
    paintMontantAux(content, ht, sides, line, RowText::field_montant_HT_deb, RowText::field_montant_HT_cre);
    paintMontantAux(content, tx, sides, line, RowText::field_montant_TX_deb, RowText::field_montant_TX_cre);
}
