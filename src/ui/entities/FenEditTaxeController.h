#pragma once
// The editor of a tax's name and rate, run as a sheet. A rate that is not a number, or of -100 %
// or less, is refused: the amount before tax would be infinite. An empty name is allowed.
//
// The rate shows with two decimals; left as it shows, it keeps all those it has.
//
// Window data: "taxe" the TAXE edited, written back on OK.
#include "model/TAXE.h"
#include "toolkit/fields/ShownValue.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class QLineEdit;

class FenEditTaxeController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    // The rate a text holds, to the decimals the tax file keeps: false for a text that is no
    // number or a rate a tax can't have.
    static bool rateOfText(const QString& text, double* rate);

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLineEdit* field_nom = nullptr;
    QLineEdit* field_taux = nullptr;
    ShownValue<double> m_shownRate;
};

Q_DECLARE_METATYPE(TAXE)

// Runs the editor on the tax as a sheet on the parent's window; true on OK, the tax then holding
// what was typed.
bool editTaxeModal(StdWindowController* parent, TAXE& taxe);
