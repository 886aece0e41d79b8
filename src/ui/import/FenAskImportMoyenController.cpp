#include "import/FenAskImportMoyenController.h"

#include "toolkit/popups/PopMoyen.h"

#include <QLayout>

namespace {

constexpr int kNbMoyenFamilies = 13;

} // namespace

FenAskImportMoyenController::FenAskImportMoyenController()
    : FenAskImportController({"FenAskImportMoyen", "FenAskImportMoyen_message", false})
{
}

void FenAskImportMoyenController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopMoyen(&window);
    pop->setObjectName(QStringLiteral("pop_moyen"));
    pop->setFilter(false);
    row.addWidget(pop);
    addText(window, row, "field_moyen");
}

void FenAskImportMoyenController::presetAnswer()
{
    pickers().moyenID = 0;
}

std::optional<qint64> FenAskImportMoyenController::chosenAnswer() const
{
    const qint32 family = pickers().moyenID;
    if (family < 0 || family >= kNbMoyenFamilies)
        return std::nullopt;
    return family;
}
