#pragma once
// The document's forecasts ("prevision.xml"): root "list", one "record" per forecast in list order
// holding "ident", "name", "rattrapable", "transact" (the model, written as a record of
// "transact.xml") and "planificator" (the rule's sub-tree).
//
// Documents of the older format kept their forecasts in "chrono.xml", as schedule records flagged
// "simul" whose custom occurrences ("persolist") were one-off forecasts. The first load without a
// "prevision.xml" takes them over and writes "prevision.xml"; from then on "chrono.xml" is never
// read for forecasts again.
#include "model/Prevision.h"

#include "foundation/xmlmember.h"

#include <optional>

class DOCUMENT;

inline constexpr char kPrevisionFileName[] = "prevision.xml";

// Null with *error set when the document can't be made. *error is set too when a record, its
// model or its rule can't be written, or a forecast has no rule; the other records are written
// all the same. Models are written as transactions are, which zeroes an orphan tax and the quotes
// in memory too.
XmlDocPtr makeDocPrevisionXML(PrevisionList& list, const DeviseList& devises, bool* error);
// False when no document was made or the file can't be written. *recordError (may be null) tells
// that some forecast could not be written whole, the file being written all the same.
bool savePrevision(const QString& packageURL, PrevisionList& list, const DeviseList& devises,
                   bool* recordError = nullptr);
// The forecasts of "prevision.xml", after taking over those of "chrono.xml" when needed. Every
// record is kept; noted on issues (may be null): a record whose model or rule could not be read,
// damage, a file that exists but can't be read, and anything the takeover could not carry over or
// write. A document without either file has no forecasts. The document gives new forecasts their
// defaults.
PrevisionList loadPrevision(const QString& packageURL, const DOCUMENT* doc, const DeviseList& devises,
                            LoadIssues* issues);

// ---- Takeover of the older format -----------------------------------------------------------------

// Only when "prevision.xml" is absent and "chrono.xml" present: the forecasts of its "simul"
// records, written as "prevision.xml"; none otherwise. A faulty record, or a faulty custom
// occurrence, is left out and noted on issues (may be null) with its record in "chrono.xml", and
// the others are carried over. Noted too: "chrono.xml" that can't be read (nothing is written
// then) and "prevision.xml" that can't be written.
std::optional<PrevisionList> tryMigrationIfNecessary(const QString& packageURL, const DOCUMENT* doc,
                                                     const DeviseList& devises, LoadIssues* issues);
// The model from the element's "transact", the rule (made when missing) starting on its date.
// False when there is no such model, or when it was read with a fault (it is set all the same);
// the fault is noted on issues (may be null) at their current place.
bool extractTransactElements(pugi::xml_node element, Prevision& prevision, LoadIssues* issues = nullptr);
// The forecast of a "simul" record whose model is read already: "ident", "nom", and the rule
// rebuilt from the record's older repeat keys.
void extractChronoElements(pugi::xml_node record, Prevision& prevision0, LoadIssues* issues = nullptr);
