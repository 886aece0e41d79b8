#include "toolkit/tables/CellTransactExtraRemunereController.h"

#include "foundation/diagnostics.h"
#include "model/FinanceCompute.h"
#include "model/TOTAUX.h"
#include "model/TRANSACT.h"

CellTransactExtraRemunereController::CellTransactExtraRemunereController(CellTransact* cell, QWidget* parent)
    : CellTransactExtraController(cell, parent, Bare {})
    , field_montant_interet(addField(RowText::field_montant_interet))
    , field_montant_cout(addField(RowText::field_montant_cout))
{
}

void CellTransactExtraRemunereController::paintTransExtra(const TransLine& line, RowContent& content,
                                                          const DOCUMENT& doc)
{
    if (!findRemunereWithIdent(line.rec->remunereID, nullptr, &doc)) {
        svLog(QStringLiteral("__remunere == NULL (CellTransactExtraRemunereController.paintTransExtra)"));
        return;
    }
    TOTAUX totaux;
    addTransactToRemunereTotaux(*line.rec, totaux, &doc);
    paintInvestmentTotaux(totaux, line, content);
}
