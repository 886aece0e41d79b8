#include "toolkit/tables/CellTransactExtraTitreController.h"

#include "foundation/diagnostics.h"
#include "foundation/numbers.h"
#include "model/FinanceCompute.h"
#include "model/TOTAUX.h"
#include "model/TRANSACT.h"

namespace {

constexpr long kQuantityDecimals = 6;

} // namespace

CellTransactExtraTitreController::CellTransactExtraTitreController(CellTransact* cell, QWidget* parent)
    : CellTransactExtraController(cell, parent, Bare {})
    , field_montant_titre(addField(RowText::field_montant_titre))
    , field_montant_interet(addField(RowText::field_montant_interet))
    , field_montant_cout(addField(RowText::field_montant_cout))
{
}

void CellTransactExtraTitreController::paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc)
{
    if (!findTitreWithIdent(line.rec->titreID, nullptr, &doc)) {
        svLog(QStringLiteral("__titre == NULL (CellTransactExtraTitreController)"));
        return;
    }
    TOTAUX totaux;
    addTransactToTitreTotaux(*line.rec, totaux, &doc);
    paintInvestmentTotaux(totaux, line, content);
    const double quantity = line.isMain ? totaux.nTitre : totaux.nTitre * splitRatio(line.solde, line.rec->solde);
    RowTextContent& titre = content.text(RowText::field_montant_titre);
    titre = {.visible = true, .italic = line.isMain && line.expand, .alignRight = true};
    if (quantity != 0.0) {
        titre.text = doubleToStringTrimmed(kQuantityDecimals, u',', quantity);
    } else {
        titre.text = QStringLiteral("-");
        titre.colour = QColor::fromRgbF(0.0, 0.0, 0.5, 0.5);
    }
}
