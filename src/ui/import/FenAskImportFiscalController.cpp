#include "import/FenAskImportFiscalController.h"

#include "toolkit/popups/PopTaxe.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"

#include <QLayout>

FenAskImportFiscalController::FenAskImportFiscalController()
    : FenAskImportController({"FenAskImportFiscal", "FenAskImportFiscal_message", true})
{
}

void FenAskImportFiscalController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopTaxe(&window);
    pop->setObjectName(QStringLiteral("pop_taxe"));
    row.addWidget(pop);
    addText(window, row, "field_taxe");
}

void FenAskImportFiscalController::presetAnswer()
{
    pickers().taxeID = -1;
}

// No tax is an answer too: the text then stands for none.
std::optional<qint64> FenAskImportFiscalController::chosenAnswer() const
{
    const DOCUMENT* doc = currentDocument();
    const long ident = pickers().taxeID;
    long index = 0;
    if (ident >= 0 && (!doc || !TAXE::findTaxe(ident, &index, doc->taxeHdl)))
        return std::nullopt;
    return ident;
}

void FenAskImportFiscalController::ACCEDER(QObject*)
{
    acceder();
}
