#pragma once
// The search command of the menu and the tool palette: the search window on the open document,
// then, on OK, the search of its criterion and the result in a search listing.
class DOCUMENT;

// Runs the search window; on OK searches a copy of its criterion and opens the result. Answers
// the window's closing code (1 OK, 0 cancel).
long openRechercheWindow(DOCUMENT& doc);
