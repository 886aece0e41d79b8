#pragma once
// The calculator button beside an amount field: it runs the calculator modally, on its window, on
// the field's amount in the field's currency slot; on OK the field shows the amount computed and
// the window's controller, when it has fieldMontantDidChange(QObject*), is told with the field.
// Cancel leaves the field as it was.
//
// The calculator belongs to a window layer above the toolkit: the application installs the run
// (setCalculetteRunner) at start-up, before any window is built. Without one the button is
// disabled, as it stays whenever its field is.
#include "toolkit/host/WindowData.h"

#include <QPointer>
#include <QPushButton>

#include <functional>

class StdWindowController;
class TextFieldMontant;

class ButtonCalculette : public QPushButton {
    Q_OBJECT
public:
    // Runs the calculator modally on the window data's amount; the result code (1 on OK).
    using Runner = std::function<long(StdWindowController* parent, WindowDataPtr data, long devise)>;
    static void setCalculetteRunner(Runner runner);
    static bool hasCalculetteRunner();

    // The button of the field, which gets it as its calculator button.
    explicit ButtonCalculette(TextFieldMontant* field, QWidget* parent = nullptr);

    TextFieldMontant* field_montant() const;

    Q_INVOKABLE void CALCULETTE();

private:
    QPointer<TextFieldMontant> m_fieldMontant;
};
