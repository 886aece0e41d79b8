#pragma once
// The editor of one bank statement: its name and its date (day, month and year fields). It checks
// nothing: an empty name and any date are taken. Besides Cancel (0) and OK (1) it has Pointer
// (2): OK, and the caller goes straight on to ticking the statement's transactions.
//
// Window data: "releve" the RELEVE edited, written back on OK and Pointer only.
#include "model/RELEVE.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class StdTextView;
class TextFieldJour;

// The editor's closing codes.
inline constexpr long kEditReleveAnnule = 0;
inline constexpr long kEditReleveOK = 1;
inline constexpr long kEditRelevePointer = 2;

class FenEditReleveController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;
    // Reads the window back and ends with kEditRelevePointer.
    Q_INVOKABLE void POINTER(QObject* sender);

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLayout* buildDateRow(StdWindow& window);
    QLayout* buildButtons(StdWindow& window);

    StdTextView* field_nom = nullptr;
    TextFieldJour* field_jour = nullptr;
};

Q_DECLARE_METATYPE(RELEVE)

// Edits the statement in the editor, modal on the parent's window (application-modal without
// one), with the current currency slot. Answers the closing code; on kEditReleveOK and
// kEditRelevePointer the statement takes the name and date typed, on kEditReleveAnnule it is left
// exactly as it was. The caller stores the statement at its place by date.
long editReleveDialog(StdWindowController* parent, RELEVE& releve);
