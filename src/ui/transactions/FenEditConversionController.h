#pragma once
// The conversions of one amount: its value in each currency of the document, shown with two
// decimals and editable (unless the amount's field is disabled) in every currency in use. OK
// writes back the values the user changed, each slot on its own (ConversionEditor), refills the
// amount field and tells its window, as a typed amount would.
//
// Window data: "field" the amount field (a TextFieldMontant).
#include "engines/ConversionEditor.h"
#include "toolkit/windows/StdWindowController.h"

#include <memory>

class TextFieldMontant;
class QLabel;
class TextFieldReal;

class FenEditConversionController : public StdWindowController {
    Q_OBJECT
public:
    FenEditConversionController();
    ~FenEditConversionController() override;

    TextFieldMontant* field() const;

    void FILL() override;
    void FILL_AUX(TextFieldReal* fieldDevise, QLabel* unit, long index);
    // The edited values into the field's amount; a text that is not a number is refused.
    bool READ() override;
    // One slot's text as the user left it.
    void READ_AUX(long index);

protected:
    void buildInterface(StdWindow& window) override;

private:
    std::unique_ptr<ConversionEditor> m_editor;
    DeviseList m_devises;
};

// Runs the editor modally on the parent's window for the amount field the item stands for (its
// represented object); nothing without one. Answers true, as the menu command does.
bool editConversionDialog(StdWindowController* parent, QObject* item);
