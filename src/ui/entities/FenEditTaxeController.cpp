#include "entities/FenEditTaxeController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/TextFieldReal.h"
#include "toolkit/windows/editvaluemodal.h"

#include "foundation/localized.h"
#include "foundation/numbers.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

const QString kTaxe = QStringLiteral("taxe");

} // namespace

void FenEditTaxeController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditTaxe"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditTaxe_titre")));
    field_nom = new QLineEdit(&window);
    field_nom->setObjectName(QStringLiteral("field_nom"));
    field_nom->setMinimumWidth(240);
    field_taux = new QLineEdit(&window);
    field_taux->setObjectName(QStringLiteral("field_taux"));
    field_taux->setFixedWidth(90);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditTaxe_nom")), field_nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditTaxe_taux")), field_taux);
    layOutEditor(*this, window, {form});
}

void FenEditTaxeController::FILL()
{
    StdWindowController::FILL();
    const TAXE taxe = getData()->value(kTaxe).value<TAXE>();
    field_nom->setText(taxe.nom);
    field_taux->setText(doubleToDisplayString(2, taxe.rate));
    m_shownRate.show(taxe.rate, field_taux->text());
}

bool FenEditTaxeController::rateOfText(const QString& text, double* rate)
{
    QString cleaned = text.trimmed();
    cleaned.remove(QLatin1Char('%'));
    cleaned.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double typed = cleaned.trimmed().toDouble(&ok);
    if (!ok || !TAXE::isValidRate(typed))
        return false;
    // Taken as the tax file will hold it, so that what is checked is what is kept.
    const double value = TextFieldReal::storedValueOf(typed, TAXE::kRateDecimals);
    if (!TAXE::isValidRate(value))
        return false;
    *rate = value;
    return true;
}

bool FenEditTaxeController::READ()
{
    if (!StdWindowController::READ())
        return false;
    double rate = 0;
    if (const std::optional<double> stored = m_shownRate.untouched(field_taux->text()))
        rate = *stored;
    else if (!rateOfText(field_taux->text(), &rate)) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_TaxeTauxInvalide")), field_taux->text(),
                    QStringLiteral("taxe"), 1);
        return false;
    }
    TAXE taxe = getData()->value(kTaxe).value<TAXE>();
    taxe.nom = field_nom->text();
    taxe.rate = rate;
    getData()->insert(kTaxe, QVariant::fromValue(taxe));
    return true;
}

bool editTaxeModal(StdWindowController* parent, TAXE& taxe)
{
    return editValueModal<FenEditTaxeController>(parent, kTaxe, taxe);
}
