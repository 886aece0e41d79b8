#pragma once
// The edit of several transactions of a list at once: the list's edit command on two or more rows
// comes here instead of the single entry (openSaisieTransact). The rows are checked (a refusal is
// told on the list and nothing opens), the multiple-edit window runs modally, and on OK every
// transaction takes the values chosen, the windows hear of them once, after the last, and the
// changed rows are selected in the list, the last one scrolled into view.
#include "toolkit/tables/StdTableModel.h"

#include <memory>

class DOCUMENT;
class LISTING;
class StdWindowWithTableController;

// Answers the window's status: kSaisieOK when the transactions were changed, kSaisieCancel
// otherwise. list may be null (no alert sheet, no selection); its argument block's debitID, when
// an account, is the account the rows are edited from.
//
// The listing is passed as the list holds it, not as a LISTING: a list rebuilds its listing when
// it hears of a changed transaction, and the rows selected at the end are those of the listing
// it holds then. The rows are read before any change.
int openSaisieMultiple(StdWindowWithTableController* list, const std::unique_ptr<LISTING>& listing,
                       const IndexSet& rows, DOCUMENT& doc);
