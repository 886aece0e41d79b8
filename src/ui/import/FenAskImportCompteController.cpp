#include "import/FenAskImportCompteController.h"

#include "toolkit/popups/PopCompte.h"

#include "document/DocContext.h"
#include "model/TOOL.h"

#include <QLayout>

namespace {

constexpr long kAnonymousPayee = 3;

} // namespace

FenAskImportCompteController::FenAskImportCompteController()
    : FenAskImportController({"FenAskImportCompte", "FenAskImportCompte_message", true})
{
}

void FenAskImportCompteController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopCompte(&window);
    pop->setObjectName(QStringLiteral("pop_compteD"));
    pop->setPOPcompteCFilter(7);
    pop->setSelectedTag(StdPopUp::kNoTag);
    pop->setCompteDebit(true);
    row.addWidget(pop);
    addText(window, row, "view_compteD");
}

void FenAskImportCompteController::presetAnswer()
{
    pickers().compteDID = kAnonymousPayee;
}

std::optional<qint64> FenAskImportCompteController::chosenAnswer() const
{
    const long ident = pickers().compteDID;
    if (!getTool(kToolCompte, ident, currentDocument()))
        return std::nullopt;
    return ident;
}

void FenAskImportCompteController::ACCEDER(QObject*)
{
    acceder();
}
