#pragma once
// Saved loan simulations: one XML file per named simulation (root "record" with "kind",
// "nbMensu", "taux", "montant", "mensu" and "cout") in the "simulation" folder of the document
// package, and the list of those files kept in the document context from the document's opening
// to its closing. The simulation window asks the names and reports failures: nothing here shows a
// message.
#include "engines/Simulation.h"

#include <QString>
#include <memory>

class DOCUMENT;

inline constexpr char kSimulationFolderName[] = "simulation";

// The package's "simulation" folder, created when missing; false when the package has no
// resources folder or creation fails.
bool simulationFolderInDocument(QString* url, const QString& docURL);

// A new record read from the file; its rows are left empty, to be computed. When the file can't
// be read, or one of the three amounts is missing (that amount then stays zero), *error is set
// (it is never cleared here) and the caller keeps what it shows: a damaged file must not pass
// for an empty simulation. error may be null.
std::unique_ptr<SIMULrec> loadSimulation(const QString& url, bool* error);

// Writes the record (amounts with the document's currencies) to the file of that name in the
// simulation folder, replacing it whole: a failed write leaves the file as it was. The name is
// made safe for a file first (see safeFileName). A name the list already holds, in the sense of
// findSimulationNamed, rewrites that entry's file and leaves the list alone; a new name appends
// its file to the list. False, with the list unchanged, when there is no document, the name is
// empty, the folder can't be found, the package may not be written (a document kept without
// saving) or the write fails. *url (may be null) gets the file's path.
bool saveSimulation(const SIMULrec& rec, const QString& name, const DOCUMENT* doc, QString* url = nullptr);

// The position in the list of the file whose name without extension is the name (made safe for a
// file, as saveSimulation makes it), case and accents ignored, both cut to 255 characters.
bool findSimulationNamed(const QString& name, long* index);

// At document open: the list becomes the simulation folder's files whose extension is exactly
// "xml", hidden files left out, in name order; empty when the folder can't be found.
void loadSimulationList(const DOCUMENT* doc);
// At document close.
void disposeSimulationList();
