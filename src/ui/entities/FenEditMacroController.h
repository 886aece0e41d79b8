#pragma once
// The editor of a macro's name and key, run modally. A name is required and unique among the
// document's macros (letter case ignored); a key, when given, belongs to no other macro (the
// exact character: another case is another key).
//
// Window data: "macro" the MACRO edited (written back on OK), "index" its position in the
// document's list as the editor opened, -1 for a new one.
#include "model/MACRO.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class FenEditMacroController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    // The checks of a name and a key typed for the macro at that position (-1 a new one); an
    // alert tells the first that fails.
    bool verifMacro(const QString& name, const QString& key, long index);

protected:
    void buildInterface(StdWindow& window) override;
};

Q_DECLARE_METATYPE(MACRO)

// Edits the macro modally on the parent's window; true on OK, the macro then holding the name and
// key typed.
bool editMacro(StdWindowController* parent, MACRO& macro, long index);

// A new macro whose template is a copy of the transaction without its attached files, named and
// keyed in the editor; inserted among the document's macros in name order, and an open macros
// window is told (NOTIFY_NEW_MACRO) where. False when the editor was cancelled.
bool createMacroFromTransact(StdWindowController* parent, const TRANSACT& trans);
