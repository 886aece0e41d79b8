#pragma once
// What the transaction entry routine hands to the entry window: where the entry comes from, how
// the window behaves, and the working transaction it fills from and reads back into. The routine
// owns it for the length of one modal run; the window keeps a pointer to it.
#include "model/MONTANT.h"
#include "model/TRANSACT.h"

struct SaisieData {
    int fam = 0; // payment family the entry starts from
    long ident = -1; // the active account; the accounts are rebuilt from it when the family changes
    // A real transaction of the document: only then the amount, date and statement questions
    // and the full validity check run on OK.
    bool forReal = false;
    // A loan simulation's row: amount, cancelled, duplicate, split and information are fixed.
    bool forSimul = false;
    // A bank-file record: the stop-import and import-all buttons show.
    bool forImport = false;
    long pos = -1; // position of the stored transaction edited; -1 for any other entry
    // The window opens where the previous entry window closed, and its close box is refused.
    bool reuseFrame = false;
    bool multiple = false; // always false for a single entry
    // The caller reopens the window after each acceptance: accepting closes without animation.
    bool repeat = false;
    // The caller's own transaction is edited (a template, a simulation row, an import record):
    // OK copies rec back into it rather than storing it.
    bool editsCallerObject = false;
    QString text; // named in the window's title (the macro whose template is edited); empty for none

    TRANSACT rec; // the working transaction
    MONTANT oldSolde; // the stored amount at opening when pos >= 0, zero otherwise
    TRANSACT oldTransHdl; // rec as it was when the window opened

    // Whether what OK accepts ends up among the document's transactions: a stored transaction,
    // an import record or a new transaction. Only templates and simulation rows do not, and they
    // alone may stay unchecked.
    bool storesInDocument() const { return !forSimul && (pos >= 0 || forImport || !editsCallerObject); }
    bool isNew() const { return pos < 0; }
};
