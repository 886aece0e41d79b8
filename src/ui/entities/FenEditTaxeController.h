#pragma once
// The editor of a tax's name and rate, run as a sheet. A rate that is not a number, or of -100 %
// or less, is refused: the amount before tax would be infinite. An empty name is allowed.
//
// Window data: "taxe" the TAXE edited, written back on OK.
#include "model/TAXE.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class QLineEdit;

class FenEditTaxeController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    // The rate a text holds: false for a text that is no number or a rate a tax can't have.
    static bool rateOfText(const QString& text, double* rate);

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLineEdit* field_nom = nullptr;
    QLineEdit* field_taux = nullptr;
};

Q_DECLARE_METATYPE(TAXE)

// Runs the editor on the tax as a sheet on the parent's window; true on OK, the tax then holding
// what was typed.
bool editTaxeModal(StdWindowController* parent, TAXE& taxe);
