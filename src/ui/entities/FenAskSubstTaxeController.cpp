#include "entities/FenAskSubstTaxeController.h"

#include "entities/FenAskSubstPosteController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopTaxe.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kTaxeID = QStringLiteral("taxeID");

} // namespace

void FenAskSubstTaxeController::buildInterface(StdWindow& window)
{
    auto* pop = new PopTaxe(&window);
    pop->setObjectName(QStringLiteral("pop_taxe"));
    auto* chosen = new QLabel(&window);
    chosen->setObjectName(QStringLiteral("field_taxe"));
    auto* choice = new QHBoxLayout;
    choice->addWidget(pop);
    choice->addWidget(chosen, 1);
    buildSubstDialog(*this, window, QStringLiteral("FenAskSubstTaxe"), choice, 0);
}

void FenAskSubstTaxeController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    pickers().taxeID = long(getData()->value(kTaxeID).toLongLong());
}

void FenAskSubstTaxeController::FILL()
{
    const long old = long(getData()->value(kTaxeID).toLongLong());
    const DOCUMENT* doc = currentDocument();
    if (auto* field = outlet<QLabel>(QStringLiteral("field_old")))
        field->setText(doc ? TAXE::getTaxeName(old, *doc) : QString());
    StdWindowController::FILL();
}

bool FenAskSubstTaxeController::READ()
{
    if (!StdWindowController::READ())
        return false;
    const long chosen = pickers().taxeID;
    if (chosen >= 0 && chosen == getData()->value(kTaxeID).toLongLong()) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_CannotSubstTaxe")), QString(),
                    QStringLiteral("taxe"), 1);
        return false;
    }
    getData()->insert(kTaxeID, qlonglong(chosen < 0 ? -1 : chosen));
    return true;
}

bool askSubstTaxe(StdWindowController* parent, long taxeID, long* replacement)
{
    WindowDataPtr data = makeWindowData({{kTaxeID, qlonglong(taxeID)}});
    if (StdWindowController::pushModal<FenAskSubstTaxeController>(parent, data, parent ? parent->devise() : 0) != 1)
        return false;
    *replacement = long(data->value(kTaxeID).toLongLong());
    return true;
}
