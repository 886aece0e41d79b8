#pragma once
// The search command of the menu and the tool palette: the search window on the open document,
// then, on OK, the search of its criterion and the result in a list window.
#include "engines/LISTING.h"

#include <memory>

class Critere;
class DOCUMENT;

// The search window's criterion searched over the document: its transactions and, when the
// criterion includes forecasts, the schedule and forecast occurrences up to its horizon, which
// must then pass the whole criterion; with running balances, in the application's default sort.
std::unique_ptr<LISTING> rechercheListing(const Critere& critere, const DOCUMENT& doc, long devise);

// Runs the search window; on OK searches a copy of its criterion and opens the result. Answers
// the window's closing code (1 OK, 0 cancel).
long openRechercheWindow(DOCUMENT& doc);
