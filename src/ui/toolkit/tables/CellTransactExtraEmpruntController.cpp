#include "toolkit/tables/CellTransactExtraEmpruntController.h"

#include "foundation/diagnostics.h"
#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"
#include "model/TOTAUX.h"
#include "model/TRANSACT.h"

CellTransactExtraEmpruntController::CellTransactExtraEmpruntController(CellTransact* cell, QWidget* parent)
    : CellTransactExtraController(cell, parent, Bare {})
    , field_montant_interet(addField(RowText::field_montant_interet))
    , field_montant_cout(addField(RowText::field_montant_cout))
{
}

void CellTransactExtraEmpruntController::paintTransExtra(const TransLine& line, RowContent& content,
                                                         const DOCUMENT& doc)
{
    long index = 0;
    const FINANCE* emprunt
        = findEmpruntWithIdent(line.rec->empruntID, &index, &doc) ? empruntAtIndex(&doc.empruntHdl, index) : nullptr;
    if (!emprunt) {
        svLog(QStringLiteral("__emprunt == nil (CellTransactExtraEmpruntController.paintTransExtra)"));
        return;
    }
    TOTAUX totaux;
    addTransactToEmpruntTotaux(*line.rec, totaux, &doc, emprunt->pret);
    paintInvestmentTotaux(totaux, line, content);
}
