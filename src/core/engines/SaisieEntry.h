#pragma once
// The entry routine's two halves around the window: what the window is opened with, and what
// becomes of the working transaction once the window has closed. Every caller of the entry (the
// palettes, the macros, the lists, the editors of templates, the simulator, the import) describes
// its entry with a SaisieRequest.
#include "engines/SaisieData.h"

#include <optional>

class DOCUMENT;
class MACRO;

struct SaisieRequest {
    int fam = 0; // payment family of a new transaction
    long synonymeID = -1; // synonym of a transaction built from the family
    long ident = -1; // the active account
    long pos = -1; // the stored transaction edited
    TRANSACT* editObj = nullptr; // the caller's transaction, edited in place
    const MACRO* macro = nullptr; // the starting point of a new transaction
    QString text; // what the window's title names besides the entry: the macro edited, or nothing
    bool forReal = false;
    bool forSimul = false;
    bool forImport = false;
    bool reuseFrame = false;
    bool repeat = false;
};

// The window data of the request; the working transaction comes from, in this order: a copy of
// editObj; a copy of the stored transaction at pos (its amount then is oldSolde); a copy of the
// macro's template, in no statement and dated today, or at lastEnteredDate when
// optionSaisieDate is 1; a new transaction of the family on the active account, with the
// synonym. oldTransHdl is a copy of the result. None without a document, or for a position
// outside the document's list: no window opens.
std::optional<SaisieData> makeSaisieData(const SaisieRequest& request, DOCUMENT* doc, int optionSaisieDate,
                                         double lastEnteredDate);

// Stores what the window accepted (status 1 or 2; any other status changes nothing). An imported
// transaction first gets its touched mark from the document. Then a stored transaction is
// replaced (a failing replace has every statement recomputed), the caller's object takes every
// field of rec, or rec is appended to the document. Answers whether the document changed.
bool storeSaisieResult(int status, SaisieData& data, TRANSACT* editObj, DOCUMENT* doc);
