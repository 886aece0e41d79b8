#pragma once
// How other windows create and edit a schedule or a forecast: each routine runs its editor
// modally, as a sheet on the parent's window when a parent is given (application-modal
// otherwise), through the toolkit's modal seam, and answers after the window has closed.
//
// "Caller-owned" routines edit the object in place; what is done with it afterwards (adding it
// to the document, broadcasting) belongs to the caller. The "stored" routines find the object in
// the document by its ident, edit a copy, and on OK put the copy in the stored one's place under
// the same ident and broadcast the change; on Cancel the document is untouched.
class DOCUMENT;
class ECHEANCIER;
class Prevision;
class StdWindowController;

// The schedule editor on a schedule the caller owns (a new one): true when it closed with OK.
// The schedule then holds what was entered; after Cancel it may hold edits made in place (its
// custom occurrences), which the caller drops with the object.
bool editEcheancier(StdWindowController* parent, DOCUMENT& doc, ECHEANCIER& echeancier);

// The schedule editor on the document's schedule of that ident, as a clone. On OK the clone
// replaces it under the same ident, "chronoDidChange" (ident, 0) and
// "COMPUTE_ANALYSE_NOTIFICATION" are broadcast and the due occurrences of that schedule are
// proposed. False, with nothing opened, when the ident is unknown; false after Cancel.
bool editEcheancierClone(StdWindowController* parent, DOCUMENT& doc, long ident);

// The custom occurrences of the schedule, changed in place: true when closed with OK.
bool editEcheancierPerso(StdWindowController* parent, DOCUMENT& doc, ECHEANCIER& echeancier);

// The forecast editor on a forecast the caller owns (a new one): true when it closed with OK.
bool pushEditPrevisionModal(StdWindowController* parent, DOCUMENT& doc, Prevision& prevision);

// The forecast editor on a copy of the document's forecast of that ident. On OK the copy
// replaces it under the same ident, "chronoDidChange" (ident, 1) and
// "COMPUTE_ANALYSE_NOTIFICATION" are broadcast. False, with nothing opened, when the ident is
// unknown; false after Cancel.
bool editIndexedPrevision(StdWindowController* parent, DOCUMENT& doc, long ident);
