#pragma once
// The document check: transactions whose account references are broken. A side is broken when
// its account no longer exists, or when it is ticked (releveID 0 or more) on a statement its
// account does not hold; either side broken lists the transaction. Such marks are left behind by
// an account or a statement removed while transactions still pointed at it, or by files written
// by hand; they count in no balance, so the user is shown them to clear the marks.
#include <memory>

class DOCUMENT;
class LISTING;

// A new listing of the broken transactions (document transactions only, no schedule or forecast
// occurrences), in the current currency slot and the application's default sort, with running
// balances. Owned by the caller.
std::unique_ptr<LISTING> findDocumentProblems(const DOCUMENT& doc);

// The check as the user runs it: every account's statements are recomputed first, then the
// listing given (or, without one, findDocumentProblems) is looked at. Without a row it is dropped
// and the alert "kAlerte_noProblem" says so; otherwise the alert "kConfirm_ProblemList" comes
// first and the problem listing opens on it, through the installed transaction windows (with
// none installed, the listing is dropped).
void verifierDocument(std::unique_ptr<LISTING> listing, DOCUMENT& doc);
