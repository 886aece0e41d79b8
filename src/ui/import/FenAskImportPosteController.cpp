#include "import/FenAskImportPosteController.h"

#include "toolkit/popups/PopPoste.h"

#include "document/DocContext.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

#include <QLayout>

FenAskImportPosteController::FenAskImportPosteController()
    : FenAskImportController({"FenAskImportPoste", "FenAskImportPoste_message", true})
{
}

void FenAskImportPosteController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopPoste(&window);
    pop->setObjectName(QStringLiteral("pop_poste"));
    row.addWidget(pop);
    addText(window, row, "view_poste");
}

// The document's default category: a fixed ident may name none in this document.
void FenAskImportPosteController::presetAnswer()
{
    pickers().posteID = DOCPARAM::getDefaultPoste(currentDocument());
}

std::optional<qint64> FenAskImportPosteController::chosenAnswer() const
{
    const DOCUMENT* doc = currentDocument();
    const long ident = pickers().posteID;
    if (!doc || !POSTE::posteWithIdent(ident, *doc))
        return std::nullopt;
    return ident;
}

void FenAskImportPosteController::ACCEDER(QObject*)
{
    acceder();
}
